#include "system/procfs/proc_stat.h"

#include "system/procfs/kernel_text.h"

namespace zelvor::procfs {
namespace {

// user nice system idle iowait irq softirq steal (guest, guest_nice follow).
constexpr std::size_t kCountedColumns = 8;
constexpr std::size_t kIdleColumn = 3;
constexpr std::size_t kIowaitColumn = 4;
constexpr std::size_t kNeededColumns = 4;

std::optional<CpuTimes> TimesOf(const std::vector<std::string_view>& fields) {
  CpuTimes times;
  std::size_t columns = 0;
  for (std::size_t i = 1; i < fields.size() && columns < kCountedColumns; ++i, ++columns) {
    const auto value = ParseUnsigned(fields[i]);
    if (!value) break;
    times.total = SaturatingAdd(times.total, *value);
    if (columns == kIdleColumn || columns == kIowaitColumn) times.idle = SaturatingAdd(times.idle, *value);
  }
  if (columns < kNeededColumns) return std::nullopt;
  return times;
}

bool IsProcessorLine(std::string_view name) {
  if (name.size() < 4 || name.substr(0, 3) != "cpu") return false;
  return ParseUnsigned(name.substr(3)).has_value();
}

}  // namespace

ProcStat ParseProcStat(std::string_view text) {
  ProcStat stat;
  bool seenAll = false;
  ForEachLine(text, [&](std::string_view line) {
    if (line.substr(0, 3) != "cpu") return;
    const auto fields = SplitFields(line, kCountedColumns + 3);
    if (fields.empty()) return;
    if (fields[0] == "cpu") {
      if (!seenAll) stat.all = TimesOf(fields);
      seenAll = true;
    } else if (IsProcessorLine(fields[0]) && stat.processors < INT32_MAX) {
      ++stat.processors;
    }
  });
  return stat;
}

}  // namespace zelvor::procfs
