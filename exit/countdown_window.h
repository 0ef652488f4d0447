#pragma once
// The countdown warning as a window of the suite: CAvisoDlg's state shown
// as a window model (icon, message, "Quedan %d segundos", progress bar,
// "Cancelar"), run modally by the desktop's dialog host, counted by a
// one-second timer of the event loop.

#include "exit/countdown.h"
#include "platform/dialog_host.h"
#include "platform/event_loop.h"

namespace zelvor {

// Control ids of the warning window.
namespace countdown_control {
inline constexpr int Icon = 1;
inline constexpr int Message = 2;
inline constexpr int Remaining = 3;
inline constexpr int Progress = 4;
inline constexpr int Cancel = 5;
}  // namespace countdown_control

// Codes the modal run ends with.
inline constexpr int kCountdownAccepted = 1;
inline constexpr int kCountdownCancelled = 2;

class CountdownWindowPresenter final : public CountdownPresenter {
 public:
  static constexpr const char* kClassName = "CAvisoDlg";

  CountdownWindowPresenter(DialogHost& dialogs, EventLoop& loop) : dialogs_(dialogs), loop_(loop) {}

  // Returns once the warning ran out or was cancelled. A modal run that
  // ends some other way (the desktop closed the window under us) counts
  // as cancelled: the action goes ahead only when the count ran out.
  void RunModal(CAvisoDlg& dialog) override;

 private:
  DialogHost& dialogs_;
  EventLoop& loop_;
};

}  // namespace zelvor
