#pragma once
// Printing every calendar note through the line printer: the dated notes
// in order, then the yearly ones, each a heading, a rule, its text and a
// line break, wrapped as a note's text is. An empty calendar prints nothing.

#include <optional>

#include "calendar/calendar_store.h"
#include "platform/printer.h"
#include "platform/window_model.h"

namespace zelvor::calendar {

// The blocks as printed, one per note, before wrapping.
[[nodiscard]] std::vector<std::string> PrintBlocks(const CalendarStore& store, Clock& clock);

// Prints on an open job and ends it; false when the printer or the file failed.
[[nodiscard]] bool PrintCalendar(PrintJob& job, const CalendarStore& store, Clock& clock,
                                 std::optional<TextFont> font);

}  // namespace zelvor::calendar
