#include "platform/sim/sim_registry.h"

#include "platform/regtext/store_text.h"

namespace zelvor {

RegStatus SimRegistry::commitWrite(const RegistryTree& tree) {
  if (failWrites_) return RegStatus::WriteFailed;
  auto text = regtext::storeText(tree);
  if (!text) return RegStatus::TooLarge;
  ++commits_;
  committed_ = std::move(*text);
  return RegStatus::Ok;
}

void SimRegistry::reload(RegistryTree& tree) { (void)regtext::loadStoreText(committed_, tree); }

}  // namespace zelvor
