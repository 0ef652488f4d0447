#pragma once
// Shows window models. Windows are created hidden; the suite shows, hides,
// updates and destroys them through their handle.

#include <string>
#include <vector>

#include "platform/ui_types.h"
#include "platform/window_model.h"

namespace zelvor {

class DialogHost {
 public:
  virtual ~DialogHost() = default;

  // The model must outlive the window.
  [[nodiscard]] virtual WindowHandle create(WindowModel& model) = 0;
  virtual void destroy(WindowHandle window) = 0;
  virtual void show(WindowHandle window) = 0;
  virtual void hide(WindowHandle window) = 0;
  [[nodiscard]] virtual bool isVisible(WindowHandle window) = 0;
  // Brings a shown window to the front and gives it the keyboard.
  virtual void activate(WindowHandle window) = 0;
  // A disabled window ignores the user's input (an owner while its progress
  // window runs).
  virtual void setEnabled(WindowHandle window, bool enabled) = 0;
  // The model changed (texts, state, rows, geometry, style): show it again.
  virtual void update(WindowHandle window) = 0;
  // Repaints the canvas controls only.
  virtual void repaint(WindowHandle window) = 0;
  [[nodiscard]] virtual Rect geometry(WindowHandle window) = 0;

  // The editing commands of an Edit control, and what they can do now.
  enum class EditAction { Undo, Cut, Copy, Paste, Clear, SelectAll };
  struct EditState {
    bool hasSelection = false;
    bool canUndo = false;
  };
  virtual void editAction(WindowHandle window, int controlId, EditAction action) = 0;
  [[nodiscard]] virtual EditState editState(WindowHandle window, int controlId) = 0;
  // The height in pixels a multi-line Edit needs to show its whole text at
  // its present width; 0 when the window or the control is not shown.
  [[nodiscard]] virtual int textHeight(WindowHandle window, int controlId) = 0;

  // Runs a modal window until endModal; returns its code. Timers and posted
  // messages keep arriving meanwhile.
  virtual int runModal(WindowModel& model) = 0;
  virtual void endModal(WindowModel& model, int code) = 0;

  // The zoom effect between a small rectangle and the window (both ways).
  virtual void zoom(const Rect& from, const Rect& to) = 0;
  // Pop-up panel animation: roll from a corner or fade, about 100 ms.
  enum class Animation { None, Roll, Fade };
  virtual void showAnimated(WindowHandle window, Animation animation, bool fromLeft, bool fromTop) = 0;
  virtual void hideAnimated(WindowHandle window, Animation animation, bool toLeft, bool toTop) = 0;
  // Whether windows can be translucent on this desktop.
  [[nodiscard]] virtual bool canUseOpacity() = 0;

  // Common dialogs. Empty result: cancelled.
  struct FileDialog {
    std::string title;
    std::string filter;  // "Text (*.txt)|*.txt||"
    std::string initial;
    bool save = false;
    bool confirmOverwrite = false;
    bool mustExist = false;
    bool multiple = false;
  };
  [[nodiscard]] virtual std::vector<std::string> chooseFiles(const FileDialog& dialog) = 0;
  [[nodiscard]] virtual std::string chooseFolder(const std::string& title) = 0;
  [[nodiscard]] virtual bool chooseColour(Colour& colour) = 0;
  [[nodiscard]] virtual bool chooseFont(Canvas::Font& font, Colour& colour) = 0;
};

}  // namespace zelvor
