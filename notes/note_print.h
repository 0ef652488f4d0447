#pragma once
// Printing a note: its text cut into the lines a page is wide enough for,
// handed to the line printer under the note's title, in the note's font
// (or the printer's fixed-pitch one) and text colour.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notes/note_record.h"
#include "platform/printer.h"
#include "platform/window_model.h"

namespace zelvor::notes {

// The text plus a final line break, cut into paragraphs at each LF (a CR
// before it is dropped), each wrapped greedily at spaces so that a line's
// width (measure) stays within width. A word wider than a line stands whole
// on its own line; an empty paragraph is an empty line.
[[nodiscard]] std::vector<std::string> WrapNoteText(std::string_view text, int width,
                                                    const std::function<int(std::string_view)>& measure);

// The record's font as the printer takes it (sizes in points: the stored
// height counts as points, scaled to the printer's resolution), or nullopt
// when the note has no font of its own.
[[nodiscard]] std::optional<TextFont> PrinterFontOf(const NoteRecord& record);

// Prints text under the record's title on an open job and ends the job;
// false when the printer or the file failed.
[[nodiscard]] bool PrintNote(PrintJob& job, const NoteRecord& record, std::string_view text);

}  // namespace zelvor::notes
