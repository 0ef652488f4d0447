#pragma once
// The connection control of Dedo Vuv without its window: dialing through
// the dial-up service with retries, the progress shown in the dial window,
// hanging up, the watch that adopts connections made by other programs and
// notices dropped lines (and redials them), and the diary record of each
// connection.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "net/diary/diary_recorder.h"
#include "net/dialup/dial_view.h"
#include "net/dialup/dialup_outside.h"
#include "platform/dialer.h"
#include "platform/event_loop.h"
#include "platform/message_box.h"
#include "shell/store/config_store.h"

namespace zelvor::dialup {

inline constexpr int kWatchTimer = 1;
inline constexpr std::uint32_t kWatchMs = 5000;

struct DialupServices {
  ConfigStore& store;
  Dialer& dialer;
  EventLoop& loop;
  MessageBoxes& boxes;
  diary::DiaryRecorder& diary;
  DialView& view;
  DialupOutside& outside;
};

class DialupControl : public MessageTarget {
 public:
  explicit DialupControl(DialupServices services);
  ~DialupControl() override;
  DialupControl(const DialupControl&) = delete;
  DialupControl& operator=(const DialupControl&) = delete;

  // Whether the service is there. When it is not and quiet is false, says
  // so, disables the utility and drops its icon.
  [[nodiscard]] bool Available(bool quiet);
  [[nodiscard]] int EntryCount();
  [[nodiscard]] std::vector<std::string> Entries();
  [[nodiscard]] std::vector<std::string> Modems();
  [[nodiscard]] bool IsConnected();
  [[nodiscard]] std::optional<std::int64_t> ConnectedSince() const { return s_.diary.ConnectedSince(); }
  // "Conectado: 01h. 02m. 03s.", "Conectado" or "Desconectado".
  [[nodiscard]] std::string ConnectionText(std::int64_t now);

  // Opens the dial window for entry; dials at once when dialNow or AutoConectar.
  void Dial(const std::string& entry, bool dialNow);
  // The dial window's "&Conectar".
  void ConnectPressed() { StartDial(true); }
  // Hangs up the connection that is up; whether one was.
  bool HangUp();
  // The dial window's "Cancelar" or close box.
  void CloseDialWindow();
  // The service's editors; a missing editor is reported.
  void NewEntry();
  void EditEntry(const std::string& entry);
  void OpenDialUpFolder();
  // The service's text for code ("Error desconocido en RASAPI32." when it
  // has none); with show, also in a message box.
  std::string ErrorText(int code, bool show);

  [[nodiscard]] WindowHandle handle() const { return self_; }
  [[nodiscard]] bool Dialing() const { return dialing_; }
  [[nodiscard]] ConnectionHandle Connection() const { return connection_; }
  [[nodiscard]] const std::string& Entry() const { return entry_; }

  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override;
  void onTimer(int timerId) override;

 private:
  void StartDial(bool firstAttempt);
  void OnProgress(const DialReport& report);
  void OnFailure(int error);
  void OnConnected();
  void OnDisconnected();
  void BeginRecordOnce();
  void StoreBoxes();
  void Watch();
  void ShowEditorFailure();

  DialupServices s_;
  WindowHandle self_ = 0;
  std::string entry_;
  ConnectionHandle connection_ = 0;
  bool dialing_ = false;
  int attempts_ = 0;
};

}  // namespace zelvor::dialup
