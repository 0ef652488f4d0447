#include "notes/duvu_zevad.h"

#include <algorithm>

#include "exit/scheduler_record.h"
#include "notes/note_alarm.h"
#include "platform/clock.h"
#include "platform/hotkeys.h"
#include "platform/messages.h"
#include "shell/hover_tooltip.h"
#include "shell/principal_dlg.h"
#include "shell/shell_menus.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor::notes {
namespace {

constexpr std::string_view kKey = "DuvuZevad";

std::string trimmed(std::string s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
  return s;
}

}  // namespace

NoteServices MakeNoteServices(CZelvorApp& app, NoteDialogs& dialogs) {
  Desktop& d = app.desktop();
  const int style = std::clamp(app.store().ReadConfigInt("", root_value::EstiloMenus), 0, 3);
  return NoteServices{app.dialogs(),   d.menus, d.loop, d.screen, app.platform().files, d.messageBoxes,
                      app.platform().clock, dialogs, static_cast<MenuStyle>(style)};
}

CDuvuZevad::CDuvuZevad(CZelvorApp& app, std::unique_ptr<NoteDialogs> dialogs, DuvuZevadOptions options)
    : app_(app), dialogs_(std::move(dialogs)), options_(options), binWindow_(*this) {
  handle_ = app_.desktop().loop.addTarget(*this);
  binHandle_ = app_.dialogs().create(binWindow_);
}

CDuvuZevad::~CDuvuZevad() {
  {
    std::lock_guard lock(workerMutex_);
    stopping_ = true;
  }
  workerWake_.notify_all();
  if (worker_.joinable()) worker_.join();
  EventLoop& loop = app_.desktop().loop;
  loop.removeTarget(handle_);
  if (noticeShowing_) {
    if (CPrincipalDlg* main = app_.mainWindow()) main->tooltip().Hide();
  }
  UnregisterAll();
  live_.clear();
  if (binHandle_ != kNoWindow) app_.dialogs().destroy(binHandle_);
}

std::int64_t CDuvuZevad::Now() const { return app_.platform().clock.now(); }

BinSettings CDuvuZevad::ReadBinSettings() const {
  const ConfigStore& s = app_.store();
  return {s.ReadConfigInt(kKey, "DiasEnPapelera"), s.ReadConfigInt(kKey, "CapacidadPapelera"),
          s.ReadConfigInt(kKey, "DeshabilitarPapelera")};
}

NewNoteSettings CDuvuZevad::ReadNewNoteSettings() const {
  NewNoteSettings out;
  CRegKeyEx key(app_.store().registry());
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) != RegStatus::Ok) {
    out.keyOpened = false;
  } else {
    out.TituloPorDefecto = key.GetString("TituloPorDefecto");
    out.TextoPorDefecto = key.GetString("TextoPorDefecto");
  }
  out.ColorAleatorio = app_.store().ReadConfigInt(kKey, "ColorAleatorio");
  out.PosicionAleatoria = app_.store().ReadConfigInt(kKey, "PosicionAleatoria");
  if (key.IsOpen()) {
    if (const auto bytes = key.GetBinary("Defecto")) out.Defecto = std::string(bytes->begin(), bytes->end());
  }
  return out;
}

std::unique_ptr<CNote> CDuvuZevad::MakeNote(NoteEntry entry) {
  return std::make_unique<CNote>(MakeNoteServices(app_, *dialogs_), this, std::move(entry));
}

void CDuvuZevad::ApplyHotkeyOps(const std::vector<HotkeyOp>& ops) {
  CPrincipalDlg* main = app_.mainWindow();
  if (main == nullptr) return;
  for (const HotkeyOp& op : ops) {
    if (op.kind == HotkeyOp::Kind::Register) {
      // A combination another program holds is ignored; the note keeps it.
      (void)main->RegisterHotkey(op.id, op.modifiers << 8 | op.virtualKey);
    } else {
      main->UnregisterHotkey(op.id);
    }
  }
}

void CDuvuZevad::UnregisterAll() {
  for (std::size_t i = 0; i < live_.size(); ++i) ApplyHotkeyOps(UnregisterNoteHotkey(i, live_[i]->record().hotkey));
}

void CDuvuZevad::RegisterAll() {
  for (std::size_t i = 0; i < live_.size(); ++i) {
    live_[i]->SetIndex(static_cast<int>(i));
    ApplyHotkeyOps(RegisterNoteHotkey(i, live_[i]->record().hotkey));
  }
}

