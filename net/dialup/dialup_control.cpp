#include "net/dialup/dialup_control.h"

#include <algorithm>
#include <cstdio>

#include "net/dialup/dialup_settings.h"
#include "platform/messages.h"

namespace zelvor::dialup {
namespace {

constexpr const char* kSeparatorLine = "-------------------";
constexpr const char* kUnknownError = "Error desconocido en RASAPI32.";
constexpr const char* kEditorError = "Error al cargar el Acceso telefónico a redes.";
constexpr const char* kCaption = "Dedo Vuv";

}  // namespace

DialupControl::DialupControl(DialupServices services) : s_(services) {
  self_ = s_.loop.addTarget(*this);
  // The watch runs from the start, so connections made by other programs
  // are adopted even when the dial window was never shown.
  s_.loop.setTimer(self_, kWatchTimer, kWatchMs);
}

DialupControl::~DialupControl() { s_.loop.removeTarget(self_); }

bool DialupControl::Available(bool quiet) {
  if (s_.dialer.available()) return true;
  if (quiet) return false;
  (void)s_.boxes.show(MessageBoxRequest{s_.dialer.missingServiceText(), "Zelvor", MsgButtons::Ok,
                                        MsgIcon::Warning, true});
  s_.store.SetEnabled(kUtilityKey, false);
  s_.outside.DropIcon();
  return false;
}

int DialupControl::EntryCount() {
  if (!Available(true)) return 0;
  return static_cast<int>(s_.dialer.entries().size());
}

std::vector<std::string> DialupControl::Entries() {
  if (!Available(true)) return {};
  return s_.dialer.entries();
}

std::vector<std::string> DialupControl::Modems() {
  if (!Available(true)) return {};
  return s_.dialer.modems();
}

bool DialupControl::IsConnected() { return Available(true) && !s_.dialer.connections().empty(); }

std::string DialupControl::ConnectionText(std::int64_t now) {
  if (!IsConnected()) return "Desconectado";
  const auto since = ConnectedSince();
  if (!since) return "Conectado";
  const std::int64_t up = std::max<std::int64_t>(0, now - *since);
  char text[64];
  std::snprintf(text, sizeof text, "Conectado: %02lldh. %02lldm. %02llds.", static_cast<long long>(up / 3600),
                static_cast<long long>(up / 60 % 60), static_cast<long long>(up % 60));
  return text;
}

void DialupControl::Dial(const std::string& entry, bool dialNow) {
  if (s_.view.visible()) return;  // a dial is under way
  if (!Available(true)) return;
  s_.diary.EndRecord();
  s_.outside.ForgetPrograms();
  connection_ = 0;
  entry_ = entry;

  const DialParams params = s_.dialer.dialParams(entry);
  const bool savePassword = s_.store.ReadConfigInt(kKey, kGuardarPassword) == 1;
  DialFields fields;
  fields.userName = params.userName;
  if (params.passwordStored && savePassword) fields.password = params.password;
  fields.savePassword = savePassword;
  fields.autoConnect = s_.store.ReadConfigInt(kKey, kAutoConectar) == 1;
  s_.view.setFields(fields);

  s_.view.setTitle(ConnectTitle(entry));
  s_.view.setStatus(ConnectTitle(entry));
  s_.view.loadPrograms(s_.store.ReadConfigInt(kKey, kEjecutarProgramas) != 0 &&
                       s_.store.ReadConfigInt(kProgramsKey, "Numero") > 0);
  s_.view.clearLog();
  s_.view.showTab(DialTab::Authentication);
  s_.view.setFieldsEnabled(true);
  s_.view.show();

  if (dialNow || s_.store.ReadConfigInt(kKey, kAutoConectar) == 1) StartDial(true);
}

void DialupControl::StartDial(bool firstAttempt) {
  if (firstAttempt) {
    attempts_ = s_.store.ReadConfigInt(kKey, kReintentos);
  } else {
    // The separator only stands between two attempts, so three attempts
    // show two separators.
    if (attempts_ < 2) return;
    s_.view.addLogLine(kSeparatorLine, LogIcon::None);
    --attempts_;
  }
  s_.view.setFieldsEnabled(false);
  s_.view.setTitle(ConnectingTitle(entry_));
  s_.view.setStatus("Abriendo puerto...");
  const DialFields fields = s_.view.fields();
  s_.diary.DiscardRecord();
  s_.view.showTab(DialTab::Status);

  dialing_ = true;
  const DialParams params{fields.userName, fields.password, !fields.password.empty()};
  const DialStart started = s_.dialer.dial(entry_, params, self_);
  if (started.handle == 0) {
    (void)ErrorText(started.error, true);
    s_.view.setFieldsEnabled(true);
    dialing_ = false;
    return;
  }
  connection_ = started.handle;
  if (fields.edited) (void)s_.dialer.setDialParams(entry_, params, !fields.savePassword);
}

void DialupControl::onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) {
  if (message == msg::DialProgress) {
    OnProgress(DialReport::decode(wparam, lparam));
  } else if (message == msg::DialRetry) {
    if (s_.view.visible()) StartDial(false);
  }
}

