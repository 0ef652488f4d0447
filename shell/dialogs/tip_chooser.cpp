#include "shell/dialogs/tip_chooser.h"

#include <algorithm>

namespace zelvor {

int TipChooser::Choose(int ms) {
  int remaining = static_cast<int>(std::count(shown_.begin(), shown_.end(), false));
  if (remaining == 0) {
    shown_.fill(false);
    remaining = kTipCount;
  }
  ms = std::clamp(ms, 0, 999);
  // ms / 999 reaches 1 at 999: that would name one past the last tip left.
  const int n = std::min(static_cast<int>(ms / 999.0 * remaining), remaining - 1);
  int seen = 0;
  for (int i = 0; i < kTipCount; ++i) {
    if (shown_[static_cast<std::size_t>(i)]) continue;
    if (seen++ == n) {
      shown_[static_cast<std::size_t>(i)] = true;
      return i;
    }
  }
  return 0;  // not reached: n < remaining
}

}  // namespace zelvor
