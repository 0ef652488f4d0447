#pragma once
// The editor of the default note: a note without owner, titled "Nota por
// defecto", with the "Formato" menu, run modally. The user sets its looks,
// place and size; closing it or "Aceptar" keeps them.

#include <optional>

#include "notes/note.h"
#include "notes/note_record.h"

namespace zelvor::notes {

inline constexpr std::string_view kDefaultNoteTitle = "Nota por defecto";

// Runs the default-note editor (a note without owner, "Formato" menu)
// modally, starting from start (the built-in record when start is all
// zero); the edited record with the rectangle where the user left the
// window, or nullopt when the user chose "Cancelar".
[[nodiscard]] std::optional<NoteRecord> EditDefaultNote(const NoteRecord& start, NoteServices services);

}  // namespace zelvor::notes
