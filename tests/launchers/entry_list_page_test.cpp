// The program-list editor of the shortcut icons and the menus in the
// configuration window of the assembled program: editing a list, the
// toolbar's commands, and the checks that stop "Apli&car".

#include <gtest/gtest.h>

#include <algorithm>

#include "launchers/entry_checks.h"
#include "launchers/entry_list_page.h"
#include "platform/messages.h"
#include "shell/config/conf_dlg.h"
#include "shell/principal_dlg.h"
#include "shell/shell_menus.h"
#include "shell/zelvor_app.h"
#include "tests/launchers/entry_printers.h"
#include "tests/support/sim_suite.h"
#include "tests/support/sim_user.h"

namespace zelvor {
namespace {

class EntryEditorTest : public testing::SimSuiteTest {
 protected:
  EntryEditorTest() {
    // Lists whose programs exist in the sandbox, whatever this machine has installed.
    sandbox.write("bin/editor", "#!/bin/sh\n");
    sandbox.write("bin/terminal", "#!/bin/sh\n");
    sandbox.write("icons/menu.png", "\x89PNG\r\n\x1a\n");
    Shortcut first;
    first.left = entry("Terminal", sandbox.path("bin/terminal"));
    shortcuts = {first};
    LauncherMenu menu;
    menu.description = "Programas";
    menu.icon = {sandbox.path("icons/menu.png"), 0};
    menu.defaultItem = 2;
    menu.items = {{false, entry("Terminal", sandbox.path("bin/terminal")), {}},
                  {false, entry("Editor", sandbox.path("bin/editor")), {}}};
    menus = {menu};
    EXPECT_EQ(SaveShortcuts(sim.registry, shortcuts), RegStatus::Ok);
    EXPECT_EQ(SaveMenus(sim.registry, menus), RegStatus::Ok);
  }

  static ProgramEntry entry(std::string description, std::string program) {
    ProgramEntry e;
    e.description = std::move(description);
    e.program = std::move(program);
    return e;
  }

  // Opens the configuration window at the editor of list and returns the id of local there.
  void openEditor(EntryList list) {
    app->mainWindow()->OnMenuCommand(menu_id::Configure);
    desk.loop.deliverPosted();
    window = dynamic_cast<CConfDlg*>(app->window(WindowKind::Config));
    ASSERT_NE(window, nullptr);
    const auto utility = list == EntryList::Shortcuts ? UtilityKind::VaziDuzidarud : UtilityKind::RaroDarid;
    const auto title = list == EntryList::Shortcuts ? kShortcutsPageTitle : kMenusPageTitle;
    const auto index = window->FindPage(utility, title);
    ASSERT_TRUE(index.has_value());
    window->SelectPage(*index);
    firstId = CConfDlg::kFirstPageId + static_cast<int>(*index) * CConfDialog::kIdSpan;
    user.emplace(*window);
  }
  [[nodiscard]] int id(int local) const { return firstId + local; }
  [[nodiscard]] const Control& tree() { return user->control(id(CEntryListPage::kTree)); }
  [[nodiscard]] bool pressTool(int local) {
    const Control& button = user->control(id(local));
    if (!button.enabled || !button.visible) return false;
    user->click(id(local));
    return true;
  }

