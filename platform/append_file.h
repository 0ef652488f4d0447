#pragma once
// Files written from front to back in large pieces, such as partial
// downloads: every byte written stays in place, so the file's size is always
// the position up to which its content is right.

#include <cstddef>
#include "platform/file_result.h"

namespace zelvor {

class AppendFile {
 public:
  virtual ~AppendFile() = default;
  // Writes all bytes at the end of the file.
  [[nodiscard]] virtual FileResult write(const char* data, std::size_t size) = 0;
  [[nodiscard]] virtual FileResult close() = 0;
};

}  // namespace zelvor
