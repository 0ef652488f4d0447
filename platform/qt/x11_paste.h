#pragma once
// Pasting into "the active window" on X11: the first window of another
// program below the suite's own in the stacking order (visible, not
// minimised, not a dock or the desktop, with a size) is brought to the
// front and receives Ctrl+V through XTest.

#include "platform/clipboard.h"
#include "platform/qt/x11_connection.h"

namespace zelvor {

[[nodiscard]] PasteResult PasteIntoWindowBelow(X11Connection& x11);

}  // namespace zelvor
