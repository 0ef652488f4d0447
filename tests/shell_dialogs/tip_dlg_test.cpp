// The tip of the day in the running shell: it opens at start when the
// setting asks for it, picks its tips by the clock's milliseconds, never
// repeats one within its lifetime, saves its check box when it closes and
// is deleted by its closed message.

#include <set>

#include "shell/dialogs/tip_dlg.h"
#include "shell/shell_menus.h"
#include "tests/shell_dialogs/dialogs_fixture.h"

namespace zelvor::testing {
namespace {

class TipOfTheDay : public ShellDialogsTest {
 protected:
  CTipDlg* tip() { return dynamic_cast<CTipDlg*>(app->window(WindowKind::Tip)); }
  // What the white panel shows now, as the binding would paint it.
  RecordingCanvas paintPanel() {
    RecordingCanvas canvas;
    WindowModel* model = shown("CTipDlg");
    const Control* panel = model == nullptr ? nullptr : model->find(tip_control::Panel);
    if (panel == nullptr || !panel->paint) {
      ADD_FAILURE() << "no tip panel";
      return canvas;
    }
    panel->paint(canvas, {420, 170});
    return canvas;
  }
};

TEST_F(TipOfTheDay, OpensAtStartWithTheTipTheMillisecondsPick) {
  struct Case {
    int ms;
    int tip;
  };
  for (const Case c : {Case{0, 0}, Case{999, kTipCount - 1}, Case{500, 15}}) {
    SCOPED_TRACE(c.ms);
    app.reset();
    setMilliseconds(c.ms);
    ASSERT_TRUE(start().running);
    ASSERT_NE(tip(), nullptr);
    EXPECT_EQ(tip()->currentTip(), c.tip);
    WindowModel* model = shown("CTipDlg");
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(desk.dialogs.isVisible(desk.dialogs.findByClass("CTipDlg")));
    EXPECT_EQ(model->title, "Zelvor - Sugerencia del día");

    const RecordingCanvas canvas = paintPanel();
    ASSERT_FALSE(canvas.fills.empty());
    EXPECT_EQ(canvas.fills.front().colour, rgb(255, 255, 255));
    ASSERT_EQ(canvas.texts.size(), 2u);
    EXPECT_EQ(canvas.texts[0].text, "Sabía que...");
    EXPECT_EQ(canvas.texts[1].text, TipTexts()[static_cast<std::size_t>(c.tip)]);
    EXPECT_GT(canvas.texts[0].font.pointSize, canvas.texts[1].font.pointSize);
  }
}

TEST_F(TipOfTheDay, ShowsEveryTipOnceBeforeAnyComesBack) {
  setMilliseconds(999);
  ASSERT_TRUE(start().running);
  ASSERT_NE(tip(), nullptr);
  WindowModel* model = shown("CTipDlg");
  ASSERT_NE(model, nullptr);
  SimUser user(*model);
  std::set<int> seen{tip()->currentTip()};
  std::set<std::string> painted{paintPanel().texts.at(1).text};
  for (int i = 1; i < kTipCount; ++i) {
    // Always the last tip left, then wherever the clock falls.
    sim.clock.advanceMs(i < 10 ? 1000 : 367);
    ASSERT_TRUE(user.press("&Siguiente sugerencia"));
    EXPECT_TRUE(seen.insert(tip()->currentTip()).second) << "repeated at press " << i;
    painted.insert(paintPanel().texts.at(1).text);
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kTipCount));
  EXPECT_EQ(painted.size(), static_cast<std::size_t>(kTipCount)) << "the panel shows the tip chosen";
  // Each press asked the binding to paint the panel again.
  EXPECT_EQ(std::count(desk.dialogs.log.begin(), desk.dialogs.log.end(), "repaint CTipDlg"), kTipCount - 1);

  // All thirty shown: the round starts again from the full list.
  setMilliseconds(0);
  ASSERT_TRUE(user.press("&Siguiente sugerencia"));
  EXPECT_EQ(tip()->currentTip(), 0);
}

TEST_F(TipOfTheDay, ClosingSavesTheCheckBoxAndTheClosedMessageDeletesTheWindow) {
  struct Case {
    const char* name;
    bool untick;
    bool titleBar;  // closed with the title bar's button instead of "&Cerrar"
    const char* stored;
  };
  preinstall();
  for (const Case c : {Case{"kept, Cerrar", false, false, "1"}, Case{"unticked, Cerrar", true, false, "0"},
                       Case{"unticked, title bar", true, true, "0"}}) {
    SCOPED_TRACE(c.name);
    app.reset();
    setString("", "SugerenciasAlInicio", "1");
    ASSERT_TRUE(start().running);
    ASSERT_NE(tip(), nullptr);
    const WindowHandle h = desk.dialogs.findByClass("CTipDlg");
    WindowModel* model = desk.dialogs.model(h);
    ASSERT_NE(model, nullptr);
    SimUser user(*model);
    EXPECT_TRUE(user.control(tip_control::ShowAtStart).checked);
    EXPECT_EQ(user.control(tip_control::ShowAtStart).text, "&Mostrar sugerencias al inicio.");
    if (c.untick) user.click(tip_control::ShowAtStart);
    EXPECT_EQ(store().ReadConfigString("", "SugerenciasAlInicio"), "1")
        << "nothing is written before the window closes";

    if (c.titleBar) {
      EXPECT_FALSE(desk.dialogs.requestClose(h));  // the window closed itself already
    } else {
      ASSERT_TRUE(user.press("&Cerrar"));
    }
    EXPECT_EQ(desk.dialogs.findByClass("CTipDlg"), kNoWindow);
    EXPECT_EQ(store().ReadConfigString("", "SugerenciasAlInicio"), c.stored);
    // The object lives until its closed message arrives, then it goes.
    EXPECT_NE(tip(), nullptr);
    desk.loop.deliverPosted();
    EXPECT_EQ(tip(), nullptr);
  }
}

TEST_F(TipOfTheDay, StaysAwayAtStartWhenUntickedAndOpensFromTheMenu) {
  preinstall();
  setString("", "SugerenciasAlInicio", "0");
  ASSERT_TRUE(start().running);
  EXPECT_EQ(tip(), nullptr);
  EXPECT_EQ(shown("CTipDlg"), nullptr);

  main().OnMenuCommand(menu_id::Tip);
  ASSERT_NE(tip(), nullptr);
  WindowModel* model = shown("CTipDlg");
  ASSERT_NE(model, nullptr);
  SimUser user(*model);
  EXPECT_FALSE(user.control(tip_control::ShowAtStart).checked);
  // A second "Sugerencia del día" brings the same window forward: no new tip.
  const int first = tip()->currentTip();
  sim.clock.advanceMs(437);
  main().OnMenuCommand(menu_id::Tip);
  EXPECT_EQ(tip()->currentTip(), first);
  EXPECT_EQ(std::count(desk.dialogs.log.begin(), desk.dialogs.log.end(), "create CTipDlg"), 1);

  user.click(tip_control::ShowAtStart);
  ASSERT_TRUE(user.press("&Cerrar"));
  desk.loop.deliverPosted();
  EXPECT_EQ(store().ReadConfigString("", "SugerenciasAlInicio"), "1");
}

}  // namespace
}  // namespace zelvor::testing
