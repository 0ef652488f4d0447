// Program entries in the store: the value types and writing rules of one
// entry, and the four list layouts read back, rewritten whole and kept
// whole when the store cannot be written.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launchers/entry_lists.h"
#include "platform/sim/sim_registry.h"
#include "shell/store/config_store.h"
#include "shell/store/reg_key_ex.h"
#include "tests/launchers/entry_printers.h"

namespace zelvor {
namespace {

constexpr Hive HKCU = Hive::CurrentUser;

ProgramEntry Sample(std::string name) {
  ProgramEntry e;
  e.description = name;
  e.program = "/usr/bin/" + name;
  e.arguments = "--x 'a b'";
  e.askForArguments = 1;
  e.startingFolder = "/tmp/";
  e.window = 2;
  e.hotkey = 0x0341;
  e.priority = priority_class::Idle;
  e.flags = 0x12;
  return e;
}

class EntryStore : public ::testing::Test {
 protected:
  std::optional<RegValue> Value(std::string_view sub, std::string_view name) {
    return reg.queryValue(HKCU, ConfigStore::KeyPath(sub), name);
  }
  bool Exists(std::string_view sub) { return reg.keyExists(HKCU, ConfigStore::KeyPath(sub)); }
  CRegKeyEx Create(std::string_view sub) {
    CRegKeyEx key(reg);
    EXPECT_EQ(key.Create(HKCU, ConfigStore::KeyPath(sub)), RegStatus::Ok);
    return key;
  }

