#pragma once
// CAutoCloseDlg, "Apagado automático": one exit action run without the
// user when a condition is met: a date (the scheduler record under
// DadeRive\Scheduler), a span of time, a quiet processor or a quiet
// network. "Iniciar" starts a one-second watch; "Detener" ends it. While it
// runs, closing the window only hides it.

#include <memory>
#include <string>
#include <vector>

#include "exit/countdown_window.h"
#include "exit/scheduler.h"
#include "exit/scheduler_page_view.h"
#include "platform/event_loop.h"
#include "platform/window_model.h"
#include "shell/utility.h"
#include "shell/warning_sound.h"
#include "shutdown/auto_close_conditions.h"
#include "system/cpu_usage.h"

namespace zelvor {

class CZelvorApp;

class CAutoCloseDlg final : public ShellWindow, public WindowModel, public MessageTarget {
 public:
  static constexpr const char* kClassName = "CAutoCloseDlg";
  static constexpr const char* kTitle = "Apagado automático";
  static constexpr int kTickTimerId = 1;
  static constexpr int kPauseTimerId = 2;
  static constexpr int kTickMs = 1000;
  // After a recurring date fired, the same trigger minute must not fire again.
  static constexpr int kPauseMs = 65000;

  enum : int {
    kTabs = 1,
    kAction = 2,
    kWarning = 3,
    kWarningSeconds = 4,
    kStart = 5,
    kStop = 6,
    kStatus = 7,
    // Tab 1.
    kDays = 20,
    kHours = 21,
    kMinutes = 22,
    kSeconds = 23,
    // Tab 2.
    kCpuThreshold = 30,
    kCpuMinutes = 31,
    kCpuSeconds = 32,
    // Tab 3.
    kDownloadBox = 40,
    kDownload = 41,
    kUploadBox = 42,
    kUpload = 43,
    kNetMinutes = 44,
    kNetSeconds = 45,
    // Tab 0: the scheduler page's controls.
    kFirstSchedulerId = 100,
  };

  enum Tab : int { kDateTab = 0, kTimeTab = 1, kCpuTab = 2, kNetTab = 3 };

  explicit CAutoCloseDlg(CZelvorApp& app);
  ~CAutoCloseDlg() override;

  // ShellWindow: shows the window (a disarmed date starts again from now).
  void open() override;
  [[nodiscard]] bool isVisible() const override;
  [[nodiscard]] bool armed() const override { return running_; }
  [[nodiscard]] std::string remainingText() const override;

  void onEvent(const ControlEvent& event) override;
  bool onCloseRequest() override;
  void onMessage(std::uint32_t, std::intptr_t, std::intptr_t) override {}
  void onTimer(int timerId) override;

  void Start();  // "Iniciar"
  void Stop();   // "Detener"
  [[nodiscard]] int SelectedTab() const;
  void SelectTab(int tab);
  [[nodiscard]] std::int64_t RemainingSeconds() const;
  // The exit-action codes of the action list, in its order.
  [[nodiscard]] const std::vector<int>& ActionCodes() const { return actionCodes_; }
  [[nodiscard]] CScheduler& Scheduler() { return *scheduler_; }
  [[nodiscard]] WindowHandle handle() const { return window_; }

  // The conditions of tabs 1 to 3 (their fields start at their defaults).
  shutdown::TimeSpanCondition time;
  shutdown::CpuQuietCondition cpu;
  shutdown::TrafficQuietCondition traffic;

 private:
  void Build();
  void TakeFields();  // from the model into the conditions
  void SaveAll();
  void SetStatus(int part, std::string text);
  void EnableEditing(bool on);
  void Tick();
  void Fire();
  void Refresh();
  [[nodiscard]] int SelectedActionCode() const;

  CZelvorApp& app_;
  ShellEventSoundPlayer sound_;
  CountdownWindowPresenter countdown_;
  std::unique_ptr<CScheduler> scheduler_;
  SchedulerPageView schedulerView_;
  CCPUUsage cpuUsage_;
  std::vector<int> actionCodes_;
  WindowHandle target_ = kNoWindow;
  WindowHandle window_ = kNoWindow;
  bool running_ = false;
};

}  // namespace zelvor
