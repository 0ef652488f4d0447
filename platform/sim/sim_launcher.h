#pragma once
#include <mutex>
#include <set>
#include <vector>

#include "platform/launcher.h"

namespace zelvor {

// Records every launch instead of starting anything.
class SimLauncher : public Launcher {
 public:
  LaunchResult launch(const LaunchRequest& request) override {
    std::lock_guard lock(mutex_);
    launched.push_back(request);
    if (!failWith.empty()) return {false, 0, failWith};
    return {true, static_cast<std::int64_t>(launched.size()), {}};
  }
  std::optional<int> wait(std::int64_t processId, int) override {
    std::lock_guard lock(mutex_);
    if (stillRunning || running.count(processId) != 0) return std::nullopt;
    return exitCode;
  }

  std::vector<LaunchRequest> launched;
  std::string failWith;  // non-empty: every launch fails with this text
  int exitCode = 0;
  bool stillRunning = false;  // wait() times out: the launched programs keep running
  std::set<std::int64_t> running;  // processes that have not ended (wait times out)

 private:
  std::mutex mutex_;
};

}  // namespace zelvor
