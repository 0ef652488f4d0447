#pragma once
// The processor's identification instruction, where the processor has one.

#include <cstdint>
#include <optional>

#include "platform/system_probe.h"

namespace zelvor {

// nullopt on processors without the instruction (every processor that is
// not of the x86 family, and the oldest that are).
[[nodiscard]] std::optional<CpuidRegisters> CpuidLeaf(std::uint32_t leaf);

// The processor's time-stamp counter; nullopt without one.
[[nodiscard]] std::optional<std::uint64_t> TimeStampCounter();

}  // namespace zelvor
