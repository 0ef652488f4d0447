#include "app/assembly/suite_components.h"

#include "calendar/ravi_pages.h"
#include "calendar/ravi_varudide.h"
#include "clipboard/rezi_pages.h"
#include "clipboard/rezi_zovidaraz.h"
#include "launchers/entry_list_page.h"
#include "net/dedovuv/dedo_vuv.h"
#include "net/dedovuv/dedovuv_pages.h"
#include "launchers/launcher_utilities.h"
#include "notes/duvu_zevad.h"
#include "notes/notes_pages.h"
#include "notes/suite_note_dialogs.h"
#include "shell/config/conf_dlg.h"
#include "shell/dialogs/shell_windows.h"
#include "shell/zelvor_app.h"
#include "shutdown/auto_close_dlg.h"
#include "shutdown/dade_rive.h"
#include "shutdown/dade_rive_pages.h"
#include "shutdown/shutdown_programs_page.h"
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
  // Dedo Vuv's own pages come before its mouse actions and hotkeys.
  constexpr std::string_view kDedoMouse = "Acciones del ratón";
  tree.AddPageBefore(UtilityKind::DedoVuv, kDedoMouse, std::string(dedovuv::kGeneralPageTitle),
                     [](CZelvorApp& app, int firstId) { return std::make_unique<dedovuv::CDedoVuvGeneralPage>(app, firstId); });
  tree.AddPageBefore(UtilityKind::DedoVuv, kDedoMouse, std::string(dedovuv::kProgramsPageTitle),
                     [](CZelvorApp&, int firstId) { return std::make_unique<dedovuv::CDedoVuvProgramsPage>(firstId); });
  tree.AddPageBefore(UtilityKind::DedoVuv, kDedoMouse, "Lista de programas", [](CZelvorApp& app, int firstId) {
    return std::make_unique<CEntryListPage>(app, firstId, EntryList::ConnectPrograms);
  });
  tree.AddPageBefore(UtilityKind::DedoVuv, kDedoMouse, std::string(dedovuv::kDiaryFolderPageTitle),
                     [](CZelvorApp& app, int firstId) { return std::make_unique<dedovuv::CDedoVuvDiaryFolderPage>(app, firstId); });
  tree.AddPageBefore(UtilityKind::DedoVuv, kDedoMouse, std::string(dedovuv::kTrafficPageTitle),
                     [](CZelvorApp& app, int firstId) { return std::make_unique<dedovuv::CTrafficMeterPage>(app, firstId); });
  // Ravi Varudide's pages come before its hotkey page.
  tree.AddPageBefore(UtilityKind::RaviVarudide, kHotkeyPageTitle, std::string(calendar::CRaviVarudideDlg1::kTitle),
                     [](CZelvorApp& app, int firstId) { return std::make_unique<calendar::CRaviVarudideDlg1>(app, firstId); });
  tree.AddPageBefore(UtilityKind::RaviVarudide, kHotkeyPageTitle, std::string(calendar::CRaviVarudideDlg2::kTitle),
                     [](CZelvorApp& app, int firstId) { return std::make_unique<calendar::CRaviVarudideDlg2>(app, firstId); });
  tree.AddPageBefore(UtilityKind::RaviVarudide, kHotkeyPageTitle, std::string(calendar::CRaviVarudideDlg3::kTitle),
                     [](CZelvorApp& app, int firstId) { return std::make_unique<calendar::CRaviVarudideDlg3>(app, firstId); });
  tree.AddPage(UtilityKind::DadeRive, std::string(kConfirmPageTitle), [](CZelvorApp&, int firstId) {
    return std::make_unique<CDadeRiveActionsPage>(firstId, CDadeRiveActionsPage::Kind::Confirm, std::string());
  });
  tree.AddPage(UtilityKind::DadeRive, std::string(kEmptyTempPageTitle), [](CZelvorApp& app, int firstId) {
    const auto* dade = dynamic_cast<const CDadeRive*>(app.utility(UtilityKind::DadeRive));
    return std::make_unique<CDadeRiveActionsPage>(firstId, CDadeRiveActionsPage::Kind::EmptyTemp,
                                                  dade != nullptr ? dade->TemporaryFolder() : std::string("/tmp/"));
  });
  tree.AddPage(UtilityKind::DadeRive, std::string(kWaitPageTitle),
               [](CZelvorApp&, int firstId) { return std::make_unique<CShutdownProgramsPage>(firstId); });
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
    case UtilityKind::DedoVuv: return std::make_unique<dedovuv::CDedoVuv>(app);
    case UtilityKind::RaviVarudide: return std::make_unique<calendar::CRaviVarudide>(app);
    case UtilityKind::DadeRive: return std::make_unique<CDadeRive>(app);
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
    case WindowKind::AutoClose: return std::make_unique<CAutoCloseDlg>(app);
    case WindowKind::UsageGraph: return std::make_unique<CSysInfoGraphDlg>(app);
    default: return nullptr;
  }
}

}  // namespace zelvor
