#pragma once
// Runtime folders that are not this user's alone: each prepares one at
// folder (elsewhere: a place a link may point to). zelvor and zelvorctl must
// refuse every one of them.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace zelvor::testing {

struct ForeignFolder {
  const char* name;
  bool needsRoot;  // only root can give a folder away
  void (*prepare)(const std::filesystem::path& folder, const std::filesystem::path& elsewhere);
};

[[nodiscard]] inline const std::vector<ForeignFolder>& ForeignFolders() {
  namespace fs = std::filesystem;
  static const std::vector<ForeignFolder> cases{
      {"a link to a folder of ours", false,
       [](const fs::path& folder, const fs::path& elsewhere) {
         fs::create_directories(elsewhere);
         ::chmod(elsewhere.c_str(), 0700);
         fs::create_directory_symlink(elsewhere, folder);
       }},
      {"a dangling link", false,
       [](const fs::path& folder, const fs::path& elsewhere) { fs::create_directory_symlink(elsewhere, folder); }},
      {"open to the group and others", false,
       [](const fs::path& folder, const fs::path&) {
         fs::create_directories(folder);
         ::chmod(folder.c_str(), 0755);
       }},
      {"writable by everyone", false,
       [](const fs::path& folder, const fs::path&) {
         fs::create_directories(folder);
         ::chmod(folder.c_str(), 0777);
       }},
      {"a file", false, [](const fs::path& folder, const fs::path&) { std::ofstream(folder) << "x"; }},
      {"another user's", true,
       [](const fs::path& folder, const fs::path&) {
         fs::create_directories(folder);
         ::chmod(folder.c_str(), 0700);
         (void)!::chown(folder.c_str(), 65534, 65534);
       }},
  };
  return cases;
}

}  // namespace zelvor::testing
