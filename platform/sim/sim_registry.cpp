#include "platform/sim/sim_registry.h"

#include "platform/regtext/store_text.h"

namespace zelvor {

bool SimRegistry::commitWrite(const RegistryTree& tree) {
  if (failWrites_) return false;
  ++commits_;
  committed_ = regtext::storeText(tree);
  return true;
}

void SimRegistry::reload(RegistryTree& tree) { (void)regtext::loadStoreText(committed_, tree); }

}  // namespace zelvor
