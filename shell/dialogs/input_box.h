#pragma once
// A modal one-line question: a prompt above an edit field pre-filled with
// the text, "Aceptar" and "Cancelar".

#include <string>

#include "platform/dialog_host.h"

namespace zelvor {

namespace input_control {
inline constexpr int Prompt = 1;
inline constexpr int Text = 2;
inline constexpr int Ok = 3;
inline constexpr int Cancel = 4;
}  // namespace input_control

class CInputBox : public WindowModel {
 public:
  // limit: the size of the caller's text including its terminator, so that
  // at most limit − 1 characters fit; 0 or less: no limit. The box is placed
  // over its owner when the owner is on screen.
  CInputBox(DialogHost& dialogs, WindowHandle owner, std::string prompt, std::string caption,
            std::string& text, int limit);

  // True when the user pressed "Aceptar": the edited text is then in text.
  // On "Cancelar" or closing, text keeps what it had.
  [[nodiscard]] bool DoModal();

  void onEvent(const ControlEvent& event) override;

  static constexpr int kAccepted = 1;
  static constexpr int kCancelled = 2;

 private:
  void PlaceOverOwner();

  DialogHost& dialogs_;
  WindowHandle owner_;
  std::string& text_;
  int limit_;
  bool accepted_ = false;
};

}  // namespace zelvor
