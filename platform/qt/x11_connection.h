#pragma once
// A connection of our own to the X server, for what Qt does not offer:
// key grabs, the XEmbed tray's selection, synthetic keys. Its events are
// read on the UI thread through a socket notifier and handed to listeners.

#include <QObject>
#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zelvor {

class X11Connection final : public QObject {
 public:
  // Null when there is no X display to talk to (no DISPLAY, or a Wayland
  // session where X clients cannot see the desktop's input).
  [[nodiscard]] static std::unique_ptr<X11Connection> open();
  ~X11Connection() override;

  [[nodiscard]] xcb_connection_t* connection() const { return connection_; }
  [[nodiscard]] xcb_window_t root() const { return root_; }
  [[nodiscard]] int screenNumber() const { return screenNumber_; }
  [[nodiscard]] xcb_atom_t atom(const std::string& name);
  [[nodiscard]] xcb_window_t selectionOwner(const std::string& selection);

  // A listener returns true when it consumed the event.
  using Listener = std::function<bool(const xcb_generic_event_t&)>;
  void addListener(Listener listener) { listeners_.push_back(std::move(listener)); }

  void flush();
  // Reads the events xcb already queued (replies to blocking requests can
  // queue events without waking the socket notifier).
  void drain();

 private:
  X11Connection(xcb_connection_t* connection, int screenNumber);
  xcb_connection_t* connection_;
  int screenNumber_;
  xcb_window_t root_ = 0;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::vector<Listener> listeners_;
};

}  // namespace zelvor
