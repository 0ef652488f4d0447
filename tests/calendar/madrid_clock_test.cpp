// The day's check on the real clock, with the C library's own time zone
// database: the test runs with TZ=Europe/Madrid, over the nights of the
// clock changes of 2026 and 2027. The expected instants are those of the
// zone's published rules (UTC seconds).

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "calendar/calendar_date.h"
#include "platform/posix/system_clock.h"

namespace zelvor::calendar {
namespace {

TEST(MadridClock, TheDayCheckWaitsForTheNextLocalMidnightAcrossClockChanges) {
  const char* tz = std::getenv("TZ");
  ASSERT_NE(tz, nullptr);
  ASSERT_STREQ(tz, "Europe/Madrid");
  SystemClock clock;
  struct Case {
    const char* what;
    std::int64_t now, midnight;
  } cases[] = {
      {"22:00 before spring forward", 1'774'731'600, 1'774'738'800},
      {"01:30 on the 23-hour day", 1'774'744'200, 1'774'821'600},
      {"03:30 just after the jump", 1'774'747'800, 1'774'821'600},
      {"22:00 before falling back", 1'792'872'000, 1'792'879'200},
      {"01:30 on the 25-hour day", 1'792'884'600, 1'792'969'200},
      {"02:30 the first time", 1'792'888'200, 1'792'969'200},
      {"02:30 the second time", 1'792'891'800, 1'792'969'200},
      {"ten seconds before the 23-hour day of 2027", 1'806'188'390, 1'806'188'400},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MsUntilAfterMidnight(clock, c.now), (c.midnight - c.now + 15) * 1000) << c.what;
  }
  // Noon of each of those days, as the files keep them.
  EXPECT_EQ(DateValue(clock, 2026, 3, 29), 1'774'778'400);
  EXPECT_EQ(DateValue(clock, 2026, 10, 25), 1'792'926'000);
}

TEST(MadridClock, NowTheWaitEndsFifteenSecondsIntoALocalDay) {
  SystemClock clock;
  const std::int64_t now = clock.now();
  const std::int64_t ms = MsUntilAfterMidnight(clock, now);
  ASSERT_GT(ms, 0);
  ASSERT_LE(ms, (25 * 3600 + 15) * 1000);
  const time_t at = static_cast<time_t>(now + ms / 1000);
  tm local{};
  ASSERT_NE(::localtime_r(&at, &local), nullptr);
  EXPECT_EQ(local.tm_hour, 0);
  EXPECT_EQ(local.tm_min, 0);
  EXPECT_EQ(local.tm_sec, 15);
}

}  // namespace
}  // namespace zelvor::calendar
