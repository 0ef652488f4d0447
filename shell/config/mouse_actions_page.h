#pragma once
// "Acciones del ratón": what a single or double click of each mouse button
// on a utility's icon runs, as the codes the dispatch decodes.

#include "shell/config/conf_dialog.h"
#include "shell/mouse_actions.h"

namespace zelvor {

class MouseActionsPage final : public CConfDialog {
 public:
  MouseActionsPage(int firstId, UtilityKind utility);

  // Control ids below the first one.
  enum : int { kLeft = 1, kRight = 2, kMiddle = 3 };

  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;

 private:
  UtilityKind utility_;
  MouseActionList list_;
};

}  // namespace zelvor
