#pragma once
// /proc/cpuinfo: how the kernel describes the processor, for processors
// without an identification instruction to ask (and for the clock).

#include <string>
#include <string_view>

#include "platform/system_probe.h"

namespace zelvor::procfs {

struct CpuinfoSummary {
  ProcessorDescription description;
  int mhz = 0;         // "cpu MHz" of the first processor, whole MHz; 0 when absent
  int processors = 0;  // "processor" entries
};

// The first processor's fields are taken. The name comes from the first
// of "model name", "Processor" (older ARM kernels), "cpu model" (MIPS),
// "cpu" (POWER) and "uarch" (RISC-V); an ARM processor, whose kernel gives
// only numbers, is named from its implementer and part codes. The vendor
// is "vendor_id" or "vendor", else the ARM implementer's name.
[[nodiscard]] CpuinfoSummary ParseCpuinfo(std::string_view text);

// The maker an ARM implementer code stands for; "" when unknown.
[[nodiscard]] std::string_view ArmImplementerName(unsigned code);
// The name of a processor design ("Cortex-A72"); "" when unknown.
[[nodiscard]] std::string_view ArmPartName(unsigned implementer, unsigned part);

}  // namespace zelvor::procfs
