#include "launchers/launcher_utilities.h"

#include <algorithm>

#include "launchers/entry_icons.h"
#include "launchers/run_stored_entry.h"
#include "shell/dialogs/input_box.h"
#include "shell/principal_dlg.h"
#include "shell/shell_menus.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

LaunchServices servicesOf(CZelvorApp& app, ArgumentPrompt& prompt) {
  return {app.platform().launcher, app.platform().files, &prompt, ProcessEnvironment()};
}

}  // namespace

std::optional<std::string> InputBoxPrompt::AskArguments(std::string_view title, std::string_view text,
                                                        std::string_view initial) {
  std::string value(initial);
  CInputBox box(app_.dialogs(), kNoWindow, std::string(text), std::string(title), value, 0);
  if (!box.DoModal()) return std::nullopt;
  return value;
}

CVaziDuzidarud::CVaziDuzidarud(CZelvorApp& app) : app_(app), prompt_(app) {}

void CVaziDuzidarud::runEntry(int list, int item) {
  if (list < 1 || (item != 1 && item != 2)) return;
  const auto kind = item == 1 ? StoredEntryKind::ShortcutLeft : StoredEntryKind::ShortcutRight;
  (void)RunStoredEntry(app_.store().registry(), servicesOf(app_, prompt_), kind, list, 0);
}

CRaroDarid::CRaroDarid(CZelvorApp& app) : app_(app), prompt_(app) {}

std::string CRaroDarid::MenuTitle(const std::string& description, int items) {
  // A long description would make the menu's side bar taller than its items.
  const auto room = static_cast<std::size_t>(std::max(items, 0)) * 2;
  // Fewer characters than room: cutting to room − 1 keeps the whole description.
  if (room > 0 && CutCharacters(description, room - 1) == description) return description;
  if (room <= 6) return {};
  return CutCharacters(description, room - 2) + "...";
}

Menu CRaroDarid::BuildMenu(const LauncherMenu& menu, int n) {
  Menu m;
  m.title = MenuTitle(menu.description, static_cast<int>(menu.items.size()));
  for (std::size_t i = 0; i < menu.items.size(); ++i) {
    const ListElement& e = menu.items[i];
    if (e.separator) {
      m.items.push_back(MenuItem::separator());
      continue;
    }
    MenuItem item = MenuItem::command(MenuItemCommandBase(n) + static_cast<int>(i) + 1, e.entry.description,
                                      EntryImage(e.entry, e.icon));
    item.isDefault = menu.defaultItem == static_cast<int>(i) + 1;
    m.items.push_back(std::move(item));
  }
  return m;
}

void CRaroDarid::runEntry(int list, int item) {
  if (list < 1 || item < 0) return;
  if (item > 0) {
    (void)RunStoredEntry(app_.store().registry(), servicesOf(app_, prompt_), StoredEntryKind::MenuItem, list, item);
    return;
  }
  const std::vector<LauncherMenu> menus = LoadMenus(app_.store().registry());
  if (static_cast<std::size_t>(list) > menus.size()) return;
  // A separator in the row of menu icons has no menu.
  if (menus[static_cast<std::size_t>(list) - 1].description == kSeparator) return;
  if (CPrincipalDlg* main = app_.mainWindow()) {
    main->OpenMenu(BuildMenu(menus[static_cast<std::size_t>(list) - 1], list));
  }
}

}  // namespace zelvor
