#pragma once
// Dade Rive's pages of the configuration window: which actions ask first,
// which empty the temporary folder first, and how long to wait for the
// programs run before an action. (The mouse actions and hotkeys are the
// shell's common pages.)

#include <functional>
#include <string>
#include <string_view>

#include "shell/config/conf_dialog.h"

namespace zelvor {

inline constexpr std::string_view kConfirmPageTitle = "Solicitud de confirmación";
inline constexpr std::string_view kEmptyTempPageTitle = "Eliminación del directorio temporal";
inline constexpr std::string_view kWaitPageTitle = "Programas a ejecutar antes de apagar";

// Seven boxes over Confirmar<action> (Dlg2) or BorrarTEMP<action> (Dlg3).
class CDadeRiveActionsPage final : public CConfDialog {
 public:
  enum class Kind { Confirm, EmptyTemp };
  // The boxes take the ids 1 … 7 in the order they show; the folder field 10.
  enum : int { kFirstBox = 1, kFolder = 10 };

  // temporaryFolder: shown read-only on the emptying page.
  CDadeRiveActionsPage(int firstId, Kind kind, std::string temporaryFolder)
      : CConfDialog(firstId), kind_(kind), temporaryFolder_(std::move(temporaryFolder)) {}

  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;

 private:
  Kind kind_;
  std::string temporaryFolder_;
};

// SegundosAEsperarProgramas: wait for every program, or at most a number of seconds.
class CDadeRiveDlg5 final : public CConfDialog {
 public:
  enum : int { kWaitAll = 1, kWaitLimit = 2, kSeconds = 3 };
  static constexpr int kShownWhenUnset = 5;

  explicit CDadeRiveDlg5(int firstId) : CConfDialog(firstId) {}
  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
};

}  // namespace zelvor
