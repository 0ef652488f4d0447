// Dade Rive's configuration pages in the configuration window, over the store.

#include <gtest/gtest.h>

#include "shell/config/conf_dlg.h"
#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"
#include "platform/messages.h"
#include "shutdown/auto_close_dlg.h"
#include "shutdown/dade_rive_pages.h"
#include "shutdown/shutdown_programs_page.h"
#include "tests/support/suite_config_page.h"

namespace zelvor {
namespace {

class DadeRivePagesTest : public testing::SuiteConfigPageTest {
 protected:
  CConfDlg& open(std::string_view title) { return openPage(UtilityKind::DadeRive, title); }
  [[nodiscard]] int setting(std::string_view name) { return app->store().ReadConfigInt("DadeRive", name); }
};

TEST_F(DadeRivePagesTest, TheActionBoxesShowAndWriteTheirOwnValues) {
  struct Case {
    std::string_view title;
    const char* prefix;
  };
  // The boxes in the order they show, and the value each edits.
  const char* suffixes[] = {"ApagarSistema", "ReiniciarSistema", "ReiniciarMSDOS", "Hibernar",
                            "CerrarSesion",  "Suspender",        "BloquearEquipo"};
  const bool defaults[] = {true, true, true, false, false, false, false};
  for (const Case& c : {Case{kConfirmPageTitle, "Confirmar"}, Case{kEmptyTempPageTitle, "BorrarTEMP"}}) {
    CConfDlg& w = open(c.title);
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(w.find(id(CDadeRiveActionsPage::kFirstBox + i))->checked, defaults[i]) << c.prefix << suffixes[i];
    }
    // Flip "Hibernar." on and "Apagar el sistema." off.
    user->click(id(CDadeRiveActionsPage::kFirstBox + 3));
    user->click(id(CDadeRiveActionsPage::kFirstBox + 0));
    ASSERT_TRUE(w.ApplyConfiguration());
    EXPECT_EQ(setting(std::string(c.prefix) + "Hibernar"), 1) << c.prefix;
    EXPECT_EQ(setting(std::string(c.prefix) + "ApagarSistema"), 0) << c.prefix;
    EXPECT_EQ(setting(std::string(c.prefix) + "ReiniciarSistema"), 1) << c.prefix;
    app->DeleteWindow(WindowKind::Config);
  }
  // The emptying page names the folder it empties, read-only.
  CConfDlg& w = open(kEmptyTempPageTitle);
  const Control* folder = w.find(id(CDadeRiveActionsPage::kFolder));
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(folder->text, sim.folders.temporaryFolder());
  EXPECT_TRUE(folder->readOnly);
}

TEST_F(DadeRivePagesTest, TheWaitStoresZeroForAllOrTheSeconds) {
  CConfDlg& w = open(kWaitPageTitle);
  using P = CDadeRiveDlg5;
  const auto id = [this](int local) { return this->id(CShutdownProgramsPage::kWaitOffset + local); };
  EXPECT_TRUE(w.find(id(P::kWaitAll))->checked);
  EXPECT_EQ(w.find(id(P::kSeconds))->value, 5);
  EXPECT_FALSE(w.find(id(P::kSeconds))->enabled);
  user->click(id(P::kWaitLimit));
  user->setValue(id(P::kSeconds), 45);
  ASSERT_TRUE(w.ApplyConfiguration());
  EXPECT_EQ(setting("SegundosAEsperarProgramas"), 45);
  user->click(id(P::kWaitAll));
  ASSERT_TRUE(w.ApplyConfiguration());
  EXPECT_EQ(setting("SegundosAEsperarProgramas"), 0);
}

TEST_F(DadeRivePagesTest, ProgramsAreEditedWithTheirKindsAndAppliedWhole) {
  CConfDlg& w = open(kWaitPageTitle);
  using P = CShutdownProgramsPage;
  EXPECT_TRUE(user->rows(id(P::kList)).empty());
  EXPECT_FALSE(w.find(id(P::kFields))->visible);
  user->click(id(P::kAdd));
  // A new program runs before every kind of shutdown until told otherwise.
  for (int i = 0; i < 14; ++i) EXPECT_TRUE(w.find(id(P::kFirstKind + i))->checked) << i;
  user->type(id(P::kDescription), "Copia");
  user->type(id(P::kProgram), "/usr/bin/backup");
  for (int i = 0; i < 14; ++i) {
    if (i != 7) user->click(id(P::kFirstKind + i));  // only "Apagar sistema automáticamente"
  }
  user->click(id(P::kAdd));
  user->type(id(P::kProgram), "/usr/bin/sync");
  user->click(id(P::kUp));
  EXPECT_EQ(user->rows(id(P::kList)),
            (std::vector<std::vector<std::string>>{{"/usr/bin/sync"}, {"Copia"}}));
  ASSERT_TRUE(w.ApplyConfiguration());
  const std::vector<ListElement> stored = LoadPrograms(sim.registry, EntryList::ShutdownPrograms);
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].entry.program, "/usr/bin/sync");
  EXPECT_EQ(stored[0].entry.flags, 0xFFFFu);
  EXPECT_EQ(stored[1].entry.program, "/usr/bin/backup");
  // Of the fourteen kinds only the one left checked (bits 14 and 15 of the new entry's 0xFFFF mean nothing).
  EXPECT_EQ(stored[1].entry.flags & 0x3FFFu, 1u << 7);
  user->selectRow(id(P::kList), 0);
  user->click(id(P::kDelete));
  ASSERT_TRUE(w.ApplyConfiguration());
  ASSERT_EQ(LoadPrograms(sim.registry, EntryList::ShutdownPrograms).size(), 1u);
}

TEST_F(DadeRivePagesTest, TheIconsHoverTextShowsTheBlockAndTheRemainingTime) {
  app->mainWindow()->RunExitAction(9);
  app->mainWindow()->RunExitAction(8);
  desk.loop.deliverPosted();
  auto* automatic = dynamic_cast<CAutoCloseDlg*>(app->window(WindowKind::AutoClose));
  ASSERT_NE(automatic, nullptr);
  testing::SimUser autoUser(*automatic);
  automatic->SelectTab(CAutoCloseDlg::kTimeTab);
  autoUser.setValue(CAutoCloseDlg::kMinutes, 2);
  autoUser.click(CAutoCloseDlg::kStart);
  ASSERT_TRUE(desk.tray.mouse(4, msg::MouseMove));
  desk.loop.deliverPosted();
  EXPECT_EQ(app->mainWindow()->icon(4)->text(), "Bloqueado el apagado del sistema\nApagado automático en 0d 00h 02m 00s");
  EXPECT_EQ(app->mainWindow()->icon(4)->imageIndex(), 10);  // the block's image wins
  app->mainWindow()->RunExitAction(9);
  EXPECT_EQ(app->mainWindow()->icon(4)->imageIndex(), 9);  // then the running automatic shutdown's
}

}  // namespace
}  // namespace zelvor
