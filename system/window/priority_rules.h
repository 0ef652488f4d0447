#pragma once
// Permanent priority rules: a program (by its executable path, compared in
// lower case) always runs at a chosen priority class. The rules live as
// REG_DWORD values under ZiviDuvaza\AutoPriority, named by the path.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/process_table.h"
#include "platform/registry.h"

namespace zelvor {

class PriorityRules {
 public:
  PriorityRules(Registry& registry, ProcessTable& table) : registry_(registry), table_(table) {}

  // Reads the stored rules (non-zero REG_DWORD values only).
  void Load();
  // Stores a rule and sets the class on the process at once.
  [[nodiscard]] ProcessActionResult Set(const std::string& path, std::uint32_t priorityClass, std::uint32_t pid);
  void Remove(const std::string& path);
  [[nodiscard]] std::optional<std::uint32_t> RuleOf(const std::string& path) const;
  [[nodiscard]] bool empty() const { return rules_.empty(); }
  // Sets the stored class on every running process that has a rule and
  // another priority; returns how many were changed.
  int Apply();

 private:
  Registry& registry_;
  ProcessTable& table_;
  std::map<std::string, std::uint32_t> rules_;  // lower-case path → class
};

[[nodiscard]] std::string LowerPath(std::string path);

}  // namespace zelvor
