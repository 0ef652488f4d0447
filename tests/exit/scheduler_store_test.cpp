// The trigger's record in the store: nine REG_DWORD values under the
// owner's key, the disarmed-record rule of Load, the write-back of a once
// trigger, failures, and the shipped default record.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exit/scheduler.h"
#include "platform/sim/sim_platform.h"
#include "shell/store/config_store.h"
#include "shell/store/install_defaults.h"
#include "shell/store/reg_key_ex.h"
#include "tests/exit/scheduler_test_support.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

using test::At;
using test::Trigger;
using K = TriggerKind;

constexpr std::string_view kPath = "DedoVuv\\Scheduler1";

class SchedulerStore : public ::testing::Test {
 protected:
  SchedulerStore() {
    // Sunday 12 May 2024, 21:47:33.
    sim.clock.setNow(At(sim.clock, 2024, 5, 12, 21, 47, 33));
  }

  CScheduler Make(SchedulerSetup setup = scheduler_setup::AutomaticConnect()) {
    return CScheduler({sim.registry, sim.clock}, std::move(setup));
  }

  std::string FullPath() const { return ConfigStore::KeyPath(kPath); }

  void PutDword(std::string_view name, std::uint32_t v) {
    ASSERT_EQ(sim.registry.createKey(Hive::CurrentUser, FullPath()), RegStatus::Ok);
    ASSERT_EQ(sim.registry.setValue(Hive::CurrentUser, FullPath(), name, RegValue::dword(v)),
              RegStatus::Ok);
  }

  std::optional<std::uint32_t> Dword(std::string_view name) {
    CRegKeyEx key(sim.registry);
    if (key.Open(Hive::CurrentUser, FullPath()) != RegStatus::Ok) return std::nullopt;
    return key.GetDword(name);
  }

  void Store(const SchedulerRecord& r) {
    PutDword("Enable", static_cast<std::uint32_t>(r.Enable));
    PutDword("ShowWarning", static_cast<std::uint32_t>(r.ShowWarning));
    PutDword("Day", static_cast<std::uint32_t>(r.Day));
    PutDword("Month", static_cast<std::uint32_t>(r.Month));
    PutDword("Seconds", static_cast<std::uint32_t>(r.Seconds));
    PutDword("Start", static_cast<std::uint32_t>(r.Start));
    PutDword("Hour", static_cast<std::uint32_t>(r.Hour));
    PutDword("Minute", static_cast<std::uint32_t>(r.Minute));
    PutDword("Weekday", static_cast<std::uint32_t>(r.Weekday));
  }

  zelvor::testing::Sandbox sandbox;
  SimPlatform sim{sandbox.root()};
  const SchedulerRecord defaults_{0, 0, 12, 4, 10, 0, 21, 47, weekday_bit::Sunday};
};

TEST_F(SchedulerStore, WithoutAStoredKeyItStartsFromTheLocalTime) {
  EXPECT_EQ(Make().Record(), defaults_);
  EXPECT_FALSE(sim.registry.keyExists(Hive::CurrentUser, FullPath()));
}

TEST_F(SchedulerStore, SaveWritesNineDwordsThatLoadReadsBack) {
  const SchedulerRecord armed{1, 1, 24, 6, 30, 2, 16, 5, weekday_bit::Monday | weekday_bit::Friday};
  CScheduler s = Make();
  s.SetRecord(armed);
  s.Save();
  const std::vector<std::pair<std::string_view, std::uint32_t>> expected = {
      {"Enable", 1}, {"ShowWarning", 1}, {"Day", 24},   {"Month", 6},   {"Seconds", 30},
      {"Start", 2},  {"Hour", 16},       {"Minute", 5}, {"Weekday", 68}};
  for (const auto& [name, value] : expected) {
    const auto stored = sim.registry.queryValue(Hive::CurrentUser, FullPath(), name);
    ASSERT_TRUE(stored.has_value()) << name;
    EXPECT_EQ(stored->type, RegType::Dword) << name;
    EXPECT_EQ(Dword(name), value) << name;
  }
  EXPECT_EQ(Make().Record(), armed);
}

TEST_F(SchedulerStore, ADisarmedStoredRecordIsNotReadBeyondEnable) {
  Store({0, 1, 3, 2, 99, 4, 5, 6, 1});
  EXPECT_EQ(Make().Record(), defaults_);
}

