#pragma once
// Dedo Vuv's pages of the configuration window: the general choices and
// sounds, when the programs run, the diary's folder, and the traffic meter.
// Saving reaches the living utility, which re-reads what it caches.

#include <string_view>
#include <vector>

#include "shell/config/conf_dialog.h"

namespace zelvor {
class CZelvorApp;
}

namespace zelvor::dedovuv {

inline constexpr std::string_view kGeneralPageTitle = "General";
inline constexpr std::string_view kProgramsPageTitle = "Programas";
inline constexpr std::string_view kDiaryFolderPageTitle = "Registro de conexiones";
inline constexpr std::string_view kTrafficPageTitle = "Medidor del tráfico";

class CDedoVuvGeneralPage final : public CConfDialog {
 public:
  CDedoVuvGeneralPage(CZelvorApp& app, int firstId) : CConfDialog(firstId), app_(app) {}
  enum : int {
    kAutoConnect = 1,
    kAutoReconnect = 2,
    kNoDiary = 3,
    kAttempts = 4,
    kConnectSound = 5,
    kConnectBrowse = 6,
    kConnectPlay = 7,
    kDisconnectSound = 8,
    kDisconnectBrowse = 9,
    kDisconnectPlay = 10,
    kDefaultEntry = 11,
  };
  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;

 private:
  CZelvorApp& app_;
};

class CDedoVuvProgramsPage final : public CConfDialog {
 public:
  explicit CDedoVuvProgramsPage(int firstId) : CConfDialog(firstId) {}
  enum : int { kRun = 1, kWhenDialing = 2, kWhenConnected = 3 };
  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
};

class CDedoVuvDiaryFolderPage final : public CConfDialog {
 public:
  CDedoVuvDiaryFolderPage(CZelvorApp& app, int firstId) : CConfDialog(firstId), app_(app) {}
  enum : int { kSuiteFolder = 1, kOtherFolder = 2, kFolder = 3, kBrowse = 4 };
  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;

 private:
  CZelvorApp& app_;
};

class CTrafficMeterPage final : public CConfDialog {
 public:
  CTrafficMeterPage(CZelvorApp& app, int firstId) : CConfDialog(firstId), app_(app) {}
  enum : int {
    kType = 1,
    kSpeed = 2,
    kSpeedKBs = 3,
    kInterface = 4,
    kHideOnIdle = 5,
    kHideOnIdleMax = 6,
    kShowOnInit = 7,
    kBarsInIcon = 8,
    kGridLines = 9,
    kBackground = 10,
    kGrid = 11,
    kDownload = 12,
    kUpload = 13,
    kOpacity = 14,
  };
  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
  void Saved(Control& root) override;

 private:
  void ShowSpeed(Control& root, bool fromType);

  CZelvorApp& app_;
  int loadedType_ = 0;
  std::vector<int> interfaces_;  // the interface index of each item after the first
};

// The kbps of a connection-type entry (2 … 14); 0 for the other entries.
[[nodiscard]] double ConnectionTypeKbps(int type);

}  // namespace zelvor::dedovuv
