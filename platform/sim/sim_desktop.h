#pragma once
// The simulated desktop: every UI service on virtual time, for tests.

#include "platform/platform.h"
#include "platform/sim/sim_clipboard.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_dialer.h"
#include "platform/sim/sim_dialogs.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_hotkeys.h"
#include "platform/sim/sim_menus.h"
#include "platform/sim/sim_message_boxes.h"
#include "platform/sim/sim_printer.h"
#include "platform/sim/sim_power.h"
#include "platform/sim/sim_screen.h"
#include "platform/sim/sim_service_manager.h"
#include "platform/sim/sim_sound.h"
#include "platform/sim/sim_tray.h"

namespace zelvor {

class SimDesktop {
 public:
  explicit SimDesktop(SimClock& clock)
      : loop(clock), tray(loop), menus(loop), hotkeys(loop), clipboard(loop), dialer(loop) {}

  SimEventLoop loop;
  SimTray tray;
  SimMenus menus;
  SimMessageBoxes messageBoxes;
  SimDialogs dialogs;
  SimScreen screen;
  SimSound sound;
  SimHotkeys hotkeys;
  SimClipboard clipboard;
  SimDialer dialer;
  SimPrinter printer;
  SimPower power;
  SimServiceManager services;

  [[nodiscard]] Desktop desktop() {
    return Desktop{loop, tray, menus, messageBoxes, dialogs, screen, sound, hotkeys, clipboard, dialer, printer,
                   power, services};
  }
};

}  // namespace zelvor
