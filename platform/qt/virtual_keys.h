#pragma once
// The suite's virtual-key codes and their toolkit counterparts: X keysyms
// for grabs and synthetic keys, Qt keys for what widgets report.

#include <cstdint>

namespace zelvor::vk {

inline constexpr int Control = 0x11;
inline constexpr int V = 'V';

// 0 when the code has no key on this desktop.
[[nodiscard]] std::uint32_t toKeysym(int virtualKey);
// 0 when the Qt key has no virtual-key code.
[[nodiscard]] int fromQtKey(int qtKey);
[[nodiscard]] int toQtKey(int virtualKey);

}  // namespace zelvor::vk
