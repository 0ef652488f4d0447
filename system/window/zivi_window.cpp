#include "system/window/zivi_window.h"

#include "shell/shell_helpers.h"
#include "shell/store/config_store.h"

namespace zelvor {

CZiviDuvazaWnd::CZiviDuvazaWnd(CZelvorApp& app, Owner owner)
    : CListFrameWnd(app, [] {
        Setup s;
        s.utilityKey = std::string(utility_key::ZiviDuvaza);
        s.title = "Zivi Duvaza";
        s.className = "CZiviDuvaza";
        s.helpContext = help_context::ZiviDuvaza;
        // Each view keeps its own widths as ColumnWidth_%02d_%02d.
        s.savesColumns = false;
        return s;
      }()),
      owner_(std::move(owner)) {}

std::vector<MenuItem> CZiviDuvazaWnd::BuildMenus() {
  using namespace zivi_cmd;
  MenuItem file = MenuItem::submenu("&Archivo", {MenuItem::command(Close, "&Cerrar")});
  MenuItem view = MenuItem::submenu("&Ver", {MenuItem::command(ShowCapacity, "Capacidad de la memoria y de los discos duros"),
                                             MenuItem::command(ShowProcesses, "Procesos ejecutando"),
                                             MenuItem::command(ShowGeneral, "Información general"),
                                             MenuItem::command(ShowServices, "Servicios del sistema"),
                                             MenuItem::separator(),
                                             MenuItem::command(RefreshNow, "Actualizar")});
  // The row menu's process commands, also reachable from the keyboard: they
  // act on the selected row.
  const char* classes[] = {"&Tiempo real", "&Alta", "Por &encima de lo normal", "&Normal", "Por &debajo de lo normal",
                           "&Baja"};
  std::vector<MenuItem> set, always;
  for (int i = 0; i < 6; ++i) {
    set.push_back(MenuItem::command(FirstPriority + i, classes[i]));
    always.push_back(MenuItem::command(FirstRule + i, classes[i]));
  }
  always.push_back(MenuItem::separator());
  always.push_back(MenuItem::command(RuleDefault, "&Defecto"));
  MenuItem process = MenuItem::submenu("&Proceso", {MenuItem::command(Modules, "&Módulos cargados por el proceso"),
                                                    MenuItem::command(Terminate, "&Terminar proceso"),
                                                    MenuItem::separator(),
                                                    MenuItem::submenu("Establecer &prioridad", std::move(set)),
                                                    MenuItem::submenu("Cambiar &siempre a la prioridad", std::move(always)),
                                                    MenuItem::separator(),
                                                    MenuItem::command(BackToProcesses, "Mostrar p&rocesos")});
  return {file, view, process, MenuItem::submenu("&Opciones", {})};
}

std::vector<std::pair<int, std::string>> CZiviDuvazaWnd::ToolButtons() {
  using namespace zivi_cmd;
  return {{ShowCapacity, "Capacidad de la memoria y de los discos duros"},
          {ShowProcesses, "Procesos ejecutando"},
          {ShowGeneral, "Información general"},
          {ShowServices, "Servicios del sistema"},
          {RefreshNow, "Actualizar"},
          {Terminate, "Terminar proceso"},
          {StartService, "Iniciar servicio"},
          {StopService, "Detener servicio"},
          {RestartService, "Reiniciar servicio"},
          {PauseService, "Pausar servicio"},
          {ResumeService, "Reanudar servicio"}};
}

void CZiviDuvazaWnd::ShowButtonsOf(int view, bool servicesOffered) {
  using namespace zivi_cmd;
  ShowToolButton(ShowServices, servicesOffered);
  for (int id : {RefreshNow, Terminate}) ShowToolButton(id, view == zivi_view::Processes);
  for (int id : {StartService, StopService, RestartService, PauseService, ResumeService}) {
    ShowToolButton(id, view == zivi_view::Services);
  }
}

void CZiviDuvazaWnd::OnCommand(int id) {
  if (id == zivi_cmd::Close) {
    OnClose();
    return;
  }
  if (owner_.command) owner_.command(id);
}

void CZiviDuvazaWnd::OnListEvent(const ControlEvent& event) {
  if (event.kind == ControlEvent::Kind::MouseUp && event.button == 2 && owner_.rowMenu) owner_.rowMenu(event.row);
}

void CZiviDuvazaWnd::OnClose() {
  CloseWindow();
  if (owner_.closing) owner_.closing();
}

}  // namespace zelvor