void DialupControl::onTimer(int timerId) {
  if (timerId == kWatchTimer) Watch();
}

void DialupControl::OnProgress(const DialReport& report) {
  // Reports of a dial that was hung up or replaced meanwhile are stale.
  if (report.handle == 0 || report.handle != connection_) return;
  if (report.error != 0 && report.error != kDisconnectedByUser) {
    OnFailure(report.error);
    return;
  }
  if (report.step == dial_step::Connected) {
    s_.view.addLogLine("Conectado", LogIcon::Connected);
    OnConnected();
    return;
  }
  if (report.step == dial_step::Disconnected) {
    s_.view.addLogLine("Desconectado", LogIcon::Cross);
    if (s_.view.visible()) {
      s_.view.setStatus(ConnectTitle(entry_));
      s_.view.setTitle(ConnectTitle(entry_));
      s_.view.setFieldsEnabled(true);
    }
    OnDisconnected();
    return;
  }
  const StepEffect effect = EffectOfStep(report.step);
  if (effect.marksPreviousDone) s_.view.markLastLineDone();
  if (effect.logLine) s_.view.addLogLine(*effect.logLine, LogIcon::Arrow);
  if (effect.status) s_.view.setStatus(*effect.status);
  if (effect.startsProgramsWhenDialing && s_.store.ReadConfigInt(kKey, kEjecutarProgramas) == 1 &&
      s_.store.ReadConfigInt(kKey, kCuandoEjecutarProgramas) == 0) {
    s_.outside.StartPrograms();
  }
  if (effect.beginsRecord) BeginRecordOnce();
}

void DialupControl::OnFailure(int error) {
  s_.diary.EndRecord();
  s_.view.setFieldsEnabled(true);
  s_.view.setTitle(ConnectTitle(entry_));
  s_.view.setStatus(ConnectTitle(entry_));
  const ConnectionHandle failed = connection_;
  connection_ = 0;
  dialing_ = false;
  if (s_.view.visible()) {
    s_.view.markLastLineDone();
    s_.view.addLogLine(ErrorText(error, false), LogIcon::Cross);
    s_.outside.PlayEventSound("SystemHand");
  }
  (void)s_.dialer.hangUp(failed);
  s_.loop.post(self_, msg::DialRetry, 0, 0);
}

void DialupControl::BeginRecordOnce() {
  if (s_.diary.HasRecord()) return;
  const auto status = s_.dialer.status(connection_);
  if (!status) return;  // a connection that cannot be read is not recorded
  s_.diary.BeginRecord(entry_, status->device);
}

void DialupControl::StoreBoxes() {
  const DialFields fields = s_.view.fields();
  s_.store.WriteConfigInt(kKey, kGuardarPassword, fields.savePassword ? 1 : 0);
  s_.store.WriteConfigInt(kKey, kAutoConectar, fields.autoConnect ? 1 : 0);
}

