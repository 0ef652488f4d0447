#pragma once
// Fuente, the font of the note edits and of printing: a LOGFONTA of 60
// bytes (five little-endian 32-bit fields, eight bytes of style, a 32-byte
// face name ending in NUL) under the utility's key.

#include <cstdint>
#include <optional>
#include <vector>

#include "notes/note_record.h"

namespace zelvor::calendar {

inline constexpr std::size_t kLogFontSize = 60;

// nullopt unless bytes are exactly one LOGFONTA.
[[nodiscard]] std::optional<notes::LogFont> DecodeLogFont(const std::vector<std::uint8_t>& bytes);
[[nodiscard]] std::vector<std::uint8_t> EncodeLogFont(const notes::LogFont& font);

}  // namespace zelvor::calendar
