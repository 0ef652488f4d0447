#pragma once
// The notes file (notes.dat for the live notes, notes.old for the recycle
// bin): no header, no count, no version; entries one after another until
// the end of the file. One entry:
//
//   472  the note record (note_record.h)
//     4  text length L, uint32, counting a terminating NUL (empty text: 1)
//     L  the text and its NUL; on reading, the text ends at its first NUL
//
// A reader takes whole entries only: an entry cut short by the end of the
// file is dropped, and a length field is never trusted beyond the bytes
// that are really there, so a hostile L of 4 GiB costs nothing.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "notes/note_record.h"

namespace zelvor::notes {

inline constexpr std::size_t kEntryHeaderSize = kNoteRecordSize + 4;

// A note as the files hold it: its record and its text (lines end in CR LF).
struct NoteEntry {
  NoteRecord record;
  std::string text;
  friend bool operator==(const NoteEntry&, const NoteEntry&) = default;
};

// Reads entries from bytes handed over in pieces of any size. It holds only
// the entry it is reading, and only as many text bytes as it was given (up
// to the text's first NUL), whatever the length field says.
class NotesParser {
 public:
  // Reads what it can from bytes; whole entries go to entries() in order.
  void feed(std::string_view bytes);
  // The whole entries read so far; take them to free their memory.
  [[nodiscard]] std::vector<NoteEntry>& entries() { return entries_; }
  // Whether bytes of an unfinished entry are pending: at the end of the
  // file they are a truncated last entry, which is dropped.
  [[nodiscard]] bool midEntry() const { return !header_.empty() || inText_; }
  // Bytes fed that belong to whole entries.
  [[nodiscard]] std::uint64_t wholeBytes() const { return wholeBytes_; }

 private:
  void finishHeader();
  void finishEntry();

  std::vector<NoteEntry> entries_;
  std::string header_;  // the pending record and length field, < 476 bytes
  bool inText_ = false;
  NoteEntry current_;
  std::uint64_t textLeft_ = 0;  // text bytes still to come for current_
  bool textEnded_ = false;      // current_'s text has met its NUL
  std::uint64_t entryBytes_ = 0;
  std::uint64_t wholeBytes_ = 0;
};

struct ParsedNotes {
  std::vector<NoteEntry> notes;
  bool truncated = false;  // the bytes ended inside an entry
};

// Reads every whole entry of bytes.
[[nodiscard]] ParsedNotes ParseNotes(std::string_view bytes);

// One entry's bytes: the record, then the text up to its first NUL (the
// file cannot hold more of it) and the terminating NUL.
void AppendEntry(std::string& out, const NoteRecord& record, std::string_view text);
inline void AppendEntry(std::string& out, const NoteEntry& entry) { AppendEntry(out, entry.record, entry.text); }
[[nodiscard]] std::string EncodeNotes(const std::vector<NoteEntry>& notes);

}  // namespace zelvor::notes
