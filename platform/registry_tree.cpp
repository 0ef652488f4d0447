#include "platform/registry_tree.h"

#include <algorithm>

namespace zelvor {

RegistryNode* RegistryNode::child(std::string_view name) const {
  const auto it = children_.find(name);
  return it == children_.end() ? nullptr : it->second.get();
}

RegistryNode& RegistryNode::childOrCreate(std::string_view name) {
  auto it = children_.find(name);
  if (it == children_.end()) {
    it = children_.emplace(std::string(name), std::make_unique<RegistryNode>(std::string(name)))
             .first;
  }
  return *it->second;
}

bool RegistryNode::removeChild(std::string_view name) {
  const auto it = children_.find(name);
  if (it == children_.end()) return false;
  children_.erase(it);
  return true;
}

std::vector<std::string> RegistryNode::childNames() const {
  std::vector<std::string> names;
  names.reserve(children_.size());
  for (const auto& [n, c] : children_) names.push_back(c->name());
  return names;
}

const RegValue* RegistryNode::value(std::string_view name) const {
  const auto it = valueIndex_.find(name);
  return it == valueIndex_.end() ? nullptr : &values_[it->second].second;
}

void RegistryNode::setValue(std::string_view name, const RegValue& value) {
  const auto it = valueIndex_.find(name);
  if (it != valueIndex_.end()) {
    values_[it->second].second = value;
    return;
  }
  valueIndex_.emplace(std::string(name), values_.size());
  values_.emplace_back(std::string(name), value);
}

bool RegistryNode::removeValue(std::string_view name) {
  const auto it = valueIndex_.find(name);
  if (it == valueIndex_.end()) return false;
  const std::size_t removed = it->second;
  valueIndex_.erase(it);
  values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(removed));
  for (auto& [n, index] : valueIndex_) {
    if (index > removed) --index;
  }
  return true;
}

std::vector<std::string> RegistryNode::valueNames() const {
  std::vector<std::string> names;
  names.reserve(values_.size());
  for (const auto& [n, v] : values_) names.push_back(n);
  return names;
}

RegKeySnapshot RegistryNode::snapshot() const {
  // A loop rather than recursion: the depth of a tree is bounded, but the
  // stack of a worker thread may be small.
  RegKeySnapshot root;
  std::vector<std::pair<const RegistryNode*, RegKeySnapshot*>> pending{{this, &root}};
  while (!pending.empty()) {
    const auto [node, copy] = pending.back();
    pending.pop_back();
    copy->name = node->name_;
    copy->values = node->values_;
    // Sized before any pointer into it is taken, so none moves.
    copy->subkeys.resize(node->children_.size());
    std::size_t i = 0;
    for (const auto& [n, c] : node->children_) pending.emplace_back(c.get(), &copy->subkeys[i++]);
  }
  return root;
}

