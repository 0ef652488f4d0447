#pragma once
// Stored hotkey bindings: their Spanish names, the two modifier forms, and
// the hotkey commands each utility offers.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "shell/utilities.h"

namespace zelvor {

// A stored binding: low byte the virtual-key code, second byte the modifiers
// in registration form (1 Alt, 2 Control, 4 Shift, 8 Windows key).
// Its name: "Ctrl + ", "Alt + ", "Shift + " for the modifiers present, then
// the key's name; empty for 0 and for a key without a name.
[[nodiscard]] std::string KeyName(std::uint32_t binding);

// The hotkey field keeps its modifiers in another order (1 Shift, 2 Control,
// 4 Alt, 8 extended key). Both conversions keep the key byte and drop bits
// the other form has no place for.
[[nodiscard]] std::uint32_t FieldToRegistration(std::uint32_t fieldValue);
[[nodiscard]] std::uint32_t RegistrationToField(std::uint32_t binding);

// The rows of a utility's hotkey page: row k (1-based) is value "HotKey<k>"
// and runs command k. Empty for a utility without hotkey commands.
[[nodiscard]] std::span<const std::string_view> HotkeyCommands(UtilityKind kind);

// The id a utility's hotkey command is registered under.
[[nodiscard]] constexpr int HotkeyId(int iconId, int command) { return iconId * 256 + command; }
// The ids of the launchers' entries (lists count from 1): the left (1) or
// right (2) program of shortcut n, menu n itself, and item i of menu n.
[[nodiscard]] constexpr int ShortcutProgramHotkeyId(int n, int button) { return HotkeyId(100 + n, button); }
[[nodiscard]] constexpr int MenuHotkeyId(int n) { return HotkeyId(200 + n, 0); }
[[nodiscard]] constexpr int MenuItemHotkeyId(int n, int i) { return HotkeyId(200 + n, i); }

}  // namespace zelvor
