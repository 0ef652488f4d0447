#pragma once
#include "platform/launcher.h"

namespace zelvor {

// Starts programs with posix_spawnp: an argument vector, no shell.
class PosixLauncher : public Launcher {
 public:
  LaunchResult launch(const LaunchRequest& request) override;
  std::optional<int> wait(std::int64_t processId, int timeoutMs) override;
};

}  // namespace zelvor
