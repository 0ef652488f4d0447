// Shows the tip of the day or the about box on the Qt desktop, so that a
// person (or a screenshot) can look at it. The store lives in a temporary
// folder and the clock is fixed, so every run shows the same tip.
//
//   zelvor_shell_dialogs_demo tip|about [SECONDS]

#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/qt/qt_desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/dialogs/shell_windows.h"
#include "shell/store/install_defaults.h"
#include "shell/zelvor_app.h"

namespace {

std::string makeTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelvor-dialogs-demo-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern + "/";
}

class DemoWindows : public zelvor::UtilityFactory {
 public:
  std::unique_ptr<zelvor::Utility> createUtility(zelvor::UtilityKind, zelvor::CZelvorApp&) override {
    return nullptr;
  }
  std::unique_ptr<zelvor::ShellWindow> createWindow(zelvor::WindowKind kind, zelvor::CZelvorApp& app) override {
    if (kind == zelvor::WindowKind::Tip) return zelvor::MakeTipWindow(app);
    if (kind == zelvor::WindowKind::About) return zelvor::MakeAboutWindow(app, "0.1.0");
    return nullptr;
  }
};

}  // namespace

int main(int argc, char** argv) {
  using namespace zelvor;
  const std::string what = argc > 1 ? argv[1] : "tip";
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  if (what != "tip" && what != "about") {
    std::fprintf(stderr, "usage: zelvor_shell_dialogs_demo tip|about [SECONDS]\n");
    return 2;
  }
  std::string error;
  QtDesktop::Options options;
  options.announceMissingTray = false;
  auto desktop = QtDesktop::create(argc, argv, error, options);
  if (!desktop) {
    std::fprintf(stderr, "zelvor_shell_dialogs_demo: %s\n", error.c_str());
    return 1;
  }
  const std::string folder = makeTempFolder();
  {
    SimPlatform sim(folder);
    SimInstanceWorld world;
    SimSingleInstance instance(world, 1);
    DemoWindows windows;
    CZelvorApp app(sim.platform(), desktop->desktop(), instance, windows);
    (void)InstallDefaults(app.store(), {});
    app.OpenWindow(what == "tip" ? WindowKind::Tip : WindowKind::About);
    QTimer::singleShot(seconds * 1000, [&] { desktop->loop().quit(0); });
    (void)desktop->loop().run();
  }
  std::filesystem::remove_all(folder);
  return 0;
}
