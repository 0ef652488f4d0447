#pragma once
// Wall time, local time and the millisecond tick.

#include <cstdint>
#include <optional>
#include <vector>

namespace zelvor {

// A broken-down local time, as the suite's records store it.
struct LocalTime {
  int year = 1970;
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int weekday = 4;  // 0 Sunday .. 6 Saturday
  int yearDay = 0;  // 0..365
  bool dst = false;
  int utcOffset = 0;  // seconds east of UTC in force at that instant

  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since 1970-01-01 00:00:00 UTC.
  [[nodiscard]] virtual std::int64_t now() = 0;
  // Milliseconds from an arbitrary start; never goes back.
  [[nodiscard]] virtual std::uint64_t tickMs() = 0;
  // Offset of local time from UTC at instant t (seconds east) and whether
  // daylight-saving time is in force then.
  struct Offset {
    int seconds = 0;
    bool dst = false;
  };
  [[nodiscard]] virtual Offset offsetAt(std::int64_t t) = 0;
};

// Conversions built on Clock::offsetAt, the same for every binding.
[[nodiscard]] LocalTime toLocal(Clock& clock, std::int64_t t);
[[nodiscard]] LocalTime localNow(Clock& clock);

// The instants whose local time reads y-m-d h:mi:s: none in a spring-forward
// gap, two in an autumn overlap (earlier first), else one.
[[nodiscard]] std::vector<std::int64_t> instantsOf(Clock& clock, int year, int month, int day,
                                                   int hour, int minute, int second);

// Calendar arithmetic on the proleptic Gregorian calendar.
[[nodiscard]] std::int64_t daysFromCivil(int year, int month, int day);
[[nodiscard]] LocalTime civilFromSeconds(std::int64_t localSeconds);
[[nodiscard]] bool isLeapYear(int year);
[[nodiscard]] int daysInMonth(int year, int month);

}  // namespace zelvor
