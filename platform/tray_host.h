#pragma once
// Icons in the desktop's notification area. Every mouse event on an icon
// arrives at the callback target as message 1124 (wParam icon id, lParam
// the mouse message).

#include <string>

#include "platform/image.h"
#include "platform/ui_types.h"

namespace zelvor {

class TrayHost {
 public:
  virtual ~TrayHost() = default;

  // Whether a notification area exists at all right now.
  [[nodiscard]] virtual bool available() = 0;
  // Where mouse events go; set once by the main window.
  virtual void setCallbackTarget(WindowHandle target) = 0;

  // tip: the hover text the desktop shows itself (empty: none).
  [[nodiscard]] virtual bool add(int iconId, const ImageRef& image, const std::string& tip) = 0;
  [[nodiscard]] virtual bool modify(int iconId, const ImageRef& image, const std::string& tip) = 0;
  virtual void remove(int iconId) = 0;
  // Screen rectangle of the notification area (for the zoom effect); empty when unknown.
  [[nodiscard]] virtual Rect area() = 0;
};

}  // namespace zelvor
