#pragma once
// The texts of a process list's cells.

#include <cstdint>
#include <string>

#include "platform/locale.h"
#include "platform/priority_classes.h"

namespace zelvor {

// Decimal below 0x1000000, else "0x%08X".
[[nodiscard]] std::string ProcessIdText(std::uint32_t pid);
// Processor time (100 ns units) in whole seconds as "hh:mm:ss", hours
// going past 24.
[[nodiscard]] std::string CpuTimeText(std::uint64_t cpuTime);
[[nodiscard]] std::string CpuUsageText(int percent);
// Resident memory in KB with the user's digit grouping: "12.345 KB".
[[nodiscard]] std::string ProcessMemoryText(const NumberFormat& format, std::uint64_t residentBytes);
// The column text of a priority class ("Normal+" for above normal); ""
// for a value that is no class.
[[nodiscard]] std::string PriorityColumnText(std::uint32_t priorityClass);
// A module's base address: "0x%08X", wider when the address needs it.
[[nodiscard]] std::string ModuleBaseText(std::uint64_t base);

}  // namespace zelvor
