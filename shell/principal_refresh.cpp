// RefreshUtilities: brings the utility objects and the icons in line with
// the store. Every step reads the store afresh.

#include "platform/message_box.h"
#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

// Whether the scheduler record under subPath is armed.
bool schedulerEnabled(ConfigStore& store, std::string_view subPath) {
  CRegKeyEx key(store.registry());
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(subPath)) != RegStatus::Ok) return false;
  return key.GetDword("Enable").value_or(0) != 0;
}

// Title of shortcut icon i: the descriptions of its programs joined by " / ".
std::string shortcutTitle(const std::string& left, const std::string& right) {
  if (left.empty()) return right;
  if (right.empty()) return left;
  return left + " / " + right;
}

}  // namespace

void CPrincipalDlg::BuildShortcutIcons() {
  ConfigStore& store = app_.store();
  if (!store.IsEnabled(utility_key::VaziDuzidarud)) return;
  const int count = store.ReadConfigInt(utility_key::VaziDuzidarud, kListCount);
  const bool vertical = barMode_ && direction_ == 1;
  for (int i = 1; i <= count; ++i) {
    const std::string entry = std::string(utility_key::VaziDuzidarud) + "\\" + listElementKey(i);
    const int id = icon_id::FirstShortcut + i - 1;
    if (store.ReadConfigString(entry, "") == kSeparator) {
      MakeIcon(id, {}, {}, vertical ? 23 : 22, true);
      continue;
    }
    const std::string left = store.ReadConfigString(entry + "\\BotonIzquierdo", "");
    const std::string right = store.ReadConfigString(entry + "\\BotonDerecho", "");
    std::string file = store.ReadConfigString(entry, "Icono");
    int index = store.ReadConfigInt(entry, "IndiceIcono");
    if (file.empty()) {
      // The left program's own icon.
      file = store.ReadConfigString(entry + "\\BotonIzquierdo", "Programa");
      index = -1;
    }
    if (file.empty()) {
      MakeIcon(id, shortcutTitle(left, right), {}, -1, false).SetIconHandle(ImageRef::fromStrip(ImageStrip::Small, 3));
    } else {
      MakeIcon(id, shortcutTitle(left, right), file, index, false);
    }
  }
}

void CPrincipalDlg::BuildMenuIcons() {
  ConfigStore& store = app_.store();
  if (!store.IsEnabled(utility_key::RaroDarid)) return;
  const int count = store.ReadConfigInt(utility_key::RaroDarid, kListCount);
  const bool vertical = barMode_ && direction_ == 1;
  for (int m = 1; m <= count; ++m) {
    const std::string key = std::string(utility_key::RaroDarid) + "\\Menu " + std::to_string(m);
    const int id = icon_id::FirstMenu + m - 1;
    const std::string name = store.ReadConfigString(key, "");
    if (name == kSeparator) {
      MakeIcon(id, {}, {}, vertical ? 23 : 22, true);
      continue;
    }
    const std::string file = store.ReadConfigString(key, "Icono");
    if (file.empty()) {
      MakeIcon(id, name, {}, -1, false).SetIconHandle(ImageRef::fromStrip(ImageStrip::Small, 3));
    } else {
      MakeIcon(id, name, file, store.ReadConfigInt(key, "IndiceIcono"), false);
    }
  }
}

