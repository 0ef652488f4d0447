#pragma once
#include "platform/screen.h"

namespace zelvor {

// A screen whose pointer a test moves.
class SimScreen : public Screen {
 public:
  Point cursor() override { return pointer; }
  Rect workArea() override { return work; }
  Size size() override { return whole; }
  int colourDepth() override { return depth; }
  int refreshRate() override { return refresh; }

  Point pointer{1800, 1060};
  Rect work{0, 0, 1920, 1040};
  Size whole{1920, 1080};
  int depth = 24;
  int refresh = 60;
};

}  // namespace zelvor
