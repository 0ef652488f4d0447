#include "shell/store/regedit4.h"

namespace zelvor {

ImportResult importRegedit4(Registry& registry, std::string_view text, regtext::Header header) {
  ImportResult result;
  const auto parsed = regtext::parse(text, header);
  if (parsed.error) {
    result.error = regtext::formatError(*parsed.error);
    return result;
  }
  for (const auto& e : parsed.entries) {
    (e.kind == regtext::Entry::Kind::Key ? result.keys : result.values)++;
  }
  const RegStatus status = registry.apply(regtext::toOps(parsed.entries));
  if (status != RegStatus::Ok) {
    result.error = describeStoreFailure(status);
    return result;
  }
  result.ok = true;
  return result;
}

std::string describeStoreFailure(RegStatus status) {
  if (status == RegStatus::TooLarge) {
    return "the settings would be larger than " + regtext::describeBytes(kMaxStoreBytes) +
           ", the limit of the store";
  }
  return "the settings could not be saved";
}

std::string exportRegedit4(Registry& registry, Hive hive, std::string_view path) {
  const auto snap = registry.snapshot(hive, path);
  if (!snap) return std::string(regtext::headerFor(regtext::Dialect::Export));
  return regtext::write(*snap, hive, path, regtext::Dialect::Export);
}

}  // namespace zelvor
