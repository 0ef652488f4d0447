#pragma once
// Windows as a test sees them: every window model with its visibility, and
// a user who presses buttons, closes windows and answers modal ones.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog_host.h"

namespace zelvor {

class SimDialogs : public DialogHost {
 public:
  WindowHandle create(WindowModel& model) override;
  void destroy(WindowHandle window) override;
  void show(WindowHandle window) override;
  void hide(WindowHandle window) override;
  bool isVisible(WindowHandle window) override;
  void activate(WindowHandle window) override;
  void setEnabled(WindowHandle window, bool enabled) override;
  void update(WindowHandle window) override;
  void repaint(WindowHandle window) override;
  Rect geometry(WindowHandle window) override;
  void editAction(WindowHandle window, int controlId, EditAction action) override;
  EditState editState(WindowHandle window, int controlId) override;
  int textHeight(WindowHandle window, int controlId) override;
  int runModal(WindowModel& model) override;
  void endModal(WindowModel& model, int code) override;
  void zoom(const Rect& from, const Rect& to) override { zooms.push_back({from, to}); }
  void showAnimated(WindowHandle window, Animation animation, bool fromLeft, bool fromTop) override;
  void hideAnimated(WindowHandle window, Animation animation, bool toLeft, bool toTop) override;
  bool canUseOpacity() override { return opacity; }
  std::vector<std::string> chooseFiles(const FileDialog& dialog) override;
  std::string chooseFolder(const std::string& title) override;
  bool chooseColour(Colour& colour) override;
  bool chooseFont(Canvas::Font& font, Colour& colour) override;

  // Test side.
  [[nodiscard]] WindowModel* model(WindowHandle window) const;
  [[nodiscard]] WindowHandle findByClass(std::string_view className) const;
  [[nodiscard]] std::vector<WindowHandle> windows() const;
  // False only for a live window that setEnabled disabled.
  [[nodiscard]] bool isEnabled(WindowHandle window) const;
  // Presses the enabled, visible button whose text is text; false when none.
  bool pressButton(WindowHandle window, std::string_view text);
  // The user asks to close the window (title bar); true when the model let it.
  bool requestClose(WindowHandle window);
  // Presses a key of the window's accelerator table; false when the table has none such.
  bool pressAccelerator(WindowHandle window, int key, int modifiers);

  // Edits: the simulated user selects everything or nothing, and an edit
  // can undo once it was changed through editAction. A multi-line edit
  // shows textLineHeight pixels per line of its text.
  struct EditSim {
    bool selectedAll = false;
    bool canUndo = false;
    std::string undoText;
  };
  std::map<std::pair<WindowHandle, int>, EditSim> edits;
  std::string clipboardText;
  int textLineHeight = 16;

  struct Zoom {
    Rect from, to;
  };
  std::vector<Zoom> zooms;
  struct Animated {
    WindowHandle window;
    bool show;
    Animation animation;
    bool left, top;
  };
  std::vector<Animated> animations;
  std::vector<std::string> log;  // "create CFoo", "show CFoo", ...
  WindowHandle active = kNoWindow;
  bool opacity = true;
  // Answers modal windows: called with the model, returns its code. Unset:
  // the window is logged and closed with modalDefault.
  std::function<int(WindowModel&)> onModal;
  int modalDefault = 0;
  std::deque<std::vector<std::string>> fileAnswers;

 private:
  struct Kept {
    WindowModel* model;
    bool visible = false;
    bool enabled = true;
  };
  void note(const char* what, WindowHandle window);
  std::map<WindowHandle, Kept> windows_;
  WindowHandle next_ = 1;
};

}  // namespace zelvor
