#pragma once
// System-wide hotkeys on X11: passive key grabs on the root window, made
// with and without NumLock and CapsLock so that the lock keys do not matter,
// and made again when the keyboard mapping changes. Without X11 (Wayland)
// every registration fails; the desktop's own shortcut settings can run
// `zelvorctl command` instead.

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/hotkeys.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/x11_connection.h"

namespace zelvor {

class X11Hotkeys final : public Hotkeys {
 public:
  X11Hotkeys(QtEventLoop& loop, X11Connection* x11);
  ~X11Hotkeys() override;

  [[nodiscard]] bool registerHotkey(WindowHandle target, int id, std::uint32_t modifiers,
                                    std::uint32_t virtualKey) override;
  void unregisterHotkey(WindowHandle target, int id) override;
  bool canGrab() const override { return x11_ != nullptr; }

 private:
  struct Binding {
    std::uint32_t modifiers;  // suite bits
    std::uint32_t virtualKey;
    std::uint16_t xModifiers = 0;
    std::vector<xcb_keycode_t> keycodes;  // grabbed now
  };
  [[nodiscard]] bool grab(Binding& binding);
  void ungrab(Binding& binding);
  [[nodiscard]] std::vector<std::uint16_t> lockVariants() const;
  void readLockMasks();
  bool onEvent(const xcb_generic_event_t& event);

  QtEventLoop& loop_;
  X11Connection* x11_;
  xcb_key_symbols_t* symbols_ = nullptr;
  std::uint16_t numLockMask_ = XCB_MOD_MASK_2;
  std::map<std::pair<WindowHandle, int>, Binding> bindings_;
};

}  // namespace zelvor
