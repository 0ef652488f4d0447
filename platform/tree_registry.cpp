#include "platform/tree_registry.h"

#include <mutex>
#include <utility>

namespace zelvor {

template <typename F>
auto TreeRegistry::read(F&& f) {
  // isStale may answer true only once for a given change (its file check
  // is throttled), so reload without asking again; two threads racing here
  // at worst both reload.
  if (isStale()) {
    std::unique_lock lock(mutex_);
    reload(tree_);
  }
  std::shared_lock lock(mutex_);
  return f(static_cast<const RegistryTree&>(tree_));
}

template <typename F>
RegStatus TreeRegistry::write(F&& f) {
  std::unique_lock lock(mutex_);
  if (!beginWrite(tree_)) {
    endWrite();
    return RegStatus::WriteFailed;
  }
  const auto [status, changed] = f(tree_);
  RegStatus result = status;
  if (changed) {
    const RegStatus committed = commitWrite(tree_);
    if (committed != RegStatus::Ok) {
      // The backing store still holds the old tree; go back to it.
      reload(tree_);
      result = committed;
    }
  }
  endWrite();
  return result;
}

bool TreeRegistry::keyExists(Hive hive, std::string_view path) {
  return read([&](const RegistryTree& t) { return t.find(hive, path) != nullptr; });
}

RegStatus TreeRegistry::createKey(Hive hive, std::string_view path) {
  if (!isValidKeyPath(path)) return RegStatus::InvalidName;
  if (keyExists(hive, path)) return RegStatus::Ok;
  return write([&](RegistryTree& t) {
    const std::vector<RegOp> op{{RegOp::Kind::CreateKey, hive, std::string(path), {}, {}}};
    const RegStatus s = t.validate(op);
    if (s != RegStatus::Ok) return std::pair{s, false};
    const bool existed = t.find(hive, path) != nullptr;
    t.create(hive, path);
    return std::pair{RegStatus::Ok, !existed};
  });
}

std::optional<RegValue> TreeRegistry::queryValue(Hive hive, std::string_view path,
                                                 std::string_view name) {
  return read([&](const RegistryTree& t) -> std::optional<RegValue> {
    const RegistryNode* node = t.find(hive, path);
    if (node == nullptr) return std::nullopt;
    const RegValue* v = node->value(name);
    if (v == nullptr) return std::nullopt;
    return *v;
  });
}

RegStatus TreeRegistry::setValue(Hive hive, std::string_view path, std::string_view name,
                                 const RegValue& value) {
  // Writing what is already there changes nothing and costs no disk write.
  const bool same = read([&](const RegistryTree& t) {
    const RegistryNode* node = t.find(hive, path);
    const RegValue* v = node == nullptr ? nullptr : node->value(name);
    return v != nullptr && *v == value;
  });
  if (same) return RegStatus::Ok;
  return write([&](RegistryTree& t) {
    const RegStatus s = t.setValue(hive, path, name, value);
    return std::pair{s, s == RegStatus::Ok};
  });
}

RegStatus TreeRegistry::deleteValue(Hive hive, std::string_view path, std::string_view name) {
  return write([&](RegistryTree& t) {
    const RegStatus s = t.deleteValue(hive, path, name);
    return std::pair{s, s == RegStatus::Ok};
  });
}

RegStatus TreeRegistry::deleteKey(Hive hive, std::string_view path) {
  return write([&](RegistryTree& t) {
    const RegStatus s = t.deleteKey(hive, path);
    return std::pair{s, s == RegStatus::Ok};
  });
}

std::vector<std::string> TreeRegistry::subkeyNames(Hive hive, std::string_view path) {
  return read([&](const RegistryTree& t) {
    const RegistryNode* node = t.find(hive, path);
    return node == nullptr ? std::vector<std::string>{} : node->childNames();
  });
}

std::vector<std::string> TreeRegistry::valueNames(Hive hive, std::string_view path) {
  return read([&](const RegistryTree& t) {
    const RegistryNode* node = t.find(hive, path);
    return node == nullptr ? std::vector<std::string>{} : node->valueNames();
  });
}

std::optional<RegKeySnapshot> TreeRegistry::snapshot(Hive hive, std::string_view path) {
  return read([&](const RegistryTree& t) -> std::optional<RegKeySnapshot> {
    const RegistryNode* node = t.find(hive, path);
    if (node == nullptr) return std::nullopt;
    return node->snapshot();
  });
}

RegStatus TreeRegistry::apply(const std::vector<RegOp>& ops) {
  return write([&](RegistryTree& t) {
    const RegStatus s = t.validate(ops);
    if (s != RegStatus::Ok) return std::pair{s, false};
    t.applyValidated(ops);
    return std::pair{RegStatus::Ok, !ops.empty()};
  });
}

}  // namespace zelvor
