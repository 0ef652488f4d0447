#include "shell/store/config_store.h"

#include "shell/store/reg_key_ex.h"

namespace zelvor {

std::string listElementKey(int index) { return " " + std::to_string(index); }

std::string ConfigStore::KeyPath(std::string_view subPath) { return joinKeyPath(kRootKey, subPath); }

std::string ConfigStore::ReadConfigString(std::string_view subPath, std::string_view name) const {
  // One lookup: a missing key reads like a missing value, as an open that
  // fails would make it read.
  const auto value = registry_.queryValue(Hive::CurrentUser, KeyPath(subPath), name);
  std::string text;
  if (!value || !value->readText(text)) return {};
  return text;
}

int ConfigStore::ReadConfigInt(std::string_view subPath, std::string_view name) const {
  return atoiRules(ReadConfigString(subPath, name));
}

void ConfigStore::WriteConfigString(std::string_view subPath, std::string_view name,
                                    std::string_view text) {
  CRegKeyEx key(registry_);
  if (key.Create(Hive::CurrentUser, KeyPath(subPath)) == RegStatus::Ok) key.SetString(name, text);
}

void ConfigStore::WriteConfigInt(std::string_view subPath, std::string_view name, int value) {
  WriteConfigString(subPath, name, std::to_string(value));
}

std::string ConfigStore::GetDataFolder() const {
  const std::string base = folders_.userDataFolder();
  if (base.empty()) return folders_.programFolder();
  const std::string folder = base + "zelvor/";
  // The desktop's data folder itself may not exist yet on a new account.
  (void)files_.makeParentFolders(folder + "notes.dat");
  return folder;
}

bool ConfigStore::IsEnabled(std::string_view utilityKey) const {
  return ReadConfigInt(utilityKey, "") == 1;
}

void ConfigStore::SetEnabled(std::string_view utilityKey, bool enabled) {
  WriteConfigString(utilityKey, "", enabled ? "1" : "0");
}

}  // namespace zelvor
