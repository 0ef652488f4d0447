// The countdown warning on virtual time: the count, the bar, the eleventh
// tick, cancelling, and ConfirmWithWarning around it.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "exit/countdown.h"
#include "exit/scheduler.h"
#include "platform/sim/sim_platform.h"
#include "tests/exit/scheduler_test_support.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

// Stands in for the toolkit: runs the dialog's one-second timer on virtual
// time and presses "Cancelar" after a number of ticks when asked to.
class VirtualTimeCountdown : public CountdownPresenter {
 public:
  explicit VirtualTimeCountdown(SimClock& clock) : clock_(clock) {}

  void RunModal(CAvisoDlg& dialog) override {
    ++shown;
    title = dialog.Title();
    message = dialog.Message();
    icon = dialog.IconIndex();
    progressMax = dialog.ProgressMax();
    const std::int64_t opened = clock_.nowMs();
    Snapshot(dialog);
    int ticks = 0;
    while (dialog.IsOpen() && ticks <= CAvisoDlg::kTimerPeriodMs * 40) {
      if (cancelAfterTicks && ticks == *cancelAfterTicks) {
        dialog.Cancel();
        break;
      }
      clock_.advanceMs(CAvisoDlg::kTimerPeriodMs);
      dialog.OnTimerTick();
      ++ticks;
      if (dialog.IsOpen()) Snapshot(dialog);
    }
    elapsedMs = clock_.nowMs() - opened;
  }

  std::optional<int> cancelAfterTicks;
  int shown = 0;
  std::string title, message;
  int icon = -1;
  int progressMax = -1;
  std::vector<std::string> lines;
  std::vector<int> positions;
  std::int64_t elapsedMs = 0;

 private:
  void Snapshot(const CAvisoDlg& dialog) {
    lines.push_back(dialog.RemainingLine());
    positions.push_back(dialog.ProgressPos());
  }

  SimClock& clock_;
};

class RecordedSounds : public EventSoundPlayer {
 public:
  void PlayEventSound(std::string_view fileOrEvent, bool loop) override {
    played.emplace_back(fileOrEvent, loop);
  }
  std::vector<std::pair<std::string, bool>> played;
};

std::vector<std::string> CountLines(int from) {
  std::vector<std::string> lines;
  for (int n = from; n >= 0; --n) lines.push_back("Quedan " + std::to_string(n) + " segundos");
  return lines;
}

TEST(Countdown, RunsOutOneTickAfterReachingZero) {
  struct Case {
    int seconds;
    std::int64_t elapsedMs;
  };
  for (const Case c : {Case{0, 1000}, Case{1, 2000}, Case{10, 11000}}) {
    SimClock clock;
    VirtualTimeCountdown runner(clock);
    CAvisoDlg dialog(c.seconds, "Apagar automáticamente el sistema", "Se va a apagar el sistema.", 6);
    runner.RunModal(dialog);
    EXPECT_EQ(dialog.result(), CAvisoDlg::Result::Accepted) << c.seconds;
    EXPECT_EQ(runner.elapsedMs, c.elapsedMs) << c.seconds;
    EXPECT_EQ(runner.lines, CountLines(c.seconds)) << c.seconds;
    EXPECT_EQ(runner.progressMax, c.seconds);
    std::vector<int> steps;
    for (int i = 0; i <= c.seconds; ++i) steps.push_back(i);
    EXPECT_EQ(runner.positions, steps) << c.seconds;
  }
}

TEST(Countdown, CancelClosesAtOnceAndLaterEventsAreIgnored) {
  CAvisoDlg dialog(10, "t", "m", 0);
  dialog.OnTimerTick();
  dialog.OnTimerTick();
  dialog.Cancel();
  EXPECT_EQ(dialog.result(), CAvisoDlg::Result::Cancelled);
  for (int i = 0; i < 20; ++i) dialog.OnTimerTick();
  EXPECT_EQ(dialog.result(), CAvisoDlg::Result::Cancelled);
  EXPECT_EQ(dialog.Remaining(), 8);

  CAvisoDlg done(0, "t", "m", 0);
  done.OnTimerTick();
  done.Cancel();
  EXPECT_EQ(done.result(), CAvisoDlg::Result::Accepted);
}

TEST(Countdown, TheCountKeepsToItsRange) {
  EXPECT_EQ(CAvisoDlg(40000, "t", "m", 0).ProgressMax(), 32000);
  const CAvisoDlg negative(-5, "t", "m", 0);
  EXPECT_EQ(negative.ProgressMax(), 0);
  EXPECT_EQ(negative.RemainingLine(), "Quedan 0 segundos");
}

class ConfirmWithWarning : public ::testing::Test {
 protected:
  CScheduler Make(bool showWarning, int seconds, CountdownPresenter* presenter) {
    CScheduler s({sim.registry, sim.clock, presenter, &sounds}, scheduler_setup::AutomaticConnect());
    s.SetShowWarning(showWarning);
    s.SetSeconds(seconds);
    return s;
  }

  zelvor::testing::Sandbox sandbox;
  SimPlatform sim{sandbox.root()};
  RecordedSounds sounds;
  VirtualTimeCountdown runner{sim.clock};
};

TEST_F(ConfirmWithWarning, WithoutAWarningItGoesAheadAtOnce) {
  CScheduler s = Make(false, 10, &runner);
  const std::int64_t before = sim.clock.nowMs();
  EXPECT_TRUE(s.ConfirmWithWarning("Se va a conectar a Internet.", "Conectar automáticamente", 5));
  EXPECT_EQ(runner.shown, 0);
  EXPECT_TRUE(sounds.played.empty());
  EXPECT_EQ(sim.clock.nowMs(), before);
}

TEST_F(ConfirmWithWarning, PlaysTheExclamationOnceAndCountsDown) {
  CScheduler s = Make(true, 10, &runner);
  EXPECT_TRUE(s.ConfirmWithWarning("Se va a conectar a Internet.", "Conectar automáticamente", 5));
  ASSERT_EQ(sounds.played.size(), 1u);
  EXPECT_EQ(sounds.played[0], (std::pair<std::string, bool>{"SystemExclamation", false}));
  EXPECT_EQ(runner.shown, 1);
  EXPECT_EQ(runner.title, "Conectar automáticamente");
  EXPECT_EQ(runner.message, "Se va a conectar a Internet.");
  EXPECT_EQ(runner.icon, 5);
  EXPECT_EQ(runner.elapsedMs, 11000);
}

TEST_F(ConfirmWithWarning, ZeroSecondsGoesAheadAfterOneTick) {
  CScheduler s = Make(true, 0, &runner);
  EXPECT_TRUE(s.ConfirmWithWarning("m", "c", 13));
  EXPECT_EQ(runner.elapsedMs, 1000);
}

TEST_F(ConfirmWithWarning, CancellingStopsTheAction) {
  runner.cancelAfterTicks = 3;
  CScheduler s = Make(true, 10, &runner);
  EXPECT_FALSE(s.ConfirmWithWarning("m", "c", 0));
  EXPECT_EQ(runner.elapsedMs, 3000);
  EXPECT_EQ(runner.lines.back(), "Quedan 7 segundos");
}

TEST_F(ConfirmWithWarning, WithoutAWindowToWarnInTheActionDoesNotGoAhead) {
  CScheduler s = Make(true, 10, nullptr);
  EXPECT_FALSE(s.ConfirmWithWarning("m", "c", 0));
}

}  // namespace
}  // namespace zelvor
