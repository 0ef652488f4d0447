#include "shell/config/general_options_page.h"

#include <algorithm>

#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

constexpr int kSmallestCell = 18;
constexpr int kLargestCell = 32;
constexpr int kProductImages = 8;
constexpr int kDefaultHideSeconds = 30;

Control labelled(std::string label, Control control) {
  Control row = Control::make(ControlKind::Row);
  row.add(Control::make(ControlKind::Label, 0, std::move(label)));
  row.add(std::move(control));
  return row;
}

Control combo(int id, std::vector<std::string> items) {
  Control c = Control::make(ControlKind::Combo, id);
  c.items = std::move(items);
  return c;
}

// The run-at-login value counts only when it names this very program.
bool runsAtLogin(const ConfigStore& store) {
  CRegKeyEx run(store.registry());
  if (run.Open(Hive::LocalMachine, kRunKey) != RegStatus::Ok) return false;
  const std::string program = store.ProgramFile();
  return !program.empty() && run.GetString(kRunValue) == program;
}

}  // namespace

GeneralOptionsPage::GeneralOptionsPage(CZelvorApp& app, int firstId) : CConfDialog(firstId), app_(app) {}

Control GeneralOptionsPage::BuildOptions() const {
  Control tab = Control::make(ControlKind::Column);
  tab.add(Control::make(ControlKind::CheckBox, Id(kRunAtLogin), "Ejecutar Zelvor en el inicio de Windows."));
  tab.add(Control::make(ControlKind::CheckBox, Id(kAutoUpdate),
                        "Comprobar la existencia de actualizaciones al conectar a Internet."));
  tab.add(labelled("Estilo de los menús:",
                   combo(Id(kMenuStyle), {"Clásico con barra de título lateral", "Clásico sin barra de título lateral",
                                          "Office XP con barra de título lateral",
                                          "Office XP sin barra de título lateral"})));
  tab.add(labelled("Estilo de los tooltips:",
                   combo(Id(kTooltipStyle),
                         {"Extendido (icono, título y texto)", "Normal (sólo texto)", "Desactivar tooltips"})));
  Control icons = Control::make(ControlKind::Column);
  icons.add(Control::make(ControlKind::Radio, Id(kShowIcon), "Mostrar el siguiente icono:"));
  Control list = Control::make(ControlKind::ListView, Id(kIconList));
  list.columns = {{"", 60}};
  list.listImages = ImageStrip::Product;
  for (int i = 0; i < kProductImages; ++i) {
    ListRow r;
    r.cells = {std::to_string(i + 1)};
    r.image = i;
    list.rows.push_back(std::move(r));
  }
  list.size = {0, 100};
  icons.add(std::move(list));
  icons.add(Control::make(ControlKind::Radio, Id(kHideIcon), "No mostrar ningún icono."));
  icons.add(Control::make(ControlKind::Label, 0,
                          "Si se activa esta opción, sólo se podrá acceder al menú de Zelvor (y a la configuración) "
                          "ejecutando el programa por segunda vez."));
  tab.add(std::move(icons));
  return tab;
}

Control GeneralOptionsPage::BuildBar() const {
  Control tab = Control::make(ControlKind::Column);
  Control where = Control::make(ControlKind::Column, 0, "Situación de los iconos:");
  where.add(Control::make(ControlKind::Radio, Id(kInTray), "En la barra de tareas (junto a la hora del sistema)."));
  where.add(Control::make(ControlKind::Radio, Id(kInBar), "En una barra independiente."));
  tab.add(std::move(where));
  tab.add(labelled("Dirección de la barra:", combo(Id(kDirection), {"Horizontal", "Vertical"})));
  tab.add(labelled("Posición en la pantalla:",
                   combo(Id(kPosition), {"Permitir mover la barra", "Superior-izquierda", "Superior-derecha",
                                         "Inferior-izquierda", "Inferior-derecha"})));
  std::vector<std::string> sizes;
  for (int s = kSmallestCell; s <= kLargestCell; s += 2) sizes.push_back(std::to_string(s) + " pixels");
  tab.add(labelled("Tamaño de cada botón:", combo(Id(kCellSize), std::move(sizes))));
  Control when = Control::make(ControlKind::Row);
  when.add(Control::make(ControlKind::CheckBox, Id(kShowOnlyWhen), "Sólo mostrar la barra cuando:"));
  when.add(combo(Id(kShowMode), {"El puntero del ratón se sitúe por encima",
                                 "Se pulse la siguiente combinación de teclas",
                                 "Se pulse un icono en la barra de tareas"}));
  tab.add(std::move(when));
  tab.add(Control::make(ControlKind::HotkeyField, Id(kBarHotkey)));
  Control hide = Control::make(ControlKind::Row);
  hide.add(Control::make(ControlKind::CheckBox, Id(kHideAfter), "Ocultar la barra despúes de"));
  Control seconds = Control::make(ControlKind::Spin, Id(kHideSeconds));
  seconds.minimum = 1;
  seconds.maximum = 3600;
  hide.add(std::move(seconds));
  hide.add(Control::make(ControlKind::Label, 0, "segundos."));
  tab.add(std::move(hide));
  tab.add(Control::make(ControlKind::CheckBox, Id(kHideOnSelect), "Ocultar la barra al seleccionar la opción."));
  tab.add(Control::make(ControlKind::CheckBox, Id(kShowAtStart), "Mostrar la barra en el inicio."));
  return tab;
}

