#pragma once
#include "platform/clock.h"

namespace zelvor {

// The real clock; local time follows the TZ environment variable as the C
// library reads it.
class SystemClock : public Clock {
 public:
  SystemClock();
  std::int64_t now() override;
  std::uint64_t tickMs() override;
  Offset offsetAt(std::int64_t t) override;
};

}  // namespace zelvor
