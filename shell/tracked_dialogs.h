#pragma once
// The desktop's window service, remembering every window the suite made,
// so that the shell can list them (status) and reach their models (opacity,
// panel placement). Everything else goes straight to the binding.

#include <map>
#include <vector>

#include "platform/dialog_host.h"

namespace zelvor {

class TrackedDialogs : public DialogHost {
 public:
  explicit TrackedDialogs(DialogHost& host) : host_(host) {}

  WindowHandle create(WindowModel& model) override;
  void destroy(WindowHandle window) override;
  void show(WindowHandle w) override { host_.show(w); }
  void hide(WindowHandle w) override { host_.hide(w); }
  bool isVisible(WindowHandle w) override { return host_.isVisible(w); }
  void activate(WindowHandle w) override { host_.activate(w); }
  void setEnabled(WindowHandle w, bool enabled) override { host_.setEnabled(w, enabled); }
  void update(WindowHandle w) override { host_.update(w); }
  void repaint(WindowHandle w) override { host_.repaint(w); }
  Rect geometry(WindowHandle w) override { return host_.geometry(w); }
  void editAction(WindowHandle w, int id, EditAction a) override { host_.editAction(w, id, a); }
  EditState editState(WindowHandle w, int id) override { return host_.editState(w, id); }
  int textHeight(WindowHandle w, int id) override { return host_.textHeight(w, id); }
  int runModal(WindowModel& model) override;
  void endModal(WindowModel& model, int code) override { host_.endModal(model, code); }
  void zoom(const Rect& from, const Rect& to) override { host_.zoom(from, to); }
  void showAnimated(WindowHandle w, Animation a, bool l, bool t) override { host_.showAnimated(w, a, l, t); }
  void hideAnimated(WindowHandle w, Animation a, bool l, bool t) override { host_.hideAnimated(w, a, l, t); }
  bool canUseOpacity() override { return host_.canUseOpacity(); }
  std::vector<std::string> chooseFiles(const FileDialog& d) override { return host_.chooseFiles(d); }
  std::string chooseFolder(const std::string& t) override { return host_.chooseFolder(t); }
  bool chooseColour(Colour& c) override { return host_.chooseColour(c); }
  bool chooseFont(Canvas::Font& f, Colour& c) override { return host_.chooseFont(f, c); }

  [[nodiscard]] WindowModel* model(WindowHandle window) const;
  struct Entry {
    WindowHandle handle;
    WindowModel* model;  // null for a modal window (no handle)
  };
  // Every live window in the order it was made, modal ones included.
  [[nodiscard]] std::vector<Entry> windows() const;
  [[nodiscard]] const std::vector<WindowModel*>& modals() const { return modals_; }

 private:
  DialogHost& host_;
  std::map<WindowHandle, WindowModel*> windows_;
  std::vector<WindowModel*> modals_;
};

}  // namespace zelvor
