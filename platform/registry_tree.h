#pragma once
// The in-memory tree behind every Registry binding: keys with ordered
// subkeys and values in creation order. Not thread-safe by itself; the
// bindings guard it.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/name_compare.h"
#include "platform/registry.h"
#include "platform/store_limits.h"

namespace zelvor {

class RegistryNode {
 public:
  RegistryNode() = default;
  explicit RegistryNode(std::string name) : name_(std::move(name)) {}
  RegistryNode(const RegistryNode&) = delete;
  RegistryNode& operator=(const RegistryNode&) = delete;

  [[nodiscard]] const std::string& name() const { return name_; }

  [[nodiscard]] RegistryNode* child(std::string_view name) const;
  RegistryNode& childOrCreate(std::string_view name);
  // Removes a direct child with everything under it; false if absent.
  bool removeChild(std::string_view name);
  [[nodiscard]] bool hasChildren() const { return !children_.empty(); }
  [[nodiscard]] std::vector<std::string> childNames() const;

  [[nodiscard]] const RegValue* value(std::string_view name) const;
  void setValue(std::string_view name, const RegValue& value);
  bool removeValue(std::string_view name);
  [[nodiscard]] std::vector<std::string> valueNames() const;
  [[nodiscard]] std::size_t valueCount() const { return values_.size(); }
  // In creation order.
  [[nodiscard]] const std::vector<std::pair<std::string, RegValue>>& values() const { return values_; }

  [[nodiscard]] RegKeySnapshot snapshot() const;
  // Visits values in creation order and children in name order.
  template <typename F>
  void forEachValue(F&& f) const {
    for (const auto& [n, v] : values_) f(n, v);
  }
  template <typename F>
  void forEachChild(F&& f) const {
    for (const auto& [n, c] : children_) f(*c);
  }

 private:
  std::string name_;
  std::map<std::string, std::unique_ptr<RegistryNode>, NameLess> children_;
  std::vector<std::pair<std::string, RegValue>> values_;
  std::map<std::string, std::size_t, NameLess> valueIndex_;
};

// Splits "A\B\C" into its parts, skipping empty ones.
[[nodiscard]] std::vector<std::string_view> splitKeyPath(std::string_view path);

// Three hives of nodes with path-based access, and the batch rules.
class RegistryTree {
 public:
  [[nodiscard]] RegistryNode& root(Hive hive);
  [[nodiscard]] const RegistryNode& root(Hive hive) const;
  [[nodiscard]] RegistryNode* find(Hive hive, std::string_view path) const;
  RegistryNode& create(Hive hive, std::string_view path);

  [[nodiscard]] RegStatus setValue(Hive, std::string_view path, std::string_view name,
                                   const RegValue& value);
  [[nodiscard]] RegStatus deleteValue(Hive, std::string_view path, std::string_view name);
  [[nodiscard]] RegStatus deleteKey(Hive, std::string_view path);
  // Deletes the key with everything under it; Ok when it was absent already.
  [[nodiscard]] RegStatus deleteTree(Hive, std::string_view path);
  // Checks a batch against the current tree without changing it: names,
  // depth and value sizes within their bounds, and keys that the store's
  // text could hold.
  [[nodiscard]] RegStatus validate(const std::vector<RegOp>& ops) const;
  // Applies a validated batch.
  void applyValidated(const std::vector<RegOp>& ops);

  void clear();

 private:
  [[nodiscard]] bool newKeyLinesFit(const std::vector<RegOp>& ops) const;

  RegistryNode currentUser_{"HKEY_CURRENT_USER"};
  RegistryNode localMachine_{"HKEY_LOCAL_MACHINE"};
  RegistryNode classesRoot_{"HKEY_CLASSES_ROOT"};
};

// Names the store can hold: within the bounds of store_limits.h (a path at
// most kMaxKeyDepth levels deep) and without line breaks, which no line of
// the store's text form could carry. The depth bound also keeps every walk
// of a tree, its destruction included, shallow.
[[nodiscard]] bool isValidKeyName(std::string_view name);
[[nodiscard]] bool isValidKeyPath(std::string_view path);
[[nodiscard]] bool isValidValueName(std::string_view name);
[[nodiscard]] bool isValidValueData(const RegValue& value);

}  // namespace zelvor
