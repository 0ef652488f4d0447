// The countdown warning's window on the simulated desktop: what it shows
// at each tick of virtual time, how it ends (running out, "Cancelar", the
// title bar) and that nothing of it is left afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "exit/countdown_window.h"
#include "exit/scheduler.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_platform.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

namespace id = countdown_control;

// What the window showed at one moment.
struct Shown {
  std::string remaining;
  int position, minimum, maximum;
  friend bool operator==(const Shown&, const Shown&) = default;
};

std::ostream& operator<<(std::ostream& os, const Shown& s) {
  return os << "{" << s.remaining << ", " << s.position << " in " << s.minimum << ".." << s.maximum << "}";
}

class CountdownWindowTest : public ::testing::Test {
 protected:
  CountdownWindowTest() {
    // The user: looks at the warning, then lets virtual time run one
    // second at a time (doing what `act` says after each second) until
    // the window ends its modal run.
    desk.dialogs.onModal = [this](WindowModel& model) {
      window = desk.dialogs.findByClass(CountdownWindowPresenter::kClassName);
      EXPECT_EQ(desk.dialogs.model(window), &model);
      title = model.title;
      const Control* icon = model.find(id::Icon);
      image = icon != nullptr ? icon->image : ImageRef{};
      message = model.find(id::Message)->text;
      opened = sim.clock.nowMs();
      Look(model);
      for (int second = 1; !Ended() && second <= 60; ++second) {
        desk.loop.advanceMs(1000);
        if (!Ended()) Look(model);
        if (act) act(second, window);
      }
      elapsedMs = sim.clock.nowMs() - opened;
      return endCode;
    };
  }

  CScheduler Make(int seconds) {
    CScheduler s({sim.registry, sim.clock, &presenter, nullptr}, scheduler_setup::AutomaticShutdown());
    s.SetShowWarning(true);
    s.SetSeconds(seconds);
    return s;
  }

  void Look(WindowModel& model) {
    const Control& bar = *model.find(id::Progress);
    shown.push_back({model.find(id::Remaining)->text, bar.value, bar.minimum, bar.maximum});
  }

  bool Ended() {
    for (const std::string& line : desk.dialogs.log) {
      if (line.rfind("endModal CAvisoDlg ", 0) == 0) {
        endCode = std::stoi(line.substr(line.rfind(' ') + 1));
        return true;
      }
    }
    return false;
  }

  zelvor::testing::Sandbox sandbox;
  SimPlatform sim{sandbox.root()};
  SimDesktop desk{sim.clock};
  CountdownWindowPresenter presenter{desk.dialogs, desk.loop};
  std::function<void(int second, WindowHandle window)> act;

  WindowHandle window = kNoWindow;
  std::string title, message;
  ImageRef image;
  std::vector<Shown> shown;
  std::int64_t opened = 0, elapsedMs = 0;
  int endCode = 0;
};

TEST_F(CountdownWindowTest, CountsDownOnVirtualTimeAndAcceptsOnTheTickAfterZero) {
  struct Case {
    int seconds;
    int barMaximum;  // a warning of no length shows an empty bar of one step
  };
  for (const Case c : {Case{0, 1}, Case{1, 1}, Case{10, 10}}) {
    SCOPED_TRACE(c.seconds);
    desk.dialogs.log.clear();
    shown.clear();
    CScheduler s = Make(c.seconds);
    EXPECT_TRUE(s.ConfirmWithWarning("El sistema se apagará.", "Apagar el sistema", 6));

    std::vector<Shown> expected;
    for (int left = c.seconds; left >= 0; --left) {
      expected.push_back({"Quedan " + std::to_string(left) + " segundos", c.seconds - left, 0, c.barMaximum});
    }
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(elapsedMs, (c.seconds + 1) * 1000);
    EXPECT_EQ(endCode, kCountdownAccepted);
    EXPECT_EQ(title, "Apagar el sistema");
    EXPECT_EQ(message, "El sistema se apagará.");
    EXPECT_EQ(image, ImageRef::fromStrip(ImageStrip::Large, 6));
    // Each tick that leaves the window open shows it again.
    EXPECT_EQ(std::count(desk.dialogs.log.begin(), desk.dialogs.log.end(), "update CAvisoDlg"), c.seconds);
    // Nothing is left: no window, no timer ticking for it.
    EXPECT_TRUE(desk.dialogs.windows().empty());
    EXPECT_EQ(desk.dialogs.log.back(), "destroy CAvisoDlg");
  }
}

TEST_F(CountdownWindowTest, CancelarAndClosingTheWindowStopTheAction) {
  struct Case {
    const char* how;
    std::function<bool(SimDialogs&, WindowHandle)> cancel;
  };
  const std::vector<Case> cases = {
      {"Cancelar", [](SimDialogs& d, WindowHandle w) { return d.pressButton(w, "Cancelar"); }},
      {"title bar or Escape", [](SimDialogs& d, WindowHandle w) { return d.requestClose(w); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    desk.dialogs.log.clear();
    shown.clear();
    act = [&](int second, WindowHandle w) {
      if (second == 3) {
        EXPECT_TRUE(c.cancel(desk.dialogs, w));
      }
    };
    CScheduler s = Make(10);
    EXPECT_FALSE(s.ConfirmWithWarning("m", "c", 5));
    EXPECT_EQ(endCode, kCountdownCancelled);
    EXPECT_EQ(elapsedMs, 3000);
    EXPECT_EQ(shown.back().remaining, "Quedan 7 segundos");
    EXPECT_TRUE(desk.dialogs.windows().empty());
  }
}

TEST_F(CountdownWindowTest, NoTickArrivesOnceCancelledAndTheTimerDiesWithTheWindow) {
  desk.dialogs.onModal = [this](WindowModel& model) {
    window = desk.dialogs.findByClass(CountdownWindowPresenter::kClassName);
    desk.loop.advanceMs(2000);
    EXPECT_TRUE(desk.dialogs.pressButton(window, "Cancelar"));
    // A host may keep its loop running for a moment after the end.
    desk.loop.advanceMs(5000);
    EXPECT_EQ(model.find(id::Remaining)->text, "Quedan 8 segundos");
    return kCountdownCancelled;
  };
  CAvisoDlg dialog(10, "c", "m", 0);
  presenter.RunModal(dialog);
  EXPECT_EQ(dialog.result(), CAvisoDlg::Result::Cancelled);
  EXPECT_EQ(dialog.Remaining(), 8);
  EXPECT_EQ(std::count(desk.dialogs.log.begin(), desk.dialogs.log.end(), "endModal CAvisoDlg 2"), 1);
}

TEST_F(CountdownWindowTest, AModalRunEndedByTheHostCountsAsCancelled) {
  // The desktop ends the run without the window's say (say, the session ends).
  desk.dialogs.onModal = [](WindowModel&) { return 0; };
  CScheduler s = Make(10);
  EXPECT_FALSE(s.ConfirmWithWarning("m", "c", 13));
  EXPECT_TRUE(desk.dialogs.windows().empty());
  // The loop has nothing of the window left to fire.
  desk.loop.advanceMs(20000);
  EXPECT_EQ(std::count(desk.dialogs.log.begin(), desk.dialogs.log.end(), "update CAvisoDlg"), 0);
}

}  // namespace
}  // namespace zelvor
