#include "system/window/capacity_view.h"

#include "system/capacity_bars.h"
#include "system/size_text.h"

namespace zelvor {
namespace {

constexpr std::size_t kFirstMemoryRow = 1;
constexpr std::size_t kFirstDiskRow = 5;
constexpr int kGroupImage = 0;

ListRow groupRow(std::string name) {
  ListRow r;
  r.cells = {std::move(name), "", "", "", ""};
  r.image = kGroupImage;
  return r;
}

ListRow figureRow(std::string name, std::string total) {
  ListRow r;
  r.cells = {std::move(name), "", "", std::move(total), ""};
  r.barPercent = 0;
  r.barColour = kBarStartColour;
  return r;
}

bool setCell(ListRow& row, std::size_t column, const std::string& text) {
  if (row.cells[column] == text) return false;
  row.cells[column] = text;
  return true;
}

}  // namespace

std::vector<ListColumn> CapacityView::Columns() {
  return {{"", 120, false}, {"Libre", 70, true}, {"Usado", 70, true}, {"Total", 70, true}, {"", 80, false}};
}

void CapacityView::Open(Control& list, const CapacityThresholds& thresholds) {
  const NumberFormat format = locale_.numberFormat();
  memory_.Refresh();
  list.rows.clear();
  list.rows.push_back(groupRow("Memoria:"));
  list.rows.push_back(figureRow("      Memoria física:", FormatMegabytes(format, memory_.physicalTotal)));
  list.rows.push_back(figureRow("      Archivo de swap:", FormatMegabytes(format, memory_.swapTotal)));
  list.rows.push_back(figureRow("      Memoria virtual:", FormatMegabytes(format, memory_.virtualTotal)));
  list.rows.push_back(groupRow("Discos duros:"));
  roots_.clear();
  for (const FixedDisk& d : probe_.fixedDisks()) {
    disk_.Refresh(d.mountPoint);
    list.rows.push_back(figureRow(FixedDiskRowName(d), disk_.TotalText()));
    roots_.push_back(d.mountPoint);
  }
  (void)Refresh(list, thresholds);
}

bool CapacityView::Apply(ListRow& row, const Figures& f, int threshold, int unit) {
  bool changed = setCell(row, 1, f.free);
  changed = setCell(row, 2, f.used) || changed;
  if (row.barPercent != f.percent) {
    row.barPercent = f.percent;
    row.barColour = CapacityBarColour(f.freeMegabytes, f.percent, threshold, unit);
    changed = true;
  }
  return changed;
}

bool CapacityView::Refresh(Control& list, const CapacityThresholds& thresholds) {
  if (list.rows.size() < kFirstDiskRow + roots_.size()) return false;
  const NumberFormat format = locale_.numberFormat();
  memory_.Refresh();
  const auto mb = [&](std::uint32_t n) { return FormatMegabytes(format, n); };
  const Figures memoryRows[] = {
      {mb(memory_.physicalFree), mb(memory_.physicalUsed), UsedPercent(memory_.physicalUsed, memory_.physicalTotal),
       memory_.physicalFree},
      {mb(memory_.swapFree), mb(memory_.swapUsed), UsedPercent(memory_.swapUsed, memory_.swapTotal), memory_.swapFree},
      {mb(memory_.virtualFree), mb(memory_.virtualUsed), UsedPercent(memory_.virtualUsed, memory_.virtualTotal),
       memory_.virtualFree},
  };
  bool changed = false;
  for (std::size_t i = 0; i < 3; ++i) {
    changed = Apply(list.rows[kFirstMemoryRow + i], memoryRows[i], thresholds.memory, thresholds.memoryUnit) || changed;
  }
  for (std::size_t i = 0; i < roots_.size(); ++i) {
    disk_.Refresh(roots_[i]);
    const Figures f{disk_.FreeText(), disk_.UsedText(), UsedPercent(disk_.used, disk_.total), disk_.free};
    changed = Apply(list.rows[kFirstDiskRow + i], f, thresholds.disk, thresholds.diskUnit) || changed;
  }
  return changed;
}

}  // namespace zelvor
