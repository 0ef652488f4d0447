#include "net/traffic/traffic_alerts_dialog.h"

#include "shell/shell_helpers.h"

namespace zelvor::traffic {
namespace {

constexpr int kAccepted = 1;
constexpr int kCancelled = 2;

struct Line {
  int box, limit;
  const char* text;
};
constexpr Line kLines[] = {
    {alerts_id::DownloadBelowOn, alerts_id::DownloadBelow, "Velocidad de descarga inferior a (KB/s):"},
    {alerts_id::DownloadAboveOn, alerts_id::DownloadAbove, "Velocidad de descarga superior a (KB/s):"},
    {alerts_id::UploadBelowOn, alerts_id::UploadBelow, "Velocidad de subida inferior a (KB/s):"},
    {alerts_id::UploadAboveOn, alerts_id::UploadAbove, "Velocidad de subida superior a (KB/s):"},
};

}  // namespace

CTrafficAlertsDlg::CTrafficAlertsDlg(DialogHost& host, ConfigStore& store) : host_(host), store_(store) {
  title = "Alertas del tráfico en la red";
  className = "CTrafficAlertsDlg";
  helpContext = help_context::DedoVuv;
  style.modal = true;
  const AlertSettings a = LoadAlertSettings(store_);
  const AlertLimit* limits[] = {&a.downloadBelow, &a.downloadAbove, &a.uploadBelow, &a.uploadAbove};
  root = Control::make(ControlKind::Column);
  for (std::size_t i = 0; i < 4; ++i) {
    Control& row = root.add(Control::make(ControlKind::Row));
    Control box = Control::make(ControlKind::CheckBox, kLines[i].box, kLines[i].text);
    box.checked = limits[i]->on;
    row.add(std::move(box));
    Control spin = Control::make(ControlKind::Spin, kLines[i].limit);
    spin.minimum = 0;
    spin.maximum = 1'000'000;
    spin.value = limits[i]->limit;
    row.add(std::move(spin));
  }
  root.add(Control::make(ControlKind::Label, 0, "Reproducir el siguiente sonido:"));
  Control& soundRow = root.add(Control::make(ControlKind::Row));
  soundRow.add(Control::make(ControlKind::Edit, alerts_id::Sound, a.soundFile));
  soundRow.add(Control::make(ControlKind::Button, alerts_id::Browse, "..."));
  Control repeat = Control::make(ControlKind::CheckBox, alerts_id::Repeat, "Repetir el sonido mientras se muestre la alerta.");
  repeat.checked = a.repeatSound;
  root.add(std::move(repeat));
  Control& buttons = root.add(Control::make(ControlKind::Row));
  Control accept = Control::make(ControlKind::Button, alerts_id::Accept, "Aceptar");
  accept.isDefault = true;
  buttons.add(std::move(accept));
  buttons.add(Control::make(ControlKind::Button, alerts_id::Cancel, "Cancelar"));
}

AlertSettings CTrafficAlertsDlg::Fields() {
  AlertSettings a;
  AlertLimit* limits[] = {&a.downloadBelow, &a.downloadAbove, &a.uploadBelow, &a.uploadAbove};
  for (std::size_t i = 0; i < 4; ++i) {
    limits[i]->on = find(kLines[i].box)->checked;
    limits[i]->limit = find(kLines[i].limit)->value < 0 ? 0 : find(kLines[i].limit)->value;
  }
  a.soundFile = find(alerts_id::Sound)->text;
  a.repeatSound = find(alerts_id::Repeat)->checked;
  return a;
}

bool CTrafficAlertsDlg::DoModal() {
  if (host_.runModal(*this) != kAccepted) return false;
  SaveAlertSettings(store_, Fields());
  return true;
}

void CTrafficAlertsDlg::onEvent(const ControlEvent& event) {
  if (event.kind != ControlEvent::Kind::Clicked) return;
  switch (event.controlId) {
    case alerts_id::Accept: host_.endModal(*this, kAccepted); break;
    case alerts_id::Cancel: host_.endModal(*this, kCancelled); break;
    case alerts_id::Browse: {
      const auto files = host_.chooseFiles({"Archivo de audio", "Archivo de audio (*.wav)|*.wav||",
                                            find(alerts_id::Sound)->text, false, false, true, false});
      if (!files.empty()) find(alerts_id::Sound)->text = files.front();
      break;
    }
    default: break;
  }
}

bool CTrafficAlertsDlg::onCloseRequest() {
  host_.endModal(*this, kCancelled);
  return false;
}

}  // namespace zelvor::traffic
