#include "calendar/note_navigation.h"

#include <utility>

namespace zelvor::calendar {
namespace {

std::pair<int, int> monthDay(const Day& d) { return {d.month, d.day}; }

}  // namespace

std::optional<Day> StepToNote(const CalendarStore& store, Clock& clock, const Day& selected, NoteStep step) {
  const std::int64_t selectedValue = DateValue(clock, selected);
  const auto& dated = store.Entries(NoteKind::Dated);
  const auto& yearly = store.Entries(NoteKind::Yearly);
  std::optional<Day> d, y;
  switch (step) {
    case NoteStep::First:
      if (!dated.empty()) d = DayOf(clock, dated.front().date);
      if (!yearly.empty()) y = DayOf(clock, yearly.front().date);
      break;
    case NoteStep::Last:
      if (!dated.empty()) d = DayOf(clock, dated.back().date);
      if (!yearly.empty()) y = DayOf(clock, yearly.back().date);
      break;
    case NoteStep::Next:
      for (const CalendarEntry& e : dated) {
        if (e.date > selectedValue) {
          d = DayOf(clock, e.date);
          break;
        }
      }
      for (const CalendarEntry& e : yearly) {
        const Day k = DayOf(clock, e.date);
        if (monthDay(k) > monthDay(selected)) {
          y = k;
          break;
        }
      }
      break;
    case NoteStep::Previous:
      for (const CalendarEntry& e : dated) {
        if (e.date < selectedValue) d = DayOf(clock, e.date);
      }
      for (const CalendarEntry& e : yearly) {
        const Day k = DayOf(clock, e.date);
        if (monthDay(k) < monthDay(selected)) y = k;
      }
      break;
  }
  const bool forward = step == NoteStep::First || step == NoteStep::Next;
  if (d && y) {
    const bool takeDated = forward ? monthDay(*d) <= monthDay(*y) : monthDay(*d) >= monthDay(*y);
    if (takeDated) return d;
  } else if (d) {
    return d;
  }
  if (!y) return std::nullopt;
  const int year = d ? d->year : selected.year;
  return ClampDay(DayOf(clock, DateValue(clock, year, y->month, y->day)));
}

}  // namespace zelvor::calendar
