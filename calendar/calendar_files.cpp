#include "calendar/calendar_files.h"

#include "platform/file_pieces.h"

namespace zelvor::calendar {

std::vector<CalendarEntry> CalendarFiles::Load(NoteKind kind) const {
  CalendarParser parser;
  (void)ReadInPieces(files_, path(kind), [&parser](std::string_view piece) { parser.feed(piece); });
  return std::move(parser.entries());
}

void CalendarFiles::LoadInto(CalendarStore& store) const {
  store.Assign(NoteKind::Dated, Load(NoteKind::Dated));
  store.Assign(NoteKind::Yearly, Load(NoteKind::Yearly));
}

FileResult CalendarFiles::Write(NoteKind kind, const CalendarStore& store) {
  return files_.replaceAtomically(path(kind), EncodeCalendar(store.Entries(kind)));
}

}  // namespace zelvor::calendar
