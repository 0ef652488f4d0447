#pragma once
// Modal message boxes with Spanish buttons ("Aceptar", "Cancelar", "Sí", "No").

#include <string>

namespace zelvor {

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  MsgButtons buttons = MsgButtons::Ok;
  MsgIcon icon = MsgIcon::None;
  bool systemModal = false;  // stays above every other window
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and waits for the answer (the UI keeps running meanwhile).
  [[nodiscard]] virtual MsgAnswer show(const MessageBoxRequest& request) = 0;
};

}  // namespace zelvor
