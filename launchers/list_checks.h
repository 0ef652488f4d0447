#pragma once
// The checks of a whole list before it is saved, node by node in the order
// the editor's tree shows them; the first failing node is the one the
// editor selects, and nothing is saved.

#include <optional>
#include <vector>

#include "launchers/entry_checks.h"
#include "launchers/entry_lists.h"

namespace zelvor {

// Where a check failed. For shortcuts: element = the shortcut, part = 0 for
// its icon, 1 left button, 2 right button. For menus: element = the menu,
// part = 0 for the menu itself, i for its item i. For programs: element =
// the program, part = 0.
struct ListCheckFailure {
  int element = 0;  // from 1, as in the store
  int part = 0;
  EntryCheckResult result;
};

[[nodiscard]] std::optional<ListCheckFailure> CheckShortcuts(const std::vector<Shortcut>& shortcuts,
                                                             Files& files, const ProgramFolders& folders);
// A menu item is checked for its entry first, then for its icon.
[[nodiscard]] std::optional<ListCheckFailure> CheckMenus(const std::vector<LauncherMenu>& menus,
                                                         Files& files, const ProgramFolders& folders);
[[nodiscard]] std::optional<ListCheckFailure> CheckPrograms(const std::vector<ListElement>& programs,
                                                            Files& files, const ProgramFolders& folders);

}  // namespace zelvor
