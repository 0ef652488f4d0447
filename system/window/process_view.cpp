#include "system/window/process_view.h"

#include <algorithm>

#include "platform/priority_classes.h"
#include "system/process_texts.h"

namespace zelvor {
namespace {

constexpr std::size_t kPriority = 2;
constexpr std::size_t kCpuTime = 3;
constexpr std::size_t kCpuUsage = 4;
constexpr std::size_t kMemory = 5;
constexpr int kProgramImage = 3;

void setCell(ListRow& row, std::size_t column, std::string text) {
  if (row.cells[column] != text) row.cells[column] = std::move(text);
}

std::string fileNameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<ProcessRecord> ListedProcesses(std::vector<ProcessRecord> all) {
  std::erase_if(all, [](const ProcessRecord& p) { return p.kernelThread; });
  return all;
}

std::vector<ListColumn> ProcessView::Columns() {
  return {{"Nombre", 120, false}, {"ID", 70, true},         {"Prioridad", 50, true},
          {"Tiempo CPU", 50, true}, {"Uso CPU", 50, true}, {"Uso Mem.", 50, true}};
}

ListRow ProcessView::MakeRow(const ProcessRecord& p) const {
  ListRow r;
  r.cells = {p.name, ProcessIdText(p.pid), "", "", "", ""};
  r.data = p.pid;
  r.tooltip = p.executablePath;
  r.image = kProgramImage;
  return r;
}

void ProcessView::UpdateFigures(ListRow& row, const ProcessRecord& p, const ProcessCpu* cpu,
                                const NumberFormat& format) {
  setCell(row, kPriority, PriorityColumnText(PriorityClassOfNice(p.nice)));
  setCell(row, kCpuTime, CpuTimeText(p.cpuTime));
  if (cpu != nullptr && cpu->figure != CpuFigure::TooSoon) setCell(row, kCpuUsage, CpuUsageText(cpu->percent));
  setCell(row, kMemory, ProcessMemoryText(format, p.residentBytes));
}

void ProcessView::Open(Control& list, std::int64_t nowSeconds) {
  modules_ = false;
  samples_.Clear();
  starts_.clear();
  list.rows.clear();
  Refresh(list, nowSeconds);
}

void ProcessView::Refresh(Control& list, std::int64_t nowSeconds) {
  if (modules_) return;
  const std::vector<ProcessRecord> processes = ListedProcesses(table_.processes());
  auto& rows = list.rows;
  // The current row follows its process as rows come and go above it.
  const auto current = PidOfRow(list, list.value);
  std::size_t next = 0;
  std::ptrdiff_t bottom = static_cast<std::ptrdiff_t>(rows.size()) - 1;
  while (next < processes.size() && bottom >= 0) {
    const ProcessRecord& p = processes[next];
    const ListRow& row = rows[static_cast<std::size_t>(bottom)];
    const auto start = starts_.find(p.pid);
    if (row.data != p.pid || start == starts_.end() || start->second != p.startTime) break;
    ++next;
    --bottom;
  }
  if (bottom >= 0) {
    for (std::ptrdiff_t i = 0; i <= bottom; ++i) starts_.erase(static_cast<std::uint32_t>(rows[static_cast<std::size_t>(i)].data));
    rows.erase(rows.begin(), rows.begin() + bottom + 1);
  }
  std::vector<ListRow> added;
  for (std::size_t i = next; i < processes.size(); ++i) {
    added.push_back(MakeRow(processes[i]));
    starts_[processes[i].pid] = processes[i].startTime;
  }
  std::reverse(added.begin(), added.end());
  rows.insert(rows.begin(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
  list.value = -1;
  if (current) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].data == *current) list.value = static_cast<int>(i);
    }
  }

  const std::vector<ProcessCpu> cpu = samples_.Update(processes, nowSeconds);
  std::map<std::uint32_t, std::size_t> index;
  for (std::size_t i = 0; i < processes.size(); ++i) index[processes[i].pid] = i;
  const NumberFormat format = locale_.numberFormat();
  for (ListRow& row : rows) {
    const auto at = index.find(static_cast<std::uint32_t>(row.data));
    if (at == index.end()) continue;
    UpdateFigures(row, processes[at->second], at->second < cpu.size() ? &cpu[at->second] : nullptr, format);
  }
}

bool ProcessView::ShowModules(Control& list, std::uint32_t pid) {
  const auto modules = table_.modules(pid);
  if (!modules || modules->empty()) return false;
  modules_ = true;
  list.columns.resize(2);
  list.rows.clear();
  for (auto it = modules->rbegin(); it != modules->rend(); ++it) {
    ListRow r;
    r.cells = {fileNameOf(it->path), ModuleBaseText(it->base)};
    r.tooltip = it->path;
    r.image = kProgramImage;
    list.rows.push_back(std::move(r));
  }
  list.value = -1;
  return true;
}

std::optional<std::uint32_t> ProcessView::PidOfRow(const Control& list, int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= list.rows.size()) return std::nullopt;
  return static_cast<std::uint32_t>(list.rows[static_cast<std::size_t>(row)].data);
}

std::string ProcessView::PathOfRow(const Control& list, int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= list.rows.size()) return {};
  return list.rows[static_cast<std::size_t>(row)].tooltip;
}

}  // namespace zelvor
