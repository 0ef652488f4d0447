#pragma once
// The tip of the day: one tip at a time on a white panel under "Sabía
// que...", a button for the next one, and the choice of showing the window
// at start.

#include <string_view>

#include "shell/dialogs/tip_chooser.h"
#include "shell/modeless_window.h"

namespace zelvor {

namespace tip_control {
inline constexpr int Panel = 1;
inline constexpr int ShowAtStart = 2;
inline constexpr int Next = 3;
inline constexpr int Close = 4;
}  // namespace tip_control

class CTipDlg : public ModelessWindow {
 public:
  explicit CTipDlg(CZelvorApp& app);

  void onEvent(const ControlEvent& event) override;

  // The tip on show (index into TipTexts()); -1 before the window is made.
  [[nodiscard]] int currentTip() const { return current_; }
  [[nodiscard]] std::string_view currentText() const;
  [[nodiscard]] const TipChooser& chooser() const { return chooser_; }

  // The white panel: the heading and the tip, as the binding paints it.
  void PaintPanel(Canvas& canvas, Size size) const;

 protected:
  void Build() override;
  void SaveEdits() override;

 private:
  void ShowNextTip();
  // Milliseconds of the current second, from the clock of the platform.
  [[nodiscard]] int MillisecondsNow() const;

  TipChooser chooser_;
  int current_ = -1;
};

}  // namespace zelvor
