#pragma once
// The time-trigger record shared by every automatic action of the suite
// (automatic shutdown, automatic dialling, scheduled downloads, note
// alarms), and the rules that read it: when it fires, when it fires next,
// and how it is described to the user.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace zelvor {

// Trigger kinds, as stored in `Start`.
enum class TriggerKind : int { Once = 0, Daily = 1, Weekly = 2, Monthly = 3, Yearly = 4 };

// Weekday mask bits: Monday is the highest bit.
namespace weekday_bit {
inline constexpr int Monday = 64;
inline constexpr int Tuesday = 32;
inline constexpr int Wednesday = 16;
inline constexpr int Thursday = 8;
inline constexpr int Friday = 4;
inline constexpr int Saturday = 2;
inline constexpr int Sunday = 1;
inline constexpr int All = 127;
}  // namespace weekday_bit

// The nine stored values. Fields keep whatever the store held (a value out
// of range is kept, so a record read and written back is unchanged); the
// rules below are defined for every value and never fail.
struct SchedulerRecord {
  int Enable = 0;
  int ShowWarning = 0;
  int Day = 1;       // 1..31
  int Month = 0;     // 0..11, 0 = January
  int Seconds = 10;  // length of the countdown warning, 0..32000
  int Start = 0;     // TriggerKind
  int Hour = 0;      // 0..23: the trigger time of day
  int Minute = 0;    // 0..59
  int Weekday = 0;   // mask of weekday_bit

  friend bool operator==(const SchedulerRecord&, const SchedulerRecord&) = default;
};

// Value names in the store.
namespace scheduler_value {
inline constexpr std::string_view Enable = "Enable";
inline constexpr std::string_view ShowWarning = "ShowWarning";
inline constexpr std::string_view Day = "Day";
inline constexpr std::string_view Month = "Month";
inline constexpr std::string_view Seconds = "Seconds";
inline constexpr std::string_view Start = "Start";
inline constexpr std::string_view Hour = "Hour";
inline constexpr std::string_view Minute = "Minute";
inline constexpr std::string_view Weekday = "Weekday";
}  // namespace scheduler_value

inline constexpr int kMaxWarningSeconds = 32000;

// The record a new trigger starts from: disarmed, once, at the given local
// time (today's date, this minute, today's weekday bit), 10 s of warning.
[[nodiscard]] SchedulerRecord DefaultRecordAt(const LocalTime& now);

// Hour and minute brought into 0..23 and 0..59 the way a calendar carries
// them (75 minutes is 1:15), for records whose stored values are out of range.
void NormaliseTimeOfDay(std::int64_t hour, std::int64_t minute, int& outHour, int& outMinute);

// The mask bit of a weekday (0 Sunday .. 6 Saturday).
[[nodiscard]] int WeekdayBit(int weekday);
// The mask bit of list position i (0 Monday .. 6 Sunday).
[[nodiscard]] int WeekdayBitOfPosition(int position);

// Texts of the page's lists. Out-of-range indexes give "".
[[nodiscard]] std::string_view MonthName(int monthIndex);
[[nodiscard]] std::string_view WeekdayName(int position);
[[nodiscard]] std::string_view KindName(int kind);
inline constexpr int kKindCount = 5;

// Upper bound of the day field for a month index (0..11) in the given year.
[[nodiscard]] int DaysInMonthIndex(int monthIndex, int year);

// The one-line description ("Diariamente a las 08:00", "deshabilitada", ...).
[[nodiscard]] std::string DescribeRecord(const SchedulerRecord& record);

// The firing rule: whether the trigger minute is running at instant `now`.
[[nodiscard]] bool IsDueAt(const SchedulerRecord& record, Clock& clock, std::int64_t now);

// The next trigger instant counting from `now`, or from `reference` when
// one is given (then the result is never earlier than the reference).
// Without a reference the result may lie in the past. Kinds above 4 give 0.
[[nodiscard]] std::int64_t NextOccurrenceOf(const SchedulerRecord& record, Clock& clock,
                                            std::int64_t now,
                                            std::optional<std::int64_t> reference);

// The instant at which the local wall time y-m-d h:mi:00 begins: the first
// of two in an autumn overlap, the end of the jump in a spring-forward gap.
[[nodiscard]] std::int64_t TriggerInstant(Clock& clock, int year, int month, int day, int hour,
                                          int minute);

}  // namespace zelvor
