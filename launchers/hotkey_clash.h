#pragma once
// One key combination for two launcher entries: the desktop grabs it for
// the first registration only, so the second entry would never run from
// it. The editor refuses to save such a list and says which entry already
// holds the keys.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launchers/entry_lists.h"

namespace zelvor {

// Bindings (registration form) held outside the list being saved, with the
// description of their holder.
using TakenHotkeys = std::map<std::uint32_t, std::string>;

// The second node with a binding, placed as ListCheckFailure places nodes
// (element from 1; shortcuts: part 1 left, 2 right; menus: part 0 the menu,
// i its item i).
struct HotkeyClash {
  int element = 0;
  int part = 0;
  std::uint32_t binding = 0;
  std::string holder;  // the description of the entry that has it first
};

// Walks the shortcuts (left, then right button), then the menus (the menu,
// then its items) in the order of the editor's tree.
[[nodiscard]] std::optional<HotkeyClash> FindHotkeyClash(const std::vector<Shortcut>& shortcuts,
                                                         const std::vector<LauncherMenu>& menus,
                                                         TakenHotkeys taken = {});

// Every binding of the lists, for the check of the other list.
[[nodiscard]] TakenHotkeys HotkeysOf(const std::vector<Shortcut>& shortcuts, const std::vector<LauncherMenu>& menus);

[[nodiscard]] std::string HotkeyClashMessage(std::string_view keyName, std::string_view holder);

}  // namespace zelvor
