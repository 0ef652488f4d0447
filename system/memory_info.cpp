#include "system/memory_info.h"

#include "system/procfs/kernel_text.h"
#include "system/size_text.h"

namespace zelvor {

void CMemoryInfo::Refresh() {
  const MemoryBytes m = probe_.memory().value_or(MemoryBytes{});
  using procfs::SaturatingAdd;
  // Sums and differences are taken on the bytes, before the shift to
  // megabytes, so the used figure is not off by a rounding.
  const std::uint64_t physicalUsedBytes = m.physicalTotal - std::min(m.physicalAvailable, m.physicalTotal);
  const std::uint64_t swapUsedBytes = m.swapTotal - std::min(m.swapFree, m.swapTotal);
  physicalTotal = MegabytesOf(m.physicalTotal);
  physicalFree = MegabytesOf(m.physicalAvailable);
  physicalUsed = MegabytesOf(physicalUsedBytes);
  swapTotal = MegabytesOf(m.swapTotal);
  swapFree = MegabytesOf(m.swapFree);
  swapUsed = MegabytesOf(swapUsedBytes);
  virtualTotal = MegabytesOf(SaturatingAdd(m.physicalTotal, m.swapTotal));
  virtualFree = MegabytesOf(SaturatingAdd(m.physicalAvailable, m.swapFree));
  virtualUsed = MegabytesOf(SaturatingAdd(physicalUsedBytes, swapUsedBytes));
}

}  // namespace zelvor
