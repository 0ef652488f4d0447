#include "shutdown/dade_rive_pages.h"

#include <algorithm>
#include <array>

#include "shutdown/exit_actions.h"

namespace zelvor {
namespace {

constexpr std::string_view kKey = utility_key::DadeRive;

struct Box {
  int code;  // the exit action whose value the box edits
  std::string_view text;
};
// The order the boxes show in.
constexpr std::array<Box, 7> kBoxes{{{1, "Apagar el sistema."},
                                     {2, "Reiniciar el sistema."},
                                     {7, "Reiniciar en modo MS-DOS."},
                                     {5, "Hibernar."},
                                     {3, "Cerrar la sesión."},
                                     {4, "Suspender."},
                                     {6, "Bloquear equipo."}}};

std::string valueName(CDadeRiveActionsPage::Kind kind, int code) {
  const auto action = shutdown::SystemActionOf(code);
  return std::string(kind == CDadeRiveActionsPage::Kind::Confirm ? shutdown::kConfirmPrefix
                                                                 : shutdown::kEmptyTempPrefix) +
         std::string(action->suffix);
}

}  // namespace

Control CDadeRiveActionsPage::Build() {
  Control page = Control::make(ControlKind::Column);
  page.add(Control::make(
      ControlKind::Label, 0,
      kind_ == Kind::Confirm
          ? "Pedir confirmación antes de cerrar el sistema de las siguientes formas:"
          : "Borrar todos los archivos y subdirectorios del directorio temporal  antes de cerrar el sistema de las "
            "siguientes formas:"));
  for (std::size_t i = 0; i < kBoxes.size(); ++i) {
    page.add(Control::make(ControlKind::CheckBox, Id(kFirstBox + static_cast<int>(i)), std::string(kBoxes[i].text)));
  }
  if (kind_ == Kind::EmptyTemp) {
    page.add(Control::make(ControlKind::Label, 0, "Directorio temporal:"));
    Control folder = Control::make(ControlKind::Edit, Id(kFolder), temporaryFolder_);
    folder.readOnly = true;
    page.add(std::move(folder));
  }
  return page;
}

void CDadeRiveActionsPage::Load(const ConfigStore& store, Control& root) {
  for (std::size_t i = 0; i < kBoxes.size(); ++i) {
    const int value = store.ReadConfigInt(kKey, valueName(kind_, kBoxes[i].code));
    // A confirmation asks only for exactly 1; emptying runs for any non-zero value.
    root.find(Id(kFirstBox + static_cast<int>(i)))->checked = kind_ == Kind::Confirm ? value == 1 : value != 0;
  }
}

bool CDadeRiveActionsPage::OnEvent(const ControlEvent& event, Control&) {
  if (event.controlId != Id(kFolder)) SetModified();
  return false;
}

void CDadeRiveActionsPage::Save(ConfigStore& store, Control& root) {
  for (std::size_t i = 0; i < kBoxes.size(); ++i) {
    store.WriteConfigInt(kKey, valueName(kind_, kBoxes[i].code),
                         root.find(Id(kFirstBox + static_cast<int>(i)))->checked ? 1 : 0);
  }
}

Control CDadeRiveDlg5::Build() {
  Control page = Control::make(ControlKind::Column);
  page.add(Control::make(ControlKind::Radio, Id(kWaitAll), "Apagar cuando todos los programas finalicen."));
  page.add(Control::make(ControlKind::Radio, Id(kWaitLimit),
                         "Esperar el siguiente número de segundos antes de forzar el apagado si hay programas que no "
                         "han finalizado:"));
  Control seconds = Control::make(ControlKind::Spin, Id(kSeconds));
  seconds.minimum = 1;
  seconds.maximum = 32000;
  seconds.value = kShownWhenUnset;
  page.add(std::move(seconds));
  return page;
}

void CDadeRiveDlg5::Load(const ConfigStore& store, Control& root) {
  const int s = store.ReadConfigInt(kKey, shutdown::kWaitSecondsValue);
  root.find(Id(kWaitAll))->checked = s <= 0;
  root.find(Id(kWaitLimit))->checked = s > 0;
  Control& seconds = *root.find(Id(kSeconds));
  seconds.value = s > 0 ? std::min(s, 32000) : kShownWhenUnset;
  seconds.enabled = s > 0;
}

bool CDadeRiveDlg5::OnEvent(const ControlEvent& event, Control& root) {
  SetModified();
  if (event.controlId == Id(kWaitAll) || event.controlId == Id(kWaitLimit)) {
    root.find(Id(kSeconds))->enabled = root.find(Id(kWaitLimit))->checked;
    return true;
  }
  return false;
}

void CDadeRiveDlg5::Save(ConfigStore& store, Control& root) {
  const bool limit = root.find(Id(kWaitLimit))->checked;
  const int seconds = std::clamp(root.find(Id(kSeconds))->value, 1, 32000);
  store.WriteConfigInt(kKey, shutdown::kWaitSecondsValue, limit ? seconds : 0);
}

}  // namespace zelvor
