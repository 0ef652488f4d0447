#pragma once
// A thread-safe Registry over a RegistryTree. Bindings that persist the
// tree override the hooks; the simulated binding uses it as it is.

#include <shared_mutex>

#include "platform/registry.h"
#include "platform/registry_tree.h"

namespace zelvor {

class TreeRegistry : public Registry {
 public:
  bool keyExists(Hive hive, std::string_view path) override;
  RegStatus createKey(Hive hive, std::string_view path) override;
  std::optional<RegValue> queryValue(Hive hive, std::string_view path,
                                     std::string_view name) override;
  RegStatus setValue(Hive hive, std::string_view path, std::string_view name,
                     const RegValue& value) override;
  RegStatus deleteValue(Hive hive, std::string_view path, std::string_view name) override;
  RegStatus deleteKey(Hive hive, std::string_view path) override;
  std::vector<std::string> subkeyNames(Hive hive, std::string_view path) override;
  std::vector<std::string> valueNames(Hive hive, std::string_view path) override;
  std::optional<RegKeySnapshot> snapshot(Hive hive, std::string_view path) override;
  RegStatus apply(const std::vector<RegOp>& ops) override;

 protected:
  // True when the backing store holds a newer tree than memory. Called on
  // every access, so it must be cheap.
  [[nodiscard]] virtual bool isStale() { return false; }
  // Replaces tree with the backing store's content (exclusive lock held).
  virtual void reload(RegistryTree& tree) { (void)tree; }
  // Around a change: begin takes any cross-process lock and brings the tree
  // up to date; commit makes the changed tree durable (WriteFailed, or
  // TooLarge when its text would pass the store's size, and the tree is
  // reloaded); end releases.
  [[nodiscard]] virtual bool beginWrite(RegistryTree& tree) {
    (void)tree;
    return true;
  }
  [[nodiscard]] virtual RegStatus commitWrite(const RegistryTree& tree) {
    (void)tree;
    return RegStatus::Ok;
  }
  virtual void endWrite() {}

 private:
  template <typename F>
  auto read(F&& f);
  // f changes the tree and returns {status, changed}.
  template <typename F>
  RegStatus write(F&& f);

  std::shared_mutex mutex_;
  RegistryTree tree_;
};

}  // namespace zelvor
