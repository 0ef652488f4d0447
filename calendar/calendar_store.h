#pragma once
// The calendar's notes: one list of notes tied to a date (key: the day's
// noon instant) and one of notes for a day of every year (key: month and
// day of the instant stored with it, the year it was written in). Each
// list is kept in ascending key order with no two equal keys; the files'
// order is trusted as that order, and every lookup walks the list and
// stops at the first greater key, as the files' writers have always done.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_date.h"
#include "calendar/calendar_file.h"
#include "platform/clock.h"

namespace zelvor::calendar {

enum class NoteKind { Dated = 0, Yearly = 1 };

class CalendarStore {
 public:
  explicit CalendarStore(Clock& clock) : clock_(clock) {}

  // Replaces a list with the entries of its file, in file order.
  void Assign(NoteKind kind, std::vector<CalendarEntry> entries);
  [[nodiscard]] const std::vector<CalendarEntry>& Entries(NoteKind kind) const { return list(kind).entries; }
  [[nodiscard]] bool Empty() const { return dated_.entries.empty() && yearly_.entries.empty(); }

  // The text of the note whose key equals date's, or nullopt.
  [[nodiscard]] const std::string* Find(std::int64_t date, NoteKind kind) const;
  // Replaces the text of the note with date's key, or inserts a note before
  // the first greater key.
  void Set(std::int64_t date, NoteKind kind, std::string text);
  // Removes the note with date's key; false when there is none.
  bool Delete(std::int64_t date, NoteKind kind);
  void DeleteAll();

  // Bold days: one mask per displayed month (bit d - 1 = day d has a
  // note), for monthCount months from firstYear-firstMonth on.
  [[nodiscard]] std::vector<std::uint32_t> DayMarks(int firstYear, int firstMonth, int monthCount) const;

  // The export's text: every dated note, then every yearly note, each as a
  // heading, a rule, its text without CR and two empty lines.
  [[nodiscard]] std::string ExportText() const;

 private:
  struct Key {
    std::int64_t date = 0;
    int month = 0, day = 0;
  };
  struct List {
    std::vector<CalendarEntry> entries;
    std::vector<Key> keys;  // beside entries, same order
  };
  [[nodiscard]] Key keyOf(std::int64_t date) const;
  // <0, 0, >0 as a is before, equal to or after b in kind's order.
  [[nodiscard]] static int compare(NoteKind kind, const Key& a, const Key& b);
  [[nodiscard]] List& list(NoteKind kind) { return kind == NoteKind::Dated ? dated_ : yearly_; }
  [[nodiscard]] const List& list(NoteKind kind) const { return kind == NoteKind::Dated ? dated_ : yearly_; }
  // The index of the note with key's value, or of the first greater key
  // (entries.size() when none), and whether it is equal.
  [[nodiscard]] std::pair<std::size_t, bool> locate(NoteKind kind, const Key& key) const;

  Clock& clock_;
  List dated_, yearly_;
};

}  // namespace zelvor::calendar
