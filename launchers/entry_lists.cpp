#include "launchers/entry_lists.h"

#include <algorithm>

#include "shell/store/config_store.h"
#include "shell/store/staged_registry.h"

namespace zelvor {
namespace {

std::string ButtonKeyName(MouseButton button) {
  return std::string(button == MouseButton::Left ? kLeftButtonKey : kRightButtonKey);
}

std::string_view ProgramsKey(EntryList list) {
  return list == EntryList::ShutdownPrograms ? kShutdownProgramsKey : kConnectProgramsKey;
}

bool OpenKey(CRegKeyEx& key, std::string_view subPath) {
  return key.Open(Hive::CurrentUser, ConfigStore::KeyPath(subPath)) == RegStatus::Ok;
}

int ElementCount(Registry& registry, std::string_view listKey) {
  CRegKeyEx key(registry);
  if (!OpenKey(key, listKey)) return 0;
  return std::clamp(key.GetInt(kListCount), 0, kMaxListElements);
}

ListElement LoadElement(Registry& registry, const std::string& subPath) {
  CRegKeyEx key(registry);
  (void)OpenKey(key, subPath);
  ListElement element;
  element.entry = LoadEntry(key);
  element.separator = element.entry.description == kSeparator;
  element.icon = LoadIcon(key);
  return element;
}

enum class WithIcon { No, Yes };

// Writes into the staged copy; a failure shows at the commit.
void SaveElement(Registry& staged, const std::string& subPath, const ListElement& element,
                 WithIcon withIcon) {
  CRegKeyEx key(staged);
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(subPath)) != RegStatus::Ok) return;
  if (element.separator) {
    key.SetString(entry_value::Descripcion, kSeparator);
    return;
  }
  SaveEntry(element.entry, key);
  if (withIcon == WithIcon::Yes) SaveIcon(element.icon, key);
}

bool IsNumberedName(std::string_view name, std::string_view prefix) {
  if (name.size() <= prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(name[i]) != lower(prefix[i])) return false;
  }
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

// Opens (creating) the list key in the staged copy, removes its numbered
// sub-keys and writes the new count.
RegStatus StartRewrite(Registry& staged, std::string_view listKey, std::string_view prefix,
                       std::size_t count) {
  CRegKeyEx key(staged);
  const RegStatus status = key.Create(Hive::CurrentUser, ConfigStore::KeyPath(listKey));
  if (status != RegStatus::Ok) return status;
  std::vector<std::string> names;
  key.EnumSubKeys(names);
  for (const auto& name : names) {
    if (IsNumberedName(name, prefix)) (void)key.RecurseDeleteKey(name);
  }
  key.SetInt(static_cast<int>(count), kListCount);
  return RegStatus::Ok;
}

}  // namespace

std::string ShortcutKey(int n) {
  return joinKeyPath(utility_key::VaziDuzidarud, listElementKey(n));
}
std::string ShortcutButtonKey(int n, MouseButton button) {
  return joinKeyPath(ShortcutKey(n), ButtonKeyName(button));
}
std::string MenuKey(int n) {
  return joinKeyPath(utility_key::RaroDarid, "Menu " + std::to_string(n));
}
std::string MenuItemKey(int n, int i) { return joinKeyPath(MenuKey(n), listElementKey(i)); }
std::string ConnectProgramKey(int n) { return joinKeyPath(kConnectProgramsKey, listElementKey(n)); }
std::string ShutdownProgramKey(int n) {
  return joinKeyPath(kShutdownProgramsKey, listElementKey(n));
}

ProgramEntry NewEntryFor(EntryList list) {
  ProgramEntry entry;
  if (list == EntryList::ShutdownPrograms) entry.flags = kAllShutdownKinds;
  return entry;
}

std::vector<Shortcut> LoadShortcuts(Registry& registry) {
  std::vector<Shortcut> out;
  const int count = ElementCount(registry, utility_key::VaziDuzidarud);
  for (int n = 1; n <= count; ++n) {
    Shortcut s;
    CRegKeyEx key(registry);
    (void)OpenKey(key, ShortcutKey(n));
    s.separator = key.GetString(entry_value::Descripcion) == kSeparator;
    s.icon = LoadIcon(key);
    CRegKeyEx left(registry), right(registry);
    (void)OpenKey(left, ShortcutButtonKey(n, MouseButton::Left));
    (void)OpenKey(right, ShortcutButtonKey(n, MouseButton::Right));
    s.left = LoadEntry(left);
    s.right = LoadEntry(right);
    out.push_back(std::move(s));
  }
  return out;
}

