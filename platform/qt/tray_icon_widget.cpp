#include "platform/qt/tray_icon_widget.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

#include "platform/messages.h"

namespace zelvor {
namespace {

constexpr std::uint32_t kRequestDock = 0;

std::uint32_t messageFor(Qt::MouseButton button, std::uint32_t left, std::uint32_t right, std::uint32_t middle) {
  switch (button) {
    case Qt::LeftButton: return left;
    case Qt::RightButton: return right;
    case Qt::MiddleButton: return middle;
    default: return 0;
  }
}

}  // namespace

TrayIconWidget::TrayIconWidget(X11Connection& x11, MouseHandler onMouse)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint),
      x11_(x11),
      onMouse_(std::move(onMouse)) {
  setAttribute(Qt::WA_AlwaysShowToolTips);
  setAttribute(Qt::WA_QuitOnClose, false);
  setMouseTracking(true);
  // Trays hand out square cells; 22 is the common size (and Qt's own).
  setMinimumSize(22, 22);
  resize(22, 22);
  setAutoFillBackground(true);
  // The native window exists (with its size hints) well before it is docked.
  createWinId();
}

bool TrayIconWidget::dock(xcb_window_t trayOwner) {
  if (trayOwner == XCB_WINDOW_NONE) return false;
  const auto window = static_cast<xcb_window_t>(winId());
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = trayOwner;
  message.type = x11_.atom("_NET_SYSTEM_TRAY_OPCODE");
  message.data.data32[0] = XCB_CURRENT_TIME;
  message.data.data32[1] = kRequestDock;
  message.data.data32[2] = window;
  // Qt shows the widget by mapping it on the root window, but an XEmbed
  // client must be unmapped when the tray embeds it (the tray maps it, as
  // _XEMBED_INFO asks): a client mapped elsewhere gets a cell one pixel
  // wide. So the widget is shown, unmapped again, and only then docked, all
  // on Qt's own connection so that the tray sees the requests in this order.
  xcb_connection_t* connection = x11_.connection();
  if (auto* native = qApp->nativeInterface<QNativeInterface::QX11Application>()) connection = native->connection();
  show();
  xcb_unmap_window(connection, window);
  xcb_send_event(connection, 0, trayOwner, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
  return true;
}

void TrayIconWidget::setPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void TrayIconWidget::setTip(const QString& tip) { setToolTip(tip); }

Rect TrayIconWidget::screenRect() {
  const auto window = static_cast<xcb_window_t>(winId());
  xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
      x11_.connection(), xcb_translate_coordinates(x11_.connection(), window, x11_.root(), 0, 0), nullptr);
  if (reply == nullptr) return {};
  const Rect r{reply->dst_x, reply->dst_y, reply->dst_x + width(), reply->dst_y + height()};
  std::free(reply);
  x11_.drain();
  return r;
}

void TrayIconWidget::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  // 16x16 pictures stay crisp: centre them rather than stretching them.
  const QSizeF logical = picture_.deviceIndependentSize();
  const qreal side = std::min(width(), height()) >= 2 * logical.width() ? 2 * logical.width() : logical.width();
  const QRectF target((width() - side) / 2.0, (height() - side) / 2.0, side, side);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, side != logical.width());
  painter.drawPixmap(target, picture_, QRectF(QPointF(0, 0), picture_.size()));
}

void TrayIconWidget::mousePressEvent(QMouseEvent* event) {
  if (const auto m = messageFor(event->button(), msg::LeftDown, msg::RightDown, msg::MiddleDown)) onMouse_(m);
}

void TrayIconWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (const auto m = messageFor(event->button(), msg::LeftUp, msg::RightUp, msg::MiddleUp)) onMouse_(m);
}

void TrayIconWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (const auto m = messageFor(event->button(), msg::LeftDoubleClick, msg::RightDoubleClick, msg::MiddleDoubleClick)) {
    onMouse_(m);
  }
}

void TrayIconWidget::mouseMoveEvent(QMouseEvent*) { onMouse_(msg::MouseMove); }

}  // namespace zelvor
