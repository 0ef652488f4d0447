#include "shell/dialogs/progress_dlg.h"

#include <algorithm>
#include <utility>

namespace zelvor {

CProgressDlg::CProgressDlg(DialogHost& dialogs, EventLoop& loop, WindowHandle owner, ProgressOptions options)
    : dialogs_(dialogs), loop_(loop), owner_(owner), step_(options.step), offerCancel_(options.offerCancel) {
  title = options.caption.empty() ? "Zelvor" : std::move(options.caption);
  className = "CProgressDlg";
  style.toolWindow = true;
  root = Control::make(ControlKind::Column);
  Control top = Control::make(ControlKind::Row);
  Control icon = Control::make(ControlKind::Image, progress_control::Icon);
  icon.image = ImageRef::fromStrip(ImageStrip::Large, options.image);
  icon.size = {32, 32};
  top.add(std::move(icon));
  Control right = Control::make(ControlKind::Column);
  right.add(Control::make(ControlKind::Label, progress_control::Text, std::move(options.text)));
  Control progress = Control::make(ControlKind::Progress, progress_control::Bar);
  progress.size = {300, 0};
  right.add(std::move(progress));
  top.add(std::move(right));
  root.add(std::move(top));
  if (offerCancel_) root.add(Control::make(ControlKind::Button, progress_control::Cancel, "Cancelar"));
  // The range and the start at its low end, before the window first shows.
  const auto [low, high] = std::minmax(options.lowest, options.highest);
  bar().minimum = low;
  bar().maximum = high;
  bar().value = low;

  if (owner_ != kNoWindow) dialogs_.setEnabled(owner_, false);
  handle_ = dialogs_.create(*this);
  dialogs_.show(handle_);
}

CProgressDlg::~CProgressDlg() {
  if (handle_ != kNoWindow) dialogs_.destroy(handle_);
  if (owner_ != kNoWindow) dialogs_.setEnabled(owner_, true);
}

Control& CProgressDlg::bar() { return *root.find(progress_control::Bar); }
const Control& CProgressDlg::bar() const { return *root.find(progress_control::Bar); }

void CProgressDlg::SetRange(int lowest, int highest) {
  const auto [low, high] = std::minmax(lowest, highest);
  Control& b = bar();
  b.minimum = low;
  b.maximum = high;
  b.value = std::clamp(b.value, low, high);
  dialogs_.update(handle_);
}

void CProgressDlg::SetStep(int step) { step_ = step; }

void CProgressDlg::SetPos(int position) {
  loop_.processPending();
  MoveTo(position);
}

void CProgressDlg::StepIt() {
  loop_.processPending();
  // In 64 bits: a step near the limits of int must not wrap around.
  const long long next = static_cast<long long>(bar().value) + step_;
  MoveTo(static_cast<int>(std::clamp<long long>(next, bar().minimum, bar().maximum)));
}

void CProgressDlg::MoveTo(int position) {
  Control& b = bar();
  b.value = std::clamp(position, b.minimum, b.maximum);
  dialogs_.update(handle_);
}

void CProgressDlg::Cancel() {
  if (cancelled_) return;
  cancelled_ = true;
  // The work stops at the caller's next look; one press is enough.
  if (Control* button = root.find(progress_control::Cancel)) button->enabled = false;
  dialogs_.update(handle_);
}

void CProgressDlg::onEvent(const ControlEvent& event) {
  if (event.kind == ControlEvent::Kind::Clicked && event.controlId == progress_control::Cancel) Cancel();
}

bool CProgressDlg::onCloseRequest() {
  // The window belongs to the caller's loop: it goes when the caller
  // destroys it. Closing it asks to cancel when cancelling is offered.
  if (offerCancel_) Cancel();
  return false;
}

}  // namespace zelvor
