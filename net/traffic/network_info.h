#pragma once
// The interface table of the traffic meter and of the automatic shutdown by
// traffic: per interface its index, whether it is the loopback, its name and
// its byte counters in kilobytes. The kernel's counters are 64-bit, so the
// totals never wrap within a session.

#include <optional>
#include <string>
#include <vector>

#include "platform/net_counters.h"

namespace zelvor::traffic {

class CNetworkInfo {
 public:
  // Reads the table once.
  explicit CNetworkInfo(NetCounters& counters);

  [[nodiscard]] bool Available() const { return available_; }
  // Reads the table again; a read that fails keeps the previous table.
  bool Refresh();

  [[nodiscard]] int Count() const { return static_cast<int>(rows_.size()); }
  // Row i, in index order; 0, false or "" for a row out of range.
  [[nodiscard]] int Index(int i) const;
  [[nodiscard]] bool Loopback(int i) const;
  [[nodiscard]] std::string Description(int i) const;
  [[nodiscard]] double ReceivedKB(int i) const;
  [[nodiscard]] double SentKB(int i) const;
  [[nodiscard]] double TotalReceivedKB(bool skipLoopback) const;
  [[nodiscard]] double TotalSentKB(bool skipLoopback) const;
  // The row of interface index among the non-loopback rows; nullopt when absent.
  [[nodiscard]] std::optional<int> RowOfIndex(int index) const;

 private:
  [[nodiscard]] const NetInterface* Row(int i) const;

  NetCounters& counters_;
  bool available_ = false;
  std::vector<NetInterface> rows_;
};

}  // namespace zelvor::traffic
