// Days as noon instants in a zone with daylight-saving time, the selectable
// range, and the wait until just after the next local midnight.

#include <gtest/gtest.h>

#include "calendar/calendar_date.h"
#include "platform/sim/sim_clock.h"

namespace zelvor::calendar {
namespace {

const TimeZoneRule kMadrid = *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3");

std::int64_t Utc(int y, int m, int d, int h, int mi = 0, int s = 0) {
  return daysFromCivil(y, m, d) * 86400 + h * 3600 + mi * 60 + s;
}

TEST(CalendarDate, ADayIsItsLocalNoonAcrossClockChanges) {
  SimClock clock(0, kMadrid);
  struct Case {
    int y, m, d;
    std::int64_t expected;
  } cases[] = {
      {2011, 1, 15, Utc(2011, 1, 15, 11)},   // winter: UTC+1
      {2011, 7, 15, Utc(2011, 7, 15, 10)},   // summer: UTC+2
      {2011, 3, 27, Utc(2011, 3, 27, 10)},   // the spring-forward day itself
      {2011, 10, 30, Utc(2011, 10, 30, 11)}, // the fall-back day
      {2011, 2, 31, Utc(2011, 3, 3, 11)},    // past the month's end: runs into March
      {2011, 13, 1, Utc(2012, 1, 1, 11)},    // past December: next year
      {2100, 2, 29, Utc(2100, 3, 1, 11)},    // 2100 is no leap year
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
    EXPECT_EQ(DateValue(clock, c.y, c.m, c.d), c.expected);
  }
  // The day of each noon is the day asked for, on both sides of a change.
  EXPECT_EQ(DayOf(clock, DateValue(clock, 2011, 3, 27)), (Day{2011, 3, 27}));
  EXPECT_EQ(DayOf(clock, DateValue(clock, 2011, 10, 30)), (Day{2011, 10, 30}));
}

TEST(CalendarDate, SelectionStaysWithinTheYearsTheFilesHold) {
  EXPECT_EQ(ClampDay({1970, 6, 1}), (Day{1971, 1, 1}));
  EXPECT_EQ(ClampDay({2106, 1, 1}), (Day{2105, 12, 31}));
  EXPECT_EQ(ClampDay({2040, 5, 7}), (Day{2040, 5, 7}));
  // The last selectable noon still fits the files' 32 unsigned bits.
  SimClock clock(0, kMadrid);
  EXPECT_LE(DateValue(clock, 2105, 12, 31), std::int64_t{0xFFFFFFFF});
}

TEST(CalendarDate, WaitsUntilFifteenSecondsAfterTheNextLocalMidnight) {
  SimClock clock(0, kMadrid);
  struct Case {
    const char* what;
    std::int64_t now;
    std::int64_t nextMidnight;
  } cases[] = {
      {"an ordinary evening", Utc(2011, 5, 10, 20), Utc(2011, 5, 10, 22)},
      // The nights of the clock changes: the local day is 23 or 25 hours long.
      {"before spring forward", Utc(2011, 3, 26, 12), Utc(2011, 3, 26, 23)},
      {"on the short day", Utc(2011, 3, 27, 12), Utc(2011, 3, 27, 22)},
      {"on the long day", Utc(2011, 10, 30, 12), Utc(2011, 10, 30, 23)},
      {"one second before midnight", Utc(2011, 5, 10, 21, 59, 59), Utc(2011, 5, 10, 22)},
      // now + 86 400 s would land past the short day's end and skip its midnight.
      {"the last hour before the short day", Utc(2011, 3, 26, 22, 30), Utc(2011, 3, 26, 23)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(MsUntilAfterMidnight(clock, c.now), (c.nextMidnight - c.now + 15) * 1000);
  }
}

TEST(CalendarDate, MidnightInsideASpringForwardGapIsTheFirstInstantAfterIt) {
  // A zone whose clocks jump from 00:00 to 01:00 (as some have done).
  SimClock clock(0, *TimeZoneRule::parse("<-03>3<-02>,M10.1.0/0,M2.3.0/0"));
  const std::int64_t now = Utc(2011, 10, 1, 12);  // Saturday 1 October, 09:00 local
  // Sunday 2 October has no 00:00: the day starts at 01:00 local, 03:00 UTC.
  EXPECT_EQ(MsUntilAfterMidnight(clock, now), (Utc(2011, 10, 2, 3) - now + 15) * 1000);
}

TEST(CalendarDate, HeadingsInTheSuitesSpanish) {
  EXPECT_EQ(LongHeading({2011, 5, 10}), "mar, 10 may 2011");
  EXPECT_EQ(LongHeading({1971, 1, 1}), "vie, 01 ene 1971");
  EXPECT_EQ(YearlyHeading(2, 29), "29 de Febrero");
  EXPECT_EQ(YearlyHeading(12, 5), "5 de Diciembre");
}

}  // namespace
}  // namespace zelvor::calendar
