#include "platform/counter_text.h"

#include <limits>

namespace zelvor {

std::optional<std::uint64_t> ParseCounterText(std::string_view text) {
  if (text.size() > kMaxCounterText) return std::nullopt;
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (kMax - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace zelvor
