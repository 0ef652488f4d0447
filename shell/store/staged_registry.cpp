#include "shell/store/staged_registry.h"

#include <utility>

namespace zelvor {
namespace {

// Copies a snapshot into a node, walking with a stack of its own so that a
// deep tree cannot exhaust the thread's stack.
void load(RegistryNode& target, const RegKeySnapshot& source) {
  std::vector<std::pair<RegistryNode*, const RegKeySnapshot*>> pending{{&target, &source}};
  while (!pending.empty()) {
    auto [node, snap] = pending.back();
    pending.pop_back();
    for (const auto& [name, value] : snap->values) node->setValue(name, value);
    for (const auto& sub : snap->subkeys) pending.emplace_back(&node->childOrCreate(sub.name), &sub);
  }
}

}  // namespace

RegistryTree& StagedRegistry::tree() {
  if (!loaded_) {
    loaded_ = true;
    for (Hive h : {Hive::CurrentUser, Hive::LocalMachine, Hive::ClassesRoot}) {
      if (const auto snap = inner_.snapshot(h, "")) load(tree_.root(h), *snap);
    }
  }
  return tree_;
}

RegStatus StagedRegistry::record(RegOp op) {
  std::vector<RegOp> one{std::move(op)};
  if (const RegStatus s = tree().validate(one); s != RegStatus::Ok) return s;
  tree_.applyValidated(one);
  ops_.push_back(std::move(one.front()));
  return RegStatus::Ok;
}

bool StagedRegistry::keyExists(Hive hive, std::string_view path) { return tree().find(hive, path) != nullptr; }

RegStatus StagedRegistry::createKey(Hive hive, std::string_view path) {
  if (keyExists(hive, path)) return RegStatus::Ok;
  return record({RegOp::Kind::CreateKey, hive, std::string(path), {}, {}});
}

std::optional<RegValue> StagedRegistry::queryValue(Hive hive, std::string_view path, std::string_view name) {
  const RegistryNode* node = tree().find(hive, path);
  if (node == nullptr) return std::nullopt;
  const RegValue* v = node->value(name);
  if (v == nullptr) return std::nullopt;
  return *v;
}

RegStatus StagedRegistry::setValue(Hive hive, std::string_view path, std::string_view name,
                                   const RegValue& value) {
  if (!keyExists(hive, path)) return RegStatus::NotFound;
  return record({RegOp::Kind::SetValue, hive, std::string(path), std::string(name), value});
}

RegStatus StagedRegistry::deleteValue(Hive hive, std::string_view path, std::string_view name) {
  if (!queryValue(hive, path, name)) return RegStatus::NotFound;
  return record({RegOp::Kind::DeleteValue, hive, std::string(path), std::string(name), {}});
}

RegStatus StagedRegistry::deleteKey(Hive hive, std::string_view path) {
  const RegistryNode* node = tree().find(hive, path);
  if (node == nullptr) return RegStatus::NotFound;
  if (node->hasChildren()) return RegStatus::HasSubkeys;
  return record({RegOp::Kind::DeleteTree, hive, std::string(path), {}, {}});
}

std::vector<std::string> StagedRegistry::subkeyNames(Hive hive, std::string_view path) {
  const RegistryNode* node = tree().find(hive, path);
  return node == nullptr ? std::vector<std::string>{} : node->childNames();
}

std::vector<std::string> StagedRegistry::valueNames(Hive hive, std::string_view path) {
  const RegistryNode* node = tree().find(hive, path);
  return node == nullptr ? std::vector<std::string>{} : node->valueNames();
}

std::optional<RegKeySnapshot> StagedRegistry::snapshot(Hive hive, std::string_view path) {
  const RegistryNode* node = tree().find(hive, path);
  if (node == nullptr) return std::nullopt;
  return node->snapshot();
}

RegStatus StagedRegistry::apply(const std::vector<RegOp>& ops) {
  if (const RegStatus s = tree().validate(ops); s != RegStatus::Ok) return s;
  tree_.applyValidated(ops);
  ops_.insert(ops_.end(), ops.begin(), ops.end());
  return RegStatus::Ok;
}

RegStatus StagedRegistry::Commit() {
  if (ops_.empty()) return RegStatus::Ok;
  const RegStatus s = inner_.apply(ops_);
  ops_.clear();
  return s;
}

}  // namespace zelvor
