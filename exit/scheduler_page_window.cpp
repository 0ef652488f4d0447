#include "exit/scheduler_page_window.h"

namespace zelvor {

SchedulerPageWindow::SchedulerPageWindow(CScheduler& scheduler, DialogHost& dialogs, std::string windowTitle)
    : scheduler_(scheduler), dialogs_(dialogs), view_(scheduler.Page(), kFirstPageId) {
  title = std::move(windowTitle);
  className = kClassName;
  root.add(view_.Build());
  Control& buttons = root.add(Control::make(ControlKind::Row));
  Control confirm = Control::make(ControlKind::Button, kConfirmId, kConfirmText);
  confirm.isDefault = true;
  buttons.add(confirm);
  buttons.add(Control::make(ControlKind::Button, kCancelId, kCancelText));
}

SchedulerPageWindow::~SchedulerPageWindow() {
  if (IsOpen()) Close();
}

void SchedulerPageWindow::Open() {
  if (IsOpen()) return;
  scheduler_.ShowPage();
  view_.Apply(root);
  window_ = dialogs_.create(*this);
  dialogs_.show(window_);
}

void SchedulerPageWindow::Close() {
  scheduler_.HidePage();
  const WindowHandle window = window_;
  window_ = kNoWindow;
  dialogs_.destroy(window);
}

void SchedulerPageWindow::onEvent(const ControlEvent& event) {
  if (!IsOpen()) return;
  if (event.kind == ControlEvent::Kind::Clicked && event.controlId == kConfirmId) {
    scheduler_.OnPageConfirm();
    Close();
    return;
  }
  if (event.kind == ControlEvent::Kind::Clicked && event.controlId == kCancelId) {
    scheduler_.OnPageCancel();
    Close();
    return;
  }
  if (view_.HandleEvent(event, root) == SchedulerPageView::EventResult::Changed) dialogs_.update(window_);
}

bool SchedulerPageWindow::onCloseRequest() {
  if (IsOpen()) {
    scheduler_.OnPageCancel();
    Close();
  }
  return true;
}

}  // namespace zelvor
