// Daylight-saving days in Madrid: on the last Sunday of March the clocks
// jump from 02:00 to 03:00, on the last Sunday of October they go back
// from 03:00 to 02:00. A trigger in the skipped hour fires at 03:00; one in
// the repeated hour fires in its first pass only.

#include <gtest/gtest.h>

#include <vector>

#include "exit/scheduler_record.h"
#include "platform/sim/sim_clock.h"
#include "tests/exit/scheduler_test_support.h"

namespace zelvor {
namespace {

using test::LocalText;
using test::Trigger;
using K = TriggerKind;

constexpr std::int64_t kSpring2024Utc = 1711846800;  // 2024-03-31 01:00 UTC, 02:00 CET
constexpr std::int64_t kAutumn2024Utc = 1729990800;  // 2024-10-27 01:00 UTC, 03:00 CEST

class MadridDst : public ::testing::Test {
 protected:
  SimClock clock{0, test::Madrid()};

  // Minute starts (local text) at which the record is due between two
  // instants, walked one minute at a time (zone changes fall on minutes).
  std::vector<std::string> DueMinutes(const SchedulerRecord& r, std::int64_t from, std::int64_t to) {
    std::vector<std::string> found;
    for (std::int64_t t = from; t < to; t += 60) {
      if (IsDueAt(r, clock, t)) found.push_back(LocalText(clock, t));
    }
    return found;
  }
};

TEST_F(MadridDst, TheRuleHasTheExpectedJumps) {
  EXPECT_EQ(LocalText(clock, kSpring2024Utc - 1), "2024-03-31 01:59:59");
  EXPECT_EQ(LocalText(clock, kSpring2024Utc), "2024-03-31 03:00:00 DST");
  EXPECT_EQ(LocalText(clock, kAutumn2024Utc - 1), "2024-10-27 02:59:59 DST");
  EXPECT_EQ(LocalText(clock, kAutumn2024Utc), "2024-10-27 02:00:00");
}

TEST_F(MadridDst, ATimeInTheSkippedHourFiresOnceRightAfterTheJump) {
  const std::int64_t from = kSpring2024Utc - 3 * 3600;
  const std::int64_t to = kSpring2024Utc + 3 * 3600;
  for (const auto& r : {Trigger(K::Daily, 2, 30), Trigger(K::Daily, 2, 0), Trigger(K::Daily, 2, 59),
                        Trigger(K::Once, 2, 30, 31, 2), Trigger(K::Yearly, 2, 30, 31, 2),
                        Trigger(K::Monthly, 2, 30, 31), Trigger(K::Weekly, 2, 30, 1, 0, weekday_bit::Sunday)}) {
    EXPECT_EQ(DueMinutes(r, from, to), std::vector<std::string>{"2024-03-31 03:00:00 DST"})
        << DescribeRecord(r);
  }
  // Times on either side of the gap are untouched.
  EXPECT_EQ(DueMinutes(Trigger(K::Daily, 1, 59), from, to),
            std::vector<std::string>{"2024-03-31 01:59:00"});
  EXPECT_EQ(DueMinutes(Trigger(K::Daily, 3, 0), from, to),
            std::vector<std::string>{"2024-03-31 03:00:00 DST"});
  EXPECT_EQ(DueMinutes(Trigger(K::Daily, 3, 1), from, to),
            std::vector<std::string>{"2024-03-31 03:01:00 DST"});
}

TEST_F(MadridDst, ATimeInTheRepeatedHourFiresInTheFirstPassOnly) {
  const std::int64_t from = kAutumn2024Utc - 3 * 3600;
  const std::int64_t to = kAutumn2024Utc + 3 * 3600;
  for (const auto& r : {Trigger(K::Daily, 2, 30), Trigger(K::Once, 2, 30, 27, 9),
                        Trigger(K::Weekly, 2, 30, 1, 0, weekday_bit::Sunday)}) {
    EXPECT_EQ(DueMinutes(r, from, to), std::vector<std::string>{"2024-10-27 02:30:00 DST"})
        << DescribeRecord(r);
  }
  EXPECT_EQ(DueMinutes(Trigger(K::Daily, 2, 0), from, to),
            std::vector<std::string>{"2024-10-27 02:00:00 DST"});
  EXPECT_EQ(DueMinutes(Trigger(K::Daily, 3, 0), from, to),
            std::vector<std::string>{"2024-10-27 03:00:00"});
}

TEST_F(MadridDst, NextOccurrenceAgreesWithTheFiringOnBothDays) {
  const SchedulerRecord r = Trigger(K::Daily, 2, 30);
  // Before the spring jump the next trigger is the first minute after it,
  // two hours of real time after local midnight.
  const std::int64_t springMidnight = kSpring2024Utc - 2 * 3600;
  EXPECT_EQ(NextOccurrenceOf(r, clock, springMidnight, springMidnight), kSpring2024Utc);
  // In autumn it is the first pass; once that has gone, the next day.
  const std::int64_t autumnMidnight = kAutumn2024Utc - 3 * 3600;
  const std::int64_t firstPass = kAutumn2024Utc - 1800;
  EXPECT_EQ(NextOccurrenceOf(r, clock, autumnMidnight, autumnMidnight), firstPass);
  const std::int64_t secondPass = kAutumn2024Utc + 1800;
  EXPECT_EQ(LocalText(clock, NextOccurrenceOf(r, clock, secondPass, secondPass)),
            "2024-10-28 02:30:00");
}

TEST_F(MadridDst, SpansAcrossTheChangeCountRealSeconds) {
  const SchedulerRecord noon = Trigger(K::Daily, 12, 0);
  // From Saturday noon to Sunday noon is 23 hours in spring, 25 in autumn.
  const std::int64_t springSaturday = test::At(clock, 2024, 3, 30, 12, 0, 30);
  EXPECT_EQ(NextOccurrenceOf(noon, clock, springSaturday, springSaturday) - springSaturday,
            23 * 3600 - 30);
  const std::int64_t autumnSaturday = test::At(clock, 2024, 10, 26, 12, 0, 30);
  EXPECT_EQ(NextOccurrenceOf(noon, clock, autumnSaturday, autumnSaturday) - autumnSaturday,
            25 * 3600 - 30);
}

// Over a whole year of Madrid time, minute by minute: every trigger fires
// on each of its days exactly once, and at every firing the next
// occurrence counted from the end of the previous firing is that firing.
TEST_F(MadridDst, AYearOfMinutesFiresOncePerDayAndMatchesNextOccurrence) {
  struct Case {
    SchedulerRecord record;
    int firings;
  };
  const std::vector<Case> cases = {
      {Trigger(K::Daily, 2, 30), 366},
      {Trigger(K::Weekly, 2, 30, 1, 0, weekday_bit::Sunday), 52},
      {Trigger(K::Monthly, 2, 30, 31), 7},
  };
  const std::int64_t from = test::At(clock, 2024, 1, 1, 0, 0);
  const std::int64_t to = test::At(clock, 2025, 1, 1, 0, 0);
  for (const Case& c : cases) {
    int firings = 0;
    std::int64_t expectedNext = NextOccurrenceOf(c.record, clock, from, from);
    for (std::int64_t t = from; t < to; t += 60) {
      if (!IsDueAt(c.record, clock, t)) continue;
      ++firings;
      ASSERT_EQ(LocalText(clock, t), LocalText(clock, expectedNext)) << DescribeRecord(c.record);
      expectedNext = NextOccurrenceOf(c.record, clock, t + 60, t + 60);
    }
    EXPECT_EQ(firings, c.firings) << DescribeRecord(c.record);
  }
}

}  // namespace
}  // namespace zelvor
