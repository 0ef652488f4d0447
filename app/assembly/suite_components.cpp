#include "app/assembly/suite_components.h"

#include "clipboard/rezi_pages.h"
#include "clipboard/rezi_zovidaraz.h"
#include "launchers/entry_list_page.h"
#include "launchers/launcher_utilities.h"
#include "notes/duvu_zevad.h"
#include "notes/notes_pages.h"
#include "notes/suite_note_dialogs.h"
#include "shell/config/conf_dlg.h"
#include "shell/dialogs/shell_windows.h"
#include "shell/zelvor_app.h"
#include "system/window/usage_graph.h"
#include "system/window/zivi_duvaza.h"
#include "system/window/zivi_pages.h"

namespace zelvor {

ConfigTree SuiteConfigTree() {
  ConfigTree tree = ShellConfigTree();
  // Duvu Zevad's own pages sit between its mouse actions and its hotkeys.
  tree.AddPageBefore(UtilityKind::DuvuZevad, kHotkeyPageTitle, notes::CDuvuZevadDlg2::kTitle,
                     [](CZelvorApp& app, int firstId) { return std::make_unique<notes::CDuvuZevadDlg2>(app, firstId); });
  tree.AddPageBefore(UtilityKind::DuvuZevad, kHotkeyPageTitle, notes::CDuvuZevadDlg3::kTitle, [](CZelvorApp& app, int firstId) {
    return std::make_unique<notes::CDuvuZevadDlg3>(
        app, firstId, [&app](const notes::NoteRecord& start) { return notes::EditDefaultNoteInSuite(app, start); });
  });
  tree.AddPage(UtilityKind::VaziDuzidarud, std::string(kShortcutsPageTitle), [](CZelvorApp& app, int firstId) {
    return std::make_unique<CEntryListPage>(app, firstId, EntryList::Shortcuts);
  });
  tree.AddPage(UtilityKind::RaroDarid, std::string(kMenusPageTitle), [](CZelvorApp& app, int firstId) {
    return std::make_unique<CEntryListPage>(app, firstId, EntryList::Menus);
  });
  tree.AddPage(UtilityKind::ReziZovidaraz, std::string(kReziOptionsPageTitle),
               [](CZelvorApp&, int firstId) { return std::make_unique<CReziZovidarazDlg2>(firstId); });
  tree.AddPage(UtilityKind::ReziZovidaraz, std::string(kReziTextsPageTitle),
               [](CZelvorApp&, int firstId) { return std::make_unique<CReziZovidarazDlg3>(firstId); });
  tree.AddPage(UtilityKind::ZiviDuvaza, std::string(kZiviOptionsPageTitle),
               [](CZelvorApp& app, int firstId) {
                 return std::make_unique<CZiviDuvazaDlg>(firstId, [&app] {
                   if (auto* graph = dynamic_cast<CSysInfoGraphDlg*>(app.window(WindowKind::UsageGraph))) {
                     graph->ApplySettings();
                   }
                 });
               });
  return tree;
}

std::unique_ptr<Utility> SuiteComponents::createUtility(UtilityKind kind, CZelvorApp& app) {
  switch (kind) {
    case UtilityKind::VaziDuzidarud: return std::make_unique<CVaziDuzidarud>(app);
    case UtilityKind::RaroDarid: return std::make_unique<CRaroDarid>(app);
    case UtilityKind::ReziZovidaraz: return std::make_unique<CReziZovidaraz>(app);
    case UtilityKind::DuvuZevad:
      return std::make_unique<notes::CDuvuZevad>(app, notes::MakeSuiteNoteDialogs(app));
    case UtilityKind::ZiviDuvaza: return std::make_unique<CZiviDuvaza>(app);
    // The other utilities' components are not built yet: their icons show and do nothing.
    default: return nullptr;
  }
}

std::unique_ptr<ShellWindow> SuiteComponents::createWindow(WindowKind kind, CZelvorApp& app) {
  switch (kind) {
    case WindowKind::Config: return std::make_unique<CConfDlg>(app, SuiteConfigTree());
    case WindowKind::Tip: return MakeTipWindow(app);
    case WindowKind::About: return MakeAboutWindow(app, version_);
    case WindowKind::UsageGraph: return std::make_unique<CSysInfoGraphDlg>(app);
    default: return nullptr;
  }
}

}  // namespace zelvor
