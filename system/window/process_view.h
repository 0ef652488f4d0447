#pragma once
// The running processes view: name, id, priority, processor time and
// usage, and resident memory of each program, newest first; and the
// files one process has loaded (the modules sub-state).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/locale.h"
#include "platform/process_table.h"
#include "platform/window_model.h"
#include "system/process_cpu.h"

namespace zelvor {

class ProcessView {
 public:
  ProcessView(ProcessTable& table, Locale& locale) : table_(table), locale_(locale) {}

  static constexpr const char* kTitle = "Zivi Duvaza - Información de los procesos";
  [[nodiscard]] static std::vector<ListColumn> Columns();

  // Forgets the previous samples and fills the list.
  void Open(Control& list, std::int64_t nowSeconds);
  // Keeps the rows of processes still there at the bottom, drops the rows
  // from the first one that differs and lists the rest above, newest on
  // top; then rewrites the figures that changed.
  void Refresh(Control& list, std::int64_t nowSeconds);

  // The loaded files of one process instead of the processes; false when
  // they cannot be read (the list is left as it was).
  [[nodiscard]] bool ShowModules(Control& list, std::uint32_t pid);
  [[nodiscard]] bool inModules() const { return modules_; }

  // The process a row stands for.
  [[nodiscard]] static std::optional<std::uint32_t> PidOfRow(const Control& list, int row);
  // The executable path of a row's process ("" when the system hides it).
  [[nodiscard]] static std::string PathOfRow(const Control& list, int row);

 private:
  [[nodiscard]] ListRow MakeRow(const ProcessRecord& p) const;
  void UpdateFigures(ListRow& row, const ProcessRecord& p, const ProcessCpu* cpu, const NumberFormat& format);

  ProcessTable& table_;
  Locale& locale_;
  ProcessCpuSamples samples_;
  std::map<std::uint32_t, std::uint64_t> starts_;  // pid → start of the process its row shows
  bool modules_ = false;
};

// Programs the list shows: everything but the kernel's own threads.
[[nodiscard]] std::vector<ProcessRecord> ListedProcesses(std::vector<ProcessRecord> all);

}  // namespace zelvor
