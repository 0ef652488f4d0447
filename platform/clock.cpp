#include "platform/clock.h"

#include <algorithm>

namespace zelvor {

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Howard Hinnant's days_from_civil.
std::int64_t daysFromCivil(int year, int month, int day) {
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

LocalTime civilFromSeconds(std::int64_t s) {
  std::int64_t days = s / 86400;
  std::int64_t rem = s % 86400;
  if (rem < 0) {
    rem += 86400;
    --days;
  }
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  LocalTime lt;
  lt.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  lt.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  lt.year = static_cast<int>(yoe + era * 400 + (lt.month <= 2 ? 1 : 0));
  lt.hour = static_cast<int>(rem / 3600);
  lt.minute = static_cast<int>(rem % 3600 / 60);
  lt.second = static_cast<int>(rem % 60);
  const std::int64_t wd = (days + 4) % 7;  // 1970-01-01 was a Thursday
  lt.weekday = static_cast<int>(wd < 0 ? wd + 7 : wd);
  lt.yearDay = static_cast<int>(days - daysFromCivil(lt.year, 1, 1));
  return lt;
}

LocalTime toLocal(Clock& clock, std::int64_t t) {
  const auto off = clock.offsetAt(t);
  LocalTime lt = civilFromSeconds(t + off.seconds);
  lt.dst = off.dst;
  lt.utcOffset = off.seconds;
  return lt;
}

LocalTime localNow(Clock& clock) { return toLocal(clock, clock.now()); }

std::vector<std::int64_t> instantsOf(Clock& clock, int year, int month, int day, int hour,
                                     int minute, int second) {
  const std::int64_t local =
      daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  // Real zones change their offset at most once within a day on either
  // side, so the offsets a day before and a day after are the candidates.
  std::vector<std::int64_t> found;
  for (const std::int64_t probe : {local - 86400, local, local + 86400}) {
    const int guess = clock.offsetAt(probe).seconds;
    const std::int64_t t = local - guess;
    if (clock.offsetAt(t).seconds == guess &&
        std::find(found.begin(), found.end(), t) == found.end()) {
      found.push_back(t);
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace zelvor
