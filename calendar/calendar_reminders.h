#pragma once
// What the reminders say: the text of a day's notes (the dated note first,
// the yearly one on the next line), the notices' headings and the coming
// days the announcer goes through.

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/calendar_store.h"

namespace zelvor::calendar {

inline constexpr int kNoticeImage = 4;
inline constexpr std::string_view kTodayHeading = "Ravi Varudide - Notas de hoy";

// Accion as the reminder uses it: 0 none, 1 show the calendar, 2 blink the
// icon, 3 blink and play Sonido; anything else is 0.
enum class TodayAction { None = 0, ShowCalendar = 1, Blink = 2, BlinkAndSound = 3 };
[[nodiscard]] TodayAction TodayActionOf(int stored);

// The notes of the day of date: dated text, "\n" when both exist, yearly text.
[[nodiscard]] std::string DayText(const CalendarStore& store, std::int64_t date);

// "Ravi Varudide - Notas de mañana" for tomorrow, "Ravi Varudide - Quedan %d dias" later.
[[nodiscard]] std::string ComingHeading(int days);

struct ComingNote {
  int days = 0;
  std::string text;  // empty: nothing to announce that day
};
// Days 1 … daysAhead after today, each with its notes' text trimmed of
// white space at both ends. Each day is taken at its own noon, so that a
// dated note beyond a daylight-saving change is announced too (adding
// whole days of 86 400 s would miss it by an hour).
[[nodiscard]] std::vector<ComingNote> ComingNotes(const CalendarStore& store, Clock& clock, const Day& today,
                                                  int daysAhead);

// A note's text inside a notice: the markup characters shown as
// themselves and each line on its own line.
[[nodiscard]] std::string NoticeBody(const std::string& text);

}  // namespace zelvor::calendar
