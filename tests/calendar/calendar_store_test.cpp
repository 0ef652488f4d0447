// The two note lists: order, lookup by day or by day of the year, replace,
// delete, the bold days of displayed months and the export's text.

#include <gtest/gtest.h>

#include "calendar/calendar_store.h"
#include "platform/sim/sim_clock.h"

namespace zelvor::calendar {
namespace {

class CalendarStoreTest : public ::testing::Test {
 protected:
  SimClock clock{1'300'000'000, *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3")};
  CalendarStore store{clock};
  std::int64_t day(int y, int m, int d) { return DateValue(clock, y, m, d); }
  std::vector<std::string> texts(NoteKind kind) {
    std::vector<std::string> out;
    for (const CalendarEntry& e : store.Entries(kind)) out.push_back(e.text);
    return out;
  }
};

TEST_F(CalendarStoreTest, KeepsEachListInKeyOrderWithOneNotePerKey) {
  store.Set(day(2011, 5, 10), NoteKind::Dated, "b");
  store.Set(day(2011, 1, 2), NoteKind::Dated, "a");
  store.Set(day(2012, 1, 1), NoteKind::Dated, "c");
  store.Set(day(2011, 5, 10), NoteKind::Dated, "b2");  // same day: replaced
  EXPECT_EQ(texts(NoteKind::Dated), (std::vector<std::string>{"a", "b2", "c"}));

  // Yearly notes order by month and day whatever the year they were written in.
  store.Set(day(2015, 12, 25), NoteKind::Yearly, "navidad");
  store.Set(day(2011, 1, 6), NoteKind::Yearly, "reyes");
  store.Set(day(1999, 12, 25), NoteKind::Yearly, "navidad2");
  EXPECT_EQ(texts(NoteKind::Yearly), (std::vector<std::string>{"reyes", "navidad2"}));
}

TEST_F(CalendarStoreTest, FindsDatedNotesByDayAndYearlyNotesByDayOfAnyYear) {
  store.Set(day(2011, 5, 10), NoteKind::Dated, "dentista");
  store.Set(day(2012, 2, 29), NoteKind::Yearly, "bisiesto");
  EXPECT_NE(store.Find(day(2011, 5, 10), NoteKind::Dated), nullptr);
  EXPECT_EQ(store.Find(day(2012, 5, 10), NoteKind::Dated), nullptr);
  // A note of 29 February is found only in leap years.
  EXPECT_NE(store.Find(day(2016, 2, 29), NoteKind::Yearly), nullptr);
  EXPECT_EQ(store.Find(day(2015, 2, 29), NoteKind::Yearly), nullptr);  // that is 1 March
  EXPECT_EQ(store.Find(day(2015, 3, 1), NoteKind::Yearly), nullptr);
}

TEST_F(CalendarStoreTest, AFileOutOfOrderIsTrustedAsTheWritersAlwaysDid) {
  // The lookup stops at the first greater key, so a note behind a greater
  // one is not found; its file is kept as it is.
  store.Assign(NoteKind::Dated, {{day(2011, 6, 1), "junio"}, {day(2011, 5, 1), "mayo"}});
  EXPECT_EQ(store.Find(day(2011, 5, 1), NoteKind::Dated), nullptr);
  EXPECT_NE(store.Find(day(2011, 6, 1), NoteKind::Dated), nullptr);
}

TEST_F(CalendarStoreTest, DeletesOneNoteOrAll) {
  store.Set(day(2011, 5, 10), NoteKind::Dated, "a");
  store.Set(day(2011, 5, 11), NoteKind::Dated, "b");
  store.Set(day(2011, 5, 10), NoteKind::Yearly, "c");
  EXPECT_TRUE(store.Delete(day(2011, 5, 10), NoteKind::Dated));
  EXPECT_FALSE(store.Delete(day(2011, 5, 10), NoteKind::Dated));
  EXPECT_EQ(texts(NoteKind::Dated), (std::vector<std::string>{"b"}));
  EXPECT_EQ(texts(NoteKind::Yearly), (std::vector<std::string>{"c"}));
  store.DeleteAll();
  EXPECT_TRUE(store.Empty());
}

TEST_F(CalendarStoreTest, MarksTheDaysOfDisplayedMonthsThatHaveNotes) {
  store.Set(day(2010, 12, 31), NoteKind::Dated, "before the first month");
  store.Set(day(2011, 1, 3), NoteKind::Dated, "x");
  store.Set(day(2011, 3, 31), NoteKind::Dated, "x");
  store.Set(day(2011, 4, 1), NoteKind::Dated, "after the last month");
  store.Set(day(2005, 2, 14), NoteKind::Yearly, "every 14 February");
  // January to March 2011.
  EXPECT_EQ(store.DayMarks(2011, 1, 3), (std::vector<std::uint32_t>{1u << 2, 1u << 13, 1u << 30}));
  // December 2010 to January 2012: the yearly note marks February 2011, the one February shown.
  const std::vector<std::uint32_t> marks = store.DayMarks(2010, 12, 14);
  ASSERT_EQ(marks.size(), 14u);
  EXPECT_EQ(marks[0], 1u << 30);           // 31 December 2010
  EXPECT_EQ(marks[1], 1u << 2);            // 3 January 2011
  EXPECT_EQ(marks[2], 1u << 13);           // 14 February 2011
  EXPECT_EQ(marks[3], 1u << 30);           // 31 March 2011
  EXPECT_EQ(marks[4], 1u << 0);            // 1 April 2011
  EXPECT_EQ(marks[5], 0u);
  EXPECT_EQ(marks[13], 0u);                // January 2012
}

TEST_F(CalendarStoreTest, ExportsDatedThenYearlyNotesWithoutCarriageReturns) {
  EXPECT_EQ(store.ExportText(), "");
  store.Set(day(2005, 5, 5), NoteKind::Yearly, "cumple\r\nde Ana");
  store.Set(day(2011, 5, 10), NoteKind::Dated, "Dentista");
  EXPECT_EQ(store.ExportText(),
            "mar, 10 may 2011\n-----------------\nDentista\n\n\n"
            "5 de Mayo\n-----------------\ncumple\nde Ana\n\n\n");
}

}  // namespace
}  // namespace zelvor::calendar
