// Click routing, menu commands and the utilities' commands.

#include <cstdio>

#include "platform/messages.h"
#include "platform/message_box.h"
#include "shell/mouse_actions.h"
#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

bool isRelease(std::uint32_t m) { return m == msg::LeftUp || m == msg::RightUp; }

// Commands whose window has list or tree views pass the common-controls gate.
bool needsListViews(UtilityKind kind, int code) {
  switch (kind) {
    case UtilityKind::DivoZidezevuza: return code >= 0 && code <= 2;
    case UtilityKind::ReziZovidaraz: return code == 1;
    case UtilityKind::RaviVarudide: return code == 0 || code == 1;
    case UtilityKind::DedoVuv: return code == 1;
    default: return false;
  }
}

// Elapsed seconds as "Conectado: %Hh. %Mm. %Ss." with the hours counted
// whole (a connection of more than a day does not start again at 00).
std::string connectedText(std::int64_t seconds) {
  if (seconds < 0) seconds = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "Conectado: %02lldh. %02lldm. %02llds.",
                static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                static_cast<long long>(seconds % 60));
  return buf;
}

}  // namespace

void CPrincipalDlg::Hover(CTrayIcon& icon) {
  if (tooltipStyle_ != 0) return;
  tooltip_->Hover(icon.id(), icon.title(), icon.text());
}

void CPrincipalDlg::DecodeAndRun(UtilityKind kind, std::uint32_t mouseMessage) {
  const int command = DecodeMouseAction(app_.store(), info(kind).key, mouseMessage);
  if (command != kNoCommand) RunUtilityCommand(kind, command);
}

void CPrincipalDlg::OnIconMessage(int iconId, std::uint32_t m) {
  // 1. Moves are throttled; anything else hides the extended tooltip first.
  if (m == msg::MouseMove) {
    if (!hoverOpen_) return;
    hoverOpen_ = false;
    app_.desktop().loop.setTimer(handle_, kTimerHoverThrottle, 500);
  } else {
    tooltip_->Hide();
  }
  const bool move = m == msg::MouseMove;

  // 2. By id.
  if (iconId == icon_id::Product) {
    if (move) {
      Hover(*builtIn_.at(iconId));
    } else if (isRelease(m)) {
      OpenProductMenu();
    }
  } else if (iconId == icon_id::Bar) {
    if (move) {
      Hover(*builtIn_.at(iconId));
    } else if (m == msg::RightUp) {
      OpenProductMenu();
    }
  } else if (const auto kind = utilityOfIcon(iconId)) {
    CTrayIcon& i = *builtIn_.at(iconId);
    Utility* u = app_.utility(*kind);
    switch (*kind) {
      case UtilityKind::VadaVU:
        if (move) {
          if (u == nullptr || !u->panelVisible()) Hover(i);
        } else {
          DecodeAndRun(*kind, m);
        }
        break;
      case UtilityKind::DadeRive:
        if (move) {
          i.SetText(DadeRiveHoverText());
          Hover(i);
        } else {
          DecodeAndRun(*kind, m);
        }
        break;
      case UtilityKind::ZiviDuvaza:
        if (move) {
          const bool text = app_.store().ReadConfigInt(utility_key::ZiviDuvaza, "MostrarTexto") == 1;
          i.SetText(text && u != nullptr ? u->iconText() : std::string{});
          Hover(i);
        } else {
          DecodeAndRun(*kind, m);
        }
        break;
      case UtilityKind::DedoVuv:
        if (move) {
          i.SetText(DedoVuvHoverText());
          Hover(i);
        } else {
          DecodeAndRun(*kind, m);
        }
        break;
      case UtilityKind::RaviVarudide:
        if (move) {
          i.StopBlink();
          Hover(i);
        } else {
          DecodeAndRun(*kind, m);
        }
        break;
      default:  // Divo Zidezevuza, Rezi Zovidaraz, Duvu Zevad, Deve Revazoz
        if (move) Hover(i);
        DecodeAndRun(*kind, m);
        break;
    }
  } else if (iconId > icon_id::DeveRevazoz) {
    CTrayIcon* desk = icon(iconId);
    if (desk == nullptr) return;
    if (move) {
      Hover(*desk);
    } else if (m == msg::LeftUp) {
      RunUtilityCommand(UtilityKind::DeveRevazoz, 20 + iconId - icon_id::FirstDesktop);
    } else {
      DecodeAndRun(UtilityKind::DeveRevazoz, m);
    }
  } else if (iconId >= icon_id::FirstMenu) {
    OnMenuIcon(static_cast<std::size_t>(iconId - icon_id::FirstMenu), m);
  } else if (iconId >= icon_id::FirstShortcut) {
    OnShortcutIcon(static_cast<std::size_t>(iconId - icon_id::FirstShortcut), m);
  }
}

