#include "platform/locale.h"

#include <charconv>
#include <cmath>

namespace zelvor {
namespace {

bool isDigits(std::string_view s) {
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Adds one to a text of decimal digits ("999" becomes "1000").
void incrementDigits(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

std::string groupDigits(const std::string& digits, const NumberFormat& format) {
  if (format.grouping.empty() || format.thousandsSeparator.empty()) return digits;
  std::vector<std::string> groups;  // rightmost first
  std::size_t end = digits.size();
  std::size_t rule = 0;
  while (end > 0) {
    const int size = format.grouping[std::min(rule, format.grouping.size() - 1)];
    if (size <= 0 || static_cast<std::size_t>(size) >= end) {
      groups.push_back(digits.substr(0, end));
      break;
    }
    const std::size_t n = static_cast<std::size_t>(size);
    groups.push_back(digits.substr(end - n, n));
    end -= n;
    ++rule;
  }
  std::string out;
  for (std::size_t i = groups.size(); i-- > 0;) {
    out += groups[i];
    if (i > 0) out += format.thousandsSeparator;
  }
  return out;
}

}  // namespace

std::string formatNumberText(const NumberFormat& format, std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  const auto dot = text.find('.');
  std::string integer(text.substr(0, dot));
  std::string fraction(dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1));
  if (integer.empty() && fraction.empty()) return {};
  if (!isDigits(integer) || !isDigits(fraction)) return {};
  // (push_back rather than = "0": GCC 12 warns falsely on that assignment.)
  if (integer.empty()) integer.push_back('0');

  const std::size_t decimals = static_cast<std::size_t>(std::max(0, std::min(format.decimals, 9)));
  // Round half away from zero on the digits themselves, as a text-based
  // formatter does, so that "0.125" with two decimals gives "0.13".
  const bool roundUp = fraction.size() > decimals && fraction[decimals] >= '5';
  fraction.resize(decimals, '0');
  if (roundUp) {
    std::string all = integer + fraction;
    incrementDigits(all);
    integer = all.substr(0, all.size() - decimals);
    fraction = all.substr(all.size() - decimals);
  }
  // Leading zeros of the integer part go, except one.
  const auto firstNonZero = integer.find_first_not_of('0');
  if (firstNonZero == std::string::npos) {
    integer.assign(1, '0');
  } else {
    integer.erase(0, firstNonZero);
  }

  const bool isZero = integer == "0" && fraction.find_first_not_of('0') == std::string::npos;
  std::string out;
  if (negative && !isZero) out.push_back('-');
  out.append(groupDigits(integer, format));
  if (decimals > 0) {
    out.append(format.decimalSeparator);
    out.append(fraction);
  }
  return out;
}

std::string formatNumber(const NumberFormat& format, double value) {
  if (!std::isfinite(value)) return {};
  // Locale-independent and exact enough for money: fixed notation with more
  // digits than any format shows, then the text rules above.
  char buf[512];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 10);
  if (r.ec != std::errc()) return {};
  return formatNumberText(format, std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

}  // namespace zelvor
