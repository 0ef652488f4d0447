#pragma once
// Zivi Duvaza: the state of the computer. Its window shows one view at a
// time (capacity, processes, general information, services) refreshed by
// its timers while it is open; its icon's hover text carries live figures;
// the usage graph is shown and hidden from here. The permanent priority
// rules run from the suite's start while any rule exists.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/process_table.h"
#include "shell/utility.h"
#include "system/cpu_info.h"
#include "system/cpu_usage.h"
#include "system/icon_text.h"
#include "system/memory_info.h"
#include "system/service_texts.h"
#include "system/window/capacity_view.h"
#include "system/window/priority_rules.h"
#include "system/window/process_view.h"
#include "system/window/service_view.h"
#include "system/window/zivi_window.h"

namespace zelvor {

class CZelvorApp;

// Timers of the utility's target.
namespace zivi_timer {
inline constexpr int View = 0;       // capacity and processes 2 s, services 4 s
inline constexpr int Status = 1;     // status bar, 1 s
inline constexpr int Rules = 2;      // permanent priority rules, 10 s
inline constexpr int Restart = 3;    // the start half of "Reiniciar", once
}  // namespace zivi_timer

class CZiviDuvaza final : public Utility, public MessageTarget {
 public:
  explicit CZiviDuvaza(CZelvorApp& app);
  ~CZiviDuvaza() override;
  CZiviDuvaza(const CZiviDuvaza&) = delete;
  CZiviDuvaza& operator=(const CZiviDuvaza&) = delete;

  // Utility.
  void start() override;
  void command(int code, std::string_view text) override;
  void save() override;
  [[nodiscard]] std::string iconText() const override;
  [[nodiscard]] std::vector<std::vector<std::string>> statusRecords() const override;

  // MessageTarget: the row menus' choices and the timers.
  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override;
  void onTimer(int timerId) override;

  // Opens a view (zivi_view), creating and showing the window as needed.
  void ShowView(int view);
  void ToggleUsageGraph();
  void RunWindowCommand(int id);
  void OpenRowMenu(int row);
  // The row menu for a row of the current view; empty when it has none.
  [[nodiscard]] Menu RowMenu(int row);

  [[nodiscard]] int view() const { return view_; }
  [[nodiscard]] bool inModules() const { return processes_.inModules(); }
  [[nodiscard]] CZiviDuvazaWnd& window() { return *window_; }
  [[nodiscard]] WindowHandle handle() const { return handle_; }
  [[nodiscard]] const PriorityRules& rules() const { return rules_; }

 private:
  void LeaveView();
  void OpenView(int view);
  void RefreshView();
  void UpdateStatusBar();
  void UpdateRulesTimer();
  void TerminateRow(int row);
  void SetPriority(int row, std::uint32_t priorityClass);
  void SetRule(int row, std::optional<std::uint32_t> priorityClass);
  void ShowModules(int row);
  void RunServiceCommand(int row, ServiceCommand command);
  void ShowRefusal(const ProcessActionResult& result);
  [[nodiscard]] int SelectedRow();
  [[nodiscard]] CapacityThresholds Thresholds() const;
  [[nodiscard]] std::string ViewTitle() const;
  [[nodiscard]] const CCpuInfo& CpuInfo();
  void SaveColumnWidths();
  void LoadColumnWidths();

  CZelvorApp& app_;
  WindowHandle handle_ = kNoWindow;
  std::unique_ptr<CZiviDuvazaWnd> window_;
  bool created_ = false;
  int view_ = -1;
  CapacityView capacity_;
  ProcessView processes_;
  ServiceView services_;
  PriorityRules rules_;
  CCPUUsage statusCpu_;
  CMemoryInfo statusMemory_;
  std::optional<CCpuInfo> cpuInfo_;
  std::string restartPending_;
  // The hover text keeps its own probes: the CPU figure is measured from
  // one hover to the next.
  mutable CCPUUsage iconCpu_;
  mutable CMemoryInfo iconMemory_;
  mutable IconTextBuilder iconText_;
};

}  // namespace zelvor
