// A small program of the binding's own: shows the suite's icons in the tray
// and, on request, a menu, a dialog or a notice, so that a person (or a
// screenshot) can look at them. Used by screenshots.sh.
//
//   zelvor_qt_demo icons|menu STYLE|dialog|notice [SECONDS]

#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/messages.h"
#include "platform/qt/qt_desktop.h"

namespace zelvor {
namespace {

class MessagePrinter final : public MessageTarget {
 public:
  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override {
    std::printf("message %u %ld 0x%lx\n", message, static_cast<long>(wparam), static_cast<long>(lparam));
    std::fflush(stdout);
  }
  void onTimer(int) override {}
};

Menu productMenu() {
  Menu m;
  m.title = "Zelvor";
  m.items.push_back(MenuItem::command(3001, "Ayuda...", ImageRef::fromStrip(ImageStrip::Small, 1)));
  m.items.push_back(MenuItem::command(3002, "Sugerencia del día"));
  m.items.push_back(MenuItem::command(3003, "Actualizar desde Internet...", ImageRef::fromStrip(ImageStrip::Utility, 16)));
  m.items.push_back(MenuItem::command(3004, "Acerca de...", ImageRef::fromStrip(ImageStrip::Utility, 0)));
  m.items.push_back(MenuItem::separator());
  m.items.push_back(MenuItem::command(3005, "Restaurar configuración de un archivo..."));
  m.items.push_back(MenuItem::command(3006, "Guardar configuración en un archivo..."));
  m.items.push_back(MenuItem::separator());
  std::vector<MenuItem> shown;
  const char* names[] = {"Vazi Duzidarud", "Raro Darid", "Vada VU", "Dade Rive", "Zivi Duvaza", "Dedo Vuv",
                         "Divo Zidezevuza", "Rezi Zovidaraz", "Duvu Zevad", "Ravi Varudide", "Deve Revazoz"};
  for (int i = 0; i < 11; ++i) {
    MenuItem item = MenuItem::command(3051 + i, names[i]);
    item.checked = i >= 2 && i != 6;
    shown.push_back(item);
  }
  m.items.push_back(MenuItem::submenu("Utilidades a mostrar", shown));
  MenuItem config = MenuItem::command(3007, "Configurar...", ImageRef::fromStrip(ImageStrip::Utility, 11));
  config.isDefault = true;
  m.items.push_back(config);
  MenuItem grayed = MenuItem::command(3009, "<Ninguna conexión>");
  grayed.grayed = true;
  m.items.push_back(grayed);
  m.items.push_back(MenuItem::separator());
  m.items.push_back(MenuItem::command(3008, "Salir", ImageRef::fromStrip(ImageStrip::Utility, 8)));
  return m;
}

class DemoDialog final : public WindowModel {
 public:
  DemoDialog() {
    title = "Duvu Zevad - Configuración";
    className = "CDuvuZevadDlg1";
    Control tabs = Control::make(ControlKind::Tabs, 1);
    tabs.items = {"Opciones", "Acciones del ratón", "Teclas de acceso rápido"};
    Control page = Control::make(ControlKind::Column);
    Control& general = page.add(Control::make(ControlKind::Column, 0, "Nuevas notas"));
    Control& r1 = general.add(Control::make(ControlKind::Row));
    r1.add(Control::make(ControlKind::Label, 0, "Título por defecto:"));
    r1.add(Control::make(ControlKind::Edit, 2, "Nota del %d/%m/%Y"));
    Control& r2 = general.add(Control::make(ControlKind::Row));
    r2.add(Control::make(ControlKind::Label, 0, "Color de fondo:"));
    Control colour = Control::make(ControlKind::ColourButton, 3, "Elegir...");
    colour.colour = rgb(255, 236, 92);
    r2.add(colour);
    Control random = Control::make(ControlKind::CheckBox, 4, "Color aleatorio");
    r2.add(random);
    Control& r3 = general.add(Control::make(ControlKind::Row));
    r3.add(Control::make(ControlKind::Label, 0, "Transparencia:"));
    Control slider = Control::make(ControlKind::Slider, 5);
    slider.value = 80;
    r3.add(slider);
    Control spin = Control::make(ControlKind::Spin, 6);
    spin.minimum = 1;
    spin.maximum = 365;
    spin.value = 30;
    Control& r4 = general.add(Control::make(ControlKind::Row));
    r4.add(Control::make(ControlKind::Label, 0, "Días en la papelera:"));
    r4.add(spin);
    Control check = Control::make(ControlKind::CheckBox, 7, "Avisar de las notas con alarma atrasada");
    check.checked = true;
    page.add(check);
    Control list = Control::make(ControlKind::ListView, 8);
    list.columns = {{"Nota", 200, false}, {"Alarma", 120, false}};
    list.rows = {{{"Llamar a Marta", "12/05 10:30"}, 19, false, false, 1},
                 {{"Comprar pan", "-"}, 19, false, false, 2},
                 {{"Reunión de equipo", "Lunes 9:00"}, 2, false, false, 3}};
    list.listImages = ImageStrip::Utility;
    list.size = {0, 110};
    page.add(list);
    tabs.add(page);
    tabs.add(Control::make(ControlKind::Column));
    tabs.add(Control::make(ControlKind::Column));
    root.add(tabs);
    Control& buttons = root.add(Control::make(ControlKind::Row));
    Control ok = Control::make(ControlKind::Button, 10, "Aceptar");
    ok.isDefault = true;
    buttons.add(ok);
    buttons.add(Control::make(ControlKind::Button, 11, "Cancelar"));
    buttons.add(Control::make(ControlKind::Button, 12, "Aplicar"));
  }
};

}  // namespace
}  // namespace zelvor

