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

}  // namespace zelvor
