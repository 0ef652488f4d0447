#pragma once
// The Rezi Zovidaraz window: the history as a list window ("Tipo",
// "Contenido"), with the commands of its menus, tool bar and row menu.

#include <functional>

#include "shell/listwindow/list_frame_wnd.h"

namespace zelvor {

namespace rezi_cmd {
inline constexpr int Copy = 101;
inline constexpr int Cut = 102;
inline constexpr int Paste = 103;
inline constexpr int CombineAll = 104;
inline constexpr int CombineSelected = 105;
inline constexpr int DeleteAll = 106;
inline constexpr int DeleteSelected = 107;
inline constexpr int Close = 108;
inline constexpr int ToggleWatch = 121;
inline constexpr int ToggleSave = 122;
}  // namespace rezi_cmd

class CReziZovidarazWnd final : public CListFrameWnd {
 public:
  // What the window asks of its utility.
  struct Owner {
    std::function<void(int command)> command;        // rezi_cmd
    std::function<void()> selectionChanged;
    std::function<void()> closing;
    std::function<void()> rowMenu;  // a right click on the list
    std::function<bool()> watching;
    std::function<bool()> saving;
  };
  CReziZovidarazWnd(CZelvorApp& app, Owner owner);

  // Menus follow the watch and save states.
  void UpdateMenus() {
    RebuildMenus();
    Refresh();
  }
  // The row menu, when at least one row is selected.
  [[nodiscard]] bool RowMenu(Menu& menu);

 protected:
  std::vector<MenuItem> BuildMenus() override;
  std::vector<std::pair<int, std::string>> ToolButtons() override;
  void OnCommand(int id) override;
  void OnListEvent(const ControlEvent& event) override;
  void OnClose() override;

 private:
  Owner owner_;
};

}  // namespace zelvor
