#pragma once
// The calendar files (calendar1.dat for the notes of one date,
// calendar2.dat for the notes of every year): no header, entries one after
// another until the end of the file. One entry:
//
//   4  the day, as the instant of its noon: uint32, little-endian
//   4  text length L, uint32, counting a terminating NUL
//   L  the text and its NUL; on reading, the text ends at its first NUL
//
// 32 unsigned bits reach the year 2106; values past 2^31 read back as the
// days after 2038 they are. A reader takes whole entries only and never
// trusts a length field beyond the bytes that are really there.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvor::calendar {

inline constexpr std::size_t kEntryHeaderSize = 8;

struct CalendarEntry {
  std::int64_t date = 0;
  std::string text;
  friend bool operator==(const CalendarEntry&, const CalendarEntry&) = default;
};

// Reads entries from bytes handed over in pieces of any size, holding only
// the text bytes it was given.
class CalendarParser {
 public:
  void feed(std::string_view bytes);
  [[nodiscard]] std::vector<CalendarEntry>& entries() { return entries_; }
  // Bytes of an unfinished entry are pending (a truncated last entry).
  [[nodiscard]] bool midEntry() const { return !header_.empty() || inText_; }

 private:
  void finishEntry();

  std::vector<CalendarEntry> entries_;
  std::string header_;
  bool inText_ = false;
  bool textEnded_ = false;
  std::uint64_t textLeft_ = 0;
  CalendarEntry current_;
};

struct ParsedCalendar {
  std::vector<CalendarEntry> entries;
  bool truncated = false;
};
[[nodiscard]] ParsedCalendar ParseCalendar(std::string_view bytes);

// The file's bytes. A date that 32 unsigned bits cannot hold is written as
// its low 32 bits, which is what the format keeps; the calendar never
// selects such a day.
[[nodiscard]] std::string EncodeCalendar(const std::vector<CalendarEntry>& entries);

}  // namespace zelvor::calendar
