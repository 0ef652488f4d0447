// A note's alarm through the shared trigger, the once-only alarms found late
// at start-up, and the record a new note starts from.

#include <gtest/gtest.h>

#include <limits>

#include "notes/note_alarm.h"
#include "platform/sim/sim_clock.h"
#include "tests/notes/note_bytes.h"

namespace zelvor::notes {
namespace {

constexpr std::int64_t kNow = 1'700'000'000;         // Tuesday 14 November 2023, 23:13:20 in Madrid
constexpr std::int64_t kAlarm2313 = 1'700'000'000;   // any day at 23:13 in Madrid
constexpr std::int64_t kEndOfNovember = 1'701'387'000;  // Friday 1 December 2023, 00:30 in Madrid

SimClock MadridClock() { return SimClock(kNow, *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3")); }

TEST(NoteAlarm, TimeOfDayOfAnyStoredValue) {
  SimClock clock = MadridClock();
  const struct {
    std::int64_t alarmTime;
    TimeOfDay expected;
  } cases[] = {
      {kAlarm2313, {23, 13}},
      {1'688'169'600, {2, 0}},  // 1 July 2023 00:00 UTC, summer time
      {0, {1, 0}},
      {-60, {0, 59}},
  };
  for (const auto& c : cases) EXPECT_EQ(AlarmTimeOfDay(c.alarmTime, clock), c.expected) << c.alarmTime;
  for (const std::int64_t hostile : {std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min()}) {
    const TimeOfDay t = AlarmTimeOfDay(hostile, clock);
    EXPECT_TRUE(t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60) << hostile;
  }
}

TEST(NoteAlarm, TheSharedTriggerReadsTheBlock) {
  SimClock clock = MadridClock();
  NoteAlarmBlock a;
  a.Enable = 1;
  a.alarmTime = kAlarm2313;
  a.Start = 1;
  a.Day = 14;
  a.Month = 10;
  a.Weekday = 32;
  const SchedulerRecord s = SchedulerRecordOf(a, clock);
  EXPECT_EQ((TimeOfDay{s.Hour, s.Minute}), (TimeOfDay{23, 13}));
  EXPECT_EQ(s.Start, 1);
  EXPECT_EQ(s.Day, 14);
  EXPECT_EQ(s.Month, 10);
  EXPECT_EQ(s.Weekday, 32);
  // A daily alarm is due in its minute, every day.
  EXPECT_TRUE(IsDueAt(s, clock, kNow));
  EXPECT_TRUE(IsDueAt(s, clock, kNow + 86400));
  EXPECT_FALSE(IsDueAt(s, clock, kNow + 60));
}

TEST(NoteAlarm, OnceOnlyAlarmsFoundLateAtStartUp) {
  SimClock clock = MadridClock();
  const struct {
    const char* name;
    std::int32_t enable;
    std::int32_t start;
    std::int32_t month;
    std::int32_t day;
    std::int64_t now;
    LateAlarm expected;
  } cases[] = {
      {"earlier this year", 1, 0, 0, 1, kNow, LateAlarm::Late},
      {"today, twenty seconds ago", 1, 0, 10, 14, kNow, LateAlarm::Late},
      {"tomorrow", 1, 0, 10, 15, kNow, LateAlarm::Pending},
      {"last day of the year", 1, 0, 11, 31, kNow, LateAlarm::Pending},
      {"30 November, passed", 1, 0, 10, 30, kEndOfNovember, LateAlarm::Late},
      {"31 November runs into 1 December, to come", 1, 0, 10, 31, kEndOfNovember, LateAlarm::Pending},
      {"daily alarms are never touched", 1, 1, 0, 1, kNow, LateAlarm::NotChecked},
      {"yearly alarms are never touched", 1, 4, 0, 1, kNow, LateAlarm::NotChecked},
      {"no alarm", 0, 0, 0, 1, kNow, LateAlarm::NotChecked},
      {"month 12 forms no date", 1, 0, 12, 1, kNow, LateAlarm::NotChecked},
      {"month -1 forms no date", 1, 0, -1, 1, kNow, LateAlarm::NotChecked},
      {"day 0 forms no date", 1, 0, 3, 0, kNow, LateAlarm::NotChecked},
      {"day 32 forms no date", 1, 0, 3, 32, kNow, LateAlarm::NotChecked},
  };
  for (const auto& c : cases) {
    NoteAlarmBlock a;
    a.Enable = c.enable;
    a.Start = c.start;
    a.Month = c.month;
    a.Day = c.day;
    a.alarmTime = kAlarm2313;
    EXPECT_EQ(CheckLateAlarm(a, clock, c.now), c.expected) << c.name;
  }
}

TEST(NoteAlarm, ClearingTheAlarmZeroesTheWholeBlock) {
  NoteRecord r;
  r.alarm = {1, kAlarm2313, 3, 64, 0, 2, 1, 10, "/tmp/a.wav"};
  ClearAlarm(r);
  const NoteRecordBytes b = EncodeNoteRecord(r);
  EXPECT_TRUE(std::all_of(b.begin() + 176, b.end(), [](std::uint8_t x) { return x == 0; }));
}

TEST(NewNoteRecord, DefectoIsUsedOnlyWhenItIsOneWholeRecord) {
  testing::RecordBytes defecto;
  defecto.u32(8, 0xFF80FF).i32(76, 10).i32(80, 20).i32(84, 210).i32(88, 220).i32(92, 0).text(96, "Nota por defecto");
  const std::string bytes = defecto.bytes();

  const NoteRecord used = RecordForNewNote(bytes);
  EXPECT_EQ(used.background, 0xFF80FFu);
  EXPECT_EQ(used.rect, (NoteRect{10, 20, 210, 220}));
  EXPECT_EQ(used.alwaysOnTop, 0);
  EXPECT_EQ(used.title, "") << "a new note's title comes from its template";

  // The shipped default lacks its last four bytes.
  EXPECT_EQ(RecordForNewNote(std::string_view(bytes).substr(0, 468)), BuiltInNoteRecord());
  EXPECT_EQ(RecordForNewNote(bytes + "xxxx"), BuiltInNoteRecord());
  EXPECT_EQ(RecordForNewNote(std::nullopt), BuiltInNoteRecord());
}

}  // namespace
}  // namespace zelvor::notes
