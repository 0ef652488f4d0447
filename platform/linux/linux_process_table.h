#pragma once
// The processes as /proc lists them; ending them with SIGTERM and setting
// the niceness of all their threads. See docs/system-probes.md.

#include "platform/process_table.h"

namespace zelvor {

class LinuxProcessTable final : public ProcessTable {
 public:
  std::vector<ProcessRecord> processes() override;
  std::optional<std::vector<ModuleRecord>> modules(std::uint32_t pid) override;
  ProcessActionResult terminate(std::uint32_t pid) override;
  ProcessActionResult setPriority(std::uint32_t pid, std::uint32_t priorityClass) override;
};

// What a failed kill() or setpriority() means for the user. EPERM is
// another user's process; EACCES a niceness below the current one, which
// needs privileges.
[[nodiscard]] ProcessActionResult RefusalOfError(int error);

}  // namespace zelvor
