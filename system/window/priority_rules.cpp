#include "system/window/priority_rules.h"

#include "platform/priority_classes.h"
#include "shell/store/config_store.h"
#include "shell/store/reg_key_ex.h"

namespace zelvor {
namespace {

constexpr std::string_view kRulesKey = "ZiviDuvaza\\AutoPriority";

}  // namespace

std::string LowerPath(std::string path) {
  for (char& c : path) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return path;
}

void PriorityRules::Load() {
  rules_.clear();
  CRegKeyEx key(registry_);
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kRulesKey)) != RegStatus::Ok) return;
  std::vector<std::string> names;
  key.EnumValues(names);
  for (const std::string& name : names) {
    const auto value = key.GetDword(name);
    if (value && *value != 0) rules_[LowerPath(name)] = *value;
  }
}

ProcessActionResult PriorityRules::Set(const std::string& path, std::uint32_t priorityClass, std::uint32_t pid) {
  // A process whose program the system does not name cannot have a rule.
  if (path.empty() || !NiceValueOf(priorityClass)) return {ProcessRefusal::Invalid, {}};
  CRegKeyEx key(registry_);
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kRulesKey)) == RegStatus::Ok) key.SetDword(path, priorityClass);
  rules_[LowerPath(path)] = priorityClass;
  return table_.setPriority(pid, priorityClass);
}

void PriorityRules::Remove(const std::string& path) {
  CRegKeyEx key(registry_);
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kRulesKey)) == RegStatus::Ok) {
    // The value may have been stored with other capitals.
    std::vector<std::string> names;
    key.EnumValues(names);
    for (const std::string& name : names) {
      if (LowerPath(name) == LowerPath(path)) key.DeleteValue(name);
    }
  }
  rules_.erase(LowerPath(path));
}

std::optional<std::uint32_t> PriorityRules::RuleOf(const std::string& path) const {
  const auto it = rules_.find(LowerPath(path));
  if (it == rules_.end()) return std::nullopt;
  return it->second;
}

int PriorityRules::Apply() {
  if (rules_.empty()) return 0;
  int changed = 0;
  for (const ProcessRecord& p : table_.processes()) {
    if (p.executablePath.empty()) continue;
    const auto rule = rules_.find(LowerPath(p.executablePath));
    if (rule == rules_.end()) continue;
    // Setting what a process already has would only cost system calls.
    if (const auto nice = NiceValueOf(rule->second); nice && *nice == p.nice) continue;
    if (table_.setPriority(p.pid, rule->second).ok()) ++changed;
  }
  return changed;
}

}  // namespace zelvor
