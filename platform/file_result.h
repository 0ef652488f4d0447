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

// What emptying a folder did.
struct FolderEmptying {
  FileResult result;     // failure: the folder itself could not be opened
  int removedFiles = 0;
  int removedFolders = 0;
  int kept = 0;          // entries left by the rules (or that could not be removed)
};

}  // namespace zelvor
