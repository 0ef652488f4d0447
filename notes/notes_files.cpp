#include "notes/notes_files.h"

namespace zelvor::notes {
namespace {

// Bytes read per file access: few accesses for a large file, flat memory.
constexpr std::uint64_t kReadChunk = 1 << 20;

}  // namespace

LoadedNotes NotesFiles::Load(const std::string& path) const {
  LoadedNotes result;
  if (!files_.exists(path)) return result;
  const auto size = files_.fileSize(path);
  if (!size) {
    result.status = LoadedNotes::Status::Unreadable;
    return result;
  }
  NotesParser parser;
  std::uint64_t offset = 0;
  while (offset < *size) {
    const auto chunk = files_.readRange(path, offset, kReadChunk);
    if (!chunk) {
      result.status = LoadedNotes::Status::Unreadable;
      result.notes = std::move(parser.entries());
      return result;
    }
    if (chunk->empty()) break;  // the file shrank while it was read
    parser.feed(*chunk);
    offset += chunk->size();
  }
  result.status = LoadedNotes::Status::Read;
  result.notes = std::move(parser.entries());
  result.truncated = parser.midEntry();
  return result;
}

FileResult NotesFiles::Write(const std::string& path, const std::vector<NoteEntry>& notes) {
  return files_.replaceAtomically(path, EncodeNotes(notes));
}

SavedNotes NotesFiles::Save(const std::vector<NoteEntry>& live, const std::vector<NoteEntry>& bin) {
  SavedNotes saved;
  saved.live = Write(livePath_, live);
  std::string binBytes;
  for (const NoteEntry& entry : bin) {
    NoteRecord record = entry.record;
    record.visible = 0;
    AppendEntry(binBytes, record, entry.text);
  }
  saved.bin = files_.replaceAtomically(binPath_, binBytes);
  return saved;
}

FileResult NotesFiles::DeleteBin() {
  if (!files_.exists(binPath_)) return FileResult::success();
  return files_.removeFile(binPath_);
}

}  // namespace zelvor::notes
