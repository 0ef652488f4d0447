#pragma once
// The four lists of program entries and where each keeps them below the
// configuration root. Every list counts its elements in `Numero` and numbers
// their sub-keys from 1 with a blank before the number; a separator is a
// sub-key whose default value is "Separador".
//
//   VaziDuzidarud\ n                  icon record of shortcut n
//   VaziDuzidarud\ n\BotonIzquierdo   entry of its left button
//   VaziDuzidarud\ n\BotonDerecho     entry of its right button
//   RaroDarid\Menu n                  menu n: description, AutoMostrar, Defecto,
//                                     HotKey, icon record, Numero
//   RaroDarid\Menu n\ i               item i: entry and icon record
//   DedoVuv\Programas\ n              program n run on connecting
//   DadeRive\Programas\ n             program n run before shutting down

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "launchers/program_entry.h"
#include "platform/registry.h"
#include "shell/hotkey_names.h"

namespace zelvor {

enum class EntryList { Shortcuts, Menus, ConnectPrograms, ShutdownPrograms };
enum class MouseButton { Left, Right };

inline constexpr std::string_view kLeftButtonKey = "BotonIzquierdo";
inline constexpr std::string_view kRightButtonKey = "BotonDerecho";
inline constexpr std::string_view kConnectProgramsKey = "DedoVuv\\Programas";
inline constexpr std::string_view kShutdownProgramsKey = "DadeRive\\Programas";

namespace menu_value {
inline constexpr std::string_view AutoMostrar = "AutoMostrar";
inline constexpr std::string_view Defecto = "Defecto";
inline constexpr std::string_view HotKey = "HotKey";
}  // namespace menu_value

// A count read from the store above this is taken as this many: a damaged
// `Numero` must not make a load walk billions of keys.
inline constexpr int kMaxListElements = 1000;

// Sub-paths below the configuration root.
[[nodiscard]] std::string ShortcutKey(int n);
[[nodiscard]] std::string ShortcutButtonKey(int n, MouseButton button);
[[nodiscard]] std::string MenuKey(int n);
[[nodiscard]] std::string MenuItemKey(int n, int i);
[[nodiscard]] std::string ConnectProgramKey(int n);
[[nodiscard]] std::string ShutdownProgramKey(int n);

// Hotkey identifiers of the entries (MenuHotkeyId, MenuItemHotkeyId: shell/hotkey_names.h).
[[nodiscard]] constexpr int ShortcutHotkeyId(int n, MouseButton button) {
  return ShortcutProgramHotkeyId(n, button == MouseButton::Left ? 1 : 2);
}

// The entry a new element of a list starts from: the Dade Rive list runs a
// new program at every kind of shutdown.
[[nodiscard]] ProgramEntry NewEntryFor(EntryList list);

// One element of a menu or a program list.
struct ListElement {
  bool separator = false;
  ProgramEntry entry;
  IconRecord icon;  // menu items only

  friend bool operator==(const ListElement&, const ListElement&) = default;
};

struct Shortcut {
  IconRecord icon;
  ProgramEntry left;
  ProgramEntry right;
  bool separator = false;  // a spacer in the row of icons: no icon record, no buttons

  friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

struct LauncherMenu {
  std::string description;
  int autoShow = 0;     // AutoMostrar
  int defaultItem = 0;  // Defecto: number of the default item, 0 = none
  std::uint32_t hotkey = 0;
  IconRecord icon;
  std::vector<ListElement> items;

  friend bool operator==(const LauncherMenu&, const LauncherMenu&) = default;
};

// Missing keys load as elements with defaults, so a list always has the
// length its `Numero` gives (bounded by kMaxListElements).
[[nodiscard]] std::vector<Shortcut> LoadShortcuts(Registry& registry);
[[nodiscard]] std::vector<LauncherMenu> LoadMenus(Registry& registry);
// list: ConnectPrograms or ShutdownPrograms.
[[nodiscard]] std::vector<ListElement> LoadPrograms(Registry& registry, EntryList list);

// Rewrites a whole list: its numbered sub-keys go and the elements are
// written again in order, with the count in `Numero`. Everything else under
// the list's key (a utility's own settings) stays. The change reaches the
// store as one batch: when it cannot be written the old list stays whole.
[[nodiscard]] RegStatus SaveShortcuts(Registry& registry, const std::vector<Shortcut>& shortcuts);
[[nodiscard]] RegStatus SaveMenus(Registry& registry, const std::vector<LauncherMenu>& menus);
[[nodiscard]] RegStatus SavePrograms(Registry& registry, EntryList list,
                                     const std::vector<ListElement>& programs);

}  // namespace zelvor
