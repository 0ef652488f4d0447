#pragma once
#include <sys/types.h>

#include <cstddef>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <utility>

#include "platform/launcher.h"

namespace zelvor {

// Starts programs with posix_spawnp: an argument vector, no shell.
//
// The suite runs for days and most programs it starts are never waited for:
// each launch first collects the ones that have ended (so that none lingers
// as a zombie) and keeps their exit codes for a later wait().
class PosixLauncher : public Launcher {
 public:
  LaunchResult launch(const LaunchRequest& request) override;
  std::optional<int> wait(std::int64_t processId, int timeoutMs) override;

 private:
  // Exit codes kept for programs nobody waits for: the oldest are forgotten.
  static constexpr std::size_t kKeptExitCodes = 256;

  void reapEnded();
  [[nodiscard]] std::optional<int> takeEnded(pid_t pid);

  std::mutex mutex_;
  std::set<pid_t> running_;
  std::deque<std::pair<pid_t, int>> ended_;
};

}  // namespace zelvor
