// The automatic shutdown window on virtual time: its four conditions, the
// countdown before acting, the status bar, and a date trigger that survives
// a restart of the program.

#include <gtest/gtest.h>

#include "exit/countdown_window.h"
#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"
#include "shutdown/auto_close_dlg.h"
#include "shutdown/dade_rive.h"
#include "tests/support/sim_suite.h"
#include "tests/support/sim_user.h"

namespace zelvor {
namespace {

using shutdown::SpanText;

class AutoCloseTest : public testing::SimSuiteTest {
 protected:
  AutoCloseTest() {
    // The countdown is let run out, as nobody presses "Cancelar".
    desk.dialogs.onModal = [this](WindowModel& model) {
      modals.push_back(model.className + " after " + std::to_string(desk.power.performed.size()));
      for (int i = 0; i <= 40 && desk.dialogs.findByClass("CAvisoDlg") != kNoWindow; ++i) desk.loop.advanceMs(1000);
      return kCountdownAccepted;
    };
  }
  CAutoCloseDlg& open() {
    app->mainWindow()->RunExitAction(8);
    desk.loop.deliverPosted();
    auto* w = dynamic_cast<CAutoCloseDlg*>(app->window(WindowKind::AutoClose));
    EXPECT_NE(w, nullptr);
    return *w;
  }
  [[nodiscard]] static std::string status(CAutoCloseDlg& w, std::size_t part) {
    return w.find(CAutoCloseDlg::kStatus)->items.at(part);
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) desk.loop.advanceMs(1000);
  }

