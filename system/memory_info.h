#pragma once
// The memory figures: physical memory, the swap space (the system's paging
// file) and their sum, the virtual memory; each as total, free and used,
// in megabytes.

#include <cstdint>

#include "platform/system_probe.h"

namespace zelvor {

class CMemoryInfo {
 public:
  explicit CMemoryInfo(SystemProbe& probe) : probe_(probe) {}

  // Reads the figures again; a failed reading leaves them all 0.
  void Refresh();

  // "Free" physical memory is what programs can still have (the system's
  // available memory), not merely the memory nothing uses.
  std::uint32_t physicalTotal = 0;
  std::uint32_t physicalFree = 0;
  std::uint32_t physicalUsed = 0;
  std::uint32_t swapTotal = 0;
  std::uint32_t swapFree = 0;
  std::uint32_t swapUsed = 0;
  std::uint32_t virtualTotal = 0;
  std::uint32_t virtualFree = 0;
  std::uint32_t virtualUsed = 0;

 private:
  SystemProbe& probe_;
};

}  // namespace zelvor