void CPrincipalDlg::RefreshUtilities(bool reloadShortcuts, bool reloadMenus) {
  ConfigStore& store = app_.store();
  const int os = app_.osGeneration();

  // 1, 2. Bar mode, and the strip every built-in icon takes its image from.
  barMode_ = store.ReadConfigInt("", root_value::MostrarBarra) == 1;
  for (auto& [id, icon] : builtIn_) {
    if (icon->imageIndex() >= 0) icon->SetIconIndex(icon->imageIndex());
  }

  // 3. The main window goes to its stored place. (The icon bar's cell size,
  // SepIcons, is read by the bar itself, which the suite does not have yet.)
  const int left = store.ReadConfigInt("", root_value::Left);
  const int top = store.ReadConfigInt("", root_value::Top);
  model_.geometry = {left, top, left + model_.geometry.width(), top + model_.geometry.height()};
  if (window_ != kNoWindow) app_.dialogs().update(window_);

  // 4. Cached menus are rebuilt on next use.
  productMenu_.reset();
  dadeRiveMenu_.reset();

  // 5. Everything hidden; the launcher icons rebuilt when asked.
  if (reloadShortcuts) {
    shortcuts_.clear();
  } else {
    for (auto& i : shortcuts_) i->Hide();
  }
  if (reloadMenus) {
    raroMenus_.clear();
  } else {
    for (auto& i : raroMenus_) i->Hide();
  }
  shown_.fill(false);
  for (auto& [id, icon] : builtIn_) icon->Hide();
  if (Utility* deve = app_.utility(UtilityKind::DeveRevazoz)) deve->hideIcons();

  // 6, 7. The launchers.
  direction_ = store.ReadConfigInt("", root_value::DireccionBarra);
  if (reloadShortcuts) BuildShortcutIcons();
  if (reloadMenus) BuildMenuIcons();
  for (UtilityKind k : {UtilityKind::VaziDuzidarud, UtilityKind::RaroDarid}) {
    if (store.IsEnabled(info(k).key)) {
      (void)app_.EnsureUtility(k);
    } else {
      app_.DeleteUtility(k);
    }
  }

  // 8. Launcher icons live where bar mode says, and show.
  for (auto* list : {&shortcuts_, &raroMenus_}) {
    for (auto& i : *list) {
      i->SetInTray(!barMode_);
      i->Show();
    }
  }
  for (auto& [id, icon] : builtIn_) icon->SetInTray(!barMode_);

  ShownFlags createdNow{};
  const auto ensure = [&](UtilityKind k) {
    bool created = false;
    app_.EnsureUtility(k, &created);
    if (created) createdNow[indexOf(k)] = true;
  };
  const auto showIcon = [&](UtilityKind k) {
    builtIn_.at(info(k).iconId)->Show();
    shown_[indexOf(k)] = true;
  };

  // 9. Vada VU, which needs sound.
  if (store.IsEnabled(utility_key::VadaVU)) {
    if (!app_.audioAvailable()) {
      (void)app_.desktop().messageBoxes.show(
          {"No se puede cargar la biblioteca de vínculos dinámicos WINMM.DLL. Vada VU necesita "
           "este archivo y no se podrá mostrar hasta que el archivo se encuentre en el directorio "
           "SYSTEM de Windows.",
           "Zelvor", MsgButtons::Ok, MsgIcon::Warning, true});
      store.SetEnabled(utility_key::VadaVU, false);
      app_.DeleteUtility(UtilityKind::VadaVU);
    } else {
      Utility* existed = app_.utility(UtilityKind::VadaVU);
      if (existed != nullptr) {
        existed->applySettings();
      } else {
        ensure(UtilityKind::VadaVU);
      }
      const bool autoShow = store.ReadConfigInt(utility_key::VadaVU, "AutoMostrar") != 0;
      if (!autoShow || barMode_) builtIn_.at(3)->Show();
      shown_[indexOf(UtilityKind::VadaVU)] = true;
    }
  } else {
    // The desktop's audio-CD action goes back to playing the disc.
    CRegKeyEx verb(store.registry());
    if (verb.Create(Hive::ClassesRoot, "AudioCD\\shell") == RegStatus::Ok) verb.SetString("", "play");
    app_.DeleteUtility(UtilityKind::VadaVU);
  }

  // 10. Dade Rive, and the automatic shutdown its scheduler arms.
  if (store.IsEnabled(utility_key::DadeRive)) {
    showIcon(UtilityKind::DadeRive);
    ensure(UtilityKind::DadeRive);
    if (schedulerEnabled(store, "DadeRive\\Scheduler") && app_.window(WindowKind::AutoClose) == nullptr) {
      (void)app_.EnsureWindow(WindowKind::AutoClose);
    }
  } else {
    app_.DeleteWindow(WindowKind::AutoClose);
    app_.DeleteUtility(UtilityKind::DadeRive);
  }

  // 11. Zivi Duvaza.
  if (store.IsEnabled(utility_key::ZiviDuvaza)) {
    showIcon(UtilityKind::ZiviDuvaza);
    ensure(UtilityKind::ZiviDuvaza);
  } else {
    app_.DeleteWindow(WindowKind::UsageGraph);
    app_.DeleteUtility(UtilityKind::ZiviDuvaza);
  }

  // 12. Dedo Vuv.
  if (store.IsEnabled(utility_key::DedoVuv)) {
    showIcon(UtilityKind::DedoVuv);
    ensure(UtilityKind::DedoVuv);
  } else {
    app_.DeleteUtility(UtilityKind::DedoVuv);
    app_.DeleteWindow(WindowKind::AutoDialer);
    app_.DeleteWindow(WindowKind::TrafficAlerts);
  }

  // 13. Divo Zidezevuza, Rezi Zovidaraz, Duvu Zevad, Ravi Varudide.
  for (UtilityKind k : {UtilityKind::DivoZidezevuza, UtilityKind::ReziZovidaraz,
                        UtilityKind::DuvuZevad, UtilityKind::RaviVarudide}) {
    if (store.IsEnabled(info(k).key)) {
      ensure(k);
      showIcon(k);
    } else {
      if (Utility* u = app_.utility(k)) u->save();
      app_.DeleteUtility(k);
    }
  }

  // 14. Deve Revazoz: its single icon, unless it shows one per desktop.
  if (store.IsEnabled(utility_key::DeveRevazoz)) {
    ensure(UtilityKind::DeveRevazoz);
    Utility* deve = app_.utility(UtilityKind::DeveRevazoz);
    if (deve != nullptr) deve->createWindow();
    shown_[indexOf(UtilityKind::DeveRevazoz)] = true;
    if (deve == nullptr || !deve->showIcons(barMode_)) builtIn_.at(icon_id::DeveRevazoz)->Show();
  } else {
    app_.DeleteUtility(UtilityKind::DeveRevazoz);
  }

  // 15. The product icon and the bar icon.
  const std::string stored = store.ReadConfigString("", root_value::ZelvorIcon);
  int product = stored.empty() ? -1 : atoiRules(stored);
  // The product strip has 8 images; any other value takes the default.
  if (product < 0 || product > 7) product = (barMode_ || os == 3 || os >= 7) ? 0 : 1;
  builtIn_.at(icon_id::Product)->SetStripImage(ImageStrip::Product, product);
  builtIn_.at(icon_id::Bar)->SetStripImage(ImageStrip::Product, product);
  productShown_ = store.ReadConfigInt("", root_value::HideZelvorIcon) == 0;
  if (productShown_) builtIn_.at(icon_id::Product)->Show();

  // 16. The usage graph follows Zivi Duvaza (the component starts its probe).
  if (shown_[indexOf(UtilityKind::ZiviDuvaza)]) (void)app_.EnsureWindow(WindowKind::UsageGraph);

  // 17. The icon bar would be laid out here; the suite has none yet.

  // 18. The utilities created in this pass start.
  static constexpr std::array kStartOrder{
      UtilityKind::VadaVU,     UtilityKind::DivoZidezevuza, UtilityKind::ReziZovidaraz,
      UtilityKind::RaviVarudide, UtilityKind::DuvuZevad,  UtilityKind::DadeRive,
      UtilityKind::ZiviDuvaza, UtilityKind::DedoVuv,        UtilityKind::DeveRevazoz};
  for (UtilityKind k : kStartOrder) {
    Utility* u = app_.utility(k);
    if (u == nullptr || !createdNow[indexOf(k)]) continue;
    if (k == UtilityKind::DivoZidezevuza || k == UtilityKind::ReziZovidaraz ||
        k == UtilityKind::RaviVarudide) {
      u->createWindow();
    }
    u->start();
  }
  if (app_.utility(UtilityKind::DedoVuv) != nullptr && app_.window(WindowKind::AutoDialer) == nullptr &&
      (schedulerEnabled(store, "DedoVuv\\Scheduler1") || schedulerEnabled(store, "DedoVuv\\Scheduler2"))) {
    (void)app_.EnsureWindow(WindowKind::AutoDialer);
  }
}

}  // namespace zelvor