int main(int argc, char** argv) {
  using namespace zelvor;
  const std::string what = argc > 1 ? argv[1] : "icons";
  std::string error;
  auto desktop = QtDesktop::create(argc, argv, error);
  if (!desktop) {
    std::fprintf(stderr, "zelvor_qt_demo: %s\n", error.c_str());
    return 1;
  }
  MessagePrinter printer;
  const WindowHandle main = desktop->loop().addTarget(printer);
  TrayHost& tray = desktop->desktop().tray;
  tray.setCallbackTarget(main);
  (void)tray.add(1, ImageRef::fromStrip(ImageStrip::Product, 0), "Zelvor");
  const int ids[] = {3, 4, 5, 6, 7, 8, 9, 10};
  const int images[] = {7, 8, 11, 13, 16, 17, 19, 20};
  for (int i = 0; i < 8; ++i) (void)tray.add(ids[i], ImageRef::fromStrip(ImageStrip::Utility, images[i]), "");
  DemoDialog dialog;
  const int seconds = argc > 3 ? std::atoi(argv[3]) : (argc > 2 && what != "menu" ? std::atoi(argv[2]) : 30);
  QTimer::singleShot(1500, [&] {
    const Rect work = desktop->desktop().screen.workArea();
    if (what == "menu") {
      const int style = argc > 2 ? std::atoi(argv[2]) : 2;
      desktop->menus().popup(productMenu(), Point{work.right - 40, work.bottom - 30}, static_cast<MenuStyle>(style), main);
    } else if (what == "dialog") {
      const WindowHandle w = desktop->dialogs().create(dialog);
      desktop->dialogs().show(w);
    } else if (what == "notice") {
      desktop->notices().showNotice(
          "<table><tr><td><ilst index=20></td><td><b>Ravi Varudide - Notas de hoy</b><br><hr color=blue><br>"
          "Cumpleaños de Ana\nLlevar el coche al taller</td></tr></table>",
          Point{work.right - 20, work.bottom - 10});
    }
  });
  QTimer::singleShot(seconds * 1000, [&] { desktop->loop().quit(0); });
  return desktop->loop().run();
}
