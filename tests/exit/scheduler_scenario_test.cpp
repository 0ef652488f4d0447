// A once trigger armed for the next minute, polled every second the way
// the automatic shutdown polls it: it fires exactly once, disarms itself in
// the store, and stays disarmed after a restart.

#include <gtest/gtest.h>

#include "exit/scheduler.h"
#include "platform/sim/sim_platform.h"
#include "shell/store/config_store.h"
#include "shell/store/install_defaults.h"
#include "shell/store/reg_key_ex.h"
#include "tests/exit/scheduler_test_support.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

TEST(SchedulerScenario, AOnceTriggerForTheNextMinuteFiresExactlyOnce) {
  const zelvor::testing::Sandbox sandbox;
  SimPlatform sim(sandbox.root());
  sim.clock.setZone(test::Madrid());
  sim.clock.setNow(test::At(sim.clock, 2024, 7, 24, 15, 59, 12));
  ConfigStore store(sim.registry, sim.folders, sim.files);
  ASSERT_TRUE(InstallDefaults(store, {}).installed);
  const std::string path = ConfigStore::KeyPath("DadeRive\\Scheduler");

  {
    // The user arms the trigger on the page for the next minute.
    CScheduler trigger({sim.registry, sim.clock}, scheduler_setup::AutomaticShutdown());
    trigger.ResetIfDisabled();
    trigger.ShowPage();
    EXPECT_EQ(trigger.Page().Hour(), 15);
    EXPECT_EQ(trigger.Page().Minute(), 59);
    trigger.Page().OnTime(16, 0);
    trigger.SetEnable(true);
    trigger.OnPageConfirm();
    EXPECT_EQ(CScheduler::IsEnabledInStore(sim.registry, "DadeRive\\Scheduler"), 1);
    EXPECT_EQ(trigger.Describe(), "El 24 de Julio a las 16:00");
    EXPECT_EQ(trigger.SecondsToNextOccurrence(), 48);
    trigger.HidePage();
  }

  // At start-up the owner re-arms the stored trigger and polls it once a
  // second for three minutes of virtual time.
  ASSERT_NE(CScheduler::IsEnabledInStore(sim.registry, "DadeRive\\Scheduler"), 0);
  CScheduler trigger({sim.registry, sim.clock}, scheduler_setup::AutomaticShutdown());
  std::vector<std::string> firings;
  for (int second = 0; second < 180; ++second) {
    sim.clock.advanceMs(1000);
    if (trigger.Record().Enable != 0 && trigger.IsDue()) {
      firings.push_back(test::LocalText(sim.clock, sim.clock.now()));
    }
  }
  EXPECT_EQ(firings, std::vector<std::string>{"2024-07-24 16:00:00 DST"});
  CRegKeyEx key(sim.registry);
  ASSERT_EQ(key.Open(Hive::CurrentUser, path), RegStatus::Ok);
  EXPECT_EQ(key.GetDword("Enable"), 0u);
  EXPECT_EQ(key.GetDword("Hour"), 16u);
  EXPECT_EQ(key.GetDword("Day"), 24u);
  EXPECT_EQ(trigger.Describe(), "deshabilitada");

  // After a restart the owner finds nothing to re-arm.
  EXPECT_EQ(CScheduler::IsEnabledInStore(sim.registry, "DadeRive\\Scheduler"), 0);
  const CScheduler restarted({sim.registry, sim.clock}, scheduler_setup::AutomaticShutdown());
  EXPECT_EQ(restarted.Record().Enable, 0);
}

}  // namespace
}  // namespace zelvor
