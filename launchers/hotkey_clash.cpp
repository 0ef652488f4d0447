#include "launchers/hotkey_clash.h"

#include "shell/store/config_store.h"

namespace zelvor {
namespace {

// Calls visit(element, part, binding, description) for every bound node in tree order;
// stops when visit returns true.
template <typename Visit>
void forEachBinding(const std::vector<Shortcut>& shortcuts, const std::vector<LauncherMenu>& menus, Visit visit) {
  int n = 0;
  for (const Shortcut& s : shortcuts) {
    ++n;
    if (s.separator) continue;
    if (s.left.hotkey != 0 && visit(n, 1, s.left.hotkey, s.left.description)) return;
    if (s.right.hotkey != 0 && visit(n, 2, s.right.hotkey, s.right.description)) return;
  }
  n = 0;
  for (const LauncherMenu& menu : menus) {
    ++n;
    if (menu.description == kSeparator) continue;
    if (menu.hotkey != 0 && visit(n, 0, menu.hotkey, menu.description)) return;
    int i = 0;
    for (const ListElement& item : menu.items) {
      ++i;
      if (!item.separator && item.entry.hotkey != 0 && visit(n, i, item.entry.hotkey, item.entry.description)) return;
    }
  }
}

}  // namespace

std::optional<HotkeyClash> FindHotkeyClash(const std::vector<Shortcut>& shortcuts,
                                           const std::vector<LauncherMenu>& menus, TakenHotkeys taken) {
  std::optional<HotkeyClash> clash;
  forEachBinding(shortcuts, menus, [&](int element, int part, std::uint32_t binding, const std::string& text) {
    const auto [at, fresh] = taken.emplace(binding, text);
    if (fresh) return false;
    clash = HotkeyClash{element, part, binding, at->second};
    return true;
  });
  return clash;
}

TakenHotkeys HotkeysOf(const std::vector<Shortcut>& shortcuts, const std::vector<LauncherMenu>& menus) {
  TakenHotkeys taken;
  forEachBinding(shortcuts, menus, [&](int, int, std::uint32_t binding, const std::string& text) {
    taken.emplace(binding, text);
    return false;
  });
  return taken;
}

std::string HotkeyClashMessage(std::string_view keyName, std::string_view holder) {
  return "Las teclas de acceso rápido " + std::string(keyName) + " ya están asignadas a \"" + std::string(holder) +
         "\". \nElija otra combinación de teclas.";
}

}  // namespace zelvor
