#include "notes/note_dialogs_impl.h"

#include "notes/note_font.h"

#include <algorithm>
#include <cstdlib>

#include "exit/scheduler.h"
#include "notes/fixed_text.h"
#include "notes/note_alarm.h"
#include "notes/note_print.h"
#include "shell/hotkey_names.h"
#include "shell/printing/line_printer.h"

namespace zelvor::notes {
namespace {

constexpr const char* kDuvuZevadKey = "DuvuZevad";
constexpr const char* kSampleText = "AaBbYyZz";
constexpr int kTransparencyStep = 20;
constexpr int kTransparencySteps = 5;

// The codes a modal dialog ends with; the button pressed decides, not the code.
constexpr int kAccepted = 1;
constexpr int kCancelled = 2;

Control Labelled(std::string label, Control control) {
  Control row = Control::make(ControlKind::Row);
  row.add(Control::make(ControlKind::Label, 0, std::move(label)));
  row.add(std::move(control));
  return row;
}

Control ButtonRow(int okId, int cancelId) {
  Control buttons = Control::make(ControlKind::Row);
  Control ok = Control::make(ControlKind::Button, okId, "Aceptar");
  ok.isDefault = true;
  buttons.add(std::move(ok));
  buttons.add(Control::make(ControlKind::Button, cancelId, "Cancelar"));
  return buttons;
}

}  // namespace

std::string DescribeNoteAlarm(const NoteAlarmBlock& alarm, Clock& clock) {
  if (alarm.Enable == 0) return CNotePropertiesDlg::kDisabled;
  return DescribeRecord(SchedulerRecordOf(alarm, clock));
}

// ---------------------------------------------------------------- CNoteAlarm

CNoteAlarm::CNoteAlarm(NoteDialogServices services, const NoteAlarmBlock& start)
    : services_(services),
      page_(scheduler_setup::NoteAlarm().caption, scheduler_setup::NoteAlarm().layout),
      view_(page_, kFirstPageId) {
  title = kTitle;
  className = kClassName;
  style.modal = true;
  const LocalTime now = localNow(services_.clock);
  const bool has = start.Enable != 0;
  page_.Fill(has ? SchedulerRecordOf(start, services_.clock) : DefaultRecordAt(now), now.year);
  const std::string sound =
      has ? start.soundFile : services_.store.ReadConfigString(kDuvuZevadKey, kDefaultSoundValue);

  root.add(view_.Build());
  root.add(Control::make(ControlKind::Label, kSoundLabel, kSoundPrompt));
  Control& row = root.add(Control::make(ControlKind::Row));
  Control file = Control::make(ControlKind::Edit, kSoundFile, sound);
  file.maxLength = static_cast<int>(kSoundFileField - 1);
  row.add(std::move(file));
  row.add(Control::make(ControlKind::Button, kBrowse, "Examinar..."));
  row.add(Control::make(ControlKind::Button, kPlay, "Reproducir"));
  root.add(ButtonRow(kOk, kCancel));
}

std::optional<NoteAlarmBlock> CNoteAlarm::DoModal() {
  accepted_ = false;
  window_ = services_.dialogs.create(*this);
  (void)services_.dialogs.runModal(*this);
  services_.dialogs.destroy(window_);
  window_ = kNoWindow;
  if (!accepted_) return std::nullopt;
  return Result();
}

NoteAlarmBlock CNoteAlarm::Result() const {
  SchedulerRecord r;
  page_.TakeInto(r);
  // A note without an alarm keeps its whole block zero.
  if (r.Enable == 0) return {};
  NoteAlarmBlock block;
  block.Enable = r.Enable;
  // Only the local hour and minute of the stored instant count: today's date carries them.
  const LocalTime now = localNow(services_.clock);
  block.alarmTime = TriggerInstant(services_.clock, now.year, now.month, now.day, r.Hour, r.Minute);
  block.Day = r.Day;
  block.Weekday = r.Weekday;
  block.Start = r.Start;
  block.Month = r.Month;
  block.ShowWarning = r.ShowWarning;
  block.Seconds = r.Seconds;
  const Control* file = root.find(kSoundFile);
  block.soundFile = CutAtCharacter(file != nullptr ? file->text : std::string(), kSoundFileField - 1);
  return block;
}

void CNoteAlarm::onEvent(const ControlEvent& event) {
  const bool clicked = event.kind == ControlEvent::Kind::Clicked;
  Control* file = find(kSoundFile);
  if (clicked && event.controlId == kOk) {
    accepted_ = true;
    services_.dialogs.endModal(*this, kAccepted);
  } else if (clicked && event.controlId == kCancel) {
    services_.dialogs.endModal(*this, kCancelled);
  } else if (clicked && event.controlId == kBrowse && file != nullptr) {
    DialogHost::FileDialog dialog;
    dialog.filter = kSoundFilter;
    dialog.initial = file->text;
    dialog.mustExist = true;
    const auto chosen = services_.dialogs.chooseFiles(dialog);
    if (chosen.empty()) return;
    file->text = chosen.front();
    if (window_ != kNoWindow) services_.dialogs.update(window_);
  } else if (clicked && event.controlId == kPlay && file != nullptr) {
    if (!file->text.empty()) services_.sound.PlayEventSound(file->text, false);
  } else if (view_.HandleEvent(event, root) == SchedulerPageView::EventResult::Changed && window_ != kNoWindow) {
    services_.dialogs.update(window_);
  }
}

// -------------------------------------------------------- CNotePropertiesDlg

CNotePropertiesDlg::CNotePropertiesDlg(NoteDialogServices services, const NoteRecord& record)
    : services_(services), record_(record) {
  title = kTitle;
  className = kClassName;
  style.modal = true;

  Control name = Control::make(ControlKind::Edit, kTitleEdit, record.title);
  name.maxLength = static_cast<int>(kMaxTitleBytes);
  root.add(Labelled("Título:", std::move(name)));
  root.add(Control::make(ControlKind::Label, 0, "Teclas de acceso rápido para mostrar/ocular la nota:"));
  Control hotkey = Control::make(ControlKind::HotkeyField, kHotkey);
  hotkey.value = static_cast<int>(RegistrationToField(record.hotkey & 0xFFFF));
  root.add(std::move(hotkey));

  Control& font = root.add(Control::make(ControlKind::Row));
  font.add(Control::make(ControlKind::Button, kFont, "Cambiar fuente..."));
  Control sample = Control::make(ControlKind::Label, kSample, kSampleText);
  sample.align = TextAlign::Centre;
  font.add(std::move(sample));
  Control background = Control::make(ControlKind::ColourButton, kBackground);
  background.colour = record.background;
  root.add(Labelled("Color de fondo:", std::move(background)));
  Control alignment = Control::make(ControlKind::Combo, kAlignment);
  alignment.items = {"Izquierda", "Centro", "Derecha"};
  alignment.value = std::clamp(record.alignment, 0, 2);
  root.add(Labelled("Alineación del texto:", std::move(alignment)));
  Control transparency = Control::make(ControlKind::Combo, kTransparency);
  transparency.items = {"0%", "20%", "40%", "60%", "80%"};
  transparency.value = std::clamp(record.transparency / kTransparencyStep, 0, kTransparencySteps - 1);
  root.add(Labelled("Transparencia:", std::move(transparency)));
  Control& alarm = root.add(Control::make(ControlKind::Row));
  alarm.add(Control::make(ControlKind::Label, 0, "Alarma:"));
  alarm.add(Control::make(ControlKind::Label, kAlarmText));
  alarm.add(Control::make(ControlKind::Button, kAlarmSet, "Establecer..."));
  root.add(ButtonRow(kOk, kCancel));
  ShowFontAndAlarm();
}

void CNotePropertiesDlg::ShowFontAndAlarm() {
  if (Control* sample = find(kSample)) {
    if (record_.font.isChosen()) {
      sample->font = TextFontOf(record_.font).value_or(TextFont{});
    } else {
      sample->font.reset();
    }
    sample->textColour = record_.textColor;
    sample->backColour = record_.background;
  }
  if (Control* alarm = find(kAlarmText)) alarm->text = DescribeNoteAlarm(record_.alarm, services_.clock);
}

std::optional<NoteRecord> CNotePropertiesDlg::DoModal() {
  accepted_ = false;
  window_ = services_.dialogs.create(*this);
  (void)services_.dialogs.runModal(*this);
  services_.dialogs.destroy(window_);
  window_ = kNoWindow;
  if (!accepted_) return std::nullopt;
  return Result();
}

NoteRecord CNotePropertiesDlg::Result() const {
  NoteRecord r = record_;
  if (const Control* c = root.find(kAlignment)) r.alignment = std::clamp(c->value, 0, 2);
  if (const Control* c = root.find(kTransparency)) {
    r.transparency = kTransparencyStep * std::clamp(c->value, 0, kTransparencySteps - 1);
  }
  if (const Control* c = root.find(kTitleEdit)) r.title = CutTitle(c->text);
  if (const Control* c = root.find(kBackground)) r.background = c->colour;
  if (const Control* c = root.find(kHotkey)) {
    // The field keeps Shift 1, Ctrl 2, Alt 4; the record the registration's Alt 1, Ctrl 2, Shift 4.
    r.hotkey = FieldToRegistration(static_cast<std::uint32_t>(c->value) & 0xFFFF);
  }
  return r;
}

void CNotePropertiesDlg::ChangeFont() {
  TextFont font = TextFontOf(record_.font).value_or(TextFont{});
  Colour colour = record_.textColor;
  if (!services_.dialogs.chooseFont(font, colour)) return;
  record_.font = LogFontOf(font);
  record_.textColor = colour;
}

void CNotePropertiesDlg::SetAlarm() {
  // The alarm dialog edits the dialog's own copy; the note keeps its alarm until "Aceptar".
  CNoteAlarm dialog(services_, record_.alarm);
  if (auto block = dialog.DoModal()) record_.alarm = *block;
}

void CNotePropertiesDlg::onEvent(const ControlEvent& event) {
  if (event.kind == ControlEvent::Kind::Changed && event.controlId == kBackground) {
    if (const Control* c = find(kBackground)) record_.background = c->colour;
    ShowFontAndAlarm();
    if (window_ != kNoWindow) services_.dialogs.update(window_);
    return;
  }
  if (event.kind != ControlEvent::Kind::Clicked) return;
  switch (event.controlId) {
    case kOk:
      accepted_ = true;
      services_.dialogs.endModal(*this, kAccepted);
      return;
    case kCancel: services_.dialogs.endModal(*this, kCancelled); return;
    case kFont: ChangeFont(); break;
    case kAlarmSet: SetAlarm(); break;
    default: return;
  }
  ShowFontAndAlarm();
  if (window_ != kNoWindow) services_.dialogs.update(window_);
}

// -------------------------------------------------------------- CNoteDialogs

std::optional<NoteRecord> CNoteDialogs::properties(const NoteRecord& record) {
  CNotePropertiesDlg dialog(services_, record);
  return dialog.DoModal();
}

std::optional<NoteAlarmBlock> CNoteDialogs::alarm(const NoteAlarmBlock& alarm) {
  CNoteAlarm dialog(services_, alarm);
  return dialog.DoModal();
}

void CNoteDialogs::print(const NoteRecord& record, std::string_view text) {
  auto job = services_.printer.begin(std::string(kPrintDocumentName));
  if (!job) return;
  // A printer that fails half-way has nothing more to tell the user than its own queue does.
  (void)PrintNote(*job, record, text);
}

}  // namespace zelvor::notes
