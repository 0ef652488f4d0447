#pragma once
// The configuration store as the suite sees it: hives of keys holding typed
// values. Names are case-insensitive and keep the case they were created
// with. Subkeys enumerate in case-insensitive name order, values in the order
// they were first created.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_value.h"

namespace zelvor {

enum class Hive { CurrentUser, LocalMachine, ClassesRoot };

[[nodiscard]] std::string_view hiveName(Hive hive);
[[nodiscard]] std::optional<Hive> hiveFromName(std::string_view name);

enum class RegStatus {
  Ok,
  NotFound,      // key or value does not exist
  HasSubkeys,    // deleteKey on a key that still has subkeys
  InvalidName,   // empty path part where a name is needed, or a name too long
  WriteFailed,   // the backing store could not be made durable; nothing changed
  TooLarge,      // the store would pass one of its bounds (store_limits.h); nothing changed
};

// One change of a batch. Batches apply all or nothing.
struct RegOp {
  enum class Kind { CreateKey, SetValue, DeleteValue, DeleteTree };
  Kind kind = Kind::CreateKey;
  Hive hive = Hive::CurrentUser;
  std::string path;
  std::string name;  // value name (SetValue, DeleteValue)
  RegValue value;    // SetValue
};

// A key and everything under it, as one consistent copy.
struct RegKeySnapshot {
  std::string name;
  std::vector<std::pair<std::string, RegValue>> values;  // creation order
  std::vector<RegKeySnapshot> subkeys;                   // name order
};

class Registry {
 public:
  virtual ~Registry() = default;

  [[nodiscard]] virtual bool keyExists(Hive hive, std::string_view path) = 0;
  // Creates the key and every missing key above it.
  [[nodiscard]] virtual RegStatus createKey(Hive hive, std::string_view path) = 0;
  [[nodiscard]] virtual std::optional<RegValue> queryValue(Hive hive, std::string_view path,
                                                           std::string_view name) = 0;
  // The key must exist (as with an open key handle).
  [[nodiscard]] virtual RegStatus setValue(Hive hive, std::string_view path, std::string_view name,
                                           const RegValue& value) = 0;
  [[nodiscard]] virtual RegStatus deleteValue(Hive hive, std::string_view path,
                                              std::string_view name) = 0;
  // Deletes a key that has no subkeys.
  [[nodiscard]] virtual RegStatus deleteKey(Hive hive, std::string_view path) = 0;
  [[nodiscard]] virtual std::vector<std::string> subkeyNames(Hive hive, std::string_view path) = 0;
  [[nodiscard]] virtual std::vector<std::string> valueNames(Hive hive, std::string_view path) = 0;
  [[nodiscard]] virtual std::optional<RegKeySnapshot> snapshot(Hive hive, std::string_view path) = 0;
  // Applies every operation or none (one durable write for the whole batch).
  [[nodiscard]] virtual RegStatus apply(const std::vector<RegOp>& ops) = 0;
};

}  // namespace zelvor
