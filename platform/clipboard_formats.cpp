#include "platform/clipboard_formats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace zelvor {
namespace {

constexpr std::array<std::string_view, 6> kTextTypes{
    "text/plain;charset=utf-8", "text/plain;charset=UTF-8", "UTF8_STRING", "text/plain", "STRING", "TEXT"};
constexpr std::size_t kBmpFileHeader = 14;

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

void put16(std::vector<std::uint8_t>& out, std::uint32_t unit) {
  out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
  out.push_back(static_cast<std::uint8_t>(unit >> 8 & 0xFF));
}

void putUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | cp >> 6));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | cp >> 12));
    out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | cp >> 18));
    out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Text of a NUL-terminated narrow format, without its NUL.
std::vector<std::uint8_t> untilNul(const std::vector<std::uint8_t>& data) {
  const auto nul = std::find(data.begin(), data.end(), std::uint8_t{0});
  return {data.begin(), nul};
}

}  // namespace

std::vector<std::uint8_t> Utf8ToUtf16Le(std::string_view s) {
  std::vector<std::uint8_t> out;
  out.reserve(s.size() * 2 + 2);
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::uint32_t cp = 0xFFFD;
    std::size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      len = 2;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4;
    }
    if (len > 1) {
      bool ok = i + len <= s.size();
      std::uint32_t v = c & (0xFFu >> (len + 1));
      for (std::size_t k = 1; ok && k < len; ++k) {
        const auto d = static_cast<unsigned char>(s[i + k]);
        ok = (d & 0xC0) == 0x80;
        v = v << 6 | (d & 0x3F);
      }
      constexpr std::array<std::uint32_t, 5> kMin{0, 0, 0x80, 0x800, 0x10000};
      if (ok && v >= kMin[len] && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF)) {
        cp = v;
      } else {
        len = 1;
      }
    }
    if (cp >= 0x10000) {
      put16(out, 0xD800 + ((cp - 0x10000) >> 10));
      put16(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put16(out, cp);
    }
    i += len;
  }
  put16(out, 0);
  return out;
}

std::string Utf16LeToUtf8(const std::uint8_t* data, std::size_t units) {
  std::string out;
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t u = static_cast<std::uint32_t>(data[2 * i] | data[2 * i + 1] << 8);
    if (u == 0) break;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
      const std::uint32_t low = static_cast<std::uint32_t>(data[2 * i + 2] | data[2 * i + 3] << 8);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        putUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (u >= 0xD800 && u <= 0xDFFF) u = 0xFFFD;
    putUtf8(out, u);
  }
  return out;
}

bool ClipboardFormatTable::IsTextType(std::string_view type) {
  return std::find(kTextTypes.begin(), kTextTypes.end(), type) != kTextTypes.end();
}

bool ClipboardFormatTable::IsDataType(std::string_view type) {
  if (IsTextType(type) || type == kPasswordHintType) return true;
  if (type.find('/') == std::string_view::npos) return false;
  return !startsWith(type, "application/x-qt-");
}

bool ClipboardFormatTable::IsConcealed(const std::vector<MimeFormat>& offered) {
  for (const MimeFormat& f : offered) {
    if (f.type != kPasswordHintType) continue;
    std::string value(f.data.begin(), f.data.end());
    while (!value.empty() && (value.back() == '\0' || std::isspace(static_cast<unsigned char>(value.back())))) {
      value.pop_back();
    }
    if (value == "secret") return true;
  }
  return false;
}

ClipboardContent ClipboardFormatTable::ToNumbers(const std::vector<MimeFormat>& offered) {
  ClipboardContent out;
  bool text = false;
  for (const MimeFormat& f : offered) {
    if (!IsDataType(f.type) || f.type == kPasswordHintType) continue;
    if (IsTextType(f.type)) {
      if (text) continue;
      text = true;
      const std::vector<std::uint8_t> plain = untilNul(f.data);
      ClipboardFormat narrow{clip_format::Text, plain};
      narrow.data.push_back(0);
      out.push_back(std::move(narrow));
      const std::string_view view(reinterpret_cast<const char*>(plain.data()), plain.size());
      out.push_back({clip_format::UnicodeText, Utf8ToUtf16Le(view)});
      continue;
    }
    if (f.type == "image/bmp") {
      if (f.data.size() > kBmpFileHeader && f.data[0] == 'B' && f.data[1] == 'M') {
        out.push_back({clip_format::Dib, {f.data.begin() + kBmpFileHeader, f.data.end()}});
      }
      continue;
    }
    if (f.type == "image/tiff") {
      out.push_back({clip_format::Tiff, f.data});
      continue;
    }
    if (const auto number = NumberOf(f.type)) out.push_back({*number, f.data});
  }
  return out;
}

