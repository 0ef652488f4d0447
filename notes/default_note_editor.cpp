#include "notes/default_note_editor.h"

namespace zelvor::notes {

std::optional<NoteRecord> EditDefaultNote(const NoteRecord& start, NoteServices services) {
  NoteEntry entry;
  entry.record = start == NoteRecord{} ? BuiltInNoteRecord() : start;
  entry.record.title = std::string(kDefaultNoteTitle);
  entry.text =
      "Las nuevas notas tendrán por defecto el formato, la posición y el tamaño de esta nota.\r\n"
      "Cuando haya terminado puede establecer los cambios cerrando la nota o seleccionando la opción "
      "'Aceptar' en el menú.";
  CNote note(services, nullptr, std::move(entry));
  if (!note.RunModalEditor()) return std::nullopt;
  NoteRecord edited = note.record();
  // What the editor showed is not part of the default: only its looks,
  // place and size are.
  edited.visible = 0;
  return edited;
}

}  // namespace zelvor::notes