namespace {

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

bool isValidKeyName(std::string_view name) {
  return name.size() <= kMaxKeyNameLength && !hasLineBreak(name);
}

bool isValidKeyPath(std::string_view path) {
  const auto parts = splitKeyPath(path);
  if (parts.size() > kMaxKeyDepth) return false;
  for (const auto part : parts) {
    if (!isValidKeyName(part)) return false;
  }
  return true;
}

bool isValidValueData(const RegValue& value) { return value.data.size() <= kMaxValueDataBytes; }

bool isValidValueName(std::string_view name) {
  return name.size() <= kMaxValueNameLength && !hasLineBreak(name);
}

std::vector<std::string_view> splitKeyPath(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

RegistryNode& RegistryTree::root(Hive hive) {
  switch (hive) {
    case Hive::LocalMachine:
      return localMachine_;
    case Hive::ClassesRoot:
      return classesRoot_;
    case Hive::CurrentUser:
      break;
  }
  return currentUser_;
}

const RegistryNode& RegistryTree::root(Hive hive) const {
  return const_cast<RegistryTree*>(this)->root(hive);
}

RegistryNode* RegistryTree::find(Hive hive, std::string_view path) const {
  auto* node = const_cast<RegistryNode*>(&root(hive));
  for (const auto part : splitKeyPath(path)) {
    node = node->child(part);
    if (node == nullptr) return nullptr;
  }
  return node;
}

RegistryNode& RegistryTree::create(Hive hive, std::string_view path) {
  RegistryNode* node = &root(hive);
  for (const auto part : splitKeyPath(path)) node = &node->childOrCreate(part);
  return *node;
}

RegStatus RegistryTree::setValue(Hive hive, std::string_view path, std::string_view name,
                                 const RegValue& value) {
  if (!isValidValueName(name)) return RegStatus::InvalidName;
  if (!isValidValueData(value)) return RegStatus::TooLarge;
  RegistryNode* node = find(hive, path);
  if (node == nullptr) return RegStatus::NotFound;
  node->setValue(name, value);
  return RegStatus::Ok;
}

RegStatus RegistryTree::deleteValue(Hive hive, std::string_view path, std::string_view name) {
  RegistryNode* node = find(hive, path);
  if (node == nullptr || !node->removeValue(name)) return RegStatus::NotFound;
  return RegStatus::Ok;
}

namespace {

// Finds the parent of the last part of path; nullptr when the path names a
// hive itself (which cannot be deleted) or the parent does not exist.
RegistryNode* parentOf(const RegistryTree& tree, Hive hive, std::string_view path,
                       std::string_view& last) {
  const auto parts = splitKeyPath(path);
  if (parts.empty()) return nullptr;
  last = parts.back();
  RegistryNode* node = const_cast<RegistryNode*>(&tree.root(hive));
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    node = node->child(parts[i]);
    if (node == nullptr) return nullptr;
  }
  return node;
}

}  // namespace

RegStatus RegistryTree::deleteKey(Hive hive, std::string_view path) {
  std::string_view last;
  RegistryNode* parent = parentOf(*this, hive, path, last);
  if (parent == nullptr) return RegStatus::NotFound;
  RegistryNode* node = parent->child(last);
  if (node == nullptr) return RegStatus::NotFound;
  if (node->hasChildren()) return RegStatus::HasSubkeys;
  parent->removeChild(last);
  return RegStatus::Ok;
}

RegStatus RegistryTree::deleteTree(Hive hive, std::string_view path) {
  std::string_view last;
  RegistryNode* parent = parentOf(*this, hive, path, last);
  if (parent != nullptr) parent->removeChild(last);
  return RegStatus::Ok;
}

RegStatus RegistryTree::validate(const std::vector<RegOp>& ops) const {
  for (const auto& op : ops) {
    if (!isValidKeyPath(op.path) || !isValidValueName(op.name)) return RegStatus::InvalidName;
    if (op.kind == RegOp::Kind::DeleteTree && splitKeyPath(op.path).empty()) {
      return RegStatus::InvalidName;
    }
    if (op.kind == RegOp::Kind::SetValue && !isValidValueData(op.value)) return RegStatus::TooLarge;
  }
  return newKeyLinesFit(ops) ? RegStatus::Ok : RegStatus::TooLarge;
}

bool RegistryTree::newKeyLinesFit(const std::vector<RegOp>& ops) const {
  // Every key takes a line of the store's text that holds its whole path,
  // so a few short lines naming deep paths could make millions of keys and
  // a text of gigabytes. The keys a batch would add are counted once each,
  // in a shadow tree of names only, and their lines summed, stopping as
  // soon as the sum alone passes the store's size.
  std::map<const RegistryNode*, std::size_t> shadowUnder;  // existing key → its shadow
  std::vector<std::map<std::string, std::size_t, NameLess>> shadow;  // added keys' children
  std::size_t bytes = 0;
  for (const auto& op : ops) {
    if (op.kind != RegOp::Kind::CreateKey && op.kind != RegOp::Kind::SetValue) continue;
    const RegistryNode* node = &root(op.hive);
    std::size_t at = 0;  // the shadow key, once node is null
    // "[", the hive, "]", the line end and the empty line after it.
    std::size_t line = hiveName(op.hive).size() + 4;
    for (const auto part : splitKeyPath(op.path)) {
      line += part.size() + 1;
      if (node != nullptr) {
        if (const RegistryNode* child = node->child(part)) {
          node = child;
          continue;
        }
        const auto [it, added] = shadowUnder.emplace(node, shadow.size());
        if (added) shadow.emplace_back();
        at = it->second;
        node = nullptr;
      }
      if (const auto it = shadow[at].find(part); it != shadow[at].end()) {
        at = it->second;
        continue;
      }
      bytes += line;
      if (bytes > kMaxStoreBytes) return false;
      const std::size_t next = shadow.size();
      shadow.emplace_back();
      shadow[at].emplace(std::string(part), next);
      at = next;
    }
  }
  return true;
}

void RegistryTree::applyValidated(const std::vector<RegOp>& ops) {
  for (const auto& op : ops) {
    switch (op.kind) {
      case RegOp::Kind::CreateKey:
        create(op.hive, op.path);
        break;
      case RegOp::Kind::SetValue:
        // Within a batch a value implies its key, so a batch never stops half-way.
        create(op.hive, op.path).setValue(op.name, op.value);
        break;
      case RegOp::Kind::DeleteValue:
        (void)deleteValue(op.hive, op.path, op.name);
        break;
      case RegOp::Kind::DeleteTree:
        (void)deleteTree(op.hive, op.path);
        break;
    }
  }
}

void RegistryTree::clear() {
  for (Hive h : {Hive::CurrentUser, Hive::LocalMachine, Hive::ClassesRoot}) {
    RegistryNode& r = root(h);
    for (const auto& n : r.childNames()) r.removeChild(n);
    for (const auto& n : r.valueNames()) r.removeValue(n);
  }
}

}  // namespace zelvor
