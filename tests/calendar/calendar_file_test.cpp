// The calendar files' bytes: written and read back, read from another
// program's bytes, hostile lengths, cut-short entries and days past 2038.

#include <gtest/gtest.h>

#include "calendar/calendar_file.h"
#include "calendar/calendar_files.h"
#include "platform/posix/posix_files.h"
#include "platform/sim/sim_clock.h"
#include "tests/support/sandbox.h"

namespace zelvor::calendar {
namespace {

std::string U32(std::uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return s;
}

std::string Entry(std::uint32_t date, std::string_view textWithNul) {
  return U32(date) + U32(static_cast<std::uint32_t>(textWithNul.size())) + std::string(textWithNul);
}

TEST(CalendarFile, ReadsEntriesAsAnotherProgramWroteThem) {
  using namespace std::string_literals;
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<CalendarEntry> expected;
    bool truncated;
  } cases[] = {
      {"empty file", "", {}, false},
      {"two entries", Entry(1305028800, "Dentista\r\n10:30\0"s) + Entry(0, "cero\0"s),
       {{1305028800, "Dentista\r\n10:30"}, {0, "cero"}}, false},
      {"text cut at its first NUL", Entry(7, "uno\0dos\0"s), {{7, "uno"}}, false},
      {"length 0 is an empty text", Entry(7, "") + Entry(8, "b\0"s), {{7, ""}, {8, "b"}}, false},
      {"a day past 2038 reads unsigned", Entry(0xF0000000u, "x\0"s), {{0xF0000000LL, "x"}}, false},
      {"last entry cut in its header", Entry(1, "a\0"s) + U32(2) + "\x05", {{1, "a"}}, true},
      {"last entry cut in its text", Entry(1, "a\0"s) + U32(2) + U32(10) + "abc", {{1, "a"}}, true},
      {"a 4 GiB length with three bytes", U32(1) + U32(0xFFFFFFFFu) + "abc", {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ParsedCalendar parsed = ParseCalendar(c.bytes);
    EXPECT_EQ(parsed.entries, c.expected);
    EXPECT_EQ(parsed.truncated, c.truncated);
    // Fed a byte at a time it reads the same.
    CalendarParser bytewise;
    for (char ch : c.bytes) bytewise.feed(std::string_view(&ch, 1));
    EXPECT_EQ(bytewise.entries(), c.expected);
  }
}

TEST(CalendarFile, WritesTheLayoutItReads) {
  using namespace std::string_literals;
  const std::vector<CalendarEntry> entries{{1305028800, "uno\r\ndos"}, {0xF0000000LL, ""}};
  const std::string bytes = EncodeCalendar(entries);
  EXPECT_EQ(bytes, Entry(1305028800, "uno\r\ndos\0"s) + Entry(0xF0000000u, "\0"s));
  EXPECT_EQ(ParseCalendar(bytes).entries, entries);
}

TEST(CalendarFiles, SavesEachListWholeAndLoadsItBack) {
  zelvor::testing::Sandbox sandbox;
  PosixFiles files;
  SimClock clock(1'300'000'000, *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3"));
  CalendarFiles calendarFiles(files, sandbox.path("data/"));
  CalendarStore store(clock);
  calendarFiles.LoadInto(store);  // no files yet: no notes
  EXPECT_TRUE(store.Empty());

  store.Set(DateValue(clock, 2011, 5, 10), NoteKind::Dated, "Dentista");
  store.Set(DateValue(clock, 2090, 1, 2), NoteKind::Dated, "Lejos");
  store.Set(DateValue(clock, 2011, 12, 25), NoteKind::Yearly, "Navidad");
  ASSERT_TRUE(calendarFiles.Write(NoteKind::Dated, store).ok);
  ASSERT_TRUE(calendarFiles.Write(NoteKind::Yearly, store).ok);
  EXPECT_EQ(sandbox.read("data/calendar1.dat"), EncodeCalendar(store.Entries(NoteKind::Dated)));

  CalendarStore again(clock);
  calendarFiles.LoadInto(again);
  EXPECT_EQ(again.Entries(NoteKind::Dated), store.Entries(NoteKind::Dated));
  ASSERT_NE(again.Find(DateValue(clock, 2090, 1, 2), NoteKind::Dated), nullptr);
  EXPECT_EQ(*again.Find(DateValue(clock, 2030, 12, 25), NoteKind::Yearly), "Navidad");
}

}  // namespace
}  // namespace zelvor::calendar
