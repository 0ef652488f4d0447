#pragma once
// The base of every page of the configuration window. A page owns a range
// of control ids in the window's model; it fills its controls from the
// store when first shown, reacts to the user's edits, marks itself
// modified, and writes what it edits when "Apli&car" asks it to.

#include <functional>

#include "platform/window_model.h"
#include "shell/store/config_store.h"

namespace zelvor {

// What saving a page asks of the rest of the suite.
struct ApplyEffects {
  bool refresh = false;          // RefreshUtilities
  bool reloadShortcuts = false;  // ... rebuilding the shortcut icons
  bool reloadMenus = false;      // ... and the menu icons

  ApplyEffects& operator|=(const ApplyEffects& other) {
    refresh |= other.refresh;
    reloadShortcuts |= other.reloadShortcuts;
    reloadMenus |= other.reloadMenus;
    return *this;
  }
};

class CConfDialog {
 public:
  // Every page's ids fit in a span this wide, starting at its first id.
  static constexpr int kIdSpan = 1000;

  explicit CConfDialog(int firstId) : firstId_(firstId) {}
  virtual ~CConfDialog() = default;
  CConfDialog(const CConfDialog&) = delete;
  CConfDialog& operator=(const CConfDialog&) = delete;

  // The page's controls, as one column; Load gives them their values.
  [[nodiscard]] virtual Control Build() = 0;
  // Fills the page's controls below root from the store.
  virtual void Load(const ConfigStore& store, Control& root) = 0;
  // The user changed one of the page's controls (the model already shows
  // the change). True when the page changed the model further and the
  // window must show it again.
  virtual bool OnEvent(const ControlEvent& event, Control& root) {
    (void)event, (void)root;
    return false;
  }
  // Asked of every modified page before any page writes: false stops
  // "Apli&car" with nothing written, once the page has shown what is wrong.
  [[nodiscard]] virtual bool CanSave(Control& root) {
    (void)root;
    return true;
  }
  // Writes what the page edits. "Apli&car" calls it only on a modified page.
  virtual void Save(ConfigStore& store, Control& root) = 0;
  // Once the saved values are durable: what takes effect at once.
  virtual void Saved(Control& root) { (void)root; }
  [[nodiscard]] virtual ApplyEffects Effects() const { return {}; }

  [[nodiscard]] bool Owns(int controlId) const { return controlId >= firstId_ && controlId < firstId_ + kIdSpan; }
  [[nodiscard]] bool IsModified() const { return modified_; }
  void SetModified() {
    modified_ = true;
    if (onModified) onModified();
  }
  void ClearModified() { modified_ = false; }
  // The window learns of every modification through this.
  std::function<void()> onModified;

 protected:
  [[nodiscard]] int Id(int local) const { return firstId_ + local; }

 private:
  int firstId_;
  bool modified_ = false;
};

}  // namespace zelvor
