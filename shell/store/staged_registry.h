#pragma once
// Changes gathered for one durable write. The configuration window's pages
// save through a StagedRegistry: they read and write as usual, each change
// lands in a private copy of the store and in a list of operations, and
// Commit() hands the list to the real store as one batch, so pressing
// "Apli&car" costs one durable write however many values the pages wrote.

#include <vector>

#include "platform/registry.h"
#include "platform/registry_tree.h"

namespace zelvor {

class StagedRegistry final : public Registry {
 public:
  explicit StagedRegistry(Registry& inner) : inner_(inner) {}

  bool keyExists(Hive hive, std::string_view path) override;
  RegStatus createKey(Hive hive, std::string_view path) override;
  std::optional<RegValue> queryValue(Hive hive, std::string_view path, std::string_view name) override;
  RegStatus setValue(Hive hive, std::string_view path, std::string_view name, const RegValue& value) override;
  RegStatus deleteValue(Hive hive, std::string_view path, std::string_view name) override;
  RegStatus deleteKey(Hive hive, std::string_view path) override;
  std::vector<std::string> subkeyNames(Hive hive, std::string_view path) override;
  std::vector<std::string> valueNames(Hive hive, std::string_view path) override;
  std::optional<RegKeySnapshot> snapshot(Hive hive, std::string_view path) override;
  RegStatus apply(const std::vector<RegOp>& ops) override;

  // Writes every gathered change to the real store as one batch and starts
  // afresh. Nothing gathered: nothing is written.
  [[nodiscard]] RegStatus Commit();
  [[nodiscard]] bool HasChanges() const { return !ops_.empty(); }

 private:
  // The copy is taken at the first access, so that a window that stages
  // nothing reads nothing.
  RegistryTree& tree();
  RegStatus record(RegOp op);

  Registry& inner_;
  RegistryTree tree_;
  bool loaded_ = false;
  std::vector<RegOp> ops_;
};

}  // namespace zelvor
