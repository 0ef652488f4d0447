// Start, single instance, refresh and "Utilidades a mostrar".

#include "tests/shell/shell_fixture.h"

namespace zelvor::testing {
namespace {


TEST_F(ShellTest, FirstStartOnAnEmptyStoreShowsTheProductIconAndOneIconPerEnabledUtility) {
  const auto r = start();
  ASSERT_TRUE(r.running);
  EXPECT_EQ(desk.tray.ids(), (std::vector<int>{1, 3, 4, 5, 6, 7, 8, 9, 10, 100, 101, 200, 201, 300}));
  const std::map<int, std::string> titles{{1, "Zelvor"},        {3, "Vada VU"},
                                          {4, "Dade Rive"},     {5, "Zivi Duvaza"},
                                          {6, "Dedo Vuv"},      {7, "Divo Zidezevuza"},
                                          {8, "Rezi Zovidaraz"}, {9, "Duvu Zevad"},
                                          {10, "Ravi Varudide"}, {300, "Deve Revazoz"},
                                          {100, "Explorador de Windows"}, {200, "Programas"}};
  for (const auto& [id, title] : titles) EXPECT_EQ(main().icon(id)->title(), title) << id;
  EXPECT_EQ(main().icon(101)->title(), "Bloc de Notas / WordPad");
  // Images of the utility strip, the product icon from the product strip.
  EXPECT_EQ(desk.tray.icon(9)->image, ImageRef::fromStrip(ImageStrip::Utility, 19));
  EXPECT_EQ(desk.tray.icon(300)->image, ImageRef::fromStrip(ImageStrip::Utility, 21));
  EXPECT_EQ(desk.tray.icon(1)->image, ImageRef::fromStrip(ImageStrip::Product, 0));
  // Extended tooltips by default: the desktop gets no tip text.
  EXPECT_EQ(desk.tray.icon(9)->tip, "");
  // MainHWnd names this instance; the sound events have their defaults.
  CRegKeyEx root(sim.registry);
  ASSERT_EQ(root.Open(Hive::CurrentUser, kRootKey), RegStatus::Ok);
  EXPECT_EQ(root.GetDword(root_value::MainHWnd), 4242u);
  EXPECT_EQ(textOf(sim.registry.queryValue(Hive::CurrentUser, SoundEventKey("SystemExclamation"), "")),
            "/usr/share/sounds/freedesktop/stereo/dialog-warning.oga");
}

TEST_F(ShellTest, UtilitiesAreCreatedStartedOnceAndTheTipOfTheDayOpens) {
  factory.all();
  ASSERT_TRUE(start().running);
  EXPECT_EQ(logged("start "), (Log{"start VadaVU", "start DivoZidezevuza", "start ReziZovidaraz",
                                   "start RaviVarudide", "start DuvuZevad", "start DadeRive",
                                   "start ZiviDuvaza", "start DedoVuv", "start DeveRevazoz"}));
  EXPECT_EQ(logged("open "), Log{"open Tip"});
  log.clear();
  main().RefreshUtilities(false, false);
  // A second pass creates nothing and starts nothing; Vada VU re-reads its settings.
  EXPECT_TRUE(logged("start ").empty());
  EXPECT_TRUE(logged("create ").empty());
  EXPECT_EQ(logged("apply "), Log{"apply VadaVU"});
}

TEST_F(ShellTest, SecondStartOpensTheProductMenuOfTheFirstAndEnds) {
  ASSERT_TRUE(start().running);
  desk.screen.pointer = {1500, 1000};
  SimSingleInstance secondProcess(world, 5151);
  CZelvorApp second(sim.platform(), desk.desktop(), secondProcess, factory, options);
  const auto r = second.InitInstance({});
  EXPECT_FALSE(r.running);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(secondProcess.sent, Log{"message 1324"});
  desk.loop.deliverPosted();
  ASSERT_NE(desk.menus.openMenu(), nullptr);
  EXPECT_EQ(desk.menus.openMenu()->title, "Zelvor");
  EXPECT_EQ(desk.menus.openedAt, (Point{1500, 1000}));
  // The second process changed nothing of the first's.
  CRegKeyEx root(sim.registry);
  ASSERT_EQ(root.Open(Hive::CurrentUser, kRootKey), RegStatus::Ok);
  EXPECT_EQ(root.GetDword(root_value::MainHWnd), 4242u);
}

TEST_F(ShellTest, SecondStartTrustsNoStaleOrMistypedMainHWnd) {
  ASSERT_TRUE(start().running);
  for (const auto& value : {RegValue::dword(999), RegValue::text("4242")}) {
    ASSERT_EQ(sim.registry.setValue(Hive::CurrentUser, kRootKey, root_value::MainHWnd, value), RegStatus::Ok);
    SimSingleInstance other(world, 6000);
    CZelvorApp second(sim.platform(), desk.desktop(), other, factory, options);
    EXPECT_FALSE(second.InitInstance({}).running);
    EXPECT_TRUE(other.sent.empty());
  }
}

// Without the lock a second copy could run beside this one unseen: the
// start stops with the reason rather than run unguarded.
TEST_F(ShellTest, AnInstanceLockThatCannotBeMadeStopsTheStartWithTheReason) {
  world.lockBroken = true;
  const auto r = start();
  EXPECT_FALSE(r.running);
  EXPECT_NE(r.exitCode, 0);
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  EXPECT_NE(desk.messageBoxes.shown[0].text.find("the instance lock cannot be made"), std::string::npos)
      << desk.messageBoxes.shown[0].text;
  EXPECT_TRUE(desk.tray.ids().empty());
  EXPECT_EQ(world.holder, 0u);
}

TEST_F(ShellTest, UpdateSwitchRunsOnlyTheUpdateWindowEvenWithAnInstanceRunning) {
  factory.windows.insert(WindowKind::Update);
  world.holder = 1;  // another instance holds the lock
  const auto r = start({"/a"});
  EXPECT_FALSE(r.running);
  EXPECT_EQ(logged("unattended "), Log{"unattended Update"});
  EXPECT_TRUE(desk.tray.ids().empty());
}

TEST_F(ShellTest, APathThatContainsSlashAIsNotTheUpdateSwitch) {
  factory.windows.insert(WindowKind::Update);
  ASSERT_TRUE(start({"/home/ana/notes"}).running);
  EXPECT_TRUE(logged("unattended ").empty());
}

TEST_F(ShellTest, HiddenProductIconIsReachedThroughASecondStart) {
  ASSERT_TRUE(start().running);
  setString("", "HideZelvorIcon", "1");
  main().RefreshUtilities(false, false);
  EXPECT_FALSE(desk.tray.has(1));
  EXPECT_FALSE(main().productShown());
  desk.loop.post(main().handle(), msg::ShowProductMenu, 0, 0);
  desk.loop.deliverPosted();
  ASSERT_NE(desk.menus.openMenu(), nullptr);
  EXPECT_EQ(desk.menus.openMenu()->title, "Zelvor");
}

TEST_F(ShellTest, ProductIconImageFollowsZelvorIconWithDefaultsForBadValues) {
  struct Row {
    const char* stored;
    int os;
    int expected;
  };
  preinstall();
  for (const Row& row : {Row{"3", 8, 3}, Row{"-1", 8, 0}, Row{"", 8, 0}, Row{"", 2, 1}, Row{"", 3, 0},
                         Row{"12", 5, 1}}) {
    app.reset();
    options.osGeneration = row.os;
    setString("", "ZelvorIcon", row.stored);
    ASSERT_TRUE(start().running);
    EXPECT_EQ(desk.tray.icon(1)->image, ImageRef::fromStrip(ImageStrip::Product, row.expected))
        << row.stored << " on " << row.os;
    app.reset();
    instance.release();
  }
}

TEST_F(ShellTest, UtilitiesToShowTogglesFlagIconAndCheck) {
  factory.all();
  ASSERT_TRUE(start().running);
  mouse(1, msg::LeftUp);
  ASSERT_NE(desk.menus.item(3053), nullptr);
  EXPECT_TRUE(desk.menus.item(3053)->checked);
  choose(3053);
  EXPECT_EQ(store().ReadConfigString("VadaVU", ""), "0");
  EXPECT_FALSE(desk.tray.has(3));
  EXPECT_EQ(app->utility(UtilityKind::VadaVU), nullptr);
  EXPECT_EQ(textOf(sim.registry.queryValue(Hive::ClassesRoot, "AudioCD\\shell", "")), "play");

  mouse(1, msg::RightUp);
  EXPECT_FALSE(desk.menus.item(3053)->checked);
  choose(3053);
  EXPECT_EQ(store().ReadConfigString("VadaVU", ""), "1");
  EXPECT_TRUE(desk.tray.has(3));
  EXPECT_NE(app->utility(UtilityKind::VadaVU), nullptr);
  EXPECT_EQ(logged("start VadaVU").size(), 2u);
}

TEST_F(ShellTest, DisablingDuvuZevadSavesTheNotesBeforeTheObjectGoes) {
  factory.all();
  ASSERT_TRUE(start().running);
  log.clear();
  mouse(1, msg::LeftUp);
  choose(3059);
  EXPECT_EQ(mentioning("DuvuZevad"), (Log{"save DuvuZevad", "delete DuvuZevad"}));
  EXPECT_FALSE(desk.tray.has(9));
}

TEST_F(ShellTest, LauncherTogglesReloadOnlyTheirOwnIcons) {
  ASSERT_TRUE(start().running);
  mouse(1, msg::LeftUp);
  EXPECT_TRUE(desk.menus.item(3051)->checked);
  choose(3051);
  EXPECT_FALSE(desk.tray.has(100));
  EXPECT_FALSE(desk.tray.has(101));
  EXPECT_TRUE(desk.tray.has(200));
  mouse(1, msg::LeftUp);
  EXPECT_FALSE(desk.menus.item(3051)->checked);
  EXPECT_TRUE(desk.menus.item(3052)->checked);
}

TEST_F(ShellTest, VadaVUWithoutSoundWarnsAndStaysOff) {
  desk.sound.present = false;
  ASSERT_TRUE(start().running);
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  const auto& box = desk.messageBoxes.shown[0];
  EXPECT_EQ(box.caption, "Zelvor");
  EXPECT_EQ(box.icon, MsgIcon::Warning);
  EXPECT_TRUE(box.systemModal);
  EXPECT_EQ(box.text.rfind("No se puede cargar la biblioteca de vínculos dinámicos WINMM.DLL.", 0), 0u);
  EXPECT_EQ(store().ReadConfigString("VadaVU", ""), "0");
  EXPECT_FALSE(desk.tray.has(3));
  EXPECT_FALSE(main().shown(UtilityKind::VadaVU));
}

TEST_F(ShellTest, VadaVUAutoShowHidesItsIconOutsideBarMode) {
  preinstall();
  setString("VadaVU", "AutoMostrar", "1");
  factory.utilities.insert(UtilityKind::VadaVU);
  ASSERT_TRUE(start().running);
  EXPECT_FALSE(desk.tray.has(3));
  EXPECT_TRUE(main().shown(UtilityKind::VadaVU));
}

TEST_F(ShellTest, ArmedSchedulersCreateTheirWindows) {
  factory.all();
  preinstall();
  setDword("DadeRive\\Scheduler", "Enable", 1);
  setDword("DedoVuv\\Scheduler2", "Enable", 1);
  ASSERT_TRUE(start().running);
  EXPECT_NE(app->window(WindowKind::AutoClose), nullptr);
  EXPECT_NE(app->window(WindowKind::AutoDialer), nullptr);
  EXPECT_NE(app->window(WindowKind::UsageGraph), nullptr);  // Zivi Duvaza is shown
  setString("DadeRive", "", "0");
  main().RefreshUtilities(false, false);
  EXPECT_EQ(app->window(WindowKind::AutoClose), nullptr);
}

TEST_F(ShellTest, BarModeMovesEveryIconOutOfTheNotificationArea) {
  ASSERT_TRUE(start().running);
  setString("", "MostrarBarra", "1");
  main().RefreshUtilities(true, true);
  EXPECT_TRUE(desk.tray.ids().empty());
  EXPECT_TRUE(main().icon(9)->shown());
  EXPECT_FALSE(main().icon(9)->inTray());
  setString("", "MostrarBarra", "0");
  main().RefreshUtilities(false, false);
  EXPECT_TRUE(desk.tray.has(9));
}

TEST_F(ShellTest, ConnectionUpRunsTheSilentUpdateCheckOnlyWhenAsked) {
  factory.windows.insert(WindowKind::Update);
  ASSERT_TRUE(start().running);
  desk.loop.post(app->threadHandle(), msg::ConnectionUp, 0, 0);
  desk.loop.deliverPosted();
  EXPECT_EQ(logged("check "), Log{"check Update"});
  app->DeleteWindow(WindowKind::Update);
  setString("", "AutoActualizar", "0");
  desk.loop.post(app->threadHandle(), msg::ConnectionUp, 0, 0);
  desk.loop.deliverPosted();
  EXPECT_EQ(logged("check ").size(), 1u);
}

}  // namespace
}  // namespace zelvor::testing
