#pragma once
// The note's dialogs as window models: "Propiedades de la nota" and
// "Alarma", and printing through the printer service.

#include <optional>
#include <string>
#include <string_view>

#include "exit/countdown.h"
#include "exit/scheduler_page_view.h"
#include "notes/note_dialogs.h"
#include "platform/clock.h"
#include "platform/dialog_host.h"
#include "platform/printer.h"
#include "shell/store/config_store.h"

namespace zelvor::notes {

// What the note dialogs need from the rest of the suite.
struct NoteDialogServices {
  DialogHost& dialogs;
  Printer& printer;
  EventSoundPlayer& sound;
  const ConfigStore& store;  // SonidoDefecto
  Clock& clock;
};

// The alarm as the properties dialog and the title tooltip show it:
// "Deshabilitada", or the time trigger's own description.
[[nodiscard]] std::string DescribeNoteAlarm(const NoteAlarmBlock& alarm, Clock& clock);

// "Alarma": the time trigger's page and a WAV file.
class CNoteAlarm final : public WindowModel {
 public:
  static constexpr const char* kClassName = "CNoteAlarm";
  static constexpr const char* kTitle = "Alarma";
  static constexpr const char* kSoundPrompt = "Reproducir el siguiente archivo WAV:";
  static constexpr const char* kSoundFilter = "Archivo de audio (*.wav)|*.wav||";
  static constexpr const char* kDefaultSoundValue = "SonidoDefecto";
  enum : int { kOk = 1, kCancel, kSoundLabel, kSoundFile, kBrowse, kPlay, kFirstPageId = 100 };

  // start: the note's alarm block; without an alarm the page starts from
  // the trigger's defaults for now and the sound from SonidoDefecto.
  CNoteAlarm(NoteDialogServices services, const NoteAlarmBlock& start);

  // The edited block; all zero when the alarm was switched off. nullopt: cancelled.
  [[nodiscard]] std::optional<NoteAlarmBlock> DoModal();

  void onEvent(const ControlEvent& event) override;
  [[nodiscard]] const SchedulerPageView& View() const { return view_; }

 private:
  [[nodiscard]] NoteAlarmBlock Result() const;

  NoteDialogServices services_;
  CSchedulerPage page_;
  SchedulerPageView view_;
  WindowHandle window_ = kNoWindow;
  bool accepted_ = false;
};

// "Propiedades de la nota": title, hotkey, font and text colour,
// background, alignment, transparency and the alarm, on a copy of the record.
class CNotePropertiesDlg final : public WindowModel {
 public:
  static constexpr const char* kClassName = "CNotePropertiesDlg";
  static constexpr const char* kTitle = "Propiedades de la nota";
  static constexpr const char* kDisabled = "Deshabilitada";
  enum : int {
    kOk = 1,
    kCancel,
    kTitleEdit,
    kHotkey,
    kFont,
    kSample,
    kBackground,
    kAlignment,
    kTransparency,
    kAlarmText,
    kAlarmSet,
  };

  CNotePropertiesDlg(NoteDialogServices services, const NoteRecord& record);

  // The record with the accepted edits; nullopt when cancelled.
  [[nodiscard]] std::optional<NoteRecord> DoModal();

  void onEvent(const ControlEvent& event) override;

 private:
  void ShowFontAndAlarm();
  void ChangeFont();
  void SetAlarm();
  [[nodiscard]] NoteRecord Result() const;

  NoteDialogServices services_;
  NoteRecord record_;  // font, text colour, background and alarm as edited so far
  WindowHandle window_ = kNoWindow;
  bool accepted_ = false;
};

class CNoteDialogs final : public NoteDialogs {
 public:
  explicit CNoteDialogs(NoteDialogServices services) : services_(services) {}
  [[nodiscard]] std::optional<NoteRecord> properties(const NoteRecord& record) override;
  [[nodiscard]] std::optional<NoteAlarmBlock> alarm(const NoteAlarmBlock& alarm) override;
  void print(const NoteRecord& record, std::string_view text) override;

 private:
  NoteDialogServices services_;
};

}  // namespace zelvor::notes
