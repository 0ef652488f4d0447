#include "shell/config/mouse_actions_page.h"

#include <array>
#include <string_view>

namespace zelvor {
namespace {

struct ButtonRow {
  int local;
  std::string_view label;
  std::string_view valueName;
};
constexpr std::array kButtons{
    ButtonRow{MouseActionsPage::kLeft, "Botón izquierdo:", "BotonIzquierdo"},
    ButtonRow{MouseActionsPage::kRight, "Botón derecho:", "BotonDerecho"},
    ButtonRow{MouseActionsPage::kMiddle, "Botón central:", "BotonCentral"},
};

}  // namespace

MouseActionsPage::MouseActionsPage(int firstId, UtilityKind utility)
    : CConfDialog(firstId), utility_(utility), list_(MouseActionsFor(utility)) {}

Control MouseActionsPage::Build() {
  Control page = Control::make(ControlKind::Column);
  for (const ButtonRow& b : kButtons) {
    if (b.local == kMiddle && !list_.middleButton) continue;
    page.add(Control::make(ControlKind::Label, 0, std::string(b.label)));
    Control combo = Control::make(ControlKind::Combo, Id(b.local));
    combo.items = list_.texts;
    combo.value = 0;
    page.add(std::move(combo));
  }
  return page;
}

void MouseActionsPage::Load(const ConfigStore& store, Control& root) {
  for (const ButtonRow& b : kButtons) {
    if (Control* combo = root.find(Id(b.local))) {
      combo->value = ListPositionOfCode(list_, store.ReadConfigInt(info(utility_).key, b.valueName));
    }
  }
}

bool MouseActionsPage::OnEvent(const ControlEvent& event, Control& root) {
  (void)root;
  if (event.kind == ControlEvent::Kind::Changed) SetModified();
  return false;
}

void MouseActionsPage::Save(ConfigStore& store, Control& root) {
  const std::string_view key = info(utility_).key;
  for (const ButtonRow& b : kButtons) {
    const Control* combo = root.find(Id(b.local));
    if (combo == nullptr || combo->value < 0) continue;
    store.WriteConfigInt(key, b.valueName, combo->value + list_.codeOffset);
  }
}

}  // namespace zelvor
