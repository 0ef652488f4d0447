#pragma once
// Which tip the tip of the day shows next. Every tip is shown once before
// any repeats; among those not yet shown, the milliseconds of the current
// second pick one, so that two windows opened a few seconds apart rarely
// start with the same tip.

#include <array>

#include "shell/dialogs/tip_texts.h"

namespace zelvor {

class TipChooser {
 public:
  // ms: milliseconds of the current second, 0–999 (values outside are
  // clamped). Returns the index of the chosen tip and marks it shown.
  [[nodiscard]] int Choose(int ms);
  [[nodiscard]] bool shown(int index) const { return shown_.at(static_cast<std::size_t>(index)); }

 private:
  std::array<bool, kTipCount> shown_{};
};

}  // namespace zelvor
