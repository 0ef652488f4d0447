#pragma once
// Hotkeys as a test sees them: what is registered, and a keyboard to press
// a registered combination with.

#include <map>
#include <set>
#include <utility>

#include "platform/event_loop.h"
#include "platform/hotkeys.h"
#include "platform/messages.h"

namespace zelvor {

class SimHotkeys : public Hotkeys {
 public:
  explicit SimHotkeys(EventLoop& loop) : loop_(loop) {}

  struct Binding {
    WindowHandle target = kNoWindow;
    std::uint32_t modifiers = 0;
    std::uint32_t key = 0;
  };

  bool registerHotkey(WindowHandle target, int id, std::uint32_t modifiers,
                      std::uint32_t virtualKey) override {
    if (!grabbing || taken.contains({modifiers, virtualKey})) return false;
    registered[id] = {target, modifiers, virtualKey};
    return true;
  }
  void unregisterHotkey(WindowHandle, int id) override { registered.erase(id); }
  bool canGrab() const override { return grabbing; }

  // Presses the combination registered under id; false when none is.
  bool press(int id) {
    const auto it = registered.find(id);
    if (it == registered.end()) return false;
    loop_.post(it->second.target, msg::HotKey, id, 0);
    return true;
  }

  std::map<int, Binding> registered;
  std::set<std::pair<std::uint32_t, std::uint32_t>> taken;  // combinations another program holds
  bool grabbing = true;  // false: a desktop that lets no program grab keys

 private:
  EventLoop& loop_;
};

}  // namespace zelvor