  std::vector<Shortcut> shortcuts;
  std::vector<LauncherMenu> menus;
  CConfDlg* window = nullptr;
  int firstId = 0;
  std::optional<testing::SimUser> user;
};

TEST_F(EntryEditorTest, AShortcutAddedInTheEditorIsStoredShownAndItsHotkeyRegistered) {
  openEditor(EntryList::Shortcuts);
  ASSERT_EQ(tree().nodes.size(), 1u);
  EXPECT_EQ(tree().nodes[0].text, "Terminal");
  EXPECT_EQ(tree().nodes[0].children[0].text, "Boton izquierdo");
  // A shortcut node shows its icon only.
  EXPECT_FALSE(user->control(id(CEntryListPage::kEntryGroup)).visible);
  EXPECT_TRUE(user->control(id(CEntryListPage::kIconGroup)).visible);

  ASSERT_TRUE(pressTool(CEntryListPage::kAdd));
  ASSERT_EQ(tree().nodes.size(), 2u);
  EXPECT_EQ(tree().selectedPath, std::vector<int>{1});
  EXPECT_TRUE(tree().nodes[1].expanded);
  EXPECT_EQ(tree().nodes[1].children[0].text, "Botón izquierdo");
  EXPECT_EQ(tree().nodes[1].children[1].text, "Botón derecho");

  user->selectNode(id(CEntryListPage::kTree), {1, 0});
  EXPECT_TRUE(user->control(id(CEntryListPage::kEntryGroup)).visible);
  EXPECT_FALSE(user->control(id(CEntryListPage::kMenuGroup)).visible);
  user->type(id(CEntryListPage::kDescription), "Editor");
  user->type(id(CEntryListPage::kProgram), sandbox.path("bin/editor"));
  user->type(id(CEntryListPage::kArguments), "$(touch /tmp/pwned) \"a b\"");
  user->choose(id(CEntryListPage::kPriority), 5);
  user->setValue(id(CEntryListPage::kHotkey), 0x0245);  // field form: Control with E
  EXPECT_EQ(tree().nodes[1].text, "Editor");
  const int commits = sim.registry.commits();
  ASSERT_TRUE(user->press("Apli&car"));
  desk.loop.deliverPosted();
  EXPECT_TRUE(desk.messageBoxes.shown.empty());
  EXPECT_EQ(sim.registry.commits(), commits + 1);  // the list and the enable flags in one write

  const std::vector<Shortcut> stored = LoadShortcuts(sim.registry);
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0], shortcuts[0]);
  EXPECT_EQ(stored[1].left.description, "Editor");
  EXPECT_EQ(stored[1].left.program, sandbox.path("bin/editor"));
  EXPECT_EQ(stored[1].left.arguments, "$(touch /tmp/pwned) \"a b\"");
  EXPECT_EQ(stored[1].left.priority, priority_class::Idle);
  EXPECT_EQ(stored[1].left.hotkey, 0x0245u);
  EXPECT_EQ(stored[1].right, NewEntryFor(EntryList::Shortcuts));
  // Rebuilt at the apply: shortcut 2 has its icon, the left program's own.
  ASSERT_TRUE(desk.tray.has(101));
  EXPECT_EQ(desk.tray.icons().at(101).image, ImageRef::fromFile(sandbox.path("bin/editor"), -1));
  ASSERT_TRUE(desk.hotkeys.registered.contains(ShortcutHotkeyId(2, MouseButton::Left)));
  EXPECT_EQ(desk.hotkeys.registered[ShortcutHotkeyId(2, MouseButton::Left)].key, 0x45u);
  // A left click on it runs the new entry.
  ASSERT_TRUE(desk.tray.mouse(101, msg::LeftUp));
  desk.loop.deliverPosted();
  ASSERT_FALSE(sim.launcher.launched.empty());
  const std::vector<std::string>& argv = sim.launcher.launched.back().argv;
  ASSERT_GE(argv.size(), 4u);
  // The arguments reach the program as typed, split by their quotes and never given to a shell.
  EXPECT_EQ(std::vector<std::string>(argv.end() - 4, argv.end()),
            (std::vector<std::string>{sandbox.path("bin/editor"), "$(touch", "/tmp/pwned)", "a b"}));

  // Deleting it takes its hotkey away at the next apply.
  user->selectNode(id(CEntryListPage::kTree), {1});
  ASSERT_TRUE(pressTool(CEntryListPage::kDelete));
  EXPECT_EQ(tree().selectedPath, std::vector<int>{0});
  ASSERT_TRUE(user->press("Apli&car"));
  desk.loop.deliverPosted();
  EXPECT_EQ(LoadShortcuts(sim.registry), shortcuts);
  EXPECT_FALSE(desk.hotkeys.registered.contains(ShortcutHotkeyId(2, MouseButton::Left)));
  EXPECT_FALSE(desk.tray.has(101));
}

