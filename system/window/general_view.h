#pragma once
// The general information view: the system, the processors, the display
// and the system folders, as name and value rows under group rows.

#include <string>
#include <vector>

#include "platform/screen.h"
#include "platform/system_probe.h"
#include "platform/window_model.h"

namespace zelvor {

class CCpuInfo;

struct GeneralInfo {
  std::string system, computer, user;
  std::string processors, vendor, processorName, speed;
  std::string resolution, depth, refreshRate;
  std::string systemFolder, programFolder, temporaryFolder;
};

[[nodiscard]] GeneralInfo GatherGeneralInfo(SystemProbe& probe, Screen& screen, const CCpuInfo& cpu);

inline constexpr const char* kGeneralViewTitle = "Zivi Duvaza - Información general del sistema";
[[nodiscard]] std::vector<ListColumn> GeneralColumns();
// The rows; the display group only when it has a value, and then only
// the values it has.
[[nodiscard]] std::vector<ListRow> GeneralRows(const GeneralInfo& info);

}  // namespace zelvor
