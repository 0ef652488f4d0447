#pragma once
// The note dialogs of the running suite: the desktop's dialogs and
// printer, and the shell's event sounds.

#include <memory>
#include <optional>

#include "notes/note_dialogs.h"

namespace zelvor {
class CZelvorApp;
}

namespace zelvor::notes {

[[nodiscard]] std::unique_ptr<NoteDialogs> MakeSuiteNoteDialogs(CZelvorApp& app);

// Runs the default-note editor of the "Formato por defecto" page in the
// running suite.
[[nodiscard]] std::optional<NoteRecord> EditDefaultNoteInSuite(CZelvorApp& app, const NoteRecord& start);

}  // namespace zelvor::notes
