// zelvor: the resident program of the suite.

#include <cstdio>
#include <string>
#include <vector>

#include "app/version.h"
#include "platform/linux/linux_platform.h"
#include "shell/store/config_store.h"
#include "shell/store/install_defaults.h"

namespace {

void printHelp() {
  std::printf(
      "usage: zelvor [OPTION]\n"
      "Zelvor, desktop utilities in the notification area.\n\n"
      "  /i, --reinstall-defaults  delete every setting and install the defaults\n"
      "  /a, --update              run only the update window\n"
      "  --version                 print the version and exit\n"
      "  --help                    print this help and exit\n\n"
      "Settings live in $XDG_CONFIG_HOME/zelvor/, data files in $XDG_DATA_HOME/zelvor/.\n"
      "zelvorctl reads and changes the settings from the command line.\n");
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zelvor;
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const auto& a : args) {
    if (a == "--version") {
      std::printf("zelvor %s\n", kVersion);
      return 0;
    }
    if (a == "--help" || a == "-h") {
      printHelp();
      return 0;
    }
    if (a != "/i" && a != "--reinstall-defaults" && a != "/a" && a != "--update") {
      std::fprintf(stderr, "zelvor: unknown option %s (see zelvor --help)\n", a.c_str());
      return 2;
    }
  }

  std::string error;
  auto binding = LinuxPlatform::create(error);
  if (!binding) {
    std::fprintf(stderr, "zelvor: %s\n", error.c_str());
    return 1;
  }
  Platform platform = binding->platform();
  ConfigStore store(platform.registry, platform.folders, platform.files);
  const InstallResult installed = InstallDefaults(store, args);
  if (!installed.error.empty()) {
    std::fprintf(stderr, "zelvor: %s\n", installed.error.c_str());
    return 1;
  }
  if (installed.installed) {
    std::printf("zelvor: default settings installed in %s\n", binding->store().path().c_str());
  }
  std::printf("zelvor: the notification-area shell is not built yet; exiting.\n");
  return 0;
}
