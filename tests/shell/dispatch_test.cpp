// Click routing through the stored mouse action codes, menu commands and hotkeys.

#include "shell/mouse_actions.h"
#include "tests/shell/shell_fixture.h"

namespace zelvor::testing {
namespace {

TEST(MouseActionTest, CodesSelectCommandsByClickKind) {
  struct Row {
    int code;
    int single, dbl;
  };
  for (const Row& r : {Row{0, 0, 0}, Row{1, 1, -1}, Row{2, -1, 1}, Row{9, 5, -1}, Row{10, -1, 5},
                       Row{13, 7, -1}, Row{22, -1, 11}, Row{-3, -1, -1}}) {
    EXPECT_EQ(CommandOfCode(r.code, ClickKind::Single), r.single) << r.code;
    EXPECT_EQ(CommandOfCode(r.code, ClickKind::Double), r.dbl) << r.code;
  }
}

TEST(MouseActionTest, OnlyReleasesAndDoubleClicksNameAButton) {
  struct Row {
    std::uint32_t message;
    const char* value;  // nullptr: nothing
    ClickKind click;
  };
  for (const Row& r : {Row{msg::LeftUp, "BotonIzquierdo", ClickKind::Single},
                       Row{msg::LeftDoubleClick, "BotonIzquierdo", ClickKind::Double},
                       Row{msg::RightUp, "BotonDerecho", ClickKind::Single},
                       Row{msg::RightDoubleClick, "BotonDerecho", ClickKind::Double},
                       Row{msg::MiddleUp, "BotonCentral", ClickKind::Single},
                       Row{msg::MiddleDoubleClick, "BotonCentral", ClickKind::Double},
                       Row{msg::MouseMove, nullptr, {}}, Row{msg::LeftDown, nullptr, {}},
                       Row{msg::RightDown, nullptr, {}}, Row{msg::MiddleDown, nullptr, {}},
                       Row{0x0400, nullptr, {}}}) {
    const auto use = ButtonOf(r.message);
    if (r.value == nullptr) {
      EXPECT_FALSE(use) << r.message;
    } else {
      ASSERT_TRUE(use) << r.message;
      EXPECT_EQ(use->valueName, r.value);
      EXPECT_EQ(use->click, r.click);
    }
  }
}

TEST(MouseActionTest, ActionListsAsTheConfigurationPagesOfferThem) {
  const auto rezi = MouseActionsFor(UtilityKind::ReziZovidaraz);
  EXPECT_EQ(rezi.texts, (std::vector<std::string>{
                            "Mostrar el menú", "Mostrar los portapapeles (un click)",
                            "Mostrar los portapapeles (dos clicks)",
                            "Eliminar todos los portapapeles (un click)",
                            "Eliminar todos los portapapeles (dos clicks)",
                            "Desactivar Rezi Zovidaraz (un click)",
                            "Desactivar Rezi Zovidaraz (dos click)"}));
  const auto zivi = MouseActionsFor(UtilityKind::ZiviDuvaza);
  EXPECT_EQ(zivi.codeOffset, 1);
  EXPECT_EQ(zivi.texts.size(), 10u);
  EXPECT_EQ(ListPositionOfCode(zivi, 0), 0);  // a stored 0 shows the first entry
  EXPECT_EQ(ListPositionOfCode(zivi, 9), 8);
  const auto divo = MouseActionsFor(UtilityKind::DivoZidezevuza);
  EXPECT_FALSE(divo.middleButton);
  EXPECT_EQ(divo.texts.front(), "Mostrar la ventana (un click)");
  EXPECT_EQ(MouseActionsFor(UtilityKind::DadeRive).texts.size(), 23u);
  EXPECT_EQ(MouseActionsFor(UtilityKind::DadeRive).texts[22], "Reiniciar un equipo remoto (dos clicks)");
  EXPECT_EQ(MouseActionsFor(UtilityKind::VadaVU).texts.size(), 7u);
  EXPECT_EQ(MouseActionsFor(UtilityKind::DedoVuv).texts.size(), 15u);
  EXPECT_EQ(MouseActionsFor(UtilityKind::DuvuZevad).texts.size(), 11u);
  EXPECT_EQ(MouseActionsFor(UtilityKind::DeveRevazoz).texts.size(), 17u);
  EXPECT_TRUE(MouseActionsFor(UtilityKind::RaviVarudide).texts.empty());
}

class DispatchTest : public ShellTest {
 protected:
  void SetUp() override {
    factory.all();
    factory.prepare = [](UtilityKind k, FakeUtility& u) {
      if (k == UtilityKind::DedoVuv) u.dial.entries = {"A", "B"};
    };
    ASSERT_TRUE(start().running);
    log.clear();
  }
};

TEST_F(DispatchTest, ClickRoutingRows) {
  struct Row {
    const char* key;
    const char* value;  // BotonX=code; nullptr: leave the defaults
    const char* code;
    int icon;
    std::uint32_t message;
    Log expected;
  };
  const std::vector<Row> rows{
      // Dedo Vuv with BotonIzquierdo 10: single does nothing, double opens the
      // properties of the default entry.
      {"DedoVuv", "BotonIzquierdo", "10", 6, msg::LeftUp, {}},
      {"DedoVuv", "BotonIzquierdo", "10", 6, msg::LeftDoubleClick, {"command DedoVuv 40 A"}},
      {"DedoVuv", "BotonCentral", "13", 6, msg::MiddleUp, {"command DedoVuv 7"}},
      // Ravi Varudide without codes: every click opens the calendar.
      {"RaviVarudide", nullptr, nullptr, 10, msg::LeftUp, {"command RaviVarudide 0"}},
      {"RaviVarudide", nullptr, nullptr, 10, msg::RightDoubleClick, {"command RaviVarudide 0"}},
      {"RaviVarudide", nullptr, nullptr, 10, msg::MiddleUp, {"command RaviVarudide 0"}},
      {"RaviVarudide", nullptr, nullptr, 10, msg::LeftDown, {}},
      // Zivi Duvaza: 9 toggles the usage graph, 0 opens the window.
      {"ZiviDuvaza", "BotonDerecho", "9", 5, msg::RightUp, {"command ZiviDuvaza 5"}},
      {"ZiviDuvaza", "BotonDerecho", "0", 5, msg::RightUp, {"command ZiviDuvaza 0"}},
      // Defaults: Duvu Zevad left 1 is a new note; Vada VU left " 3" play/pause.
      {"DuvuZevad", nullptr, nullptr, 9, msg::LeftUp, {"command DuvuZevad 1"}},
      {"DuvuZevad", nullptr, nullptr, 9, msg::MouseMove, {}},
      {"VadaVU", nullptr, nullptr, 3, msg::LeftUp, {"command VadaVU 2"}},
      {"ReziZovidaraz", nullptr, nullptr, 8, msg::LeftUp, {"command ReziZovidaraz 1"}},
      {"DivoZidezevuza", "BotonIzquierdo", "3", 7, msg::LeftUp, {"command DivoZidezevuza 2"}},
      {"DeveRevazoz", "BotonIzquierdo", "2", 300, msg::LeftDoubleClick, {"command DeveRevazoz 1"}},
      // Dade Rive: double left (default 2) shuts down through the exit actions.
      {"DadeRive", nullptr, nullptr, 4, msg::LeftDoubleClick, {"command DadeRive 1"}},
      {"DadeRive", nullptr, nullptr, 4, msg::LeftUp, {}},
  };
  for (const Row& r : rows) {
    if (r.value != nullptr) setString(r.key, r.value, r.code);
    log.clear();
    mouse(r.icon, r.message);
    EXPECT_EQ(logged("command "), r.expected) << r.key << " " << (r.value ? r.value : "") << "="
                                             << (r.code ? r.code : "") << " message " << r.message;
    desk.menus.close();
    desk.loop.deliverPosted();
  }
}

TEST_F(DispatchTest, MenusOpenForTheirIcons) {
  mouse(1, msg::RightUp);
  ASSERT_NE(desk.menus.openMenu(), nullptr);
  EXPECT_EQ(desk.menus.openMenu()->title, "Zelvor");
  desk.menus.close();
  desk.loop.deliverPosted();
  mouse(4, msg::RightUp);  // Dade Rive right: 0, its menu
  EXPECT_EQ(desk.menus.openMenu()->title, "Dade Rive");
  choose(302);
  EXPECT_EQ(logged("command "), Log{"command DadeRive 2"});
  // Duvu Zevad opens its own menu (its note list is its own): code 0 reaches it.
  mouse(9, msg::RightUp);
  EXPECT_EQ(desk.menus.openMenu(), nullptr);
  mouse(6, msg::RightUp);
  EXPECT_EQ(desk.menus.openMenu()->title, "Dedo Vuv");
  choose(521);
  EXPECT_EQ(logged("command "), (Log{"command DadeRive 2", "command DuvuZevad 0", "command DedoVuv 21 B"}));
}

TEST_F(DispatchTest, CommandsOfAMissingUtilityDoNothing) {
  app->DeleteUtility(UtilityKind::ReziZovidaraz);
  main().OnMenuCommand(750);
  mouse(8, msg::LeftUp);
  mouse(8, msg::RightUp);
  EXPECT_TRUE(logged("command ").empty());
  EXPECT_EQ(desk.menus.openMenu(), nullptr);
}

TEST_F(DispatchTest, ZiviDuvazaIsCreatedOnDemandByItsCommands) {
  app->DeleteUtility(UtilityKind::ZiviDuvaza);
  mouse(5, msg::LeftUp);
  EXPECT_EQ(log, (Log{"delete ZiviDuvaza", "create ZiviDuvaza", "command ZiviDuvaza 1"}));
}

TEST_F(DispatchTest, DedoVuvWithoutEntriesOffersToCreateOne) {
  fake(UtilityKind::DedoVuv)->dial.entries.clear();
  desk.messageBoxes.script = {MsgAnswer::Yes};
  main().OnHotKey(6 * 256 + 6);  // connect to the default entry
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(desk.messageBoxes.shown[0].text,
            "No hay ninguna conexión de Acceso telefónico a redes. \n¿Desea crear una nueva?");
  EXPECT_EQ(desk.messageBoxes.shown[0].caption, "Dedo Vuv");
  EXPECT_EQ(logged("command "), Log{"command DedoVuv 4"});
  desk.messageBoxes.script = {MsgAnswer::No};
  main().OnMenuCommand(520);
  EXPECT_EQ(logged("command ").size(), 1u);
}

TEST_F(DispatchTest, ShortcutAndMenuIconsRunTheirEntries) {
  mouse(100, msg::LeftUp);
  mouse(101, msg::RightUp);
  mouse(200, msg::LeftUp);
  setString("RaroDarid\\Menu 2", "Defecto", "3");
  mouse(201, msg::LeftUp);
  mouse(201, msg::RightUp);
  main().OnMenuCommand(2000 + 100 + 4);
  EXPECT_EQ(logged("run "), (Log{"run VaziDuzidarud 1 1", "run VaziDuzidarud 2 2", "run RaroDarid 1 0",
                                 "run RaroDarid 2 3", "run RaroDarid 2 0", "run RaroDarid 2 4"}));
}

TEST_F(DispatchTest, HotkeysFollowTheirIdsAndTheEnableFlags) {
  main().OnHotKey(9 * 256 + 1);
  main().OnHotKey(300 * 256 + 2);
  main().OnHotKey(3 * 256 + 5);         // Vada VU decides that 5 is nothing
  main().OnHotKey((101) * 256 + 2);     // shortcut 1, right program
  main().OnHotKey((202) * 256);         // open menu 2
  main().OnHotKey((202) * 256 + 7);     // item 7 of menu 2
  setString("DuvuZevad", "", "0");
  main().OnHotKey(9 * 256 + 1);         // disabled: nothing
  EXPECT_EQ(log, (Log{"command DuvuZevad 1", "command DeveRevazoz 2", "command VadaVU 5",
                      "run VaziDuzidarud 1 2", "run RaroDarid 2 0", "run RaroDarid 2 7"}));
}

TEST_F(DispatchTest, StoredHotkeysAreRegisteredAtStartAndPressingOneRunsItsCommand) {
  app.reset();
  instance.release();
  setDword("DuvuZevad", "HotKey1", 0x0241);
  setDword("ZiviDuvaza", "HotKey5", 0x0770);
  setDword("VadaVU", "HotKey2", 0x0242);
  setString("VadaVU", "", "0");  // bindings of a disabled utility stay registered
  setDword("VaziDuzidarud\\ 1\\BotonIzquierdo", "HotKey", 0x0443);
  setDword("RaroDarid\\Menu 2", "HotKey", 0x0244);
  setDword("RaroDarid\\Menu 1\\ 3", "HotKey", 0x0245);
  desk.hotkeys.taken.insert({2u, 0x42u});
  ASSERT_TRUE(start().running);
  std::map<int, std::pair<std::uint32_t, std::uint32_t>> got;
  for (const auto& [id, b] : desk.hotkeys.registered) got[id] = {b.modifiers, b.key};
  EXPECT_EQ(got, (std::map<int, std::pair<std::uint32_t, std::uint32_t>>{
                     {9 * 256 + 1, {2, 0x41}}, {5 * 256 + 5, {7, 0x70}}, {101 * 256 + 1, {4, 0x43}},
                     {202 * 256, {2, 0x44}}, {201 * 256 + 3, {2, 0x45}}}));
  log.clear();
  ASSERT_TRUE(desk.hotkeys.press(9 * 256 + 1));
  desk.loop.deliverPosted();
  EXPECT_EQ(log, Log{"command DuvuZevad 1"});
}

TEST_F(DispatchTest, BlinkingRaviVarudideStopsWhenThePointerComesBy) {
  CTrayIcon& ravi = *main().icon(10);
  ravi.blinkInterval = std::chrono::milliseconds(1);
  ravi.StartBlink();
  // The worker asks the UI thread for the blink image first.
  ASSERT_TRUE(desk.loop.waitForPost(std::chrono::seconds(10)));
  desk.loop.deliverPosted();
  for (int i = 0; i < 2000 && desk.tray.icon(10)->image.strip != ImageStrip::Blink; ++i) {
    (void)desk.loop.waitForPost(std::chrono::milliseconds(5));
    desk.loop.deliverPosted();
  }
  EXPECT_EQ(desk.tray.icon(10)->image, ImageRef::fromStrip(ImageStrip::Blink, 0));
  mouse(10, msg::MouseMove);
  EXPECT_FALSE(ravi.blinking());
  // Once stopped the worker asks for nothing but the normal image, so when
  // that shows, it stays.
  const auto normal = ImageRef::fromStrip(ImageStrip::Utility, 20);
  for (int i = 0; i < 2000 && desk.tray.icon(10)->image != normal; ++i) {
    (void)desk.loop.waitForPost(std::chrono::milliseconds(5));
    desk.loop.deliverPosted();
  }
  app->DeleteUtility(UtilityKind::RaviVarudide);  // keeps the log quiet
  EXPECT_EQ(desk.tray.icon(10)->image, ImageRef::fromStrip(ImageStrip::Utility, 20));
}

}  // namespace
}  // namespace zelvor::testing
