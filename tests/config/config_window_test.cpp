// The configuration window: opening, the toggles, "Apli&car", closing.

#include "tests/config/config_fixture.h"

namespace zelvor::testing {
namespace {

using ConfigWindowTest = ConfigTest;

int toggleOf(UtilityKind kind) {
  for (std::size_t i = 0; i < kListOrder.size(); ++i) {
    if (kListOrder[i] == kind) return CConfDlg::kFirstToggle + static_cast<int>(i);
  }
  return -1;
}

TEST_F(ConfigWindowTest, OpensFromTheProductMenuWithTheGeneralOptionsShown) {
  CConfDlg& w = openConfig();
  EXPECT_EQ(w.title, "Configuración de Zelvor");
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.SelectedPage(), 0u);
  EXPECT_EQ(w.PageTitle(0), "Zelvor");
  EXPECT_FALSE(w.root.find(CConfDlg::kApply)->enabled);
  // Each toggle shows its utility's flag, with its tooltip.
  const Control* vazi = w.root.find(toggleOf(UtilityKind::VaziDuzidarud));
  EXPECT_EQ(vazi->tooltip, "Mostrar/Quitar Vazi Duzidarud");
  for (UtilityKind k : kListOrder) {
    EXPECT_EQ(w.root.find(toggleOf(k))->checked, store().IsEnabled(info(k).key)) << info(k).key;
  }
  // A second "Configurar..." brings the same window back.
  main().OnMenuCommand(menu_id::Configure);
  EXPECT_EQ(config(), &w);
}

TEST_F(ConfigWindowTest, TheTreeListsTheShellPagesOfEveryUtilityInItsOrder) {
  CConfDlg& w = openConfig();
  const Control* tree = w.root.find(CConfDlg::kTree);
  std::vector<std::string> nodes;
  for (const TreeNode& n : tree->nodes) nodes.push_back(n.text);
  // The launchers have no page of the shell's own yet, so their nodes are absent.
  EXPECT_EQ(nodes, (std::vector<std::string>{"Zelvor", "Vada VU", "Dade Rive", "Zivi Duvaza", "Dedo Vuv",
                                             "Divo Zidezevuza", "Rezi Zovidaraz", "Duvu Zevad", "Ravi Varudide",
                                             "Deve Revazoz"}));
  // Ravi Varudide has no mouse-action page: every click opens the calendar.
  ASSERT_EQ(tree->nodes[8].children.size(), 1u);
  EXPECT_EQ(tree->nodes[8].children[0].text, "Teclas de acceso rápido");
  // Clicking a node shows its page.
  user->selectNode(CConfDlg::kTree, {7, 1});
  EXPECT_EQ(w.PageTitle(w.SelectedPage()), "Teclas de acceso rápido");
  EXPECT_EQ(w.FindPage(UtilityKind::DuvuZevad, "Teclas de acceso rápido"), w.SelectedPage());
}

TEST_F(ConfigWindowTest, UntickingVadaVUAndApplyingWritesItsFlagAndRemovesItsIcon) {
  CConfDlg& w = openConfig();
  ASSERT_TRUE(main().shown(UtilityKind::VadaVU));
  ASSERT_TRUE(desk.tray.has(3));
  user->click(toggleOf(UtilityKind::VadaVU));
  EXPECT_TRUE(w.root.find(CConfDlg::kApply)->enabled);
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_EQ(store().ReadConfigString("VadaVU", ""), "0");
  EXPECT_FALSE(main().shown(UtilityKind::VadaVU));
  EXPECT_FALSE(desk.tray.has(3));
  EXPECT_EQ(app->utility(UtilityKind::VadaVU), nullptr);
  EXPECT_FALSE(w.root.find(CConfDlg::kApply)->enabled);
  // Ticking it again brings the icon back.
  user->click(toggleOf(UtilityKind::VadaVU));
  ASSERT_TRUE(user->press("Aceptar"));
  EXPECT_EQ(store().ReadConfigString("VadaVU", ""), "1");
  EXPECT_TRUE(desk.tray.has(3));
}

TEST_F(ConfigWindowTest, AnApplyThatCannotBeWrittenSaysSoAndKeepsTheEdits) {
  CConfDlg& w = openConfig();
  user->click(toggleOf(UtilityKind::DuvuZevad));
  sim.registry.failWrites(true);
  ASSERT_TRUE(user->press("Apli&car"));
  sim.registry.failWrites(false);
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(desk.messageBoxes.shown[0].text, "No se pudo guardar la configuración.");
  EXPECT_EQ(store().ReadConfigString("DuvuZevad", ""), "1");
  EXPECT_TRUE(main().shown(UtilityKind::DuvuZevad));
  EXPECT_TRUE(w.root.find(CConfDlg::kApply)->enabled);
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_EQ(store().ReadConfigString("DuvuZevad", ""), "0");
}

TEST_F(ConfigWindowTest, ThePositionIsClampedToTheScreenWhenItOpens) {
  struct Case {
    int left, top;
    Point expected;
  };
  const Case cases[] = {
      {5000, 5000, {1024 - CConfDlg::kWidth, 768 - CConfDlg::kHeight}},
      {-20, 10, {0, 10}},
      {76, 54, {76, 54}},
      {300, -7, {1024 - CConfDlg::kWidth, 0}},
  };
  desk.screen.whole = {1024, 768};
  ASSERT_TRUE(start().running);
  for (const Case& c : cases) {
    store().WriteConfigInt("", "ConfigurarLeft", c.left);
    store().WriteConfigInt("", "ConfigurarTop", c.top);
    CConfDlg& w = openConfig();
    const Rect g = desk.dialogs.geometry(w.handle());
    EXPECT_EQ((Point{g.left, g.top}), c.expected) << c.left << "," << c.top;
    ASSERT_TRUE(user->press("Cancelar"));
    desk.loop.deliverPosted();
  }
}

TEST_F(ConfigWindowTest, ClosingStoresThePositionDropsTheEditsAndDeletesTheWindow) {
  CConfDlg& w = openConfig();
  user->click(toggleOf(UtilityKind::DuvuZevad));
  desk.dialogs.model(w.handle())->geometry = {120, 90, 120 + CConfDlg::kWidth, 90 + CConfDlg::kHeight};
  // The window is gone once the close box is pressed: the binding has nothing to close.
  EXPECT_FALSE(desk.dialogs.requestClose(w.handle()));
  desk.loop.deliverPosted();
  EXPECT_EQ(app->window(WindowKind::Config), nullptr);
  EXPECT_EQ(store().ReadConfigString("", "ConfigurarLeft"), "120");
  EXPECT_EQ(store().ReadConfigString("", "ConfigurarTop"), "90");
  EXPECT_EQ(store().ReadConfigString("DuvuZevad", ""), "1");
}

TEST_F(ConfigWindowTest, AyudaOpensTheHelpFile) {
  ASSERT_TRUE(sim.files.replaceAtomically(sim.folders.programFolder() + "Zelvor.chm", "help").ok);
  openConfig();
  EXPECT_EQ(config()->helpContext, 1000);
  ASSERT_TRUE(user->press("Ayuda"));
  ASSERT_EQ(sim.launcher.launched.size(), 1u);
  EXPECT_EQ(sim.launcher.launched[0].argv.back(), sim.folders.programFolder() + "Zelvor.chm");
}

}  // namespace
}  // namespace zelvor::testing
