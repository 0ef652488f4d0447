#include "clipboard/clip_entry.h"

#include <algorithm>

namespace zelvor::clip {
namespace {

bool isNarrowText(std::uint32_t f) {
  return f == clip_format::Text || f == clip_format::OemText || f == clip_format::DspText;
}

// Characters of a UTF-8 text: bytes that do not continue a character.
std::size_t characters(const std::vector<std::uint8_t>& text, std::size_t end) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < end; ++i) {
    if ((text[i] & 0xC0) != 0x80) ++n;
  }
  return n;
}

bool isBlank(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Appends a NUL-terminated text of unit bytes per character to another.
void appendText(std::vector<std::uint8_t>& first, const std::vector<std::uint8_t>& second, std::size_t unit) {
  std::size_t end = 0;
  while (end + unit <= first.size()) {
    bool nul = true;
    for (std::size_t k = 0; k < unit; ++k) nul = nul && first[end + k] == 0;
    if (nul) break;
    end += unit;
  }
  first.resize(end);
  const std::size_t chars = unit == 1 ? characters(first, end) : end / unit;
  const auto unitAt = [&](std::size_t i) {
    return unit == 1 ? first[i] : static_cast<std::uint32_t>(first[i] | first[i + 1] << 8);
  };
  const bool endsCrLf = end >= 2 * unit && unitAt(end - 2 * unit) == '\r' && unitAt(end - unit) == '\n';
  if (chars >= 2 && !endsCrLf) {
    for (std::uint8_t c : {std::uint8_t{'\r'}, std::uint8_t{'\n'}}) {
      first.push_back(c);
      if (unit == 2) first.push_back(0);
    }
  }
  first.insert(first.end(), second.begin(), second.end());
}

}  // namespace

FormatKind KindOf(std::uint32_t format, const FormatNames& names) {
  switch (format) {
    case clip_format::Text:
    case clip_format::OemText:
    case clip_format::UnicodeText:
    case clip_format::DspText: return FormatKind::Text;
    case clip_format::Bitmap:
    case clip_format::MetafilePict:
    case clip_format::Tiff:
    case clip_format::Dib:
    case clip_format::EnhMetafile:
    case clip_format::DspBitmap:
    case clip_format::DspMetafilePict:
    case clip_format::DspEnhMetafile: return FormatKind::Picture;
    default: break;
  }
  if (format >= clip_format::FirstRegistered && names && names(format).starts_with("image/")) {
    return FormatKind::Picture;
  }
  return FormatKind::Other;
}

std::string ShownText(const ClipEntry& entry) {
  const auto text = std::find_if(entry.begin(), entry.end(),
                                 [](const ClipboardFormat& f) { return f.format == clip_format::Text; });
  if (text == entry.end()) return "?";
  const std::vector<std::uint8_t>& d = text->data;
  std::size_t end = std::min<std::size_t>(d.size(), 128);
  end = static_cast<std::size_t>(std::find(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(end), 0) - d.begin());
  // A character cut by the 128-byte window is left out whole.
  if (end == 128 && end < d.size() && (d[end] & 0xC0) == 0x80) {
    while (end > 0 && (d[end] & 0xC0) == 0x80) --end;
  }
  std::size_t begin = 0;
  while (begin < end && isBlank(d[begin])) ++begin;
  while (end > begin && isBlank(d[end - 1])) --end;
  return std::string(d.begin() + static_cast<std::ptrdiff_t>(begin), d.begin() + static_cast<std::ptrdiff_t>(end));
}

RowFacts DescribeEntry(const ClipEntry& entry, const FormatNames& names) {
  bool text = false, picture = false;
  for (const ClipboardFormat& f : entry) {
    const FormatKind k = KindOf(f.format, names);
    text = text || k == FormatKind::Text;
    picture = picture || k == FormatKind::Picture;
  }
  if (picture && text) return {"Texto e imagen", ShownText(entry), 4};
  if (picture) return {"Imagen", "Imagen", 3};
  if (text) return {"Texto", ShownText(entry), 2};
  return {"Desconocido", "?", 1};
}

std::optional<ClipEntry> CombineEntries(std::span<const ClipEntry* const> entries, const FormatNames& names) {
  ClipEntry out;
  for (const ClipEntry* e : entries) {
    for (const ClipboardFormat& f : *e) {
      if (KindOf(f.format, names) == FormatKind::Picture) continue;
      const auto have = std::find_if(out.begin(), out.end(),
                                     [&](const ClipboardFormat& o) { return o.format == f.format; });
      if (have == out.end()) {
        out.push_back(f);
      } else if (isNarrowText(f.format)) {
        appendText(have->data, f.data, 1);
      } else if (f.format == clip_format::UnicodeText) {
        appendText(have->data, f.data, 2);
      } else {
        have->data.insert(have->data.end(), f.data.begin(), f.data.end());
      }
    }
  }
  if (out.empty()) return std::nullopt;
  return out;
}

std::size_t EntryBytes(const ClipEntry& entry) {
  std::size_t n = 0;
  for (const ClipboardFormat& f : entry) n += f.data.size();
  return n;
}

}  // namespace zelvor::clip
