#pragma once
// How a desktop whose clipboard speaks MIME types (X11, Wayland) maps onto
// the suite's format numbers. A fixed table covers the types with a classic
// number: plain text gives both CF_TEXT (UTF-8 and a NUL) and CF_UNICODETEXT
// (UTF-16LE and a NUL unit), image/bmp is CF_DIB, image/tiff CF_TIFF. Every
// other type gets a registered number from 0xC000 up, kept in the store, so
// that clip files written in one run name the same types in the next.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard.h"
#include "platform/registry.h"

namespace zelvor {

// One representation the desktop offers: its MIME type and bytes.
struct MimeFormat {
  std::string type;
  std::vector<std::uint8_t> data;
  friend bool operator==(const MimeFormat&, const MimeFormat&) = default;
};

inline constexpr std::string_view kMimeText = "text/plain;charset=utf-8";
// KDE's mark on a content that a password manager put there.
inline constexpr std::string_view kPasswordHintType = "x-kde-passwordManagerHint";

class ClipboardFormatTable {
 public:
  // keyPath: below HKEY_CURRENT_USER, the key whose values name the
  // registered numbers ("49152" = "image/png").
  ClipboardFormatTable(Registry& registry, std::string keyPath)
      : registry_(registry), keyPath_(std::move(keyPath)) {}

  // Whether a type names plain text (its several X11 spellings included).
  [[nodiscard]] static bool IsTextType(std::string_view type);
  // Whether a type is worth reading at all: X11 selection targets that are
  // not data (TARGETS, TIMESTAMP, …) and the toolkit's private copies are not.
  [[nodiscard]] static bool IsDataType(std::string_view type);
  // Whether the offer carries the password-manager hint "secret".
  [[nodiscard]] static bool IsConcealed(const std::vector<MimeFormat>& offered);

  // The numbered formats of an offer, in its order. Text is taken once (the
  // first text type; the data must be UTF-8); a type that cannot get a
  // number (the registered range is full) is left out.
  [[nodiscard]] ClipboardContent ToNumbers(const std::vector<MimeFormat>& offered);
  // The desktop types of a numbered content: CF_UNICODETEXT (else CF_TEXT,
  // else CF_OEMTEXT) as UTF-8 text up to its NUL, CF_DIB as a BMP file,
  // registered numbers as their types; formats with no type are left out.
  [[nodiscard]] std::vector<MimeFormat> ToTypes(const ClipboardContent& content);

  // The type a registered number stands for; "" when none.
  [[nodiscard]] std::string NameOf(std::uint32_t number);
  // The number of a type, registering it when it has none.
  [[nodiscard]] std::optional<std::uint32_t> NumberOf(std::string_view type);

 private:
  Registry& registry_;
  std::string keyPath_;
};

// UTF-8 to UTF-16LE and back; invalid sequences become U+FFFD.
[[nodiscard]] std::vector<std::uint8_t> Utf8ToUtf16Le(std::string_view utf8);
[[nodiscard]] std::string Utf16LeToUtf8(const std::uint8_t* data, std::size_t units);

}  // namespace zelvor
