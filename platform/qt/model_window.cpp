#include "platform/qt/model_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>

#include "platform/qt/control_look.h"
#include "platform/qt/qt_canvas.h"
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

constexpr int kFieldShift = 1;
constexpr int kFieldControl = 2;
constexpr int kFieldAlt = 4;

QKeyCombination toQtCombination(const Accelerator& a) {
  Qt::KeyboardModifiers mods;
  if ((a.modifiers & kFieldShift) != 0) mods |= Qt::ShiftModifier;
  if ((a.modifiers & kFieldControl) != 0) mods |= Qt::ControlModifier;
  if ((a.modifiers & kFieldAlt) != 0) mods |= Qt::AltModifier;
  return QKeyCombination(mods, static_cast<Qt::Key>(vk::toQtKey(a.key)));
}

bool sameAccelerators(const std::vector<Accelerator>& a, const std::vector<Accelerator>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Accelerator& x, const Accelerator& y) {
    return x.key == y.key && x.modifiers == y.modifiers && x.command == y.command;
  });
}

// The margin of windows whose model leaves it to the binding (-1).
constexpr int kOwnMargin = 11;

}  // namespace

ModelWindow::ModelWindow(WindowModel& model, const ImagePixmaps& images)
    : model_(model),
      tree_(images, [this](const ControlPath& p, const std::function<void(Control&)>& change,
                           const ControlEvent& e) { report(p, change, e); },
            !model.style.caption),
      layout_(new QVBoxLayout(this)) {
  setAttribute(Qt::WA_QuitOnClose, false);
  layout_->setContentsMargins(kOwnMargin, kOwnMargin, kOwnMargin, kOwnMargin);
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
  tree_.setTight(model_.style.margin == 0);
  content_ = tree_.build(model_.root);
  layout_->addWidget(content_);
  tree_.sync(model_.root);
  // Accelerators win over the keys an edit would take for itself (Ctrl+Z,
  // Ctrl+A…), as the table is consulted before any control sees the key.
  for (const auto& b : tree_.bound()) b.widget->installEventFilter(this);
  if (sizeGrip_) sizeGrip_->raise();
}

void ModelWindow::refresh() {
  if (tree_.sameShape(model_.root) && tree_.tight() == (model_.style.margin == 0)) {
    tree_.sync(model_.root);
    if (!builtMenus_ || *builtMenus_ != model_.menuBar) rebuildMenuBar();
  } else {
    rebuild();
  }
  applyStyle();
}

void ModelWindow::rebuildMenuBar() {
  builtMenus_ = model_.menuBar;
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
  const int margin = s.margin >= 0 ? s.margin : kOwnMargin;
  layout_->setContentsMargins(margin, margin, margin, margin);
  layout_->setSpacing(s.margin == 0 ? 0 : -1);
  if (model_.minimumSize.width > 0 || model_.minimumSize.height > 0) {
    setMinimumSize(std::max(model_.minimumSize.width, 0), std::max(model_.minimumSize.height, 0));
  }
  applySurface();
  applyAccelerators();
  placeInitially();
}

void ModelWindow::applySurface() {
  // A caption-less window takes its controls' background from edge to edge.
  const std::optional<Colour> colour = model_.style.caption ? std::nullopt : surfaceColour(model_.root);
  QPalette palette;
  if (colour) palette.setColor(QPalette::Window, toQColor(*colour));
  setPalette(palette);
  // Without a frame the user resizes through a grip in the lower right
  // corner; the window manager's border does it for the others.
  const bool wantsGrip = !model_.style.caption && model_.style.resizable;
  if (wantsGrip && !sizeGrip_) {
    sizeGrip_ = new QSizeGrip(this);
    sizeGrip_->setObjectName(QStringLiteral("sizeGrip"));
  }
  if (sizeGrip_) {
    sizeGrip_->setVisible(wantsGrip);
    placeSizeGrip();
  }
}

