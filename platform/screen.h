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
  // Bits per pixel of that screen; 0 when unknown.
  [[nodiscard]] virtual int colourDepth() = 0;
  // Its refresh rate in whole hertz; 0 when unknown.
  [[nodiscard]] virtual int refreshRate() = 0;
};

}  // namespace zelvor
