#pragma once
// The real services of the shipped program.

#include <memory>
#include <string>

#include "platform/linux/autostart_registry.h"
#include "platform/linux/file_registry.h"
#include "platform/linux/linux_folders.h"
#include "platform/linux/linux_locale.h"
#include "platform/linux/linux_process_table.h"
#include "platform/linux/linux_system_probe.h"
#include "platform/linux/sysfs_net_counters.h"
#include "platform/platform.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_launcher.h"
#include "platform/posix/posix_network.h"
#include "platform/posix/system_clock.h"

namespace zelvor {

class LinuxPlatform {
 public:
  // Fails with a message when the per-user configuration folder cannot be used.
  [[nodiscard]] static std::unique_ptr<LinuxPlatform> create(std::string& error);

  [[nodiscard]] Platform platform() {
    return Platform{*registry_, clock_,  folders_,       files_,         launcher_,
                    locale_,    network_, systemProbe_, processTable_, netCounters_};
  }
  [[nodiscard]] FileRegistry& store() { return *store_; }

 private:
  LinuxPlatform() = default;
  PosixFiles files_;
  SystemClock clock_;
  LinuxFolders folders_;
  PosixLauncher launcher_;
  LinuxLocale locale_;
  PosixNetwork network_;
  LinuxSystemProbe systemProbe_;
  LinuxProcessTable processTable_;
  SysfsNetCounters netCounters_;
  std::unique_ptr<FileRegistry> store_;
  std::unique_ptr<AutostartRegistry> registry_;
};

}  // namespace zelvor
