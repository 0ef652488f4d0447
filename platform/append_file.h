#pragma once
// Files written from front to back in large pieces, such as partial
// downloads: every byte written stays in place, so the file's size is always
// the position up to which its content is right.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/files.h"

namespace zelvor {

class AppendFile {
 public:
  virtual ~AppendFile() = default;
  // Writes all bytes at the end of the file.
  [[nodiscard]] virtual FileResult write(const char* data, std::size_t size) = 0;
  [[nodiscard]] virtual FileResult close() = 0;
};

class AppendFiles {
 public:
  virtual ~AppendFiles() = default;
  enum class Mode { Keep, Truncate };
  // Opens path for writing at its end, creating it when missing; Truncate
  // empties an existing file first.
  [[nodiscard]] virtual std::unique_ptr<AppendFile> open(const std::string& path, Mode mode,
                                                         FileResult& failure) = 0;
  // The size of a regular file; nullopt when it does not exist.
  [[nodiscard]] virtual std::optional<std::uint64_t> sizeOf(const std::string& path) = 0;
  // Creates every missing folder of the folder that holds path.
  [[nodiscard]] virtual FileResult makeParentFolders(const std::string& path) = 0;
  // Renames, replacing an existing target.
  [[nodiscard]] virtual FileResult rename(const std::string& from, const std::string& to) = 0;
};

}  // namespace zelvor
