#include "platform/qt/x11_connection.h"

#include <QGuiApplication>

#include <cstdlib>

namespace zelvor {

std::unique_ptr<X11Connection> X11Connection::open() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return nullptr;
  if (QGuiApplication::platformName() == QLatin1String("wayland")) return nullptr;
  int screen = 0;
  xcb_connection_t* c = xcb_connect(display, &screen);
  if (c == nullptr || xcb_connection_has_error(c) != 0) {
    if (c != nullptr) xcb_disconnect(c);
    return nullptr;
  }
  return std::unique_ptr<X11Connection>(new X11Connection(c, screen));
}

X11Connection::X11Connection(xcb_connection_t* connection, int screenNumber)
    : connection_(connection), screenNumber_(screenNumber) {
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
  for (int i = 0; it.rem != 0 && i < screenNumber_; ++i) xcb_screen_next(&it);
  if (it.rem != 0) root_ = it.data->root;
  notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { drain(); });
}

X11Connection::~X11Connection() {
  notifier_.reset();
  xcb_disconnect(connection_);
}

xcb_atom_t X11Connection::atom(const std::string& name) {
  const auto cookie = xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
  const xcb_atom_t result = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  std::free(reply);
  return result;
}

xcb_window_t X11Connection::selectionOwner(const std::string& selection) {
  const xcb_atom_t a = atom(selection);
  if (a == XCB_ATOM_NONE) return XCB_WINDOW_NONE;
  xcb_get_selection_owner_reply_t* reply =
      xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, a), nullptr);
  const xcb_window_t owner = reply != nullptr ? reply->owner : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
  std::free(reply);
  return owner;
}

void X11Connection::flush() { xcb_flush(connection_); }

void X11Connection::drain() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
    for (const auto& listener : listeners_) {
      if (listener(*event)) break;
    }
    std::free(event);
  }
}

}  // namespace zelvor
