// Local time from POSIX TZ rules, checked against the C library reading the
// same rule, and the civil-calendar arithmetic under it.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/sim/sim_clock.h"
#include "platform/time_zone.h"

namespace zelvor {
namespace {

// Sets TZ for the lifetime of the object and puts the old value back.
class ScopedTz {
 public:
  explicit ScopedTz(const std::string& rule) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    ::setenv("TZ", rule.c_str(), 1);
    ::tzset();
  }
  ~ScopedTz() {
    if (old_) {
      ::setenv("TZ", old_->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }
  ScopedTz(const ScopedTz&) = delete;
  ScopedTz& operator=(const ScopedTz&) = delete;

 private:
  std::optional<std::string> old_;
};

struct LibcOffset {
  long seconds;
  bool dst;
};

LibcOffset libcOffsetAt(std::int64_t t) {
  const auto tt = static_cast<std::time_t>(t);
  std::tm local{};
  ::localtime_r(&tt, &local);
  return {local.tm_gmtoff, local.tm_isdst > 0};
}

std::int64_t utcOf(int y, int mo, int d, int h, int mi, int s = 0) {
  return daysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s;
}

struct RuleCase {
  const char* rule;
  int firstYear, lastYear;  // the years where the C library reads the rule as written
};

// EST5EDT names a zone file too; from 2007 on that file and the default rule
// of the POSIX text agree.
const RuleCase kRules[] = {
    {"CET-1CEST,M3.5.0,M10.5.0/3", 1975, 2045},
    {"EST5EDT", 2007, 2037},
    {"AEST-10AEDT,M10.1.0,M4.1.0/3", 1975, 2045},
    {"<+0330>-3:30", 1975, 2045},
    {"UTC0", 1975, 2045},
    {"IST-1GMT0,M10.5.0,M3.5.0/1", 1975, 2045},    // daylight time below standard time
    {"<-03>3<-02>,M3.5.0/-2,M10.5.0/-1", 1975, 2045},  // transitions before midnight
    {"NZST-12NZDT-13:00,M9.5.0,M4.1.0/3", 1975, 2045},
    {"XXX3YYY,J60/1:30,300/25", 1975, 2045},  // Julian days and a time past midnight
};

TEST(TimeZoneRule, AgreesWithTheCLibraryOverManyYears) {
  for (const auto& c : kRules) {
    SCOPED_TRACE(c.rule);
    const auto zone = TimeZoneRule::parse(c.rule);
    ASSERT_TRUE(zone);
    ScopedTz tz(c.rule);
    const std::int64_t from = utcOf(c.firstYear, 1, 1, 0, 0);
    const std::int64_t to = utcOf(c.lastYear, 12, 31, 0, 0);
    int mismatches = 0;
    int transitions = 0;
    auto check = [&](std::int64_t t) {
      const auto ours = zone->offsetAt(t);
      const auto libc = libcOffsetAt(t);
      if ((ours.seconds != libc.seconds || ours.dst != libc.dst) && ++mismatches <= 5) {
        ADD_FAILURE() << "at " << t << ": ours " << ours.seconds << (ours.dst ? " dst" : "")
                      << ", libc " << libc.seconds << (libc.dst ? " dst" : "");
      }
    };
    // A prime step walks through every hour of the day over the years.
    constexpr std::int64_t kStep = 10007;
    auto previous = zone->offsetAt(from);
    for (std::int64_t t = from; t < to; t += kStep) {
      check(t);
      const auto now = zone->offsetAt(t);
      if (now.seconds == previous.seconds && now.dst == previous.dst) continue;
      // Find the exact second of the change and check both sides of it.
      std::int64_t lo = t - kStep, hi = t;
      while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        const auto m = zone->offsetAt(mid);
        (m.seconds == previous.seconds && m.dst == previous.dst ? lo : hi) = mid;
      }
      check(lo);
      check(hi);
      ++transitions;
      previous = now;
    }
    EXPECT_EQ(mismatches, 0);
    const bool hasDst = std::string_view(c.rule).find(',') != std::string_view::npos ||
                        std::string_view(c.rule) == "EST5EDT";
    if (hasDst) {
      EXPECT_GE(transitions, 2 * (c.lastYear - c.firstYear));
    } else {
      EXPECT_EQ(transitions, 0);
    }
  }
}

TEST(TimeZoneRule, KnownInstants) {
  const auto cet = TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3");
  ASSERT_TRUE(cet);
  // 2024: summer time from 31 March 01:00 UTC to 27 October 01:00 UTC.
  EXPECT_EQ(cet->offsetAt(utcOf(2024, 3, 31, 0, 59, 59)).seconds, 3600);
  EXPECT_EQ(cet->offsetAt(utcOf(2024, 3, 31, 1, 0)).seconds, 7200);
  EXPECT_TRUE(cet->offsetAt(utcOf(2024, 3, 31, 1, 0)).dst);
  EXPECT_EQ(cet->offsetAt(utcOf(2024, 10, 27, 0, 59, 59)).seconds, 7200);
  EXPECT_EQ(cet->offsetAt(utcOf(2024, 10, 27, 1, 0)).seconds, 3600);
  const auto iran = TimeZoneRule::parse("<+0330>-3:30");
  ASSERT_TRUE(iran);
  EXPECT_EQ(iran->offsetAt(0).seconds, 12600);
  EXPECT_EQ(TimeZoneRule::utc().offsetAt(123456).seconds, 0);
}

TEST(TimeZoneRule, MalformedRulesAreRefused) {
  for (const char* rule : {"", "C", "CET", "CET-", "CET-25", "CET-1CEST,M3.5.0", "CET-1CEST,M13.5.0,M10.5.0",
                           "CET-1CEST,M3.6.0,M10.5.0", "CET-1CEST,M3.5.7,M10.5.0", "CET-1CEST,J0,J10",
                           "CET-1CEST,J366,J10", "CET-1CEST,M3.5.0,M10.5.0/168", "CET-1CEST,M3.5.0,M10.5.0x",
                           "<+03", "CET-1:60"}) {
    EXPECT_FALSE(TimeZoneRule::parse(rule)) << rule;
  }
}

class InstantsOfTest : public ::testing::Test {
 protected:
  std::vector<std::int64_t> instants(const char* rule, int y, int mo, int d, int h, int mi) {
    const auto zone = TimeZoneRule::parse(rule);
    EXPECT_TRUE(zone) << rule;
    clock.setZone(zone.value_or(TimeZoneRule::utc()));
    return instantsOf(clock, y, mo, d, h, mi, 0);
  }
  SimClock clock;
};

TEST_F(InstantsOfTest, GapOverlapAndOrdinaryTimes) {
  struct Case {
    const char* what;
    const char* rule;
    int y, mo, d, h, mi;
    std::vector<std::int64_t> utc;
  };
  const char* cet = "CET-1CEST,M3.5.0,M10.5.0/3";
  const char* aest = "AEST-10AEDT,M10.1.0,M4.1.0/3";
  const Case cases[] = {
      {"CET ordinary winter", cet, 2024, 1, 15, 12, 0, {utcOf(2024, 1, 15, 11, 0)}},
      {"CET ordinary summer", cet, 2024, 7, 1, 12, 0, {utcOf(2024, 7, 1, 10, 0)}},
      {"CET spring gap", cet, 2024, 3, 31, 2, 30, {}},
      {"CET just before the gap", cet, 2024, 3, 31, 1, 59, {utcOf(2024, 3, 31, 0, 59)}},
      {"CET just after the gap", cet, 2024, 3, 31, 3, 0, {utcOf(2024, 3, 31, 1, 0)}},
      {"CET autumn overlap", cet, 2024, 10, 27, 2, 30,
       {utcOf(2024, 10, 27, 0, 30), utcOf(2024, 10, 27, 1, 30)}},
      {"CET after the overlap", cet, 2024, 10, 27, 3, 0, {utcOf(2024, 10, 27, 2, 0)}},
      {"AEST spring gap (October)", aest, 2024, 10, 6, 2, 30, {}},
      {"AEST autumn overlap (April)", aest, 2024, 4, 7, 2, 30,
       {utcOf(2024, 4, 6, 15, 30), utcOf(2024, 4, 6, 16, 30)}},
      {"AEST over the new year", aest, 2025, 1, 1, 0, 0, {utcOf(2024, 12, 31, 13, 0)}},
      {"fixed offset", "<+0330>-3:30", 2024, 3, 31, 2, 30, {utcOf(2024, 3, 30, 23, 0)}},
      {"UTC", "UTC0", 2000, 2, 29, 23, 59, {utcOf(2000, 2, 29, 23, 59)}},
  };
  for (const auto& c : cases) {
    const auto got = instants(c.rule, c.y, c.mo, c.d, c.h, c.mi);
    EXPECT_EQ(got, c.utc) << c.what;
    for (const std::int64_t t : got) {
      const LocalTime lt = toLocal(clock, t);
      EXPECT_EQ(lt.year, c.y) << c.what;
      EXPECT_EQ(lt.month, c.mo) << c.what;
      EXPECT_EQ(lt.day, c.d) << c.what;
      EXPECT_EQ(lt.hour, c.h) << c.what;
      EXPECT_EQ(lt.minute, c.mi) << c.what;
    }
  }
}

TEST(LocalTime, ToLocalFillsEveryField) {
  SimClock clock(0, *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3"));
  const LocalTime lt = toLocal(clock, utcOf(2024, 7, 1, 10, 0, 5));
  EXPECT_EQ(lt, (LocalTime{2024, 7, 1, 12, 0, 5, 1, 182, true, 7200}));
  clock.setNow(utcOf(2024, 12, 31, 23, 30));
  const LocalTime newYear = localNow(clock);
  EXPECT_EQ(newYear.year, 2025);
  EXPECT_EQ(newYear.yearDay, 0);
  EXPECT_EQ(newYear.weekday, 3);  // 1 January 2025 was a Wednesday
  EXPECT_FALSE(newYear.dst);
}

TEST(Civil, DaysFromCivilAndBackAgreeEverywhere) {
  EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
  EXPECT_EQ(daysFromCivil(2000, 3, 1), 11017);
  EXPECT_EQ(daysFromCivil(1969, 12, 31), -1);
  EXPECT_EQ(daysFromCivil(1, 1, 1), -719162);
  // Every day from 1600 to 2400 maps back to itself, with a weekday that
  // advances by one and a year day that restarts on 1 January.
  std::int64_t expected = daysFromCivil(1600, 1, 1);
  int weekday = civilFromSeconds(expected * 86400).weekday;
  for (int y = 1600; y <= 2400; ++y) {
    for (int m = 1; m <= 12; ++m) {
      for (int d = 1; d <= daysInMonth(y, m); ++d) {
        ASSERT_EQ(daysFromCivil(y, m, d), expected) << y << "-" << m << "-" << d;
        const LocalTime lt = civilFromSeconds(expected * 86400 + 86399);
        ASSERT_EQ(lt.year, y);
        ASSERT_EQ(lt.month, m);
        ASSERT_EQ(lt.day, d);
        ASSERT_EQ(lt.hour, 23);
        ASSERT_EQ(lt.second, 59);
        ASSERT_EQ(lt.weekday, weekday);
        ASSERT_EQ(lt.yearDay, static_cast<int>(expected - daysFromCivil(y, 1, 1)));
        ++expected;
        weekday = (weekday + 1) % 7;
      }
    }
  }
}

TEST(Civil, KnownDatesLeapYearsAndMonthLengths) {
  EXPECT_EQ(civilFromSeconds(0).weekday, 4);                          // Thursday
  EXPECT_EQ(civilFromSeconds(utcOf(2024, 1, 1, 0, 0)).weekday, 1);    // Monday
  EXPECT_EQ(civilFromSeconds(utcOf(2000, 12, 31, 0, 0)).yearDay, 365);
  const LocalTime before = civilFromSeconds(-1);
  EXPECT_EQ((std::array{before.year, before.month, before.day, before.hour, before.minute, before.second}),
            (std::array{1969, 12, 31, 23, 59, 59}));
  EXPECT_EQ(before.weekday, 3);
  for (const auto& [y, leap] : {std::pair{1900, false}, {2000, true}, {2023, false}, {2024, true}, {2100, false}}) {
    EXPECT_EQ(isLeapYear(y), leap) << y;
    EXPECT_EQ(daysInMonth(y, 2), leap ? 29 : 28) << y;
  }
  const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(daysInMonth(2023, m), lengths[m - 1]) << m;
  EXPECT_EQ(daysInMonth(2023, 0), 0);
  EXPECT_EQ(daysInMonth(2023, 13), 0);
}

}  // namespace
}  // namespace zelvor
