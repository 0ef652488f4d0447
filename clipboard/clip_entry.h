#pragma once
// A clipboard entry of the history (every format the clipboard offered, in
// its order) and the rules that read one: the kind of a format, the row a
// history list shows for it, and combining several into one.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/clipboard.h"

namespace zelvor::clip {

using ClipEntry = ClipboardContent;

enum class FormatKind { Text, Picture, Other };

// The type a registered number stands for ("image/png"), "" when unknown.
using FormatNames = std::function<std::string(std::uint32_t)>;

// Text for the text formats; picture for the picture formats and for
// registered numbers whose type is an image; other for the rest.
[[nodiscard]] FormatKind KindOf(std::uint32_t format, const FormatNames& names);

// What a history row shows: "Tipo", "Contenido" and the row's image.
struct RowFacts {
  std::string type;
  std::string content;
  int image = 1;
  friend bool operator==(const RowFacts&, const RowFacts&) = default;
};
[[nodiscard]] RowFacts DescribeEntry(const ClipEntry& entry, const FormatNames& names);

// "Contenido" of a text entry: the first 128 bytes of its CF_TEXT, up to
// the first NUL, white space trimmed at both ends, never cut inside a
// UTF-8 character; "?" without CF_TEXT.
[[nodiscard]] std::string ShownText(const ClipEntry& entry);

// One entry made of the text and other formats of entries, in order: a
// format already present gets the data appended. Null-terminated texts
// join as texts: the first is taken up to its NUL and, when it has at least
// two characters and does not end in CR LF, CR LF goes between. Nothing
// when no format remains.
[[nodiscard]] std::optional<ClipEntry> CombineEntries(std::span<const ClipEntry* const> entries,
                                                      const FormatNames& names);

// Bytes the entry holds, for memory accounting.
[[nodiscard]] std::size_t EntryBytes(const ClipEntry& entry);

}  // namespace zelvor::clip
