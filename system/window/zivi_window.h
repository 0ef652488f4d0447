#pragma once
// The Zivi Duvaza window: one list window that shows one view at a time
// (capacity, processes, general information, services), with the menus
// and tool bar buttons of each view.

#include <functional>

#include "shell/listwindow/list_frame_wnd.h"

namespace zelvor {

namespace zivi_view {
inline constexpr int Capacity = 0;
inline constexpr int Processes = 1;
inline constexpr int General = 2;
inline constexpr int Services = 3;
}  // namespace zivi_view

namespace zivi_cmd {
inline constexpr int ShowCapacity = 401;
inline constexpr int ShowProcesses = 402;
inline constexpr int ShowGeneral = 403;
inline constexpr int ShowServices = 404;
inline constexpr int RefreshNow = 405;
inline constexpr int Terminate = 406;
inline constexpr int StartService = 407;
inline constexpr int StopService = 408;
inline constexpr int RestartService = 409;
inline constexpr int PauseService = 410;
inline constexpr int ResumeService = 411;
inline constexpr int Close = 412;
inline constexpr int Modules = 413;
inline constexpr int BackToProcesses = 414;  // "Mostrar procesos"
inline constexpr int FirstPriority = 420;    // + position in the class table
inline constexpr int FirstRule = 430;        // + position in the class table
inline constexpr int RuleDefault = 436;
inline constexpr int Automatic = 440;
inline constexpr int Manual = 441;
inline constexpr int Disable = 442;
inline constexpr int Uninstall = 443;
}  // namespace zivi_cmd

class CZiviDuvazaWnd final : public CListFrameWnd {
 public:
  struct Owner {
    std::function<void(int command)> command;
    std::function<void(int row)> rowMenu;  // a right click on the list
    std::function<void()> closing;
  };
  CZiviDuvazaWnd(CZelvorApp& app, Owner owner);

  // Shows the tool bar buttons of one view.
  void ShowButtonsOf(int view, bool servicesOffered);

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
