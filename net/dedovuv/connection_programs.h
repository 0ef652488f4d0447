#pragma once
// The programs of DedoVuv\Programas run around a connection: started once
// per connection (when dialing begins or when it is up), and at the end
// the ones marked "close on disconnect" are ended.

#include <cstdint>
#include <functional>
#include <vector>

#include "launchers/launch_plan.h"
#include "platform/process_table.h"
#include "platform/registry.h"

namespace zelvor::dedovuv {

class ConnectionPrograms {
 public:
  struct Checks {
    // Which list places the user left checked; empty: every one runs.
    std::function<std::vector<bool>()> checked;
    // Called after a start, so the window stops offering "&Ejecutar ahora".
    std::function<void()> started;
  };
  ConnectionPrograms(Registry& registry, LaunchServices services, ProcessTable& processes, Checks checks)
      : registry_(registry), services_(std::move(services)), processes_(processes), checks_(std::move(checks)) {}

  // Starts the checked programs unless programs are already held for this
  // connection.
  void Start();
  // Ends the held programs marked to close on disconnect, then forgets all.
  void Close();
  // Forgets the held programs and leaves them running.
  void Forget() { held_.clear(); }

  struct Held {
    std::int64_t processId = 0;  // 0: an empty slot (unchecked, or nothing of ours to follow)
    bool closeOnDisconnect = false;
    friend bool operator==(const Held&, const Held&) = default;
  };
  [[nodiscard]] const std::vector<Held>& held() const { return held_; }

 private:
  Registry& registry_;
  LaunchServices services_;
  ProcessTable& processes_;
  Checks checks_;
  std::vector<Held> held_;
};

}  // namespace zelvor::dedovuv
