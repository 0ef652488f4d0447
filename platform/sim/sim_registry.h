#pragma once
#include "platform/tree_registry.h"

namespace zelvor {

// The store in memory. A test can make the next writes fail to check that
// callers survive a store that cannot be written.
class SimRegistry : public TreeRegistry {
 public:
  void failWrites(bool fail) { failWrites_ = fail; }
  [[nodiscard]] int commits() const { return commits_; }

 protected:
  RegStatus commitWrite(const RegistryTree& tree) override;
  void reload(RegistryTree& tree) override;

 private:
  bool failWrites_ = false;
  int commits_ = 0;
  // The last committed state, to go back to when a write is refused.
  std::string committed_;
};

}  // namespace zelvor
