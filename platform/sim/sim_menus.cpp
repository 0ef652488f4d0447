#include "platform/sim/sim_menus.h"

#include "platform/messages.h"

namespace zelvor {
namespace {

const MenuItem* findIn(const std::vector<MenuItem>& items, int id, std::string_view text,
                       bool byText) {
  for (const auto& m : items) {
    if (m.kind == MenuItem::Kind::Submenu) {
      if (byText && m.text == text) return &m;
      if (const MenuItem* f = findIn(m.children, id, text, byText)) return f;
      continue;
    }
    if (m.kind != MenuItem::Kind::Command) continue;
    if (byText ? m.text == text : m.id == id) return &m;
  }
  return nullptr;
}

}  // namespace

void SimMenus::popup(const Menu& menu, Point at, MenuStyle style, WindowHandle owner) {
  close();
  open_ = menu;
  owner_ = owner;
  openedAt = at;
  openedStyle = style;
  ++popups;
}

void SimMenus::close() {
  if (!open_) return;
  open_.reset();
  loop_.post(owner_, msg::MenuClosed, 0, 0);
}

const MenuItem* SimMenus::item(int id) const {
  return open_ ? findIn(open_->items, id, {}, false) : nullptr;
}

const MenuItem* SimMenus::itemByText(std::string_view text) const {
  return open_ ? findIn(open_->items, 0, text, true) : nullptr;
}

bool SimMenus::choose(int id) {
  const MenuItem* m = item(id);
  if (m == nullptr || m->grayed || m->kind != MenuItem::Kind::Command) return false;
  open_.reset();
  loop_.post(owner_, msg::Command, id, 0);
  loop_.post(owner_, msg::MenuClosed, 1, 0);
  return true;
}

bool SimMenus::chooseText(std::string_view text) {
  const MenuItem* m = itemByText(text);
  return m != nullptr && m->kind == MenuItem::Kind::Command && choose(m->id);
}

}  // namespace zelvor
