#include "calendar/calendar_print.h"

#include "notes/note_print.h"
#include "shell/printing/line_printer.h"

namespace zelvor::calendar {
namespace {

constexpr std::string_view kRule = "\r\n-------------------------------------------\r\n";

}  // namespace

std::vector<std::string> PrintBlocks(const CalendarStore& store, Clock& clock) {
  std::vector<std::string> out;
  const auto block = [&out](const std::string& heading, const std::string& text) {
    out.push_back(heading + std::string(kRule) + text + "\r\n");
  };
  for (const CalendarEntry& e : store.Entries(NoteKind::Dated)) block(LongHeading(DayOf(clock, e.date)), e.text);
  for (const CalendarEntry& e : store.Entries(NoteKind::Yearly)) {
    const Day d = DayOf(clock, e.date);
    block(YearlyHeading(d.month, d.day), e.text);
  }
  return out;
}

bool PrintCalendar(PrintJob& job, const CalendarStore& store, Clock& clock, std::optional<TextFont> font) {
  CPrinter printer(job, "", std::move(font));
  printer.Start();
  Canvas& canvas = job.canvas();
  const TextFont& used = printer.Font();
  const auto measure = [&](std::string_view s) { return canvas.textSize(std::string(s), used).width; };
  for (const std::string& block : PrintBlocks(store, clock)) {
    for (const std::string& line : notes::WrapNoteText(block, printer.PrintableWidth(), measure)) {
      printer.PrintLine(line);
    }
  }
  return printer.End();
}

}  // namespace zelvor::calendar
