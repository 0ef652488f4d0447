#pragma once
// /proc/meminfo (and the zone watermarks of /proc/zoneinfo that old kernels
// need to estimate the available memory).

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/system_probe.h"

namespace zelvor::procfs {

// The fields the memory figures use, in bytes; nullopt when absent.
struct MeminfoFields {
  std::optional<std::uint64_t> memTotal;
  std::optional<std::uint64_t> memFree;
  std::optional<std::uint64_t> memAvailable;  // since Linux 3.14
  std::optional<std::uint64_t> activeFile;
  std::optional<std::uint64_t> inactiveFile;
  std::optional<std::uint64_t> slabReclaimable;
  std::optional<std::uint64_t> swapTotal;
  std::optional<std::uint64_t> swapFree;
};

[[nodiscard]] MeminfoFields ParseMeminfo(std::string_view text);

// The sum of every zone's low watermark, in pages.
[[nodiscard]] std::uint64_t ParseZoneLowWatermarkPages(std::string_view text);

// The memory figures; nullopt without MemTotal and MemFree. Available
// memory is the kernel's own MemAvailable; a kernel too old to give it gets
// the estimate the kernel computes for it: free memory less the low
// watermark, plus the file cache and the reclaimable slab, each less the
// smaller of its half and the low watermark.
[[nodiscard]] std::optional<MemoryBytes> MemoryBytesOf(const MeminfoFields& fields,
                                                       std::uint64_t lowWatermarkBytes);

}  // namespace zelvor::procfs
