#include "platform/sim/sim_registry.h"

#include "platform/regtext/regtext.h"

namespace zelvor {
namespace {

std::string serialize(const RegistryTree& tree) {
  std::string out;
  for (Hive h : {Hive::CurrentUser, Hive::LocalMachine, Hive::ClassesRoot}) {
    regtext::appendTree(out, tree.root(h).snapshot(), h, "", regtext::Dialect::Store);
  }
  return out;
}

}  // namespace

bool SimRegistry::commitWrite(const RegistryTree& tree) {
  if (failWrites_) return false;
  ++commits_;
  committed_ = serialize(tree);
  return true;
}

void SimRegistry::reload(RegistryTree& tree) {
  tree.clear();
  const auto parsed = regtext::parse(committed_, regtext::Header::Optional);
  tree.applyValidated(regtext::toOps(parsed.entries));
}

}  // namespace zelvor
