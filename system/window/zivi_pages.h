#pragma once
// Zivi Duvaza's "Opciones" page of the configuration window: the warning
// thresholds of the capacity bars, the icon's hover text with its macros,
// and the usage graph's miniature, transparency and colours.

#include <functional>
#include <string_view>

#include "shell/config/conf_dialog.h"

namespace zelvor {

inline constexpr std::string_view kZiviOptionsPageTitle = "Opciones";

class CZiviDuvazaDlg final : public CConfDialog {
 public:
  // saved: runs once the values are stored (the usage graph reads them again).
  CZiviDuvazaDlg(int firstId, std::function<void()> saved = {}) : CConfDialog(firstId), saved_(std::move(saved)) {}
  enum : int {
    kMemory = 1,
    kMemoryUnit = 2,
    kDisk = 3,
    kDiskUnit = 4,
    kShowText = 5,
    kText = 6,
    kMacro = 7,
    kInsertMacro = 8,
    kMiniature = 9,
    kTransparent = 10,
    kTransparency = 11,
    kBackground = 12,
    kGridLines = 13,
    kMemoryColour = 14,
    kCpuColour = 15,
  };

  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
  void Saved(Control& root) override;

 private:
  std::function<void()> saved_;
};

// The macro menu's entries in order: "Salto de línea" inserts "|", the
// others their macro.
[[nodiscard]] std::vector<std::pair<std::string, std::string>> IconTextMenuEntries();

}  // namespace zelvor
