#pragma once
#include "platform/append_file.h"

namespace zelvor {

// Append-only files on a POSIX file system, written with write(2) directly
// (no library buffer), so what a killed process had written is all there.
class PosixAppendFiles : public AppendFiles {
 public:
  std::unique_ptr<AppendFile> open(const std::string& path, Mode mode, FileResult& failure) override;
  std::optional<std::uint64_t> sizeOf(const std::string& path) override;
  FileResult makeParentFolders(const std::string& path) override;
  FileResult rename(const std::string& from, const std::string& to) override;
};

}  // namespace zelvor
