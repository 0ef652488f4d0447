// The stored hotkeys: registration at start and the dispatch of a pressed one.

#include <array>

#include "platform/hotkeys.h"
#include "shell/hotkey_names.h"
#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

// In registration order, each with its hotkey commands.
constexpr std::array kHotkeyOwners{
    UtilityKind::VadaVU,         UtilityKind::DadeRive,      UtilityKind::ZiviDuvaza,
    UtilityKind::DedoVuv,        UtilityKind::DivoZidezevuza, UtilityKind::ReziZovidaraz,
    UtilityKind::DuvuZevad,      UtilityKind::RaviVarudide,  UtilityKind::DeveRevazoz,
};

}  // namespace

void CPrincipalDlg::RegisterAllHotKeys() {
  Registry& registry = app_.store().registry();
  const auto registerValue = [&](const CRegKeyEx& key, std::string_view name, int id) {
    const auto value = key.GetDword(name);
    if (!value || *value == 0) return;
    // A combination another program holds is left out; the others go on.
    (void)RegisterHotkey(id, *value);
  };

  for (const UtilityKind owner : kHotkeyOwners) {
    CRegKeyEx key(registry);
    if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(info(owner).key)) != RegStatus::Ok) continue;
    const auto commands = static_cast<int>(HotkeyCommands(owner).size());
    for (int k = 1; k <= commands; ++k) {
      registerValue(key, "HotKey" + std::to_string(k), HotkeyId(info(owner).iconId, k));
    }
  }

  CRegKeyEx vazi(registry);
  if (vazi.Open(Hive::CurrentUser, ConfigStore::KeyPath(utility_key::VaziDuzidarud)) == RegStatus::Ok) {
    const int count = vazi.GetInt(kListCount);
    for (int i = 1; i <= count; ++i) {
      for (const auto& [button, low] : {std::pair{"BotonIzquierdo", 1}, std::pair{"BotonDerecho", 2}}) {
        CRegKeyEx entry(registry);
        if (entry.Open(vazi, listElementKey(i) + "\\" + button) != RegStatus::Ok) continue;
        registerValue(entry, "HotKey", ShortcutProgramHotkeyId(i, low));
      }
    }
  }

  CRegKeyEx raro(registry);
  if (raro.Open(Hive::CurrentUser, ConfigStore::KeyPath(utility_key::RaroDarid)) == RegStatus::Ok) {
    const int menus = raro.GetInt(kListCount);
    for (int m = 1; m <= menus; ++m) {
      CRegKeyEx menu(registry);
      if (menu.Open(raro, "Menu " + std::to_string(m)) != RegStatus::Ok) continue;
      registerValue(menu, "HotKey", MenuHotkeyId(m));
      const int items = menu.GetInt(kListCount);
      for (int n = 1; n <= items; ++n) {
        CRegKeyEx item(registry);
        if (item.Open(menu, listElementKey(n)) != RegStatus::Ok) continue;
        registerValue(item, "HotKey", MenuItemHotkeyId(m, n));
      }
    }
  }
}

bool CPrincipalDlg::RegisterHotkey(int id, std::uint32_t binding) {
  const bool ok = app_.desktop().hotkeys.registerHotkey(handle_, id, binding >> 8 & 0xFF, binding & 0xFF);
  hotkeys_[id] = {binding, ok};
  return ok;
}

void CPrincipalDlg::UnregisterHotkey(int id) {
  app_.desktop().hotkeys.unregisterHotkey(handle_, id);
  hotkeys_.erase(id);
}

void CPrincipalDlg::OnHotKey(int id) {
  if (id < 0) return;
  lastHotkey_ = id;
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
  // Menus and shortcuts count from 1: the ids of a menu or shortcut 0 name
  // nothing and are left alone.
  if (id >= 200 * 256) {
    Utility* raro = app_.utility(UtilityKind::RaroDarid);
    if (raro == nullptr || a == 200) return;
    if (c == 0) {
      raro->runEntry(a - 200, 0);
    } else if (store.IsEnabled(utility_key::RaroDarid)) {
      raro->runEntry(a - 200, c);
    }
  } else if (id >= 101 * 256 && store.IsEnabled(utility_key::VaziDuzidarud)) {
    Utility* vazi = app_.utility(UtilityKind::VaziDuzidarud);
    if (vazi != nullptr && (c == 1 || c == 2)) vazi->runEntry(a - 100, c);
  }
}

}  // namespace zelvor
