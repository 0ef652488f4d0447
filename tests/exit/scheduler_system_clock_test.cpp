// The same daylight-saving days on the real clock, with TZ=Europe/Madrid
// from the system's zone files (the test runs with that TZ set).

#include <gtest/gtest.h>

#include "exit/scheduler_record.h"
#include "platform/posix/system_clock.h"
#include "platform/sim/sim_clock.h"
#include "tests/exit/scheduler_test_support.h"

namespace zelvor {
namespace {

TEST(SystemClockMadrid, FiresLikeTheRuleOnBothChangeDays) {
  SystemClock real;
  SimClock rule(0, test::Madrid());
  // The zone files and the rule agree on 2024's changes.
  ASSERT_EQ(real.offsetAt(1711846799).seconds, 3600) << "TZ=Europe/Madrid is not in force";
  ASSERT_EQ(real.offsetAt(1711846800).seconds, 7200);
  const SchedulerRecord r = test::Trigger(TriggerKind::Daily, 2, 30);
  for (std::int64_t day : {1711846800 - 3 * 3600, 1729990800 - 3 * 3600}) {
    for (std::int64_t t = day; t < day + 6 * 3600; t += 60) {
      ASSERT_EQ(IsDueAt(r, real, t), IsDueAt(r, rule, t)) << test::LocalText(rule, t);
    }
    EXPECT_EQ(NextOccurrenceOf(r, real, day, day), NextOccurrenceOf(r, rule, day, day));
  }
}

}  // namespace
}  // namespace zelvor
