#include "platform/qt/x11_paste.h"

#include <QApplication>
#include <QWidget>

#include <unistd.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

#include "platform/qt/virtual_keys.h"

namespace zelvor {
namespace {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

std::vector<xcb_atom_t> atomList(X11Connection& x, xcb_window_t w, const char* property, xcb_atom_t type) {
  xcb_connection_t* c = x.connection();
  Reply<xcb_get_property_reply_t> r(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, x.atom(property), type, 0, 4096), nullptr));
  if (!r || r->format != 32) return {};
  const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(r.get()));
  return {v, v + xcb_get_property_value_length(r.get()) / 4};
}

// Windows bottom to top: the window manager's list, else the root's children.
std::vector<xcb_window_t> stacking(X11Connection& x) {
  std::vector<xcb_window_t> list = atomList(x, x.root(), "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW);
  if (!list.empty()) return list;
  xcb_connection_t* c = x.connection();
  Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, x.root()), nullptr));
  if (!tree) return {};
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  return {children, children + xcb_query_tree_children_length(tree.get())};
}

bool qualifies(X11Connection& x, xcb_window_t w) {
  xcb_connection_t* c = x.connection();
  Reply<xcb_get_window_attributes_reply_t> attributes(
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr));
  if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE ||
      attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY || attributes->override_redirect != 0) {
    return false;
  }
  Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr));
  if (!geometry || geometry->width <= 1 || geometry->height <= 1) return false;
  for (xcb_atom_t type : atomList(x, w, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM)) {
    if (type == x.atom("_NET_WM_WINDOW_TYPE_DOCK") || type == x.atom("_NET_WM_WINDOW_TYPE_DESKTOP")) return false;
  }
  for (xcb_atom_t state : atomList(x, w, "_NET_WM_STATE", XCB_ATOM_ATOM)) {
    if (state == x.atom("_NET_WM_STATE_HIDDEN")) return false;
  }
  const auto pid = atomList(x, w, "_NET_WM_PID", XCB_ATOM_CARDINAL);
  return pid.empty() || pid.front() != static_cast<std::uint32_t>(::getpid());
}

void bringToFront(X11Connection& x, xcb_window_t w) {
  xcb_connection_t* c = x.connection();
  xcb_client_message_event_t m{};
  m.response_type = XCB_CLIENT_MESSAGE;
  m.format = 32;
  m.window = w;
  m.type = x.atom("_NET_ACTIVE_WINDOW");
  m.data.data32[0] = 2;  // a request from a pager-like tool
  m.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(c, 0, x.root(), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&m));
  // Without a window manager nobody answers that message: raise and focus it ourselves.
  const std::uint32_t above = XCB_STACK_MODE_ABOVE;
  xcb_configure_window(c, w, XCB_CONFIG_WINDOW_STACK_MODE, &above);
  xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, w, XCB_CURRENT_TIME);
}

bool sendCtrlV(X11Connection& x) {
  xcb_connection_t* c = x.connection();
  xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
  if (symbols == nullptr) return false;
  std::unique_ptr<xcb_keycode_t, FreeDeleter> control(xcb_key_symbols_get_keycode(symbols, vk::toKeysym(vk::Control)));
  std::unique_ptr<xcb_keycode_t, FreeDeleter> v(xcb_key_symbols_get_keycode(symbols, vk::toKeysym(vk::V)));
  xcb_key_symbols_free(symbols);
  if (!control || !v || control.get()[0] == 0 || v.get()[0] == 0) return false;
  const xcb_keycode_t ctrlCode = control.get()[0];
  const xcb_keycode_t vCode = v.get()[0];
  xcb_void_cookie_t last{};
  for (const auto& [type, code] : {std::pair{XCB_KEY_PRESS, ctrlCode}, std::pair{XCB_KEY_PRESS, vCode},
                                   std::pair{XCB_KEY_RELEASE, ctrlCode}, std::pair{XCB_KEY_RELEASE, vCode}}) {
    last = xcb_test_fake_input_checked(c, static_cast<std::uint8_t>(type), code, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0,
                                       0, 0);
  }
  Reply<xcb_generic_error_t> error(xcb_request_check(c, last));
  x.drain();
  return error == nullptr;
}

}  // namespace

PasteResult PasteIntoWindowBelow(X11Connection& x11) {
  std::set<xcb_window_t> ours;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->internalWinId() != 0) ours.insert(static_cast<xcb_window_t>(w->internalWinId()));
  }
  const std::vector<xcb_window_t> order = stacking(x11);
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    if (ours.count(*it) != 0 || !qualifies(x11, *it)) continue;
    bringToFront(x11, *it);
    return sendCtrlV(x11) ? PasteResult::Pasted : PasteResult::Unavailable;
  }
  return PasteResult::NoTarget;
}

}  // namespace zelvor