TEST_F(SchedulerStore, AbsentOrMistypedValuesKeepTheRecordsOwn) {
  PutDword("Enable", 1);
  PutDword("Day", 7);
  ASSERT_EQ(sim.registry.setValue(Hive::CurrentUser, FullPath(), "Hour", RegValue::text("5")),
            RegStatus::Ok);
  SchedulerRecord expected = defaults_;
  expected.Enable = 1;
  expected.Day = 7;
  EXPECT_EQ(Make().Record(), expected);
}

TEST_F(SchedulerStore, LoadOfAMissingKeyChangesNothing) {
  CScheduler s = Make();
  const SchedulerRecord mine = Trigger(K::Daily, 9, 15);
  s.SetRecord(mine);
  s.Load();
  EXPECT_EQ(s.Record(), mine);
}

// Cancel on a trigger that was never saved, or that its owner stores: the
// record keeps its values and the page shows them again, so the dropped
// edits do not come back at the next confirm.
TEST_F(SchedulerStore, LoadWithoutAStoredRecordRefillsTheShownPageFromTheRecord) {
  for (const auto& [what, setup] : {std::pair{"stored under a key", scheduler_setup::AutomaticConnect()},
                                    std::pair{"stored by its owner", scheduler_setup::NoteAlarm()}}) {
    SCOPED_TRACE(what);
    CScheduler s = Make(setup);
    const SchedulerRecord before = s.Record();
    s.ShowPage();
    s.Page().OnEnableBox(true);
    s.Page().OnKind(static_cast<int>(K::Monthly));
    s.Page().OnDay(20);
    s.Page().OnTime(18, 45);
    s.OnPageCancel();
    EXPECT_EQ(s.Record(), before);
    EXPECT_EQ(s.Page().EnableChecked(), before.Enable != 0);
    EXPECT_EQ(s.Page().Kind(), before.Start);
    EXPECT_EQ(s.Page().Day(), before.Day);
    EXPECT_EQ(s.Page().Hour(), before.Hour);
    EXPECT_EQ(s.Page().Minute(), before.Minute);
    s.OnPageConfirm();
    EXPECT_EQ(s.Record(), before);
  }
}

TEST_F(SchedulerStore, OutOfRangeValuesAreKeptExceptTheTimeOfDay) {
  Store({1, 0, -1, 40, -5, 9, 24, 10, 255});
  CScheduler s = Make();
  EXPECT_EQ(s.Record(), (SchedulerRecord{1, 0, -1, 40, -5, 9, 0, 10, 255}));
  s.Save();
  EXPECT_EQ(Dword("Day"), 0xFFFFFFFFu);
  EXPECT_EQ(Dword("Seconds"), 0xFFFFFFFBu);
  EXPECT_EQ(Dword("Hour"), 0u);
  EXPECT_EQ(Dword("Minute"), 10u);
}

TEST_F(SchedulerStore, IsEnabledInStoreReadsOnlyEnable) {
  EXPECT_EQ(CScheduler::IsEnabledInStore(sim.registry, kPath), 0);  // no key
  PutDword("Day", 3);
  EXPECT_EQ(CScheduler::IsEnabledInStore(sim.registry, kPath), 0);  // no value
  PutDword("Enable", 1);
  EXPECT_EQ(CScheduler::IsEnabledInStore(sim.registry, kPath), 1);
  ASSERT_EQ(sim.registry.setValue(Hive::CurrentUser, FullPath(), "Enable", RegValue::text("1")),
            RegStatus::Ok);
  EXPECT_EQ(CScheduler::IsEnabledInStore(sim.registry, kPath), 0);  // text is not a DWORD
}

TEST_F(SchedulerStore, ResetIfDisabledRefillsOnlyADisarmedRecord) {
  CScheduler s = Make();
  SchedulerRecord old = Trigger(K::Monthly, 3, 4, 5);
  old.Enable = 0;
  s.SetRecord(old);
  sim.clock.advanceMs(3'600'000);
  s.ResetIfDisabled();
  SchedulerRecord expected = defaults_;
  expected.Hour = 22;
  EXPECT_EQ(s.Record(), expected);

  const SchedulerRecord armed = Trigger(K::Monthly, 3, 4, 5);
  s.SetRecord(armed);
  s.ResetIfDisabled();
  EXPECT_EQ(s.Record(), armed);
}

TEST_F(SchedulerStore, ADueOnceTriggerDisarmsItselfInMemoryAndInTheStore) {
  CScheduler s = Make();
  s.SetRecord(Trigger(K::Once, 21, 47, 12, 4));
  s.Save();
  EXPECT_TRUE(s.IsDue());
  EXPECT_EQ(s.Record().Enable, 0);
  EXPECT_EQ(Dword("Enable"), 0u);
  EXPECT_EQ(Dword("Hour"), 21u);  // the rest of the record stays as it was
}

