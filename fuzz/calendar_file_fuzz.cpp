// The calendar-file reader over arbitrary bytes: whole entries only, never
// more memory than the bytes given (libFuzzer's allocation limit stops any
// reservation a length field asks for), the same in any pieces, and what it
// read is written back and read again unchanged. The lists, marks and
// export run over whatever was read.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calendar/calendar_file.h"
#include "calendar/calendar_store.h"
#include "fuzz/default_max_len.h"
#include "platform/sim/sim_clock.h"

namespace {

using namespace zelvor::calendar;

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

constexpr std::size_t kMaxInput = 64 * 1024;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  zelvor::fuzz::prependDefaultMaxLen(argc, argv, kMaxInput);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zelvor::SimClock clock(1'300'000'000, *zelvor::TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3"));
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ParsedCalendar parsed = ParseCalendar(bytes);

  std::size_t textBytes = 0;
  for (const CalendarEntry& e : parsed.entries) {
    check(e.date >= 0 && e.date <= 0xFFFFFFFFLL);
    check(e.text.find('\0') == std::string::npos);
    textBytes += e.text.size();
  }
  check(parsed.entries.size() * kEntryHeaderSize + textBytes <= size);

  const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 61;
  CalendarParser pieces;
  for (std::size_t at = 0; at < size; at += piece) pieces.feed(bytes.substr(at, piece));
  check(pieces.entries() == parsed.entries);
  check(pieces.midEntry() == parsed.truncated);

  const std::string again = EncodeCalendar(parsed.entries);
  const ParsedCalendar reread = ParseCalendar(again);
  check(!reread.truncated && reread.entries == parsed.entries);

  // The lists over a file in any order, with any days.
  CalendarStore store(clock);
  store.Assign(NoteKind::Dated, parsed.entries);
  store.Assign(NoteKind::Yearly, parsed.entries);
  for (const CalendarEntry& e : parsed.entries) {
    (void)store.Find(e.date, NoteKind::Dated);
    (void)store.Find(e.date, NoteKind::Yearly);
  }
  const auto marks = store.DayMarks(1971 + static_cast<int>(size % 140), 1 + static_cast<int>(size % 12),
                                    static_cast<int>(size % 40));
  check(marks.size() == size % 40);
  (void)store.ExportText();
  if (!parsed.entries.empty()) {
    const std::int64_t date = parsed.entries.back().date;
    store.Set(date, NoteKind::Dated, "x");
    check(store.Delete(date, NoteKind::Dated));
  }
  return 0;
}
