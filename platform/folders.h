#pragma once
// Where the program and the user's files live. Every folder ends with '/'.

#include <string>

namespace zelvor {

class Folders {
 public:
  virtual ~Folders() = default;
  // Full path of the running program file.
  [[nodiscard]] virtual std::string programFile() = 0;
  // Folder of the program file.
  [[nodiscard]] virtual std::string programFolder() = 0;
  // The per-user application-data folder ($XDG_DATA_HOME); "" when there is none.
  [[nodiscard]] virtual std::string userDataFolder() = 0;
  // The per-user configuration folder of the suite ($XDG_CONFIG_HOME/zelvor/).
  [[nodiscard]] virtual std::string configFolder() = 0;
  // The folder the program was started in.
  [[nodiscard]] virtual std::string workingFolder() = 0;
  // The user's temporary folder ($TMPDIR when it is an absolute path, else
  // /tmp/); "" where the binding has none to offer.
  [[nodiscard]] virtual std::string temporaryFolder() { return {}; }
};

}  // namespace zelvor