void DialupControl::OnConnected() {
  s_.view.setFieldsEnabled(true);
  s_.view.hide();
  // The boxes are the user's only after a dial from the window; a connection
  // adopted from another program must not overwrite the stored choices.
  if (dialing_) StoreBoxes();
  const std::string sound = s_.store.ReadConfigString(kKey, kSonidoAlConectar);
  if (!sound.empty()) s_.outside.PlayEventSound(sound);
  if (s_.store.ReadConfigInt(kKey, kEjecutarProgramas) != 0 &&
      s_.store.ReadConfigInt(kKey, kCuandoEjecutarProgramas) != 0) {
    s_.outside.StartPrograms();
  }
  BeginRecordOnce();
  s_.outside.ConnectionUp();
  dialing_ = false;
}

void DialupControl::OnDisconnected() {
  connection_ = 0;
  const std::string sound = s_.store.ReadConfigString(kKey, kSonidoAlDesconectar);
  if (!sound.empty()) s_.outside.PlayEventSound(sound);
  s_.diary.EndRecord();
  s_.outside.ClosePrograms();
  dialing_ = false;
}

bool DialupControl::HangUp() {
  if (!Available(true)) return false;
  const std::vector<ConnectionHandle> up = s_.dialer.connections();
  bool hungUp = false;
  if (!up.empty()) {
    // The connection this control holds goes first; otherwise the first one.
    const bool held = std::find(up.begin(), up.end(), connection_) != up.end();
    const ConnectionHandle target = held ? connection_ : up.front();
    const int error = s_.dialer.hangUp(target);
    if (error != 0) {
      (void)ErrorText(error, true);
    } else {
      hungUp = true;
      if (held) s_.diary.EndRecord();
    }
  }
  OnDisconnected();
  if (s_.view.visible()) {
    s_.view.setFieldsEnabled(true);
    s_.view.setTitle(ConnectTitle(entry_));
    s_.view.setStatus(ConnectTitle(entry_));
  }
  return hungUp;
}

void DialupControl::CloseDialWindow() {
  StoreBoxes();
  s_.view.hide();
  if (connection_ == 0) return;
  s_.diary.EndRecord();
  (void)s_.dialer.hangUp(connection_);
  s_.outside.ClosePrograms();
  connection_ = 0;
  dialing_ = false;
}

void DialupControl::Watch() {
  if (connection_ == 0) {
    if (dialing_ || !Available(true)) return;
    for (const ConnectionHandle c : s_.dialer.connections()) {
      const auto status = s_.dialer.status(c);
      if (!status || !status->connected) continue;
      connection_ = c;
      entry_ = status->entry;
      OnConnected();
      return;
    }
    return;
  }
  if (dialing_) return;
  // With the service gone (restarting, say) nothing is known of the line:
  // the record stays held and is ended once the service answers again.
  if (!s_.dialer.available()) return;
  const std::vector<ConnectionHandle> up = s_.dialer.connections();
  if (std::find(up.begin(), up.end(), connection_) != up.end()) return;
  OnDisconnected();
  if (s_.store.ReadConfigInt(kKey, kAutoReconectar) == 1) Dial(entry_, true);
}

void DialupControl::ShowEditorFailure() {
  (void)s_.boxes.show(MessageBoxRequest{kEditorError, kCaption, MsgButtons::Ok, MsgIcon::Warning, true});
}

void DialupControl::NewEntry() {
  if (Available(true) && s_.dialer.newEntry() == EditorOutcome::NoEditor) ShowEditorFailure();
}

void DialupControl::EditEntry(const std::string& entry) {
  if (Available(true) && s_.dialer.editEntry(entry) == EditorOutcome::NoEditor) ShowEditorFailure();
}

void DialupControl::OpenDialUpFolder() {
  if (Available(true) && s_.dialer.openEntriesFolder() == EditorOutcome::NoEditor) ShowEditorFailure();
}

std::string DialupControl::ErrorText(int code, bool show) {
  std::string text = s_.dialer.errorText(code);
  if (text.empty()) text = kUnknownError;
  if (show) {
    (void)s_.boxes.show(MessageBoxRequest{text, kCaption, MsgButtons::Ok, MsgIcon::Warning, false});
  }
  return text;
}

}  // namespace zelvor::dialup
