#pragma once
// One notification icon docked into an XEmbed tray (the freedesktop
// system-tray protocol). Unlike Qt's own tray icon it reports every mouse
// event as the suite knows them: button down and up, double click and
// move, each with the pointer's screen position.

#include <QPixmap>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "platform/qt/x11_connection.h"
#include "platform/ui_types.h"

namespace zelvor {

class TrayIconWidget final : public QWidget {
 public:
  using MouseHandler = std::function<void(std::uint32_t mouseMessage)>;
  TrayIconWidget(X11Connection& x11, MouseHandler onMouse);

  // Asks the tray whose selection owner is given to embed this icon.
  [[nodiscard]] bool dock(xcb_window_t trayOwner);
  void setPicture(const QPixmap& picture);
  void setTip(const QString& tip);
  // Where the icon is on the screen (the tray reparents it, so Qt's own
  // idea of its position is relative to the tray).
  [[nodiscard]] Rect screenRect();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  X11Connection& x11_;
  MouseHandler onMouse_;
  QPixmap picture_;
};

}  // namespace zelvor
