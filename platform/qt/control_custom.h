#pragma once
// The widgets that Qt has no ready equivalent of: the custom-drawn canvas,
// the hotkey field and the colour button.

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <functional>

#include "platform/qt/image_pixmaps.h"
#include "platform/window_model.h"

namespace zelvor {

class CanvasWidget final : public QWidget {
 public:
  CanvasWidget(const ImagePixmaps& images, std::function<void(Canvas&, Size)> paint);
  void setPaint(std::function<void(Canvas&, Size)> paint) { paint_ = std::move(paint); }
  void setHint(QSize hint) { hint_ = hint; updateGeometry(); }
  QSize sizeHint() const override { return hint_.isValid() ? hint_ : QSize(120, 80); }
  std::function<void(ControlEvent::Kind, int x, int y, int button, int key)> onInput;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  const ImagePixmaps& images_;
  std::function<void(Canvas&, Size)> paint_;
  QSize hint_;
};

// Shows and captures a key combination. value: low byte the virtual key,
// second byte the field's modifiers (1 Shift, 2 Ctrl, 4 Alt).
class HotkeyEdit final : public QLineEdit {
 public:
  HotkeyEdit();
  // What the field says while it holds no key; "" gives the binding's own text.
  void setEmptyText(const QString& text) { emptyText_ = text; }
  void setValue(int value);
  [[nodiscard]] int value() const { return value_; }
  std::function<void(int)> onChanged;
  [[nodiscard]] static QString describe(int value);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override { event->accept(); }

 private:
  int value_ = 0;
  QString emptyText_;
};

// A push button that shows its colour and opens the colour dialog.
class ColourButton final : public QPushButton {
 public:
  explicit ColourButton(const QString& text);
  void setColour(Colour colour);
  [[nodiscard]] Colour colour() const { return colour_; }
  std::function<void(Colour)> onChanged;

 private:
  Colour colour_ = 0;
};

}  // namespace zelvor
