#include "net/traffic/network_info.h"

#include <algorithm>

namespace zelvor::traffic {

CNetworkInfo::CNetworkInfo(NetCounters& counters) : counters_(counters) {
  available_ = counters_.available();
  if (available_) (void)Refresh();
}

bool CNetworkInfo::Refresh() {
  if (!available_) return false;
  auto table = counters_.read();
  if (!table) return false;
  std::sort(table->begin(), table->end(), [](const NetInterface& a, const NetInterface& b) { return a.index < b.index; });
  rows_ = std::move(*table);
  return true;
}

const NetInterface* CNetworkInfo::Row(int i) const {
  if (i < 0 || i >= Count()) return nullptr;
  return &rows_[static_cast<std::size_t>(i)];
}

int CNetworkInfo::Index(int i) const { return Row(i) != nullptr ? Row(i)->index : 0; }
bool CNetworkInfo::Loopback(int i) const { return Row(i) != nullptr && Row(i)->loopback; }
std::string CNetworkInfo::Description(int i) const { return Row(i) != nullptr ? Row(i)->name : std::string(); }
double CNetworkInfo::ReceivedKB(int i) const {
  return Row(i) != nullptr ? static_cast<double>(Row(i)->receivedBytes) / 1024.0 : 0.0;
}
double CNetworkInfo::SentKB(int i) const {
  return Row(i) != nullptr ? static_cast<double>(Row(i)->sentBytes) / 1024.0 : 0.0;
}

double CNetworkInfo::TotalReceivedKB(bool skipLoopback) const {
  double sum = 0;
  for (int i = 0; i < Count(); ++i) {
    if (!(skipLoopback && Loopback(i))) sum += ReceivedKB(i);
  }
  return sum;
}

double CNetworkInfo::TotalSentKB(bool skipLoopback) const {
  double sum = 0;
  for (int i = 0; i < Count(); ++i) {
    if (!(skipLoopback && Loopback(i))) sum += SentKB(i);
  }
  return sum;
}

std::optional<int> CNetworkInfo::RowOfIndex(int index) const {
  for (int i = 0; i < Count(); ++i) {
    if (!Loopback(i) && Index(i) == index) return i;
  }
  return std::nullopt;
}

}  // namespace zelvor::traffic
