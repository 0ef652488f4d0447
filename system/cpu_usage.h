#pragma once
// The share of processor time in use since the owner's previous call.

#include <optional>

#include "platform/system_probe.h"

namespace zelvor {

// Every consumer keeps its own: the figure is measured against the
// previous call of this object, so two consumers asking at different rates
// each get the usage over their own interval.
class CCPUUsage {
 public:
  explicit CCPUUsage(SystemProbe& probe) : probe_(probe) {}

  // Percent 0..100 since the previous call; the first call gives the
  // average since the system started. -1 while the counters have never
  // been readable (each call tries again); 0 when they cannot be read
  // after they once were. When no processor time passed since the previous
  // call the previous figure is given again.
  [[nodiscard]] int GetUsage();

 private:
  SystemProbe& probe_;
  bool initialised_ = false;
  CpuTimes previous_{};
  int last_ = 0;
};

// The usage between two readings, 0..100, truncated; nullopt when no time
// passed between them or the counters went backwards.
[[nodiscard]] std::optional<int> UsageBetween(const CpuTimes& before, const CpuTimes& after);

}  // namespace zelvor
