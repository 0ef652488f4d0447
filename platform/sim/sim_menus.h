#pragma once
// Pop-up menus as a test sees them: the open menu can be read and an item
// chosen, which posts the command to the owner as the desktop would.

#include <optional>
#include <string>
#include <string_view>

#include "platform/event_loop.h"
#include "platform/menu_host.h"

namespace zelvor {

class SimMenus : public MenuHost {
 public:
  explicit SimMenus(EventLoop& loop) : loop_(loop) {}

  void popup(const Menu& menu, Point at, MenuStyle style, WindowHandle owner) override;
  void close() override;
  bool isOpen() override { return open_.has_value(); }

  [[nodiscard]] const Menu* openMenu() const { return open_ ? &*open_ : nullptr; }
  // Searches the open menu and its submenus.
  [[nodiscard]] const MenuItem* item(int id) const;
  [[nodiscard]] const MenuItem* itemByText(std::string_view text) const;
  // Chooses an enabled command item of the open menu; false when there is
  // none such (grayed items and separators cannot be chosen).
  bool choose(int id);
  bool chooseText(std::string_view text);

  Point openedAt;
  MenuStyle openedStyle = MenuStyle::ClassicSideBar;
  int popups = 0;

 private:
  EventLoop& loop_;
  std::optional<Menu> open_;
  WindowHandle owner_ = kNoWindow;
};

}  // namespace zelvor
