// The rules under the calendar window: where a click lands on the drawn
// month grids and tab strip, how many months a size holds, week numbers,
// the step to the next or previous note, the printed blocks of the notes
// and the stored font.

#include <gtest/gtest.h>

#include "calendar/calendar_font.h"
#include "calendar/calendar_print.h"
#include "calendar/calendar_reminders.h"
#include "calendar/calendar_surface.h"
#include "calendar/calendar_toolbar.h"
#include "calendar/note_navigation.h"
#include "platform/sim/sim_clock.h"
#include "tests/notes/recording_print_job.h"

namespace zelvor::calendar {
namespace {

const TimeZoneRule kMadrid = *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3");

// The centre of a day's cell, found by walking the grid's points.
std::optional<Point> pointOf(const SurfaceLayout& l, int firstMonth, const Day& d) {
  for (int y = l.months.top; y < l.months.bottom; y += 3) {
    for (int x = l.months.left; x < l.months.right; x += 3) {
      const SurfaceHit h = HitTest(l, firstMonth, {x, y});
      if (h.kind == SurfaceHit::Kind::Day && h.day == d) return Point{x + 4, y + 4};
    }
  }
  return std::nullopt;
}

TEST(CalendarSurface, SizesHoldOneMonthOrAWholeYear) {
  const Size m = MinMonthSize(false);
  struct Case {
    const char* what;
    Size size;
    bool weeks;
    int across, down;
  } cases[] = {
      {"one month and its margin", {m.width + 40, m.height + 40}, false, 1, 1},
      {"a whole year", {4 * m.width + 28, 3 * m.height}, false, 4, 3},
      {"smaller than a month still shows one", {50, 50}, false, 1, 1},
      {"never more than a year", {20 * m.width, 20 * m.height}, false, 12, 1},
      {"week numbers widen each month", {2 * m.width + 10, m.height}, true, 1, 1},
  };
  for (const Case& c : cases) {
    const SurfaceLayout l = LayoutSurface(c.size, 0, TabMode::None, c.weeks);
    EXPECT_EQ(l.across, c.across) << c.what;
    EXPECT_EQ(l.down, c.down) << c.what;
  }
}

TEST(CalendarSurface, ClicksLandOnTheirDayArrowOrTab) {
  // Four months across, three down, from January 2028 (a leap year).
  const Size m = MinMonthSize(true);
  const SurfaceLayout l = LayoutSurface({4 * m.width, 3 * m.height + 50}, 14, TabMode::Years, true);
  ASSERT_EQ(l.count(), 12);
  const int first = MonthIndex(2028, 1);
  for (const Day& d : {Day{2028, 1, 1}, Day{2028, 2, 29}, Day{2028, 6, 15}, Day{2028, 12, 31}}) {
    const auto p = pointOf(l, first, d);
    ASSERT_TRUE(p.has_value()) << d.month << "-" << d.day;
    const SurfaceHit h = HitTest(l, first, *p);
    EXPECT_EQ(h.kind, SurfaceHit::Kind::Day);
    EXPECT_EQ(h.day, d);
  }
  EXPECT_FALSE(pointOf(l, first, {2028, 2, 30}).has_value());
  // 1 January 2028 is a Saturday: sixth column of the first week.
  EXPECT_EQ(WeekdayMondayFirst(2028, 1, 1), 5);
  const Rect jan = l.monthRect(0);
  EXPECT_EQ(HitTest(l, first, {jan.left + 3, jan.top + 5}).kind, SurfaceHit::Kind::Previous);
  const Rect apr = l.monthRect(3);
  EXPECT_EQ(HitTest(l, first, {apr.right - 3, apr.top + 5}).kind, SurfaceHit::Kind::Next);
  // The title of a middle month is neither.
  EXPECT_EQ(HitTest(l, first, {l.monthRect(1).left + 3, jan.top + 5}).kind, SurfaceHit::Kind::None);
  for (int t : {0, 13}) {
    const Rect r = l.tabs[static_cast<std::size_t>(t)];
    const SurfaceHit h = HitTest(l, first, {r.left + 2, r.top + 2});
    EXPECT_EQ(h.kind, SurfaceHit::Kind::Tab);
    EXPECT_EQ(h.tab, t);
  }
  EXPECT_GE(l.months.top, l.tabs.back().bottom);
}

TEST(CalendarToolBar, EachButtonAnswersForItsOwnSquareOnly) {
  const auto& buttons = ToolButtons();
  ASSERT_EQ(buttons.size(), 13u);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const Rect r = ToolButtonRect(i);
    EXPECT_EQ(ToolAt({r.left, r.top}), buttons[i].command) << buttons[i].name;
    EXPECT_EQ(ToolAt({r.right - 1, r.bottom - 1}), buttons[i].command) << buttons[i].name;
    if (i > 0) {
      EXPECT_GE(r.left, ToolButtonRect(i - 1).right) << buttons[i].name;
    }
  }
  EXPECT_EQ(ToolAt({0, 0}), std::nullopt);
  EXPECT_EQ(ToolAt({ToolButtonRect(12).right + 1, 5}), std::nullopt);
  // The gap before export belongs to no button.
  EXPECT_EQ(ToolAt({ToolButtonRect(4).left - 2, 10}), std::nullopt);
  // The whole bar fits well inside the window's smallest width.
  EXPECT_LT(ToolButtonRect(12).right, 400);
}

TEST(CalendarSurface, WeekNumbersAreTheIsoOnes) {
  struct Case {
    Day day;
    int week;
  } cases[] = {{{2026, 1, 1}, 1}, {{2027, 1, 1}, 53}, {{2024, 12, 30}, 1}, {{2021, 1, 3}, 53},
               {{2026, 5, 10}, 19}, {{2020, 12, 31}, 53}, {{1971, 1, 4}, 1}};
  for (const Case& c : cases) EXPECT_EQ(IsoWeek(c.day.year, c.day.month, c.day.day), c.week) << c.day.year;
}

TEST(CalendarSurface, TabTitlesAreMonthsOrFourteenYears) {
  EXPECT_EQ(TabTitles(TabMode::Months, 2026),
            (std::vector<std::string>{"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"}));
  const auto years = TabTitles(TabMode::Years, 2026);
  ASSERT_EQ(years.size(), 14u);
  EXPECT_EQ(years.front(), "2023");
  EXPECT_EQ(years.back(), "2036");
  EXPECT_TRUE(TabTitles(TabMode::None, 2026).empty());
}

class NavigationTest : public ::testing::Test {
 protected:
  SimClock clock{1'300'000'000, kMadrid};
  CalendarStore store{clock};
  std::int64_t day(int y, int m, int d) { return DateValue(clock, y, m, d); }
};

TEST_F(NavigationTest, StepsToTheNoteOfEitherListThatComesFirstThatWay) {
  store.Set(day(2011, 5, 10), NoteKind::Dated, "dentista");
  store.Set(day(2011, 12, 1), NoteKind::Dated, "diciembre");
  store.Set(day(2009, 5, 5), NoteKind::Yearly, "Ana");
  store.Set(day(2005, 2, 1), NoteKind::Yearly, "febrero");
  struct Case {
    const char* what;
    Day from;
    NoteStep step;
    std::optional<Day> to;
  } cases[] = {
      {"next: the yearly 5 May before the dated 10 May", {2011, 5, 1}, NoteStep::Next, Day{2011, 5, 5}},
      {"next from 5 May: the dated one", {2011, 5, 5}, NoteStep::Next, Day{2011, 5, 10}},
      {"next: a yearly note lands in the dated candidate's year", {2011, 5, 11}, NoteStep::Next, Day{2011, 12, 1}},
      {"next past every dated note: yearly in the selected year", {2012, 1, 1}, NoteStep::Next, Day{2012, 2, 1}},
      {"next past everything", {2012, 12, 31}, NoteStep::Next, std::nullopt},
      {"previous: the later by day of the year", {2011, 5, 20}, NoteStep::Previous, Day{2011, 5, 10}},
      {"previous from 10 May: yearly 5 May", {2011, 5, 10}, NoteStep::Previous, Day{2011, 5, 5}},
      {"previous before everything", {2001, 1, 1}, NoteStep::Previous, std::nullopt},
      {"first: February's yearly note comes before May", {2020, 7, 7}, NoteStep::First, Day{2011, 2, 1}},
      {"last: December's dated note", {2020, 7, 7}, NoteStep::Last, Day{2011, 12, 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(StepToNote(store, clock, c.from, c.step), c.to) << c.what;
}

TEST_F(NavigationTest, ADatedNoteWinsATieOfTheSameDay) {
  store.Set(day(2011, 5, 5), NoteKind::Dated, "d");
  store.Set(day(2009, 5, 5), NoteKind::Yearly, "y");
  for (NoteStep step : {NoteStep::First, NoteStep::Last, NoteStep::Next}) {
    EXPECT_EQ(StepToNote(store, clock, {2011, 1, 1}, step), (Day{2011, 5, 5}));
  }
  EXPECT_FALSE(StepToNote(CalendarStore(clock), clock, {2011, 1, 1}, NoteStep::First).has_value());
}

TEST_F(NavigationTest, PrintsEachNoteAsAHeadingARuleAndItsWrappedText) {
  store.Set(day(2011, 5, 10), NoteKind::Dated, "Dentista a las diez y media de la mañana\r\nsin falta");
  store.Set(day(2011, 6, 1), NoteKind::Dated, "Junio");
  store.Set(day(2009, 5, 5), NoteKind::Yearly, "Ana");
  EXPECT_EQ(PrintBlocks(store, clock),
            (std::vector<std::string>{
                "mar, 10 may 2011\r\n-------------------------------------------\r\n"
                "Dentista a las diez y media de la mañana\r\nsin falta\r\n",
                "mié, 01 jun 2011\r\n-------------------------------------------\r\nJunio\r\n",
                "5 de Mayo\r\n-------------------------------------------\r\nAna\r\n"}));
  // A narrow page: the long line wraps at its spaces, the rule stands whole.
  testing::RecordingPrintJob job({400, 2000}, 144);
  ASSERT_TRUE(PrintCalendar(job, store, clock, std::nullopt));
  std::vector<std::string> lines;
  for (const auto& d : job.texts) lines.push_back(d.text);
  // The page number heads the page; then the lines.
  const std::vector<std::string> expected{"mar, 10 may 2011", "-------------------------------------------",
                                          "Dentista a las diez y", "media de la mañana", "sin falta", "",
                                          "mié, 01 jun 2011", "-------------------------------------------",
                                          "Junio", "", "5 de Mayo", "-------------------------------------------",
                                          "Ana", ""};
  ASSERT_GE(lines.size(), expected.size());
  EXPECT_EQ(lines.front(), "");  // the header has no title
  EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<std::ptrdiff_t>(expected.size()), lines.end()),
            expected);
  EXPECT_EQ(job.finished, 1);
}

TEST(CalendarFont, StoredFontReadsBackAsWritten) {
  notes::LogFont f;
  f.lfHeight = -16;
  f.lfWeight = 700;
  f.lfItalic = 1;
  f.lfCharSet = 1;
  f.lfFaceName = "DejaVu Sans";
  const auto bytes = EncodeLogFont(f);
  ASSERT_EQ(bytes.size(), kLogFontSize);
  EXPECT_EQ(DecodeLogFont(bytes), f);
  EXPECT_EQ(bytes[0], 0xF0);  // -16, little-endian
  EXPECT_EQ(bytes[28], 'D');
  // A face too long for the field keeps 31 bytes and its NUL.
  f.lfFaceName = std::string(40, 'x');
  EXPECT_EQ(DecodeLogFont(EncodeLogFont(f))->lfFaceName, std::string(31, 'x'));
  EXPECT_EQ(EncodeLogFont(f).back(), 0);
  for (std::size_t size : {0u, 59u, 61u}) EXPECT_FALSE(DecodeLogFont(std::vector<std::uint8_t>(size, 1)).has_value());
}

TEST(CalendarReminders, TextsOfTheDayAndTheComingDays) {
  SimClock clock{1'778'407'200, kMadrid};
  CalendarStore store{clock};
  store.Set(DateValue(clock, 2026, 5, 10), NoteKind::Dated, "d");
  store.Set(DateValue(clock, 2020, 5, 10), NoteKind::Yearly, "y");
  store.Set(DateValue(clock, 2026, 5, 12), NoteKind::Yearly, " \r\nespacios\t\n");
  EXPECT_EQ(DayText(store, DateValue(clock, 2026, 5, 10)), "d\ny");
  const auto coming = ComingNotes(store, clock, {2026, 5, 10}, 3);
  ASSERT_EQ(coming.size(), 3u);
  EXPECT_EQ(coming[0].text, "");
  EXPECT_EQ(coming[1].text, "espacios");
  EXPECT_EQ(coming[2].days, 3);
  EXPECT_EQ(ComingHeading(1), "Ravi Varudide - Notas de mañana");
  EXPECT_EQ(ComingHeading(3), "Ravi Varudide - Quedan 3 dias");
  for (int stored : {-1, 4, 99}) EXPECT_EQ(TodayActionOf(stored), TodayAction::None);
  EXPECT_EQ(TodayActionOf(3), TodayAction::BlinkAndSound);
  EXPECT_EQ(NoticeBody("a<b>&\r\nc\nd"), "a&lt;b&gt;&amp;<br>c<br>d");
}

}  // namespace
}  // namespace zelvor::calendar
