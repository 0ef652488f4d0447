#include "platform/posix/system_clock.h"

#include <time.h>

namespace zelvor {

SystemClock::SystemClock() { ::tzset(); }

std::int64_t SystemClock::now() {
  timespec ts{};
  ::clock_gettime(CLOCK_REALTIME, &ts);
  return ts.tv_sec;
}

std::uint64_t SystemClock::tickMs() {
  timespec ts{};
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1'000'000u;
}

Clock::Offset SystemClock::offsetAt(std::int64_t t) {
  const time_t tt = static_cast<time_t>(t);
  tm local{};
  ::localtime_r(&tt, &local);
  return {static_cast<int>(local.tm_gmtoff), local.tm_isdst > 0};
}

}  // namespace zelvor
