#include "system/procfs/kernel_text.h"

#include <charconv>

namespace zelvor::procfs {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// Length of the well-formed UTF-8 character at the start of s; 0 when there is none.
std::size_t Utf8Length(std::string_view s) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  if (b0 < 0x80) return 1;
  std::size_t n = 0;
  std::uint32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    n = 2;
    min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 3;
    min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 4;
    min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < n) return 0;
  std::uint32_t cp = b0 & (0x7Fu >> n);
  for (std::size_t i = 1; i < n; ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3Fu);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

std::vector<std::string_view> SplitFields(std::string_view line, std::size_t maxFields) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size() && fields.size() < maxFields) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::uint64_t> ParseUnsigned(std::string_view text) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::int64_t> ParseSigned(std::string_view text) {
  std::int64_t value = 0;
  if (text.empty() || text.front() == '+') return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::uint64_t> ParseHex(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<KeyValue> SplitKeyValue(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  return KeyValue{Trim(line.substr(0, colon)), Trim(line.substr(colon + 1))};
}

std::string PrintableText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const std::size_t n = Utf8Length(bytes);
    if (n == 0 || (n == 1 && (static_cast<unsigned char>(bytes[0]) < 0x20 || bytes[0] == 0x7F))) {
      out.push_back('?');
      bytes.remove_prefix(1);
      continue;
    }
    out.append(bytes.substr(0, n));
    bytes.remove_prefix(n);
  }
  return out;
}

}  // namespace zelvor::procfs