std::vector<LauncherMenu> LoadMenus(Registry& registry) {
  std::vector<LauncherMenu> out;
  const int count = ElementCount(registry, utility_key::RaroDarid);
  for (int n = 1; n <= count; ++n) {
    LauncherMenu menu;
    CRegKeyEx key(registry);
    (void)OpenKey(key, MenuKey(n));
    menu.description = key.GetString(entry_value::Descripcion);
    menu.autoShow = key.GetInt(menu_value::AutoMostrar);
    menu.defaultItem = key.GetInt(menu_value::Defecto);
    menu.hotkey = key.GetDword(menu_value::HotKey).value_or(0);
    menu.icon = LoadIcon(key);
    const int items = key.IsOpen() ? std::clamp(key.GetInt(kListCount), 0, kMaxListElements) : 0;
    for (int i = 1; i <= items; ++i) menu.items.push_back(LoadElement(registry, MenuItemKey(n, i)));
    out.push_back(std::move(menu));
  }
  return out;
}

std::vector<ListElement> LoadPrograms(Registry& registry, EntryList list) {
  std::vector<ListElement> out;
  const int count = ElementCount(registry, ProgramsKey(list));
  for (int n = 1; n <= count; ++n) {
    const std::string sub = joinKeyPath(ProgramsKey(list), listElementKey(n));
    out.push_back(LoadElement(registry, sub));
    out.back().icon = {};
  }
  return out;
}

RegStatus SaveShortcuts(Registry& registry, const std::vector<Shortcut>& shortcuts) {
  StagedRegistry staged(registry);
  RegStatus status = StartRewrite(staged, utility_key::VaziDuzidarud, " ", shortcuts.size());
  if (status != RegStatus::Ok) return status;
  int n = 0;
  for (const auto& s : shortcuts) {
    ++n;
    CRegKeyEx key(staged);
    if ((status = key.Create(Hive::CurrentUser, ConfigStore::KeyPath(ShortcutKey(n)))) != RegStatus::Ok) {
      return status;
    }
    if (s.separator) {
      key.SetString(entry_value::Descripcion, kSeparator);
      continue;
    }
    SaveIcon(s.icon, key);
    for (const auto button : {MouseButton::Left, MouseButton::Right}) {
      CRegKeyEx entryKey(staged);
      status = entryKey.Create(key, ButtonKeyName(button));
      if (status != RegStatus::Ok) return status;
      SaveEntry(button == MouseButton::Left ? s.left : s.right, entryKey);
    }
  }
  return staged.Commit();
}

RegStatus SaveMenus(Registry& registry, const std::vector<LauncherMenu>& menus) {
  StagedRegistry staged(registry);
  RegStatus status = StartRewrite(staged, utility_key::RaroDarid, "Menu ", menus.size());
  if (status != RegStatus::Ok) return status;
  int n = 0;
  for (const auto& menu : menus) {
    ++n;
    CRegKeyEx key(staged);
    if ((status = key.Create(Hive::CurrentUser, ConfigStore::KeyPath(MenuKey(n)))) != RegStatus::Ok) {
      return status;
    }
    key.SetString(entry_value::Descripcion, menu.description);
    key.SetInt(menu.autoShow, menu_value::AutoMostrar);
    key.SetInt(menu.defaultItem, menu_value::Defecto);
    key.SetDword(menu_value::HotKey, menu.hotkey);
    SaveIcon(menu.icon, key);
    key.SetInt(static_cast<int>(menu.items.size()), kListCount);
    int i = 0;
    for (const auto& item : menu.items) SaveElement(staged, MenuItemKey(n, ++i), item, WithIcon::Yes);
  }
  return staged.Commit();
}

RegStatus SavePrograms(Registry& registry, EntryList list, const std::vector<ListElement>& programs) {
  StagedRegistry staged(registry);
  const RegStatus status = StartRewrite(staged, ProgramsKey(list), " ", programs.size());
  if (status != RegStatus::Ok) return status;
  int n = 0;
  for (const auto& p : programs) {
    SaveElement(staged, joinKeyPath(ProgramsKey(list), listElementKey(++n)), p, WithIcon::No);
  }
  return staged.Commit();
}

}  // namespace zelvor
