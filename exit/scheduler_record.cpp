#include "exit/scheduler_record.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace zelvor {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
    "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre"};
constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Lunes", "Martes", "Miércoles", "Jueves", "Viernes", "Sábado", "Domingo"};
constexpr std::array<std::string_view, kKindCount> kKindNames = {
    "Sólo una vez", "Diariamente", "Semanalmente", "Mensualmente", "Anualmente"};

// A calendar date; month 1..12.
struct Date {
  int year = 1970;
  int month = 1;
  int day = 1;
  int weekday = 4;  // 0 Sunday
};

Date DateOfDays(std::int64_t days) {
  const LocalTime lt = civilFromSeconds(days * 86400);
  return {lt.year, lt.month, lt.day, lt.weekday};
}

std::int64_t DaysOf(const Date& d) { return daysFromCivil(d.year, d.month, d.day); }

Date LocalDate(Clock& clock, std::int64_t t) {
  const LocalTime lt = toLocal(clock, t);
  return {lt.year, lt.month, lt.day, lt.weekday};
}

// y-m-d with the month and day carried the way a calendar normalises them
// (day 31 of April is 1 May, month 12 is January of the next year). The
// values are bounded first so that a record holding nonsense still gives
// a date near the intended one.
Date NormalisedDate(std::int64_t year, std::int64_t monthIndex, std::int64_t day) {
  monthIndex = std::clamp<std::int64_t>(monthIndex, -1, 12);
  day = std::clamp<std::int64_t>(day, 0, 32);
  std::int64_t y = year + (monthIndex < 0 ? -1 : monthIndex / 12);
  const std::int64_t m = ((monthIndex % 12) + 12) % 12 + 1;
  return DateOfDays(daysFromCivil(static_cast<int>(y), static_cast<int>(m), 1) + day - 1);
}

std::int64_t InstantOn(Clock& clock, const Date& d, const SchedulerRecord& r) {
  int hour = 0, minute = 0;
  NormaliseTimeOfDay(r.Hour, r.Minute, hour, minute);
  return TriggerInstant(clock, d.year, d.month, d.day, hour, minute);
}

bool IsValidDate(int year, int monthIndex, int day) {
  return monthIndex >= 0 && monthIndex <= 11 && day >= 1 &&
         day <= daysInMonth(year, monthIndex + 1);
}

// Whether the record can fire on date d at all (the date part of the rule).
bool FiresOnDate(const SchedulerRecord& r, const Date& d) {
  switch (r.Start) {
    case static_cast<int>(TriggerKind::Once):
    case static_cast<int>(TriggerKind::Yearly):
      return d.month == r.Month + 1 && d.day == r.Day;
    case static_cast<int>(TriggerKind::Daily):
      return true;
    case static_cast<int>(TriggerKind::Weekly):
      return (r.Weekday & WeekdayBit(d.weekday)) != 0;
    case static_cast<int>(TriggerKind::Monthly):
      return d.day == r.Day;
    default:
      return false;
  }
}

std::int64_t NextDaily(const SchedulerRecord& r, Clock& clock, const Date& base,
                       std::optional<std::int64_t> ref) {
  const std::int64_t candidate = InstantOn(clock, base, r);
  if (ref && *ref > candidate) return InstantOn(clock, DateOfDays(DaysOf(base) + 1), r);
  return candidate;
}

std::int64_t NextWeekly(const SchedulerRecord& r, Clock& clock, const Date& base,
                        std::optional<std::int64_t> ref) {
  if ((r.Weekday & weekday_bit::All) != 0) {
    for (int ahead = 0; ahead <= 7; ++ahead) {
      const Date d = DateOfDays(DaysOf(base) + ahead);
      if ((r.Weekday & WeekdayBit(d.weekday)) == 0) continue;
      const std::int64_t candidate = InstantOn(clock, d, r);
      if (!ref || candidate >= *ref) return candidate;
    }
  }
  // No day is chosen: the trigger never fires, and a week ahead stands for
  // "not soon" in countdown displays.
  return InstantOn(clock, DateOfDays(DaysOf(base) + 7), r);
}

