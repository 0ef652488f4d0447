#include "platform/sim/sim_process_table.h"

#include <algorithm>

#include "platform/priority_classes.h"

namespace zelvor {

std::optional<std::vector<ModuleRecord>> SimProcessTable::modules(std::uint32_t pid) {
  ProcessActionResult refusal;
  if (find(pid, refusal) == nullptr) return std::nullopt;
  const auto it = moduleLists.find(pid);
  return it != moduleLists.end() ? it->second : std::vector<ModuleRecord>{};
}

ProcessRecord* SimProcessTable::find(std::uint32_t pid, ProcessActionResult& result) {
  if (!IsSingleProcessId(pid)) {
    result = {ProcessRefusal::Invalid, "Invalid argument"};
    return nullptr;
  }
  const auto it = std::find_if(list.begin(), list.end(), [&](const ProcessRecord& p) { return p.pid == pid; });
  if (it == list.end()) {
    result = {ProcessRefusal::Gone, "No such process"};
    return nullptr;
  }
  if (it->ownerId != userId && !privileged) {
    result = {ProcessRefusal::OtherUser, "Operation not permitted"};
    return nullptr;
  }
  return &*it;
}

ProcessActionResult SimProcessTable::terminate(std::uint32_t pid) {
  ProcessActionResult result;
  if (find(pid, result) == nullptr) return result;
  std::erase_if(list, [&](const ProcessRecord& p) { return p.pid == pid; });
  moduleLists.erase(pid);
  terminated.push_back(pid);
  return result;
}

ProcessActionResult SimProcessTable::setPriority(std::uint32_t pid, std::uint32_t priorityClass) {
  const std::optional<int> nice = NiceValueOf(priorityClass);
  if (!nice) return {ProcessRefusal::Invalid, "Invalid argument"};
  ProcessActionResult result;
  ProcessRecord* p = find(pid, result);
  if (p == nullptr) return result;
  if (*nice < p->nice && !privileged) return {ProcessRefusal::NeedsPrivilege, "Permission denied"};
  p->nice = *nice;
  return result;
}

}  // namespace zelvor