TEST_F(EntryEditorTest, AWholeMenuIsDeletedOnlyAfterTheQuestionIsAnsweredYes) {
  openEditor(EntryList::Menus);
  ASSERT_EQ(tree().nodes.size(), 1u);
  ASSERT_EQ(tree().nodes[0].children.size(), 2u);
  // An item goes without a question; the default item follows the items.
  user->selectNode(id(CEntryListPage::kTree), {0, 0});
  ASSERT_TRUE(pressTool(CEntryListPage::kDelete));
  EXPECT_TRUE(desk.messageBoxes.shown.empty());
  ASSERT_EQ(tree().nodes[0].children.size(), 1u);
  EXPECT_EQ(tree().selectedPath, (std::vector<int>{0, 0}));

  user->selectNode(id(CEntryListPage::kTree), {0});
  desk.messageBoxes.script.push_back(MsgAnswer::No);
  ASSERT_TRUE(pressTool(CEntryListPage::kDelete));
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  const MessageBoxRequest& asked = desk.messageBoxes.shown.back();
  EXPECT_EQ(asked.text, "¿Está seguro de eliminar el Tray Menu y todos sus elementos?");
  EXPECT_EQ(asked.caption, "Configuración de Zelvor");
  EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
  EXPECT_EQ(asked.icon, MsgIcon::Question);
  EXPECT_EQ(tree().nodes.size(), 1u);

  ASSERT_TRUE(user->press("Apli&car"));
  std::vector<LauncherMenu> stored = LoadMenus(sim.registry);
  ASSERT_EQ(stored.size(), 1u);
  ASSERT_EQ(stored[0].items.size(), 1u);
  EXPECT_EQ(stored[0].items[0].entry.description, "Editor");
  EXPECT_EQ(stored[0].defaultItem, 1);  // still the editor

  desk.messageBoxes.script.push_back(MsgAnswer::Yes);
  ASSERT_TRUE(pressTool(CEntryListPage::kDelete));
  EXPECT_EQ(desk.messageBoxes.shown.size(), 2u);
  EXPECT_TRUE(tree().nodes.empty());
  EXPECT_TRUE(tree().selectedPath.empty());
  ASSERT_TRUE(user->press("Apli&car"));
  desk.loop.deliverPosted();
  EXPECT_TRUE(LoadMenus(sim.registry).empty());
  EXPECT_FALSE(desk.tray.has(200));
}