std::vector<MimeFormat> ClipboardFormatTable::ToTypes(const ClipboardContent& content) {
  std::vector<MimeFormat> out;
  const auto find = [&](std::uint32_t n) {
    return std::find_if(content.begin(), content.end(), [n](const ClipboardFormat& f) { return f.format == n; });
  };
  std::optional<std::vector<std::uint8_t>> text;
  if (const auto u = find(clip_format::UnicodeText); u != content.end()) {
    const std::string utf8 = Utf16LeToUtf8(u->data.data(), u->data.size() / 2);
    text.emplace(utf8.begin(), utf8.end());
  } else if (const auto t = find(clip_format::Text); t != content.end()) {
    text = untilNul(t->data);
  } else if (const auto o = find(clip_format::OemText); o != content.end()) {
    text = untilNul(o->data);
  }
  bool textPlaced = false;
  for (const ClipboardFormat& f : content) {
    switch (f.format) {
      case clip_format::Text:
      case clip_format::UnicodeText:
      case clip_format::OemText:
        if (!textPlaced && text) out.push_back({std::string(kMimeText), *text});
        textPlaced = true;
        break;
      case clip_format::Dib: {
        // A BMP file is the DIB after a header that says where the pixels start.
        if (f.data.size() < 40) break;
        const std::uint32_t headerSize = static_cast<std::uint32_t>(f.data[0] | f.data[1] << 8 | f.data[2] << 16) |
                                         static_cast<std::uint32_t>(f.data[3]) << 24;
        const std::uint32_t bitCount = static_cast<std::uint32_t>(f.data[14] | f.data[15] << 8);
        std::uint32_t colours = static_cast<std::uint32_t>(f.data[32] | f.data[33] << 8 | f.data[34] << 16) |
                                static_cast<std::uint32_t>(f.data[35]) << 24;
        if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
        const std::uint32_t compression = static_cast<std::uint32_t>(f.data[16] | f.data[17] << 8);
        // BI_BITFIELDS after a 40-byte header: three colour masks come before the pixels.
        const std::uint64_t masks = compression == 3 && headerSize == 40 ? 12 : 0;
        const std::uint64_t offset =
            std::uint64_t{kBmpFileHeader} + headerSize + masks + std::uint64_t{colours} * 4;
        const std::uint64_t total = kBmpFileHeader + f.data.size();
        if (headerSize > f.data.size() || offset > total || total > 0xFFFFFFFFu) break;
        std::vector<std::uint8_t> bmp{'B', 'M'};
        const auto put32 = [&bmp](std::uint64_t v) {
          for (int k = 0; k < 4; ++k) bmp.push_back(static_cast<std::uint8_t>(v >> (8 * k) & 0xFF));
        };
        put32(total);
        put32(0);  // the two reserved words
        put32(offset);
        bmp.insert(bmp.end(), f.data.begin(), f.data.end());
        out.push_back({"image/bmp", std::move(bmp)});
        break;
      }
      case clip_format::Tiff: out.push_back({"image/tiff", f.data}); break;
      default:
        if (f.format >= clip_format::FirstRegistered) {
          std::string name = NameOf(f.format);
          if (!name.empty() && !IsTextType(name)) out.push_back({std::move(name), f.data});
        }
        break;
    }
  }
  return out;
}

std::string ClipboardFormatTable::NameOf(std::uint32_t number) {
  if (number < clip_format::FirstRegistered || number > clip_format::LastRegistered) return {};
  const auto value = registry_.queryValue(Hive::CurrentUser, keyPath_, std::to_string(number));
  std::string name;
  if (!value || !value->readText(name)) return {};
  return name;
}

std::optional<std::uint32_t> ClipboardFormatTable::NumberOf(std::string_view type) {
  std::uint32_t next = clip_format::FirstRegistered;
  for (const std::string& valueName : registry_.valueNames(Hive::CurrentUser, keyPath_)) {
    std::uint32_t n = 0;
    const auto r = std::from_chars(valueName.data(), valueName.data() + valueName.size(), n);
    if (r.ec != std::errc() || n < clip_format::FirstRegistered || n > clip_format::LastRegistered) continue;
    if (NameOf(n) == type) return n;
    next = std::max(next, n + 1);
  }
  if (next > clip_format::LastRegistered) return std::nullopt;
  if (registry_.createKey(Hive::CurrentUser, keyPath_) != RegStatus::Ok) return std::nullopt;
  if (registry_.setValue(Hive::CurrentUser, keyPath_, std::to_string(next), RegValue::text(type)) != RegStatus::Ok) {
    return std::nullopt;
  }
  return next;
}

}  // namespace zelvor
