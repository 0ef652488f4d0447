#pragma once
// Interface counters from the kernel's /sys/class/net: every interface's
// index, whether it is the loopback, and its bytes received and sent.
// Each value is a small file read through a bounded reader; an interface
// whose files are missing or malformed is left out of the table.

#include <string>

#include "platform/net_counters.h"

namespace zelvor {

class SysfsNetCounters : public NetCounters {
 public:
  // root: the folder of the interfaces, ending with '/' (tests use their own).
  explicit SysfsNetCounters(std::string root = "/sys/class/net/") : root_(std::move(root)) {}

  bool available() override;
  std::optional<std::vector<NetInterface>> read() override;
  std::optional<NetInterface> interface(const std::string& name) override;

 private:
  std::string root_;
};

}  // namespace zelvor