TEST_F(EntryEditorTest, AFaultyNodeStopsTheApplyWithItsMessageAndIsSelected) {
  struct Case {
    const char* what;
    std::vector<int> node;
    int field;
    std::string value;
    std::string message;
  };
  const std::string missing = "/nonexistent/zelvor-program";
  const std::string noFolder = "/nonexistent/zelvor-folder";
  const std::string noIcon = sandbox.path("icons/none.png");
  const std::vector<Case> cases = {
      {"program of an item", {0, 1}, CEntryListPage::kProgram, missing, MissingProgramMessage(missing)},
      {"starting folder of an item", {0, 0}, CEntryListPage::kFolder, noFolder, MissingFolderMessage(noFolder)},
      {"icon of an item", {0, 1}, CEntryListPage::kIconFile, noIcon, NoIconsMessage(noIcon)},
      {"icon of the menu", {0}, CEntryListPage::kIconFile, noIcon, NoIconsMessage(noIcon)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openEditor(EntryList::Menus);
    desk.messageBoxes.shown.clear();
    user->selectNode(id(CEntryListPage::kTree), c.node);
    user->type(id(c.field), c.value);
    // Another node is shown when the user applies.
    user->selectNode(id(CEntryListPage::kTree), {0});
    const int commits = sim.registry.commits();
    ASSERT_TRUE(user->press("Apli&car"));
    ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
    const MessageBoxRequest& shown = desk.messageBoxes.shown.back();
    EXPECT_EQ(shown.text, c.message);
    EXPECT_EQ(shown.caption, "Configuración de Zelvor");
    EXPECT_EQ(shown.icon, MsgIcon::Warning);
    EXPECT_TRUE(shown.systemModal);
    EXPECT_EQ(tree().selectedPath, c.node);
    EXPECT_EQ(user->control(id(c.field)).text, c.value);
    // Nothing was written, and the edits wait for a correction.
    EXPECT_EQ(sim.registry.commits(), commits);
    EXPECT_EQ(LoadMenus(sim.registry), menus);
    EXPECT_TRUE(user->control(CConfDlg::kApply).enabled);
    // "Aceptar" does not close the window over the fault either.
    ASSERT_TRUE(user->press("Aceptar"));
    EXPECT_NE(app->window(WindowKind::Config), nullptr);
    ASSERT_TRUE(user->press("Cancelar"));
    desk.loop.deliverPosted();
  }
}

TEST_F(EntryEditorTest, ImportedDesktopFilesBecomeItemsAndMovesKeepTheDefaultItem) {
  sandbox.write("apps/calc.desktop",
                "[Desktop Entry]\nType=Application\nName=Calculadora\nExec=" + sandbox.path("bin/editor") +
                    " --calc %U\nIcon=" + sandbox.path("icons/menu.png") + "\n");
  sandbox.write("apps/broken.desktop", "no entry here\n");
  sandbox.write("apps/term.desktop",
                "[Desktop Entry]\nType=Application\nName=Consola\nExec=" + sandbox.path("bin/terminal") + "\n");
  openEditor(EntryList::Menus);
  user->selectNode(id(CEntryListPage::kTree), {0, 0});
  desk.dialogs.fileAnswers.push_back(
      {sandbox.path("apps/calc.desktop"), sandbox.path("apps/broken.desktop"), sandbox.path("apps/term.desktop")});
  ASSERT_TRUE(pressTool(CEntryListPage::kImport));
  // Inserted one after the other behind the selected item; the last one is selected.
  std::vector<std::string> labels;
  for (const TreeNode& n : tree().nodes[0].children) labels.push_back(n.text);
  EXPECT_EQ(labels, (std::vector<std::string>{"Terminal", "Calculadora", "Consola", "Editor"}));
  EXPECT_EQ(tree().selectedPath, (std::vector<int>{0, 2}));
  // A separator after it, then moved to the top and one past the bottom.
  ASSERT_TRUE(pressTool(CEntryListPage::kAddSeparator));
  EXPECT_EQ(tree().nodes[0].children[3].text, kSeparatorLabel);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(pressTool(CEntryListPage::kUp));
  EXPECT_EQ(tree().selectedPath, (std::vector<int>{0, 0}));
  ASSERT_TRUE(pressTool(CEntryListPage::kDown));
  // The editor, now the fifth item, gets a hotkey.
  user->selectNode(id(CEntryListPage::kTree), {0, 4});
  EXPECT_TRUE(user->control(id(CEntryListPage::kHotkeyGroup)).visible);
  user->setValue(id(CEntryListPage::kHotkey), 0x0446);  // field form: Alt with F
  ASSERT_TRUE(user->press("Apli&car"));
  ASSERT_TRUE(desk.messageBoxes.shown.empty());
  ASSERT_TRUE(desk.hotkeys.registered.contains(MenuItemHotkeyId(1, 5)));
  EXPECT_EQ(desk.hotkeys.registered[MenuItemHotkeyId(1, 5)].key, 0x46u);
  const std::vector<LauncherMenu> stored = LoadMenus(sim.registry);
  ASSERT_EQ(stored.size(), 1u);
  ASSERT_EQ(stored[0].items.size(), 5u);
  EXPECT_EQ(stored[0].items[0].entry.description, "Terminal");
  EXPECT_TRUE(stored[0].items[1].separator);
  EXPECT_EQ(stored[0].items[2].entry.description, "Calculadora");
  EXPECT_EQ(stored[0].items[2].entry.arguments, "--calc");
  EXPECT_EQ(stored[0].items[2].icon.file, sandbox.path("icons/menu.png"));
  EXPECT_EQ(stored[0].items[4].entry.description, "Editor");
  EXPECT_EQ(stored[0].defaultItem, 5);  // the editor, wherever it went
}

TEST_F(EntryEditorTest, TheFieldButtonsBrowseClearAndRun) {
  sandbox.write("apps/calc.desktop",
                "[Desktop Entry]\nType=Application\nName=Calculadora\nExec=" + sandbox.path("bin/editor") +
                    " --calc %U\nPath=/tmp\nIcon=accessories-calculator\n");
  sandbox.write("apps/broken.DESKTOP", "no entry here\n");
  struct Case {
    const char* what;
    std::string chosen;
    std::string description, program, arguments, folder, icon;
  };
  const std::vector<Case> cases = {
      {"a program", sandbox.path("bin/terminal"), "Editor", sandbox.path("bin/terminal"), "", "", ""},
      {"a desktop file", sandbox.path("apps/calc.desktop"), "Calculadora", sandbox.path("bin/editor"), "--calc",
       "/tmp", "accessories-calculator"},
      {"a desktop file that is none", sandbox.path("apps/broken.DESKTOP"), "Editor",
       sandbox.path("apps/broken.DESKTOP"), "", "", ""},
  };
  openEditor(EntryList::Menus);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    user->selectNode(id(CEntryListPage::kTree), {0, 1});
    ASSERT_TRUE(pressTool(CEntryListPage::kClear));
    EXPECT_EQ(user->control(id(CEntryListPage::kProgram)).text, "");
    user->type(id(CEntryListPage::kDescription), "Editor");
    desk.dialogs.fileAnswers.push_back({c.chosen});
    ASSERT_TRUE(user->press("Examinar archivos"));
    EXPECT_EQ(user->control(id(CEntryListPage::kDescription)).text, c.description);
    EXPECT_EQ(user->control(id(CEntryListPage::kProgram)).text, c.program);
    EXPECT_EQ(user->control(id(CEntryListPage::kArguments)).text, c.arguments);
    EXPECT_EQ(user->control(id(CEntryListPage::kFolder)).text, c.folder);
    EXPECT_EQ(user->control(id(CEntryListPage::kIconFile)).text, c.icon);
    EXPECT_EQ(tree().nodes[0].children[1].text, c.description);
  }
  desk.dialogs.fileAnswers.push_back({sandbox.path("bin/")});
  user->click(id(CEntryListPage::kBrowseFolder));
  EXPECT_EQ(user->control(id(CEntryListPage::kFolder)).text, sandbox.path("bin/"));
  desk.dialogs.fileAnswers.push_back({sandbox.path("icons/")});
  user->click(id(CEntryListPage::kBrowseProgramFolder));
  EXPECT_EQ(user->control(id(CEntryListPage::kProgram)).text, sandbox.path("icons/"));
  // "Ejecutar" runs what is being edited, before anything is stored.
  ASSERT_TRUE(pressTool(CEntryListPage::kRun));
  ASSERT_EQ(sim.launcher.launched.size(), 1u);
  EXPECT_EQ(sim.launcher.launched.back().workingFolder, sandbox.path("bin/"));
  EXPECT_EQ(sim.launcher.launched.back().argv.back(), sandbox.path("icons/"));  // a folder opens
  EXPECT_EQ(LoadMenus(sim.registry), menus);
}

