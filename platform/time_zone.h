#pragma once
// A time zone given by a POSIX TZ rule such as "CET-1CEST,M3.5.0,M10.5.0/3"
// (the form glibc takes in TZ). The simulated clock uses it so that tests of
// daylight-saving days are exact and need no zone files.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvor {

class TimeZoneRule {
 public:
  // Fails on a malformed rule.
  [[nodiscard]] static std::optional<TimeZoneRule> parse(std::string_view rule);
  [[nodiscard]] static TimeZoneRule utc();

  struct Offset {
    int seconds = 0;  // east of UTC
    bool dst = false;
  };
  [[nodiscard]] Offset offsetAt(std::int64_t t) const;

 private:
  struct Transition {
    enum class Kind { Julian1, Julian0, MonthWeekDay } kind = Kind::MonthWeekDay;
    int day = 0;  // Jn: 1..365 without Feb 29; n: 0..365
    int month = 0, week = 0, weekday = 0;
    int time = 7200;  // local seconds after midnight (may be negative or > 24h)
  };
  // Start of the transition, in local seconds since 1970 of the given year.
  [[nodiscard]] static std::int64_t localStart(const Transition& tr, int year);

  int stdOffset_ = 0;  // east of UTC
  int dstOffset_ = 0;
  bool hasDst_ = false;
  Transition start_, end_;
};

}  // namespace zelvor
