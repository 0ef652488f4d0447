// An X client that owns the CLIPBOARD selection the way a test needs:
//   clipboard_owner secret TEXT   offers TEXT with the password manager's hint "secret"
//   clipboard_owner silent TEXT   offers TEXT and a type it never answers
// It prints "owned" once it holds the selection and serves it until killed
// or until another client takes it.

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t a = r != nullptr ? r->atom : XCB_NONE;
  std::free(r);
  return a;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string mode = argv[1];
  const std::string text = argv[2];
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c) != 0) return 1;
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_window_t w = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    screen->root_visual, 0, nullptr);
  const xcb_atom_t clipboard = atom(c, "CLIPBOARD"), targets = atom(c, "TARGETS"), utf8 = atom(c, "UTF8_STRING");
  const xcb_atom_t hint = atom(c, "x-kde-passwordManagerHint"), silent = atom(c, "application/x-never-answered");
  const xcb_atom_t extra = mode == "secret" ? hint : silent;
  xcb_set_selection_owner(c, w, clipboard, XCB_CURRENT_TIME);
  xcb_flush(c);
  std::printf("owned\n");
  std::fflush(stdout);
  while (xcb_generic_event_t* e = xcb_wait_for_event(c)) {
    const int type = e->response_type & 0x7F;
    if (type == XCB_SELECTION_CLEAR) {
      std::free(e);
      break;
    }
    if (type == XCB_SELECTION_REQUEST) {
      const auto* r = reinterpret_cast<xcb_selection_request_event_t*>(e);
      xcb_atom_t property = r->property;
      if (r->target == targets) {
        const std::vector<xcb_atom_t> list{targets, utf8, extra};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, r->requestor, property, XCB_ATOM_ATOM, 32,
                            static_cast<std::uint32_t>(list.size()), list.data());
      } else if (r->target == utf8) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, r->requestor, property, utf8, 8,
                            static_cast<std::uint32_t>(text.size()), text.data());
      } else if (r->target == hint && mode == "secret") {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, r->requestor, property, hint, 8, 6, "secret");
      } else if (r->target == silent) {
        // Never answered: the reader must give up on its own.
        std::free(e);
        continue;
      } else {
        property = XCB_NONE;
      }
      xcb_selection_notify_event_t n{};
      n.response_type = XCB_SELECTION_NOTIFY;
      n.requestor = r->requestor;
      n.selection = r->selection;
      n.target = r->target;
      n.property = property;
      n.time = r->time;
      xcb_send_event(c, 0, r->requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&n));
      xcb_flush(c);
    }
    std::free(e);
  }
  xcb_disconnect(c);
  return 0;
}
