#pragma once
// First-run installation of the default settings.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_folders.h"
#include "shell/store/config_store.h"

namespace zelvor {

struct InstallOptions {
  // Which launcher defaults to take: the NT family's (395) or the others' (398).
  bool ntPlatform = true;
  // The folders that stand in for the placeholders WIN\\ and WINSYS\\, each
  // ending with its separator.
  std::string systemFolder{kSystemFolder};
  std::string systemProgramFolder{kSystemProgramFolder};
  // Whether a program file (a full path) is installed. When set, a default
  // entry whose program is missing takes the first installed program of the
  // same kind (another desktop's text editor, terminal, calculator…); unset,
  // every entry keeps the program the defaults name.
  std::function<bool(const std::string& path)> programInstalled;
};

struct InstallResult {
  bool installed = false;  // the defaults were (re)installed this time
  std::string error;       // a message for the user when the import failed
};

// True when args ask for a reinstallation: "/i" or "--reinstall-defaults" as
// a whole argument (a path such as /home/ina does not count).
[[nodiscard]] bool wantsReinstall(std::span<const std::string> args);

// Runs when args ask for it or Instalado reads 0: deletes the whole tree,
// imports the defaults in one change, and writes the run-at-login entry.
InstallResult InstallDefaults(ConfigStore& store, std::span<const std::string> args,
                              const InstallOptions& options = {});

// The program names the defaults use, each with the programs of other
// desktops that take the same arguments, in order of preference.
struct ProgramAlternatives {
  std::string_view name;
  std::vector<std::string_view> others;
};
[[nodiscard]] const std::vector<ProgramAlternatives>& DefaultProgramAlternatives();

// The defaults text with the placeholders replaced, as it is imported.
[[nodiscard]] std::string defaultsText(const InstallOptions& options);

}  // namespace zelvor
