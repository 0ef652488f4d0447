#pragma once
// The notes' dialogs until their windows are assembled: every dialog
// answers as a user who cancelled, so the commands that open them change
// nothing.

#include "notes/note_dialogs.h"

namespace zelvor {

class UnwiredNoteDialogs final : public notes::NoteDialogs {
 public:
  std::optional<notes::NoteRecord> properties(const notes::NoteRecord&) override { return std::nullopt; }
  std::optional<notes::NoteAlarmBlock> alarm(const notes::NoteAlarmBlock&) override { return std::nullopt; }
  void print(const notes::NoteRecord&, std::string_view) override {}
};

}  // namespace zelvor