Control GeneralOptionsPage::Build() {
  Control page = Control::make(ControlKind::Column);
  Control tabs = Control::make(ControlKind::Tabs, Id(kTabs));
  tabs.items = {"Opciones", "Barra de iconos"};
  tabs.add(BuildOptions());
  tabs.add(BuildBar());
  page.add(std::move(tabs));
  return page;
}

void GeneralOptionsPage::Load(const ConfigStore& store, Control& root) {
  const auto set = [&](int local, auto&& f) {
    if (Control* c = root.find(Id(local))) f(*c);
  };
  const auto rootInt = [&](std::string_view name) { return store.ReadConfigInt("", name); };

  set(kRunAtLogin, [&](Control& c) { c.checked = runsAtLogin(store); });
  set(kAutoUpdate, [&](Control& c) { c.checked = rootInt(root_value::AutoActualizar) != 0; });
  set(kMenuStyle, [&](Control& c) { c.value = std::clamp(rootInt(root_value::EstiloMenus), 0, 3); });
  set(kTooltipStyle, [&](Control& c) { c.value = std::clamp(rootInt(root_value::EstiloTooltips), 0, 2); });
  const bool hidden = rootInt(root_value::HideZelvorIcon) != 0;
  set(kShowIcon, [&](Control& c) { c.checked = !hidden; });
  set(kHideIcon, [&](Control& c) { c.checked = hidden; });
  set(kIconList, [&](Control& c) {
    int image = rootInt(root_value::ZelvorIcon);
    if (image < 0 || image >= kProductImages) image = 0;
    c.value = image;
    for (std::size_t i = 0; i < c.rows.size(); ++i) c.rows[i].selected = static_cast<int>(i) == image;
  });

  const bool bar = rootInt(root_value::MostrarBarra) == 1;
  set(kInTray, [&](Control& c) { c.checked = !bar; });
  set(kInBar, [&](Control& c) { c.checked = bar; });
  set(kDirection, [&](Control& c) { c.value = rootInt(root_value::DireccionBarra) == 1 ? 1 : 0; });
  set(kPosition, [&](Control& c) {
    const int p = rootInt(root_value::PosicionBarra);
    c.value = p >= 0 && p <= 4 ? p : 0;
  });
  set(kCellSize, [&](Control& c) {
    // The bar uses 24-pixel cells for anything below the smallest size.
    int s = rootInt(root_value::SepIcons);
    if (s < kSmallestCell) s = 24;
    c.value = (std::min(s, kLargestCell) - kSmallestCell) / 2;
  });
  const int mode = rootInt(root_value::AutoMostrarBarra);
  set(kShowOnlyWhen, [&](Control& c) { c.checked = mode >= 1 && mode <= 3; });
  set(kShowMode, [&](Control& c) { c.value = mode >= 1 && mode <= 3 ? mode - 1 : 0; });
  set(kBarHotkey, [&](Control& c) {
    CRegKeyEx rootKey(store.registry());
    std::uint32_t value = 0;
    if (rootKey.Open(Hive::CurrentUser, kRootKey) == RegStatus::Ok) {
      value = rootKey.GetDword(root_value::HotKey).value_or(0);
    }
    c.value = static_cast<int>(value & 0xFFFF);
  });
  const int seconds = rootInt(root_value::TiempoOcultarBarra);
  set(kHideAfter, [&](Control& c) { c.checked = seconds > 0; });
  set(kHideSeconds, [&](Control& c) { c.value = seconds > 0 ? seconds : kDefaultHideSeconds; });
  set(kHideOnSelect, [&](Control& c) { c.checked = rootInt(root_value::OcultarBarraAlSeleccionar) != 0; });
  set(kShowAtStart, [&](Control& c) { c.checked = rootInt(root_value::MostrarBarraAlInicio) != 0; });
  ApplyEnabling(root);
}

