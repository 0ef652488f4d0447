// The firing rule, the next-occurrence rule, descriptions and day bounds,
// as tables over every trigger kind, and the daylight-saving days of Madrid.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "exit/scheduler_record.h"
#include "platform/sim/sim_clock.h"
#include "tests/exit/scheduler_test_support.h"

namespace zelvor {
namespace {

using test::At;
using test::LocalText;
using test::Trigger;
using K = TriggerKind;
namespace wd = weekday_bit;

struct LocalStamp {
  int y, m, d, h, mi, s;
};

struct DueCase {
  const char* name;
  SchedulerRecord record;
  LocalStamp at;
  bool due;
};

class DueRule : public ::testing::TestWithParam<DueCase> {};

TEST_P(DueRule, FiresDuringTheTriggerMinuteOnly) {
  const DueCase& c = GetParam();
  SimClock clock;
  const std::int64_t t = At(clock, c.at.y, c.at.m, c.at.d, c.at.h, c.at.mi, c.at.s);
  EXPECT_EQ(IsDueAt(c.record, clock, t), c.due) << LocalText(clock, t);
}

const SchedulerRecord kOnce24July = Trigger(K::Once, 16, 0, 24, 6);
const SchedulerRecord kDaily1600 = Trigger(K::Daily, 16, 0);
const SchedulerRecord kMondayFriday = Trigger(K::Weekly, 8, 0, 1, 0, wd::Monday | wd::Friday);
const SchedulerRecord kMonthly31 = Trigger(K::Monthly, 8, 0, 31);
const SchedulerRecord kYearlyLeapDay = Trigger(K::Yearly, 0, 0, 29, 1);
const SchedulerRecord kYearlyLastMinute = Trigger(K::Yearly, 23, 59, 31, 11);

SchedulerRecord Disabled(SchedulerRecord r) {
  r.Enable = 0;
  return r;
}
SchedulerRecord Kind(SchedulerRecord r, int kind) {
  r.Start = kind;
  return r;
}

// 2024-05-06 is a Monday.
INSTANTIATE_TEST_SUITE_P(
    EveryKind, DueRule,
    ::testing::Values(
        DueCase{"OnceStartOfMinute", kOnce24July, {2024, 7, 24, 16, 0, 0}, true},
        DueCase{"OnceEndOfMinute", kOnce24July, {2024, 7, 24, 16, 0, 59}, true},
        DueCase{"OnceNextMinute", kOnce24July, {2024, 7, 24, 16, 1, 0}, false},
        DueCase{"OnceSecondBefore", kOnce24July, {2024, 7, 24, 15, 59, 59}, false},
        DueCase{"OnceDayBefore", kOnce24July, {2024, 7, 23, 16, 0, 0}, false},
        DueCase{"OnceOtherMonth", kOnce24July, {2024, 6, 24, 16, 0, 0}, false},
        DueCase{"OnceYearIgnored", kOnce24July, {2031, 7, 24, 16, 0, 30}, true},
        DueCase{"DailyMidMinute", kDaily1600, {2024, 3, 3, 16, 0, 30}, true},
        DueCase{"DailyNextMinute", kDaily1600, {2024, 3, 3, 16, 1, 0}, false},
        DueCase{"DailyBefore", kDaily1600, {2024, 3, 3, 15, 59, 59}, false},
        DueCase{"DailyOtherHour", kDaily1600, {2024, 3, 3, 17, 0, 0}, false},
        DueCase{"DailyIgnoresEnable", Disabled(kDaily1600), {2024, 3, 3, 16, 0, 0}, true},
        DueCase{"WeeklyMonday", kMondayFriday, {2024, 5, 6, 8, 0, 10}, true},
        DueCase{"WeeklyFriday", kMondayFriday, {2024, 5, 10, 8, 0, 0}, true},
        DueCase{"WeeklyWednesday", kMondayFriday, {2024, 5, 8, 8, 0, 0}, false},
        DueCase{"WeeklyMondayWrongTime", kMondayFriday, {2024, 5, 6, 9, 0, 0}, false},
        DueCase{"WeeklySundayBit", Trigger(K::Weekly, 8, 0, 1, 0, wd::Sunday), {2024, 5, 12, 8, 0, 0}, true},
        DueCase{"WeeklySaturdayBit", Trigger(K::Weekly, 8, 0, 1, 0, wd::Saturday), {2024, 5, 11, 8, 0, 0}, true},
        DueCase{"WeeklySundayBitOnSaturday", Trigger(K::Weekly, 8, 0, 1, 0, wd::Sunday), {2024, 5, 11, 8, 0, 0}, false},
        DueCase{"WeeklyEmptyMask", Trigger(K::Weekly, 8, 0, 1, 0, 0), {2024, 5, 6, 8, 0, 0}, false},
        DueCase{"MonthlyOn31st", kMonthly31, {2024, 5, 31, 8, 0, 0}, true},
        DueCase{"MonthlyLastOfApril", kMonthly31, {2024, 4, 30, 8, 0, 0}, false},
        DueCase{"MonthlyFirstOfMay", kMonthly31, {2024, 5, 1, 8, 0, 0}, false},
        DueCase{"MonthlyWrongDay", Trigger(K::Monthly, 8, 0, 15), {2024, 2, 14, 8, 0, 0}, false},
        DueCase{"YearlyLeapDay", kYearlyLeapDay, {2024, 2, 29, 0, 0, 0}, true},
        DueCase{"YearlyLeapDayCommonYear", kYearlyLeapDay, {2023, 3, 1, 0, 0, 0}, false},
        DueCase{"YearlyLeapDayFeb28", kYearlyLeapDay, {2023, 2, 28, 0, 0, 0}, false},
        DueCase{"YearlyLastMinuteOfYear", kYearlyLastMinute, {2024, 12, 31, 23, 59, 30}, true},
        DueCase{"YearlyNewYear", kYearlyLastMinute, {2025, 1, 1, 0, 0, 0}, false},
        DueCase{"UnknownKind", Kind(kDaily1600, 5), {2024, 3, 3, 16, 0, 0}, false},
        DueCase{"NegativeKind", Kind(kDaily1600, -1), {2024, 3, 3, 16, 0, 0}, false}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

struct NextCase {
  const char* name;
  SchedulerRecord record;
  LocalStamp at;  // the reference time, or now when there is none
  bool withReference;
  LocalStamp expected;
};

class NextRule : public ::testing::TestWithParam<NextCase> {};

TEST_P(NextRule, FindsTheNextTriggerInstant) {
  const NextCase& c = GetParam();
  SimClock clock;
  const std::int64_t t = At(clock, c.at.y, c.at.m, c.at.d, c.at.h, c.at.mi, c.at.s);
  clock.setNow(t);
  const std::optional<std::int64_t> ref = c.withReference ? std::optional(t) : std::nullopt;
  const std::int64_t next = NextOccurrenceOf(c.record, clock, t, ref);
  const auto& e = c.expected;
  EXPECT_EQ(LocalText(clock, next), LocalText(clock, At(clock, e.y, e.m, e.d, e.h, e.mi, e.s)));
}

constexpr bool kRef = true;
constexpr bool kNoRef = false;

INSTANTIATE_TEST_SUITE_P(
    EveryKind, NextRule,
    ::testing::Values(
        NextCase{"DailyLaterToday", kDaily1600, {2024, 5, 10, 10, 0, 0}, kRef, {2024, 5, 10, 16, 0, 0}},
        NextCase{"DailyAtTheTriggerSecond", kDaily1600, {2024, 5, 10, 16, 0, 0}, kRef, {2024, 5, 10, 16, 0, 0}},
        NextCase{"DailyInsideTheMinute", kDaily1600, {2024, 5, 10, 16, 0, 30}, kRef, {2024, 5, 11, 16, 0, 0}},
        NextCase{"DailyYearEnd", kDaily1600, {2024, 12, 31, 17, 0, 0}, kRef, {2025, 1, 1, 16, 0, 0}},
        NextCase{"DailyLeapDay", kDaily1600, {2024, 2, 28, 17, 0, 0}, kRef, {2024, 2, 29, 16, 0, 0}},
        NextCase{"DailyCommonFebruary", kDaily1600, {2023, 2, 28, 17, 0, 0}, kRef, {2023, 3, 1, 16, 0, 0}},
        NextCase{"DailyWithoutReferenceStaysToday", kDaily1600, {2024, 5, 10, 17, 0, 0}, kNoRef, {2024, 5, 10, 16, 0, 0}},
        NextCase{"WeeklyWednesdayToFriday", kMondayFriday, {2024, 5, 8, 10, 0, 0}, kRef, {2024, 5, 10, 8, 0, 0}},
        NextCase{"WeeklyMondayAfterTime", kMondayFriday, {2024, 5, 6, 9, 0, 0}, kRef, {2024, 5, 10, 8, 0, 0}},
        NextCase{"WeeklyMondayBeforeTime", kMondayFriday, {2024, 5, 6, 7, 0, 0}, kRef, {2024, 5, 6, 8, 0, 0}},
        NextCase{"WeeklyFridayToMonday", kMondayFriday, {2024, 5, 10, 9, 0, 0}, kRef, {2024, 5, 13, 8, 0, 0}},
        NextCase{"WeeklySameDayNextWeek", Trigger(K::Weekly, 8, 0, 1, 0, wd::Monday), {2024, 5, 6, 9, 0, 0}, kRef, {2024, 5, 13, 8, 0, 0}},
        NextCase{"WeeklyYearEnd", Trigger(K::Weekly, 8, 0, 1, 0, wd::Tuesday), {2024, 12, 31, 9, 0, 0}, kRef, {2025, 1, 7, 8, 0, 0}},
        NextCase{"WeeklyEmptyMaskWeekAhead", Trigger(K::Weekly, 8, 0, 1, 0, 0), {2024, 5, 8, 10, 0, 0}, kRef, {2024, 5, 15, 8, 0, 0}},
        NextCase{"WeeklyWithoutReference", kMondayFriday, {2024, 5, 10, 9, 0, 0}, kNoRef, {2024, 5, 10, 8, 0, 0}},
        NextCase{"MonthlyThisMonth", Trigger(K::Monthly, 8, 0, 15), {2024, 5, 10, 9, 0, 0}, kRef, {2024, 5, 15, 8, 0, 0}},
        NextCase{"MonthlyYearEnd", Trigger(K::Monthly, 8, 0, 15), {2024, 12, 20, 9, 0, 0}, kRef, {2025, 1, 15, 8, 0, 0}},
        NextCase{"Monthly31stFromApril", kMonthly31, {2024, 4, 10, 9, 0, 0}, kRef, {2024, 5, 31, 8, 0, 0}},
        NextCase{"Monthly31stSkipsJune", kMonthly31, {2024, 5, 31, 9, 0, 0}, kRef, {2024, 7, 31, 8, 0, 0}},
        NextCase{"Monthly31stSkipsFebruary", kMonthly31, {2024, 1, 31, 9, 0, 0}, kRef, {2024, 3, 31, 8, 0, 0}},
        NextCase{"Monthly31stYearEnd", kMonthly31, {2024, 12, 31, 9, 0, 0}, kRef, {2025, 1, 31, 8, 0, 0}},
        NextCase{"Monthly29thLeapFebruary", Trigger(K::Monthly, 8, 0, 29), {2024, 2, 1, 9, 0, 0}, kRef, {2024, 2, 29, 8, 0, 0}},
        NextCase{"Monthly29thCommonFebruary", Trigger(K::Monthly, 8, 0, 29), {2023, 2, 1, 9, 0, 0}, kRef, {2023, 3, 29, 8, 0, 0}},
        NextCase{"Monthly31stAprilWithoutReference", kMonthly31, {2024, 4, 10, 9, 0, 0}, kNoRef, {2024, 5, 31, 8, 0, 0}},
        NextCase{"YearlyLeapDayFromCommonYear", kYearlyLeapDay, {2023, 6, 1, 0, 0, 0}, kRef, {2024, 2, 29, 0, 0, 0}},
        NextCase{"YearlyLeapDayJustPassed", kYearlyLeapDay, {2024, 2, 29, 0, 0, 30}, kRef, {2028, 2, 29, 0, 0, 0}},
        NextCase{"YearlyLeapDayOver2100", kYearlyLeapDay, {2097, 1, 1, 0, 0, 0}, kRef, {2104, 2, 29, 0, 0, 0}},
        NextCase{"YearlyInsideLastMinute", kYearlyLastMinute, {2024, 12, 31, 23, 59, 30}, kRef, {2025, 12, 31, 23, 59, 0}},
        NextCase{"YearlyImpossibleDateCarries", Trigger(K::Yearly, 8, 0, 30, 1), {2024, 1, 10, 0, 0, 0}, kRef, {2024, 3, 1, 8, 0, 0}},
        NextCase{"OnceLaterThisYear", kOnce24July, {2024, 7, 1, 0, 0, 0}, kRef, {2024, 7, 24, 16, 0, 0}},
        NextCase{"OncePassedGoesToNextYear", kOnce24July, {2024, 7, 25, 0, 0, 0}, kRef, {2025, 7, 24, 16, 0, 0}},
        NextCase{"OncePassedWithoutReference", kOnce24July, {2024, 8, 1, 0, 0, 0}, kNoRef, {2024, 7, 24, 16, 0, 0}}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(NextRule, UnknownKindGivesTimeZero) {
  SimClock clock;
  EXPECT_EQ(NextOccurrenceOf(Kind(kDaily1600, 5), clock, clock.now(), clock.now()), 0);
}

struct DescribeCase {
  const char* name;
  SchedulerRecord record;
  const char* text;
};

class Description : public ::testing::TestWithParam<DescribeCase> {};

TEST_P(Description, ReadsAsTheUserSeesIt) {
  EXPECT_EQ(DescribeRecord(GetParam().record), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, Description,
    ::testing::Values(
        DescribeCase{"DisabledDaily", Disabled(kDaily1600), "deshabilitada"},
        DescribeCase{"DisabledUnknownKind", Disabled(Kind(kDaily1600, 9)), "deshabilitada"},
        DescribeCase{"Once", kOnce24July, "El 24 de Julio a las 16:00"},
        DescribeCase{"Daily", Trigger(K::Daily, 8, 5), "Diariamente a las 08:05"},
        DescribeCase{"WeeklyTwoDays", kMondayFriday, "Los Lunes, Viernes a las 08:00"},
        DescribeCase{"WeeklyEveryDay", Trigger(K::Weekly, 23, 59, 1, 0, wd::All),
                     "Los Lunes, Martes, Miércoles, Jueves, Viernes, Sábado, Domingo a las 23:59"},
        DescribeCase{"WeeklySundayOnly", Trigger(K::Weekly, 0, 0, 1, 0, wd::Sunday), "Los Domingo a las 00:00"},
        DescribeCase{"WeeklyEmptyMask", Trigger(K::Weekly, 7, 0, 1, 0, 0), "Los  a las 07:00"},
        DescribeCase{"Monthly", Trigger(K::Monthly, 7, 30, 31), "Mensualmente el día 31 a las 07:30"},
        DescribeCase{"YearlyJanuary", Trigger(K::Yearly, 0, 0, 1, 0), "Anualmente el 1 de Enero a las 00:00"},
        DescribeCase{"YearlyDecember", kYearlyLastMinute, "Anualmente el 31 de Diciembre a las 23:59"},
        DescribeCase{"OnceMonthOutOfRange", Trigger(K::Once, 10, 0, 5, 12), "El 5 de  a las 10:00"},
        DescribeCase{"UnknownKind", Kind(kDaily1600, 5), ""}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(DayBound, FollowsTheMonthAndTheLeapYear) {
  struct Case {
    int monthIndex, year, days;
  };
  const std::vector<Case> cases = {
      {1, 2024, 29}, {1, 2023, 28}, {1, 2000, 29}, {1, 2100, 28}, {3, 2024, 30}, {5, 2024, 30},
      {8, 2024, 30}, {10, 2024, 30}, {0, 2024, 31}, {2, 2024, 31}, {4, 2024, 31}, {6, 2024, 31},
      {7, 2024, 31}, {9, 2024, 31}, {11, 2024, 31}, {12, 2024, 31}, {-1, 2024, 31}};
  for (const Case& c : cases) {
    EXPECT_EQ(DaysInMonthIndex(c.monthIndex, c.year), c.days) << c.monthIndex << " " << c.year;
  }
}

TEST(Weekdays, BitsRunFromMondayDownToSunday) {
  // Weekday numbers are 0 Sunday .. 6 Saturday.
  const std::vector<int> bits = {wd::Sunday, wd::Monday,   wd::Tuesday, wd::Wednesday,
                                 wd::Thursday, wd::Friday, wd::Saturday};
  for (int weekday = 0; weekday < 7; ++weekday) EXPECT_EQ(WeekdayBit(weekday), bits[static_cast<std::size_t>(weekday)]);
  for (int position = 0; position < 7; ++position) {
    EXPECT_EQ(WeekdayBitOfPosition(position), 64 >> position);
  }
}

TEST(Defaults, ComeFromTheLocalTime) {
  SimClock clock;
  clock.setNow(At(clock, 2024, 5, 12, 21, 47, 33));  // a Sunday
  const SchedulerRecord r = DefaultRecordAt(localNow(clock));
  EXPECT_EQ(r, (SchedulerRecord{0, 0, 12, 4, 10, 0, 21, 47, wd::Sunday}));
}

TEST(TimeOfDay, OutOfRangeValuesCarryLikeAClock) {
  int h = -1, m = -1;
  NormaliseTimeOfDay(24, 10, h, m);
  EXPECT_EQ(std::pair(h, m), std::pair(0, 10));
  NormaliseTimeOfDay(7, 75, h, m);
  EXPECT_EQ(std::pair(h, m), std::pair(8, 15));
  NormaliseTimeOfDay(0xFFFFFFFFLL, 0, h, m);
  EXPECT_GE(h, 0);
  EXPECT_LT(h, 24);
}

}  // namespace
}  // namespace zelvor
