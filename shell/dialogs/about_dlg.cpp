#include "shell/dialogs/about_dlg.h"

#include "platform/messages.h"

namespace zelvor {

const char* AboutCredits() {
  return "Notas, calendario, portapapeles, descargas, conexiones, información del sistema, "
         "apagado, lanzadores, escritorios virtuales y reproductor de CD, siempre a mano en la "
         "bandeja del sistema.\n\n"
         "Escrito en C++ por el equipo de Zelvor, con la ayuda de las bibliotecas libres del "
         "escritorio.\n\n"
         "Este programa se distribuye con la esperanza de que sea útil, pero sin ninguna garantía.";
}

CAboutDlg::CAboutDlg(CZelvorApp& app, std::string version)
    : ModelessWindow(app, msg::AboutClosed), version_(std::move(version)) {}

void CAboutDlg::Build() {
  title = "Acerca de Zelvor";
  className = "CAboutDlg";
  root = Control::make(ControlKind::Column);

  Control top = Control::make(ControlKind::Row);
  Control icon = Control::make(ControlKind::Image, about_control::Icon);
  icon.image = ImageRef::fromStrip(ImageStrip::Large, 0);
  icon.size = {32, 32};
  top.add(std::move(icon));
  Control text = Control::make(ControlKind::Column);
  text.add(Control::make(ControlKind::Label, about_control::Product, "Zelvor " + version_));
  Control credits = Control::make(ControlKind::Label, about_control::Credits, AboutCredits());
  credits.size = {340, 0};
  text.add(std::move(credits));
  top.add(std::move(text));
  root.add(std::move(top));

  Control ok = Control::make(ControlKind::Button, about_control::Ok, "Aceptar");
  ok.isDefault = true;
  // In a row of its own the button sits on the right, as in any dialog.
  Control buttons = Control::make(ControlKind::Row);
  buttons.add(std::move(ok));
  root.add(std::move(buttons));
}

void CAboutDlg::onEvent(const ControlEvent& event) {
  if (event.kind == ControlEvent::Kind::Clicked && event.controlId == about_control::Ok) Close();
}

}  // namespace zelvor
