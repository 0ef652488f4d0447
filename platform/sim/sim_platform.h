#pragma once
// Everything a test needs to run the suite without a desktop.

#include <string>

#include "platform/platform.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_network.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_launcher.h"
#include "platform/sim/sim_locale.h"
#include "platform/sim/sim_process_table.h"
#include "platform/sim/sim_net_counters.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_system_probe.h"

namespace zelvor {

class SimPlatform {
 public:
  // sandbox: a folder the test owns (files go there for real).
  explicit SimPlatform(const std::string& sandbox) : folders(sandbox) {}

  SimRegistry registry;
  SimClock clock;
  SimFolders folders;
  PosixFiles files;
  SimLauncher launcher;
  SimLocale locale;
  // Sockets are real in tests too (loopback servers).
  PosixNetwork network;
  SimSystemProbe system;
  SimProcessTable processes;
  SimNetCounters netCounters;

  [[nodiscard]] Platform platform() {
    return Platform{registry, clock, folders, files, launcher, locale, network, system, processes, netCounters};
  }
};

}  // namespace zelvor
