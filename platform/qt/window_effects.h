#pragma once
// The zoom outline between a small rectangle and a window, and the roll
// and fade of pop-up panels. Each runs on Qt's animation timer and returns
// at once; where the desktop cannot place or blend windows they do nothing
// (the window simply appears or goes).

#include <QWidget>

#include "platform/dialog_host.h"
#include "platform/ui_types.h"

namespace zelvor {

struct DesktopAbilities {
  bool canPlaceWindows = true;  // false on Wayland and off-screen
  bool canBlend = true;         // a compositor blends translucent windows
};

void zoomOutline(const Rect& from, const Rect& to, const DesktopAbilities& desktop);
void showWithAnimation(QWidget& window, DialogHost::Animation animation, bool fromLeft, bool fromTop,
                       const DesktopAbilities& desktop);
void hideWithAnimation(QWidget& window, DialogHost::Animation animation, bool toLeft, bool toTop,
                       const DesktopAbilities& desktop);

}  // namespace zelvor
