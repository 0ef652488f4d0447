#pragma once
// The progress window a long operation shows on the UI thread. Its owner is
// disabled for as long as it exists; moving the bar first lets the loop
// deliver what is waiting, so the desktop keeps painting and "Cancelar"
// keeps working while the caller's loop runs.

#include <string>

#include "platform/dialog_host.h"
#include "platform/event_loop.h"

namespace zelvor {

namespace progress_control {
inline constexpr int Icon = 1;
inline constexpr int Text = 2;
inline constexpr int Bar = 3;
inline constexpr int Cancel = 4;
}  // namespace progress_control

struct ProgressOptions {
  int lowest = 0;
  int highest = 100;
  int step = 10;
  std::string text;
  std::string caption;  // empty: "Zelvor"
  int image = 0;        // in the 32 × 32 strip
  bool offerCancel = false;
};

class CProgressDlg : public WindowModel {
 public:
  // Shows the window at once; owner (kNoWindow: none) stays disabled until
  // this object goes.
  CProgressDlg(DialogHost& dialogs, EventLoop& loop, WindowHandle owner, ProgressOptions options);
  ~CProgressDlg() override;
  CProgressDlg(const CProgressDlg&) = delete;
  CProgressDlg& operator=(const CProgressDlg&) = delete;

  // A reversed range is taken the right way round; the position is kept
  // inside the range.
  void SetRange(int lowest, int highest);
  void SetPos(int position);
  void SetStep(int step);
  // Moves the position by the step, stopping at the ends of the range.
  void StepIt();
  [[nodiscard]] int GetPos() const { return bar().value; }
  // Whether the user pressed "Cancelar" (or closed the window while it
  // offered "Cancelar"); the caller stops its work when it sees this.
  [[nodiscard]] bool cancelled() const { return cancelled_; }
  [[nodiscard]] WindowHandle handle() const { return handle_; }

  void onEvent(const ControlEvent& event) override;
  bool onCloseRequest() override;

 private:
  [[nodiscard]] Control& bar();
  [[nodiscard]] const Control& bar() const;
  void MoveTo(int position);
  void Cancel();

  DialogHost& dialogs_;
  EventLoop& loop_;
  WindowHandle owner_;
  WindowHandle handle_ = kNoWindow;
  int step_;
  bool offerCancel_;
  bool cancelled_ = false;
};

}  // namespace zelvor
