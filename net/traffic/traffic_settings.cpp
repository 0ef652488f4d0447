#include "net/traffic/traffic_settings.h"

#include <cstdlib>

#include "shell/store/reg_key_ex.h"

namespace zelvor::traffic {
namespace {

std::uint32_t Dword(const CRegKeyEx& key, std::string_view name, std::uint32_t fallback) {
  return key.GetDword(name).value_or(fallback);
}

}  // namespace

MeterSettings LoadMeterSettings(const ConfigStore& store) {
  MeterSettings s;
  CRegKeyEx key(store.registry());
  const bool open = key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kMeterKey)) == RegStatus::Ok;
  if (open) {
    const int left = static_cast<int>(Dword(key, "Left", 0));
    const int top = static_cast<int>(Dword(key, "Top", 0));
    const int width = static_cast<int>(Dword(key, "Width", 232));
    const int height = static_cast<int>(Dword(key, "Height", 140));
    s.placement = {left, top, left + width, top + height};
    s.background = Dword(key, "BackgroundColor", s.background);
    s.gridLines = Dword(key, "GridLinesColor", s.gridLines);
    s.download = Dword(key, "DownloadColor", s.download);
    s.upload = Dword(key, "UploadColor", s.upload);
  }
  s.maxSpeed = store.ReadConfigInt(kMeterKey, "MaxSpeed");
  s.connectionType = store.ReadConfigInt(kMeterKey, "ConnectionType");
  s.connectionSpeed = store.ReadConfigInt(kMeterKey, "ConnectionSpeed");
  s.networkIf = store.ReadConfigInt(kMeterKey, "NetworkIf");
  s.hideOnIdle = store.ReadConfigInt(kMeterKey, "HideOnIdle") != 0;
  s.hideOnIdleMax = std::atof(store.ReadConfigString(kMeterKey, "HideOnIdleMax").c_str());
  s.showOnInit = store.ReadConfigInt(kMeterKey, "ShowOnInit") == 1;
  s.verticalGridLines = store.ReadConfigInt(kMeterKey, "VerticalGridLines");
  s.barsInIcon = store.ReadConfigInt(kMeterKey, "MostrarGraficoEnIcono") == 1;
  s.semitransparent = store.ReadConfigInt(kMeterKey, "Semitransparent");
  return s;
}

void SavePlacement(ConfigStore& store, const Rect& placement) {
  CRegKeyEx key(store.registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kMeterKey)) != RegStatus::Ok) return;
  key.SetDword("Left", static_cast<std::uint32_t>(placement.left));
  key.SetDword("Top", static_cast<std::uint32_t>(placement.top));
  key.SetDword("Width", static_cast<std::uint32_t>(placement.right - placement.left));
  key.SetDword("Height", static_cast<std::uint32_t>(placement.bottom - placement.top));
}

AlertSettings LoadAlertSettings(const ConfigStore& store) {
  AlertSettings a;
  CRegKeyEx key(store.registry());
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kAlertsKey)) != RegStatus::Ok) return a;
  const auto limit = [&](std::string_view flag, std::string_view value) {
    return AlertLimit{Dword(key, flag, 0) != 0, static_cast<int>(Dword(key, value, 0))};
  };
  a.downloadBelow = limit("AlertaBajadaInferior", "BajadaInferior");
  a.downloadAbove = limit("AlertaBajadaSuperior", "BajadaSuperior");
  a.uploadBelow = limit("AlertaSubidaInferior", "SubidaInferior");
  a.uploadAbove = limit("AlertaSubidaSuperior", "SubidaSuperior");
  a.soundFile = key.GetString("ArchivoSonido");
  a.repeatSound = Dword(key, "RepetirSonido", 0) != 0;
  return a;
}

void SaveAlertSettings(ConfigStore& store, const AlertSettings& a) {
  CRegKeyEx key(store.registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kAlertsKey)) != RegStatus::Ok) return;
  const auto put = [&](std::string_view flag, std::string_view value, const AlertLimit& l) {
    key.SetDword(flag, l.on ? 1 : 0);
    key.SetDword(value, static_cast<std::uint32_t>(l.limit < 0 ? 0 : l.limit));
  };
  put("AlertaBajadaInferior", "BajadaInferior", a.downloadBelow);
  put("AlertaBajadaSuperior", "BajadaSuperior", a.downloadAbove);
  put("AlertaSubidaInferior", "SubidaInferior", a.uploadBelow);
  put("AlertaSubidaSuperior", "SubidaSuperior", a.uploadAbove);
  key.SetString("ArchivoSonido", a.soundFile);
  key.SetDword("RepetirSonido", a.repeatSound ? 1 : 0);
}

}  // namespace zelvor::traffic