void CDuvuZevad::Append(std::unique_ptr<CNote> note) {
  const std::size_t index = live_.size();
  note->SetIndex(static_cast<int>(index));
  ApplyHotkeyOps(RegisterNoteHotkey(index, note->record().hotkey));
  if (note->record().hasAlarm()) StartAlarmTimer();
  live_.push_back(std::move(note));
}

void CDuvuZevad::start() {
  if (started_) return;
  started_ = true;
  files_ = std::make_unique<NotesFiles>(app_.platform().files, app_.store().GetDataFolder());
  const bool hideAtStart = app_.store().ReadConfigInt(kKey, "OcultarNotasAlInicio") == 1;
  LoadedNotes live = files_->LoadLive();
  liveUnreadable_ = live.status == LoadedNotes::Status::Unreadable;
  for (NoteEntry& e : live.notes) {
    const bool open = e.record.visible == 1 && !hideAtStart;
    Append(MakeNote(std::move(e)));
    if (open) live_.back()->Show();
  }
  LoadedNotes bin = files_->LoadBin();
  binUnreadable_ = bin.status == LoadedNotes::Status::Unreadable;
  bin_ = RecycleBin::FromFile(std::move(bin.notes), Now(), ReadBinSettings());
  RefreshBinWindow();
  notifyLate_ = app_.store().ReadConfigInt(kKey, "AvisarNotasRetrasadas") == 1;
  worker_ = std::thread([this, delay = options_.lateCheckDelay] { LateWorker(delay); });
}

void CDuvuZevad::LateWorker(std::chrono::milliseconds delay) {
  std::unique_lock lock(workerMutex_);
  if (workerWake_.wait_for(lock, delay, [this] { return stopping_; })) return;
  app_.desktop().loop.post(handle_, kMsgLateCheck, 0, 0);
}

void CDuvuZevad::command(int code, std::string_view) {
  if (const auto index = NoteIndexOfCommand(code)) {
    ToggleNote(*index);
    return;
  }
  switch (static_cast<NotesCommand>(code)) {
    case NotesCommand::ShowMenu:
      if (CPrincipalDlg* main = app_.mainWindow()) main->OpenMenu(BuildDuvuMenu(notes()));
      return;
    case NotesCommand::NewNote: NewNote(); return;
    case NotesCommand::ShowAll: ShowAll(); return;
    case NotesCommand::HideAll: HideAll(); return;
    case NotesCommand::DeleteAll: DeleteAll(); return;
    case NotesCommand::OpenBin: OpenBin(); return;
    default: return;
  }
}

void CDuvuZevad::save() {
  if (files_ == nullptr) return;
  std::vector<NoteEntry> live;
  live.reserve(live_.size());
  for (auto& n : live_) live.push_back(n->Capture());
  // A file that cannot be written is skipped; the other is still written.
  if (MayWrite(files_->livePath(), liveUnreadable_)) (void)files_->Write(files_->livePath(), live);
  if (MayWrite(files_->binPath(), binUnreadable_)) {
    std::vector<NoteEntry> bin = bin_.rows();
    for (NoteEntry& e : bin) e.record.visible = 0;
    (void)files_->Write(files_->binPath(), bin);
  }
}

bool CDuvuZevad::MayWrite(const std::string& path, bool& unreadable) {
  if (!unreadable) return true;
  Files& files = app_.platform().files;
  if (!files.exists(path) || files.renameFile(path, path + std::string(kUnreadableSuffix)).ok) unreadable = false;
  return !unreadable;
}

bool CDuvuZevad::IsShown(const CNote& note) const {
  return note.isOpen() && app_.dialogs().isVisible(note.window());
}

std::vector<NoteItem> CDuvuZevad::notes() const {
  std::vector<NoteItem> out;
  for (const auto& n : live_) out.push_back({n->record().title, IsShown(*n)});
  return out;
}

std::vector<std::vector<std::string>> CDuvuZevad::statusRecords() const {
  std::vector<std::vector<std::string>> out;
  for (std::size_t i = 0; i < live_.size(); ++i) {
    out.push_back({"note", std::to_string(i), live_[i]->record().title, IsShown(*live_[i]) ? "open" : "hidden"});
  }
  out.push_back({"notebin", std::to_string(bin_.size())});
  return out;
}

