#include "net/diary/local_time_cache.h"

#include <algorithm>

namespace zelvor::diary {

LocalTime LocalTimeCache::of(std::int64_t instant) {
  constexpr std::int64_t kLimit = std::int64_t{1} << 40;
  constexpr std::int64_t kDay = 86400;
  instant = std::clamp(instant, -kLimit, kLimit);
  if (instant < dayFirst_ || instant > dayLast_) {
    const std::int64_t first = instant - ((instant % kDay) + kDay) % kDay;
    const Clock::Offset a = clock_.offsetAt(first);
    const Clock::Offset b = clock_.offsetAt(first + kDay - 1);
    if (a.seconds != b.seconds || a.dst != b.dst) return toLocal(clock_, instant);
    dayFirst_ = first;
    dayLast_ = first + kDay - 1;
    offset_ = a;
  }
  LocalTime local = civilFromSeconds(instant + offset_.seconds);
  local.dst = offset_.dst;
  local.utcOffset = offset_.seconds;
  return local;
}

}  // namespace zelvor::diary
