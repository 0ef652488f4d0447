#include "system/window/general_view.h"

#include "system/cpu_info.h"
#include "system/os_info.h"
#include "system/system_texts.h"

namespace zelvor {
namespace {

constexpr int kGroupImage = 0;

ListRow group(std::string name) {
  ListRow r;
  r.cells = {std::move(name), ""};
  r.image = kGroupImage;
  return r;
}

ListRow value(std::string name, std::string text) {
  ListRow r;
  r.cells = {std::move(name), std::move(text)};
  return r;
}

}  // namespace

GeneralInfo GatherGeneralInfo(SystemProbe& probe, Screen& screen, const CCpuInfo& cpu) {
  GeneralInfo g;
  g.system = COSInfo(probe).GetText();
  g.computer = ComputerNameText(probe);
  g.user = UserNameText(probe);
  g.processors = cpu.GetProcessorCount();
  g.vendor = cpu.GetVendor();
  g.processorName = cpu.GetName();
  g.speed = cpu.GetSpeed();
  g.resolution = ResolutionText(screen);
  g.depth = ColourDepthText(screen);
  g.refreshRate = RefreshRateText(screen);
  g.systemFolder = WindowsFolderText(probe);
  g.programFolder = SystemFolderText(probe);
  g.temporaryFolder = TemporaryFolderText(probe);
  return g;
}

std::vector<ListColumn> GeneralColumns() { return {{"Nombre", 150, false}, {"Valor", 300, false}}; }

std::vector<ListRow> GeneralRows(const GeneralInfo& g) {
  std::vector<ListRow> rows{group("Ordenador"),
                            value("      Sistema Operativo: ", g.system),
                            value("      Nombre del sistema:", g.computer),
                            value("      Nombre de usuario:", g.user),
                            group("Procesador(es)"),
                            value("      Número de CPUs:", g.processors),
                            value("      Fabricante:", g.vendor),
                            value("      Tipo:", g.processorName),
                            value("      Velocidad:", g.speed)};
  if (!g.resolution.empty() || !g.depth.empty() || !g.refreshRate.empty()) {
    rows.push_back(group("Pantalla"));
    if (!g.resolution.empty()) rows.push_back(value("      Resolución:", g.resolution));
    if (!g.depth.empty()) rows.push_back(value("      Bits por pixel:", g.depth));
    if (!g.refreshRate.empty()) rows.push_back(value("      Frecuencia:", g.refreshRate));
  }
  rows.push_back(group("Carpetas de sistema"));
  rows.push_back(value("      Carpeta de Windows:", g.systemFolder));
  rows.push_back(value("      Carpeta de sistema:", g.programFolder));
  rows.push_back(value("      Carpeta temporal:", g.temporaryFolder));
  return rows;
}

}  // namespace zelvor