void CDuvuZevad::NewNote() {
  NewNoteContext context;
  Clock& clock = app_.platform().clock;
  context.nowSeconds = clock.now();
  // The clock offers no wall-clock milliseconds; the tick's phase within
  // its second is as good a draw.
  context.millisecond = static_cast<int>(clock.tickMs() % 1000);
  context.localNow = localNow(clock);
  context.workArea = app_.desktop().screen.workArea();
  const EnvironmentLookup& env = app_.environment();
  if (env) {
    context.userName = env("USER").value_or(env("LOGNAME").value_or(""));
    context.hostName = env("HOSTNAME").value_or("");
    context.environment = env;
  }
  if (context.hostName.empty()) {
    context.hostName = trimmed(app_.platform().files.readFile("/proc/sys/kernel/hostname", 256).value_or(""));
  }
  context.titleTaken = [this](std::string_view title) {
    return std::any_of(live_.begin(), live_.end(), [&](const auto& n) { return n->record().title == title; });
  };
  notes::NewNote made = MakeNewNote(ReadNewNoteSettings(), context);
  Append(MakeNote({std::move(made.record), std::move(made.text)}));
  live_.back()->Show();
}

void CDuvuZevad::ShowAll() {
  for (auto& n : live_) n->Show();
}

void CDuvuZevad::HideAll() {
  for (auto& n : live_) n->Hide();
  save();
}

void CDuvuZevad::ToggleNote(std::size_t index) {
  if (index >= live_.size()) return;
  CNote& n = *live_[index];
  if (IsShown(n)) {
    n.Hide();
    save();
  } else {
    n.Show();
  }
}

void CDuvuZevad::DeleteNote(std::size_t index) {
  if (index >= live_.size()) return;
  std::vector<std::uint32_t> hotkeys;
  for (const auto& n : live_) hotkeys.push_back(n->record().hotkey);
  // The removed note lets go of its identifier and every later note moves
  // down by one, each identifier freed before it is taken again.
  ApplyHotkeyOps(HotkeyOpsForRemoval(hotkeys, index));
  std::unique_ptr<CNote> note = std::move(live_[index]);
  live_.erase(live_.begin() + static_cast<std::ptrdiff_t>(index));
  for (std::size_t i = 0; i < live_.size(); ++i) live_[i]->SetIndex(static_cast<int>(i));
  note->Hide();
  (void)bin_.Put(note->Capture(), Now(), ReadBinSettings());
  note.reset();
  RefreshBinWindow();
  save();
}

void CDuvuZevad::DeleteAll() {
  UnregisterAll();
  const BinSettings settings = ReadBinSettings();
  for (auto& n : live_) {
    n->Hide();
    (void)bin_.Put(n->Capture(), Now(), settings);
  }
  live_.clear();
  RefreshBinWindow();
  save();
}

void CDuvuZevad::OpenBin() {
  (void)bin_.Purge(Now(), ReadBinSettings());
  RefreshBinWindow();
  app_.helpers().ShowAnimated(binHandle_);
}

void CDuvuZevad::RefreshBinWindow() {
  binWindow_.Refresh(bin_, app_.platform().clock, Now());
  if (binHandle_ != kNoWindow) app_.dialogs().update(binHandle_);
}

void CDuvuZevad::RestoreSelected(std::vector<std::size_t> rows) {
  std::vector<NoteEntry> restored = bin_.RestoreSelected(std::move(rows));
  if (restored.empty()) return;
  for (NoteEntry& e : restored) {
    Append(MakeNote(std::move(e)));
    live_.back()->Show();
  }
  RefreshBinWindow();
  save();
}

void CDuvuZevad::RestoreAllNotes() {
  std::vector<NoteEntry> restored = bin_.RestoreAll();
  for (NoteEntry& e : restored) {
    Append(MakeNote(std::move(e)));
    live_.back()->Show();
  }
  RefreshBinWindow();
  save();
}

void CDuvuZevad::EmptyBin() {
  bin_.Empty();
  RefreshBinWindow();
  if (files_ != nullptr && MayWrite(files_->binPath(), binUnreadable_)) (void)files_->DeleteBin();
}

void CDuvuZevad::CloseBin() { app_.helpers().HideAnimated(binHandle_, false); }

void CDuvuZevad::BinShown() {
  if (binHandle_ != kNoWindow) app_.dialogs().update(binHandle_);
}

std::size_t CDuvuZevad::IndexOf(const CNote& note) const {
  for (std::size_t i = 0; i < live_.size(); ++i) {
    if (live_[i].get() == &note) return i;
  }
  return live_.size();
}

void CDuvuZevad::NoteHidden(CNote&) { save(); }

