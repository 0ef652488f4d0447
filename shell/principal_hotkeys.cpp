// The stored hotkeys: registration at start and the dispatch of a pressed one.

#include "platform/hotkeys.h"
#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

struct HotkeyOwner {
  UtilityKind kind;
  int commands;
};
// In registration order, with the number of hotkey commands of each.
constexpr std::array kHotkeyOwners{
    HotkeyOwner{UtilityKind::VadaVU, 3},          HotkeyOwner{UtilityKind::DadeRive, 11},
    HotkeyOwner{UtilityKind::ZiviDuvaza, 5},      HotkeyOwner{UtilityKind::DedoVuv, 7},
    HotkeyOwner{UtilityKind::DivoZidezevuza, 2},  HotkeyOwner{UtilityKind::ReziZovidaraz, 3},
    HotkeyOwner{UtilityKind::DuvuZevad, 5},       HotkeyOwner{UtilityKind::RaviVarudide, 1},
    HotkeyOwner{UtilityKind::DeveRevazoz, 16},
};

}  // namespace

void CPrincipalDlg::RegisterAllHotKeys() {
  Registry& registry = app_.store().registry();
  Hotkeys& hotkeys = app_.desktop().hotkeys;
  const auto registerValue = [&](const CRegKeyEx& key, std::string_view name, int id) {
    const auto value = key.GetDword(name);
    if (!value || *value == 0) return;
    // A combination another program holds is silently left out.
    (void)hotkeys.registerHotkey(handle_, id, *value >> 8 & 0xFF, *value & 0xFF);
  };

  for (const auto& owner : kHotkeyOwners) {
    CRegKeyEx key(registry);
    if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(info(owner.kind).key)) != RegStatus::Ok) continue;
    for (int k = 1; k <= owner.commands; ++k) {
      registerValue(key, "HotKey" + std::to_string(k), info(owner.kind).iconId * 256 + k);
    }
  }

  CRegKeyEx vazi(registry);
  if (vazi.Open(Hive::CurrentUser, ConfigStore::KeyPath(utility_key::VaziDuzidarud)) == RegStatus::Ok) {
    const int count = vazi.GetInt(kListCount);
    for (int i = 1; i <= count; ++i) {
      for (const auto& [button, low] : {std::pair{"BotonIzquierdo", 1}, std::pair{"BotonDerecho", 2}}) {
        CRegKeyEx entry(registry);
        if (entry.Open(vazi, listElementKey(i) + "\\" + button) != RegStatus::Ok) continue;
        registerValue(entry, "HotKey", (100 + i) * 256 + low);
      }
    }
  }

  CRegKeyEx raro(registry);
  if (raro.Open(Hive::CurrentUser, ConfigStore::KeyPath(utility_key::RaroDarid)) == RegStatus::Ok) {
    const int menus = raro.GetInt(kListCount);
    for (int m = 1; m <= menus; ++m) {
      CRegKeyEx menu(registry);
      if (menu.Open(raro, "Menu " + std::to_string(m)) != RegStatus::Ok) continue;
      registerValue(menu, "HotKey", (200 + m) * 256);
      const int items = menu.GetInt(kListCount);
      for (int n = 1; n <= items; ++n) {
        CRegKeyEx item(registry);
        if (item.Open(menu, listElementKey(n)) != RegStatus::Ok) continue;
        registerValue(item, "HotKey", (200 + m) * 256 + n);
      }
    }
  }
}

void CPrincipalDlg::OnHotKey(int id) {
  if (id < 0) return;
  const int a = id / 256;
  const int c = id % 256;
  ConfigStore& store = app_.store();
  if (id < 301 * 256) {
    if (a == 300) {
      if (store.IsEnabled(utility_key::DeveRevazoz)) RunUtilityCommand(UtilityKind::DeveRevazoz, c);
      return;
    }
    // The icon bar's hotkey toggles a bar that the suite does not have yet.
    if (a == 1) return;
    if (a >= 3 && a <= 10) {
      const auto kind = utilityOfIcon(a);
      if (kind && store.IsEnabled(info(*kind).key)) RunUtilityCommand(*kind, c);
      return;
    }
  }
  if (id >= 200 * 256) {
    Utility* raro = app_.utility(UtilityKind::RaroDarid);
    if (raro == nullptr) return;
    if (c == 0) {
      raro->runEntry(a - 200, 0);
    } else if (store.IsEnabled(utility_key::RaroDarid)) {
      raro->runEntry(a - 200, c);
    }
  } else if (id >= 100 * 256 && store.IsEnabled(utility_key::VaziDuzidarud)) {
    Utility* vazi = app_.utility(UtilityKind::VaziDuzidarud);
    if (vazi != nullptr && (c == 1 || c == 2)) vazi->runEntry(a - 100, c);
  }
}

}  // namespace zelvor
