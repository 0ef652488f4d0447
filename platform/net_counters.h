#pragma once
// The byte counters of the machine's network interfaces, for the traffic
// meter and the automatic shutdown by traffic.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvor {

struct NetInterface {
  int index = 0;          // the system's interface index
  std::string name;       // "eth0", "ppp0"
  bool loopback = false;
  std::uint64_t receivedBytes = 0;
  std::uint64_t sentBytes = 0;
  friend bool operator==(const NetInterface&, const NetInterface&) = default;
};

class NetCounters {
 public:
  virtual ~NetCounters() = default;
  // Whether counters can be read at all on this machine.
  [[nodiscard]] virtual bool available() = 0;
  // Every interface with its counters, sorted by index; nullopt when the
  // table cannot be read (the caller keeps its previous one).
  [[nodiscard]] virtual std::optional<std::vector<NetInterface>> read() = 0;
  // One interface's counters by name; nullopt when it is not there.
  [[nodiscard]] virtual std::optional<NetInterface> interface(const std::string& name) = 0;
};

}  // namespace zelvor
