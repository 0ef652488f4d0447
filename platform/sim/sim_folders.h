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
        working_(sandbox) {}

  std::string programFile() override { return programFile_; }
  std::string programFolder() override { return programFolder_; }
  std::string userDataFolder() override { return userData_; }
  std::string configFolder() override { return config_; }
  std::string workingFolder() override { return working_; }

  std::string programFile_, programFolder_, userData_, config_, working_;
};

}  // namespace zelvor