void CPrincipalDlg::OnShortcutIcon(std::size_t index, std::uint32_t m) {
  if (index >= shortcuts_.size() || shortcuts_[index]->separator()) return;
  Utility* vazi = app_.utility(UtilityKind::VaziDuzidarud);
  const int list = static_cast<int>(index) + 1;
  if (m == msg::MouseMove) {
    Hover(*shortcuts_[index]);
  } else if (m == msg::LeftUp) {
    if (vazi != nullptr) vazi->runEntry(list, 1);
  } else if (m == msg::RightUp) {
    if (vazi != nullptr) vazi->runEntry(list, 2);
  }
}

void CPrincipalDlg::OnMenuIcon(std::size_t index, std::uint32_t m) {
  if (index >= raroMenus_.size() || raroMenus_[index]->separator()) return;
  Utility* raro = app_.utility(UtilityKind::RaroDarid);
  const int menu = static_cast<int>(index) + 1;
  const std::string key = std::string(utility_key::RaroDarid) + "\\Menu " + std::to_string(menu);
  ConfigStore& store = app_.store();
  if (m == msg::MouseMove) {
    if (store.ReadConfigInt(key, "AutoMostrar") != 0) {
      if (raro != nullptr && !(menuOpen() && openRaroMenu_ == menu)) {
        openRaroMenu_ = menu;
        raro->runEntry(menu, 0);
      }
    } else {
      Hover(*raroMenus_[index]);
    }
  } else if (m == msg::LeftUp) {
    const int item = store.ReadConfigInt(key, "Defecto");
    if (raro != nullptr) raro->runEntry(menu, item != 0 ? item : 0);
  } else if (m == msg::RightUp) {
    if (raro != nullptr) raro->runEntry(menu, 0);
  }
}

std::string CPrincipalDlg::DadeRiveHoverText() {
  std::string text;
  if (Utility* dade = app_.utility(UtilityKind::DadeRive); dade != nullptr && dade->shutdownBlocked()) {
    text = "Bloqueado el apagado del sistema";
  }
  if (ShellWindow* autoClose = app_.window(WindowKind::AutoClose); autoClose != nullptr && autoClose->armed()) {
    if (!text.empty()) text += "\n";
    text += "Apagado automático en " + autoClose->remainingText();
  }
  return text;
}

std::string CPrincipalDlg::DedoVuvHoverText() {
  Utility* dedo = app_.utility(UtilityKind::DedoVuv);
  if (dedo == nullptr) return {};
  const DialUpFacts facts = dedo->dialUp();
  std::string text;
  if (!facts.entries.empty()) {
    if (facts.connected) {
      text = facts.recordStart ? connectedText(app_.platform().clock.now() - *facts.recordStart)
                               : std::string("Conectado");
    } else {
      text = "Desconectado";
    }
  }
  if (tooltipStyle_ == 0 && facts.traffic) {
    if (!text.empty()) text += "\n";
    text += "Tráfico de bajada: " + facts.traffic->first + "\nTráfico de subida: " +
            facts.traffic->second;
  }
  return text;
}

void CPrincipalDlg::OpenDadeRiveMenu() {
  ShellWindow* autoClose = app_.window(WindowKind::AutoClose);
  Utility* dade = app_.utility(UtilityKind::DadeRive);
  const bool armed = autoClose != nullptr && autoClose->armed();
  if (!dadeRiveMenu_) {
    dadeRiveMenu_ = BuildDadeRiveMenu(app_.ntFamily(), app_.osGeneration(), armed,
                                      dade != nullptr && dade->shutdownBlocked());
  }
  // Both checks are brought up to date each time it opens.
  for (auto& item : dadeRiveMenu_->items) {
    if (item.id == menu_id::DadeRiveBase + 8) item.checked = armed;
    if (item.id == menu_id::DadeRiveBase + 9) item.checked = dade != nullptr && dade->shutdownBlocked();
  }
  OpenMenu(*dadeRiveMenu_);
}

void CPrincipalDlg::RunExitAction(int code) {
  if (code == 0) {
    OpenDadeRiveMenu();
    return;
  }
  // What the user would lose is saved before an exit action can end the
  // session (Duvu Zevad's notes above all).
  Utility* dade = app_.utility(UtilityKind::DadeRive);
  if (code >= 1 && code <= 7 && (dade == nullptr || !dade->runsExitActions())) SaveUtilities();
  // The exit actions themselves belong to the Dade Rive component.
  if (dade != nullptr) dade->command(code, {});
}

