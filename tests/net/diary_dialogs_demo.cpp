// Shows the tariff or the holiday dialog with the default settings on the
// Qt desktop, so that a person (or a screenshot) can look at it. The store
// lives in memory and the clock is fixed, so every run looks the same.
//
//   zelvor_diary_dialogs_demo tarifas|festivos [SECONDS]

#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "net/diary/holiday_dialog.h"
#include "net/diary/tariff_dialog.h"
#include "platform/qt/qt_desktop.h"
#include "platform/sim/sim_platform.h"
#include "shell/store/config_store.h"
#include "shell/store/install_defaults.h"
#include "tests/support/sandbox.h"

namespace {

// Central European time, as a Spanish desktop has it.
constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";

}  // namespace

int main(int argc, char** argv) {
  using namespace zelvor;
  using namespace zelvor::diary;
  const std::string what = argc > 1 ? argv[1] : "tarifas";
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  std::string error;
  auto desktop = QtDesktop::create(argc, argv, error);
  if (!desktop) {
    std::fprintf(stderr, "zelvor_diary_dialogs_demo: %s\n", error.c_str());
    return 1;
  }
  const zelvor::testing::Sandbox sandbox;
  int code = 0;
  {
    SimPlatform sim(sandbox.root());
    std::filesystem::create_directories(sim.folders.userData_);
    ConfigStore store(sim.registry, sim.folders, sim.files);
    (void)InstallDefaults(store, {});
    sim.clock.setZone(*TimeZoneRule::parse(kCentralEurope));
    sim.clock.setNow(instantsOf(sim.clock, 2024, 12, 20, 10, 0, 0).at(0));
    Desktop d = desktop->desktop();
    QTimer::singleShot(seconds * 1000, [&] { desktop->loop().quit(0); });
    auto select = [](WindowModel& dialog, int row) {
      ControlEvent e;
      e.kind = ControlEvent::Kind::Changed;
      e.controlId = 1;  // the list of either dialog
      e.row = row;
      dialog.onEvent(e);
    };
    if (what == "festivos") {
      CFestivosDlg dialog(store, sim.clock, d.dialogs, d.messageBoxes);
      select(dialog, 7);
      (void)dialog.DoModal();
    } else if (what == "tarifas") {
      CTarifasDlg dialog(store, sim.locale, sim.clock, d.dialogs, d.messageBoxes);
      select(dialog, 1);
      (void)dialog.DoModal();
    } else {
      std::fprintf(stderr, "usage: zelvor_diary_dialogs_demo tarifas|festivos [SECONDS]\n");
      code = 2;
    }
  }
  return code;
}
