#pragma once
// The one-number texts the kernel keeps per network interface
// (statistics/rx_bytes, ifindex, type): read in full but never beyond a
// few bytes, and accepted only when they are a plain decimal number.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zelvor {

// The longest text accepted: 20 digits (2^64 - 1) and a line feed.
inline constexpr std::size_t kMaxCounterText = 21;

// The number in text ("12345\n"); nullopt for anything else, an empty
// text, a number past 2^64 - 1 or a text longer than kMaxCounterText.
[[nodiscard]] std::optional<std::uint64_t> ParseCounterText(std::string_view text);

}  // namespace zelvor
