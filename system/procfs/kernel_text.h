#pragma once
// Small pieces for reading the kernel's text files: lines, blank-separated
// fields and numbers, none of which trusts the text to be well formed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvor::procfs {

// Calls f(line) for every line, without its '\n'; a last line without one
// counts too.
template <typename F>
void ForEachLine(std::string_view text, F&& f) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    f(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

// Blank-separated fields (spaces and tabs), at most maxFields of them.
[[nodiscard]] std::vector<std::string_view> SplitFields(std::string_view line, std::size_t maxFields = 64);

[[nodiscard]] std::string_view Trim(std::string_view text);

// Decimal digits only, the whole text; nullopt on anything else or overflow.
[[nodiscard]] std::optional<std::uint64_t> ParseUnsigned(std::string_view text);
// An optional '-' and decimal digits; nullopt on anything else or overflow.
[[nodiscard]] std::optional<std::int64_t> ParseSigned(std::string_view text);
// "0x" and hexadecimal digits, or hexadecimal digits alone.
[[nodiscard]] std::optional<std::uint64_t> ParseHex(std::string_view text);

// "key : value" lines split at the first ':'; both sides trimmed. nullopt
// for a line without ':'.
struct KeyValue {
  std::string_view key;
  std::string_view value;
};
[[nodiscard]] std::optional<KeyValue> SplitKeyValue(std::string_view line);

// The text as valid UTF-8 without control characters: each byte that is
// not part of a well-formed character, and each control character, becomes
// '?'. Kernel texts (process names, labels) are bytes a user chose.
[[nodiscard]] std::string PrintableText(std::string_view bytes);

// Saturating arithmetic for counters a hostile file may make huge.
[[nodiscard]] constexpr std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
  return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}
[[nodiscard]] constexpr std::uint64_t SaturatingMultiply(std::uint64_t a, std::uint64_t b) {
  return b != 0 && a > UINT64_MAX / b ? UINT64_MAX : a * b;
}

}  // namespace zelvor::procfs