TEST_F(EntryEditorTest, SpacersAmongTheIconsAreAddedStoredAndReadBack) {
  for (const EntryList list : {EntryList::Shortcuts, EntryList::Menus}) {
    SCOPED_TRACE(list == EntryList::Shortcuts ? "shortcuts" : "menus");
    openEditor(list);
    user->selectNode(id(CEntryListPage::kTree), {0});
    ASSERT_TRUE(pressTool(CEntryListPage::kAddSeparator));
    ASSERT_EQ(tree().nodes.size(), 2u);
    EXPECT_EQ(tree().nodes[1].text, kSeparatorLabel);
    EXPECT_TRUE(tree().nodes[1].children.empty());
    EXPECT_EQ(tree().selectedPath, std::vector<int>{1});
    // A spacer has nothing to edit and takes no items.
    EXPECT_FALSE(user->control(id(CEntryListPage::kIconGroup)).visible);
    if (list == EntryList::Menus) {
      ASSERT_TRUE(pressTool(CEntryListPage::kAddItem));
    }
    EXPECT_EQ(tree().nodes.size(), 2u);
    ASSERT_TRUE(pressTool(CEntryListPage::kUp));
    ASSERT_TRUE(user->press("Aceptar"));
    desk.loop.deliverPosted();
    EXPECT_EQ(app->window(WindowKind::Config), nullptr);
    // The spacer stands first in the row of icons.
    const int firstIcon = list == EntryList::Shortcuts ? 100 : 200;
    EXPECT_TRUE(desk.tray.has(firstIcon));
    EXPECT_TRUE(desk.tray.has(firstIcon + 1));
    if (list == EntryList::Shortcuts) {
      const std::vector<Shortcut> stored = LoadShortcuts(sim.registry);
      ASSERT_EQ(stored.size(), 2u);
      EXPECT_TRUE(stored[0].separator);
      EXPECT_EQ(stored[1], shortcuts[0]);
    } else {
      const std::vector<LauncherMenu> stored = LoadMenus(sim.registry);
      ASSERT_EQ(stored.size(), 2u);
      EXPECT_EQ(stored[0].description, "Separador");
      EXPECT_EQ(stored[1], menus[0]);
    }
    // Read back as a spacer.
    openEditor(list);
    EXPECT_EQ(tree().nodes[0].text, kSeparatorLabel);
    ASSERT_TRUE(user->press("Cancelar"));
    desk.loop.deliverPosted();
  }
}