void ModelWindow::placeSizeGrip() {
  if (!sizeGrip_) return;
  const QSize hint = sizeGrip_->sizeHint();
  sizeGrip_->setGeometry(width() - hint.width(), height() - hint.height(), hint.width(), hint.height());
  sizeGrip_->raise();
}

void ModelWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  placeSizeGrip();
}

void ModelWindow::applyAccelerators() {
  if (sameAccelerators(accelerators_, model_.accelerators)) return;
  for (QShortcut* s : shortcuts_) delete s;
  shortcuts_.clear();
  accelerators_ = model_.accelerators;
  for (const Accelerator& a : accelerators_) {
    if (vk::toQtKey(a.key) == 0) continue;
    auto* shortcut = new QShortcut(QKeySequence(toQtCombination(a)), this);
    shortcut->setContext(Qt::WindowShortcut);
    const Accelerator copy = a;
    QObject::connect(shortcut, &QShortcut::activated, this, [this, copy] {
      if (detached_) return;
      ControlEvent e;
      e.kind = ControlEvent::Kind::Accelerator;
      e.controlId = copy.command;
      e.key = copy.key;
      e.modifiers = copy.modifiers;
      model_.onEvent(e);
    });
    shortcuts_.push_back(shortcut);
  }
}

bool ModelWindow::isAccelerator(const QKeyEvent& key) const {
  const QKeyCombination pressed = key.keyCombination();
  const Qt::KeyboardModifiers relevant = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
  return std::any_of(accelerators_.begin(), accelerators_.end(), [&](const Accelerator& a) {
    const QKeyCombination wanted = toQtCombination(a);
    return wanted.key() == pressed.key() && wanted.keyboardModifiers() == (pressed.keyboardModifiers() & relevant);
  });
}

bool ModelWindow::eventFilter(QObject* watched, QEvent* event) {
  // Left unaccepted, the key goes to the window's shortcut instead of the control.
  if (event->type() == QEvent::ShortcutOverride && isAccelerator(*static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void ModelWindow::contextMenuEvent(QContextMenuEvent* event) {
  // Reached by a right click or the menu key where no control took it: the window's surface.
  if (detached_) return;
  ControlEvent e;
  e.kind = ControlEvent::Kind::ContextMenu;
  e.controlId = 0;
  e.x = event->globalPos().x();
  e.y = event->globalPos().y();
  model_.onEvent(e);
}

void ModelWindow::placeInitially() {
  const Rect& g = model_.geometry;
  if (g.width() > 0 && g.height() > 0) {
    if (model_.style.resizable) resize(g.width(), g.height());
    move(g.left, g.top);
    placed_ = true;
    return;
  }
  if (g.left != 0 || g.top != 0) {
    // A point without a size: sized to the content, at that point but
    // always whole on the screen (tooltips and notices near a corner).
    adjustSize();
    QPoint pos(g.left, g.top);
    QScreen* screen = QGuiApplication::screenAt(pos);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
      const QRect area = screen->availableGeometry();
      pos.setX(std::max(area.left(), std::min(pos.x(), area.right() + 1 - width())));
      pos.setY(std::max(area.top(), std::min(pos.y(), area.bottom() + 1 - height())));
    }
    move(pos);
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
  // A window without a caption is moved by dragging its surface; the
  // window manager does it where it can (and the compositor on Wayland).
  if (!detached_ && !model_.style.caption && event->button() == Qt::LeftButton && windowHandle() != nullptr) {
    if (!windowHandle()->startSystemMove()) dragOffset_ = event->globalPosition().toPoint() - pos();
    return;
  }
  QDialog::mousePressEvent(event);
}

void ModelWindow::mouseMoveEvent(QMouseEvent* event) {
  if (dragOffset_ && (event->buttons() & Qt::LeftButton) != 0) {
    move(event->globalPosition().toPoint() - *dragOffset_);
    return;
  }
  QDialog::mouseMoveEvent(event);
}

void ModelWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (dragOffset_ && event->button() == Qt::LeftButton) {
    dragOffset_.reset();
    return;
  }
  QDialog::mouseReleaseEvent(event);
}

}  // namespace zelvor
