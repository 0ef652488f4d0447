#include "system/cpu_usage.h"

#include <algorithm>

namespace zelvor {

std::optional<int> UsageBetween(const CpuTimes& before, const CpuTimes& after) {
  if (after.total <= before.total) return std::nullopt;
  const double total = static_cast<double>(after.total - before.total);
  // Idle time can step back by a little when a processor goes offline;
  // count that as no idle time rather than as more than all of it.
  const double idle = after.idle >= before.idle ? static_cast<double>(after.idle - before.idle) : 0.0;
  const double usage = 100.0 - idle / total * 100.0;
  return std::clamp(static_cast<int>(usage), 0, 100);
}

int CCPUUsage::GetUsage() {
  const std::optional<CpuTimes> now = probe_.cpuTimes();
  if (!now) return initialised_ ? 0 : -1;
  initialised_ = true;
  if (const auto usage = UsageBetween(previous_, *now)) last_ = *usage;
  previous_ = *now;
  return last_;
}

}  // namespace zelvor
