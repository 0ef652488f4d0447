#include "platform/registry.h"

#include "platform/name_compare.h"

namespace zelvor {

std::string_view hiveName(Hive hive) {
  switch (hive) {
    case Hive::LocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case Hive::ClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case Hive::CurrentUser:
      break;
  }
  return "HKEY_CURRENT_USER";
}

std::optional<Hive> hiveFromName(std::string_view name) {
  for (Hive h : {Hive::CurrentUser, Hive::LocalMachine, Hive::ClassesRoot}) {
    if (namesEqual(name, hiveName(h))) return h;
  }
  if (namesEqual(name, "HKCU")) return Hive::CurrentUser;
  if (namesEqual(name, "HKLM")) return Hive::LocalMachine;
  if (namesEqual(name, "HKCR")) return Hive::ClassesRoot;
  return std::nullopt;
}

}  // namespace zelvor
