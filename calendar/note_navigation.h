#pragma once
// Going from the selected day to the first, previous, next or last note of
// either list. Each list offers one candidate; when both do, the one whose
// day of the year comes first (first, next) or last (previous, last) wins,
// a dated note winning a tie. A yearly note lands in the year of the dated
// candidate when there is one, else in the selected year.

#include <optional>

#include "calendar/calendar_date.h"
#include "calendar/calendar_store.h"

namespace zelvor::calendar {

enum class NoteStep { First, Previous, Next, Last };

// The day to select, or nullopt when no note lies that way.
[[nodiscard]] std::optional<Day> StepToNote(const CalendarStore& store, Clock& clock, const Day& selected,
                                            NoteStep step);

}  // namespace zelvor::calendar
