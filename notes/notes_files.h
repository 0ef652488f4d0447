#pragma once
// The two notes files of the data folder: notes.dat holds the live notes in
// their order, notes.old the recycle bin in its display order (oldest
// deletion first).
//
// Each file is replaced atomically on saving (a temporary file beside it,
// flushed, renamed over it), so a crash or a power cut in the middle of a
// save leaves the notes of the last save or of this one, never a torn file
// or an empty one.

#include <string>
#include <vector>

#include "notes/notes_file.h"
#include "platform/files.h"

namespace zelvor::notes {

inline constexpr std::string_view kLiveNotesFile = "notes.dat";
inline constexpr std::string_view kBinNotesFile = "notes.old";

struct LoadedNotes {
  enum class Status {
    Read,        // the file was read (a truncated last entry may have been dropped)
    Missing,     // there is no such file: no notes
    Unreadable,  // it is there but could not be read
  };
  Status status = Status::Missing;
  std::vector<NoteEntry> notes;
  bool truncated = false;  // an entry cut short at the end was dropped
};

struct SavedNotes {
  FileResult live;
  FileResult bin;
};

class NotesFiles {
 public:
  // dataFolder ends with the path separator, as the folder getters give it.
  NotesFiles(Files& files, const std::string& dataFolder)
      : files_(files),
        livePath_(dataFolder + std::string(kLiveNotesFile)),
        binPath_(dataFolder + std::string(kBinNotesFile)) {}

  [[nodiscard]] const std::string& livePath() const { return livePath_; }
  [[nodiscard]] const std::string& binPath() const { return binPath_; }

  [[nodiscard]] LoadedNotes LoadLive() const { return Load(livePath_); }
  [[nodiscard]] LoadedNotes LoadBin() const { return Load(binPath_); }

  // Writes both files; a failure of one does not keep the other from being
  // written. Notes of the bin are written with visible = 0: their windows
  // are always closed.
  [[nodiscard]] SavedNotes Save(const std::vector<NoteEntry>& live, const std::vector<NoteEntry>& bin);

  // Emptying the bin removes notes.old; a missing file is no failure.
  [[nodiscard]] FileResult DeleteBin();

  // Reads one notes file in pieces, so that memory follows the notes that
  // are really there, not the file's length fields.
  [[nodiscard]] LoadedNotes Load(const std::string& path) const;
  [[nodiscard]] FileResult Write(const std::string& path, const std::vector<NoteEntry>& notes);

 private:
  Files& files_;
  std::string livePath_;
  std::string binPath_;
};

}  // namespace zelvor::notes