  std::vector<std::string> modals;
};

TEST(SpanTextTest, DaysThenTwoDigitHoursMinutesAndSeconds) {
  const std::pair<std::int64_t, const char*> rows[] = {
      {0, "0d 00h 00m 00s"}, {59, "0d 00h 00m 59s"}, {3725, "0d 01h 02m 05s"},
      {86399, "0d 23h 59m 59s"}, {86400 * 3 + 61, "3d 00h 01m 01s"}, {-5, "0d 00h 00m 00s"}};
  for (const auto& [seconds, text] : rows) EXPECT_EQ(SpanText(seconds), text) << seconds;
}

TEST_F(AutoCloseTest, ATimeSpanFiresOnTheTickAfterItsLastSecondWithTheCountdownFirst) {
  for (const int span : {0, 1, 5, 60}) {
    desk.power.performed.clear();
    modals.clear();
    CAutoCloseDlg& w = open();
    testing::SimUser user(w);
    w.SelectTab(CAutoCloseDlg::kTimeTab);
    user.setValue(CAutoCloseDlg::kMinutes, span / 60);
    user.setValue(CAutoCloseDlg::kSeconds, span % 60);
    // Opening the window cleared the warning box: the user asks for it.
    user.click(CAutoCloseDlg::kWarning);
    user.setValue(CAutoCloseDlg::kWarningSeconds, 3);
    user.click(CAutoCloseDlg::kStart);
    EXPECT_TRUE(w.armed());
    EXPECT_EQ(status(w, 0), "Iniciado");
    ticks(span);
    EXPECT_TRUE(desk.power.performed.empty()) << span;
    ticks(1);
    ASSERT_EQ(desk.power.performed.size(), 1u) << span;
    EXPECT_EQ(desk.power.performed[0], std::make_pair(PowerAction::PowerOff, true)) << span;
    EXPECT_EQ(modals, std::vector<std::string>{"CAvisoDlg after 0"}) << span;
    EXPECT_FALSE(w.armed());
    EXPECT_EQ(status(w, 0), "Detenido");
  }
}

TEST_F(AutoCloseTest, TheStatusBarCountsDownAndTheTooltipAndStatusShowIt) {
  CAutoCloseDlg& w = open();
  testing::SimUser user(w);
  w.SelectTab(CAutoCloseDlg::kTimeTab);
  user.setValue(CAutoCloseDlg::kMinutes, 1);
  user.click(CAutoCloseDlg::kStart);
  EXPECT_EQ(app->mainWindow()->icon(4)->imageIndex(), 9);
  ticks(1);
  EXPECT_EQ(status(w, 1), "Tiempo restante: 0d 00h 00m 59s");
  EXPECT_NE(app->mainWindow()->StatusReport().find("autoshutdown\trunning\t0d 00h 00m 59s\n"), std::string::npos);
  // The menu ticks "Apagado automático..." while it runs.
  ASSERT_TRUE(desk.tray.mouse(4, msg::RightUp));
  desk.loop.deliverPosted();
  ASSERT_NE(desk.menus.item(308), nullptr);
  EXPECT_TRUE(desk.menus.item(308)->checked);
  desk.menus.close();
  user.click(CAutoCloseDlg::kStop);
  EXPECT_EQ(status(w, 0), "Detenido");
  EXPECT_EQ(status(w, 1), "");
  EXPECT_EQ(app->mainWindow()->icon(4)->imageIndex(), 8);
  ticks(120);
  EXPECT_TRUE(desk.power.performed.empty());
}

TEST_F(AutoCloseTest, ABusySecondRestartsTheQuietProcessorSpan) {
  CAutoCloseDlg& w = open();
  w.SelectTab(CAutoCloseDlg::kCpuTab);
  testing::SimUser user(w);
  user.setValue(CAutoCloseDlg::kCpuSeconds, 3);
  // Usage over a second is the share of busy time between two readings.
  CpuTimes t{};
  const auto second = [&](int busyPercent) {
    t.total += 100;
    t.idle += static_cast<std::uint64_t>(100 - busyPercent);
    sim.system.times = t;
    ticks(1);
  };
  sim.system.times = t;
  user.click(CAutoCloseDlg::kStart);
  second(1);
  second(1);
  second(50);  // busy: the three seconds start again
  EXPECT_EQ(status(w, 2), "Uso CPU:  50 %");
  second(1);
  second(1);
  EXPECT_TRUE(desk.power.performed.empty());
  second(1);
  EXPECT_EQ(desk.power.performed.size(), 1u);
}

TEST_F(AutoCloseTest, AQuietNetworkFiresAndWithBothBoxesClearedNeverDoes) {
  sim.netCounters.table = {{1, "lo", true, 0, 0}, {2, "eth0", false, 0, 0}};
  const auto traffic = [&](double kbPerSecond, int seconds) {
    for (int i = 0; i < seconds; ++i) {
      sim.netCounters.table[1].receivedBytes += static_cast<std::uint64_t>(kbPerSecond * 1024);
      sim.netCounters.table[0].receivedBytes += 1 << 30;  // the loopback never counts
      ticks(1);
    }
  };
  {
    CAutoCloseDlg& w = open();
    w.SelectTab(CAutoCloseDlg::kNetTab);
    testing::SimUser user(w);
    user.setValue(CAutoCloseDlg::kNetSeconds, 6);
    user.click(CAutoCloseDlg::kStart);
    traffic(10, 3);  // busy: measured at the third second
    EXPECT_EQ(status(w, 2), "Tráfico: 10.0 KB/s - 0.0 KB/s");
    traffic(0.5, 6);
    EXPECT_TRUE(desk.power.performed.empty());
    traffic(0.5, 3);
    EXPECT_EQ(desk.power.performed.size(), 1u);
  }
  desk.power.performed.clear();
  CAutoCloseDlg& w = open();
  w.SelectTab(CAutoCloseDlg::kNetTab);
  testing::SimUser user(w);
  user.click(CAutoCloseDlg::kDownloadBox);
  user.click(CAutoCloseDlg::kUploadBox);
  user.setValue(CAutoCloseDlg::kNetSeconds, 1);
  user.click(CAutoCloseDlg::kStart);
  traffic(0, 300);
  EXPECT_TRUE(desk.power.performed.empty());
  EXPECT_TRUE(w.armed());
}

TEST_F(AutoCloseTest, WithoutInterfaceCountersTheTrafficTabCannotBeChosen) {
  sim.netCounters.present = false;
  CAutoCloseDlg& w = open();
  w.SelectTab(CAutoCloseDlg::kNetTab);
  EXPECT_EQ(w.SelectedTab(), CAutoCloseDlg::kDateTab);
  ASSERT_FALSE(desk.messageBoxes.shown.empty());
  EXPECT_NE(desk.messageBoxes.shown.back().text.find("iphlpapi.dll"), std::string::npos);
}

TEST_F(AutoCloseTest, ADateTriggerSurvivesARestartAndOnceStopsWhileDailyGoesOn) {
  struct Case {
    int kind;  // Start: 0 once, 1 daily
    bool runsAfterFiring;
  };
  for (const Case c : {Case{0, false}, Case{1, true}}) {
    desk.power.performed.clear();
    {
      CAutoCloseDlg& w = open();
      CScheduler& s = w.Scheduler();
      SchedulerRecord r = s.Record();
      r.Start = c.kind;
      sim.clock.setNow(1721836800 + 600 + (c.kind == 0 ? 0 : 86400));  // ten minutes past an hour
      const LocalTime now = toLocal(sim.clock, sim.clock.now());
      r.Hour = now.hour;
      r.Minute = now.minute + 2;
      r.Day = now.day;
      r.Month = now.month - 1;
      s.SetRecord(r);
      testing::SimUser user(w);
      user.click(CAutoCloseDlg::kStart);
      ASSERT_TRUE(w.armed());
      // The countdown before acting is not asked for in this case.
      s.SetShowWarning(false);
      s.Save();
    }
    // The program ends and starts again: the window object comes back hidden and running.
    app.reset();
    app = std::make_unique<CZelvorApp>(sim.platform(), desk.desktop(), instance, components, options);
    ASSERT_TRUE(app->InitInstance({}).running);
    desk.loop.deliverPosted();
    auto* w = dynamic_cast<CAutoCloseDlg*>(app->window(WindowKind::AutoClose));
    ASSERT_NE(w, nullptr) << c.kind;
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->armed());
    desk.loop.advanceMs(3 * 60 * 1000);
    EXPECT_EQ(desk.power.performed.size(), 1u) << c.kind;
    EXPECT_EQ(w->armed(), c.runsAfterFiring) << c.kind;
    app->DeleteWindow(WindowKind::AutoClose);
    CRegKeyEx k(sim.registry);
    ASSERT_EQ(k.Create(Hive::CurrentUser, ConfigStore::KeyPath("DadeRive\\Scheduler")), RegStatus::Ok);
    k.SetDword("Enable", 0);
  }
}

