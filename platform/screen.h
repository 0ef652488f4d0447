#pragma once
#include "platform/ui_types.h"

namespace zelvor {

class Screen {
 public:
  virtual ~Screen() = default;
  [[nodiscard]] virtual Point cursor() = 0;
  // The desktop without panels and docks.
  [[nodiscard]] virtual Rect workArea() = 0;
  [[nodiscard]] virtual Size size() = 0;
};

}  // namespace zelvor
