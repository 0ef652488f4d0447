#pragma once
// A user acting on a window model the way a binding reports it: the control
// changes first (text typed, row selected, radio checked, value set), then
// the window hears the event. Acting on a control that is missing, hidden
// or disabled fails the test, as a user could not do it.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_model.h"

namespace zelvor::testing {

class SimUser {
 public:
  explicit SimUser(WindowModel& window) : window_(window) {}

  // Writes text into an edit, or into the box of an editable combo (whose
  // chosen item stays as it was, as the desktop reports typing).
  void type(int id, std::string text) {
    Control* c = usable(id);
    if (c == nullptr) return;
    if (c->kind != ControlKind::Edit && !(c->kind == ControlKind::Combo && c->editable)) {
      ADD_FAILURE() << "control " << id << " takes no typing";
      return;
    }
    c->text = std::move(text);
    report(ControlEvent::Kind::Changed, id);
  }
  // Selects one row of a list (-1: none).
  void selectRow(int id, int row) {
    if (Control* c = usable(id, ControlKind::ListView)) {
      c->value = row;
      for (std::size_t i = 0; i < c->rows.size(); ++i) c->rows[i].selected = static_cast<int>(i) == row;
      report(ControlEvent::Kind::Changed, id, row);
    }
  }
  // Chooses an item of a combo box.
  void choose(int id, int index) {
    if (Control* c = usable(id, ControlKind::Combo)) {
      c->value = index;
      if (index >= 0 && static_cast<std::size_t>(index) < c->items.size()) {
        c->text = c->items[static_cast<std::size_t>(index)];
      }
      report(ControlEvent::Kind::Changed, id);
    }
  }
  // Selects the node of a tree at path (child indices from the top).
  void selectNode(int id, std::vector<int> path) {
    if (Control* c = usable(id, ControlKind::Tree)) {
      c->selectedPath = std::move(path);
      report(ControlEvent::Kind::Changed, id);
    }
  }
  // Sets a picker, slider, spin box or hotkey field (field form).
  void setValue(int id, int value) {
    Control* c = usable(id);
    if (c == nullptr) return;
    if (c->kind != ControlKind::TimePicker && c->kind != ControlKind::Slider &&
        c->kind != ControlKind::Spin && c->kind != ControlKind::HotkeyField) {
      ADD_FAILURE() << "control " << id << " takes no value";
      return;
    }
    c->value = value;
    report(ControlEvent::Kind::Changed, id);
  }
  // Clicks a check box (toggles it), a radio (checks it, unchecking the
  // radios beside it) or a button.
  void click(int id) {
    Control* c = usable(id);
    if (c == nullptr) return;
    if (c->kind == ControlKind::CheckBox) {
      c->checked = !c->checked;
    } else if (c->kind == ControlKind::Radio) {
      if (Control* parent = parentOf(window_.root, id)) {
        for (Control& sibling : parent->children) {
          if (sibling.kind == ControlKind::Radio) sibling.checked = sibling.id == id;
        }
      }
    } else if (c->kind == ControlKind::Button) {
      if (c->checkable) c->checked = !c->checked;
    } else {
      ADD_FAILURE() << "control " << id << " cannot be clicked";
      return;
    }
    report(ControlEvent::Kind::Clicked, id);
  }
  // Presses the visible button with this text ("&Agregar"); false when
  // there is none or it is disabled.
  bool press(std::string_view text) {
    const Control* b = window_.root.findButton(text);
    if (b == nullptr || !b->enabled) return false;
    report(ControlEvent::Kind::Clicked, b->id);
    return true;
  }

  // The cells of a list, row by row.
  [[nodiscard]] std::vector<std::vector<std::string>> rows(int id) const {
    std::vector<std::vector<std::string>> out;
    if (const Control* c = window_.root.find(id)) {
      for (const ListRow& r : c->rows) out.push_back(r.cells);
    }
    return out;
  }
  [[nodiscard]] const Control& control(int id) const {
    static const Control missing;
    const Control* c = window_.root.find(id);
    if (c == nullptr) ADD_FAILURE() << "no control " << id;
    return c != nullptr ? *c : missing;
  }

 private:
  Control* usable(int id, std::optional<ControlKind> kind = std::nullopt) {
    Control* c = window_.root.find(id);
    if (c == nullptr) {
      ADD_FAILURE() << "no control " << id << " in " << window_.className;
      return nullptr;
    }
    if (kind && c->kind != *kind) {
      ADD_FAILURE() << "control " << id << " is of another kind";
      return nullptr;
    }
    if (!c->enabled || !c->visible) {
      ADD_FAILURE() << "control " << id << " of " << window_.className << " is disabled or hidden";
      return nullptr;
    }
    return c;
  }
  void report(ControlEvent::Kind kind, int id, int row = -1) {
    ControlEvent e;
    e.kind = kind;
    e.controlId = id;
    e.row = row;
    window_.onEvent(e);
  }
  static Control* parentOf(Control& c, int id) {
    for (Control& child : c.children) {
      if (child.id == id) return &c;
      if (Control* p = parentOf(child, id)) return p;
    }
    return nullptr;
  }

  WindowModel& window_;
};

}  // namespace zelvor::testing
