#pragma once
// Shared pieces of the trigger tests: local instants on a clock and the
// Madrid zone, whose daylight-saving days the tests walk through.

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "exit/scheduler_record.h"
#include "platform/clock.h"
#include "platform/sim/sim_clock.h"
#include "platform/time_zone.h"

namespace zelvor::test {

inline constexpr const char* kMadridRule = "CET-1CEST,M3.5.0,M10.5.0/3";

inline TimeZoneRule Madrid() { return *TimeZoneRule::parse(kMadridRule); }

// The first instant whose local time on clock reads y-m-d h:mi:s; the
// time must exist there.
inline std::int64_t At(Clock& clock, int y, int m, int d, int h, int mi, int s = 0) {
  const auto instants = instantsOf(clock, y, m, d, h, mi, s);
  if (instants.empty()) throw std::runtime_error("local time does not exist");
  return instants.front();
}

// "2024-05-01 08:00:00 CEST", for readable failures.
inline std::string LocalText(Clock& clock, std::int64_t t) {
  const LocalTime lt = toLocal(clock, t);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d%s", lt.year, lt.month, lt.day,
                lt.hour, lt.minute, lt.second, lt.dst ? " DST" : "");
  return buf;
}

inline SchedulerRecord Trigger(TriggerKind kind, int hour, int minute, int day = 1, int month = 0,
                               int weekday = 0) {
  SchedulerRecord r;
  r.Enable = 1;
  r.Start = static_cast<int>(kind);
  r.Hour = hour;
  r.Minute = minute;
  r.Day = day;
  r.Month = month;
  r.Weekday = weekday;
  return r;
}

}  // namespace zelvor::test
