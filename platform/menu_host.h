#pragma once
// Pop-up menus. A menu opens at a point and returns at once; when the user
// chooses an item, msg::Command (wParam the item's id) is posted to the
// owner, and msg::MenuClosed follows whether or not an item was chosen.

#include <string>
#include <vector>

#include "platform/image.h"
#include "platform/ui_types.h"

namespace zelvor {

struct MenuItem {
  enum class Kind { Command, Separator, Submenu };
  Kind kind = Kind::Command;
  int id = 0;
  std::string text;  // a tab separates a second, right-aligned column
  bool checked = false;
  bool grayed = false;
  bool isDefault = false;  // drawn in bold
  ImageRef image;
  std::vector<MenuItem> children;  // Submenu

  friend bool operator==(const MenuItem&, const MenuItem&) = default;

  [[nodiscard]] static MenuItem command(int id, std::string text, ImageRef image = {}) {
    MenuItem m;
    m.id = id;
    m.text = std::move(text);
    m.image = std::move(image);
    return m;
  }
  [[nodiscard]] static MenuItem separator() {
    MenuItem m;
    m.kind = Kind::Separator;
    return m;
  }
  [[nodiscard]] static MenuItem submenu(std::string text, std::vector<MenuItem> children) {
    MenuItem m;
    m.kind = Kind::Submenu;
    m.text = std::move(text);
    m.children = std::move(children);
    return m;
  }
};

// The looks of every pop-up menu.
enum class MenuStyle { ClassicSideBar = 0, Classic = 1, OfficeXpSideBar = 2, OfficeXp = 3 };

struct Menu {
  std::string title;  // shown in the 24-pixel side bar of the styles that have one
  std::vector<MenuItem> items;
};

class MenuHost {
 public:
  virtual ~MenuHost() = default;
  // Opens menu with its right edge at point (the cursor). Closes any menu
  // that is open.
  virtual void popup(const Menu& menu, Point at, MenuStyle style, WindowHandle owner) = 0;
  // Closes the open menu without a choice.
  virtual void close() = 0;
  [[nodiscard]] virtual bool isOpen() = 0;
};

}  // namespace zelvor
