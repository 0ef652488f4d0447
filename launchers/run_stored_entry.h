#pragma once
// Running an entry straight from the store, for clicks, menu choices and
// hotkeys that know only the entry's place in its list.

#include <cstdint>

#include "launchers/launch_plan.h"
#include "platform/registry.h"

namespace zelvor {

enum class StoredEntryKind : int {
  ShortcutLeft = 0,    // left button of shortcut n
  ShortcutRight = 1,   // right button of shortcut n
  MenuItem = 2,        // item i of menu n
  ConnectProgram = 3,  // program n of the Dedo Vuv list
};

// Loads the entry (a missing key gives an empty entry, which starts
// nothing), hands back its `CerrarAlDesconectar` when asked and launches
// it. For ConnectProgram the result is the started process's id (0 on
// failure, and for a document or folder); otherwise 1 or 0.
[[nodiscard]] std::int64_t RunStoredEntry(Registry& registry, const LaunchServices& services,
                                          StoredEntryKind kind, int n, int i,
                                          int* closeOnDisconnect = nullptr);

}  // namespace zelvor