void CDuvuZevad::NoteDeleteRequested(CNote& note) {
  // The note is still inside its own handler: it goes once that returns.
  app_.desktop().loop.post(handle_, kMsgDeleteNote, static_cast<std::intptr_t>(note.serial()), 0);
}

void CDuvuZevad::NoteChanged(CNote&) { save(); }

void CDuvuZevad::NoteAlarmSet(CNote&) { StartAlarmTimer(); }

void CDuvuZevad::NoteHotkeyChanged(CNote& note, std::uint32_t previous) {
  const std::size_t i = IndexOf(note);
  if (i == live_.size()) return;
  ApplyHotkeyOps(UnregisterNoteHotkey(i, previous));
  ApplyHotkeyOps(RegisterNoteHotkey(i, note.record().hotkey));
}

void CDuvuZevad::StartAlarmTimer() {
  if (alarmTimer_) return;
  alarmTimer_ = true;
  app_.desktop().loop.setTimer(handle_, kTimerAlarms, kAlarmPeriodMs);
}

void CDuvuZevad::onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t) {
  if (message == kMsgLateCheck) {
    LateCheck();
  } else if (message == kMsgDeleteNote) {
    for (std::size_t i = 0; i < live_.size(); ++i) {
      if (live_[i]->serial() == static_cast<std::uint64_t>(wparam)) {
        DeleteNote(i);
        return;
      }
    }
  }
}

void CDuvuZevad::onTimer(int timerId) {
  if (timerId == kTimerAlarms) {
    AlarmTick();
  } else if (timerId == kTimerLateNotice) {
    NextLateNotice();
  }
}

void CDuvuZevad::AlarmTick() {
  Clock& clock = app_.platform().clock;
  const std::int64_t now = clock.now();
  bool changed = false;
  for (auto& n : live_) {
    NoteRecord& r = n->record();
    if (!r.hasAlarm() || !IsDueAt(SchedulerRecordOf(r.alarm, clock), clock, now)) continue;
    n->Show();
    if (!r.alarm.soundFile.empty()) app_.helpers().PlayEventSound(r.alarm.soundFile, false);
    if (r.alarm.Start == static_cast<int>(TriggerKind::Once)) {
      ClearAlarm(r);
      n->Refresh();
      changed = true;
    }
  }
  if (changed) save();
  const bool any = std::any_of(live_.begin(), live_.end(), [](const auto& n) { return n->record().hasAlarm(); });
  if (!any) {
    app_.desktop().loop.killTimer(handle_, kTimerAlarms);
    alarmTimer_ = false;
  }
}

void CDuvuZevad::LateCheck() {
  Clock& clock = app_.platform().clock;
  const std::int64_t now = clock.now();
  bool changed = false;
  for (auto& n : live_) {
    NoteRecord& r = n->record();
    if (CheckLateAlarm(r.alarm, clock, now) != LateAlarm::Late) continue;
    ClearAlarm(r);
    n->Refresh();
    changed = true;
    if (notifyLate_) pendingNotices_.push_back({r.title, n->text()});
  }
  if (changed) save();
  if (!pendingNotices_.empty() && !noticeShowing_) NextLateNotice();
}

void CDuvuZevad::NextLateNotice() {
  CPrincipalDlg* main = app_.mainWindow();
  EventLoop& loop = app_.desktop().loop;
  if (main == nullptr) {
    pendingNotices_.clear();
    return;
  }
  HoverTooltip& tip = main->tooltip();
  if (noticeShowing_) {
    // The notice shown 16 seconds ago makes way for the next one.
    tip.Hide();
    noticeShowing_ = false;
  } else if (tip.visible()) {
    // An icon's tooltip is up: look again in 16 seconds.
    loop.setTimer(handle_, kTimerLateNotice, kLateNoticeMs);
    return;
  }
  if (pendingNotices_.empty()) {
    loop.killTimer(handle_, kTimerLateNotice);
    return;
  }
  const Notice notice = pendingNotices_.front();
  pendingNotices_.erase(pendingNotices_.begin());
  const Rect area = app_.desktop().screen.workArea();
  const std::string html = NoticeHtml(1, "Nota atrasada - " + notice.title, notice.text);
  tip.ShowNotice(html, {area.right - 20, area.bottom - 10});
  shownNotices_.push_back(html);
  noticeShowing_ = true;
  loop.setTimer(handle_, kTimerLateNotice, kLateNoticeMs);
}

}  // namespace zelvor::notes
