#pragma once
// The recycle bin's rules over note entries and a clock value: how long a
// note stays (DiasEnPapelera), how many stay (CapacidadPapelera), whether
// deleted notes are kept at all (DeshabilitarPapelera), and restoring and
// emptying. Rows are in display order, the oldest deletion first, as
// notes.old holds them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "notes/notes_file.h"
#include "platform/clock.h"

namespace zelvor::notes {

struct BinSettings {
  std::int64_t DiasEnPapelera = 0;        // days a note stays; 0 (or less) = for ever
  std::int64_t CapacidadPapelera = 0;     // most notes kept; 0 (or less) = no limit
  std::int64_t DeshabilitarPapelera = 0;  // 1 = deleted notes are destroyed at once
};

// Whole days since the deletion: (now - deletionTime) / 86400, rounded
// towards zero; a difference beyond 64 bits (a hostile deletion time)
// saturates instead of overflowing.
[[nodiscard]] std::int64_t DaysInBin(std::int64_t deletionTime, std::int64_t now);

// A note stays its full last day: with 3 days it goes once 4 whole days
// have passed.
[[nodiscard]] bool HasExpired(const NoteRecord& record, std::int64_t now, const BinSettings& settings);

// The texts of a row and of the status bar.
[[nodiscard]] std::string DeletionTimeText(Clock& clock, std::int64_t deletionTime);  // "%d/%m/%Y %H:%M"
[[nodiscard]] std::string DaysText(std::int64_t days);                               // "%d"
[[nodiscard]] std::string BinCountText(std::size_t count);                          // " %d"

class RecycleBin {
 public:
  RecycleBin() = default;

  // The bin as notes.old gives it, without the notes that have expired.
  [[nodiscard]] static RecycleBin FromFile(std::vector<NoteEntry> rows, std::int64_t now,
                                           const BinSettings& settings);

  [[nodiscard]] const std::vector<NoteEntry>& rows() const { return rows_; }
  [[nodiscard]] std::size_t size() const { return rows_.size(); }
  [[nodiscard]] bool empty() const { return rows_.empty(); }

  struct PutResult {
    bool kept = false;                // false: the bin is disabled and the note is gone
    std::optional<NoteEntry> evicted;  // the oldest row, pushed out by the capacity
  };
  // A deleted note: stamped with now, its window closed, appended as the
  // newest row. Over capacity, the oldest row goes (one row per insertion,
  // so a bin above a lowered capacity shrinks only as it is purged).
  PutResult Put(NoteEntry note, std::int64_t now, const BinSettings& settings);

  // Removes the rows that have expired (on opening the bin); returns how
  // many went.
  std::size_t Purge(std::int64_t now, const BinSettings& settings);

  // Takes the selected rows out, from the last to the first, in the order
  // they are to be appended to the live list. Rows past the end and
  // repeated rows are ignored. Deletion times stay in the records.
  [[nodiscard]] std::vector<NoteEntry> RestoreSelected(std::vector<std::size_t> selected);
  // Takes every row out, in display order.
  [[nodiscard]] std::vector<NoteEntry> RestoreAll();

  // Destroys every row; the caller removes notes.old.
  void Empty() { rows_.clear(); }

 private:
  std::vector<NoteEntry> rows_;
};

}  // namespace zelvor::notes