void GeneralOptionsPage::ApplyEnabling(Control& root) {
  const auto checked = [&](int local) {
    const Control* c = root.find(Id(local));
    return c != nullptr && c->checked;
  };
  const auto enable = [&](int local, bool on) {
    if (Control* c = root.find(Id(local))) c->enabled = on;
  };
  enable(kIconList, checked(kShowIcon));
  const bool bar = checked(kInBar);
  const Control* modeList = root.find(Id(kShowMode));
  const int mode = checked(kShowOnlyWhen) && modeList != nullptr ? modeList->value + 1 : 0;
  for (int local : {kDirection, kPosition, kCellSize, kShowOnlyWhen, kHideAfter}) enable(local, bar);
  enable(kShowMode, bar && checked(kShowOnlyWhen));
  enable(kBarHotkey, bar && mode == 2);
  enable(kHideSeconds, bar && checked(kHideAfter));
  enable(kHideOnSelect, bar && (mode == 2 || mode == 3));
  enable(kShowAtStart, bar && (mode == 2 || mode == 3));
}

bool GeneralOptionsPage::OnEvent(const ControlEvent& event, Control& root) {
  // Choosing a tab or a row of the image list without changing it is no edit.
  if (event.controlId == Id(kTabs)) return false;
  SetModified();
  ApplyEnabling(root);
  return true;
}

void GeneralOptionsPage::Save(ConfigStore& store, Control& root) {
  const auto checked = [&](int local) {
    const Control* c = root.find(Id(local));
    return c != nullptr && c->checked;
  };
  const auto value = [&](int local) {
    const Control* c = root.find(Id(local));
    return c != nullptr ? c->value : 0;
  };

  CRegKeyEx run(store.registry());
  if (run.Create(Hive::LocalMachine, kRunKey) == RegStatus::Ok) {
    if (checked(kRunAtLogin)) {
      run.SetString(kRunValue, store.ProgramFile());
    } else {
      run.DeleteValue(kRunValue);
    }
  }
  store.WriteConfigInt("", root_value::AutoActualizar, checked(kAutoUpdate) ? 1 : 0);
  store.WriteConfigInt("", root_value::EstiloMenus, value(kMenuStyle));
  store.WriteConfigInt("", root_value::EstiloTooltips, value(kTooltipStyle));
  store.WriteConfigInt("", root_value::ZelvorIcon, std::clamp(value(kIconList), 0, kProductImages - 1));
  store.WriteConfigInt("", root_value::HideZelvorIcon, checked(kHideIcon) ? 1 : 0);

  store.WriteConfigInt("", root_value::MostrarBarra, checked(kInBar) ? 1 : 0);
  store.WriteConfigInt("", root_value::DireccionBarra, value(kDirection));
  store.WriteConfigInt("", root_value::PosicionBarra, value(kPosition));
  store.WriteConfigInt("", root_value::SepIcons, kSmallestCell + 2 * value(kCellSize));
  store.WriteConfigInt("", root_value::AutoMostrarBarra, checked(kShowOnlyWhen) ? value(kShowMode) + 1 : 0);
  CRegKeyEx rootKey(store.registry());
  if (rootKey.Create(Hive::CurrentUser, kRootKey) == RegStatus::Ok) {
    rootKey.SetDword(root_value::HotKey, static_cast<std::uint32_t>(value(kBarHotkey)) & 0xFFFF);
  }
  store.WriteConfigInt("", root_value::TiempoOcultarBarra, checked(kHideAfter) ? value(kHideSeconds) : 0);
  store.WriteConfigInt("", root_value::OcultarBarraAlSeleccionar, checked(kHideOnSelect) ? 1 : 0);
  store.WriteConfigInt("", root_value::MostrarBarraAlInicio, checked(kShowAtStart) ? 1 : 0);
}

void GeneralOptionsPage::Saved(Control& root) {
  (void)root;
  // The tooltip style takes effect at once, not at the next start.
  if (CPrincipalDlg* main = app_.mainWindow()) main->ApplyTooltipStyle();
}

}  // namespace zelvor
