#include "calendar/calendar_store.h"

#include <algorithm>

namespace zelvor::calendar {

CalendarStore::Key CalendarStore::keyOf(std::int64_t date) const {
  const Day d = DayOf(clock_, date);
  return {date, d.month, d.day};
}

int CalendarStore::compare(NoteKind kind, const Key& a, const Key& b) {
  if (kind == NoteKind::Dated) return a.date < b.date ? -1 : (a.date > b.date ? 1 : 0);
  if (a.month != b.month) return a.month < b.month ? -1 : 1;
  return a.day < b.day ? -1 : (a.day > b.day ? 1 : 0);
}

void CalendarStore::Assign(NoteKind kind, std::vector<CalendarEntry> entries) {
  List& l = list(kind);
  l.keys.clear();
  l.keys.reserve(entries.size());
  for (const CalendarEntry& e : entries) l.keys.push_back(keyOf(e.date));
  l.entries = std::move(entries);
}

std::pair<std::size_t, bool> CalendarStore::locate(NoteKind kind, const Key& key) const {
  const List& l = list(kind);
  for (std::size_t i = 0; i < l.keys.size(); ++i) {
    const int c = compare(kind, l.keys[i], key);
    if (c == 0) return {i, true};
    if (c > 0) return {i, false};
  }
  return {l.keys.size(), false};
}

const std::string* CalendarStore::Find(std::int64_t date, NoteKind kind) const {
  const auto [at, equal] = locate(kind, keyOf(date));
  return equal ? &list(kind).entries[at].text : nullptr;
}

void CalendarStore::Set(std::int64_t date, NoteKind kind, std::string text) {
  const Key key = keyOf(date);
  const auto [at, equal] = locate(kind, key);
  List& l = list(kind);
  if (equal) {
    l.entries[at].text = std::move(text);
    return;
  }
  const auto offset = static_cast<std::ptrdiff_t>(at);
  l.entries.insert(l.entries.begin() + offset, CalendarEntry{date, std::move(text)});
  l.keys.insert(l.keys.begin() + offset, key);
}

bool CalendarStore::Delete(std::int64_t date, NoteKind kind) {
  const auto [at, equal] = locate(kind, keyOf(date));
  if (!equal) return false;
  List& l = list(kind);
  const auto offset = static_cast<std::ptrdiff_t>(at);
  l.entries.erase(l.entries.begin() + offset);
  l.keys.erase(l.keys.begin() + offset);
  return true;
}

void CalendarStore::DeleteAll() {
  dated_ = {};
  yearly_ = {};
}

std::vector<std::uint32_t> CalendarStore::DayMarks(int firstYear, int firstMonth, int monthCount) const {
  std::vector<std::uint32_t> masks(static_cast<std::size_t>(std::max(monthCount, 0)), 0);
  if (masks.empty()) return masks;
  // The last displayed month's year, before both years are held inside the
  // calendar's range.
  const int lastYear = std::clamp(firstYear + (firstMonth - 1 + monthCount - 1) / 12, kFirstYear, kLastYear);
  firstYear = std::clamp(firstYear, kFirstYear, kLastYear);
  const auto count = static_cast<std::int64_t>(masks.size());
  const auto mark = [&](std::int64_t index, int day) {
    if (day >= 1 && day <= 31) masks[static_cast<std::size_t>(index)] |= 1u << (day - 1);
  };
  for (const CalendarEntry& e : dated_.entries) {
    const Day d = DayOf(clock_, e.date);
    const std::int64_t index = static_cast<std::int64_t>(d.year - firstYear) * 12 + d.month - firstMonth;
    if (index < 0) continue;
    if (index >= count) break;
    mark(index, d.day);
  }
  for (const Key& k : yearly_.keys) {
    for (std::int64_t index = static_cast<std::int64_t>(k.month) + (lastYear - firstYear) * 12 - firstMonth;
         index >= 0; index -= 12) {
      if (index < count) mark(index, k.day);
    }
  }
  return masks;
}

std::string CalendarStore::ExportText() const {
  std::string out;
  const auto block = [&out](const std::string& heading, const std::string& text) {
    out += heading;
    out += "\n-----------------\n";
    for (char c : text) {
      if (c != '\r') out.push_back(c);
    }
    out += "\n\n\n";
  };
  for (const CalendarEntry& e : dated_.entries) block(LongHeading(DayOf(clock_, e.date)), e.text);
  for (std::size_t i = 0; i < yearly_.entries.size(); ++i) {
    block(YearlyHeading(yearly_.keys[i].month, yearly_.keys[i].day), yearly_.entries[i].text);
  }
  return out;
}

}  // namespace zelvor::calendar
