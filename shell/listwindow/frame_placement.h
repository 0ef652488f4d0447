#pragma once
// The placement and look a utility's framed window keeps under the utility's
// key (Left, Top, Width, Height, SiempreVisible, Transparencia): the list
// windows and the calendar window keep them alike.

#include <array>

#include "platform/menu_host.h"
#include "platform/ui_types.h"

namespace zelvor {

class CRegKeyEx;

inline constexpr std::array<int, 5> kFrameTransparencies{0, 20, 40, 60, 80};

struct FramePlacement {
  Rect geometry;
  bool topmost = false;
  int transparency = 0;  // one of kFrameTransparencies
};

// key: the utility's open key, or nullptr when it does not exist yet (the
// window then starts 700 × 300 in the middle of the screen).
[[nodiscard]] FramePlacement ReadFramePlacement(const CRegKeyEx* key, Size screen, bool opacityWorks);
void WriteFramePlacement(CRegKeyEx& key, const FramePlacement& placement);

[[nodiscard]] bool IsFrameTransparency(int percent);
// The "&Transparencia" submenu: one level per transparency, with commands
// firstCommand + i; greyed where the desktop cannot make windows translucent.
[[nodiscard]] MenuItem TransparencyMenu(int firstCommand, int current, bool opacityWorks);

}  // namespace zelvor
