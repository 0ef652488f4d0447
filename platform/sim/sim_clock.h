#pragma once
// Virtual time: it moves only when a test advances it.

#include <atomic>

#include "platform/clock.h"
#include "platform/time_zone.h"

namespace zelvor {

class SimClock : public Clock {
 public:
  explicit SimClock(std::int64_t start = 1'700'000'000, TimeZoneRule zone = TimeZoneRule::utc())
      : now_(start * 1000), zone_(zone) {}

  std::int64_t now() override { return now_.load() / 1000; }
  std::uint64_t tickMs() override { return static_cast<std::uint64_t>(now_.load() - start_); }
  Offset offsetAt(std::int64_t t) override {
    const auto o = zone_.offsetAt(t);
    return {o.seconds, o.dst};
  }

  void advanceMs(std::int64_t ms) { now_ += ms; }
  void setNow(std::int64_t seconds) { now_ = seconds * 1000; }
  void setZone(const TimeZoneRule& zone) { zone_ = zone; }
  [[nodiscard]] std::int64_t nowMs() const { return now_.load(); }

 private:
  std::atomic<std::int64_t> now_;
  std::int64_t start_ = now_.load();
  TimeZoneRule zone_;
};

}  // namespace zelvor
