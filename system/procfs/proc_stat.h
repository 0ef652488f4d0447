#pragma once
// /proc/stat: the time all processors spent, and how many are online.

#include <optional>
#include <string_view>

#include "platform/system_probe.h"

namespace zelvor::procfs {

struct ProcStat {
  std::optional<CpuTimes> all;  // the "cpu" line; nullopt when missing or short
  int processors = 0;           // "cpuN" lines: the processors online
};

// Idle time is idle plus waiting for input and output; the total adds the
// time in user, nice, system, interrupts and stolen by a hypervisor. Guest
// time is already counted in user and nice, so it is not added again.
// Older kernels give fewer columns; at least the first four are needed.
[[nodiscard]] ProcStat ParseProcStat(std::string_view text);

}  // namespace zelvor::procfs
