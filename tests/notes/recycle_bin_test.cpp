// The recycle bin's rules as tables: how long notes stay, how many stay,
// the disabled bin, restoring in the documented orders, emptying.

#include <gtest/gtest.h>

#include "notes/recycle_bin.h"
#include "platform/sim/sim_clock.h"

namespace zelvor::notes {
namespace {

constexpr std::int64_t kNow = 1'700'000'000;
constexpr std::int64_t kDay = 86400;

NoteEntry Deleted(std::string title, std::int64_t deletionTime) {
  NoteEntry n{BuiltInNoteRecord(), "texto de " + title};
  n.record.title = std::move(title);
  n.record.deletionTime = deletionTime;
  return n;
}

std::vector<std::string> Titles(const std::vector<NoteEntry>& notes) {
  std::vector<std::string> t;
  for (const auto& n : notes) t.push_back(n.record.title);
  return t;
}

TEST(RecycleBin, DaysInBinIsWholeDaysRoundedTowardsZero) {
  const struct {
    std::int64_t deleted;
    std::int64_t now;
    std::int64_t days;
  } cases[] = {
      {kNow, kNow, 0},
      {kNow - kDay + 1, kNow, 0},
      {kNow - kDay, kNow, 1},
      {kNow - 3 * kDay - 86399, kNow, 3},
      {kNow + kDay + 5, kNow, -1},  // deleted "in the future": the clock was set back
      {kNow + 5, kNow, 0},
      {INT64_MIN, kNow, INT64_MAX / kDay},  // hostile times saturate, never overflow
      {INT64_MAX, -kNow, INT64_MIN / kDay},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DaysInBin(c.deleted, c.now), c.days) << c.deleted << " at " << c.now;
  }
}

TEST(RecycleBin, ExpiryFollowsDiasEnPapelera) {
  const struct {
    std::int64_t dias;
    std::int64_t age;
    bool expired;
  } cases[] = {
      {3, 3 * kDay, false},  // exactly three days: stays
      {3, 4 * kDay - 1, false},
      {3, 4 * kDay, true},
      {0, 10000 * kDay, false},  // 0 keeps notes for ever
      {-2, 10000 * kDay, false},
      {1, -5 * kDay, false},
  };
  for (const auto& c : cases) {
    const NoteEntry n = Deleted("n", kNow - c.age);
    EXPECT_EQ(HasExpired(n.record, kNow, {c.dias, 0, 0}), c.expired) << c.dias << " days, age " << c.age;
  }
}

TEST(RecycleBin, LoadingAndPurgingDropExpiredNotesAndKeepTheOrder) {
  const BinSettings three{3, 0, 0};
  std::vector<NoteEntry> file{Deleted("a", kNow - 5 * kDay), Deleted("b", kNow - 3 * kDay),
                              Deleted("c", kNow - 4 * kDay), Deleted("d", kNow - kDay)};
  RecycleBin bin = RecycleBin::FromFile(file, kNow, three);
  EXPECT_EQ(Titles(bin.rows()), (std::vector<std::string>{"b", "d"}));
  // Two days later "b" has been there five days.
  EXPECT_EQ(bin.Purge(kNow + 2 * kDay, three), 1u);
  EXPECT_EQ(Titles(bin.rows()), (std::vector<std::string>{"d"}));
  EXPECT_EQ(RecycleBin::FromFile(file, kNow, {}).size(), 4u) << "0 days keeps everything";
}

TEST(RecycleBin, PutStampsTheNoteAndEvictsTheOldestOverCapacity) {
  const struct {
    const char* name;
    BinSettings settings;
    std::size_t before;
    bool kept;
    std::size_t after;
    bool evicted;
  } cases[] = {
      {"no limit", {0, 0, 0}, 10, true, 11, false},
      {"below the capacity", {0, 10, 0}, 8, true, 9, false},
      {"reaching the capacity", {0, 10, 0}, 9, true, 10, false},
      {"at the capacity", {0, 10, 0}, 10, true, 10, true},
      {"above a lowered capacity: one row per insertion", {0, 5, 0}, 10, true, 10, true},
      {"capacity one", {0, 1, 0}, 1, true, 1, true},
      {"disabled bin", {0, 10, 1}, 4, false, 4, false},
      {"disabled bin with no limit", {0, 0, 1}, 0, false, 0, false},
  };
  for (const auto& c : cases) {
    RecycleBin bin;
    for (std::size_t i = 0; i < c.before; ++i) {
      (void)bin.Put(Deleted("old" + std::to_string(i), 0), kNow - 100 + static_cast<std::int64_t>(i), {});
    }
    NoteEntry note = Deleted("nueva", 0);
    note.record.visible = 1;
    const RecycleBin::PutResult r = bin.Put(note, kNow, c.settings);
    EXPECT_EQ(r.kept, c.kept) << c.name;
    EXPECT_EQ(bin.size(), c.after) << c.name;
    EXPECT_EQ(r.evicted.has_value(), c.evicted) << c.name;
    if (r.evicted) {
      EXPECT_EQ(r.evicted->record.title, "old0") << c.name;
    }
    if (c.kept) {
      const NoteRecord& last = bin.rows().back().record;
      EXPECT_EQ(last.title, "nueva") << c.name;
      EXPECT_EQ(last.deletionTime, kNow) << c.name;
      EXPECT_EQ(last.visible, 0) << c.name;
    }
  }
}

TEST(RecycleBin, RestoreSelectedGoesFromTheLastSelectedRowToTheFirst) {
  const struct {
    const char* name;
    std::vector<std::size_t> selected;
    std::vector<std::string> restored;
    std::vector<std::string> left;
  } cases[] = {
      {"two rows", {1, 3}, {"d", "b"}, {"a", "c", "e"}},
      {"any order, repeats and rows past the end", {4, 0, 4, 9}, {"e", "a"}, {"b", "c", "d"}},
      {"nothing selected", {}, {}, {"a", "b", "c", "d", "e"}},
      {"every row", {0, 1, 2, 3, 4}, {"e", "d", "c", "b", "a"}, {}},
  };
  for (const auto& c : cases) {
    RecycleBin bin = RecycleBin::FromFile({Deleted("a", kNow), Deleted("b", kNow), Deleted("c", kNow),
                                           Deleted("d", kNow - kDay), Deleted("e", kNow)},
                                          kNow, {});
    const std::vector<NoteEntry> restored = bin.RestoreSelected(c.selected);
    EXPECT_EQ(Titles(restored), c.restored) << c.name;
    EXPECT_EQ(Titles(bin.rows()), c.left) << c.name;
    for (const auto& n : restored) {
      EXPECT_EQ(n.text, "texto de " + n.record.title) << c.name;
      EXPECT_NE(n.record.deletionTime, 0) << "the deletion time stays in the record";
    }
  }
}

TEST(RecycleBin, RestoreAllKeepsTheDisplayOrderAndEmptyClears) {
  RecycleBin bin = RecycleBin::FromFile({Deleted("a", kNow), Deleted("b", kNow), Deleted("c", kNow)}, kNow, {});
  EXPECT_EQ(Titles(bin.RestoreAll()), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(bin.empty());
  bin = RecycleBin::FromFile({Deleted("a", kNow)}, kNow, {});
  bin.Empty();
  EXPECT_TRUE(bin.empty());
}

TEST(RecycleBin, RowAndStatusTexts) {
  SimClock clock(kNow, *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3"));
  // 14 November 2023 22:13:20 UTC is 23:13 in Madrid; 1 July 2023 is summer time.
  EXPECT_EQ(DeletionTimeText(clock, kNow), "14/11/2023 23:13");
  EXPECT_EQ(DeletionTimeText(clock, 1'688'169'600), "01/07/2023 02:00");
  EXPECT_EQ(DaysText(DaysInBin(kNow - 12 * kDay - 5, kNow)), "12");
  // Hostile times from a file are shown at a far bound, not overflowed.
  EXPECT_EQ(DeletionTimeText(clock, INT64_MAX), DeletionTimeText(clock, std::int64_t{1} << 40));
  EXPECT_EQ(DeletionTimeText(clock, INT64_MIN), DeletionTimeText(clock, -(std::int64_t{1} << 40)));
  EXPECT_EQ(BinCountText(7), " 7");
}

}  // namespace
}  // namespace zelvor::notes
