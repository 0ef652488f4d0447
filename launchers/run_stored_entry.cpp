#include "launchers/run_stored_entry.h"

#include "launchers/entry_lists.h"
#include "shell/store/config_store.h"

namespace zelvor {

std::int64_t RunStoredEntry(Registry& registry, const LaunchServices& services, StoredEntryKind kind,
                            int n, int i, int* closeOnDisconnect) {
  std::string subPath;
  switch (kind) {
    case StoredEntryKind::ShortcutLeft:
      subPath = ShortcutButtonKey(n, MouseButton::Left);
      break;
    case StoredEntryKind::ShortcutRight:
      subPath = ShortcutButtonKey(n, MouseButton::Right);
      break;
    case StoredEntryKind::MenuItem:
      subPath = MenuItemKey(n, i);
      break;
    case StoredEntryKind::ConnectProgram:
      subPath = ConnectProgramKey(n);
      break;
  }
  CRegKeyEx key(registry);
  (void)key.Open(Hive::CurrentUser, ConfigStore::KeyPath(subPath));
  const ProgramEntry entry = LoadEntry(key);
  if (closeOnDisconnect != nullptr) *closeOnDisconnect = entry.closeOnDisconnect;
  // A separator has no program: it starts nothing, as an empty entry.
  if (entry.description == kSeparator) return 0;
  const LaunchOutcome outcome = LaunchEntry(entry, services);
  if (kind == StoredEntryKind::ConnectProgram) return outcome.processId;
  return outcome.ok ? 1 : 0;
}

}  // namespace zelvor
