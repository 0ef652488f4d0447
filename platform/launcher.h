#pragma once
// Starting other programs. Arguments travel as a vector and no shell ever
// sees them, so nothing a user typed is interpreted.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvor {

struct LaunchRequest {
  std::vector<std::string> argv;  // argv[0] is the program: a path, or a name looked up in PATH
  std::string workingFolder;      // "" keeps the current one
};

struct LaunchResult {
  bool ok = false;
  std::int64_t processId = 0;
  std::string error;  // the system's text when ok is false
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  [[nodiscard]] virtual LaunchResult launch(const LaunchRequest& request) = 0;
  // Waits for a launched process to end; its exit code, or nullopt on time-out
  // (timeoutMs < 0 waits without limit).
  [[nodiscard]] virtual std::optional<int> wait(std::int64_t processId, int timeoutMs) = 0;
};

}  // namespace zelvor
