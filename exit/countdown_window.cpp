#include "exit/countdown_window.h"

#include <algorithm>

namespace zelvor {
namespace {

// The warning's window: builds its model from the dialog, steps it on each
// timer tick and ends the modal run once the dialog has closed.
class CountdownWindow final : public WindowModel, public MessageTarget {
 public:
  CountdownWindow(CAvisoDlg& dialog, DialogHost& dialogs, EventLoop& loop)
      : dialog_(dialog), dialogs_(dialogs), loop_(loop) {
    title = dialog.Title();
    className = CountdownWindowPresenter::kClassName;
    // The warning comes before an action the user may want to stop, so it
    // stays in front of the other windows.
    style.modal = true;
    style.topmost = true;
    Build();
  }

  void Open() {
    window_ = dialogs_.create(*this);
    target_ = loop_.addTarget(*this);
    loop_.setTimer(target_, CAvisoDlg::kTimerId, CAvisoDlg::kTimerPeriodMs);
  }

  void Close() {
    if (target_ != kNoWindow) loop_.removeTarget(target_);
    target_ = kNoWindow;
    if (window_ != kNoWindow) dialogs_.destroy(window_);
    window_ = kNoWindow;
  }

  void onMessage(std::uint32_t, std::intptr_t, std::intptr_t) override {}

  void onTimer(int timerId) override {
    if (timerId != CAvisoDlg::kTimerId) return;
    dialog_.OnTimerTick();
    if (dialog_.IsOpen()) {
      Show();
      dialogs_.update(window_);
    } else {
      Finish();
    }
  }

  void onEvent(const ControlEvent& event) override {
    if (event.kind == ControlEvent::Kind::Clicked && event.controlId == countdown_control::Cancel) {
      dialog_.Cancel();
      Finish();
    }
  }

  // The title-bar button and Escape cancel, like "Cancelar".
  bool onCloseRequest() override {
    dialog_.Cancel();
    Finish();
    return true;
  }

 private:
  void Build() {
    Control& top = root.add(Control::make(ControlKind::Row));
    Control icon = Control::make(ControlKind::Image, countdown_control::Icon);
    icon.image = ImageRef::fromStrip(ImageStrip::Large, dialog_.IconIndex());
    icon.size = {32, 32};
    top.add(icon);
    Control& texts = top.add(Control::make(ControlKind::Column));
    texts.add(Control::make(ControlKind::Label, countdown_control::Message, dialog_.Message()));
    texts.add(Control::make(ControlKind::Label, countdown_control::Remaining));
    Control bar = Control::make(ControlKind::Progress, countdown_control::Progress);
    bar.size = {300, 0};
    root.add(bar);
    Control& buttons = root.add(Control::make(ControlKind::Row));
    Control cancel = Control::make(ControlKind::Button, countdown_control::Cancel, CAvisoDlg::kCancelText);
    cancel.isDefault = true;
    buttons.add(cancel);
    Show();
  }

  // Puts the dialog's count into the model.
  void Show() {
    find(countdown_control::Remaining)->text = dialog_.RemainingLine();
    Control& bar = *find(countdown_control::Progress);
    bar.minimum = dialog_.ProgressMin();
    // A bar of no length is drawn empty; a 0..0 range would make some
    // toolkits draw a busy bar instead.
    bar.maximum = std::max(dialog_.ProgressMax(), dialog_.ProgressMin() + 1);
    bar.value = dialog_.ProgressPos();
  }

  void Finish() {
    if (finished_) return;
    finished_ = true;
    // No tick may arrive after the end, whatever the host does meanwhile.
    if (target_ != kNoWindow) loop_.killTimer(target_, CAvisoDlg::kTimerId);
    dialogs_.endModal(*this, dialog_.result() == CAvisoDlg::Result::Accepted ? kCountdownAccepted
                                                                             : kCountdownCancelled);
  }

  CAvisoDlg& dialog_;
  DialogHost& dialogs_;
  EventLoop& loop_;
  WindowHandle window_ = kNoWindow;
  WindowHandle target_ = kNoWindow;
  bool finished_ = false;
};

}  // namespace

void CountdownWindowPresenter::RunModal(CAvisoDlg& dialog) {
  if (!dialog.IsOpen()) return;
  CountdownWindow window(dialog, dialogs_, loop_);
  window.Open();
  (void)dialogs_.runModal(window);
  window.Close();
  dialog.Cancel();  // no effect once the count ran out or was cancelled
}

}  // namespace zelvor