  SimRegistry reg;
};

TEST_F(EntryStore, SaveWritesEachValueWithItsTypeAndCerrarOnlyWhenSet) {
  CRegKeyEx key = Create("DedoVuv\\Programas\\ 1");
  ProgramEntry e = Sample("xterm");
  SaveEntry(e, key);
  const std::string sub = "DedoVuv\\Programas\\ 1";
  EXPECT_EQ(Value(sub, ""), RegValue::text("xterm"));
  EXPECT_EQ(Value(sub, "Programa"), RegValue::text("/usr/bin/xterm"));
  EXPECT_EQ(Value(sub, "Argumentos"), RegValue::text("--x 'a b'"));
  EXPECT_EQ(Value(sub, "Directorio"), RegValue::text("/tmp/"));
  EXPECT_EQ(Value(sub, "PreguntarArg"), RegValue::text("1"));
  EXPECT_EQ(Value(sub, "Ventana"), RegValue::text("2"));
  EXPECT_EQ(Value(sub, "HotKey"), RegValue::dword(0x0341));
  EXPECT_EQ(Value(sub, "Flags"), RegValue::dword(0x12));
  EXPECT_EQ(Value(sub, "Prioridad"), RegValue::dword(0x40));
  EXPECT_FALSE(Value(sub, "CerrarAlDesconectar"));

  e.closeOnDisconnect = 1;
  SaveEntry(e, key);
  EXPECT_EQ(Value(sub, "CerrarAlDesconectar"), RegValue::text("1"));
  EXPECT_EQ(LoadEntry(key), e);

  // Cleared again: the stale "1" must not survive to close the program.
  e.closeOnDisconnect = 0;
  SaveEntry(e, key);
  EXPECT_FALSE(Value(sub, "CerrarAlDesconectar"));
  EXPECT_EQ(LoadEntry(key), e);
}

TEST_F(EntryStore, AbsentValuesAndMissingKeysLoadTheDefaults) {
  CRegKeyEx missing(reg);
  EXPECT_NE(missing.Open(HKCU, ConfigStore::KeyPath("RaroDarid\\Menu 9\\ 9")), RegStatus::Ok);
  const ProgramEntry fromMissing = LoadEntry(missing);
  EXPECT_EQ(fromMissing, ProgramEntry{});
  EXPECT_EQ(fromMissing.priority, 0x20u);
  EXPECT_EQ(fromMissing.flags, 0u);
  EXPECT_EQ(fromMissing.hotkey, 0u);

  // Values of the wrong type read as absent: a text "Prioridad" is no class.
  CRegKeyEx key = Create("DadeRive\\Programas\\ 1");
  key.SetString("Programa", "/bin/true");
  key.SetString("Prioridad", "64");
  key.SetString("HotKey", "5");
  const ProgramEntry e = LoadEntry(key);
  EXPECT_EQ(e.program, "/bin/true");
  EXPECT_EQ(e.priority, 0x20u);
  EXPECT_EQ(e.hotkey, 0u);

  EXPECT_EQ(NewEntryFor(EntryList::ShutdownPrograms).flags, 0xFFFFu);
  for (const auto list : {EntryList::Shortcuts, EntryList::Menus, EntryList::ConnectPrograms}) {
    EXPECT_EQ(NewEntryFor(list), ProgramEntry{});
  }
}

TEST_F(EntryStore, ShortcutsRoundTripUnderTheirButtonKeys) {
  std::vector<Shortcut> shortcuts(2);
  shortcuts[0].icon = {"/usr/share/icons/a.png", 3};
  shortcuts[0].left = Sample("left");
  shortcuts[0].right = Sample("right");
  shortcuts[1].left.program = "/bin/ls";
  ASSERT_EQ(SaveShortcuts(reg, shortcuts), RegStatus::Ok);

  EXPECT_EQ(Value("VaziDuzidarud", "Numero"), RegValue::text("2"));
  EXPECT_EQ(Value("VaziDuzidarud\\ 1", "Icono"), RegValue::text("/usr/share/icons/a.png"));
  EXPECT_EQ(Value("VaziDuzidarud\\ 1", "IndiceIcono"), RegValue::text("3"));
  EXPECT_EQ(Value("VaziDuzidarud\\ 1\\BotonIzquierdo", "Programa"), RegValue::text("/usr/bin/left"));
  EXPECT_EQ(Value("VaziDuzidarud\\ 1\\BotonDerecho", "Programa"), RegValue::text("/usr/bin/right"));
  EXPECT_EQ(Value("VaziDuzidarud\\ 2\\BotonIzquierdo", "Programa"), RegValue::text("/bin/ls"));
  EXPECT_EQ(LoadShortcuts(reg), shortcuts);
}

TEST_F(EntryStore, MenusRoundTripWithItemsSeparatorsAndIcons) {
  std::vector<LauncherMenu> menus(2);
  menus[0].description = "Programas";
  menus[0].autoShow = 1;
  menus[0].defaultItem = 3;
  menus[0].hotkey = 0x0270;
  menus[0].icon = {"/usr/share/icons/m.svg", 0};
  ListElement item{false, Sample("editor"), {"/usr/share/icons/e.png", 1}};
  ListElement separator;
  separator.separator = true;
  separator.entry.description = "Separador";
  menus[0].items = {item, separator, item};
  menus[1].description = "Vacío";
  ASSERT_EQ(SaveMenus(reg, menus), RegStatus::Ok);

  EXPECT_EQ(Value("RaroDarid", "Numero"), RegValue::text("2"));
  EXPECT_EQ(Value("RaroDarid\\Menu 1", ""), RegValue::text("Programas"));
  EXPECT_EQ(Value("RaroDarid\\Menu 1", "AutoMostrar"), RegValue::text("1"));
  EXPECT_EQ(Value("RaroDarid\\Menu 1", "Defecto"), RegValue::text("3"));
  EXPECT_EQ(Value("RaroDarid\\Menu 1", "HotKey"), RegValue::dword(0x0270));
  EXPECT_EQ(Value("RaroDarid\\Menu 1", "Numero"), RegValue::text("3"));
  EXPECT_EQ(Value("RaroDarid\\Menu 1\\ 2", ""), RegValue::text("Separador"));
  EXPECT_FALSE(Value("RaroDarid\\Menu 1\\ 2", "Programa")) << "a separator is only its name";
  EXPECT_EQ(Value("RaroDarid\\Menu 1\\ 3", "Icono"), RegValue::text("/usr/share/icons/e.png"));
  EXPECT_EQ(Value("RaroDarid\\Menu 2", "Numero"), RegValue::text("0"));

  const auto loaded = LoadMenus(reg);
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[0].items[0], item);
  EXPECT_TRUE(loaded[0].items[1].separator);
  EXPECT_EQ(loaded, menus);
}

TEST_F(EntryStore, ProgramListsRoundTripAndCarryNoIcon) {
  for (const auto list : {EntryList::ConnectPrograms, EntryList::ShutdownPrograms}) {
    std::vector<ListElement> programs = {{false, Sample("one"), {}}, {false, Sample("two"), {}}};
    programs[1].entry.closeOnDisconnect = 1;
    ASSERT_EQ(SavePrograms(reg, list, programs), RegStatus::Ok);
    const std::string key = list == EntryList::ConnectPrograms ? "DedoVuv\\Programas" : "DadeRive\\Programas";
    EXPECT_EQ(Value(key, "Numero"), RegValue::text("2"));
    EXPECT_EQ(Value(key + "\\ 2", ""), RegValue::text("two"));
    EXPECT_FALSE(Value(key + "\\ 1", "Icono"));
    EXPECT_EQ(LoadPrograms(reg, list), programs);
  }
  EXPECT_EQ(ConnectProgramKey(4), "DedoVuv\\Programas\\ 4");
  EXPECT_EQ(ShutdownProgramKey(4), "DadeRive\\Programas\\ 4");
}

TEST_F(EntryStore, ARewriteRenumbersDropsLeftoversAndKeepsTheUtilitysOwnValues) {
  // Three menus saved, then the second deleted; a stray " 7" of an old
  // version and the utility's own values sit beside them.
  CRegKeyEx root = Create("RaroDarid");
  root.SetString("", "1");
  root.SetString("Otro", "x");
  Create("RaroDarid\\Menu 7\\ 1");
  std::vector<LauncherMenu> menus(3);
  for (int n = 0; n < 3; ++n) {
    menus[static_cast<std::size_t>(n)].description = "M" + std::to_string(n + 1);
    menus[static_cast<std::size_t>(n)].items = {{false, Sample("p" + std::to_string(n + 1)), {}},
                                                {false, Sample("q"), {}}};
  }
  ASSERT_EQ(SaveMenus(reg, menus), RegStatus::Ok);
  EXPECT_TRUE(Exists("RaroDarid\\Menu 3\\ 2"));
  menus.erase(menus.begin() + 1);
  menus[0].items.pop_back();
  ASSERT_EQ(SaveMenus(reg, menus), RegStatus::Ok);

  EXPECT_EQ(Value("RaroDarid", "Numero"), RegValue::text("2"));
  EXPECT_EQ(Value("RaroDarid\\Menu 2", ""), RegValue::text("M3"));
  EXPECT_FALSE(Exists("RaroDarid\\Menu 3"));
  EXPECT_FALSE(Exists("RaroDarid\\Menu 7"));
  EXPECT_FALSE(Exists("RaroDarid\\Menu 1\\ 2")) << "an item deleted from a kept menu";
  EXPECT_EQ(Value("RaroDarid", ""), RegValue::text("1")) << "the utility's enable flag";
  EXPECT_EQ(Value("RaroDarid", "Otro"), RegValue::text("x"));
  EXPECT_EQ(LoadMenus(reg), menus);

  std::vector<ListElement> three = {{false, Sample("a"), {}}, {false, Sample("b"), {}}, {false, Sample("c"), {}}};
  ASSERT_EQ(SavePrograms(reg, EntryList::ConnectPrograms, three), RegStatus::Ok);
  three.erase(three.begin() + 1);
  ASSERT_EQ(SavePrograms(reg, EntryList::ConnectPrograms, three), RegStatus::Ok);
  EXPECT_EQ(Value("DedoVuv\\Programas", "Numero"), RegValue::text("2"));
  EXPECT_EQ(Value("DedoVuv\\Programas\\ 2", ""), RegValue::text("c"));
  EXPECT_FALSE(Exists("DedoVuv\\Programas\\ 3"));
}

TEST_F(EntryStore, AStoreThatCannotBeWrittenKeepsTheOldListWhole) {
  std::vector<Shortcut> before(2);
  before[0].left = Sample("a");
  before[1].right = Sample("b");
  ASSERT_EQ(SaveShortcuts(reg, before), RegStatus::Ok);
  reg.failWrites(true);
  std::vector<Shortcut> after(1);
  after[0].left = Sample("z");
  EXPECT_EQ(SaveShortcuts(reg, after), RegStatus::WriteFailed);
  reg.failWrites(false);
  EXPECT_EQ(LoadShortcuts(reg), before);
}

TEST_F(EntryStore, CountsAreBoundedAndMissingElementsLoadAsDefaults) {
  Create("DadeRive\\Programas").SetString("Numero", "2");
  CRegKeyEx first = Create("DadeRive\\Programas\\ 1");
  SaveEntry(Sample("only"), first);
  const auto programs = LoadPrograms(reg, EntryList::ShutdownPrograms);
  ASSERT_EQ(programs.size(), 2u);
  EXPECT_EQ(programs[1].entry, ProgramEntry{});

  Create("DedoVuv\\Programas").SetString("Numero", "2000000000");
  EXPECT_EQ(LoadPrograms(reg, EntryList::ConnectPrograms).size(), static_cast<std::size_t>(kMaxListElements));
  Create("VaziDuzidarud").SetString("Numero", "-4");
  EXPECT_TRUE(LoadShortcuts(reg).empty());
}

TEST(EntryHotkeys, IdentifiersOfButtonsMenusAndItems) {
  EXPECT_EQ(ShortcutHotkeyId(1, MouseButton::Left), 101 * 256 + 1);
  EXPECT_EQ(ShortcutHotkeyId(3, MouseButton::Right), 103 * 256 + 2);
  EXPECT_EQ(MenuHotkeyId(2), 202 * 256);
  EXPECT_EQ(MenuItemHotkeyId(2, 5), 202 * 256 + 5);
  EXPECT_EQ(ShortcutButtonKey(12, MouseButton::Right), "VaziDuzidarud\\ 12\\BotonDerecho");
  EXPECT_EQ(MenuItemKey(3, 10), "RaroDarid\\Menu 3\\ 10");
}

}  // namespace
}  // namespace zelvor
