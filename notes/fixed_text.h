#pragma once
// Text in the fixed-size, NUL-terminated fields of stored records. Text is
// UTF-8 in memory and in the files, so a field that is too small for a text
// cuts it before the character that does not fit, never inside it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelvor::notes {

// The longest prefix of text, up to its first NUL, of at most maxBytes that
// does not end inside a UTF-8 character.
[[nodiscard]] std::string CutAtCharacter(std::string_view text, std::size_t maxBytes);

// Writes text into field (which the caller has zero-filled), cut so that at
// least one terminating NUL stays.
void PutFieldText(std::span<std::uint8_t> field, std::string_view text);

// The text of a field: up to its first NUL, and never its last byte, which
// belongs to the terminator even when a foreign writer filled it.
[[nodiscard]] std::string GetFieldText(std::span<const std::uint8_t> field);

}  // namespace zelvor::notes
