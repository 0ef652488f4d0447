#include "notes/suite_note_dialogs.h"

#include "notes/default_note_editor.h"
#include "notes/duvu_zevad.h"
#include "notes/note_dialogs_impl.h"
#include "shell/warning_sound.h"
#include "shell/zelvor_app.h"

namespace zelvor::notes {
namespace {

// Owns the sound player the dialogs play through.
class SuiteNoteDialogs final : public NoteDialogs {
 public:
  explicit SuiteNoteDialogs(CZelvorApp& app)
      : sound_(app.helpers()),
        dialogs_({app.dialogs(), app.desktop().printer, sound_, app.store(), app.platform().clock}) {}
  std::optional<NoteRecord> properties(const NoteRecord& record) override { return dialogs_.properties(record); }
  std::optional<NoteAlarmBlock> alarm(const NoteAlarmBlock& alarm) override { return dialogs_.alarm(alarm); }
  void print(const NoteRecord& record, std::string_view text) override { dialogs_.print(record, text); }

 private:
  ShellEventSoundPlayer sound_;
  CNoteDialogs dialogs_;
};

}  // namespace

std::unique_ptr<NoteDialogs> MakeSuiteNoteDialogs(CZelvorApp& app) { return std::make_unique<SuiteNoteDialogs>(app); }

std::optional<NoteRecord> EditDefaultNoteInSuite(CZelvorApp& app, const NoteRecord& start) {
  SuiteNoteDialogs dialogs(app);
  return EditDefaultNote(start, MakeNoteServices(app, dialogs));
}

}  // namespace zelvor::notes