TEST_F(EntryEditorTest, ABuiltInChoiceFillsTheEntryWithTheProgramInstalled) {
  // The choices' programs in two folders of PATH; the first in PATH is not always the one taken.
  sandbox.write("bin/kcalc", "#!/bin/sh\n");
  sandbox.write("bin/gnome-control-center", "#!/bin/sh\n");
  sandbox.write("bin2/gnome-calculator", "#!/bin/sh\n");
  sandbox.write("bin2/kate", "#!/bin/sh\n");
  environment["PATH"] = sandbox.path("bin") + ":" + sandbox.path("bin2/");
  struct Case {
    std::string description;
    std::string program, arguments;
    IconRecord icon;
    bool missing;  // "No existe el programa."
  };
  const std::vector<Case> cases = {
      // The named program is preferred to an alternative found earlier in PATH.
      {"Calculadora", sandbox.path("bin2/gnome-calculator"), "", {}, false},
      {"Bloc de Notas", sandbox.path("bin2/kate"), "", {}, false},  // an alternative
      {"Pantalla", sandbox.path("bin/gnome-control-center"), "display", {"preferences-desktop-display", 0}, false},
      {"Mapa de caracteres", "/usr/bin/gnome-characters", "", {}, true},
  };
  openEditor(EntryList::Menus);
  const Control& list = user->control(id(CEntryListPage::kDescription));
  ASSERT_EQ(list.items.size(), 28u);
  EXPECT_EQ(list.items.front(), "Explorador de Windows");
  EXPECT_EQ(list.items.back(), "Teclado");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    desk.messageBoxes.shown.clear();
    user->selectNode(id(CEntryListPage::kTree), {0, 1});
    user->type(id(CEntryListPage::kArguments), "--old");
    const auto at = std::find(list.items.begin(), list.items.end(), c.description);
    ASSERT_NE(at, list.items.end());
    user->choose(id(CEntryListPage::kDescription), static_cast<int>(at - list.items.begin()));
    EXPECT_EQ(user->control(id(CEntryListPage::kDescription)).text, c.description);
    EXPECT_EQ(user->control(id(CEntryListPage::kProgram)).text, c.program);
    EXPECT_EQ(user->control(id(CEntryListPage::kArguments)).text, c.arguments);
    EXPECT_EQ(user->control(id(CEntryListPage::kIconFile)).text, c.icon.file);
    EXPECT_EQ(tree().nodes[0].children[1].text, c.description);
    if (c.missing) {
      ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
      EXPECT_EQ(desk.messageBoxes.shown.back().text, "No existe el programa.");
      EXPECT_EQ(desk.messageBoxes.shown.back().caption, "Zelvor");
    } else {
      EXPECT_TRUE(desk.messageBoxes.shown.empty());
    }
  }
  // Typing a choice's name is a description like any other: nothing else changes.
  user->selectNode(id(CEntryListPage::kTree), {0, 0});
  user->type(id(CEntryListPage::kDescription), "Calculadora");
  EXPECT_EQ(user->control(id(CEntryListPage::kProgram)).text, sandbox.path("bin/terminal"));
  // A menu takes the choice's text only.
  user->selectNode(id(CEntryListPage::kTree), {0});
  user->choose(id(CEntryListPage::kDescription), 23);
  EXPECT_EQ(tree().nodes[0].text, "Pantalla");
  EXPECT_EQ(user->control(id(CEntryListPage::kIconFile)).text, sandbox.path("icons/menu.png"));
  // The last choice made ("Mapa de caracteres") names a program that is not installed: the apply says so.
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_EQ(desk.messageBoxes.shown.back().text, MissingProgramMessage("/usr/bin/gnome-characters"));
  user->choose(id(CEntryListPage::kDescription), 7);  // Calculadora
  desk.messageBoxes.shown.clear();
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_TRUE(desk.messageBoxes.shown.empty());
  const std::vector<LauncherMenu> stored = LoadMenus(sim.registry);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].description, "Pantalla");
  EXPECT_EQ(stored[0].items[0].entry.description, "Calculadora");
  EXPECT_EQ(stored[0].items[0].entry.program, sandbox.path("bin/terminal"));
  EXPECT_EQ(stored[0].items[1].entry.description, "Calculadora");
  EXPECT_EQ(stored[0].items[1].entry.program, sandbox.path("bin2/gnome-calculator"));
  EXPECT_EQ(stored[0].items[1].entry.arguments, "");
}

