#include "platform/sim/sim_dialogs.h"

namespace zelvor {

void SimDialogs::note(const char* what, WindowHandle window) {
  const auto it = windows_.find(window);
  log.push_back(std::string(what) + " " + (it == windows_.end() ? "?" : it->second.model->className));
}

WindowHandle SimDialogs::create(WindowModel& model) {
  const WindowHandle h = next_++;
  windows_[h] = {&model, false};
  note("create", h);
  return h;
}

void SimDialogs::destroy(WindowHandle window) {
  note("destroy", window);
  windows_.erase(window);
  if (active == window) active = kNoWindow;
}

void SimDialogs::show(WindowHandle window) {
  note("show", window);
  if (auto it = windows_.find(window); it != windows_.end()) it->second.visible = true;
}

void SimDialogs::hide(WindowHandle window) {
  note("hide", window);
  if (auto it = windows_.find(window); it != windows_.end()) it->second.visible = false;
}

bool SimDialogs::isVisible(WindowHandle window) {
  const auto it = windows_.find(window);
  return it != windows_.end() && it->second.visible;
}

void SimDialogs::activate(WindowHandle window) {
  if (windows_.contains(window)) active = window;
}

void SimDialogs::setEnabled(WindowHandle window, bool enabled) {
  note(enabled ? "enable" : "disable", window);
  if (auto it = windows_.find(window); it != windows_.end()) it->second.enabled = enabled;
}

bool SimDialogs::isEnabled(WindowHandle window) const {
  const auto it = windows_.find(window);
  return it == windows_.end() || it->second.enabled;
}

void SimDialogs::update(WindowHandle window) { note("update", window); }
void SimDialogs::repaint(WindowHandle window) { note("repaint", window); }

Rect SimDialogs::geometry(WindowHandle window) {
  const auto it = windows_.find(window);
  return it == windows_.end() ? Rect{} : it->second.model->geometry;
}

void SimDialogs::editAction(WindowHandle window, int controlId, EditAction action) {
  WindowModel* m = model(window);
  Control* c = m == nullptr ? nullptr : m->find(controlId);
  if (c == nullptr) return;
  log.push_back("edit " + std::to_string(static_cast<int>(action)) + " " + m->className);
  EditSim& edit = edits[{window, controlId}];
  const auto change = [&](std::string text) {
    edit.undoText = c->text;
    edit.canUndo = true;
    c->text = std::move(text);
    edit.selectedAll = false;
  };
  switch (action) {
    case EditAction::SelectAll: edit.selectedAll = true; break;
    case EditAction::Copy:
      if (edit.selectedAll) clipboardText = c->text;
      break;
    case EditAction::Cut:
      if (edit.selectedAll) {
        clipboardText = c->text;
        change({});
      }
      break;
    case EditAction::Clear:
      if (edit.selectedAll) change({});
      break;
    case EditAction::Paste: change(edit.selectedAll ? clipboardText : c->text + clipboardText); break;
    case EditAction::Undo:
      if (edit.canUndo) {
        c->text = edit.undoText;
        edit.canUndo = false;
      }
      break;
  }
}

DialogHost::EditState SimDialogs::editState(WindowHandle window, int controlId) {
  const auto it = edits.find({window, controlId});
  if (it == edits.end()) return {};
  return {it->second.selectedAll, it->second.canUndo};
}

int SimDialogs::textHeight(WindowHandle window, int controlId) {
  WindowModel* m = model(window);
  const Control* c = m == nullptr ? nullptr : m->find(controlId);
  if (c == nullptr || !isVisible(window)) return 0;
  int lines = 1;
  for (char ch : c->text) lines += ch == '\n' ? 1 : 0;
  return lines * textLineHeight;
}

int SimDialogs::runModal(WindowModel& model) {
  log.push_back("modal " + model.className);
  return onModal ? onModal(model) : modalDefault;
}

void SimDialogs::endModal(WindowModel& model, int code) {
  log.push_back("endModal " + model.className + " " + std::to_string(code));
}

void SimDialogs::showAnimated(WindowHandle window, Animation animation, bool fromLeft, bool fromTop) {
  animations.push_back({window, true, animation, fromLeft, fromTop});
  show(window);
}

void SimDialogs::hideAnimated(WindowHandle window, Animation animation, bool toLeft, bool toTop) {
  animations.push_back({window, false, animation, toLeft, toTop});
  hide(window);
}

std::vector<std::string> SimDialogs::chooseFiles(const FileDialog&) {
  if (fileAnswers.empty()) return {};
  auto a = fileAnswers.front();
  fileAnswers.pop_front();
  return a;
}

std::string SimDialogs::chooseFolder(const std::string&) {
  auto a = chooseFiles({});
  return a.empty() ? std::string{} : a.front();
}

bool SimDialogs::chooseColour(Colour&) { return false; }
bool SimDialogs::chooseFont(Canvas::Font&, Colour&) { return false; }

WindowModel* SimDialogs::model(WindowHandle window) const {
  const auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.model;
}

WindowHandle SimDialogs::findByClass(std::string_view className) const {
  for (const auto& [h, kept] : windows_) {
    if (kept.model->className == className) return h;
  }
  return kNoWindow;
}

std::vector<WindowHandle> SimDialogs::windows() const {
  std::vector<WindowHandle> out;
  for (const auto& [h, kept] : windows_) out.push_back(h);
  return out;
}

bool SimDialogs::pressButton(WindowHandle window, std::string_view text) {
  WindowModel* m = model(window);
  if (m == nullptr) return false;
  Control* b = m->root.findButton(text);
  if (b == nullptr || !b->enabled) return false;
  ControlEvent e;
  e.kind = ControlEvent::Kind::Clicked;
  e.controlId = b->id;
  m->onEvent(e);
  return true;
}

bool SimDialogs::pressAccelerator(WindowHandle window, int key, int modifiers) {
  WindowModel* m = model(window);
  if (m == nullptr) return false;
  for (const Accelerator& a : m->accelerators) {
    if (a.key != key || a.modifiers != modifiers) continue;
    ControlEvent e;
    e.kind = ControlEvent::Kind::Accelerator;
    e.controlId = a.command;
    m->onEvent(e);
    return true;
  }
  return false;
}

bool SimDialogs::requestClose(WindowHandle window) {
  WindowModel* m = model(window);
  return m != nullptr && m->onCloseRequest();
}

}  // namespace zelvor
