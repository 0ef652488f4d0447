#pragma once
// The hidden main window: it owns every icon, receives icon callbacks,
// menu commands, hotkeys and the private messages of the other windows, and
// keeps the utility objects in line with their enable flags.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/menu_host.h"
#include "platform/window_model.h"
#include "shell/hover_tooltip.h"
#include "shell/shell_menus.h"
#include "shell/tray_icon.h"
#include "shell/utility.h"

namespace zelvor {

class CZelvorApp;

// Timer 2 of the main window: the hover throttle.
inline constexpr int kTimerHoverThrottle = 2;

class CPrincipalDlg : public MessageTarget {
 public:
  explicit CPrincipalDlg(CZelvorApp& app);
  ~CPrincipalDlg() override;
  CPrincipalDlg(const CPrincipalDlg&) = delete;
  CPrincipalDlg& operator=(const CPrincipalDlg&) = delete;

  // The initialisation after the window exists: icons, refresh, hotkeys.
  void Init();

  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override;
  void onTimer(int timerId) override;

  void RefreshUtilities(bool reloadShortcuts, bool reloadMenus);
  void OnIconMessage(int iconId, std::uint32_t mouseMessage);
  void OnMenuCommand(int commandId);
  void OnHotKey(int hotkeyId);
  void RegisterAllHotKeys();
  // Registers a stored binding (registration form) under a hotkey id,
  // replacing what that id had; false when the desktop refuses it (taken by
  // another program, or no grabbing on this desktop). Every attempt is
  // remembered for the status report.
  bool RegisterHotkey(int hotkeyId, std::uint32_t binding);
  void UnregisterHotkey(int hotkeyId);
  // Re-reads EstiloTooltips and applies it to every icon.
  void ApplyTooltipStyle();
  // Runs command code of a utility as the dispatch does.
  void RunUtilityCommand(UtilityKind kind, int code);
  void RunExitAction(int code);
  // "Salir".
  void Exit();
  // Every utility saves what the user would lose (session end, exit actions).
  void SaveUtilities();

  void OpenProductMenu();
  void OpenMenu(const Menu& menu);

  // The answer to a request of another process (status, command, quit).
  [[nodiscard]] std::string HandleControlRequest(const std::string& line);
  [[nodiscard]] std::string StatusReport();

  [[nodiscard]] WindowHandle handle() const { return handle_; }
  [[nodiscard]] WindowHandle window() const { return window_; }
  [[nodiscard]] CTrayIcon* icon(int iconId);
  [[nodiscard]] bool shown(UtilityKind kind) const { return shown_[indexOf(kind)]; }
  [[nodiscard]] bool productShown() const { return productShown_; }
  [[nodiscard]] bool menuOpen() const { return openMenus_ > 0; }
  [[nodiscard]] const std::optional<Menu>& openMenu() const { return openMenu_; }
  [[nodiscard]] HoverTooltip& tooltip() { return *tooltip_; }
  [[nodiscard]] int tooltipStyle() const { return tooltipStyle_; }
  [[nodiscard]] bool barMode() const { return barMode_; }
  [[nodiscard]] const std::vector<std::unique_ptr<CTrayIcon>>& shortcutIcons() const { return shortcuts_; }
  [[nodiscard]] const std::vector<std::unique_ptr<CTrayIcon>>& menuIcons() const { return raroMenus_; }

 private:
  void Hover(CTrayIcon& icon);
  void DecodeAndRun(UtilityKind kind, std::uint32_t mouseMessage);
  void OnShortcutIcon(std::size_t index, std::uint32_t mouseMessage);
  void OnMenuIcon(std::size_t index, std::uint32_t mouseMessage);
  void OnControlRequest(std::intptr_t number);
  void OnClosed(std::uint32_t message);
  void OpenDadeRiveMenu();
  void OpenDedoVuvMenu();
  void RunDedoVuvCommand(int code);
  void ToggleUtility(int commandId);
  [[nodiscard]] std::string DadeRiveHoverText();
  [[nodiscard]] std::string DedoVuvHoverText();
  CTrayIcon& MakeIcon(int id, const std::string& title, const std::string& file,
                                    int image, bool separator);
  void BuildShortcutIcons();
  void BuildMenuIcons();

  CZelvorApp& app_;
  WindowHandle handle_ = kNoWindow;  // for messages and timers
  WindowModel model_;
  WindowHandle window_ = kNoWindow;  // the (hidden) window itself
  std::map<int, std::unique_ptr<CTrayIcon>> builtIn_;  // 1, 2, 3 … 10, 300
  std::vector<std::unique_ptr<CTrayIcon>> shortcuts_;  // 100 + i
  std::vector<std::unique_ptr<CTrayIcon>> raroMenus_;  // 200 + i
  ShownFlags shown_{};
  bool productShown_ = false;
  bool barMode_ = false;
  int direction_ = 0;
  int tooltipStyle_ = 0;
  bool hoverOpen_ = true;  // the hover throttle
  std::optional<Menu> productMenu_, dadeRiveMenu_;
  int openMenus_ = 0;
  std::optional<Menu> openMenu_;
  int openRaroMenu_ = 0;  // the Raro Darid menu last opened by hovering (1-based), 0 none
  std::unique_ptr<HoverTooltip> tooltip_;
  bool exiting_ = false;
  struct HotkeyRegistration {
    std::uint32_t binding = 0;
    bool registered = false;
  };
  std::map<int, HotkeyRegistration> hotkeys_;  // by id
  int lastHotkey_ = -1;                        // the id last pressed
};

}  // namespace zelvor
