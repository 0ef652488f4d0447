#include "platform/name_compare.h"


namespace zelvor {
namespace {

// Calls sink(byte) for each byte of the folded form of name.
template <typename Sink>
void foldEach(std::string_view name, Sink&& sink) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c >= 'A' && c <= 'Z') {
      sink(static_cast<char>(c + ('a' - 'A')));
    } else if (c == 0xC3 && i + 1 < name.size()) {
      // U+00C0..U+00DE (except U+00D7, the multiplication sign) are the
      // capitals of U+00E0..U+00FE: second byte 0x80..0x9E maps to +0x20.
      const auto d = static_cast<unsigned char>(name[i + 1]);
      sink(static_cast<char>(c));
      sink(static_cast<char>(d >= 0x80 && d <= 0x9E && d != 0x97 ? d + 0x20 : d));
      ++i;
    } else {
      sink(static_cast<char>(c));
    }
  }
}

}  // namespace

std::string foldName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  foldEach(name, [&](char c) { out.push_back(c); });
  return out;
}

bool namesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    // Fast path failed: fall back to the full fold (accents span two bytes).
    return foldName(a) == foldName(b);
  }
  return true;
}

bool NameLess::operator()(std::string_view a, std::string_view b) const {
  bool ascii = true;
  for (char c : a) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  for (char c : b) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (!ascii) return foldName(a) < foldName(b);
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

}  // namespace zelvor
