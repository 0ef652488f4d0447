// The about box: the product's name with the version the assembly gave,
// the credits, and the modeless pattern with message 1135.

#include "shell/dialogs/about_dlg.h"
#include "shell/shell_menus.h"
#include "tests/shell_dialogs/dialogs_fixture.h"

namespace zelvor::testing {
namespace {

class AboutBox : public ShellDialogsTest {};

TEST_F(AboutBox, ShowsNameAndVersionAndGoesWithItsClosedMessage) {
  preinstall();
  setString("", "SugerenciasAlInicio", "0");
  ASSERT_TRUE(start().running);
  main().OnMenuCommand(menu_id::About);
  ASSERT_NE(app->window(WindowKind::About), nullptr);
  const WindowHandle h = desk.dialogs.findByClass("CAboutDlg");
  ASSERT_NE(h, kNoWindow);
  EXPECT_TRUE(desk.dialogs.isVisible(h));
  WindowModel* model = desk.dialogs.model(h);
  SimUser user(*model);
  EXPECT_EQ(user.control(about_control::Product).text, "Zelvor 3.14.15");
  EXPECT_EQ(user.control(about_control::Credits).text, AboutCredits());

  // Asked again while open: the same window comes forward.
  main().OnMenuCommand(menu_id::About);
  EXPECT_EQ(desk.dialogs.findByClass("CAboutDlg"), h);

  ASSERT_TRUE(user.press("Aceptar"));
  EXPECT_EQ(desk.dialogs.findByClass("CAboutDlg"), kNoWindow);
  desk.loop.deliverPosted();
  EXPECT_EQ(app->window(WindowKind::About), nullptr);

  // A new one opens after the old one went, and the title bar closes it too.
  main().OnMenuCommand(menu_id::About);
  const WindowHandle again = desk.dialogs.findByClass("CAboutDlg");
  ASSERT_NE(again, kNoWindow);
  EXPECT_FALSE(desk.dialogs.requestClose(again));
  desk.loop.deliverPosted();
  EXPECT_EQ(app->window(WindowKind::About), nullptr);
}

}  // namespace
}  // namespace zelvor::testing
