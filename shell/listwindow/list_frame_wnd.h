#pragma once
// The list-window base: a resizable frame around one list control, with a
// menu bar, a tool bar, a status bar and the list (CListViewWnd) filling
// the rest. The frame keeps its placement and options under its utility's
// key: Left, Top, Width, Height (REG_DWORD, each taken only when it is
// one; without the key 700 × 300 centred), SiempreVisible, Transparencia
// (0, 20, 40, 60, 80; 0 where windows cannot be translucent), Vista (when
// the window has views: 0 large icons, 1 small icons, 2 list, 3 details;
// out of range 3) and Columna%d (REG_DWORD, 100 when missing). Closing hides
// it with the zoom and writes them back; the window is never destroyed
// while its owner lives.

#include <string>
#include <vector>

#include "platform/menu_host.h"
#include "platform/window_model.h"

namespace zelvor {

class CZelvorApp;

// Ids of the base's own commands in the menu bar and tool bar.
namespace list_cmd {
inline constexpr int AlwaysOnTop = 9001;       // "Siempre visible" (F9)
inline constexpr int FirstTransparency = 9010;  // "0 %" … "80 %": 9010 … 9014
inline constexpr int FirstView = 9020;         // "Iconos grandes" … "Detalles": 9020 … 9023
}  // namespace list_cmd

// The list control of a list window, sized to the frame's client area.
class CListViewWnd {
 public:
  static constexpr int kListId = 500;
  [[nodiscard]] static Control Make(std::vector<ListColumn> columns, ImageStrip images);
};

class CListFrameWnd : public WindowModel {
 public:
  struct Setup {
    std::string utilityKey;  // below the root: where the settings live
    std::string title;
    std::string className;
    std::vector<std::string> columns;
    bool withMenu = true;
    bool hasViews = false;  // keeps Vista
    int helpContext = 0;
    // false: the owner keeps the column widths its own way (no Columna%d).
    bool savesColumns = true;
  };
  CListFrameWnd(CZelvorApp& app, Setup setup);
  ~CListFrameWnd() override;
  CListFrameWnd(const CListFrameWnd&) = delete;
  CListFrameWnd& operator=(const CListFrameWnd&) = delete;

  // Builds the model from the stored settings and creates the window hidden.
  void Create();
  void ShowWindow();
  // Writes the settings back and hides the window with the zoom.
  void CloseWindow();
  [[nodiscard]] bool IsVisible() const;
  [[nodiscard]] WindowHandle handle() const { return handle_; }

  [[nodiscard]] Control& List();
  [[nodiscard]] std::vector<int> SelectedRows();
  void SetStatusText(std::size_t part, std::string text);
  [[nodiscard]] std::string StatusText(std::size_t part);

  [[nodiscard]] bool Topmost() const { return style.topmost; }
  [[nodiscard]] int Transparency() const { return transparency_; }
  [[nodiscard]] int View() const { return view_; }
  void SetTopmost(bool on);
  void SetTransparency(int percent);
  void SetView(int view);
  // Writes placement, options and column widths.
  void SaveSettings();
  // Re-shows the model after the owner changed rows or texts.
  void Refresh();
  // Shows or hides a tool bar button.
  void ShowToolButton(int id, bool visible);

  void onEvent(const ControlEvent& event) override;
  bool onCloseRequest() override;

 protected:
  // The menus the window adds before the base's "Ver" items; the base
  // appends its views, "Siempre visible" and "Transparencia" to the menu
  // named "&Ver" and "&Opciones" when the owner gives them.
  [[nodiscard]] virtual std::vector<MenuItem> BuildMenus() { return {}; }
  // Tool bar buttons (id, text) before the list.
  [[nodiscard]] virtual std::vector<std::pair<int, std::string>> ToolButtons() { return {}; }
  virtual void OnCommand(int id) { (void)id; }
  virtual void OnListEvent(const ControlEvent& event) { (void)event; }
  // Closing from the title bar or "&Cerrar"; the base hides the window.
  virtual void OnClose() { CloseWindow(); }
  void RebuildMenus();

  CZelvorApp& app_;
  Setup setup_;

 private:
  void ReadSettings();
  void ApplyView();

  WindowHandle handle_ = kNoWindow;
  int transparency_ = 0;
  int view_ = 3;
};

}  // namespace zelvor
