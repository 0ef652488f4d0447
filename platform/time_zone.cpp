#include "platform/time_zone.h"

#include <cctype>

#include "platform/clock.h"

namespace zelvor {
namespace {

class Cursor {
 public:
  explicit Cursor(std::string_view s) : s_(s) {}
  [[nodiscard]] bool done() const { return i_ >= s_.size(); }
  [[nodiscard]] char peek() const { return done() ? '\0' : s_[i_]; }
  bool eat(char c) {
    if (peek() != c) return false;
    ++i_;
    return true;
  }
  bool number(int& out, int maxDigits) {
    int digits = 0;
    out = 0;
    while (!done() && std::isdigit(static_cast<unsigned char>(peek())) && digits < maxDigits) {
      out = out * 10 + (s_[i_++] - '0');
      ++digits;
    }
    return digits > 0;
  }
  bool name() {
    if (eat('<')) {
      while (!done() && peek() != '>') ++i_;
      return eat('>');
    }
    std::size_t start = i_;
    while (!done() && std::isalpha(static_cast<unsigned char>(peek()))) ++i_;
    return i_ - start >= 3;
  }
  // [+-]hh[:mm[:ss]] in seconds.
  bool offset(int& seconds, int maxHours) {
    int sign = 1;
    if (eat('-')) sign = -1;
    else eat('+');
    int h = 0, m = 0, sec = 0;
    if (!number(h, 3) || h > maxHours) return false;
    if (eat(':') && (!number(m, 2) || m > 59)) return false;
    if (eat(':') && (!number(sec, 2) || sec > 59)) return false;
    seconds = sign * (h * 3600 + m * 60 + sec);
    return true;
  }

 private:
  std::string_view s_;
  std::size_t i_ = 0;
};

}  // namespace

TimeZoneRule TimeZoneRule::utc() { return TimeZoneRule{}; }

std::optional<TimeZoneRule> TimeZoneRule::parse(std::string_view rule) {
  TimeZoneRule z;
  Cursor c(rule);
  int west = 0;
  if (!c.name() || !c.offset(west, 24)) return std::nullopt;
  z.stdOffset_ = -west;
  if (c.done()) return z;
  if (!c.name()) return std::nullopt;
  z.hasDst_ = true;
  z.dstOffset_ = z.stdOffset_ + 3600;
  if (c.peek() != ',' && !c.done()) {
    if (!c.offset(west, 24)) return std::nullopt;
    z.dstOffset_ = -west;
  }
  auto transition = [&](Transition& tr) {
    if (c.eat('J')) {
      tr.kind = Transition::Kind::Julian1;
      if (!c.number(tr.day, 3) || tr.day < 1 || tr.day > 365) return false;
    } else if (c.eat('M')) {
      tr.kind = Transition::Kind::MonthWeekDay;
      if (!c.number(tr.month, 2) || tr.month < 1 || tr.month > 12) return false;
      if (!c.eat('.') || !c.number(tr.week, 1) || tr.week < 1 || tr.week > 5) return false;
      if (!c.eat('.') || !c.number(tr.weekday, 1) || tr.weekday > 6) return false;
    } else {
      tr.kind = Transition::Kind::Julian0;
      if (!c.number(tr.day, 3) || tr.day > 365) return false;
    }
    tr.time = 7200;
    if (c.eat('/') && !c.offset(tr.time, 167)) return false;
    return true;
  };
  if (c.done()) {
    // No rule given: the POSIX default of the United States.
    z.start_ = Transition{Transition::Kind::MonthWeekDay, 0, 3, 2, 0, 7200};
    z.end_ = Transition{Transition::Kind::MonthWeekDay, 0, 11, 1, 0, 7200};
    return z;
  }
  if (!c.eat(',') || !transition(z.start_) || !c.eat(',') || !transition(z.end_) || !c.done()) {
    return std::nullopt;
  }
  return z;
}

std::int64_t TimeZoneRule::localStart(const Transition& tr, int year) {
  std::int64_t day = daysFromCivil(year, 1, 1);
  switch (tr.kind) {
    case Transition::Kind::Julian1:
      day += tr.day - 1 + (isLeapYear(year) && tr.day >= 60 ? 1 : 0);
      break;
    case Transition::Kind::Julian0:
      day += tr.day;
      break;
    case Transition::Kind::MonthWeekDay: {
      const std::int64_t first = daysFromCivil(year, tr.month, 1);
      const int firstWeekday = static_cast<int>(((first + 4) % 7 + 7) % 7);
      int dom = 1 + (tr.weekday - firstWeekday + 7) % 7 + (tr.week - 1) * 7;
      while (dom > daysInMonth(year, tr.month)) dom -= 7;
      day = first + dom - 1;
      break;
    }
  }
  return day * 86400 + tr.time;
}

TimeZoneRule::Offset TimeZoneRule::offsetAt(std::int64_t t) const {
  if (!hasDst_) return {stdOffset_, false};
  const int year = civilFromSeconds(t + stdOffset_).year;
  const std::int64_t start = localStart(start_, year) - stdOffset_;
  const std::int64_t end = localStart(end_, year) - dstOffset_;
  const bool dst = start < end ? (t >= start && t < end) : !(t >= end && t < start);
  return dst ? Offset{dstOffset_, true} : Offset{stdOffset_, false};
}

}  // namespace zelvor