std::int64_t NextMonthly(const SchedulerRecord& r, Clock& clock, const Date& base,
                         std::optional<std::int64_t> ref) {
  if (r.Day >= 1 && r.Day <= 31) {
    // Months without that day are passed over: they never fire, so the
    // countdown must not point at them. A 31st is at most two months away.
    for (int ahead = 0; ahead <= 13; ++ahead) {
      const int monthIndex = base.month - 1 + ahead;
      const int year = base.year + monthIndex / 12;
      if (!IsValidDate(year, monthIndex % 12, r.Day)) continue;
      const std::int64_t candidate = InstantOn(clock, Date{year, monthIndex % 12 + 1, r.Day}, r);
      if (!ref || candidate >= *ref) return candidate;
    }
  }
  // A day no month has: the calendar's carry gives the nearest date.
  std::int64_t candidate = InstantOn(clock, NormalisedDate(base.year, base.month - 1, r.Day), r);
  if (ref && *ref > candidate) {
    candidate = InstantOn(clock, NormalisedDate(base.year, base.month, r.Day), r);
  }
  return candidate;
}

std::int64_t NextYearly(const SchedulerRecord& r, Clock& clock, const Date& base,
                        std::optional<std::int64_t> ref) {
  // 29 February comes back within eight years (2096 to 2104).
  if (IsValidDate(2000, r.Month, r.Day)) {
    for (int ahead = 0; ahead <= 8; ++ahead) {
      const int year = base.year + ahead;
      if (!IsValidDate(year, r.Month, r.Day)) continue;
      const std::int64_t candidate = InstantOn(clock, Date{year, r.Month + 1, r.Day}, r);
      if (!ref || candidate >= *ref) return candidate;
    }
  }
  std::int64_t candidate = InstantOn(clock, NormalisedDate(base.year, r.Month, r.Day), r);
  if (ref && *ref > candidate) {
    candidate = InstantOn(clock, NormalisedDate(base.year + 1, r.Month, r.Day), r);
  }
  return candidate;
}

}  // namespace

SchedulerRecord DefaultRecordAt(const LocalTime& now) {
  SchedulerRecord r;
  r.Enable = 0;
  r.ShowWarning = 0;
  r.Day = now.day;
  r.Month = now.month - 1;
  r.Seconds = 10;
  r.Start = static_cast<int>(TriggerKind::Once);
  r.Hour = now.hour;
  r.Minute = now.minute;
  r.Weekday = WeekdayBit(now.weekday);
  return r;
}

void NormaliseTimeOfDay(std::int64_t hour, std::int64_t minute, int& outHour, int& outMinute) {
  const std::int64_t total = ((hour * 60 + minute) % 1440 + 1440) % 1440;
  outHour = static_cast<int>(total / 60);
  outMinute = static_cast<int>(total % 60);
}

int WeekdayBit(int weekday) {
  const int d = ((weekday % 7) + 7) % 7 + 1;  // 1 Sunday .. 7 Saturday
  return d == 1 ? weekday_bit::Sunday : weekday_bit::Monday >> (d - 2);
}

int WeekdayBitOfPosition(int position) {
  return position >= 0 && position < 7 ? weekday_bit::Monday >> position : 0;
}

std::string_view MonthName(int monthIndex) {
  return monthIndex >= 0 && monthIndex < 12 ? kMonthNames[static_cast<std::size_t>(monthIndex)]
                                            : std::string_view{};
}

std::string_view WeekdayName(int position) {
  return position >= 0 && position < 7 ? kWeekdayNames[static_cast<std::size_t>(position)]
                                       : std::string_view{};
}

std::string_view KindName(int kind) {
  return kind >= 0 && kind < kKindCount ? kKindNames[static_cast<std::size_t>(kind)]
                                        : std::string_view{};
}

int DaysInMonthIndex(int monthIndex, int year) {
  if (monthIndex == 1) return isLeapYear(year) ? 29 : 28;
  if (monthIndex == 3 || monthIndex == 5 || monthIndex == 8 || monthIndex == 10) return 30;
  return 31;
}

