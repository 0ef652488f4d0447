#include "platform/window_model.h"

namespace zelvor {

Control* Control::find(int controlId) {
  if (id == controlId && controlId != 0) return this;
  for (auto& c : children) {
    if (Control* f = c.find(controlId)) return f;
  }
  return nullptr;
}

const Control* Control::find(int controlId) const { return const_cast<Control*>(this)->find(controlId); }

Control* Control::findButton(std::string_view buttonText) {
  if (!visible) return nullptr;
  if (kind == ControlKind::Button && text == buttonText) return this;
  for (auto& c : children) {
    if (Control* f = c.findButton(buttonText)) return f;
  }
  return nullptr;
}

const Control* Control::findButton(std::string_view buttonText) const {
  return const_cast<Control*>(this)->findButton(buttonText);
}

}  // namespace zelvor
