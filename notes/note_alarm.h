#pragma once
// A note's alarm read through the shared time trigger, and the start-up
// rule for once-only alarms that were missed while the program was not
// running.

#include <cstdint>

#include "exit/scheduler_record.h"
#include "notes/note_record.h"
#include "platform/clock.h"

namespace zelvor::notes {

// The local hour and minute of an alarm time. Any stored value gives a
// time of day, a hostile one included.
struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};
[[nodiscard]] TimeOfDay AlarmTimeOfDay(std::int64_t alarmTime, Clock& clock);

// The alarm as the shared trigger reads it: Hour and Minute are the local
// time of day of alarmTime.
[[nodiscard]] SchedulerRecord SchedulerRecordOf(const NoteAlarmBlock& alarm, Clock& clock);

enum class LateAlarm {
  NotChecked,  // no alarm, a recurring one, or a day or month that forms no date
  Late,        // a once-only alarm whose moment this year has passed
  Pending,     // a once-only alarm still to come this year
};

// A once-only alarm is placed in the current year on its Month and Day at
// its hour and minute (a day past the end of its month runs into the next
// month); it is late when that moment is earlier than now.
[[nodiscard]] LateAlarm CheckLateAlarm(const NoteAlarmBlock& alarm, Clock& clock, std::int64_t now);

// A removed alarm: the whole block zero.
inline void ClearAlarm(NoteRecord& record) { record.alarm = {}; }

}  // namespace zelvor::notes
