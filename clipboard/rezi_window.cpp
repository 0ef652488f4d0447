#include "clipboard/rezi_window.h"

#include "shell/shell_helpers.h"
#include "shell/store/config_store.h"

namespace zelvor {

CReziZovidarazWnd::CReziZovidarazWnd(CZelvorApp& app, Owner owner)
    : CListFrameWnd(app, Setup{std::string(utility_key::ReziZovidaraz), "Rezi Zovidaraz", "CReziZovidaraz",
                               {"Tipo", "Contenido"}, true, true, help_context::ReziZovidaraz}),
      owner_(std::move(owner)) {}

std::vector<MenuItem> CReziZovidarazWnd::BuildMenus() {
  using namespace rezi_cmd;
  MenuItem file = MenuItem::submenu("&Archivo", {MenuItem::command(Copy, "&Copiar\tCtrl+C"),
                                                 MenuItem::command(Cut, "Cor&tar\tCtrl+X"),
                                                 MenuItem::command(Paste, "&Pegar"),
                                                 MenuItem::separator(),
                                                 MenuItem::command(CombineAll, "Combinar todos"),
                                                 MenuItem::command(CombineSelected, "Combinar seleccinados"),
                                                 MenuItem::separator(),
                                                 MenuItem::command(DeleteAll, "&Eliminar todos"),
                                                 MenuItem::command(DeleteSelected, "Eliminar los seleccionados"),
                                                 MenuItem::separator(),
                                                 MenuItem::command(Close, "&Cerrar")});
  MenuItem off = MenuItem::command(ToggleWatch, "Desactivar Rezi Zovidaraz");
  off.checked = owner_.watching && !owner_.watching();
  MenuItem save = MenuItem::command(ToggleSave, "Guardar portapapeles al salir");
  save.checked = owner_.saving && owner_.saving();
  MenuItem options = MenuItem::submenu("&Opciones", {off, save, MenuItem::separator()});
  return {file, MenuItem::submenu("&Ver", {}), options};
}

std::vector<std::pair<int, std::string>> CReziZovidarazWnd::ToolButtons() {
  using namespace rezi_cmd;
  return {{Copy, "Copiar"},
          {Cut, "Cortar"},
          {Paste, "Pegar"},
          {CombineSelected, "Combinar seleccinados"},
          {DeleteSelected, "Eliminar los seleccionados"}};
}

bool CReziZovidarazWnd::RowMenu(Menu& menu) {
  using namespace rezi_cmd;
  if (SelectedRows().empty()) return false;
  MenuItem paste = MenuItem::command(Paste, "Pegar");
  paste.isDefault = true;
  menu.title.clear();
  menu.items = {MenuItem::command(Copy, "Copiar"), MenuItem::command(Cut, "Cortar"), paste,
                MenuItem::command(CombineSelected, "Combinar"), MenuItem::command(DeleteSelected, "Eliminar")};
  return true;
}

void CReziZovidarazWnd::OnCommand(int id) {
  if (id == rezi_cmd::Close) {
    OnClose();
    return;
  }
  if (owner_.command) owner_.command(id);
}

void CReziZovidarazWnd::OnListEvent(const ControlEvent& event) {
  switch (event.kind) {
    case ControlEvent::Kind::DoubleClicked:
      if (event.row >= 0 && owner_.command) owner_.command(rezi_cmd::Paste);
      break;
    case ControlEvent::Kind::Changed:
      if (owner_.selectionChanged) owner_.selectionChanged();
      break;
    case ControlEvent::Kind::MouseUp:
      if (event.button == 2 && owner_.rowMenu) owner_.rowMenu();
      break;
    default: break;
  }
}

void CReziZovidarazWnd::OnClose() {
  CloseWindow();
  if (owner_.closing) owner_.closing();
}

}  // namespace zelvor
