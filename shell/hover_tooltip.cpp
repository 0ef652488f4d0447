#include "shell/hover_tooltip.h"

#include <cstdio>

namespace zelvor {

std::string NoticeHtml(int imageIndex, const std::string& heading, const std::string& body) {
  const std::string index = std::to_string(imageIndex);
  if (body.empty()) {
    return "<table><tr><td><ilst index=" + index + "></td><td><b>" + heading +
           "</b></td></tr></table>";
  }
  return "<table><tr><td><ilst index=" + index + "></td><td><b>" + heading +
         "</b><br><hr color=blue><br>" + body + "</td></tr></table>";
}

HoverTooltip::HoverTooltip(EventLoop& loop, WindowHandle owner, TrackedDialogs& dialogs,
                           Screen& screen, std::function<bool()> menuOpen)
    : loop_(loop), owner_(owner), dialogs_(dialogs), screen_(screen), menuOpen_(std::move(menuOpen)) {
  model_.className = "CHTMLToolTip";
  model_.style.caption = false;
  model_.style.topmost = true;
  model_.style.toolWindow = true;
  Control text = Control::make(ControlKind::Label, 1);
  text.richText = true;
  model_.root.add(std::move(text));
  window_ = dialogs_.create(model_);
}

HoverTooltip::~HoverTooltip() {
  if (window_ != kNoWindow) dialogs_.destroy(window_);
}

bool HoverTooltip::visible() { return window_ != kNoWindow && dialogs_.isVisible(window_); }

void HoverTooltip::Hover(int iconId, const std::string& title, const std::string& text) {
  if (menuOpen_()) return;
  if (title.empty() && text.empty()) return;
  const std::string html = NoticeHtml(1, title, text);
  if (html == html_) return;
  loop_.killTimer(owner_, kTimerHoverDelay);
  loop_.killTimer(owner_, kTimerHoverLeave);
  html_ = html;
  rect_ = around(screen_.cursor(), 16);
  // Moving from one icon to the next while the tip shows changes it at once.
  const bool quick = lastIcon_ == iconId && visible();
  loop_.setTimer(owner_, kTimerHoverDelay, quick ? 1 : 1000);
  lastIcon_ = iconId;
}

void HoverTooltip::OnTimer(int timerId) {
  if (timerId == kTimerHoverDelay) {
    loop_.killTimer(owner_, kTimerHoverDelay);
    loop_.killTimer(owner_, kTimerHoverLeave);
    if (menuOpen_()) return;
    const Point p = screen_.cursor();
    if (!rect_.contains(p)) return;
    if (Control* label = model_.find(1)) label->text = html_;
    model_.title = html_;
    model_.geometry = {p.x, p.y, p.x, p.y};  // the binding sizes it to the text
    dialogs_.update(window_);
    dialogs_.show(window_);
    rect_ = around(p, 8);
    loop_.setTimer(owner_, kTimerHoverLeave, 500);
  } else if (timerId == kTimerHoverLeave) {
    if (rect_.contains(screen_.cursor())) return;
    loop_.killTimer(owner_, kTimerHoverLeave);
    dialogs_.hide(window_);
    html_.clear();
  }
}

void HoverTooltip::ShowNotice(const std::string& html, Point at) {
  loop_.killTimer(owner_, kTimerHoverDelay);
  loop_.killTimer(owner_, kTimerHoverLeave);
  html_ = html;
  if (Control* label = model_.find(1)) label->text = html_;
  model_.title = html_;
  model_.geometry = {at.x, at.y, at.x, at.y};  // the binding sizes it to the text
  dialogs_.update(window_);
  dialogs_.show(window_);
}

void HoverTooltip::Hide() {
  loop_.killTimer(owner_, kTimerHoverDelay);
  loop_.killTimer(owner_, kTimerHoverLeave);
  if (visible()) dialogs_.hide(window_);
  html_.clear();
}

}  // namespace zelvor
