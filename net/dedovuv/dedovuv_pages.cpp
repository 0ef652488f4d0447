#include "net/dedovuv/dedovuv_pages.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "net/dialup/dialup_settings.h"
#include "net/traffic/network_info.h"
#include "net/traffic/traffic_settings.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor::dedovuv {
namespace {

constexpr std::string_view kKey = dialup::kKey;
constexpr const char* kSoundFilter = "Archivo de audio (*.wav)|*.wav||";

struct ConnectionType {
  const char* text;
  double kbps;
};
constexpr std::array<ConnectionType, 15> kTypes{{
    {"Redimensionar el gráfico dinámicamente", 0},
    {"Personalizar velocidad de conexión", 0},
    {"33.6 kbps (módem analógico)", 33.6},
    {"56 kbps (módem analógico)", 56},
    {"64 kbps (RDSI)", 64},
    {"128 kbps (RDSI)", 128},
    {"256 kbps (ADSL, DSL, Frame Relay)", 256},
    {"384 kbps (ADSL, DSL)", 384},
    {"512 kbps (ADSL, DSL)", 512},
    {"768 kbps (ADSL, DSL)", 768},
    {"1.544 mbps (T1, ADSL, DSL, Cable Modem)", 1544},
    {"2 mbps (ADSL, DSL, Cable Modem)", 2000},
    {"10 mbps (ADSL, DSL, Cable Modem, LAN)", 10000},
    {"44.736 mbps (DS3)", 44736},
    {"100 mbps (LAN)", 100000},
}};

std::string OneDecimal(double v) {
  char text[48];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

Control SoundRow(int edit, int browse, int play) {
  Control row = Control::make(ControlKind::Row);
  Control e = Control::make(ControlKind::Edit, edit);
  e.size = {220, 0};
  row.add(std::move(e));
  row.add(Control::make(ControlKind::Button, browse, "..."));
  row.add(Control::make(ControlKind::Button, play, "Reproducir"));
  return row;
}

void ReloadDedoVuv(CZelvorApp& app) {
  if (Utility* dedo = app.utility(UtilityKind::DedoVuv)) dedo->applySettings();
}

}  // namespace

double ConnectionTypeKbps(int type) {
  if (type < 2 || type >= static_cast<int>(kTypes.size())) return 0;
  return kTypes[static_cast<std::size_t>(type)].kbps;
}

// General.

Control CDedoVuvGeneralPage::Build() {
  Control page = Control::make(ControlKind::Column);
  page.add(Control::make(ControlKind::CheckBox, Id(kAutoConnect), "Conectar automáticamente."));
  page.add(Control::make(ControlKind::CheckBox, Id(kAutoReconnect),
                         "Reconectar automáticamente cuando se pierda la conexión."));
  page.add(Control::make(ControlKind::CheckBox, Id(kNoDiary), "Deshabilitar el registro de las conexiones."));
  Control& attempts = page.add(Control::make(ControlKind::Row));
  attempts.add(Control::make(ControlKind::Label, 0, "Intentos de marcado:"));
  Control spin = Control::make(ControlKind::Spin, Id(kAttempts));
  spin.minimum = 1;
  spin.maximum = 32000;
  spin.value = 1;
  attempts.add(std::move(spin));
  page.add(Control::make(ControlKind::Label, 0, "Reproducir el siguiente sonido al conectar:"));
  page.add(SoundRow(Id(kConnectSound), Id(kConnectBrowse), Id(kConnectPlay)));
  page.add(Control::make(ControlKind::Label, 0, "Reproducir el siguiente sonido al desconectar:"));
  page.add(SoundRow(Id(kDisconnectSound), Id(kDisconnectBrowse), Id(kDisconnectPlay)));
  Control& entry = page.add(Control::make(ControlKind::Row));
  entry.add(Control::make(ControlKind::Label, 0, "Conexión predeterminada:"));
  Control combo = Control::make(ControlKind::Combo, Id(kDefaultEntry));
  combo.value = -1;
  entry.add(std::move(combo));
  return page;
}

void CDedoVuvGeneralPage::Load(const ConfigStore& store, Control& root) {
  root.find(Id(kAutoConnect))->checked = store.ReadConfigInt(kKey, dialup::kAutoConectar) == 1;
  root.find(Id(kAutoReconnect))->checked = store.ReadConfigInt(kKey, dialup::kAutoReconectar) == 1;
  root.find(Id(kNoDiary))->checked = store.ReadConfigInt(kKey, "DeshabilitarRegistro") == 1;
  root.find(Id(kAttempts))->value = std::clamp(store.ReadConfigInt(kKey, dialup::kReintentos), 1, 32000);
  root.find(Id(kConnectSound))->text = store.ReadConfigString(kKey, dialup::kSonidoAlConectar);
  root.find(Id(kDisconnectSound))->text = store.ReadConfigString(kKey, dialup::kSonidoAlDesconectar);
  Control& combo = *root.find(Id(kDefaultEntry));
  combo.items = app_.desktop().dialer.available() ? app_.desktop().dialer.entries() : std::vector<std::string>{};
  const std::string current = store.ReadConfigString(kKey, dialup::kConexion);
  const auto it = std::find(combo.items.begin(), combo.items.end(), current);
  combo.value = it == combo.items.end() ? -1 : static_cast<int>(it - combo.items.begin());
  combo.text = it == combo.items.end() ? std::string() : current;
}

bool CDedoVuvGeneralPage::OnEvent(const ControlEvent& event, Control& root) {
  const int local = event.controlId - Id(0);
  const auto browse = [&](int edit) {
    const auto files = app_.dialogs().chooseFiles(
        {"Archivo de audio", kSoundFilter, root.find(Id(edit))->text, false, false, true, false});
    if (files.empty()) return false;
    root.find(Id(edit))->text = files.front();
    SetModified();
    return true;
  };
  switch (local) {
    case kConnectBrowse: return browse(kConnectSound);
    case kDisconnectBrowse: return browse(kDisconnectSound);
    case kConnectPlay: app_.helpers().PlayEventSound(root.find(Id(kConnectSound))->text); return false;
    case kDisconnectPlay: app_.helpers().PlayEventSound(root.find(Id(kDisconnectSound))->text); return false;
    default: SetModified(); return false;
  }
}

void CDedoVuvGeneralPage::Save(ConfigStore& store, Control& root) {
  store.WriteConfigInt(kKey, dialup::kAutoConectar, root.find(Id(kAutoConnect))->checked ? 1 : 0);
  store.WriteConfigInt(kKey, dialup::kAutoReconectar, root.find(Id(kAutoReconnect))->checked ? 1 : 0);
  store.WriteConfigInt(kKey, "DeshabilitarRegistro", root.find(Id(kNoDiary))->checked ? 1 : 0);
  store.WriteConfigInt(kKey, dialup::kReintentos, std::clamp(root.find(Id(kAttempts))->value, 1, 32000));
  store.WriteConfigString(kKey, dialup::kSonidoAlConectar, root.find(Id(kConnectSound))->text);
  store.WriteConfigString(kKey, dialup::kSonidoAlDesconectar, root.find(Id(kDisconnectSound))->text);
  const Control& combo = *root.find(Id(kDefaultEntry));
  if (combo.value >= 0 && combo.value < static_cast<int>(combo.items.size())) {
    store.WriteConfigString(kKey, dialup::kConexion, combo.items[static_cast<std::size_t>(combo.value)]);
  }
}

// Programs.

Control CDedoVuvProgramsPage::Build() {
  Control page = Control::make(ControlKind::Column);
  page.add(Control::make(ControlKind::CheckBox, Id(kRun),
                         "Ejecutar todos los programas que cuelgan de este nodo cuando se realice una conexión."));
  Control& when = page.add(Control::make(ControlKind::Column));
  when.add(Control::make(ControlKind::Radio, Id(kWhenDialing), "Cuando se comience a conectar."));
  when.add(Control::make(ControlKind::Radio, Id(kWhenConnected), "Sólo cuando la conexión se realice con éxito."));
  return page;
}

void CDedoVuvProgramsPage::Load(const ConfigStore& store, Control& root) {
  const bool run = store.ReadConfigInt(kKey, dialup::kEjecutarProgramas) != 0;
  const bool connected = store.ReadConfigInt(kKey, dialup::kCuandoEjecutarProgramas) != 0;
  root.find(Id(kRun))->checked = run;
  root.find(Id(kWhenDialing))->checked = !connected;
  root.find(Id(kWhenConnected))->checked = connected;
  root.find(Id(kWhenDialing))->enabled = run;
  root.find(Id(kWhenConnected))->enabled = run;
}

bool CDedoVuvProgramsPage::OnEvent(const ControlEvent& event, Control& root) {
  SetModified();
  if (event.controlId != Id(kRun)) return false;
  const bool run = root.find(Id(kRun))->checked;
  root.find(Id(kWhenDialing))->enabled = run;
  root.find(Id(kWhenConnected))->enabled = run;
  return true;
}

void CDedoVuvProgramsPage::Save(ConfigStore& store, Control& root) {
  store.WriteConfigInt(kKey, dialup::kEjecutarProgramas, root.find(Id(kRun))->checked ? 1 : 0);
  store.WriteConfigInt(kKey, dialup::kCuandoEjecutarProgramas, root.find(Id(kWhenConnected))->checked ? 1 : 0);
}

// The diary's folder.

Control CDedoVuvDiaryFolderPage::Build() {
  Control page = Control::make(ControlKind::Column);
  page.add(Control::make(ControlKind::Radio, Id(kSuiteFolder), "Carpeta de Zelvor."));
  page.add(Control::make(ControlKind::Radio, Id(kOtherFolder), "Otra carpeta:"));
  Control& row = page.add(Control::make(ControlKind::Row));
  Control folder = Control::make(ControlKind::Edit, Id(kFolder));
  folder.size = {260, 0};
  row.add(std::move(folder));
  row.add(Control::make(ControlKind::Button, Id(kBrowse), "..."));
  return page;
}

void CDedoVuvDiaryFolderPage::Load(const ConfigStore& store, Control& root) {
  const std::string folder = store.ReadConfigString(kKey, "CarpetaRegistro");
  root.find(Id(kSuiteFolder))->checked = folder.empty();
  root.find(Id(kOtherFolder))->checked = !folder.empty();
  root.find(Id(kFolder))->text = folder;
  root.find(Id(kFolder))->enabled = !folder.empty();
  root.find(Id(kBrowse))->enabled = !folder.empty();
}

bool CDedoVuvDiaryFolderPage::OnEvent(const ControlEvent& event, Control& root) {
  SetModified();
  if (event.controlId == Id(kBrowse)) {
    const std::string chosen = app_.dialogs().chooseFolder("Carpeta del registro de conexiones");
    if (chosen.empty()) return false;
    root.find(Id(kFolder))->text = chosen;
    return true;
  }
  const bool other = root.find(Id(kOtherFolder))->checked;
  root.find(Id(kFolder))->enabled = other;
  root.find(Id(kBrowse))->enabled = other;
  return true;
}

void CDedoVuvDiaryFolderPage::Save(ConfigStore& store, Control& root) {
  const bool other = root.find(Id(kOtherFolder))->checked;
  store.WriteConfigString(kKey, "CarpetaRegistro", other ? root.find(Id(kFolder))->text : std::string());
}

// The traffic meter.

Control CTrafficMeterPage::Build() {
  Control page = Control::make(ControlKind::Column);
  page.add(Control::make(ControlKind::Label, 0, "Velocidad de la conexión:"));
  Control type = Control::make(ControlKind::Combo, Id(kType));
  for (const ConnectionType& t : kTypes) type.items.emplace_back(t.text);
  page.add(std::move(type));
  Control& speed = page.add(Control::make(ControlKind::Row));
  speed.add(Control::make(ControlKind::Edit, Id(kSpeed)));
  speed.add(Control::make(ControlKind::Label, 0, "bits por segundo ="));
  speed.add(Control::make(ControlKind::Label, Id(kSpeedKBs)));
  page.add(Control::make(ControlKind::Label, 0, "Adaptador de red:"));
  page.add(Control::make(ControlKind::Combo, Id(kInterface)));
  Control& idle = page.add(Control::make(ControlKind::Row));
  idle.add(Control::make(ControlKind::CheckBox, Id(kHideOnIdle), "Ocultar cuando el tráfico sea inferior a (KB/s):"));
  idle.add(Control::make(ControlKind::Edit, Id(kHideOnIdleMax)));
  page.add(Control::make(ControlKind::CheckBox, Id(kShowOnInit), "Mostrar el medidor al iniciar."));
  page.add(Control::make(ControlKind::CheckBox, Id(kBarsInIcon), "Mostrar el tráfico en el icono."));
  Control& grid = page.add(Control::make(ControlKind::Row));
  grid.add(Control::make(ControlKind::Label, 0, "Líneas verticales:"));
  Control lines = Control::make(ControlKind::Combo, Id(kGridLines));
  lines.items = {"Ninguna", "11", "5", "3", "1"};
  grid.add(std::move(lines));
  Control& colours = page.add(Control::make(ControlKind::Row));
  for (const auto& [id, text] : {std::pair{kBackground, "Fondo"}, std::pair{kGrid, "Rejilla"},
                                 std::pair{kDownload, "Descarga"}, std::pair{kUpload, "Subida"}}) {
    colours.add(Control::make(ControlKind::Label, 0, text));
    colours.add(Control::make(ControlKind::ColourButton, Id(id)));
  }
  Control& opacity = page.add(Control::make(ControlKind::Row));
  opacity.add(Control::make(ControlKind::Label, 0, "Transparencia:"));
  Control o = Control::make(ControlKind::Combo, Id(kOpacity));
  o.items = {"Opaco"};
  for (int n = 1; n <= 9; ++n) o.items.push_back(std::to_string(n * 10) + " %");
  opacity.add(std::move(o));
  return page;
}

void CTrafficMeterPage::ShowSpeed(Control& root, bool fromType) {
  const int type = root.find(Id(kType))->value;
  Control& speed = *root.find(Id(kSpeed));
  speed.enabled = type == 1;
  if (type >= 2) {
    const double kbps = ConnectionTypeKbps(type);
    if (fromType) speed.text = std::to_string(static_cast<long long>(kbps * 1024));
    root.find(Id(kSpeedKBs))->text = OneDecimal(kbps * 0.125) + " KB/s";
  } else if (type == 1) {
    root.find(Id(kSpeedKBs))->text = OneDecimal(std::atof(speed.text.c_str()) / 8192.0) + " KB/s";
  } else {
    root.find(Id(kSpeedKBs))->text.clear();
  }
}

void CTrafficMeterPage::Load(const ConfigStore& store, Control& root) {
  const traffic::MeterSettings s = traffic::LoadMeterSettings(store);
  loadedType_ = std::clamp(s.connectionType, 0, static_cast<int>(kTypes.size()) - 1);
  Control& type = *root.find(Id(kType));
  type.value = loadedType_;
  type.text = type.items[static_cast<std::size_t>(loadedType_)];
  root.find(Id(kSpeed))->text = std::to_string(s.connectionSpeed);
  ShowSpeed(root, false);

  Control& iface = *root.find(Id(kInterface));
  iface.items = {"Todos los adaptadores de red"};
  interfaces_.clear();
  traffic::CNetworkInfo info(app_.platform().netCounters);
  for (int i = 0; i < info.Count(); ++i) {
    if (info.Loopback(i)) continue;
    iface.items.push_back(info.Description(i));
    interfaces_.push_back(info.Index(i));
  }
  const auto at = std::find(interfaces_.begin(), interfaces_.end(), s.networkIf);
  iface.value = s.networkIf == 0 || at == interfaces_.end() ? 0 : static_cast<int>(at - interfaces_.begin()) + 1;

  root.find(Id(kHideOnIdle))->checked = s.hideOnIdle;
  root.find(Id(kHideOnIdleMax))->text = OneDecimal(s.hideOnIdleMax);
  root.find(Id(kShowOnInit))->checked = s.showOnInit;
  root.find(Id(kBarsInIcon))->checked = s.barsInIcon;
  root.find(Id(kGridLines))->value = std::clamp(s.verticalGridLines, 0, 4);
  root.find(Id(kBackground))->colour = s.background;
  root.find(Id(kGrid))->colour = s.gridLines;
  root.find(Id(kDownload))->colour = s.download;
  root.find(Id(kUpload))->colour = s.upload;
  root.find(Id(kOpacity))->value = std::clamp(s.semitransparent, 0, 9);
}

bool CTrafficMeterPage::OnEvent(const ControlEvent& event, Control& root) {
  SetModified();
  if (event.controlId == Id(kType) || event.controlId == Id(kSpeed)) {
    ShowSpeed(root, event.controlId == Id(kType));
    return true;
  }
  return false;
}

void CTrafficMeterPage::Save(ConfigStore& store, Control& root) {
  using traffic::kMeterKey;
  const int type = std::clamp(root.find(Id(kType))->value, 0, static_cast<int>(kTypes.size()) - 1);
  store.WriteConfigInt(kMeterKey, "ConnectionType", type);
  if (type == 0) {
    store.WriteConfigInt(kMeterKey, "ConnectionSpeed", 0);
    if (loadedType_ != 0) store.WriteConfigInt(kMeterKey, "MaxSpeed", 1);
  } else {
    const long long speed = std::atoll(root.find(Id(kSpeed))->text.c_str());
    store.WriteConfigInt(kMeterKey, "ConnectionSpeed", static_cast<int>(std::clamp(speed, 0LL, 2'000'000'000LL)));
  }
  const int item = root.find(Id(kInterface))->value;
  store.WriteConfigInt(kMeterKey, "NetworkIf",
                       item >= 1 && item <= static_cast<int>(interfaces_.size())
                           ? interfaces_[static_cast<std::size_t>(item - 1)]
                           : 0);
  store.WriteConfigInt(kMeterKey, "HideOnIdle", root.find(Id(kHideOnIdle))->checked ? 1 : 0);
  store.WriteConfigString(kMeterKey, "HideOnIdleMax",
                          OneDecimal(std::max(0.0, std::atof(root.find(Id(kHideOnIdleMax))->text.c_str()))));
  store.WriteConfigInt(kMeterKey, "ShowOnInit", root.find(Id(kShowOnInit))->checked ? 1 : 0);
  store.WriteConfigInt(kMeterKey, "MostrarGraficoEnIcono", root.find(Id(kBarsInIcon))->checked ? 1 : 0);
  store.WriteConfigInt(kMeterKey, "VerticalGridLines", std::clamp(root.find(Id(kGridLines))->value, 0, 4));
  store.WriteConfigInt(kMeterKey, "Semitransparent", std::clamp(root.find(Id(kOpacity))->value, 0, 9));
  CRegKeyEx key(store.registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kMeterKey)) == RegStatus::Ok) {
    key.SetDword("BackgroundColor", root.find(Id(kBackground))->colour);
    key.SetDword("GridLinesColor", root.find(Id(kGrid))->colour);
    key.SetDword("DownloadColor", root.find(Id(kDownload))->colour);
    key.SetDword("UploadColor", root.find(Id(kUpload))->colour);
  }
  loadedType_ = type;
}

void CTrafficMeterPage::Saved(Control&) { ReloadDedoVuv(app_); }

}  // namespace zelvor::dedovuv
