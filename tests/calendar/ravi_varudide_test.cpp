// Ravi Varudide in the assembled suite on the simulated desktop: notes
// typed into the window reach the lists and the files, yearly notes across
// the whole range of years and their bold days, files written by another
// program, the export, the check of today's notes with its Accion, the
// day's check after midnight on virtual time and the coming-days announcer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "calendar/calendar_files.h"
#include "calendar/calendar_font.h"
#include "calendar/calendar_toolbar.h"
#include "calendar/ravi_pages.h"
#include "app/assembly/suite_components.h"
#include "tests/notes/recording_print_job.h"
#include "calendar/ravi_varudide.h"
#include "platform/sim/sim_clock.h"
#include "platform/time_zone.h"
#include "shell/hover_tooltip.h"
#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "shell/tray_icon.h"
#include "tests/support/sim_suite.h"

namespace zelvor::calendar {
namespace {

const TimeZoneRule kMadrid = *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3");

std::string U32(std::uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return s;
}
// One entry as another program writes it: day, length with the NUL, text, NUL.
std::string Entry(std::int64_t date, const std::string& text) {
  return U32(static_cast<std::uint32_t>(date)) + U32(static_cast<std::uint32_t>(text.size() + 1)) + text +
         std::string(1, '\0');
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RaviVarudideTest : public testing::SimSuiteTest {
 protected:
  RaviVarudideTest() {
    // Noon of 10 May 2026 in Madrid.
    sim.clock.setZone(kMadrid);
    sim.clock.setNow(1'778'407'200);
    Restart();
  }
  ~RaviVarudideTest() override { ravi_.reset(); }

  // A new utility object, as at the program's start, over what the files
  // hold now; the assembled one goes first so that only one exists.
  void Restart() {
    ravi_.reset();
    app->DeleteUtility(UtilityKind::RaviVarudide);
    RaviVarudideOptions quick;
    quick.second = std::chrono::milliseconds(1);
    ravi_ = std::make_unique<CRaviVarudide>(*app, quick);
    ravi_->createWindow();
    ravi_->start();
    desk.loop.deliverPosted();
  }
  CRaviVarudide& ravi() { return *ravi_; }
  CCalendarView& view() { return ravi_->view(); }
  std::int64_t day(int y, int m, int d) { return DateValue(sim.clock, y, m, d); }
  void set(std::string_view name, int value) { app->store().WriteConfigInt(utility_key::RaviVarudide, name, value); }
  std::string dataFile(std::string_view name) { return app->store().GetDataFolder() + std::string(name); }
  void writeData(std::string_view name, const std::string& bytes) {
    std::ofstream(dataFile(name), std::ios::binary) << bytes;
  }
  // The user types text into a note edit.
  void type(NoteKind kind, const std::string& text) {
    const int id = kind == NoteKind::Dated ? cal_ctl::DatedEdit : cal_ctl::YearlyEdit;
    view().find(id)->text = text;
    view().onEvent({ControlEvent::Kind::Changed, id});
  }
  void choose(int command) { view().onEvent({ControlEvent::Kind::Clicked, command}); }
  [[nodiscard]] bool bold(const Day& d) {
    view().Select(d);
    const std::vector<std::uint32_t> marks = view().Marks();
    const int index = MonthIndex(d.year, d.month) - view().FirstMonthShown();
    return index >= 0 && index < static_cast<int>(marks.size()) &&
           (marks[static_cast<std::size_t>(index)] >> (d.day - 1) & 1u) != 0;
  }
  std::optional<std::uint32_t> dword(std::string_view name) {
    CRegKeyEx key(app->store().registry());
    if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(utility_key::RaviVarudide)) != RegStatus::Ok) return {};
    return key.GetDword(name);
  }
  HoverTooltip& tip() { return app->mainWindow()->tooltip(); }
  CTrayIcon& icon() { return *app->mainWindow()->icon(10); }
  // Lets the announcer's worker run until it has shown count notices.
  void awaitNotices(std::size_t count) {
    for (int i = 0; i < 2000 && ravi().notices().size() < count; ++i) {
      (void)desk.loop.waitForPost(std::chrono::milliseconds(5));
      desk.loop.deliverPosted();
    }
  }

  std::unique_ptr<CRaviVarudide> ravi_;
};

TEST_F(RaviVarudideTest, ADatedNoteOfALeapDayIsFoundOnThatDayOnly) {
  view().Select({2028, 2, 29});
  type(NoteKind::Dated, "bisiesto");
  view().Select({2028, 3, 1});  // the selection's change commits
  struct Case {
    Day day;
    bool found;
  } cases[] = {{{2028, 2, 29}, true}, {{2028, 2, 28}, false}, {{2028, 3, 1}, false},
               {{2032, 2, 29}, false}, {{2027, 2, 28}, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(ravi().store().Find(day(c.day.year, c.day.month, c.day.day), NoteKind::Dated) != nullptr, c.found)
        << c.day.year << "-" << c.day.month << "-" << c.day.day;
  }
  // Written to calendar1.dat at once, and found again after a restart.
  EXPECT_EQ(ReadAll(dataFile(kDatedFile)), Entry(day(2028, 2, 29), "bisiesto"));
  Restart();
  view().Select({2028, 2, 29});
  EXPECT_EQ(view().EditText(NoteKind::Dated), "bisiesto");
  EXPECT_TRUE(view().HasNote(NoteKind::Dated));
}

TEST_F(RaviVarudideTest, AYearlyNoteIsFoundAndBoldInEveryYearTheCalendarReaches) {
  view().Select({2027, 2, 14});
  type(NoteKind::Yearly, "San Valentín");
  view().Select({2027, 2, 15});
  for (int year : {1971, 2030, 2105}) {
    EXPECT_NE(ravi().store().Find(day(year, 2, 14), NoteKind::Yearly), nullptr) << year;
    EXPECT_TRUE(bold({year, 2, 14})) << year;
    EXPECT_EQ(view().EditText(NoteKind::Yearly), "San Valentín") << year;
    // The only note of the day brings its tab to the front.
    EXPECT_EQ(view().ActiveKind(), NoteKind::Yearly) << year;
    EXPECT_FALSE(bold({year, 2, 13})) << year;
  }
  // A day past 2105 is brought back to the last one.
  view().Select({2110, 6, 1});
  EXPECT_EQ(view().Selected(), (Day{2105, 12, 31}));
  view().Select({1960, 6, 1});
  EXPECT_EQ(view().Selected(), (Day{1971, 1, 1}));
}

TEST_F(RaviVarudideTest, TextTypedWhenTheUtilityEndsIsKept) {
  view().Select({2026, 8, 1});
  type(NoteKind::Dated, "sin cambiar de día");
  Restart();
  EXPECT_EQ(ReadAll(dataFile(kDatedFile)), Entry(day(2026, 8, 1), "sin cambiar de día"));
}

TEST_F(RaviVarudideTest, EditsCommitAsTheirTextAndModifiedFlagSay) {
  view().Select({2026, 6, 1});
  type(NoteKind::Dated, "uno");
  type(NoteKind::Yearly, "cada año");
  view().Select({2026, 6, 2});
  ASSERT_NE(ravi().store().Find(day(2026, 6, 1), NoteKind::Dated), nullptr);

  // An edit loaded with a note and never typed in keeps the note.
  view().Select({2026, 6, 1});
  view().Select({2026, 6, 2});
  EXPECT_NE(ravi().store().Find(day(2026, 6, 1), NoteKind::Dated), nullptr);

  // A text made empty deletes the note on the next commit, and both files are written.
  view().Select({2026, 6, 1});
  type(NoteKind::Dated, "");
  view().Commit();
  EXPECT_EQ(ravi().store().Find(day(2026, 6, 1), NoteKind::Dated), nullptr);
  EXPECT_EQ(ReadAll(dataFile(kDatedFile)), "");
  EXPECT_EQ(ReadAll(dataFile(kYearlyFile)), Entry(day(2026, 6, 1), "cada año"));

  // "Borrar nota" removes the active tab's note.
  view().find(cal_ctl::NoteTabs)->value = 1;
  view().onEvent({ControlEvent::Kind::Changed, cal_ctl::NoteTabs});
  EXPECT_EQ(view().ActiveKind(), NoteKind::Yearly);
  choose(cal_cmd::DeleteNote);
  EXPECT_TRUE(ravi().store().Empty());
  EXPECT_EQ(view().EditText(NoteKind::Yearly), "");
  EXPECT_EQ(ReadAll(dataFile(kYearlyFile)), "");
}

TEST_F(RaviVarudideTest, DeletingAllNotesAsksFirst) {
  view().Select({2026, 6, 1});
  type(NoteKind::Dated, "a");
  view().Commit();
  desk.messageBoxes.shown.clear();
  desk.messageBoxes.script = {MsgAnswer::No, MsgAnswer::Yes};
  choose(cal_cmd::DeleteAll);
  EXPECT_FALSE(ravi().store().Empty());
  choose(cal_cmd::DeleteAll);
  EXPECT_TRUE(ravi().store().Empty());
  EXPECT_EQ(view().EditText(NoteKind::Dated), "");
  ASSERT_EQ(desk.messageBoxes.shown.size(), 2u);
  for (const MessageBoxRequest& r : desk.messageBoxes.shown) {
    EXPECT_EQ(r.caption, "Eliminar todas las notas");
    EXPECT_EQ(r.text, "¿Seguro que desea eliminar las notas de todos los días?");
    EXPECT_EQ(r.buttons, MsgButtons::YesNo);
  }
}

TEST_F(RaviVarudideTest, FilesOfAnotherProgramLoadShowBoldDaysAndExport) {
  writeData(kDatedFile, Entry(day(2011, 5, 10), "Dentista\r\n10:30") + Entry(day(2026, 5, 20), "Viaje"));
  writeData(kYearlyFile, Entry(day(2009, 5, 5), "Cumpleaños de Ana") + Entry(day(2010, 12, 25), "Navidad"));
  Restart();
  EXPECT_TRUE(bold({2026, 5, 20}));
  EXPECT_TRUE(bold({2026, 5, 5}));
  EXPECT_TRUE(bold({2011, 5, 10}));
  EXPECT_FALSE(bold({2026, 5, 10}));
  EXPECT_EQ(view().EditText(NoteKind::Dated), "");

  const std::string out = sandbox.root() + "notas.txt";
  desk.dialogs.fileAnswers.push_back({out});
  choose(cal_cmd::Export);
  EXPECT_EQ(ReadAll(out),
            "mar, 10 may 2011\n-----------------\nDentista\n10:30\n\n\n"
            "mié, 20 may 2026\n-----------------\nViaje\n\n\n"
            "5 de Mayo\n-----------------\nCumpleaños de Ana\n\n\n"
            "25 de Diciembre\n-----------------\nNavidad\n\n\n");
}

TEST_F(RaviVarudideTest, AnExportThatCannotBeWrittenSaysSo) {
  desk.messageBoxes.shown.clear();
  desk.dialogs.fileAnswers.push_back({sandbox.root() + "no-such-folder/notas.txt"});
  choose(cal_cmd::Export);
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(desk.messageBoxes.shown[0].caption, "Ravi Varudide");
  EXPECT_EQ(desk.messageBoxes.shown[0].icon, MsgIcon::Error);
}

TEST_F(RaviVarudideTest, TodaysNotesShowOneNoticeAndTheChosenAction) {
  // Both kinds of note for today (10 May 2026).
  writeData(kDatedFile, Entry(day(2026, 5, 10), "Dentista"));
  writeData(kYearlyFile, Entry(day(2001, 5, 10), "Cumpleaños de Ana"));
  const std::string wav = sandbox.root() + "aviso.wav";
  std::ofstream(wav) << "RIFF";
  app->store().WriteConfigString(utility_key::RaviVarudide, "Sonido", wav);
  struct Case {
    int accion;
    bool blinks, shown, sound;
  } cases[] = {{0, false, false, false}, {1, false, true, false}, {2, true, false, false},
               {3, true, false, true},   {7, false, false, false}};
  for (const Case& c : cases) {
    set("Accion", c.accion);
    desk.sound.plays.clear();
    tip().Hide();
    view().Close();
    icon().StopBlink();
    Restart();
    ASSERT_FALSE(ravi().notices().empty()) << c.accion;
    EXPECT_EQ(ravi().notices().back(),
              NoticeHtml(4, "Ravi Varudide - Notas de hoy", "Dentista<br>Cumpleaños de Ana")) << c.accion;
    EXPECT_EQ(tip().html(), ravi().notices().back());
    EXPECT_EQ(icon().blinking(), c.blinks) << c.accion;
    EXPECT_EQ(view().IsVisible(), c.shown) << c.accion;
    EXPECT_EQ(view().Selected(), (Day{2026, 5, 10}));
    // Played once, not in a loop.
    ASSERT_EQ(desk.sound.plays.size(), c.sound ? 1u : 0u) << c.accion;
    if (c.sound) {
      EXPECT_EQ(desk.sound.plays[0].file, wav);
      EXPECT_FALSE(desk.sound.plays[0].loop);
    }
    // Blinking stops after 16 seconds.
    desk.loop.advanceMs(16'000);
    EXPECT_FALSE(icon().blinking()) << c.accion;
  }
}

TEST_F(RaviVarudideTest, ANoticeWithTiempoAvisoGoesAfterThatTimeAndWaitsForAnother) {
  writeData(kDatedFile, Entry(day(2026, 5, 10), "<b>Dentista</b> & más"));
  set("TiempoAviso", 5);
  // Another notice is up when the check runs: this one waits for it.
  tip().ShowNotice("otro", {100, 100});
  Restart();
  EXPECT_TRUE(ravi().notices().empty());
  EXPECT_FALSE(ravi().pendingNotice().empty());
  tip().Hide();
  desk.loop.advanceMs(16'000);
  ASSERT_EQ(ravi().notices().size(), 1u);
  // The note's text is shown as text, not as markup.
  EXPECT_NE(ravi().notices()[0].find("&lt;b&gt;Dentista&lt;/b&gt; &amp; más"), std::string::npos);
  EXPECT_TRUE(tip().visible());
  desk.loop.advanceMs(5'000);
  EXPECT_FALSE(tip().visible());
}

TEST_F(RaviVarudideTest, TheDayCheckRunsFifteenSecondsAfterEachLocalMidnight) {
  // The nights of the clock changes of 2026 in Madrid: 29 March (02:00
  // becomes 03:00) and 25 October (03:00 becomes 02:00). The evening
  // before each, at 22:00 local time.
  struct Case {
    std::int64_t evening;  // UTC seconds
    Day next;
  } cases[] = {{1'774'731'600, {2026, 3, 29}}, {1'792'872'000, {2026, 10, 25}}};
  for (const Case& c : cases) {
    sim.clock.setNow(c.evening);
    writeData(kDatedFile, Entry(DateValue(sim.clock, c.next), "cambio de hora"));
    tip().Hide();
    Restart();
    ASSERT_TRUE(ravi().notices().empty());
    // Two hours to midnight, plus 15 seconds: nothing one second before.
    desk.loop.advanceMs((2 * 3600 + 14) * 1000);
    EXPECT_TRUE(ravi().notices().empty()) << c.next.month;
    desk.loop.advanceMs(1000);
    ASSERT_EQ(ravi().notices().size(), 1u) << c.next.month;
    EXPECT_EQ(view().Selected(), c.next);
    // The wait is never longer than a minute, so a machine that slept past
    // midnight checks soon after it wakes.
    ASSERT_TRUE(desk.loop.timerInterval(ravi().handle(), kTimerDayCheck).has_value());
    EXPECT_LE(*desk.loop.timerInterval(ravi().handle(), kTimerDayCheck), kLongestDayCheckWaitMs);
  }
}

TEST_F(RaviVarudideTest, TheAnnouncerNamesTheComingDaysThatHaveNotes) {
  // Tomorrow and in three days; three days are announced. The one in
  // three days lies beyond nothing special, the one tomorrow is yearly.
  writeData(kDatedFile, Entry(day(2026, 5, 13), "  Entrega del proyecto\r\n"));
  writeData(kYearlyFile, Entry(day(2020, 5, 11), "Santo"));
  set("AvisarProximasNotas", 1);
  set("DiasAntelacionAviso", 3);
  Restart();
  awaitNotices(2);
  ASSERT_EQ(ravi().notices().size(), 2u);
  EXPECT_EQ(ravi().notices()[0], NoticeHtml(4, "Ravi Varudide - Notas de mañana", "Santo"));
  EXPECT_EQ(ravi().notices()[1], NoticeHtml(4, "Ravi Varudide - Quedan 3 dias", "Entrega del proyecto"));
}

TEST_F(RaviVarudideTest, TheAnnouncerFindsADatedNoteBeyondAClockChange) {
  // 27 March 2026, noon: the clock goes forward on the 29th, so the 30th
  // at noon is 3 × 86 400 s minus an hour away.
  sim.clock.setNow(1'774'609'200);
  writeData(kDatedFile, Entry(day(2026, 3, 30), "Revisión"));
  set("AvisarProximasNotas", 1);
  set("DiasAntelacionAviso", 3);
  Restart();
  awaitNotices(1);
  ASSERT_EQ(ravi().notices().size(), 1u);
  EXPECT_EQ(ravi().notices()[0], NoticeHtml(4, "Ravi Varudide - Quedan 3 dias", "Revisión"));
}

TEST_F(RaviVarudideTest, StatusListsTodaysNotesAndTheSelectedDaysNotes) {
  writeData(kDatedFile, Entry(day(2026, 5, 10), "hoy") + Entry(day(2026, 7, 1), "julio"));
  Restart();
  view().Select({2026, 7, 1});
  const auto records = ravi().statusRecords();
  const std::vector<std::vector<std::string>> expected{{"calnote", "today", "dated", "hoy"},
                                                       {"calendar", "selected", "2026-07-01"},
                                                       {"calnote", "selected", "dated", "julio"}};
  EXPECT_EQ(records, expected);
}

TEST_F(RaviVarudideTest, ClickAndHotkeyCommandsShowTheWindowAndClosingSavesItsFrame) {
  ravi().command(1, {});
  EXPECT_TRUE(view().IsVisible());
  choose(cal_cmd::AlwaysOnTop);
  choose(cal_cmd::FirstTransparency + 2);
  EXPECT_FALSE(view().onCloseRequest());
  EXPECT_FALSE(view().IsVisible());
  EXPECT_EQ(app->store().ReadConfigInt(utility_key::RaviVarudide, "SiempreVisible"), 1);
  EXPECT_EQ(app->store().ReadConfigInt(utility_key::RaviVarudide, "Transparencia"), 40);
  CRegKeyEx key(app->store().registry());
  ASSERT_EQ(key.Open(Hive::CurrentUser, ConfigStore::KeyPath(utility_key::RaviVarudide)), RegStatus::Ok);
  EXPECT_EQ(key.GetDword("Width"), std::optional<std::uint32_t>(700));
  EXPECT_EQ(key.GetDword("Height"), std::optional<std::uint32_t>(300));
}

TEST_F(RaviVarudideTest, MonthTabsKeepTheDayAndRollOverLikeTheLocalTimeConversion) {
  choose(cal_cmd::TabsMonths);
  EXPECT_EQ(dword("Pestañas"), std::optional<std::uint32_t>(1));
  struct Case {
    Day from;
    int tab;
    Day to;
  } cases[] = {{{2027, 1, 31}, 1, {2027, 3, 3}}, {{2028, 1, 31}, 1, {2028, 3, 2}}, {{2027, 5, 15}, 11, {2027, 12, 15}}};
  for (const Case& c : cases) {
    view().Select(c.from);
    EXPECT_EQ(view().CurrentTab(), c.from.month - 1);
    const Rect r = view().Layout().tabs.at(static_cast<std::size_t>(c.tab));
    view().onEvent({ControlEvent::Kind::MouseDown, cal_ctl::Surface, -1, r.left + 3, r.top + 3, 1});
    EXPECT_EQ(view().Selected(), c.to) << c.from.year;
    // The strip follows the selection.
    EXPECT_EQ(view().CurrentTab(), c.to.month - 1);
  }
}

TEST_F(RaviVarudideTest, YearTabsSpanFourteenYearsFromThreeBeforeThisOne) {
  choose(cal_cmd::TabsYears);
  EXPECT_EQ(view().TabTitlesShown().front(), "2023");
  EXPECT_EQ(view().TabTitlesShown().back(), "2036");
  view().Select({2024, 2, 29});
  EXPECT_EQ(view().CurrentTab(), 1);
  const Rect r = view().Layout().tabs.at(4);  // 2027
  view().onEvent({ControlEvent::Kind::MouseDown, cal_ctl::Surface, -1, r.left + 3, r.top + 3, 1});
  EXPECT_EQ(view().Selected(), (Day{2027, 3, 1}));
  view().Select({2040, 1, 1});
  EXPECT_EQ(view().CurrentTab(), -1);  // no tab for that year
  choose(cal_cmd::TabsNone);
  EXPECT_TRUE(view().Layout().tabs.empty());
  EXPECT_EQ(dword("Pestañas"), std::optional<std::uint32_t>(0));
  // Both are read back as the REG_DWORD values they are stored as.
  choose(cal_cmd::TabsYears);
  choose(cal_cmd::WeekNumbers);
  Restart();
  EXPECT_EQ(view().Tabs(), TabMode::Years);
  EXPECT_TRUE(view().WeekNumbersShown());
}

TEST_F(RaviVarudideTest, ClicksOnTheGridSelectDaysAndTheArrowsTurnMonths) {
  view().SetSurfaceSize(MinMonthSize(false));
  view().Select({2026, 5, 10});
  const SurfaceLayout l = view().Layout();
  ASSERT_EQ(l.count(), 1);
  // The cell of 20 May: Wednesday, fourth row.
  const Rect month = l.monthRect(0);
  const int x = month.left + kGridPadding + 2 * kCellWidth + 5;
  const int y = month.top + kTitleHeight + kWeekdayHeight + 2 + 3 * kCellHeight + 5;
  view().onEvent({ControlEvent::Kind::MouseDown, cal_ctl::Surface, -1, x, y, 1});
  EXPECT_EQ(view().Selected(), (Day{2026, 5, 20}));
  view().onEvent({ControlEvent::Kind::MouseDown, cal_ctl::Surface, -1, month.right - 3, month.top + 5, 1});
  EXPECT_EQ(view().Selected(), (Day{2026, 6, 20}));
  EXPECT_EQ(view().FirstMonthShown(), MonthIndex(2026, 6));
  view().Select({2026, 1, 31});
  view().onEvent({ControlEvent::Kind::MouseDown, cal_ctl::Surface, -1, month.left + 3, month.top + 5, 1});
  EXPECT_EQ(view().Selected(), (Day{2025, 12, 31}));
}

TEST_F(RaviVarudideTest, TheTwoSizesAndWeekNumbers) {
  view().SetSurfaceSize({500, 240});
  view().geometry = {100, 100, 800, 400};
  const Size m = MinMonthSize(false);
  choose(cal_cmd::OneMonth);
  EXPECT_EQ(view().geometry, (Rect{100, 100, 100 + m.width + 40 + 200, 100 + m.height + 40 + 60}));
  EXPECT_EQ(view().Layout().count(), 1);
  choose(cal_cmd::WholeYear);
  EXPECT_EQ(view().geometry.width(), 4 * m.width + 28 + 200);
  EXPECT_EQ(view().Layout().count(), 12);
  choose(cal_cmd::WeekNumbers);
  EXPECT_TRUE(view().WeekNumbersShown());
  EXPECT_EQ(dword("NumeracionSemanas"), std::optional<std::uint32_t>(1));
  choose(cal_cmd::WeekNumbers);
  EXPECT_EQ(dword("NumeracionSemanas"), std::optional<std::uint32_t>(0));
}

TEST_F(RaviVarudideTest, NavigationButtonsCommitAndGoToTheNotes) {
  writeData(kDatedFile, Entry(day(2011, 5, 10), "dentista"));
  writeData(kYearlyFile, Entry(day(2009, 5, 5), "Ana"));
  Restart();
  view().Select({2011, 5, 1});
  type(NoteKind::Dated, "nueva");  // committed before the step
  choose(cal_cmd::NextNote);
  EXPECT_EQ(view().Selected(), (Day{2011, 5, 5}));
  EXPECT_EQ(view().EditText(NoteKind::Yearly), "Ana");
  EXPECT_NE(ravi().store().Find(day(2011, 5, 1), NoteKind::Dated), nullptr);
  // The tool bar's button does the same.
  const auto& buttons = ToolButtons();
  const auto next = std::find_if(buttons.begin(), buttons.end(),
                                 [](const ToolButton& b) { return b.command == cal_cmd::NextNote; });
  const Rect r = ToolButtonRect(static_cast<std::size_t>(next - buttons.begin()));
  view().onEvent({ControlEvent::Kind::MouseDown, cal_ctl::ToolBar, -1, r.left + 5, r.top + 5, 1});
  EXPECT_EQ(view().Selected(), (Day{2011, 5, 10}));
  choose(cal_cmd::FirstNote);
  EXPECT_EQ(view().Selected(), (Day{2011, 5, 1}));
  choose(cal_cmd::LastNote);
  EXPECT_EQ(view().Selected(), (Day{2011, 5, 10}));
  choose(cal_cmd::PreviousNote);
  EXPECT_EQ(view().Selected(), (Day{2011, 5, 5}));
}

TEST_F(RaviVarudideTest, PrintsEveryNoteInTheStoredFontAndNothingForAnEmptyCalendar) {
  // The window lets go of its job when it ends; the test keeps the record.
  testing::RecordingPrintJob record(Size{4000, 6000}, 144);
  struct Forward final : PrintJob {
    explicit Forward(PrintJob& to) : to_(to) {}
    int dpiX() override { return to_.dpiX(); }
    int dpiY() override { return to_.dpiY(); }
    Size pageSize() override { return to_.pageSize(); }
    bool newPage() override { return to_.newPage(); }
    Canvas& canvas() override { return to_.canvas(); }
    void penLine(Point a, Point b, Colour c, int w) override { to_.penLine(a, b, c, w); }
    bool finish() override { return to_.finish(); }
    PrintJob& to_;
  };
  desk.printer.makeJob = [&record]() { return std::make_unique<Forward>(record); };
  choose(cal_cmd::Print);
  EXPECT_TRUE(desk.printer.documents.empty());

  view().Select({2026, 5, 12});
  type(NoteKind::Dated, "uno");
  type(NoteKind::Yearly, "dos");
  view().Select({2026, 5, 13});
  type(NoteKind::Dated, "tres");
  CRegKeyEx key(app->store().registry());
  ASSERT_EQ(key.Create(Hive::CurrentUser, ConfigStore::KeyPath(utility_key::RaviVarudide)), RegStatus::Ok);
  notes::LogFont font;
  font.lfHeight = 12;
  font.lfWeight = 400;
  font.lfFaceName = "DejaVu Serif";
  key.SetBinary("Fuente", EncodeLogFont(font));
  choose(cal_cmd::Print);  // commits "tres" first
  ASSERT_EQ(desk.printer.documents, std::vector<std::string>{"Zelvor"});
  EXPECT_EQ(record.finished, 1);
  std::vector<std::string> lines;
  for (const auto& d : record.texts) {
    if (d.text != "" && d.text != "1") {
      lines.push_back(d.text);
      EXPECT_EQ(d.font.family, "DejaVu Serif");
      EXPECT_EQ(d.font.pointSize, 12);
    }
  }
  const std::string rule = "-------------------------------------------";
  EXPECT_EQ(lines, (std::vector<std::string>{"mar, 12 may 2026", rule, "uno", "mié, 13 may 2026", rule, "tres",
                                             "12 de Mayo", rule, "dos"}));
}

TEST_F(RaviVarudideTest, ItsPagesComeBeforeItsHotkeyPage) {
  const ConfigTree tree = SuiteConfigTree();
  std::vector<std::string> titles;
  for (const ConfigNode& n : tree.nodes()) {
    if (n.title != "Ravi Varudide") continue;
    for (const ConfigPageSpec& p : n.pages) titles.push_back(p.title);
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Opciones", "Color del calendario", "Formato de las notas",
                                              "Teclas de acceso rápido"}));
}

TEST_F(RaviVarudideTest, TheOptionsPageEnablesTheWavOnlyForTheLastChoice) {
  CRaviVarudideDlg1 page(*app, 5000);
  Control root = page.Build();
  page.Load(app->store(), root);
  // Days ahead show 2 while announcing is off.
  EXPECT_EQ(root.find(5000 + CRaviVarudideDlg1::kDays)->value, 2);
  EXPECT_FALSE(root.find(5000 + CRaviVarudideDlg1::kDays)->enabled);
  EXPECT_TRUE(root.find(5000 + CRaviVarudideDlg1::kNothing)->checked);
  for (int choice = CRaviVarudideDlg1::kNothing; choice <= CRaviVarudideDlg1::kBlinkAndSound; ++choice) {
    root.find(5000 + choice)->checked = true;
    (void)page.OnEvent({ControlEvent::Kind::Clicked, 5000 + choice}, root);
    const bool wav = choice == CRaviVarudideDlg1::kBlinkAndSound;
    EXPECT_EQ(root.find(5000 + CRaviVarudideDlg1::kSound)->enabled, wav) << choice;
    EXPECT_EQ(root.find(5000 + CRaviVarudideDlg1::kBrowse)->enabled, wav) << choice;
  }
  root.find(5000 + CRaviVarudideDlg1::kSound)->text = "/tmp/aviso.wav";
  root.find(5000 + CRaviVarudideDlg1::kSeconds)->value = 8;
  root.find(5000 + CRaviVarudideDlg1::kAnnounce)->checked = true;
  (void)page.OnEvent({ControlEvent::Kind::Clicked, 5000 + CRaviVarudideDlg1::kAnnounce}, root);
  root.find(5000 + CRaviVarudideDlg1::kDays)->value = 4;
  page.Save(app->store(), root);
  const ConfigStore& s = app->store();
  EXPECT_EQ(s.ReadConfigInt(utility_key::RaviVarudide, "Accion"), 3);
  EXPECT_EQ(s.ReadConfigString(utility_key::RaviVarudide, "Sonido"), "/tmp/aviso.wav");
  EXPECT_EQ(s.ReadConfigInt(utility_key::RaviVarudide, "TiempoAviso"), 8);
  EXPECT_EQ(s.ReadConfigInt(utility_key::RaviVarudide, "AvisarProximasNotas"), 1);
  EXPECT_EQ(s.ReadConfigInt(utility_key::RaviVarudide, "DiasAntelacionAviso"), 4);
}

TEST_F(RaviVarudideTest, ColourAndFontPagesApplyToTheLivingWindow) {
  CRaviVarudideDlg2 colours(*app, 6000);
  Control root = colours.Build();
  colours.Load(app->store(), root);
  EXPECT_EQ(root.find(6000 + CRaviVarudideDlg2::kBackground)->colour, 0xC0C0C0u);
  root.find(6000 + CRaviVarudideDlg2::kTitleBack)->colour = 0x00FF00;
  (void)colours.OnEvent({ControlEvent::Kind::Changed, 6000 + CRaviVarudideDlg2::kTitleBack}, root);
  colours.Save(app->store(), root);
  ravi().applySettings();
  EXPECT_EQ(view().Colours().titleBack, 0x00FF00u);

  CRaviVarudideDlg3 format(*app, 7000);
  Control page = format.Build();
  format.Load(app->store(), page);
  EXPECT_EQ(page.find(7000 + CRaviVarudideDlg3::kPreview)->text, "Esto es una nota de prueba");
  page.find(7000 + CRaviVarudideDlg3::kBackground)->colour = 0x80FFFF;
  (void)format.OnEvent({ControlEvent::Kind::Changed, 7000 + CRaviVarudideDlg3::kBackground}, page);
  format.Save(app->store(), page);
  ravi().applySettings();
  EXPECT_EQ(view().find(cal_ctl::DatedEdit)->backColour, std::optional<Colour>(0x80FFFF));
  EXPECT_EQ(view().find(cal_ctl::YearlyEdit)->backColour, std::optional<Colour>(0x80FFFF));
}

}  // namespace
}  // namespace zelvor::calendar
