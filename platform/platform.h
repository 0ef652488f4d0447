#pragma once
// The services a binding hands to the application object. Each utility gets
// only what it needs from here.

#include "platform/clock.h"
#include "platform/dialer.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/launcher.h"
#include "platform/locale.h"
#include "platform/net_counters.h"
#include "platform/process_table.h"
#include "platform/registry.h"
#include "platform/service_manager.h"
#include "platform/system_probe.h"
#include "platform/tcp_stream.h"

namespace zelvor {

class EventLoop;
class TrayHost;
class MenuHost;
class MessageBoxes;
class DialogHost;
class Screen;
class Sound;
class Hotkeys;
class Clipboard;
class Printer;
class Power;

// The services every program has, desktop or not.
struct Platform {
  Registry& registry;
  Clock& clock;
  Folders& folders;
  Files& files;
  Launcher& launcher;
  Locale& locale;
  Network& network;
  SystemProbe& system;
  ProcessTable& processes;
  NetCounters& netCounters;
};

// The services of the desktop, on the UI thread.
struct Desktop {
  EventLoop& loop;
  TrayHost& tray;
  MenuHost& menus;
  MessageBoxes& messageBoxes;
  DialogHost& dialogs;
  Screen& screen;
  Sound& sound;
  Hotkeys& hotkeys;
  Clipboard& clipboard;
  // Dial-up connections: the service reports to UI-thread targets.
  Dialer& dialer;
  Printer& printer;
  // Power and session (shutting down, the shutdown block, the end-of-session query).
  Power& power;
  // The system's services (systemd on Linux), asked on the UI thread.
  ServiceManager& services;
};

}  // namespace zelvor
