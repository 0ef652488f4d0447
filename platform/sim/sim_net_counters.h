#pragma once
// Interface counters a test sets.

#include <vector>

#include "platform/net_counters.h"

namespace zelvor {

class SimNetCounters : public NetCounters {
 public:
  bool available() override { return present; }
  std::optional<std::vector<NetInterface>> read() override {
    if (!readable) return std::nullopt;
    return table;
  }
  std::optional<NetInterface> interface(const std::string& name) override {
    if (!readable) return std::nullopt;
    for (const NetInterface& i : table) {
      if (i.name == name) return i;
    }
    return std::nullopt;
  }

  bool present = true;
  bool readable = true;
  std::vector<NetInterface> table;
};

}  // namespace zelvor
