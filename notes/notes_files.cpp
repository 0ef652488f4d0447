#include "notes/notes_files.h"

#include "platform/file_pieces.h"

namespace zelvor::notes {

LoadedNotes NotesFiles::Load(const std::string& path) const {
  LoadedNotes result;
  NotesParser parser;
  const PiecesRead read = ReadInPieces(files_, path, [&parser](std::string_view piece) { parser.feed(piece); });
  result.notes = std::move(parser.entries());
  if (read == PiecesRead::Missing) return result;
  if (read == PiecesRead::Unreadable) {
    result.status = LoadedNotes::Status::Unreadable;
    return result;
  }
  result.status = LoadedNotes::Status::Read;
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
