#include "platform/qt/model_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "platform/qt/virtual_keys.h"

namespace zelvor {
namespace {

Control* resolve(Control& root, const ControlPath& path) {
  Control* c = &root;
  for (int i : path) {
    if (i < 0 || static_cast<std::size_t>(i) >= c->children.size()) return nullptr;
    c = &c->children[static_cast<std::size_t>(i)];
  }
  return c;
}

void fillMenu(QMenu& menu, const std::vector<MenuItem>& items, const std::function<void(int)>& chosen) {
  for (const MenuItem& item : items) {
    const QString text = QString::fromStdString(item.text);
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    switch (item.kind) {
      case MenuItem::Kind::Separator: menu.addSeparator(); break;
      case MenuItem::Kind::Submenu: {
        QMenu* sub = menu.addMenu(text);
        sub->setEnabled(!item.grayed);
        fillMenu(*sub, item.children, chosen);
        break;
      }
      case MenuItem::Kind::Command: {
        QAction* action = menu.addAction(tab < 0 ? text : text.left(tab));
        if (tab >= 0) action->setShortcut(QKeySequence(text.mid(tab + 1)));
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        action->setEnabled(!item.grayed);
        const int id = item.id;
        QObject::connect(action, &QAction::triggered, action, [chosen, id] { chosen(id); });
        break;
      }
    }
  }
}

}  // namespace

ModelWindow::ModelWindow(WindowModel& model, const ImagePixmaps& images)
    : model_(model),
      tree_(images, [this](const ControlPath& p, const std::function<void(Control&)>& change,
                           const ControlEvent& e) { report(p, change, e); },
            !model.style.caption),
      layout_(new QVBoxLayout(this)) {
  setAttribute(Qt::WA_QuitOnClose, false);
  layout_->setContentsMargins(11, 11, 11, 11);
  rebuild();
  applyStyle();
}

void ModelWindow::rebuild() {
  if (content_) {
    // The widget whose signal led here may still be on the stack.
    content_->hide();
    layout_->removeWidget(content_);
    content_->deleteLater();
  }
  rebuildMenuBar();
  content_ = tree_.build(model_.root);
  layout_->addWidget(content_);
  tree_.sync(model_.root);
}

void ModelWindow::refresh() {
  if (tree_.sameShape(model_.root)) {
    tree_.sync(model_.root);
    rebuildMenuBar();
  } else {
    rebuild();
  }
  applyStyle();
}

void ModelWindow::rebuildMenuBar() {
  if (model_.menuBar.empty()) {
    if (menuBar_ != nullptr) {
      layout_->setMenuBar(nullptr);
      menuBar_->deleteLater();
      menuBar_ = nullptr;
    }
    return;
  }
  if (menuBar_ == nullptr) {
    menuBar_ = new QMenuBar(this);
    layout_->setMenuBar(menuBar_);
  }
  // The action whose signal led here may still be on the stack.
  for (QAction* old : menuBar_->actions()) {
    menuBar_->removeAction(old);
    if (QMenu* m = old->menu()) m->deleteLater();
  }
  const auto chosen = [this](int id) {
    if (detached_) return;
    ControlEvent e;
    e.kind = ControlEvent::Kind::Clicked;
    e.controlId = id;
    model_.onEvent(e);
  };
  for (const MenuItem& top : model_.menuBar) {
    QMenu* menu = new QMenu(QString::fromStdString(top.text), menuBar_);
    fillMenu(*menu, top.children, chosen);
    menuBar_->addMenu(menu);
  }
}

void ModelWindow::applyStyle() {
  setWindowTitle(QString::fromStdString(model_.title));
  setObjectName(QString::fromStdString(model_.className));
  const WindowStyle& s = model_.style;
  Qt::WindowFlags flags = s.toolWindow ? Qt::Tool : Qt::Dialog;
  if (!s.caption) flags |= Qt::FramelessWindowHint;
  if (s.topmost) flags |= Qt::WindowStaysOnTopHint;
  if (s.caption) flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (s.caption && s.resizable) flags |= Qt::WindowMinMaxButtonsHint;
  if (flags != windowFlags()) {
    // Changing the flags re-creates the native window, which hides it.
    const bool wasVisible = isVisible();
    setWindowFlags(flags);
    if (wasVisible) show();
  }
  setModal(s.modal);
  layout_->setSizeConstraint(s.resizable ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
  setWindowOpacity(std::clamp(s.opacity, 0, 100) / 100.0);
  placeInitially();
}

void ModelWindow::placeInitially() {
  const Rect& g = model_.geometry;
  if (g.width() > 0 && g.height() > 0) {
    if (model_.style.resizable) resize(g.width(), g.height());
    move(g.left, g.top);
    placed_ = true;
    return;
  }
  if (placed_) return;
  placed_ = true;
  adjustSize();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
}

QWidget* ModelWindow::widgetFor(int controlId) const {
  if (controlId == 0 || content_ == nullptr) return nullptr;
  // Only the current widgets: those of a rebuilt tree linger until Qt deletes them.
  const QString name = QStringLiteral("c%1").arg(controlId);
  if (content_->objectName() == name) return content_;
  return content_->findChild<QWidget*>(name);
}

void ModelWindow::report(const ControlPath& path, const std::function<void(Control&)>& change,
                         const ControlEvent& event) {
  if (detached_) return;
  Control* c = resolve(model_.root, path);
  if (c == nullptr) return;
  change(*c);
  // controlId -1 marks a change the model keeps without being told (column widths, expansion).
  if (event.controlId != -1) model_.onEvent(event);
}

void ModelWindow::closeEvent(QCloseEvent* event) {
  if (detached_) {
    event->accept();
    return;
  }
  if (!model_.onCloseRequest()) {
    event->ignore();
    return;
  }
  event->accept();
  if (onClosed) onClosed();
}

void ModelWindow::reject() {
  // Escape asks the model, like the close button.
  close();
}

void ModelWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && !detached_) {
    ControlEvent e;
    e.kind = ControlEvent::Kind::KeyDown;
    e.key = vk::fromQtKey(Qt::Key_F1);
    model_.onEvent(e);
    return;
  }
  QDialog::keyPressEvent(event);
}

void ModelWindow::mousePressEvent(QMouseEvent* event) {
  // A window without a caption is moved by dragging its surface.
  if (!detached_ && !model_.style.caption && event->button() == Qt::LeftButton && windowHandle() != nullptr) {
    windowHandle()->startSystemMove();
    return;
  }
  QDialog::mousePressEvent(event);
}

}  // namespace zelvor