std::string DescribeRecord(const SchedulerRecord& r) {
  if (r.Enable == 0) return "deshabilitada";
  int hour = 0, minute = 0;
  NormaliseTimeOfDay(r.Hour, r.Minute, hour, minute);
  char buf[256];
  const std::string month(MonthName(r.Month));
  switch (r.Start) {
    case static_cast<int>(TriggerKind::Once):
      std::snprintf(buf, sizeof buf, "El %d de %s a las %02d:%02d", r.Day, month.c_str(), hour, minute);
      return buf;
    case static_cast<int>(TriggerKind::Daily):
      std::snprintf(buf, sizeof buf, "Diariamente a las %02d:%02d", hour, minute);
      return buf;
    case static_cast<int>(TriggerKind::Weekly): {
      std::string days;
      for (int i = 0; i < 7; ++i) {
        if ((r.Weekday & WeekdayBitOfPosition(i)) == 0) continue;
        if (!days.empty()) days += ", ";
        days += WeekdayName(i);
      }
      std::snprintf(buf, sizeof buf, "Los %s a las %02d:%02d", days.c_str(), hour, minute);
      return buf;
    }
    case static_cast<int>(TriggerKind::Monthly):
      std::snprintf(buf, sizeof buf, "Mensualmente el día %d a las %02d:%02d", r.Day, hour, minute);
      return buf;
    case static_cast<int>(TriggerKind::Yearly):
      std::snprintf(buf, sizeof buf, "Anualmente el %d de %s a las %02d:%02d", r.Day,
                    month.c_str(), hour, minute);
      return buf;
    default:
      return {};
  }
}

std::int64_t TriggerInstant(Clock& clock, int year, int month, int day, int hour, int minute) {
  const std::vector<std::int64_t> instants = instantsOf(clock, year, month, day, hour, minute, 0);
  // In an autumn overlap the wall time comes twice; the first one counts,
  // so a trigger in the repeated hour fires once.
  if (!instants.empty()) return instants.front();
  // In a spring-forward gap the wall time never comes. The trigger fires
  // at the first instant after the jump, the moment the clock passes it.
  const std::int64_t wall = daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60;
  const std::int64_t a = wall - clock.offsetAt(wall - 86400).seconds;
  const std::int64_t b = wall - clock.offsetAt(wall + 86400).seconds;
  std::int64_t lo = std::min(a, b);
  std::int64_t hi = std::max(a, b);
  const auto wallAt = [&](std::int64_t t) { return t + clock.offsetAt(t).seconds; };
  if (wallAt(lo) > wall || wallAt(hi) <= wall) return wall - clock.offsetAt(wall).seconds;
  // Smallest t in (lo, hi] whose wall time is past the trigger.
  while (hi - lo > 1) {
    const std::int64_t mid = lo + (hi - lo) / 2;
    if (wallAt(mid) > wall) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  return hi;
}

bool IsDueAt(const SchedulerRecord& r, Clock& clock, std::int64_t now) {
  const Date today = LocalDate(clock, now);
  if (!FiresOnDate(r, today)) return false;
  const std::int64_t start = InstantOn(clock, today, r);
  // Seconds are not compared: the whole trigger minute is due.
  return now >= start && now < start + 60;
}

std::int64_t NextOccurrenceOf(const SchedulerRecord& r, Clock& clock, std::int64_t now,
                              std::optional<std::int64_t> reference) {
  const Date base = LocalDate(clock, reference.value_or(now));
  switch (r.Start) {
    case static_cast<int>(TriggerKind::Daily):
      return NextDaily(r, clock, base, reference);
    case static_cast<int>(TriggerKind::Weekly):
      return NextWeekly(r, clock, base, reference);
    case static_cast<int>(TriggerKind::Monthly):
      return NextMonthly(r, clock, base, reference);
    case static_cast<int>(TriggerKind::Once):
    case static_cast<int>(TriggerKind::Yearly):
      return NextYearly(r, clock, base, reference);
    default:
      return 0;
  }
}

}  // namespace zelvor
