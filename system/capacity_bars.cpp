#include "system/capacity_bars.h"

namespace zelvor {

int UsedPercent(std::uint32_t used, std::uint32_t total) {
  if (total == 0) return 0;
  return static_cast<int>(std::uint64_t{used} * 100 / total);
}

Colour CapacityBarColour(std::uint32_t freeMegabytes, int usedPercent, int threshold, int unit) {
  const bool low = unit == static_cast<int>(ThresholdUnit::Percent)
                       ? 100 - usedPercent < threshold
                       : static_cast<std::int64_t>(freeMegabytes) < threshold;
  return low ? kBarWarningColour : kBarNormalColour;
}

}  // namespace zelvor