TEST_F(AutoCloseTest, ACancelledCountdownCancelsOnlyThatFiring) {
  desk.dialogs.onModal = [](WindowModel&) { return kCountdownCancelled; };
  CAutoCloseDlg& w = open();
  w.SelectTab(CAutoCloseDlg::kTimeTab);
  testing::SimUser user(w);
  user.setValue(CAutoCloseDlg::kSeconds, 2);
  user.click(CAutoCloseDlg::kWarning);
  user.click(CAutoCloseDlg::kStart);
  ticks(10);
  EXPECT_TRUE(desk.power.performed.empty());
  EXPECT_FALSE(w.armed());
}

TEST_F(AutoCloseTest, ClosingWhileRunningOnlyHidesAndTheActionListFollowsTheStore) {
  CAutoCloseDlg& w = open();
  EXPECT_EQ(w.ActionCodes(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  testing::SimUser user(w);
  user.choose(CAutoCloseDlg::kAction, 3);  // "Suspender"
  w.SelectTab(CAutoCloseDlg::kTimeTab);
  user.setValue(CAutoCloseDlg::kSeconds, 1);
  user.click(CAutoCloseDlg::kStart);
  EXPECT_FALSE(w.onCloseRequest());
  desk.loop.deliverPosted();
  ASSERT_EQ(app->window(WindowKind::AutoClose), &w);
  EXPECT_FALSE(w.isVisible());
  ticks(2);
  ASSERT_EQ(desk.power.performed.size(), 1u);
  EXPECT_EQ(desk.power.performed[0].first, PowerAction::Suspend);
  EXPECT_EQ(app->store().ReadConfigInt("DadeRive\\Scheduler", "ShutdownType"), 3);
  // Stopped, closing lets the main window delete it.
  EXPECT_FALSE(w.onCloseRequest());
  desk.loop.deliverPosted();
  EXPECT_EQ(app->window(WindowKind::AutoClose), nullptr);
}

}  // namespace
}  // namespace zelvor
