#pragma once
// The clip files: the history on disk, one file per entry in the folder
// clips/ of the data folder, named clip000.dat for the oldest entry, then
// clip001.dat and so on. The number has at least three digits and grows as
// needed: the entry after clip999.dat is clip1000.dat. A file is a sequence
// of records until its end, with no header:
//
//   4  format number, uint32 little-endian
//   4  size N of the data, uint32 little-endian
//   N  the data
//
// A reader stops at a record cut short and never trusts N beyond the bytes
// really there. Saving writes the new set into clips.new/ beside the old
// one, then swaps the two folders in one step and removes the old set, so a
// crash leaves either the old set or the new one at clips/.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "clipboard/clip_entry.h"
#include "platform/files.h"

namespace zelvor::clip {

inline constexpr std::size_t kRecordHeaderSize = 8;
// Larger clip files are not read (a whole-screen picture is far below).
inline constexpr std::uint64_t kMaxClipFileBytes = 512ull * 1024 * 1024;

struct ParsedClip {
  ClipEntry entry;
  bool truncated = false;  // the bytes ended inside a record
};
[[nodiscard]] ParsedClip ParseClipFile(std::string_view bytes);
[[nodiscard]] std::string EncodeClipFile(const ClipEntry& entry);

// "clip007.dat", "clip1000.dat".
[[nodiscard]] std::string ClipFileName(std::size_t row);

class ClipFiles {
 public:
  // dataFolder ends with the path separator.
  ClipFiles(Files& files, const std::string& dataFolder)
      : files_(files), folder_(dataFolder + "clips/"), staging_(dataFolder + "clips.new/") {}

  [[nodiscard]] const std::string& folder() const { return folder_; }

  // Every entry from clip000.dat on, up to the first missing file. A file
  // that is there but cannot be read (or is larger than the limit) is
  // skipped, so that the entries after it are not lost at the next save.
  [[nodiscard]] std::vector<ClipEntry> Load() const;
  // Replaces the set with these entries. A file that cannot be written is
  // left out; false when the new set could not be put in place (the old one
  // then stays).
  [[nodiscard]] bool Save(const std::vector<ClipEntry>& entries);

 private:
  Files& files_;
  std::string folder_;
  std::string staging_;
};

}  // namespace zelvor::clip
