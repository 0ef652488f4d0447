#pragma once
// The extended (HTML) tooltip that appears when the pointer rests on an
// icon: timer 1000 waits for the pointer to rest, timer 1001 watches for it
// to leave. Both are timers of the main window.

#include <functional>
#include <string>

#include "platform/event_loop.h"
#include "platform/screen.h"
#include "platform/window_model.h"
#include "shell/tracked_dialogs.h"

namespace zelvor {

inline constexpr int kTimerHoverDelay = 1000;
inline constexpr int kTimerHoverLeave = 1001;

// The HTML of a notice or tooltip: image index, heading and (optional) body.
[[nodiscard]] std::string NoticeHtml(int imageIndex, const std::string& heading,
                                     const std::string& body);

class HoverTooltip {
 public:
  // menuOpen tells whether a pop-up menu is open (tooltips wait meanwhile).
  HoverTooltip(EventLoop& loop, WindowHandle owner, TrackedDialogs& dialogs, Screen& screen,
               std::function<bool()> menuOpen);
  ~HoverTooltip();

  // The pointer moved over icon iconId with this title and text.
  void Hover(int iconId, const std::string& title, const std::string& text);
  void OnTimer(int timerId);
  // Hides the tooltip and forgets what was pending.
  void Hide();
  // Shows a notice (not tied to an icon) at a point of the screen, until
  // Hide; a hover that comes meanwhile replaces it.
  void ShowNotice(const std::string& html, Point at);

  [[nodiscard]] bool visible();
  [[nodiscard]] const std::string& html() const { return html_; }
  [[nodiscard]] WindowHandle window() const { return window_; }

 private:
  [[nodiscard]] static Rect around(Point p, int d) { return {p.x - d, p.y - d, p.x + d + 1, p.y + d + 1}; }

  EventLoop& loop_;
  WindowHandle owner_;
  TrackedDialogs& dialogs_;
  Screen& screen_;
  std::function<bool()> menuOpen_;
  WindowModel model_;
  WindowHandle window_ = kNoWindow;
  std::string html_;
  Rect rect_;
  int lastIcon_ = 0;
};

}  // namespace zelvor
