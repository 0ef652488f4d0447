#pragma once
// Days of the calendar. A day is the instant of 12:00 local time on it, so
// that a day found on one side of a daylight-saving change is the same day
// on the other. The files keep that instant in 32 unsigned bits, which hold
// every day from 1971 to 2105.

#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace zelvor::calendar {

inline constexpr int kFirstYear = 1971;
inline constexpr int kLastYear = 2105;

struct Day {
  int year = kFirstYear;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  friend bool operator==(const Day&, const Day&) = default;
  friend auto operator<=>(const Day&, const Day&) = default;
};

// The instant of 12:00 local time on year-month-day. A day past the end of
// its month (or a month past 12) runs into the following ones, as the
// local-time conversion of the C library does.
[[nodiscard]] std::int64_t DateValue(Clock& clock, int year, int month, int day);
[[nodiscard]] inline std::int64_t DateValue(Clock& clock, const Day& d) {
  return DateValue(clock, d.year, d.month, d.day);
}

// The local day of an instant.
[[nodiscard]] Day DayOf(Clock& clock, std::int64_t instant);

// A day inside the years the calendar can select: earlier days become
// 1 January 1971, later ones 31 December 2105.
[[nodiscard]] Day ClampDay(const Day& d);

// Milliseconds from now until 15 seconds after the next local midnight:
// 00:00:00 of the local date that follows today's. On a day whose
// midnight does not exist (a clock change at 00:00) the first instant after
// it counts.
[[nodiscard]] std::int64_t MsUntilAfterMidnight(Clock& clock, std::int64_t now);

// Spanish month names, "Enero" .. "Diciembre"; month 1..12.
[[nodiscard]] const char* MonthName(int month);
// The date of an export or a printed heading: "ddd, dd MMM yyyy" with the
// suite's Spanish short names ("lun, 05 may 2011").
[[nodiscard]] std::string LongHeading(const Day& d);
// A yearly note's heading: "5 de Mayo".
[[nodiscard]] std::string YearlyHeading(int month, int day);

}  // namespace zelvor::calendar
