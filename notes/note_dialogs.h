#pragma once
// The dialogs a note opens for the user: its properties, its alarm, and
// printing. A note asks through this interface, so that the window code
// does not depend on how each dialog looks and tests can answer for the
// user.

#include <optional>
#include <string_view>

#include "notes/note_record.h"

namespace zelvor::notes {

class NoteDialogs {
 public:
  virtual ~NoteDialogs() = default;
  // "Propiedades de la nota": edits a copy of the record (title, hotkey,
  // font and text colour, background, alignment, transparency and the alarm
  // block). The accepted record, or nullopt when the user cancelled.
  [[nodiscard]] virtual std::optional<NoteRecord> properties(const NoteRecord& record) = 0;
  // "Alarma": edits the alarm block; a note without an alarm starts from the
  // time trigger's defaults and the default sound. nullopt: cancelled.
  [[nodiscard]] virtual std::optional<NoteAlarmBlock> alarm(const NoteAlarmBlock& alarm) = 0;
  // Prints text under the record's title, in its font and text colour,
  // after asking for a printer; nothing when the user cancels.
  virtual void print(const NoteRecord& record, std::string_view text) = 0;
};

}  // namespace zelvor::notes
