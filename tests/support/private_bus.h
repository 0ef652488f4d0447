#pragma once
// A D-Bus daemon of the test's own, and python3-dbusmock services on it.
// Nothing here touches the machine's system or session bus.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/process.h"
#include "tests/support/sandbox.h"

namespace zelvor::testing {

class PrivateBus {
 public:
  // Whether the tools are there: dbus-daemon, and python3 with dbusmock.
  [[nodiscard]] static bool toolsInstalled() {
    return ::access("/usr/bin/dbus-daemon", X_OK) == 0 &&
           runProcess({"/usr/bin/python3", "-c", "import dbusmock"}, {{"PATH", "/usr/bin:/bin"}}).exitCode == 0;
  }

  explicit PrivateBus(const Sandbox& sandbox) : env_(sandbox.environment()) {
    const std::string dir = sandbox.path("bus/");
    int out = -1;
    daemon_ = startProcessReading({"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1",
                                   "--address=unix:dir=" + dir},
                                  out, env_);
    if (daemon_ > 0 && readLine(out, address_)) env_["DBUS_SYSTEM_BUS_ADDRESS"] = address_;
    if (out >= 0) ::close(out);
  }
  ~PrivateBus() {
    for (pid_t pid : services_) stop(pid);
    if (daemon_ > 0) stop(daemon_);
  }
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;

  [[nodiscard]] const std::string& address() const { return address_; }

  // Starts a dbusmock template on this bus as if it were the system bus.
  // The caller waits for its name to appear.
  bool startTemplate(const std::string& name) {
    const pid_t pid =
        startProcess({"/usr/bin/python3", "-m", "dbusmock", "--system", "--template", name}, env_);
    if (pid > 0) services_.push_back(pid);
    return pid > 0;
  }

  // Ends the services started here (the bus stays), as a service that
  // exits or restarts would.
  void stopServices() {
    for (pid_t pid : services_) stop(pid);
    services_.clear();
  }

  // Starts a bare mock object (python3-dbusmock without a template) that owns
  // name on this bus; the caller adds its methods through the mock's own interface.
  bool startService(const std::string& name, const std::string& path, const std::string& interface) {
    const pid_t pid = startProcess({"/usr/bin/python3", "-m", "dbusmock", "--system", name, path, interface}, env_);
    if (pid > 0) services_.push_back(pid);
    return pid > 0;
  }

 private:
  static void stop(pid_t pid) {
    ::kill(pid, SIGTERM);
    (void)waitExitCode(pid);
  }

  Environment env_;
  std::string address_;
  pid_t daemon_ = -1;
  std::vector<pid_t> services_;
};

}  // namespace zelvor::testing
