#include "notes/note_alarm.h"

#include <algorithm>

namespace zelvor::notes {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Instants beyond some 34,000 years either side are asked for the offset of
// this bound, which keeps the zone arithmetic within its range.
constexpr std::int64_t kFarInstant = std::int64_t{1} << 40;

}  // namespace

TimeOfDay AlarmTimeOfDay(std::int64_t alarmTime, Clock& clock) {
  const std::int64_t offset = clock.offsetAt(std::clamp(alarmTime, -kFarInstant, kFarInstant)).seconds;
  // Reduced before they are added, so that no stored value overflows.
  const std::int64_t second =
      ((alarmTime % kSecondsPerDay) + (offset % kSecondsPerDay) + 2 * kSecondsPerDay) % kSecondsPerDay;
  return {static_cast<int>(second / 3600), static_cast<int>(second % 3600 / 60)};
}

SchedulerRecord SchedulerRecordOf(const NoteAlarmBlock& alarm, Clock& clock) {
  const TimeOfDay at = AlarmTimeOfDay(alarm.alarmTime, clock);
  SchedulerRecord s;
  s.Enable = alarm.Enable;
  s.ShowWarning = alarm.ShowWarning;
  s.Day = alarm.Day;
  s.Month = alarm.Month;
  s.Seconds = alarm.Seconds;
  s.Start = alarm.Start;
  s.Hour = at.hour;
  s.Minute = at.minute;
  s.Weekday = alarm.Weekday;
  return s;
}

LateAlarm CheckLateAlarm(const NoteAlarmBlock& alarm, Clock& clock, std::int64_t now) {
  if (alarm.Enable == 0 || alarm.Start != static_cast<int>(TriggerKind::Once)) return LateAlarm::NotChecked;
  const int year = toLocal(clock, now).year;
  if (year < 1900 || alarm.Month < 0 || alarm.Month > 11 || alarm.Day < 1 || alarm.Day > 31) {
    return LateAlarm::NotChecked;
  }
  const LocalTime date =
      civilFromSeconds((daysFromCivil(year, alarm.Month + 1, 1) + alarm.Day - 1) * kSecondsPerDay);
  const TimeOfDay at = AlarmTimeOfDay(alarm.alarmTime, clock);
  const std::int64_t moment = TriggerInstant(clock, date.year, date.month, date.day, at.hour, at.minute);
  return moment < now ? LateAlarm::Late : LateAlarm::Pending;
}

}  // namespace zelvor::notes
