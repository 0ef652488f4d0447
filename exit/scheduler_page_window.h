#pragma once
// A trigger's page in a window of its own, with "Aceptar" (save) and
// "Cancelar" (drop the edits). Owners embed the page in their own windows
// through SchedulerPageView; this window shows one page alone.

#include <string>

#include "exit/scheduler.h"
#include "exit/scheduler_page_view.h"
#include "platform/dialog_host.h"

namespace zelvor {

class SchedulerPageWindow final : public WindowModel {
 public:
  static constexpr const char* kClassName = "CSchedulerPage";
  static constexpr const char* kConfirmText = "Aceptar";
  static constexpr const char* kCancelText = "Cancelar";
  // The page's controls start at this id; the buttons come after them.
  static constexpr int kFirstPageId = 100;
  static constexpr int kConfirmId = 1;
  static constexpr int kCancelId = 2;

  SchedulerPageWindow(CScheduler& scheduler, DialogHost& dialogs, std::string windowTitle);
  ~SchedulerPageWindow() override;
  SchedulerPageWindow(const SchedulerPageWindow&) = delete;
  SchedulerPageWindow& operator=(const SchedulerPageWindow&) = delete;

  // Shows the window with the trigger's record; does nothing when open.
  void Open();
  [[nodiscard]] bool IsOpen() const { return window_ != kNoWindow; }
  [[nodiscard]] WindowHandle Handle() const { return window_; }
  [[nodiscard]] const SchedulerPageView& View() const { return view_; }

  void onEvent(const ControlEvent& event) override;
  // Closing the window drops the edits, like "Cancelar".
  bool onCloseRequest() override;

 private:
  void Close();

  CScheduler& scheduler_;
  DialogHost& dialogs_;
  SchedulerPageView view_;
  WindowHandle window_ = kNoWindow;
};

}  // namespace zelvor
