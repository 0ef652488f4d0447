#include "calendar/calendar_date.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace zelvor::calendar {
namespace {

constexpr std::array<const char*, 12> kMonthNames = {"Enero", "Febrero", "Marzo",      "Abril",
                                                     "Mayo",  "Junio",   "Julio",      "Agosto",
                                                     "Septiembre", "Octubre", "Noviembre", "Diciembre"};
constexpr std::array<const char*, 12> kShortMonths = {"ene", "feb", "mar", "abr", "may", "jun",
                                                      "jul", "ago", "sep", "oct", "nov", "dic"};
constexpr std::array<const char*, 7> kShortWeekdays = {"dom", "lun", "mar", "mié", "jue", "vie", "sáb"};

// Year, month and day brought into range the way the C library's mktime
// does: months beyond 12 run into the next years, days beyond the month's
// end into the next months (and below 1 into the previous ones).
Day normalised(int year, int month, int day) {
  const std::int64_t monthIndex = static_cast<std::int64_t>(year) * 12 + (month - 1);
  const std::int64_t y = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
  const int m = static_cast<int>(monthIndex - y * 12) + 1;
  const std::int64_t days = daysFromCivil(static_cast<int>(y), m, 1) + (day - 1);
  const LocalTime t = civilFromSeconds(days * 86400);
  return {t.year, t.month, t.day};
}

}  // namespace

std::int64_t DateValue(Clock& clock, int year, int month, int day) {
  const Day d = normalised(year, month, day);
  const std::vector<std::int64_t> instants = instantsOf(clock, d.year, d.month, d.day, 12, 0, 0);
  if (!instants.empty()) return instants.front();
  // Noon inside a clock change (no zone does this, but a rule may): the
  // same local reading an hour later, which exists.
  const std::int64_t local = daysFromCivil(d.year, d.month, d.day) * 86400 + 12 * 3600;
  return local - clock.offsetAt(local).seconds;
}

Day DayOf(Clock& clock, std::int64_t instant) {
  const LocalTime t = toLocal(clock, instant);
  return {t.year, t.month, t.day};
}

Day ClampDay(const Day& d) {
  if (d.year < kFirstYear) return {kFirstYear, 1, 1};
  if (d.year > kLastYear) return {kLastYear, 12, 31};
  return d;
}

std::int64_t MsUntilAfterMidnight(Clock& clock, std::int64_t now) {
  // The local date after today's. Adding 86 400 s instead would skip a
  // whole day from the last hour before a 23-hour day.
  const Day today = DayOf(clock, now);
  const Day tomorrow = normalised(today.year, today.month, today.day + 1);
  std::vector<std::int64_t> midnight = instantsOf(clock, tomorrow.year, tomorrow.month, tomorrow.day, 0, 0, 0);
  std::int64_t at = 0;
  if (!midnight.empty()) {
    at = midnight.front();
  } else {
    // Midnight falls in a spring-forward gap: the day starts at the first
    // instant after it, the local reading of the gap's end.
    const std::int64_t local = daysFromCivil(tomorrow.year, tomorrow.month, tomorrow.day) * 86400;
    at = local - clock.offsetAt(local - 86400).seconds;
  }
  return std::max<std::int64_t>(at - now + 15, 0) * 1000;
}

const char* MonthName(int month) {
  return month >= 1 && month <= 12 ? kMonthNames[static_cast<std::size_t>(month - 1)] : "";
}

std::string LongHeading(const Day& d) {
  const std::int64_t days = daysFromCivil(d.year, d.month, d.day);
  const auto weekday = static_cast<std::size_t>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  char out[48];
  std::snprintf(out, sizeof out, "%s, %02d %s %04d", kShortWeekdays[weekday], d.day,
                kShortMonths[static_cast<std::size_t>(std::clamp(d.month, 1, 12) - 1)], d.year);
  return out;
}

std::string YearlyHeading(int month, int day) { return std::to_string(day) + " de " + MonthName(month); }

}  // namespace zelvor::calendar
