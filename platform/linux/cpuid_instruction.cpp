#include "platform/linux/cpuid_instruction.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define ZELVOR_HAS_CPUID 1
#endif

namespace zelvor {

#ifdef ZELVOR_HAS_CPUID

namespace {

constexpr std::uint32_t kTimeStampCounterFeature = 1u << 4;

bool HasInstruction() {
  // Zero when the identification flag of the flags register cannot be
  // toggled, which is how the oldest processors say they lack it.
  return __get_cpuid_max(0, nullptr) != 0;
}

}  // namespace

std::optional<CpuidRegisters> CpuidLeaf(std::uint32_t leaf) {
  if (!HasInstruction()) return std::nullopt;
  CpuidRegisters r;
  __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
  return r;
}

std::optional<std::uint64_t> TimeStampCounter() {
  const auto leaf1 = CpuidLeaf(1);
  if (!leaf1 || (leaf1->edx & kTimeStampCounterFeature) == 0) return std::nullopt;
  return __rdtsc();
}

#else

std::optional<CpuidRegisters> CpuidLeaf(std::uint32_t) { return std::nullopt; }
std::optional<std::uint64_t> TimeStampCounter() { return std::nullopt; }

#endif

}  // namespace zelvor
