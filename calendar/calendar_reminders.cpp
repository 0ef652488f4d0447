#include "calendar/calendar_reminders.h"

namespace zelvor::calendar {

TodayAction TodayActionOf(int stored) {
  return stored >= 0 && stored <= 3 ? static_cast<TodayAction>(stored) : TodayAction::None;
}

std::string DayText(const CalendarStore& store, std::int64_t date) {
  const std::string* d = store.Find(date, NoteKind::Dated);
  const std::string* y = store.Find(date, NoteKind::Yearly);
  std::string text;
  if (d != nullptr) text = *d;
  if (d != nullptr && y != nullptr) text += "\n";
  if (y != nullptr) text += *y;
  return text;
}

std::string ComingHeading(int days) {
  if (days == 1) return "Ravi Varudide - Notas de mañana";
  return "Ravi Varudide - Quedan " + std::to_string(days) + " dias";
}

std::vector<ComingNote> ComingNotes(const CalendarStore& store, Clock& clock, const Day& today, int daysAhead) {
  std::vector<ComingNote> out;
  for (int days = 1; days <= daysAhead; ++days) {
    std::string text = DayText(store, DateValue(clock, today.year, today.month, today.day + days));
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    std::size_t b = 0, e = text.size();
    while (b < e && space(text[b])) ++b;
    while (e > b && space(text[e - 1])) --e;
    out.push_back({days, text.substr(b, e - b)});
  }
  return out;
}

std::string NoticeBody(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') break;
        out += "<br>";
        break;
      case '\n': out += "<br>"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

}  // namespace zelvor::calendar
