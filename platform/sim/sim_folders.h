#pragma once
#include "platform/folders.h"

namespace zelvor {

// Folders a test sets; by default all inside one sandbox folder.
class SimFolders : public Folders {
 public:
  explicit SimFolders(std::string sandbox = "/tmp/zelvor-sim/")
      : programFile_(sandbox + "bin/zelvor"),
        programFolder_(sandbox + "bin/"),
        userData_(sandbox + "data/"),
        config_(sandbox + "config/zelvor/"),
        working_(sandbox),
        temporary_(sandbox + "tmp/") {}

  std::string programFile() override { return programFile_; }
  std::string programFolder() override { return programFolder_; }
  std::string userDataFolder() override { return userData_; }
  std::string configFolder() override { return config_; }
  std::string workingFolder() override { return working_; }
  std::string temporaryFolder() override { return temporary_; }

  std::string programFile_, programFolder_, userData_, config_, working_;
  std::string temporary_;
};

}  // namespace zelvor
