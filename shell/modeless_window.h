#pragma once
// The pattern every modeless window of the suite follows: its object sits
// in a directory slot; open() creates the window when it has none and shows
// it with the zoom; Close() saves what it edits, hides it with the zoom,
// destroys it and posts its "closed" message to the main window, whose
// handler deletes the object and empties the slot.

#include <cstdint>

#include "platform/window_model.h"
#include "shell/utility.h"

namespace zelvor {

class ModelessWindow : public ShellWindow, public WindowModel {
 public:
  // closedMessage: the message the main window deletes this object on.
  ModelessWindow(CZelvorApp& app, std::uint32_t closedMessage);
  ~ModelessWindow() override;

  void open() override;
  [[nodiscard]] bool isVisible() const override;
  // Closes as the user does: save, zoom away, destroy, report.
  void Close();
  bool onCloseRequest() override;

  [[nodiscard]] WindowHandle handle() const { return handle_; }

 protected:
  // Fills the model (title, class name, controls) when the window is made.
  virtual void Build() = 0;
  // Writes what the window edits before it goes.
  virtual void SaveEdits() {}

  CZelvorApp& app_;

 private:
  std::uint32_t closedMessage_;
  WindowHandle handle_ = kNoWindow;
};

}  // namespace zelvor
