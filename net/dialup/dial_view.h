#pragma once
// The dial window as the connection control drives it. The window itself
// (fields, tabs, log, animation) is built elsewhere; tests record what the
// control asks of it.

#include <string>

#include "net/dialup/dial_progress.h"

namespace zelvor::dialup {

enum class DialTab { Authentication, Programs, Status };

struct DialFields {
  std::string userName;
  std::string password;
  bool edited = false;  // the user changed the user name or the password
  bool savePassword = false;  // "&Guardar contraseña."
  bool autoConnect = false;   // "C&onectar automáticamente."
};

class DialView {
 public:
  virtual ~DialView() = default;
  [[nodiscard]] virtual bool visible() = 0;
  // Shown and hidden with the shell's zoom effect.
  virtual void show() = 0;
  virtual void hide() = 0;
  virtual void setTitle(const std::string& title) = 0;
  virtual void setStatus(const std::string& status) = 0;
  virtual void setFieldsEnabled(bool enabled) = 0;
  virtual void showTab(DialTab tab) = 0;
  // Fills the fields; the edited flag starts clear.
  virtual void setFields(const DialFields& fields) = 0;
  [[nodiscard]] virtual DialFields fields() = 0;
  // The programs tree: loaded (with every box checked) or left empty.
  virtual void loadPrograms(bool load) = 0;
  virtual void clearLog() = 0;
  virtual void addLogLine(const std::string& text, LogIcon icon) = 0;
  virtual void markLastLineDone() = 0;
};

}  // namespace zelvor::dialup
