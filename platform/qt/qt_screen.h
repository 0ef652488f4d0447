#pragma once
#include "platform/qt/pointer_hint.h"
#include "platform/screen.h"

namespace zelvor {

// The screen under the pointer, as Qt sees it.
class QtScreen final : public Screen {
 public:
  QtScreen(const PointerHint& pointer, bool pointerReadable) : pointer_(pointer), pointerReadable_(pointerReadable) {}
  [[nodiscard]] Point cursor() override;
  [[nodiscard]] Rect workArea() override;
  [[nodiscard]] Size size() override;
  [[nodiscard]] int colourDepth() override;
  [[nodiscard]] int refreshRate() override;

 private:
  const PointerHint& pointer_;
  bool pointerReadable_;  // false where the toolkit cannot read it (Wayland)
};

}  // namespace zelvor
