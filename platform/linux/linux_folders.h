#pragma once
#include "platform/folders.h"

namespace zelvor {

// XDG base folders. A relative or empty XDG_* variable is ignored, as the
// XDG base directory rules say.
class LinuxFolders : public Folders {
 public:
  std::string programFile() override;
  std::string programFolder() override;
  std::string userDataFolder() override;
  std::string configFolder() override;
  std::string workingFolder() override;
  std::string temporaryFolder() override;

  // $XDG_CONFIG_HOME (or ~/.config) with a trailing '/'.
  [[nodiscard]] static std::string configHome();
  [[nodiscard]] static std::string dataHome();
  // Creates path and its missing parents; false on failure.
  static bool makeFolders(const std::string& path);
};

}  // namespace zelvor
