// The progress window: its owner is disabled exactly while it exists,
// moving the bar first delivers the messages that wait (so a long loop on
// the UI thread does not freeze the desktop), the position stays inside the
// range, and "Cancelar" reaches the caller.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_desktop.h"
#include "shell/dialogs/progress_dlg.h"
#include "tests/support/sim_user.h"

namespace zelvor::testing {
namespace {

class Recorder final : public MessageTarget {
 public:
  void onMessage(std::uint32_t message, std::intptr_t, std::intptr_t) override { messages.push_back(message); }
  void onTimer(int) override {}
  std::vector<std::uint32_t> messages;
};

class ProgressTest : public ::testing::Test {
 protected:
  ProgressTest() {
    owner.className = "COwner";
    ownerHandle = desk.dialogs.create(owner);
    desk.dialogs.show(ownerHandle);
  }
  ProgressOptions options(int lowest, int highest, int step, bool cancel = false) {
    ProgressOptions o;
    o.lowest = lowest;
    o.highest = highest;
    o.step = step;
    o.text = "Importando el registro del módem...";
    o.image = 5;
    o.offerCancel = cancel;
    return o;
  }
  const Control& bar(const CProgressDlg& dlg) { return *dlg.root.find(progress_control::Bar); }

  SimClock clock;
  SimDesktop desk{clock};
  WindowModel owner;
  WindowHandle ownerHandle = kNoWindow;
};

TEST_F(ProgressTest, DisablesItsOwnerWhileItLives) {
  {
    CProgressDlg dlg(desk.dialogs, desk.loop, ownerHandle, options(0, 10, 1));
    EXPECT_FALSE(desk.dialogs.isEnabled(ownerHandle));
    const WindowHandle h = desk.dialogs.findByClass("CProgressDlg");
    ASSERT_NE(h, kNoWindow);
    EXPECT_EQ(h, dlg.handle());
    EXPECT_TRUE(desk.dialogs.isVisible(h));
    EXPECT_EQ(dlg.title, "Zelvor");
    EXPECT_EQ(dlg.root.find(progress_control::Text)->text, "Importando el registro del módem...");
    EXPECT_EQ(dlg.root.find(progress_control::Icon)->image, ImageRef::fromStrip(ImageStrip::Large, 5));
    EXPECT_EQ(dlg.root.findButton("Cancelar"), nullptr) << "not offered";
  }
  EXPECT_TRUE(desk.dialogs.isEnabled(ownerHandle));
  EXPECT_EQ(desk.dialogs.findByClass("CProgressDlg"), kNoWindow);
  // The owner was disabled before the window appeared and enabled after it went.
  const auto& log = desk.dialogs.log;
  const auto at = [&](const std::string& line) { return std::find(log.begin(), log.end(), line) - log.begin(); };
  EXPECT_LT(at("disable COwner"), at("create CProgressDlg"));
  EXPECT_LT(at("destroy CProgressDlg"), at("enable COwner"));
  EXPECT_LT(at("enable COwner"), static_cast<long>(log.size()));

  // Without an owner nothing else is disabled.
  { CProgressDlg alone(desk.dialogs, desk.loop, kNoWindow, options(0, 10, 1)); }
  EXPECT_EQ(std::count(log.begin(), log.end(), "disable COwner"), 1);
}

TEST_F(ProgressTest, MovingTheBarDeliversWhatWaitsFirst) {
  Recorder target;
  const WindowHandle t = desk.loop.addTarget(target);
  CProgressDlg dlg(desk.dialogs, desk.loop, ownerHandle, options(0, 100, 10));
  desk.loop.post(t, 2001, 0, 0);
  EXPECT_TRUE(target.messages.empty());
  dlg.StepIt();
  EXPECT_EQ(target.messages, std::vector<std::uint32_t>{2001});
  desk.loop.post(t, 2002, 0, 0);
  dlg.SetPos(40);
  EXPECT_EQ(target.messages, (std::vector<std::uint32_t>{2001, 2002}));
  // Setting the range or the step does not run the loop.
  desk.loop.post(t, 2003, 0, 0);
  dlg.SetRange(0, 200);
  dlg.SetStep(5);
  EXPECT_EQ(target.messages.size(), 2u);
  desk.loop.removeTarget(t);
}

TEST_F(ProgressTest, PositionFollowsRangeAndStep) {
  struct Step {
    const char* what;
    std::function<void(CProgressDlg&)> act;
    int position, minimum, maximum;
  };
  CProgressDlg dlg(desk.dialogs, desk.loop, ownerHandle, options(20, 60, 15));
  const std::vector<Step> steps{
      {"starts at the lowest", [](CProgressDlg&) {}, 20, 20, 60},
      {"step", [](CProgressDlg& d) { d.StepIt(); }, 35, 20, 60},
      {"step", [](CProgressDlg& d) { d.StepIt(); }, 50, 20, 60},
      {"step stops at the top", [](CProgressDlg& d) { d.StepIt(); }, 60, 20, 60},
      {"set below the range", [](CProgressDlg& d) { d.SetPos(3); }, 20, 20, 60},
      {"set inside", [](CProgressDlg& d) { d.SetPos(44); }, 44, 20, 60},
      {"negative step", [](CProgressDlg& d) { d.SetStep(-30); d.StepIt(); }, 20, 20, 60},
      {"range shrinks under the position", [](CProgressDlg& d) { d.SetRange(0, 10); }, 10, 0, 10},
      {"reversed range", [](CProgressDlg& d) { d.SetRange(500, 100); }, 100, 100, 500},
      {"huge step", [](CProgressDlg& d) { d.SetStep(2147483647); d.StepIt(); }, 500, 100, 500},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    s.act(dlg);
    EXPECT_EQ(dlg.GetPos(), s.position);
    EXPECT_EQ(bar(dlg).value, s.position) << "the bar shows the position";
    EXPECT_EQ(bar(dlg).minimum, s.minimum);
    EXPECT_EQ(bar(dlg).maximum, s.maximum);
  }
  // A reversed range at creation starts at its low end.
  CProgressDlg reversed(desk.dialogs, desk.loop, kNoWindow, options(9, 3, 1));
  EXPECT_EQ(reversed.GetPos(), 3);
  EXPECT_EQ(bar(reversed).maximum, 9);
}

TEST_F(ProgressTest, CancelarIsSeenByTheCallerAndClosingAsksTheSame) {
  for (const bool titleBar : {false, true}) {
    SCOPED_TRACE(titleBar ? "title bar" : "Cancelar");
    auto o = options(0, 100, 1, true);
    o.caption = "Importar archivo de registro del módem";
    CProgressDlg dlg(desk.dialogs, desk.loop, ownerHandle, o);
    EXPECT_EQ(dlg.title, "Importar archivo de registro del módem");
    EXPECT_FALSE(dlg.cancelled());
    // The caller's loop: the press arrives while it steps.
    int steps = 0;
    while (!dlg.cancelled() && steps < 100) {
      if (steps == 7) {
        if (titleBar) {
          EXPECT_FALSE(desk.dialogs.requestClose(dlg.handle())) << "the caller destroys it, not the user";
        } else {
          SimUser user(dlg);
          ASSERT_TRUE(user.press("Cancelar"));
        }
      }
      dlg.StepIt();
      ++steps;
    }
    EXPECT_TRUE(dlg.cancelled());
    EXPECT_EQ(steps, 8);
    EXPECT_FALSE(dlg.root.findButton("Cancelar")->enabled);
    EXPECT_NE(desk.dialogs.findByClass("CProgressDlg"), kNoWindow);
  }
  // Without "Cancelar" the title bar's button does nothing.
  CProgressDlg plain(desk.dialogs, desk.loop, ownerHandle, options(0, 10, 1));
  EXPECT_FALSE(desk.dialogs.requestClose(plain.handle()));
  EXPECT_FALSE(plain.cancelled());
}

}  // namespace
}  // namespace zelvor::testing
