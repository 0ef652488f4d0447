#include "calendar/calendar_font.h"

#include <algorithm>

namespace zelvor::calendar {
namespace {

constexpr std::size_t kFaceSize = 32;

std::int32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
                                   static_cast<std::uint32_t>(b[at + 2]) << 16 |
                                   static_cast<std::uint32_t>(b[at + 3]) << 24);
}
void put32(std::vector<std::uint8_t>& b, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) b.push_back(static_cast<std::uint8_t>(u >> shift & 0xFF));
}

}  // namespace

std::optional<notes::LogFont> DecodeLogFont(const std::vector<std::uint8_t>& b) {
  if (b.size() != kLogFontSize) return std::nullopt;
  notes::LogFont f;
  f.lfHeight = le32(b, 0);
  f.lfWidth = le32(b, 4);
  f.lfEscapement = le32(b, 8);
  f.lfOrientation = le32(b, 12);
  f.lfWeight = le32(b, 16);
  f.lfItalic = b[20];
  f.lfUnderline = b[21];
  f.lfStrikeOut = b[22];
  f.lfCharSet = b[23];
  f.lfOutPrecision = b[24];
  f.lfClipPrecision = b[25];
  f.lfQuality = b[26];
  f.lfPitchAndFamily = b[27];
  const auto face = b.begin() + 28;
  f.lfFaceName.assign(face, std::find(face, face + kFaceSize, std::uint8_t{0}));
  return f;
}

std::vector<std::uint8_t> EncodeLogFont(const notes::LogFont& f) {
  std::vector<std::uint8_t> b;
  b.reserve(kLogFontSize);
  put32(b, f.lfHeight);
  put32(b, f.lfWidth);
  put32(b, f.lfEscapement);
  put32(b, f.lfOrientation);
  put32(b, f.lfWeight);
  for (std::uint8_t v : {f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision,
                         f.lfQuality, f.lfPitchAndFamily}) {
    b.push_back(v);
  }
  // At most 31 bytes of the face, and always its NUL.
  const std::size_t n = std::min(f.lfFaceName.size(), kFaceSize - 1);
  b.insert(b.end(), f.lfFaceName.begin(), f.lfFaceName.begin() + static_cast<std::ptrdiff_t>(n));
  b.resize(kLogFontSize, 0);
  return b;
}

}  // namespace zelvor::calendar
