// The shell's pages: hotkeys, mouse actions and the general options.

#include "shell/config/general_options_page.h"
#include "shell/config/hotkey_page.h"
#include "shell/config/mouse_actions_page.h"
#include "tests/config/config_fixture.h"

namespace zelvor::testing {
namespace {

using HotkeyPageTest = ConfigTest;
using MouseActionsPageTest = ConfigTest;
using GeneralOptionsTest = ConfigTest;

constexpr const char* kHotkeys = "Teclas de acceso rápido";
constexpr const char* kMouse = "Acciones del ratón";

TEST_F(HotkeyPageTest, CtrlAOnTheFirstNoteRowIsStoredAndRegisteredOnApply) {
  openConfig();
  showPage(UtilityKind::DuvuZevad, kHotkeys);
  const int list = pageId(UtilityKind::DuvuZevad, kHotkeys, CHotKeyConfig::kList);
  const int field = pageId(UtilityKind::DuvuZevad, kHotkeys, CHotKeyConfig::kField);
  ASSERT_EQ(user->rows(list).size(), 5u);
  EXPECT_EQ(user->rows(list)[0], (std::vector<std::string>{"Nueva nota", ""}));
  EXPECT_EQ(user->control(list).value, 0);  // the first row is selected
  user->setValue(field, 0x0241);  // field form: Control with A
  ASSERT_TRUE(user->press("Establecer"));
  EXPECT_EQ(user->rows(list)[0][1], "Ctrl + A");
  const int commits = sim.registry.commits();
  ASSERT_TRUE(user->press("Apli&car"));
  // Five bindings and eleven enable flags, made durable by one write.
  EXPECT_EQ(sim.registry.commits(), commits + 1);
  EXPECT_EQ(dword("DuvuZevad", "HotKey1"), 0x241u);
  EXPECT_EQ(dword("DuvuZevad", "HotKey5"), 0u);
  ASSERT_TRUE(desk.hotkeys.registered.contains(0x901));
  EXPECT_EQ(desk.hotkeys.registered[0x901].modifiers, 2u);
  EXPECT_EQ(desk.hotkeys.registered[0x901].key, 0x41u);
  EXPECT_NE(main().StatusReport().find("hotkey\t0x0901\tCtrl + A\tregistered\n"), std::string::npos);
  // Pressing it runs the first command of Duvu Zevad.
  log.clear();
  ASSERT_TRUE(desk.hotkeys.press(0x901));
  desk.loop.deliverPosted();
  EXPECT_EQ(log, Log{"command DuvuZevad 1"});
}

TEST_F(HotkeyPageTest, RowsShowTheStoredBindingsAndConvertTheModifiersForTheField) {
  preinstall();
  setDword("ZiviDuvaza", "HotKey5", 0x0770);
  setDword("ZiviDuvaza", "HotKey2", 0x0441);  // Shift + A in registration form
  openConfig();
  showPage(UtilityKind::ZiviDuvaza, kHotkeys);
  const int list = pageId(UtilityKind::ZiviDuvaza, kHotkeys, CHotKeyConfig::kList);
  const int field = pageId(UtilityKind::ZiviDuvaza, kHotkeys, CHotKeyConfig::kField);
  EXPECT_EQ(user->rows(list)[4][1], "Ctrl + Alt + Shift + F1");
  user->selectRow(list, 1);
  EXPECT_EQ(user->control(field).value, 0x0141);  // Shift is 1 in the field
  // The usage graph's row was registered at start like the others.
  EXPECT_TRUE(desk.hotkeys.registered.contains(5 * 256 + 5));
}

TEST_F(HotkeyPageTest, AKeyWithoutANameUnbindsTheRowAndSavingUnregistersIt) {
  preinstall();
  setDword("DuvuZevad", "HotKey2", 0x0242);
  openConfig();
  ASSERT_TRUE(desk.hotkeys.registered.contains(0x902));
  showPage(UtilityKind::DuvuZevad, kHotkeys);
  const int list = pageId(UtilityKind::DuvuZevad, kHotkeys, CHotKeyConfig::kList);
  user->selectRow(list, 1);
  user->setValue(pageId(UtilityKind::DuvuZevad, kHotkeys, CHotKeyConfig::kField), 0x0291);  // Ctrl + Scroll Lock
  ASSERT_TRUE(user->press("Establecer"));
  EXPECT_EQ(user->rows(list)[1][1], "");
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_EQ(dword("DuvuZevad", "HotKey2"), 0u);
  EXPECT_FALSE(desk.hotkeys.registered.contains(0x902));
}

TEST_F(HotkeyPageTest, ATakenCombinationIsReportedAndTheOthersStillRegister) {
  openConfig();
  desk.hotkeys.taken.insert({2u, 0x41u});
  showPage(UtilityKind::ReziZovidaraz, kHotkeys);
  const int list = pageId(UtilityKind::ReziZovidaraz, kHotkeys, CHotKeyConfig::kList);
  const int field = pageId(UtilityKind::ReziZovidaraz, kHotkeys, CHotKeyConfig::kField);
  user->setValue(field, 0x0241);
  ASSERT_TRUE(user->press("Establecer"));
  user->selectRow(list, 2);
  user->setValue(field, 0x0242);
  ASSERT_TRUE(user->press("Establecer"));
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_EQ(dword("ReziZovidaraz", "HotKey1"), 0x241u);  // stored all the same
  EXPECT_FALSE(desk.hotkeys.registered.contains(8 * 256 + 1));
  EXPECT_TRUE(desk.hotkeys.registered.contains(8 * 256 + 3));
  const Control& notice = user->control(pageId(UtilityKind::ReziZovidaraz, kHotkeys, CHotKeyConfig::kNotice));
  EXPECT_TRUE(notice.visible);
  EXPECT_NE(notice.text.find("Ctrl + A"), std::string::npos);
  EXPECT_NE(main().StatusReport().find("hotkey\t0x0801\tCtrl + A\ttaken\n"), std::string::npos);
}

TEST_F(HotkeyPageTest, WhereKeysCannotBeGrabbedThePageNamesTheCommandForTheDesktopsShortcuts) {
  desk.hotkeys.grabbing = false;
  openConfig();
  showPage(UtilityKind::DuvuZevad, kHotkeys);
  const int list = pageId(UtilityKind::DuvuZevad, kHotkeys, CHotKeyConfig::kList);
  const int notice = pageId(UtilityKind::DuvuZevad, kHotkeys, CHotKeyConfig::kNotice);
  EXPECT_TRUE(user->control(notice).visible);
  EXPECT_NE(user->control(notice).text.find("zelvorctl command 9 1"), std::string::npos);
  user->selectRow(list, 4);
  EXPECT_NE(user->control(notice).text.find("zelvorctl command 9 5"), std::string::npos);
}

TEST_F(HotkeyPageTest, PressedHotkeysRunThroughTheDispatchBranches) {
  // id → what the utilities see; "" for nothing.
  struct Case {
    int id;
    const char* expected;
  };
  preinstall();
  setString("VadaVU", "", "0");
  setString("", "AutoMostrarBarra", "2");
  ASSERT_TRUE(start().running);
  const Case cases[] = {
      {0x0305, ""},                               // a disabled utility: its bindings do nothing
      {0x0901, "command DuvuZevad 1"},            // a utility's command
      {300 * 256 + 3, "command DeveRevazoz 3"},   // Deve Revazoz
      {256, ""},                                  // the icon bar's key: no bar here, nothing happens
      {201 * 256, "run RaroDarid 1 0"},           // open menu 1
      {201 * 256 + 4, "run RaroDarid 1 4"},       // item 4 of menu 1
      {200 * 256, ""},                            // there is no menu 0
      {200 * 256 + 1, ""},                        // nor items of it
      {101 * 256 + 1, "run VaziDuzidarud 1 1"},   // shortcut 1, left program
      {100 * 256 + 1, ""},                        // there is no shortcut 0
      {101 * 256 + 3, ""},                        // a shortcut has only programs 1 and 2
      {2 * 256 + 1, ""},                          // the bar icon's id has no commands
  };
  for (const Case& c : cases) {
    log.clear();
    main().OnHotKey(c.id);
    EXPECT_EQ(log, c.expected[0] == '\0' ? Log{} : Log{c.expected}) << std::hex << c.id;
  }
}

TEST_F(MouseActionsPageTest, PagesOfferTheListsAndStoreCodesWithTheirOffsets) {
  preinstall();
  setString("ZiviDuvaza", "BotonDerecho", "9");
  openConfig();
  showPage(UtilityKind::ZiviDuvaza, kMouse);
  const int right = pageId(UtilityKind::ZiviDuvaza, kMouse, MouseActionsPage::kRight);
  const int left = pageId(UtilityKind::ZiviDuvaza, kMouse, MouseActionsPage::kLeft);
  // Codes are list positions + 1: 9 is the fifth pair's single click.
  EXPECT_EQ(user->control(right).value, 8);
  EXPECT_EQ(user->control(right).items[8], "Mostrar gráfico del uso de memoria y de CPU (un click)");
  user->choose(left, 3);
  ASSERT_TRUE(user->press("Aceptar"));
  EXPECT_EQ(store().ReadConfigString("ZiviDuvaza", "BotonIzquierdo"), "4");
  EXPECT_EQ(store().ReadConfigString("ZiviDuvaza", "BotonDerecho"), "9");
}

TEST_F(MouseActionsPageTest, DivoZidezevuzaOffersNoMiddleButtonAndDadeRiveItsMenu) {
  openConfig();
  showPage(UtilityKind::DivoZidezevuza, kMouse);
  EXPECT_EQ(config()->root.find(pageId(UtilityKind::DivoZidezevuza, kMouse, MouseActionsPage::kMiddle)), nullptr);
  showPage(UtilityKind::DadeRive, kMouse);
  const Control& left = user->control(pageId(UtilityKind::DadeRive, kMouse, MouseActionsPage::kLeft));
  ASSERT_EQ(left.items.size(), 23u);
  EXPECT_EQ(left.items[0], "Mostrar menú");
  EXPECT_EQ(left.value, 2);  // the default "2": shut down on a double click
  // A new choice runs at the next click, without a restart.
  user->choose(left.id, 0);
  ASSERT_TRUE(user->press("Apli&car"));
  ASSERT_FALSE(desk.menus.isOpen());
  mouse(4, msg::LeftUp);
  EXPECT_TRUE(desk.menus.isOpen());
}

TEST_F(GeneralOptionsTest, RunAtLoginIsCheckedOnlyForThisProgramsPath) {
  preinstall();
  CRegKeyEx run(sim.registry);
  ASSERT_EQ(run.Create(Hive::LocalMachine, kRunKey), RegStatus::Ok);
  run.SetString(kRunValue, "/opt/elsewhere/zelvor");  // the program moved
  openConfig();
  const int box = pageId(std::nullopt, "Zelvor", GeneralOptionsPage::kRunAtLogin);
  EXPECT_FALSE(user->control(box).checked);
  user->click(box);
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_EQ(run.GetString(kRunValue), sim.folders.programFile());
  user->click(box);
  ASSERT_TRUE(user->press("Apli&car"));
  std::vector<std::string> names;
  run.EnumValues(names);
  EXPECT_TRUE(names.empty());
}

TEST_F(GeneralOptionsTest, TooltipStyleAndProductIconApplyAtOnce) {
  openConfig();
  const int tips = pageId(std::nullopt, "Zelvor", GeneralOptionsPage::kTooltipStyle);
  const int hide = pageId(std::nullopt, "Zelvor", GeneralOptionsPage::kHideIcon);
  ASSERT_TRUE(desk.tray.has(1));
  user->choose(tips, 2);
  user->click(hide);
  EXPECT_FALSE(user->control(pageId(std::nullopt, "Zelvor", GeneralOptionsPage::kIconList)).enabled);
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_EQ(store().ReadConfigString("", "EstiloTooltips"), "2");
  EXPECT_EQ(store().ReadConfigString("", "HideZelvorIcon"), "1");
  EXPECT_EQ(main().tooltipStyle(), 2);
  EXPECT_FALSE(desk.tray.has(1));
}

TEST_F(GeneralOptionsTest, TheBarTabEnablesItsControlsByTheChosenMode) {
  openConfig();
  const auto id = [&](int local) { return pageId(std::nullopt, "Zelvor", local); };
  using P = GeneralOptionsPage;
  // In the notification area every bar control is off.
  for (int local : {P::kDirection, P::kPosition, P::kCellSize, P::kShowOnlyWhen, P::kBarHotkey, P::kHideAfter}) {
    EXPECT_FALSE(user->control(id(local)).enabled) << local;
  }
  user->click(id(P::kInBar));
  user->click(id(P::kShowOnlyWhen));
  user->choose(id(P::kShowMode), 1);  // on a key combination
  EXPECT_TRUE(user->control(id(P::kBarHotkey)).enabled);
  EXPECT_TRUE(user->control(id(P::kHideOnSelect)).enabled);
  user->setValue(id(P::kBarHotkey), 0x0242);
  user->choose(id(P::kCellSize), 3);
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_EQ(store().ReadConfigString("", "MostrarBarra"), "1");
  EXPECT_EQ(store().ReadConfigString("", "AutoMostrarBarra"), "2");
  EXPECT_EQ(store().ReadConfigString("", "SepIcons"), "24");
  EXPECT_EQ(store().ReadConfigString("", "TiempoOcultarBarra"), "0");
  EXPECT_EQ(dword("", "HotKey"), 0x242u);
  EXPECT_TRUE(main().barMode());
  user->choose(id(P::kShowMode), 0);  // on the pointer: no key
  EXPECT_FALSE(user->control(id(P::kBarHotkey)).enabled);
  EXPECT_FALSE(user->control(id(P::kShowAtStart)).enabled);
}

}  // namespace
}  // namespace zelvor::testing
