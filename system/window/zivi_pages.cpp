#include "system/window/zivi_pages.h"

#include <algorithm>

#include "shell/store/reg_key_ex.h"
#include "system/icon_text.h"

namespace zelvor {
namespace {

constexpr std::string_view kKey = "ZiviDuvaza";
constexpr std::string_view kGraphKey = "ZiviDuvaza\\SysInfoGraph";

struct ColourValue {
  int local;
  std::string_view label;
  std::string_view value;
  Colour fallback;
};
constexpr ColourValue kColours[] = {
    {CZiviDuvazaDlg::kBackground, "Color de fondo:", "BackgroundColor", 0x00400000},
    {CZiviDuvazaDlg::kGridLines, "Color de las líneas:", "GridLinesColor", 0x00ffc0c0},
    {CZiviDuvazaDlg::kMemoryColour, "Memoria:", "MemoryColor", 0x000000ff},
    {CZiviDuvazaDlg::kCpuColour, "CPU:", "CPUColor", 0x0000ff00},
};

Control spin(int id) {
  Control s = Control::make(ControlKind::Spin, id);
  s.minimum = 0;
  s.maximum = 1'000'000;
  return s;
}

Control unitCombo(int id) {
  Control c = Control::make(ControlKind::Combo, id);
  c.items = {"MB", "%"};
  c.value = 0;
  return c;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> IconTextMenuEntries() {
  std::vector<std::pair<std::string, std::string>> out{{"Salto de línea", "|"}};
  for (const IconTextMacro& m : IconTextMacros()) out.emplace_back(std::string(m.menuText), std::string(m.macro));
  return out;
}

Control CZiviDuvazaDlg::Build() {
  Control page = Control::make(ControlKind::Column);
  page.add(Control::make(ControlKind::Label, 0, "Mostrar las barras de porcentaje de color rojo cuando quede menos de:"));
  Control& memory = page.add(Control::make(ControlKind::Row));
  memory.add(spin(Id(kMemory)));
  memory.add(unitCombo(Id(kMemoryUnit)));
  memory.add(Control::make(ControlKind::Label, 0, "de memoria libre."));
  Control& disk = page.add(Control::make(ControlKind::Row));
  disk.add(spin(Id(kDisk)));
  disk.add(unitCombo(Id(kDiskUnit)));
  disk.add(Control::make(ControlKind::Label, 0, "de espacio libre en el disco duro."));

  page.add(Control::make(ControlKind::CheckBox, Id(kShowText),
                         "Mostrar un mensaje flotante con el siguiente texto al pasar el puntero del ratón por el "
                         "icono:"));
  Control text = Control::make(ControlKind::Edit, Id(kText));
  page.add(std::move(text));
  Control& macros = page.add(Control::make(ControlKind::Row));
  Control macro = Control::make(ControlKind::Combo, Id(kMacro));
  for (const auto& [menu, code] : IconTextMenuEntries()) macro.items.push_back(menu);
  macro.value = 0;
  macros.add(std::move(macro));
  macros.add(Control::make(ControlKind::Button, Id(kInsertMacro), "Insertar"));

  Control& graph = page.add(Control::make(ControlKind::Column, 0, "Gráfico del uso de memoria y de CPU"));
  graph.add(Control::make(ControlKind::CheckBox, Id(kMiniature), "Mostrar minigráfico en el icono de Zivi Duvaza."));
  Control& look = graph.add(Control::make(ControlKind::Row));
  look.add(Control::make(ControlKind::CheckBox, Id(kTransparent), "Ventana semitransparente:"));
  Control levels = Control::make(ControlKind::Combo, Id(kTransparency));
  for (int i = 1; i <= 9; ++i) levels.items.push_back(std::to_string(i * 10) + "% visible");
  look.add(std::move(levels));
  Control& colours = graph.add(Control::make(ControlKind::Row));
  for (const ColourValue& c : kColours) {
    colours.add(Control::make(ControlKind::Label, 0, std::string(c.label)));
    colours.add(Control::make(ControlKind::ColourButton, Id(c.local)));
  }
  return page;
}

void CZiviDuvazaDlg::Load(const ConfigStore& store, Control& root) {
  root.find(Id(kMemory))->value = store.ReadConfigInt(kKey, "MemoriaLibre");
  root.find(Id(kMemoryUnit))->value = store.ReadConfigInt(kKey, "MedidaMem") == 1 ? 1 : 0;
  root.find(Id(kDisk))->value = store.ReadConfigInt(kKey, "EspacioLibre");
  root.find(Id(kDiskUnit))->value = store.ReadConfigInt(kKey, "MedidaDiscos") == 1 ? 1 : 0;
  root.find(Id(kShowText))->checked = store.ReadConfigInt(kKey, "MostrarTexto") == 1;
  root.find(Id(kText))->text = store.ReadConfigString(kKey, "Texto");
  root.find(Id(kText))->enabled = root.find(Id(kShowText))->checked;
  root.find(Id(kMiniature))->checked = store.ReadConfigInt(kGraphKey, "MostrarGraficoEnIcono") == 1;
  const int transparency = store.ReadConfigInt(kGraphKey, "Semitransparent");
  const bool transparent = transparency >= 1 && transparency <= 9;
  root.find(Id(kTransparent))->checked = transparent;
  root.find(Id(kTransparency))->value = transparent ? transparency - 1 : 4;
  root.find(Id(kTransparency))->enabled = transparent;
  CRegKeyEx graph(store.registry());
  const bool open = graph.Open(Hive::CurrentUser, ConfigStore::KeyPath(kGraphKey)) == RegStatus::Ok;
  for (const ColourValue& c : kColours) {
    const auto v = open ? graph.GetDword(c.value) : std::nullopt;
    root.find(Id(c.local))->colour = v.value_or(c.fallback);
  }
}

bool CZiviDuvazaDlg::OnEvent(const ControlEvent& event, Control& root) {
  SetModified();
  if (event.controlId == Id(kShowText)) {
    root.find(Id(kText))->enabled = root.find(Id(kShowText))->checked;
    return true;
  }
  if (event.controlId == Id(kTransparent)) {
    root.find(Id(kTransparency))->enabled = root.find(Id(kTransparent))->checked;
    return true;
  }
  if (event.controlId == Id(kInsertMacro) && event.kind == ControlEvent::Kind::Clicked) {
    const auto entries = IconTextMenuEntries();
    const int chosen = root.find(Id(kMacro))->value;
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= entries.size()) return false;
    root.find(Id(kText))->text += entries[static_cast<std::size_t>(chosen)].second;
    return true;
  }
  return false;
}

void CZiviDuvazaDlg::Save(ConfigStore& store, Control& root) {
  store.WriteConfigInt(kKey, "MemoriaLibre", std::max(root.find(Id(kMemory))->value, 0));
  store.WriteConfigInt(kKey, "MedidaMem", root.find(Id(kMemoryUnit))->value == 1 ? 1 : 0);
  store.WriteConfigInt(kKey, "EspacioLibre", std::max(root.find(Id(kDisk))->value, 0));
  store.WriteConfigInt(kKey, "MedidaDiscos", root.find(Id(kDiskUnit))->value == 1 ? 1 : 0);
  store.WriteConfigInt(kKey, "MostrarTexto", root.find(Id(kShowText))->checked ? 1 : 0);
  store.WriteConfigString(kKey, "Texto", root.find(Id(kText))->text);
  store.WriteConfigInt(kGraphKey, "MostrarGraficoEnIcono", root.find(Id(kMiniature))->checked ? 1 : 0);
  const int level = std::clamp(root.find(Id(kTransparency))->value, 0, 8) + 1;
  store.WriteConfigInt(kGraphKey, "Semitransparent", root.find(Id(kTransparent))->checked ? level : 0);
  CRegKeyEx graph(store.registry());
  if (graph.Create(Hive::CurrentUser, ConfigStore::KeyPath(kGraphKey)) != RegStatus::Ok) return;
  for (const ColourValue& c : kColours) graph.SetDword(c.value, root.find(Id(c.local))->colour);
}

void CZiviDuvazaDlg::Saved(Control&) {
  if (saved_) saved_();
}

}  // namespace zelvor
