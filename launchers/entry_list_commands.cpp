// The toolbar commands of the program-list editor and the browse buttons
// of its fields. Every command edits the page's copy of the list; the
// store sees it at "Apli&car".

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

#include "launchers/desktop_entry.h"
#include "launchers/entry_checks.h"
#include "launchers/entry_list_page.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "shell/shell_helpers.h"
#include "shell/store/config_store.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {
// Desktop entries take the place of shell links; both are offered.
constexpr std::string_view kLinkFilter =
    "Accesos directos (*.desktop; *.lnk; *.pif)|*.desktop;*.lnk;*.pif||";
constexpr std::string_view kProgramFilter =
    "Programas (*.desktop; *.sh; *.exe; *.com; *.bat; *.lnk; *.pif)|*.desktop;*.sh;*.exe;*.com;*.pif;*.lnk;*.bat|"
    "Todos los archivos|*.*||";

bool endsWithNoCase(std::string_view text, std::string_view tail) {
  if (text.size() < tail.size()) return false;
  return std::equal(tail.begin(), tail.end(), text.end() - static_cast<std::ptrdiff_t>(tail.size()),
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// Keeps a menu's default item on the same item when items move.
void itemsSwapped(LauncherMenu& menu, std::size_t a, std::size_t b) {
  const int na = static_cast<int>(a) + 1, nb = static_cast<int>(b) + 1;
  if (menu.defaultItem == na) {
    menu.defaultItem = nb;
  } else if (menu.defaultItem == nb) {
    menu.defaultItem = na;
  }
}

}  // namespace

void CEntryListPage::AddElement(Control& root) {
  const NodeRef ref = Selected();
  const std::size_t at = ref.kind == NodeKind::None
                             ? (list_ == EntryList::Shortcuts ? shortcuts_.size() : menus_.size())
                             : ref.element + 1;
  if (list_ == EntryList::Shortcuts) {
    // 99 shortcuts at most: their hotkey ids have room for no more.
    if (shortcuts_.size() >= 99) return;
    ShortcutNode node;
    node.shortcut.left = node.shortcut.right = NewEntryFor(list_);
    node.addedHere = true;
    shortcuts_.insert(shortcuts_.begin() + static_cast<std::ptrdiff_t>(at), std::move(node));
  } else {
    if (menus_.size() >= 99) return;
    menus_.insert(menus_.begin() + static_cast<std::ptrdiff_t>(at), LauncherMenu{});
  }
  SetModified();
  Select(root, {static_cast<int>(at)});
}

void CEntryListPage::AddItem(Control& root, bool separator, ListElement element) {
  if (list_ != EntryList::Menus) return;
  const NodeRef ref = Selected();
  if (ref.kind == NodeKind::None || ref.kind == NodeKind::TopSeparator) return;
  LauncherMenu& menu = menus_[ref.element];
  // 99 items at most: the menu's command ids have room for no more.
  if (menu.items.size() >= 99) return;
  const bool onItem = ref.kind == NodeKind::Item || ref.kind == NodeKind::Separator;
  const std::size_t at = onItem ? ref.child + 1 : menu.items.size();
  if (separator) {
    element = {};
    element.separator = true;
    element.entry.description = "Separador";
  } else if (element.entry == ProgramEntry{} && element.icon == IconRecord{}) {
    element.entry = NewEntryFor(EntryList::Menus);
  }
  menu.items.insert(menu.items.begin() + static_cast<std::ptrdiff_t>(at), std::move(element));
  if (menu.defaultItem > static_cast<int>(at)) ++menu.defaultItem;
  SetModified();
  Select(root, {static_cast<int>(ref.element), static_cast<int>(at)});
}

void CEntryListPage::AddSeparator(Control& root) {
  const NodeRef ref = Selected();
  if (ref.kind == NodeKind::Item || ref.kind == NodeKind::Separator) {
    AddItem(root, true);
    return;
  }
  // A spacer among the icons, after the selected one.
  const std::size_t count = list_ == EntryList::Shortcuts ? shortcuts_.size() : menus_.size();
  if (count >= 99) return;
  const std::size_t at = ref.kind == NodeKind::None ? count : ref.element + 1;
  if (list_ == EntryList::Shortcuts) {
    ShortcutNode node;
    node.shortcut.separator = true;
    shortcuts_.insert(shortcuts_.begin() + static_cast<std::ptrdiff_t>(at), std::move(node));
  } else {
    LauncherMenu menu;
    menu.description = std::string(kSeparator);
    menus_.insert(menus_.begin() + static_cast<std::ptrdiff_t>(at), std::move(menu));
  }
  SetModified();
  Select(root, {static_cast<int>(at)});
}

void CEntryListPage::Import(Control& root) {
  const auto files = app_.dialogs().chooseFiles(
      {"Seleccione los accesos directos", std::string(kLinkFilter), "", false, false, true, true});
  for (const std::string& path : files) {
    ImportedEntry imported{NewEntryFor(list_), {}};
    if (!ImportDesktopFile(app_.platform().files, path, imported.entry, &imported.icon)) continue;
    if (list_ == EntryList::Shortcuts) {
      const NodeRef ref = Selected();
      const std::size_t at = ref.kind == NodeKind::None ? shortcuts_.size() : ref.element + 1;
      if (shortcuts_.size() >= 99) return;
      ShortcutNode node;
      node.shortcut.icon = imported.icon;
      node.shortcut.left = imported.entry;
      node.shortcut.right = NewEntryFor(list_);
      node.addedHere = true;
      shortcuts_.insert(shortcuts_.begin() + static_cast<std::ptrdiff_t>(at), std::move(node));
      SetModified();
      Select(root, {static_cast<int>(at)});
    } else {
      AddItem(root, false, {false, imported.entry, imported.icon});
    }
  }
}

void CEntryListPage::Delete(Control& root) {
  const NodeRef ref = Selected();
  std::vector<int> next;
  switch (ref.kind) {
    case NodeKind::None: return;
    case NodeKind::TopSeparator:
      if (list_ == EntryList::Menus) {
        menus_.erase(menus_.begin() + static_cast<std::ptrdiff_t>(ref.element));
        if (ref.element < menus_.size()) next = {static_cast<int>(ref.element)};
        else if (ref.element > 0) next = {static_cast<int>(ref.element) - 1};
        break;
      }
      [[fallthrough]];
    case NodeKind::Shortcut:
    case NodeKind::Button:  // the buttons belong to their shortcut: it goes whole
      shortcuts_.erase(shortcuts_.begin() + static_cast<std::ptrdiff_t>(ref.element));
      if (ref.element < shortcuts_.size()) next = {static_cast<int>(ref.element)};
      else if (ref.element > 0) next = {static_cast<int>(ref.element) - 1};
      break;
    case NodeKind::Menu: {
      const MsgAnswer answer =
          app_.desktop().messageBoxes.show({std::string(kDeleteMenuQuestion), std::string(kEntryCheckTitle),
                                            MsgButtons::YesNo, MsgIcon::Question, false});
      if (answer != MsgAnswer::Yes) return;
      menus_.erase(menus_.begin() + static_cast<std::ptrdiff_t>(ref.element));
      if (ref.element < menus_.size()) next = {static_cast<int>(ref.element)};
      else if (ref.element > 0) next = {static_cast<int>(ref.element) - 1};
      break;
    }
    case NodeKind::Item:
    case NodeKind::Separator: {
      LauncherMenu& menu = menus_[ref.element];
      menu.items.erase(menu.items.begin() + static_cast<std::ptrdiff_t>(ref.child));
      const int removed = static_cast<int>(ref.child) + 1;
      if (menu.defaultItem == removed) menu.defaultItem = 0;
      else if (menu.defaultItem > removed) --menu.defaultItem;
      const int e = static_cast<int>(ref.element);
      if (ref.child < menu.items.size()) next = {e, static_cast<int>(ref.child)};
      else if (ref.child > 0) next = {e, static_cast<int>(ref.child) - 1};
      else next = {e};
      break;
    }
  }
  SetModified();
  Select(root, std::move(next));
}

void CEntryListPage::Move(Control& root, int step) {
  const NodeRef ref = Selected();
  const auto target = [step](std::size_t from, std::size_t count) -> std::optional<std::size_t> {
    if (step < 0 && from == 0) return std::nullopt;
    if (step > 0 && from + 1 >= count) return std::nullopt;
    return step < 0 ? from - 1 : from + 1;
  };
  const bool top = ref.kind == NodeKind::TopSeparator;
  if (ref.kind == NodeKind::Shortcut || (top && list_ == EntryList::Shortcuts)) {
    const auto to = target(ref.element, shortcuts_.size());
    if (!to) return;
    std::swap(shortcuts_[ref.element], shortcuts_[*to]);
    SetModified();
    Select(root, {static_cast<int>(*to)});
  } else if (ref.kind == NodeKind::Menu || top) {
    const auto to = target(ref.element, menus_.size());
    if (!to) return;
    std::swap(menus_[ref.element], menus_[*to]);
    SetModified();
    Select(root, {static_cast<int>(*to)});
  } else if (ref.kind == NodeKind::Item || ref.kind == NodeKind::Separator) {
    LauncherMenu& menu = menus_[ref.element];
    const auto to = target(ref.child, menu.items.size());
    if (!to) return;
    std::swap(menu.items[ref.child], menu.items[*to]);
    itemsSwapped(menu, ref.child, *to);
    SetModified();
    Select(root, {static_cast<int>(ref.element), static_cast<int>(*to)});
  }
}

void CEntryListPage::Clear(Control& root) {
  const NodeRef ref = Selected();
  if (ProgramEntry* entry = SelectedEntry()) *entry = NewEntryFor(list_);
  if (ref.kind == NodeKind::Item) menus_[ref.element].items[ref.child].icon = {};
  if (ref.kind == NodeKind::Shortcut) shortcuts_[ref.element].shortcut.icon = {};
  if (ref.kind == NodeKind::Menu) {
    LauncherMenu& menu = menus_[ref.element];
    menu = LauncherMenu{{}, 0, 0, 0, {}, std::move(menu.items)};
  }
  if (ref.kind == NodeKind::None || ref.kind == NodeKind::Separator || ref.kind == NodeKind::TopSeparator) return;
  SetModified();
  RebuildTree(root);
  ShowNode(root);
}

void CEntryListPage::Run() {
  const ProgramEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  LaunchServices services{app_.platform().launcher, app_.platform().files, &prompt_, ProcessEnvironment()};
  (void)LaunchEntry(*entry, services);
}

void CEntryListPage::BrowseProgram(Control& root) {
  ProgramEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  const auto files =
      app_.dialogs().chooseFiles({"Examinar archivos", std::string(kProgramFilter), entry->program, false, false,
                                  true, false});
  if (files.empty()) return;
  const std::string& path = files.front();
  if (endsWithNoCase(path, ".desktop")) {
    ProgramEntry imported = *entry;
    IconRecord icon;
    if (ImportDesktopFile(app_.platform().files, path, imported, &icon)) {
      // The entry keeps what the file does not say: its hotkey and the list's own options.
      *entry = imported;
      if (IconRecord* record = SelectedIcon()) *record = icon;
      SetModified();
      RebuildTree(root);
      ShowNode(root);
      return;
    }
  }
  entry->program = path;
  SetModified();
  ShowNode(root);
}

}  // namespace zelvor
