#pragma once
// "Programas a ejecutar antes de apagar": the programs Dade Rive runs before
// an action (DadeRive\Programas), each with the fourteen kinds of shutdown
// it runs before, and how long the action waits for them.

#include <array>
#include <string_view>
#include <vector>

#include "launchers/entry_lists.h"
#include "shell/config/conf_dialog.h"
#include "shutdown/dade_rive_pages.h"

namespace zelvor {

// The texts of the Flags bits 0 … 13.
inline constexpr std::array<std::string_view, 14> kShutdownKindTexts{
    "Apagar sistema manualmente",           "Reiniciar sistema manualmente",
    "Cerrar sesión manualmente",            "Suspender manualmente",
    "Hibernar manualmente",                 "Bloquear el equipo manualmente",
    "Reiniciar en modo MS-DOS manualmente", "Apagar sistema automáticamente",
    "Reiniciar sistema automáticamente",    "Cerrar sesión automáticamente",
    "Suspender automáticamente",            "Hibernar automáticamente",
    "Bloquear el equipo automáticamente",   "Reiniciar en modo MS-DOS automáticamente"};

class CShutdownProgramsPage final : public CConfDialog {
 public:
  enum : int {
    kList = 1,
    kAdd = 2,
    kDelete = 3,
    kUp = 4,
    kDown = 5,
    kFields = 10,
    kDescription = 11,
    kProgram = 12,
    kArguments = 13,
    kFolder = 14,
    kFirstKind = 20,  // … 33, bit i at kFirstKind + i
    // The wait's controls are CDadeRiveDlg5's, from this offset on.
    kWaitOffset = 900,
  };

  explicit CShutdownProgramsPage(int firstId) : CConfDialog(firstId), wait_(firstId + kWaitOffset) {}

  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;

  [[nodiscard]] const std::vector<ListElement>& programs() const { return programs_; }

 private:
  void ShowList(Control& root) const;
  void ShowSelected(Control& root) const;
  void TakeField(int local, Control& root);
  [[nodiscard]] ListElement* SelectedProgram();

  CDadeRiveDlg5 wait_;
  std::vector<ListElement> programs_;
  int selected_ = -1;
};

}  // namespace zelvor
