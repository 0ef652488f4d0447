#pragma once
// The dial window of Dedo Vuv ("Conectar con <entry>"): the "Autenticación",
// "Programas a ejecutar" and "Estado" tabs, the status line with its
// animated picture, and the "&Conectar" and "Cancelar" buttons. The
// connection control drives it through DialView; the user's presses go back
// to its owner.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "net/dialup/dial_view.h"
#include "platform/event_loop.h"
#include "platform/window_model.h"
#include "shell/shell_helpers.h"
#include "shell/store/config_store.h"

namespace zelvor::dedovuv {

namespace dial_id {
inline constexpr int Tabs = 1;
inline constexpr int UserName = 2;
inline constexpr int Password = 3;
inline constexpr int SavePassword = 4;
inline constexpr int AutoConnect = 5;
inline constexpr int Programs = 6;
inline constexpr int RunNow = 7;
inline constexpr int Log = 8;
inline constexpr int Status = 9;
inline constexpr int Picture = 10;
inline constexpr int Connect = 11;
inline constexpr int Cancel = 12;
}  // namespace dial_id

inline constexpr int kAnimationTimer = 1;
inline constexpr std::uint32_t kAnimationMs = 700;

// The frame shown at the n-th step of the animation: 0, 1, 2, 3, 2, 1, 0, 1, …
[[nodiscard]] int AnimationFrame(std::uint64_t step);
// The 32 × 32 picture of a frame: a handset with 0 to 3 waves.
[[nodiscard]] ImageRef AnimationPicture(int frame);

class CDialWindow final : public WindowModel, public dialup::DialView, public MessageTarget {
 public:
  struct Owner {
    std::function<void()> connect;  // "&Conectar"
    std::function<void()> close;    // "Cancelar" or the close box
    std::function<void()> runNow;   // "&Ejecutar ahora"
  };
  CDialWindow(DialogHost& host, EventLoop& loop, ShellHelpers& helpers, ConfigStore& store, Owner owner);
  ~CDialWindow() override;
  CDialWindow(const CDialWindow&) = delete;
  CDialWindow& operator=(const CDialWindow&) = delete;

  // DialView.
  bool visible() override;
  void show() override;
  void hide() override;
  void setTitle(const std::string& title) override;
  void setStatus(const std::string& status) override;
  void setFieldsEnabled(bool enabled) override;
  void showTab(dialup::DialTab tab) override;
  void setFields(const dialup::DialFields& fields) override;
  dialup::DialFields fields() override;
  void loadPrograms(bool load) override;
  void clearLog() override;
  void addLogLine(const std::string& text, dialup::LogIcon icon) override;
  void markLastLineDone() override;

  // Which programs the user left checked, by their place in DedoVuv\Programas
  // (1-based); empty when the list was not loaded (then every one runs).
  [[nodiscard]] std::vector<bool> checkedPrograms() const;
  [[nodiscard]] bool programsLoaded() const { return programsLoaded_; }
  // After the programs started: "&Ejecutar ahora" and the list are disabled.
  void disablePrograms();
  // The log as text lines, each with its icon's name first.
  [[nodiscard]] std::vector<std::string> logLines() const;
  [[nodiscard]] WindowHandle window() const { return window_; }
  [[nodiscard]] int frame() const { return frame_; }

  // WindowModel.
  void onEvent(const ControlEvent& event) override;
  bool onCloseRequest() override;
  // MessageTarget: the animation's timer.
  void onMessage(std::uint32_t, std::intptr_t, std::intptr_t) override {}
  void onTimer(int timerId) override;

 private:
  void Build();
  void Refresh();
  void SetFrame(int frame);

  DialogHost& host_;
  EventLoop& loop_;
  ShellHelpers& helpers_;
  ConfigStore& store_;
  Owner owner_;
  WindowHandle window_ = kNoWindow;
  WindowHandle self_ = kNoWindow;
  bool shown_ = false;
  bool programsLoaded_ = false;
  bool edited_ = false;
  std::uint64_t animationStep_ = 0;
  int frame_ = 0;
};

}  // namespace zelvor::dedovuv
