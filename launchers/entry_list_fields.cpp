// The program-list editor's help with the fields of a node: the built-in
// choices of the description, the icons of the tree's nodes, and the check
// that no two entries share one key combination.

#include <algorithm>
#include <optional>
#include <utility>

#include "launchers/builtin_choices.h"
#include "launchers/entry_icons.h"
#include "launchers/entry_list_page.h"
#include "launchers/hotkey_clash.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "shell/hotkey_names.h"
#include "shell/store/config_store.h"
#include "shell/zelvor_app.h"

namespace zelvor {

ProgramFolders CEntryListPage::ProgramFoldersOf() const {
  ProgramFolders folders;
  const std::optional<std::string> path = app_.options().environment("PATH");
  if (!path) return folders;
  std::size_t start = 0;
  while (start <= path->size()) {
    const std::size_t end = std::min(path->find(':', start), path->size());
    if (end > start) {
      std::string folder = path->substr(start, end - start);
      if (folder.back() != '/') folder += '/';
      folders.push_back(std::move(folder));
    }
    start = end + 1;
  }
  return folders;
}

ImageRef CEntryListPage::NodeImage(std::size_t element, std::optional<std::size_t> child) const {
  if (list_ == EntryList::Shortcuts) {
    const Shortcut& s = shortcuts_[element].shortcut;
    // The shortcut shows what its icon in the notification area shows; a
    // button shows its own program's icon.
    if (!child) return EntryImage(s.left, s.icon);
    return EntryImage(*child == 0 ? s.left : s.right, {});
  }
  const LauncherMenu& menu = menus_[element];
  if (!child) return EntryImage({}, menu.icon);
  return EntryImage(menu.items[*child].entry, menu.items[*child].icon);
}

void CEntryListPage::SelectNode(Control& root, int element, int part) {
  std::vector<int> path{element - 1};
  if (part > 0) path.push_back(part - 1);
  Select(root, std::move(path));
}

bool CEntryListPage::CheckHotkeys(Control& root) {
  // The other launcher list holds keys too; it is checked as stored.
  Registry& registry = app_.store().registry();
  const std::optional<HotkeyClash> clash =
      list_ == EntryList::Shortcuts ? FindHotkeyClash(PlainShortcuts(), {}, HotkeysOf({}, LoadMenus(registry)))
                                    : FindHotkeyClash({}, menus_, HotkeysOf(LoadShortcuts(registry), {}));
  if (!clash) return true;
  SelectNode(root, clash->element, clash->part);
  (void)app_.desktop().messageBoxes.show({HotkeyClashMessage(KeyName(clash->binding), clash->holder),
                                          std::string(kEntryCheckTitle), MsgButtons::Ok, MsgIcon::Warning, true});
  return false;
}

void CEntryListPage::ChooseBuiltIn(Control& root, std::size_t choice) {
  ProgramEntry* entry = SelectedEntry();
  const BuiltInChoice& chosen = BuiltInChoices()[choice];
  if (entry == nullptr) {
    // A menu takes the text only.
    if (Selected().kind == NodeKind::Menu) menus_[Selected().element].description = std::string(chosen.description);
  } else if (!ApplyBuiltInChoice(chosen, ProgramFoldersOf(), app_.platform().files,
                                 app_.options().install.systemProgramFolder, *entry, SelectedIcon())) {
    (void)app_.desktop().messageBoxes.show(
        {std::string(kNoSuchProgramMessage), "Zelvor", MsgButtons::Ok, MsgIcon::Warning, false});
  }
  SetModified();
  RebuildTree(root);
  ShowNode(root);
}

}  // namespace zelvor
