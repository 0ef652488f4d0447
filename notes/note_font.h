#pragma once
// A note's font as the record stores it (a LOGFONTA) and as the window
// model asks for it (TextFont). Sizes are stored the way a Windows font
// dialog stores them at 96 dots per inch: lfHeight is minus the character
// height in pixels, so a point size p is -round(p * 96 / 72) and back.

#include <optional>

#include "notes/note_record.h"
#include "platform/window_model.h"

namespace zelvor::notes {

inline constexpr int kFontDpi = 96;

// The font the note's edit shows; nullopt when no font was chosen (all 60
// bytes zero), and then the edit keeps the desktop's font.
[[nodiscard]] std::optional<TextFont> TextFontOf(const LogFont& font);

// The record's font for a font the user chose. Reading the result back with
// TextFontOf gives the same font, and encoding it again the same bytes.
[[nodiscard]] LogFont LogFontOf(const TextFont& font);

// Pixel height at 96 dpi and points, each rounded to the nearest.
[[nodiscard]] int PointsOfHeight(int lfHeight);
[[nodiscard]] int HeightOfPoints(int points);

}  // namespace zelvor::notes
