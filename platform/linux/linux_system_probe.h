#pragma once
// The machine's figures as the kernel gives them: /proc/stat, /proc/meminfo
// (with /proc/zoneinfo on kernels too old to estimate available memory),
// /proc/cpuinfo and the processor's identification instruction,
// /proc/self/mountinfo with /sys/class/block and /dev/disk/by-label,
// statvfs, os-release and uname. See docs/system-probes.md.

#include <optional>
#include <string>

#include "platform/system_probe.h"

namespace zelvor {

class LinuxSystemProbe final : public SystemProbe {
 public:
  std::optional<CpuTimes> cpuTimes() override;
  int processorCount() override;
  std::optional<CpuidRegisters> identify(std::uint32_t leaf) override;
  ProcessorDescription processorDescription() override;
  // Measured once, then kept.
  int clockMHz() override;
  std::optional<MemoryBytes> memory() override;
  std::vector<FixedDisk> fixedDisks() override;
  std::optional<DiskBytes> diskSpace(const std::string& root) override;
  SystemIdentity systemIdentity() override;
  std::string computerName() override;
  std::string userName() override;
  std::string systemFolder() override;
  std::string systemProgramFolder() override;
  std::string temporaryFolder() override;

 private:
  std::optional<int> clockMHz_;
};

// Largest sizes read of each file: far beyond what a real machine writes
// (thousands of processors or mounts), small enough that a file gone wrong
// cannot exhaust memory.
namespace kernel_file_cap {
inline constexpr std::size_t Stat = 4u << 20;
inline constexpr std::size_t Meminfo = 64u << 10;
inline constexpr std::size_t Zoneinfo = 4u << 20;
inline constexpr std::size_t Cpuinfo = 16u << 20;
inline constexpr std::size_t Mountinfo = 8u << 20;
inline constexpr std::size_t OsRelease = 64u << 10;
inline constexpr std::size_t SmallValue = 4u << 10;  // a /sys attribute
inline constexpr std::size_t PidStat = 8u << 10;
inline constexpr std::size_t PidStatus = 64u << 10;
inline constexpr std::size_t PidMaps = 32u << 20;
}  // namespace kernel_file_cap

}  // namespace zelvor
