#pragma once
// The last pointer position a tray host reported with an activation. Where
// the toolkit cannot read the pointer outside its own windows (Wayland),
// menus opened from the tray use this position instead.

#include <optional>

#include "platform/ui_types.h"

namespace zelvor {

struct PointerHint {
  std::optional<Point> lastActivation;
};

}  // namespace zelvor
