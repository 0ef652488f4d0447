#pragma once
// File services that the core needs beyond the standard library: durable
// atomic replacement, appending, reading by ranges and folder creation.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/append_file.h"
#include "platform/file_result.h"

namespace zelvor {

class Files {
 public:
  virtual ~Files() = default;
  // Replaces path with bytes so that a crash at any moment leaves either the
  // old file or the new one: a temporary file in the same folder, flushed to
  // disk, renamed over the old one, the folder flushed.
  // The new file gets the permissions of the file it replaces (a new one is
  // for its owner only), or with OwnerOnly always 0600, for files that hold
  // secrets whatever stood at their name before.
  enum class Permissions { KeepExisting, OwnerOnly };
  [[nodiscard]] virtual FileResult replaceAtomically(
      const std::string& path, std::string_view bytes,
      Permissions permissions = Permissions::KeepExisting) = 0;
  // Reads a whole file of at most maxBytes; nullopt if missing, unreadable or larger.
  [[nodiscard]] virtual std::optional<std::string> readFile(const std::string& path,
                                                            std::uint64_t maxBytes) = 0;
  // Appends bytes at the end of path in one write, creating the file when it
  // is missing (its folder must exist); never truncates. Appending nothing
  // only makes sure the file exists.
  [[nodiscard]] virtual FileResult appendToFile(const std::string& path, std::string_view bytes) = 0;
  // The size of a regular file; nullopt if missing or not a regular file.
  [[nodiscard]] virtual std::optional<std::uint64_t> fileSize(const std::string& path) = 0;
  // Up to maxBytes from offset on (fewer at the end of the file, "" past
  // it); nullopt if the file cannot be opened or read.
  [[nodiscard]] virtual std::optional<std::string> readRange(const std::string& path,
                                                             std::uint64_t offset,
                                                             std::uint64_t maxBytes) = 0;
  // Opens path for writing at its end in many pieces (a partial download),
  // creating it when missing; Truncate empties an existing file first.
  enum class AppendMode { Keep, Truncate };
  [[nodiscard]] virtual std::unique_ptr<AppendFile> openForAppend(const std::string& path,
                                                                  AppendMode mode,
                                                                  FileResult& failure) = 0;
  // Creates one folder (its parent must exist); success when it exists already.
  [[nodiscard]] virtual FileResult makeFolder(const std::string& path) = 0;
  // Creates every missing folder of the folder that holds path.
  [[nodiscard]] virtual FileResult makeParentFolders(const std::string& path) = 0;
  // Renames, replacing an existing target.
  [[nodiscard]] virtual FileResult renameFile(const std::string& from, const std::string& to) = 0;
  [[nodiscard]] virtual FileResult removeFile(const std::string& path) = 0;
  // Writes path (replacing it) without a temporary file and without waiting
  // for the disk: for the files of a folder that is flushed with
  // flushFolder and then put in place whole.
  [[nodiscard]] virtual FileResult writeUnsynced(const std::string& path, std::string_view bytes) = 0;
  // Waits until everything written to the file system that holds folder is
  // on the disk (one flush for many files).
  [[nodiscard]] virtual FileResult flushFolder(const std::string& folder) = 0;
  // Removes a folder with everything inside it; success when it is missing.
  [[nodiscard]] virtual FileResult removeTree(const std::string& path) = 0;
  // Puts the folder from at the name to in one step: an existing to swaps
  // names with from (its old content is then at from), a missing one is
  // simply renamed to. A crash leaves one of the two at to, never neither.
  [[nodiscard]] virtual FileResult exchangeFolders(const std::string& from, const std::string& to) = 0;
  [[nodiscard]] virtual bool exists(const std::string& path) = 0;
  [[nodiscard]] virtual bool isFolder(const std::string& path) = 0;
  // Empties a folder that other users and running programs share (the
  // temporary folder): removes only the regular files and folders the user
  // owns, below it, on its own file system, never following a link and
  // leaving sockets, pipes and devices alone. The folder itself stays.
  [[nodiscard]] virtual FolderEmptying emptyOwnEntries(const std::string& folder) {
    (void)folder;
    FolderEmptying none;
    none.result = FileResult::failure("not supported");
    return none;
  }
};

}  // namespace zelvor
