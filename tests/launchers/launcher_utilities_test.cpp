// The launcher icons of the assembled program on the simulated desktop:
// shortcut icons run their left and right programs, menu icons open their
// menus, items and hotkeys run entries.

#include <gtest/gtest.h>

#include "launchers/launcher_utilities.h"
#include "platform/messages.h"
#include "shell/dialogs/input_box.h"
#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"
#include "tests/support/sim_suite.h"
#include "tests/support/sim_user.h"

namespace zelvor {
namespace {

class LauncherIconsTest : public testing::SimSuiteTest {
 protected:
  void mouse(int iconId, std::uint32_t m) {
    ASSERT_TRUE(desk.tray.mouse(iconId, m)) << iconId;
    desk.loop.deliverPosted();
  }
  void setString(std::string_view sub, std::string_view name, std::string_view value) {
    CRegKeyEx k(sim.registry);
    ASSERT_EQ(k.Create(Hive::CurrentUser, ConfigStore::KeyPath(sub)), RegStatus::Ok);
    k.SetString(name, value);
  }
  [[nodiscard]] std::string lastProgram() const {
    return sim.launcher.launched.empty() ? std::string() : sim.launcher.launched.back().argv.front();
  }
};

TEST_F(LauncherIconsTest, ShortcutIconsRunTheirLeftAndRightPrograms) {
  // The defaults: shortcut 2 runs a text editor on the left button, the office suite on the right.
  mouse(101, msg::LeftUp);
  ASSERT_EQ(sim.launcher.launched.size(), 1u);
  EXPECT_EQ(lastProgram(), "/usr/bin/gnome-text-editor");
  mouse(101, msg::RightUp);
  ASSERT_EQ(sim.launcher.launched.size(), 2u);
  EXPECT_EQ(lastProgram(), "/usr/bin/libreoffice");
  // A right button without a program does nothing.
  setString("VaziDuzidarud\\ 1\\BotonDerecho", "Programa", "");
  mouse(100, msg::RightUp);
  EXPECT_EQ(sim.launcher.launched.size(), 2u);
}

TEST_F(LauncherIconsTest, MenuIconsOpenTheirMenusAndItemsRunEntries) {
  mouse(200, msg::RightUp);
  const Menu* menu = desk.menus.openMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_GE(menu->items.size(), 3u);
  const MenuItem& first = menu->items[0];
  EXPECT_EQ(first.id, 2001);
  ASSERT_TRUE(desk.menus.choose(2003));
  desk.loop.deliverPosted();
  ASSERT_EQ(sim.launcher.launched.size(), 1u);
  EXPECT_EQ(lastProgram(), "/usr/bin/x-terminal-emulator");
  // With a default item, a left click runs it at once; the right button still opens the menu.
  setString("RaroDarid\\Menu 1", "Defecto", "3");
  mouse(200, msg::LeftUp);
  EXPECT_EQ(sim.launcher.launched.size(), 2u);
  // A hotkey of an item runs it while the menu is closed.
  desk.menus.close();
  app->mainWindow()->OnHotKey(201 * 256 + 3);
  EXPECT_EQ(sim.launcher.launched.size(), 3u);
}

TEST_F(LauncherIconsTest, AnEntryThatAsksForArgumentsTakesThemFromTheInputBox) {
  setString("RaroDarid\\Menu 1\\ 3", "PreguntarArg", "1");
  int asked = 0;
  desk.dialogs.onModal = [&asked](WindowModel& box) {
    ++asked;
    testing::SimUser user(box);
    user.type(input_control::Text, "-e top");
    EXPECT_TRUE(user.press("Aceptar"));
    return CInputBox::kAccepted;
  };
  app->mainWindow()->OnHotKey(201 * 256 + 3);
  EXPECT_EQ(asked, 1);
  ASSERT_EQ(sim.launcher.launched.size(), 1u);
  const auto& argv = sim.launcher.launched.back().argv;
  ASSERT_GE(argv.size(), 3u);
  EXPECT_EQ(argv[argv.size() - 2], "-e");
  EXPECT_EQ(argv.back(), "top");
}

TEST(RaroDaridMenu, TheTitleIsCutWhenItIsLongForTheItems) {
  struct Case {
    const char* description;
    int items;
    const char* title;
  };
  const Case cases[] = {
      {"Programas", 3, ""},              // 2 × 3 − 2 = 4 characters: nothing is left
      {"Programas", 10, "Programas"},    // short enough for ten items
      {"Programas", 4, "Progra..."},     // cut to 6 characters
      {"Panel de Control", 5, "Panel de..."},
      {"Menú", 2, ""},
      {"Menú", 3, "Menú"},
  };
  for (const Case& c : cases) EXPECT_EQ(CRaroDarid::MenuTitle(c.description, c.items), c.title) << c.description;
}

}  // namespace
}  // namespace zelvor
