#include "shutdown/auto_close_conditions.h"

#include <cstdio>

namespace zelvor::shutdown {

std::string SpanText(std::int64_t seconds) {
  if (seconds < 0) seconds = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%lldd %02lldh %02lldm %02llds", static_cast<long long>(seconds / 86400),
                static_cast<long long>(seconds / 3600 % 24), static_cast<long long>(seconds / 60 % 60),
                static_cast<long long>(seconds % 60));
  return buf;
}

void TimeSpanCondition::Start() {
  counter_ = static_cast<std::int64_t>(seconds) + static_cast<std::int64_t>(minutes) * 60 +
             static_cast<std::int64_t>(hours) * 3600 + static_cast<std::int64_t>(days) * 86400;
}

bool TimeSpanCondition::Tick() {
  const std::int64_t v = counter_;
  counter_ = v - 1;
  return v <= 0;
}

void CpuQuietCondition::Start() { counter_ = static_cast<std::int64_t>(minutes) * 60 + seconds; }

bool CpuQuietCondition::Tick(int usage) {
  lastUsage_ = usage;
  // A processor that cannot be read is not a quiet one.
  if (usage < 0 || usage >= threshold) {
    Start();
    return false;
  }
  const std::int64_t v = counter_;
  counter_ = v - 1;
  // A span of no length is met at the first quiet second.
  return v <= 1;
}

std::optional<TrafficTotals> ReadTrafficTotals(NetCounters& counters) {
  const auto interfaces = counters.read();
  if (!interfaces) return std::nullopt;
  TrafficTotals t;
  for (const NetInterface& i : *interfaces) {
    if (i.loopback) continue;
    t.receivedKb += static_cast<double>(i.receivedBytes) / 1024.0;
    t.sentKb += static_cast<double>(i.sentBytes) / 1024.0;
  }
  return t;
}

void TrafficQuietCondition::Start(const TrafficTotals& baseline) {
  previous_ = baseline;
  downloadRate_ = uploadRate_ = -1;
  counter_ = Span();
}

void TrafficQuietCondition::Stop() {
  previous_ = {};
  downloadRate_ = uploadRate_ = 0;
  counter_ = 0;
}

bool TrafficQuietCondition::Quiet() const {
  if (downloadOn && uploadOn) return downloadKbs > downloadRate_ && uploadKbs > uploadRate_;
  if (downloadOn) return downloadKbs > downloadRate_;
  if (uploadOn) return uploadKbs > uploadRate_;
  return false;
}

bool TrafficQuietCondition::Tick(const std::optional<TrafficTotals>& totals) {
  if (++checks_ > kMeasureSeconds - 1) {
    checks_ = 0;
    if (totals) {
      downloadRate_ = (totals->receivedKb - previous_.receivedKb) / kMeasureSeconds;
      uploadRate_ = (totals->sentKb - previous_.sentKb) / kMeasureSeconds;
      previous_ = *totals;
    }
  }
  if (downloadRate_ < 0 || uploadRate_ < 0) return false;
  if (!Quiet()) {
    counter_ = Span();
    return false;
  }
  const std::int64_t v = counter_;
  counter_ = v - 1;
  return v <= 1;
}

}  // namespace zelvor::shutdown
