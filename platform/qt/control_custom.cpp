#include "platform/qt/control_custom.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/qt_canvas.h"
#include "platform/qt/virtual_keys.h"

namespace zelvor {
namespace {

int buttonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 3;
    default: return 0;
  }
}

constexpr int kFieldShift = 1;
constexpr int kFieldControl = 2;
constexpr int kFieldAlt = 4;

}  // namespace

CanvasWidget::CanvasWidget(const ImagePixmaps& images, std::function<void(Canvas&, Size)> paint)
    : images_(images), paint_(std::move(paint)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
}

void CanvasWidget::paintEvent(QPaintEvent*) {
  if (!paint_) return;
  QPainter painter(this);
  QtCanvas canvas(painter, images_);
  paint_(canvas, Size{width(), height()});
}

void CanvasWidget::mousePressEvent(QMouseEvent* e) {
  if (onInput) onInput(ControlEvent::Kind::MouseDown, e->position().toPoint().x(), e->position().toPoint().y(), buttonOf(e->button()), 0);
}
void CanvasWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (onInput) onInput(ControlEvent::Kind::MouseUp, e->position().toPoint().x(), e->position().toPoint().y(), buttonOf(e->button()), 0);
}
void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  if (onInput) onInput(ControlEvent::Kind::DoubleClicked, e->position().toPoint().x(), e->position().toPoint().y(), buttonOf(e->button()), 0);
}
void CanvasWidget::mouseMoveEvent(QMouseEvent* e) {
  if (onInput) onInput(ControlEvent::Kind::MouseMove, e->position().toPoint().x(), e->position().toPoint().y(), 0, 0);
}
void CanvasWidget::keyPressEvent(QKeyEvent* e) {
  const int key = vk::fromQtKey(e->key());
  if (key != 0 && onInput) {
    onInput(ControlEvent::Kind::KeyDown, 0, 0, 0, key);
  } else {
    QWidget::keyPressEvent(e);
  }
}

HotkeyEdit::HotkeyEdit() {
  setReadOnly(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  setValue(0);
}

QString HotkeyEdit::describe(int value) {
  const int key = value & 0xFF;
  const int mods = value >> 8 & 0xFF;
  if (key == 0) return QStringLiteral("Ninguna");
  QStringList parts;
  if ((mods & kFieldControl) != 0) parts << QStringLiteral("Ctrl");
  if ((mods & kFieldShift) != 0) parts << QStringLiteral("Mayús");
  if ((mods & kFieldAlt) != 0) parts << QStringLiteral("Alt");
  const int qtKey = vk::toQtKey(key);
  parts << (qtKey != 0 ? QKeySequence(qtKey).toString(QKeySequence::NativeText) : QStringLiteral("#%1").arg(key));
  return parts.join(QStringLiteral(" + "));
}

void HotkeyEdit::setValue(int value) {
  value_ = value;
  setText((value & 0xFF) == 0 && !emptyText_.isEmpty() ? emptyText_ : describe(value));
}

void HotkeyEdit::keyPressEvent(QKeyEvent* event) {
  event->accept();
  const int qtKey = event->key();
  if (qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const Qt::KeyboardModifiers m = event->modifiers();
  int mods = 0;
  if ((m & Qt::ShiftModifier) != 0) mods |= kFieldShift;
  if ((m & Qt::ControlModifier) != 0) mods |= kFieldControl;
  if ((m & Qt::AltModifier) != 0) mods |= kFieldAlt;
  // Backspace or Delete alone clears the field, as the desktop's own hotkey fields do.
  if ((qtKey == Qt::Key_Backspace || qtKey == Qt::Key_Delete) && mods == 0) {
    setValue(0);
    if (onChanged) onChanged(0);
    return;
  }
  if (qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt || qtKey == Qt::Key_Meta) return;
  const int key = vk::fromQtKey(qtKey);
  if (key == 0) return;
  setValue(key | mods << 8);
  if (onChanged) onChanged(value_);
}

ColourButton::ColourButton(const QString& text) : QPushButton(text) {
  QObject::connect(this, &QPushButton::clicked, this, [this] {
    const QColor chosen = QColorDialog::getColor(toQColor(colour_), window());
    if (!chosen.isValid()) return;
    setColour(fromQColor(chosen));
    if (onChanged) onChanged(colour_);
  });
  setColour(0);
}

void ColourButton::setColour(Colour colour) {
  colour_ = colour;
  QPixmap swatch(28, 14);
  swatch.fill(toQColor(colour));
  {
    QPainter p(&swatch);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
  }
  setIcon(QIcon(swatch));
  setIconSize(swatch.size());
}

}  // namespace zelvor
