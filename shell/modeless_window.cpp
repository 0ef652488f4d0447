#include "shell/modeless_window.h"

#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"

namespace zelvor {

ModelessWindow::ModelessWindow(CZelvorApp& app, std::uint32_t closedMessage)
    : app_(app), closedMessage_(closedMessage) {}

ModelessWindow::~ModelessWindow() {
  if (handle_ != kNoWindow) app_.dialogs().destroy(handle_);
}

void ModelessWindow::open() {
  if (handle_ == kNoWindow) {
    Build();
    handle_ = app_.dialogs().create(*this);
  }
  app_.helpers().ShowAnimated(handle_);
}

bool ModelessWindow::isVisible() const {
  return handle_ != kNoWindow && app_.dialogs().isVisible(handle_);
}

void ModelessWindow::Close() {
  SaveEdits();
  if (handle_ != kNoWindow) {
    app_.helpers().HideAnimated(handle_, true);
    handle_ = kNoWindow;
  }
  if (CPrincipalDlg* main = app_.mainWindow()) {
    app_.desktop().loop.post(main->handle(), closedMessage_, 0, 0);
  }
}

bool ModelessWindow::onCloseRequest() {
  Close();
  // The window is gone already; the binding has nothing more to do.
  return false;
}

}  // namespace zelvor
