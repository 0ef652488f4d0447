// zelvor: the resident program of the suite.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/assembly/suite_components.h"
#include "app/version.h"
#include "platform/headless/headless_desktop.h"
#ifdef ZELVOR_HAVE_QT
#include "platform/qt/qt_desktop.h"
#endif
#include "platform/linux/linux_platform.h"
#include "platform/linux/termination_signals.h"
#include "platform/linux/unix_single_instance.h"
#include "platform/messages.h"
#include "shell/principal_dlg.h"
#include "shell/shell_menus.h"
#include "shell/zelvor_app.h"

namespace {

void printHelp() {
  std::printf(
      "usage: zelvor [OPTION]...\n"
      "Zelvor, desktop utilities in the notification area.\n\n"
      "  /i, --reinstall-defaults  delete every setting and install the defaults\n"
      "  /a, --update              run only the update window\n"
      "  --headless                run without a display (chosen by itself when there is none)\n"
      "  --verbose                 report on stderr what the headless tray shows\n"
      "  --version                 print the version and exit\n"
      "  --help                    print this help and exit\n\n"
      "Settings live in $XDG_CONFIG_HOME/zelvor/, data files in $XDG_DATA_HOME/zelvor/.\n"
      "A second start opens the menu of the running one. zelvorctl reads and changes\n"
      "the settings and talks to the running program (status, command, quit).\n");
}

bool hasDisplay() {
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x != nullptr && x[0] != '\0') || (w != nullptr && w[0] != '\0');
}

// Notes, panels and notices place themselves, which a Wayland session does
// not allow its own clients: there the program runs through XWayland when
// the session has it (DISPLAY set), unless the user chose a platform.
void preferXWayland() {
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  const char* chosen = std::getenv("QT_QPA_PLATFORM");
  if (w == nullptr || w[0] == '\0' || x == nullptr || x[0] == '\0') return;
  if (chosen != nullptr && chosen[0] != '\0') return;
  ::setenv("QT_QPA_PLATFORM", "xcb", 0);
}

// Runs the suite on one desktop until "Salir"; returns the exit code.
int runSuite(zelvor::Platform platform, zelvor::Desktop desktop, bool verbose,
             const std::vector<std::string>& args) {
  using namespace zelvor;
  std::string error;
  UnixSingleInstance instance(UnixSingleInstance::defaultFolder(platform.folders.configFolder()));
  SuiteComponents components(kVersion);
  AppOptions options;
  options.install = InstallOptions{};
  // Default launcher entries name programs this machine has.
  options.install.programInstalled = [](const std::string& path) { return ::access(path.c_str(), X_OK) == 0; };
  CZelvorApp app(platform, desktop, instance, components, std::move(options));

  const auto started = app.InitInstance(args);
  if (!started.running) return started.exitCode;

  // SIGTERM, SIGINT and SIGHUP choose "Salir", the same exit as the menu's.
  TerminationSignals termination;
  if (!termination.start(desktop.loop, app.mainWindow()->handle(), msg::Command, menu_id::Exit, error)) {
    std::fprintf(stderr, "zelvor: %s\n", error.c_str());
  }
  if (verbose) std::fprintf(stderr, "zelvor: running\n");
  const int code = desktop.loop.run();
  termination.stop();
  app.ExitInstance();
  if (verbose) std::fprintf(stderr, "zelvor: exit sequence complete\n");
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zelvor;
  // Before any thread exists, so that every thread leaves them to the watcher.
  TerminationSignals::blockInProcess();
  // The environment is written only here, before any thread can read it.
  preferXWayland();

  std::vector<std::string> args;
  bool headless = false, verbose = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--version") {
      std::printf("zelvor %s\n", kVersion);
      return 0;
    }
    if (a == "--help" || a == "-h") {
      printHelp();
      return 0;
    }
    if (a == "--headless") {
      headless = true;
    } else if (a == "--verbose") {
      verbose = true;
    } else if (a == "/i" || a == "--reinstall-defaults" || a == "/a" || a == "--update") {
      args.push_back(a);
    } else {
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

  // Qt when there is a display (and the build has the binding), else headless.
  if (!headless && hasDisplay()) {
#ifdef ZELVOR_HAVE_QT
    auto qt = QtDesktop::create(argc, argv, error);
    if (!qt) {
      std::fprintf(stderr, "zelvor: %s\n", error.c_str());
      return 1;
    }
    // Registered clipboard formats keep their numbers from run to run, as the clip files need.
    qt->qtClipboard().useFormatStore(binding->platform().registry, ConfigStore::KeyPath("ReziZovidaraz\\Formatos"));
    return runSuite(binding->platform(), qt->desktop(), verbose, args);
#else
    std::fprintf(stderr, "zelvor: this build has no desktop binding; running headless\n");
#endif
  }
  auto desk = HeadlessDesktop::create(verbose ? stderr : nullptr, error);
  if (!desk) {
    std::fprintf(stderr, "zelvor: %s\n", error.c_str());
    return 1;
  }
  return runSuite(binding->platform(), desk->desktop(), verbose, args);
}