TEST_F(EntryEditorTest, TheIconPickerChoosesAnIconOfTheFileAndTheTreeShowsIt) {
  sandbox.write("icons/three.ico", std::string("\0\0\1\0\3\0", 6));
  sandbox.write("icons/none.ico", std::string("\0\0\1\0\0\0", 6));
  openEditor(EntryList::Menus);
  // The nodes show the menu's icon, an item's program, and the suite's image for an item without either.
  user->selectNode(id(CEntryListPage::kTree), {0, 1});
  ASSERT_TRUE(pressTool(CEntryListPage::kAddItem));
  const ImageRef none = ImageRef::fromStrip(ImageStrip::Small, 3);
  EXPECT_EQ(tree().nodes[0].icon, ImageRef::fromFile(sandbox.path("icons/menu.png"), 0));
  EXPECT_EQ(tree().nodes[0].children[0].icon, ImageRef::fromFile(sandbox.path("bin/terminal"), -1));
  EXPECT_EQ(tree().nodes[0].children[2].icon, none);
  EXPECT_EQ(user->control(id(CEntryListPage::kIconPreview)).image, none);

  struct Case {
    std::string file;
    int pick;     // the index the user asks for
    int maximum;  // of the picker
  };
  const std::vector<Case> cases = {
      {sandbox.path("icons/three.ico"), 2, 2},
      {sandbox.path("icons/menu.png"), 0, 0},
      {"accessories-calculator", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    user->type(id(CEntryListPage::kIconFile), c.file);
    const Control& index = user->control(id(CEntryListPage::kIconIndex));
    EXPECT_EQ(index.maximum, c.maximum);
    EXPECT_EQ(index.enabled, c.maximum > 0);
    EXPECT_EQ(index.value, 0);
    if (index.enabled) user->setValue(id(CEntryListPage::kIconIndex), c.pick);
    EXPECT_EQ(tree().nodes[0].children[2].icon, ImageRef::fromFile(c.file, c.pick));
    EXPECT_EQ(user->control(id(CEntryListPage::kIconPreview)).image, ImageRef::fromFile(c.file, c.pick));
  }
  // Stored with its index; read back into the picker.
  user->type(id(CEntryListPage::kIconFile), sandbox.path("icons/three.ico"));
  user->setValue(id(CEntryListPage::kIconIndex), 1);
  ASSERT_TRUE(user->press("Apli&car"));
  EXPECT_TRUE(desk.messageBoxes.shown.empty());
  EXPECT_EQ(LoadMenus(sim.registry).at(0).items.at(2).icon, (IconRecord{sandbox.path("icons/three.ico"), 1}));
  ASSERT_TRUE(user->press("Cancelar"));
  desk.loop.deliverPosted();
  openEditor(EntryList::Menus);
  user->selectNode(id(CEntryListPage::kTree), {0, 2});
  EXPECT_EQ(user->control(id(CEntryListPage::kIconIndex)).value, 1);
  EXPECT_EQ(user->control(id(CEntryListPage::kIconIndex)).maximum, 2);
  // An icon file without icons stops the apply at its node.
  user->type(id(CEntryListPage::kIconFile), sandbox.path("icons/none.ico"));
  EXPECT_FALSE(user->control(id(CEntryListPage::kIconIndex)).enabled);
  user->selectNode(id(CEntryListPage::kTree), {0});
  ASSERT_TRUE(user->press("Apli&car"));
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(desk.messageBoxes.shown.back().text, NoIconsMessage(sandbox.path("icons/none.ico")));
  EXPECT_EQ(tree().selectedPath, (std::vector<int>{0, 2}));
}

TEST_F(EntryEditorTest, TwoEntriesWithOneHotkeyStopTheApplyAtTheSecond) {
  // Control with E in the field's form and as registered.
  constexpr int field = 0x0245;
  constexpr std::uint32_t binding = 0x0245;
  shortcuts[0].left.hotkey = 0x0146;  // Alt with F, stored with the shortcuts
  ASSERT_EQ(SaveShortcuts(sim.registry, shortcuts), RegStatus::Ok);
  struct Case {
    const char* what;
    std::vector<std::pair<std::vector<int>, int>> keys;  // node, field value
    std::vector<int> stopsAt;
    std::string holder;
    std::string keyName;
  };
  const std::vector<Case> cases = {
      {"two items", {{{0, 0}, field}, {{0, 1}, field}}, {0, 1}, "Terminal", "Ctrl + E"},
      {"the menu and its item", {{{0}, field}, {{0, 1}, field}}, {0, 1}, "Programas", "Ctrl + E"},
      {"an item and a stored shortcut", {{{0, 1}, 0x0446}}, {0, 1}, "Terminal", "Alt + F"},
      {"different keys", {{{0, 0}, field}, {{0, 1}, 0x0246}}, {}, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openEditor(EntryList::Menus);
    desk.messageBoxes.shown.clear();
    for (const auto& [node, value] : c.keys) {
      user->selectNode(id(CEntryListPage::kTree), node);
      user->setValue(id(CEntryListPage::kHotkey), value);
    }
    user->selectNode(id(CEntryListPage::kTree), {0});
    ASSERT_TRUE(user->press("Apli&car"));
    if (c.stopsAt.empty()) {
      EXPECT_TRUE(desk.messageBoxes.shown.empty());
      EXPECT_EQ(LoadMenus(sim.registry).at(0).items.at(0).entry.hotkey, binding);
    } else {
      ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
      const MessageBoxRequest& shown = desk.messageBoxes.shown.back();
      EXPECT_EQ(shown.text, "Las teclas de acceso rápido " + c.keyName + " ya están asignadas a \"" + c.holder +
                                "\". \nElija otra combinación de teclas.");
      EXPECT_EQ(shown.caption, "Configuración de Zelvor");
      EXPECT_EQ(shown.icon, MsgIcon::Warning);
      EXPECT_EQ(tree().selectedPath, c.stopsAt);
      EXPECT_EQ(LoadMenus(sim.registry), menus);
    }
    ASSERT_TRUE(user->press("Cancelar"));
    desk.loop.deliverPosted();
  }
  // The shortcuts' page checks against the stored menus the same way.
  openEditor(EntryList::Shortcuts);
  user->selectNode(id(CEntryListPage::kTree), {0, 1});
  user->setValue(id(CEntryListPage::kHotkey), field);
  ASSERT_TRUE(user->press("Apli&car"));
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(desk.messageBoxes.shown.back().text,
            "Las teclas de acceso rápido Ctrl + E ya están asignadas a \"Terminal\". \nElija otra combinación de teclas.");
  EXPECT_EQ(tree().selectedPath, (std::vector<int>{0, 1}));
}

}  // namespace
}  // namespace zelvor
