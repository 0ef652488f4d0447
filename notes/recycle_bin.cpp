#include "notes/recycle_bin.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace zelvor::notes {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// A deletion time read from a file may be anything; beyond some 34,000
// years either side it is shown as that bound, which local-time arithmetic
// handles without overflowing.
constexpr std::int64_t kFarInstant = std::int64_t{1} << 40;

std::int64_t saturatingDifference(std::int64_t a, std::int64_t b) {
  constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
  if (b < 0 && a > max + b) return max;
  if (b > 0 && a < min + b) return min;
  return a - b;
}

}  // namespace

std::int64_t DaysInBin(std::int64_t deletionTime, std::int64_t now) {
  return saturatingDifference(now, deletionTime) / kSecondsPerDay;
}

bool HasExpired(const NoteRecord& record, std::int64_t now, const BinSettings& settings) {
  return settings.DiasEnPapelera > 0 && DaysInBin(record.deletionTime, now) > settings.DiasEnPapelera;
}

std::string DeletionTimeText(Clock& clock, std::int64_t deletionTime) {
  const LocalTime t = toLocal(clock, std::clamp(deletionTime, -kFarInstant, kFarInstant));
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %02d:%02d", t.day, t.month, t.year, t.hour, t.minute);
  return buf;
}

std::string DaysText(std::int64_t days) { return std::to_string(days); }

std::string BinCountText(std::size_t count) { return " " + std::to_string(count); }

RecycleBin RecycleBin::FromFile(std::vector<NoteEntry> rows, std::int64_t now, const BinSettings& settings) {
  RecycleBin bin;
  bin.rows_ = std::move(rows);
  (void)bin.Purge(now, settings);
  return bin;
}

RecycleBin::PutResult RecycleBin::Put(NoteEntry note, std::int64_t now, const BinSettings& settings) {
  PutResult result;
  if (settings.DeshabilitarPapelera == 1) return result;
  const std::size_t before = rows_.size();
  note.record.deletionTime = now;
  note.record.visible = 0;
  rows_.push_back(std::move(note));
  result.kept = true;
  if (settings.CapacidadPapelera > 0 &&
      static_cast<std::uint64_t>(before) + 1 > static_cast<std::uint64_t>(settings.CapacidadPapelera)) {
    result.evicted = std::move(rows_.front());
    rows_.erase(rows_.begin());
  }
  return result;
}

std::size_t RecycleBin::Purge(std::int64_t now, const BinSettings& settings) {
  const std::size_t before = rows_.size();
  std::erase_if(rows_, [&](const NoteEntry& n) { return HasExpired(n.record, now, settings); });
  return before - rows_.size();
}

std::vector<NoteEntry> RecycleBin::RestoreSelected(std::vector<std::size_t> selected) {
  std::sort(selected.begin(), selected.end());
  selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
  std::vector<NoteEntry> restored;
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
    if (*it >= rows_.size()) continue;
    restored.push_back(std::move(rows_[*it]));
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*it));
  }
  return restored;
}

std::vector<NoteEntry> RecycleBin::RestoreAll() {
  std::vector<NoteEntry> restored = std::move(rows_);
  rows_.clear();
  return restored;
}

}  // namespace zelvor::notes
