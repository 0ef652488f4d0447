#pragma once
// System-wide key combinations. A pressed combination arrives at the
// target given at registration as msg::HotKey with wParam the hotkey id.

#include <cstdint>

#include "platform/ui_types.h"

namespace zelvor {

// Modifier bits in registration form.
namespace hotkey_mod {
inline constexpr std::uint32_t Alt = 1;
inline constexpr std::uint32_t Control = 2;
inline constexpr std::uint32_t Shift = 4;
inline constexpr std::uint32_t Win = 8;
}  // namespace hotkey_mod

class Hotkeys {
 public:
  virtual ~Hotkeys() = default;
  // virtualKey: the suite's virtual-key codes ('A'..'Z', '0'..'9', 0x70 F1, ...).
  // False when the combination is taken by another program or cannot be grabbed.
  [[nodiscard]] virtual bool registerHotkey(WindowHandle target, int id, std::uint32_t modifiers,
                                            std::uint32_t virtualKey) = 0;
  virtual void unregisterHotkey(WindowHandle target, int id) = 0;
  // Whether this desktop lets a program grab key combinations at all (a
  // Wayland session does not: its own shortcut settings run commands).
  [[nodiscard]] virtual bool canGrab() const = 0;
};

}  // namespace zelvor
