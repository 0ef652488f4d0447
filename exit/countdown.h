#pragma once
// The countdown warning shown before an automatic action: a small modal
// window with an icon, the message, "Quedan %d segundos", a progress bar
// and "Cancelar". This is the window's behaviour; a toolkit binding draws
// it from the getters, drives OnTimerTick() from a one-second timer and
// routes "Cancelar", Escape and closing the window to Cancel().

#include <string>
#include <string_view>

namespace zelvor {

class CAvisoDlg {
 public:
  enum class Result { Running, Accepted, Cancelled };

  static constexpr int kTimerId = 1;
  static constexpr int kTimerPeriodMs = 1000;
  static constexpr const char* kCancelText = "Cancelar";

  // seconds is brought into 0..32000; iconIndex is the image of the
  // suite's 32x32 icon strip.
  CAvisoDlg(int seconds, std::string caption, std::string message, int iconIndex);

  // One tick of the one-second timer: counts down, and once the count is
  // already 0 closes the window with accept (so a count of N accepts on
  // tick N + 1). Ignored once the window has closed.
  void OnTimerTick();
  // "Cancelar", Escape or closing the window. Ignored once closed.
  void Cancel();

  [[nodiscard]] Result result() const { return result_; }
  [[nodiscard]] bool IsOpen() const { return result_ == Result::Running; }

  [[nodiscard]] const std::string& Title() const { return title_; }
  [[nodiscard]] const std::string& Message() const { return message_; }
  [[nodiscard]] int IconIndex() const { return iconIndex_; }
  [[nodiscard]] int Remaining() const { return remaining_; }
  // The line under the message, "Quedan %d segundos" with the count.
  [[nodiscard]] std::string RemainingLine() const;
  // The bar runs from 0 to the starting count and steps once a tick.
  [[nodiscard]] int ProgressMin() const { return 0; }
  [[nodiscard]] int ProgressMax() const { return seconds_; }
  [[nodiscard]] int ProgressPos() const { return seconds_ - remaining_; }

 private:
  int seconds_;
  int remaining_;
  std::string title_;
  std::string message_;
  int iconIndex_;
  Result result_ = Result::Running;
};

// Shows a countdown warning modally: the binding opens the window, starts
// the timer, and returns once the dialog has closed (result() is then
// Accepted or Cancelled).
class CountdownPresenter {
 public:
  virtual ~CountdownPresenter() = default;
  virtual void RunModal(CAvisoDlg& dialog) = 0;
};

// Plays a sound the way the suite's shell does: a WAV file, or the file
// the user's sound scheme assigns to a named system event.
class EventSoundPlayer {
 public:
  virtual ~EventSoundPlayer() = default;
  virtual void PlayEventSound(std::string_view fileOrEvent, bool loop) = 0;
};

}  // namespace zelvor
