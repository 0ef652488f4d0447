// Shows the time trigger's windows on the Qt desktop so that a person (or
// a screenshot) can look at them: the countdown warning, the trigger's
// page of an owner with the enable box, and the compact page of the
// automatic shutdown. The store is in memory and the clock is fixed, so
// every run shows the same thing. Used by exit_screenshots.sh.
//
//   zelvor_exit_demo countdown|page|compact [SECONDS]

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "exit/countdown_window.h"
#include "exit/scheduler_page_window.h"
#include "platform/qt/qt_desktop.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_registry.h"
#include "platform/time_zone.h"

int main(int argc, char** argv) {
  using namespace zelvor;
  const std::string what = argc > 1 ? argv[1] : "page";
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  std::string error;
  auto desktop = QtDesktop::create(argc, argv, error);
  if (!desktop) {
    std::fprintf(stderr, "zelvor_exit_demo: %s\n", error.c_str());
    return 1;
  }
  QTimer::singleShot(seconds * 1000, [] { QCoreApplication::exit(0); });

  if (what == "countdown") {
    CountdownWindowPresenter presenter(desktop->dialogs(), desktop->loop());
    CAvisoDlg dialog(10, "Dade Rive - Apagado automático", "El sistema se va a apagar automáticamente.", 6);
    presenter.RunModal(dialog);
    return 0;
  }

  // Monday 15 April 2024, 18:20 in Madrid.
  SimClock clock(1'713'198'000, *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3"));
  SimRegistry registry;
  const bool compact = what == "compact";
  CScheduler scheduler({registry, clock},
                       compact ? scheduler_setup::AutomaticShutdown() : scheduler_setup::AutomaticConnect());
  SchedulerRecord r = scheduler.Record();
  r.Enable = 1;
  r.Start = compact ? static_cast<int>(TriggerKind::Once) : static_cast<int>(TriggerKind::Weekly);
  r.Hour = compact ? 23 : 8;
  r.Minute = compact ? 30 : 15;
  r.Weekday = weekday_bit::Monday | weekday_bit::Wednesday | weekday_bit::Friday;
  r.ShowWarning = 1;
  r.Seconds = 15;
  scheduler.SetRecord(r);
  SchedulerPageWindow window(scheduler, desktop->dialogs(),
                             compact ? "Dade Rive - Apagado automático" : "Dedo Vuv - Conexión automática");
  window.Open();
  return desktop->loop().run();
}
