#include "notes/note_font.h"

#include <cstdlib>

#include "notes/fixed_text.h"

namespace zelvor::notes {
namespace {

constexpr std::int32_t kNormalWeight = 400;
constexpr std::int32_t kBoldWeight = 700;
// Fonts chosen here name no script of their own: the desktop picks the
// glyphs by the text (DEFAULT_CHARSET).
constexpr std::uint8_t kDefaultCharset = 1;

}  // namespace

int PointsOfHeight(int lfHeight) {
  // A positive height is the cell height, a negative one the character
  // height; desktops size by the character, so both read as its magnitude.
  const long long pixels = std::llabs(static_cast<long long>(lfHeight));
  return static_cast<int>((pixels * 72 + kFontDpi / 2) / kFontDpi);
}

int HeightOfPoints(int points) {
  if (points <= 0) return 0;
  return -static_cast<int>((static_cast<long long>(points) * kFontDpi + 36) / 72);
}

std::optional<TextFont> TextFontOf(const LogFont& font) {
  if (!font.isChosen()) return std::nullopt;
  TextFont out;
  out.family = font.lfFaceName;
  out.pointSize = PointsOfHeight(font.lfHeight);
  out.weight = font.lfWeight > 0 && font.lfWeight <= 1000 ? font.lfWeight : 0;
  out.bold = font.lfWeight >= 600;
  out.italic = font.lfItalic != 0;
  out.underline = font.lfUnderline != 0;
  out.strikeOut = font.lfStrikeOut != 0;
  return out;
}

LogFont LogFontOf(const TextFont& font) {
  LogFont out;
  out.lfHeight = HeightOfPoints(font.pointSize);
  if (font.weight > 0 && font.weight <= 1000) {
    out.lfWeight = font.weight;
  } else {
    out.lfWeight = font.bold ? kBoldWeight : kNormalWeight;
  }
  out.lfItalic = font.italic ? 1 : 0;
  out.lfUnderline = font.underline ? 1 : 0;
  out.lfStrikeOut = font.strikeOut ? 1 : 0;
  out.lfCharSet = kDefaultCharset;
  out.lfFaceName = CutAtCharacter(font.family, kFaceNameField - 1);
  return out;
}

}  // namespace zelvor::notes
