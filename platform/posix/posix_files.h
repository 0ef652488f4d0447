#pragma once
#include "platform/files.h"

namespace zelvor {

// Files on a POSIX file system; shared by both bindings.
class PosixFiles : public Files {
 public:
  FileResult replaceAtomically(const std::string& path, std::string_view bytes,
                               Permissions permissions = Permissions::KeepExisting) override;
  std::optional<std::string> readFile(const std::string& path, std::uint64_t maxBytes) override;
  FileResult appendToFile(const std::string& path, std::string_view bytes) override;
  std::optional<std::uint64_t> fileSize(const std::string& path) override;
  std::optional<std::string> readRange(const std::string& path, std::uint64_t offset,
                                       std::uint64_t maxBytes) override;
  std::unique_ptr<AppendFile> openForAppend(const std::string& path, AppendMode mode,
                                            FileResult& failure) override;
  FileResult makeFolder(const std::string& path) override;
  FileResult makeParentFolders(const std::string& path) override;
  FileResult renameFile(const std::string& from, const std::string& to) override;
  FileResult removeFile(const std::string& path) override;
  FileResult writeUnsynced(const std::string& path, std::string_view bytes) override;
  FileResult flushFolder(const std::string& folder) override;
  FileResult removeTree(const std::string& path) override;
  FolderEmptying emptyOwnEntries(const std::string& folder) override;
  FileResult exchangeFolders(const std::string& from, const std::string& to) override;
  bool exists(const std::string& path) override;
  bool isFolder(const std::string& path) override;
};

// The system's text for an errno value.
[[nodiscard]] std::string systemErrorText(int error);

}  // namespace zelvor