void CPrincipalDlg::RunDedoVuvCommand(int code) {
  Utility* dedo = app_.utility(UtilityKind::DedoVuv);
  if (dedo == nullptr) return;
  const DialUpFacts facts = dedo->dialUp();
  // 5 and 6 act on the default entry, which the menu puts first.
  if (code == 5) code = 40;
  if (code == 6) code = facts.connected ? 10 : 20;
  if (code == 0) {
    OpenDedoVuvMenu();
    return;
  }
  if (code < 20) {
    if (needsListViews(UtilityKind::DedoVuv, code) && !app_.helpers().CheckCommonControls()) return;
    dedo->command(code, {});
    return;
  }
  std::vector<std::string> entries;
  (void)BuildDedoVuvMenu(facts, app_.window(WindowKind::AutoDialer) != nullptr, app_.store(), entries);
  if (entries.empty()) {
    const MsgAnswer a = app_.desktop().messageBoxes.show(
        {"No hay ninguna conexión de Acceso telefónico a redes. \n¿Desea crear una nueva?",
         "Dedo Vuv", MsgButtons::YesNo, MsgIcon::Question, true});
    if (a == MsgAnswer::Yes) dedo->command(4, {});
    return;
  }
  const int j = code >= 40 ? code - 40 : code - 20;
  if (j < 0 || j >= static_cast<int>(entries.size())) return;
  dedo->command(code, entries[static_cast<std::size_t>(j)]);
}

void CPrincipalDlg::OpenDedoVuvMenu() {
  Utility* dedo = app_.utility(UtilityKind::DedoVuv);
  if (dedo == nullptr) return;
  std::vector<std::string> entries;
  OpenMenu(BuildDedoVuvMenu(dedo->dialUp(), app_.window(WindowKind::AutoDialer) != nullptr,
                            app_.store(), entries));
}

void CPrincipalDlg::RunUtilityCommand(UtilityKind kind, int code) {
  if (code < 0) return;
  if (kind == UtilityKind::DadeRive) {
    RunExitAction(code);
    return;
  }
  if (kind == UtilityKind::DedoVuv) {
    RunDedoVuvCommand(code);
    return;
  }
  Utility* u = app_.utility(kind);
  // Zivi Duvaza's object is also made on demand by its commands.
  if (u == nullptr && kind == UtilityKind::ZiviDuvaza) u = app_.EnsureUtility(kind);
  if (u == nullptr) return;
  if (code == 0 && kind == UtilityKind::DeveRevazoz) {
    OpenMenu(BuildDeveMenu(u->desktops()));
    return;
  }
  if (needsListViews(kind, code) && !app_.helpers().CheckCommonControls()) return;
  u->command(code, {});
}

void CPrincipalDlg::ToggleUtility(int commandId) {
  const auto kind = ToggledUtility(commandId);
  if (!kind) return;
  bool checked = false;
  if (productMenu_) {
    for (auto& item : productMenu_->items) {
      for (auto& sub : item.children) {
        if (sub.id == commandId) {
          checked = sub.checked;
          sub.checked = !sub.checked;
        }
      }
    }
  } else {
    checked = *kind == UtilityKind::VaziDuzidarud ? !shortcuts_.empty()
              : *kind == UtilityKind::RaroDarid   ? !raroMenus_.empty()
                                                  : shown_[indexOf(*kind)];
  }
  app_.store().SetEnabled(info(*kind).key, !checked);
  RefreshUtilities(commandId == menu_id::FirstToggle, commandId == menu_id::FirstToggle + 1);
}

void CPrincipalDlg::OnMenuCommand(int id) {
  switch (id) {
    case menu_id::Help: app_.helpers().OpenHelp(help_context::Default); return;
    case menu_id::Tip: app_.OpenWindow(WindowKind::Tip); return;
    case menu_id::Update: app_.OpenWindow(WindowKind::Update); return;
    case menu_id::About: app_.OpenWindow(WindowKind::About); return;
    case menu_id::Restore:
    case menu_id::Save:
      return;  // The configuration backups plug in here.
    case menu_id::Configure: app_.OpenWindow(WindowKind::Config); return;
    case menu_id::Exit: Exit(); return;
    default: break;
  }
  if (id >= menu_id::FirstToggle && id <= menu_id::LastToggle) {
    ToggleUtility(id);
  } else if (id > menu_id::DadeRiveBase && id <= menu_id::DadeRiveBase + 11) {
    RunExitAction(id - menu_id::DadeRiveBase);
  } else if (id > menu_id::DedoVuvBase && id < menu_id::ReziBase) {
    RunDedoVuvCommand(id - menu_id::DedoVuvBase);
  } else if (id > menu_id::ReziBase && id < menu_id::DuvuBase) {
    RunUtilityCommand(UtilityKind::ReziZovidaraz, id - menu_id::ReziBase);
  } else if (id > menu_id::DuvuBase && id < menu_id::DeveBase) {
    RunUtilityCommand(UtilityKind::DuvuZevad, id - menu_id::DuvuBase);
  } else if (id > menu_id::DeveBase && id < menu_id::RaroFirst) {
    RunUtilityCommand(UtilityKind::DeveRevazoz, id - menu_id::DeveBase);
  } else if (id >= menu_id::RaroFirst && id <= menu_id::RaroLast) {
    const int m = (id - menu_id::RaroFirst) / 100 + 1;
    const int n = (id - menu_id::RaroFirst) % 100;
    if (Utility* raro = app_.utility(UtilityKind::RaroDarid)) raro->runEntry(m, n);
  }
}

}  // namespace zelvor
