#include "platform/qt/qt_dialog_host.h"

#include "platform/qt/common_dialogs.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <type_traits>

namespace zelvor {
namespace {
// What a modal window closed by its close button or Escape returns.
constexpr int kCancelCode = 2;
}  // namespace

QtDialogHost::QtDialogHost(const ImagePixmaps& images, DesktopAbilities desktop)
    : images_(images), desktop_(desktop) {}

QtDialogHost::~QtDialogHost() = default;

ModelWindow* QtDialogHost::window(WindowHandle handle) const {
  const auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : it->second.get();
}

WindowHandle QtDialogHost::create(WindowModel& model) {
  const WindowHandle handle = nextHandle_++;
  auto w = std::make_unique<ModelWindow>(model, images_);
  WindowModel* key = &model;
  w->onClosed = [this, key] {
    // A modal window's close ends its loop; a modeless one just hides.
    if (const auto m = modals_.find(key); m != modals_.end()) endModal(*key, kCancelCode);
  };
  windows_[handle] = std::move(w);
  return handle;
}

void QtDialogHost::destroy(WindowHandle handle) {
  const auto it = windows_.find(handle);
  if (it == windows_.end()) return;
  it->second->detach();
  it->second->hide();
  // A window may be destroyed from inside one of its own signal handlers.
  it->second.release()->deleteLater();
  windows_.erase(it);
}

void QtDialogHost::show(WindowHandle handle) {
  if (ModelWindow* w = window(handle)) {
    w->show();
    w->raise();
  }
}

void QtDialogHost::hide(WindowHandle handle) {
  if (ModelWindow* w = window(handle)) w->hide();
}

void QtDialogHost::setEnabled(WindowHandle handle, bool enabled) {
  if (ModelWindow* w = window(handle)) w->setEnabled(enabled);
}

bool QtDialogHost::isVisible(WindowHandle handle) {
  const ModelWindow* w = window(handle);
  return w != nullptr && w->isVisible();
}

void QtDialogHost::activate(WindowHandle handle) {
  if (ModelWindow* w = window(handle)) {
    w->raise();
    w->activateWindow();
  }
}

void QtDialogHost::update(WindowHandle handle) {
  if (ModelWindow* w = window(handle)) w->refresh();
}

void QtDialogHost::repaint(WindowHandle handle) {
  if (ModelWindow* w = window(handle)) w->repaintCanvases();
}

Rect QtDialogHost::geometry(WindowHandle handle) {
  const ModelWindow* w = window(handle);
  if (w == nullptr) return {};
  const QRect g = w->frameGeometry();
  return Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

namespace {

QPlainTextEdit* multiLineEdit(ModelWindow* w, int controlId) {
  return w == nullptr ? nullptr : qobject_cast<QPlainTextEdit*>(w->widgetFor(controlId));
}

}  // namespace

void QtDialogHost::editAction(WindowHandle handle, int controlId, EditAction action) {
  ModelWindow* w = window(handle);
  if (w == nullptr) return;
  QWidget* widget = w->widgetFor(controlId);
  const auto run = [action](auto* edit) {
    switch (action) {
      case EditAction::Undo: edit->undo(); break;
      case EditAction::Cut: edit->cut(); break;
      case EditAction::Copy: edit->copy(); break;
      case EditAction::Paste: edit->paste(); break;
      case EditAction::Clear:
        if constexpr (std::is_same_v<decltype(edit), QLineEdit*>) {
          edit->del();
        } else {
          edit->insertPlainText(QString());
        }
        break;
      case EditAction::SelectAll: edit->selectAll(); break;
    }
  };
  if (auto* multi = qobject_cast<QPlainTextEdit*>(widget)) {
    run(multi);
    if (action == EditAction::SelectAll) multi->ensureCursorVisible();
  } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    run(line);
  }
}

DialogHost::EditState QtDialogHost::editState(WindowHandle handle, int controlId) {
  ModelWindow* w = window(handle);
  if (w == nullptr) return {};
  QWidget* widget = w->widgetFor(controlId);
  if (auto* multi = qobject_cast<QPlainTextEdit*>(widget)) {
    return {multi->textCursor().hasSelection(), multi->document()->isUndoAvailable()};
  }
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return {line->hasSelectedText(), line->isUndoAvailable()};
  return {};
}

int QtDialogHost::textHeight(WindowHandle handle, int controlId) {
  ModelWindow* w = window(handle);
  QPlainTextEdit* edit = multiLineEdit(w, controlId);
  if (edit == nullptr || !w->isVisible()) return 0;
  // The plain-text layout counts in lines: its height is a number of lines
  // (wrapped at the present width), not pixels.
  const int lines = static_cast<int>(edit->document()->size().height());
  return lines * edit->fontMetrics().lineSpacing() + static_cast<int>(edit->document()->documentMargin() * 2) +
         edit->frameWidth() * 2;
}

int QtDialogHost::runModal(WindowModel& model) {
  ModelWindow* w = nullptr;
  WindowHandle own = kNoWindow;
  for (const auto& [h, win] : windows_) {
    if (&win->model() == &model) w = win.get();
  }
  if (w == nullptr) {
    own = create(model);
    w = window(own);
  }
  Modal& modal = modals_[&model];
  QEventLoop loop;
  modal.loop = &loop;
  w->setWindowModality(Qt::ApplicationModal);
  w->show();
  w->raise();
  w->activateWindow();
  // Timers and posted messages keep arriving inside this loop.
  const int code = modal.code ? *modal.code : loop.exec(QEventLoop::DialogExec);
  modals_.erase(&model);
  w->hide();
  w->setWindowModality(Qt::NonModal);
  if (own != kNoWindow) destroy(own);
  return code;
}

void QtDialogHost::endModal(WindowModel& model, int code) {
  const auto it = modals_.find(&model);
  if (it == modals_.end()) return;
  if (it->second.loop != nullptr && it->second.loop->isRunning()) {
    it->second.loop->exit(code);
  } else {
    it->second.code = code;
  }
}

void QtDialogHost::zoom(const Rect& from, const Rect& to) { zoomOutline(from, to, desktop_); }

void QtDialogHost::showAnimated(WindowHandle handle, Animation animation, bool fromLeft, bool fromTop) {
  if (ModelWindow* w = window(handle)) showWithAnimation(*w, animation, fromLeft, fromTop, desktop_);
}

void QtDialogHost::hideAnimated(WindowHandle handle, Animation animation, bool toLeft, bool toTop) {
  if (ModelWindow* w = window(handle)) hideWithAnimation(*w, animation, toLeft, toTop, desktop_);
}

std::vector<std::string> QtDialogHost::chooseFiles(const FileDialog& dialog) { return runFileDialog(dialog); }
std::string QtDialogHost::chooseFolder(const std::string& title) { return runFolderDialog(title); }
bool QtDialogHost::chooseColour(Colour& colour) { return runColourDialog(colour); }
bool QtDialogHost::chooseFont(Canvas::Font& font, Colour& colour) { return runFontDialog(font, colour); }

}  // namespace zelvor
