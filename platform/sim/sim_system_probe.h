#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/system_probe.h"

namespace zelvor {

// A machine whose figures a test sets. Identification leaves not in the
// map answer zeros; without leaves the processor has no identification
// instruction and the description is used.
class SimSystemProbe : public SystemProbe {
 public:
  std::optional<CpuTimes> cpuTimes() override { return times; }
  int processorCount() override { return processors; }
  std::optional<CpuidRegisters> identify(std::uint32_t leaf) override {
    if (leaves.empty()) return std::nullopt;
    const auto it = leaves.find(leaf);
    return it != leaves.end() ? it->second : CpuidRegisters{};
  }
  ProcessorDescription processorDescription() override { return description; }
  int clockMHz() override { return clock; }
  std::optional<MemoryBytes> memory() override { return memoryBytes; }
  std::vector<FixedDisk> fixedDisks() override { return disks; }
  std::optional<DiskBytes> diskSpace(const std::string& root) override {
    const auto it = space.find(root);
    if (it == space.end()) return std::nullopt;
    return it->second;
  }
  SystemIdentity systemIdentity() override { return identity; }
  std::string computerName() override { return computer; }
  std::string userName() override { return user; }
  std::string systemFolder() override { return system; }
  std::string systemProgramFolder() override { return systemPrograms; }
  std::string temporaryFolder() override { return temporary; }

  std::optional<CpuTimes> times = CpuTimes{};
  int processors = 2;
  std::map<std::uint32_t, CpuidRegisters> leaves;
  ProcessorDescription description;
  int clock = 0;
  std::optional<MemoryBytes> memoryBytes = MemoryBytes{};
  std::vector<FixedDisk> disks;
  std::map<std::string, DiskBytes> space;
  SystemIdentity identity{"Debian GNU/Linux 12 (bookworm)", "6.1.0-18-amd64"};
  std::string computer = "equipo";
  std::string user = "usuario";
  std::string system = "/usr/";
  std::string systemPrograms = "/usr/bin/";
  std::string temporary = "/tmp/";
};

}  // namespace zelvor