TEST_F(SchedulerStore, RecurringTriggersKeepEnableWhenDue) {
  for (const auto& r : {Trigger(K::Daily, 21, 47), Trigger(K::Yearly, 21, 47, 12, 4)}) {
    CScheduler s = Make();
    s.SetRecord(r);
    s.Save();
    EXPECT_TRUE(s.IsDue());
    EXPECT_EQ(s.Record().Enable, 1);
    EXPECT_EQ(Dword("Enable"), 1u);
  }
}

TEST_F(SchedulerStore, AnOwnerStoredTriggerNeverTouchesTheStore) {
  CScheduler s = Make(scheduler_setup::NoteAlarm());
  s.SetRecord(Trigger(K::Once, 21, 47, 12, 4));
  const int commits = sim.registry.commits();
  s.Save();
  EXPECT_TRUE(s.IsDue());
  EXPECT_EQ(s.Record().Enable, 0);
  EXPECT_EQ(sim.registry.commits(), commits);
}

TEST_F(SchedulerStore, AFailedSaveLeavesTheOldRecordWhole) {
  CScheduler s = Make();
  const SchedulerRecord old = Trigger(K::Daily, 6, 0);
  s.SetRecord(old);
  s.Save();
  s.SetRecord(Trigger(K::Weekly, 7, 30, 1, 0, weekday_bit::All));
  sim.registry.failWrites(true);
  s.Save();
  sim.registry.failWrites(false);
  EXPECT_EQ(Make().Record(), old);
}

TEST_F(SchedulerStore, WhileThePageIsShownSaveReadsItAndLoadRefillsIt) {
  CScheduler s = Make();
  s.SetRecord(Trigger(K::Daily, 6, 0));
  s.Save();
  s.ShowPage();
  EXPECT_EQ(s.Page().Hour(), 6);
  s.Page().OnKind(static_cast<int>(K::Monthly));
  s.Page().OnDay(20);
  s.Page().OnTime(18, 45);
  s.OnPageCancel();  // edits are dropped
  EXPECT_EQ(s.Page().Kind(), static_cast<int>(K::Daily));
  EXPECT_EQ(s.Page().Hour(), 6);

  s.Page().OnKind(static_cast<int>(K::Monthly));
  s.Page().OnDay(20);
  s.Page().OnTime(18, 45);
  s.OnPageConfirm();
  EXPECT_EQ(Make().Record(), Trigger(K::Monthly, 18, 45, 20));

  s.HidePage();
  s.Page().OnDay(3);  // a hidden page is not read
  s.Save();
  EXPECT_EQ(Dword("Day"), 20u);
}

TEST_F(SchedulerStore, TheShippedAutomaticShutdownRecordIsDisarmedWithTheDefaults) {
  ConfigStore store(sim.registry, sim.folders, sim.files);
  const InstallResult installed = InstallDefaults(store, {});
  ASSERT_TRUE(installed.installed) << installed.error;
  const std::string path = ConfigStore::KeyPath("DadeRive\\Scheduler");
  for (std::string_view name : {"Enable", "ShowWarning", "Day", "Month", "Seconds", "Start",
                                "Hour", "Minute", "Weekday"}) {
    const auto v = sim.registry.queryValue(Hive::CurrentUser, path, name);
    ASSERT_TRUE(v.has_value()) << name;
    EXPECT_EQ(v->type, RegType::Dword) << name;
  }
  EXPECT_EQ(CScheduler::IsEnabledInStore(sim.registry, "DadeRive\\Scheduler"), 0);
  const CScheduler s({sim.registry, sim.clock}, scheduler_setup::AutomaticShutdown());
  EXPECT_EQ(s.Record(), defaults_);
  // The values that do not depend on the date are the construction ones.
  CRegKeyEx key(sim.registry);
  ASSERT_EQ(key.Open(Hive::CurrentUser, path), RegStatus::Ok);
  EXPECT_EQ(key.GetDword("Seconds"), 10u);
  EXPECT_EQ(key.GetDword("ShowWarning"), 0u);
  EXPECT_EQ(key.GetDword("Start"), 0u);
  EXPECT_EQ(key.GetString("ShutdownType"), "0");
}

}  // namespace
}  // namespace zelvor
