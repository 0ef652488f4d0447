#pragma once
#include <map>
#include <optional>
#include <vector>

#include "platform/process_table.h"

namespace zelvor {

// A process list a test fills. Ending a process takes it off the list;
// the rules of refusal are the system's: another user's process is
// refused, and so is a higher priority (a lower niceness) for an
// unprivileged user.
class SimProcessTable : public ProcessTable {
 public:
  std::vector<ProcessRecord> processes() override { return list; }
  std::optional<std::vector<ModuleRecord>> modules(std::uint32_t pid) override;
  ProcessActionResult terminate(std::uint32_t pid) override;
  ProcessActionResult setPriority(std::uint32_t pid, std::uint32_t priorityClass) override;

  std::vector<ProcessRecord> list;
  std::map<std::uint32_t, std::vector<ModuleRecord>> moduleLists;
  std::uint32_t userId = 1000;
  bool privileged = false;
  std::vector<std::uint32_t> terminated;

 private:
  // nullptr with the refusal filled in when the process cannot be acted on.
  ProcessRecord* find(std::uint32_t pid, ProcessActionResult& result);
};

}  // namespace zelvor
