#pragma once
// The memory and disk capacity view: free, used and total of physical
// memory, swap, their sum and every fixed disk, with a bar of how full
// each is. A refresh rewrites only the cells and bars that changed.

#include <string>
#include <vector>

#include "platform/window_model.h"
#include "system/disk_space.h"
#include "system/memory_info.h"

namespace zelvor {

// The warning thresholds of the bars, as the settings hold them.
struct CapacityThresholds {
  int memory = 512;  // MemoriaLibre
  int memoryUnit = 0;  // MedidaMem: 0 MB, 1 %
  int disk = 15;       // EspacioLibre
  int diskUnit = 0;    // MedidaDiscos
};

class CapacityView {
 public:
  CapacityView(SystemProbe& probe, Locale& locale) : probe_(probe), memory_(probe), disk_(probe, locale), locale_(locale) {}

  static constexpr const char* kTitle = "Zivi Duvaza - Capacidad de la memoria y de los discos";
  [[nodiscard]] static std::vector<ListColumn> Columns();
  // Builds the rows (the disks as they are mounted now) and fills them.
  void Open(Control& list, const CapacityThresholds& thresholds);
  // Re-reads the figures; true when a cell or bar changed.
  bool Refresh(Control& list, const CapacityThresholds& thresholds);

 private:
  struct Figures {
    std::string free, used;
    int percent = 0;
    std::uint32_t freeMegabytes = 0;
  };
  bool Apply(ListRow& row, const Figures& f, int threshold, int unit);

  SystemProbe& probe_;
  CMemoryInfo memory_;
  CDiskSpace disk_;
  Locale& locale_;
  std::vector<std::string> roots_;  // mount point of each disk row, in row order
};

}  // namespace zelvor
