#pragma once
#include <string>

namespace zelvor {

// The outcome of a file operation: the system's text when it failed.
struct FileResult {
  bool ok = true;
  std::string error;
  [[nodiscard]] static FileResult success() { return {}; }
  [[nodiscard]] static FileResult failure(std::string text) { return {false, std::move(text)}; }
};

}  // namespace zelvor
