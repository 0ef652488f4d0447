#pragma once
// Local time of many instants, for pricing a whole diary: the clock is
// asked for the UTC offset once per UTC day instead of once per record.

#include <cstdint>

#include "platform/clock.h"

namespace zelvor::diary {

class LocalTimeCache {
 public:
  explicit LocalTimeCache(Clock& clock) : clock_(clock) {}

  // The same as toLocal(clock, instant), with instants beyond some 34,000
  // years from 1970 taken as that limit so that nothing can overflow.
  // A UTC day whose first and last second have the same offset is taken to
  // have no change inside (zones change at most once a day); a day with a
  // change is converted instant by instant.
  [[nodiscard]] LocalTime of(std::int64_t instant);

 private:
  Clock& clock_;
  std::int64_t dayFirst_ = 1;  // the cached day, empty at first
  std::int64_t dayLast_ = 0;
  Clock::Offset offset_;
};

}  // namespace zelvor::diary
