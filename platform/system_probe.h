#pragma once
// What the system information asks of the machine: processor time,
// processor identification, memory, the fixed disks and their space, the
// system's name, and the names and folders of this computer and user.
// Values come raw, in the units the system counts in; the probes of
// system/ turn them into the figures and texts the suite shows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvor {

// Time all processors together have spent, since the system started, in
// any one unit: only differences between two readings have a meaning.
struct CpuTimes {
  std::uint64_t idle = 0;   // doing nothing, including waiting for input and output
  std::uint64_t total = 0;  // idle and busy together

  friend bool operator==(const CpuTimes&, const CpuTimes&) = default;
};

// The four registers one leaf of the processor's identification instruction
// answers.
struct CpuidRegisters {
  std::uint32_t eax = 0;
  std::uint32_t ebx = 0;
  std::uint32_t ecx = 0;
  std::uint32_t edx = 0;

  friend bool operator==(const CpuidRegisters&, const CpuidRegisters&) = default;
};

// How the system itself describes the processor, for processors that have
// no identification instruction to ask. Empty texts are unknown.
struct ProcessorDescription {
  std::string vendor;
  std::string name;

  friend bool operator==(const ProcessorDescription&, const ProcessorDescription&) = default;
};

struct MemoryBytes {
  std::uint64_t physicalTotal = 0;
  // What programs can still have without the system swapping: free memory
  // plus the caches it would give up.
  std::uint64_t physicalAvailable = 0;
  std::uint64_t swapTotal = 0;
  std::uint64_t swapFree = 0;

  friend bool operator==(const MemoryBytes&, const MemoryBytes&) = default;
};

struct DiskBytes {
  std::uint64_t total = 0;
  std::uint64_t free = 0;  // all free space, also what only the administrator may use

  friend bool operator==(const DiskBytes&, const DiskBytes&) = default;
};

// A file system on a disk of this machine (not memory, the network or
// removable media), as the user knows it.
struct FixedDisk {
  std::string mountPoint;  // the root path to ask diskSpace about
  std::string label;       // the volume label; "" when it has none

  friend bool operator==(const FixedDisk&, const FixedDisk&) = default;
};

struct SystemIdentity {
  std::string distribution;   // the installed system's own name for itself
  std::string kernelRelease;  // "" when unknown

  friend bool operator==(const SystemIdentity&, const SystemIdentity&) = default;
};

class SystemProbe {
 public:
  virtual ~SystemProbe() = default;

  // nullopt when the system's counters cannot be read.
  [[nodiscard]] virtual std::optional<CpuTimes> cpuTimes() = 0;
  // Processors the system is using now; 0 when unknown.
  [[nodiscard]] virtual int processorCount() = 0;
  // One leaf of the processor's identification instruction; nullopt on a
  // processor that has none. Leaves above the processor's highest answer
  // whatever the processor answers for them, as the instruction does.
  [[nodiscard]] virtual std::optional<CpuidRegisters> identify(std::uint32_t leaf) = 0;
  [[nodiscard]] virtual ProcessorDescription processorDescription() = 0;
  // The processor clock in MHz as the system measured or was told it; 0 when unknown.
  [[nodiscard]] virtual int clockMHz() = 0;

  [[nodiscard]] virtual std::optional<MemoryBytes> memory() = 0;
  // In the order the system mounted them.
  [[nodiscard]] virtual std::vector<FixedDisk> fixedDisks() = 0;
  // nullopt when the path cannot be asked.
  [[nodiscard]] virtual std::optional<DiskBytes> diskSpace(const std::string& root) = 0;

  [[nodiscard]] virtual SystemIdentity systemIdentity() = 0;
  [[nodiscard]] virtual std::string computerName() = 0;
  [[nodiscard]] virtual std::string userName() = 0;
  // Folders end with '/'.
  [[nodiscard]] virtual std::string systemFolder() = 0;
  [[nodiscard]] virtual std::string systemProgramFolder() = 0;
  [[nodiscard]] virtual std::string temporaryFolder() = 0;
};

}  // namespace zelvor
