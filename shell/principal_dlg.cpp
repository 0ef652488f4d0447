#include "shell/principal_dlg.h"

#include "platform/messages.h"
#include "platform/tray_host.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor {

CPrincipalDlg::CPrincipalDlg(CZelvorApp& app) : app_(app) {
  Desktop& d = app_.desktop();
  handle_ = d.loop.addTarget(*this);
  // A tiny caption-less window that stays hidden unless it becomes the bar.
  model_.className = "CPrincipalDlg";
  model_.title = "Zelvor";
  model_.style.caption = false;
  model_.style.toolWindow = true;
  model_.geometry = {0, 0, 1, 1};
  window_ = app_.dialogs().create(model_);
  app_.helpers().SetBarWindow(window_);
  tooltip_ = std::make_unique<HoverTooltip>(d.loop, handle_, app_.dialogs(), d.screen,
                                            [this] { return menuOpen(); });
}

CPrincipalDlg::~CPrincipalDlg() {
  tooltip_.reset();
  shortcuts_.clear();
  raroMenus_.clear();
  builtIn_.clear();
  if (window_ != kNoWindow) app_.dialogs().destroy(window_);
  app_.desktop().loop.removeTarget(handle_);
}

CTrayIcon& CPrincipalDlg::MakeIcon(int id, const std::string& title, const std::string& file,
                                   int image, bool separator) {
  Desktop& d = app_.desktop();
  auto icon = std::make_unique<CTrayIcon>(d.tray, d.loop, handle_);
  icon->Init(id, title, file, image, separator);
  icon->SetDesktopTip(tooltipStyle_ == 1);
  CTrayIcon& ref = *icon;
  if (id >= icon_id::FirstMenu && id < icon_id::DeveRevazoz) {
    raroMenus_.push_back(std::move(icon));
  } else if (id >= icon_id::FirstShortcut && id < icon_id::FirstMenu) {
    shortcuts_.push_back(std::move(icon));
  } else {
    builtIn_[id] = std::move(icon);
  }
  return ref;
}

void CPrincipalDlg::Init() {
  Desktop& d = app_.desktop();
  d.tray.setCallbackTarget(handle_);
  // MainHWnd names this instance, so that a second start can find it; the
  // value is checked against the live lock holder, never trusted alone.
  CRegKeyEx root(app_.store().registry());
  if (root.Create(Hive::CurrentUser, kRootKey) == RegStatus::Ok) {
    root.SetDword(root_value::MainHWnd, app_.instance().instanceId());
  }
  MakeIcon(icon_id::Product, "Zelvor", {}, -1, false);
  MakeIcon(icon_id::Bar, "Zelvor", {}, -1, false);
  for (const auto& u : kUtilities) {
    if (u.iconId != 0) MakeIcon(u.iconId, std::string(u.title), {}, u.image, false);
  }
  ApplyTooltipStyle();
  RefreshUtilities(true, true);
  RegisterAllHotKeys();
}

void CPrincipalDlg::ApplyTooltipStyle() {
  tooltipStyle_ = app_.store().ReadConfigInt("", root_value::EstiloTooltips);
  const bool desktopTip = tooltipStyle_ == 1;
  for (auto& [id, icon] : builtIn_) icon->SetDesktopTip(desktopTip);
  for (auto& icon : shortcuts_) icon->SetDesktopTip(desktopTip);
  for (auto& icon : raroMenus_) icon->SetDesktopTip(desktopTip);
  if (tooltipStyle_ != 0) tooltip_->Hide();
}

CTrayIcon* CPrincipalDlg::icon(int iconId) {
  if (const auto it = builtIn_.find(iconId); it != builtIn_.end()) return it->second.get();
  const auto pick = [&](auto& list, int first) -> CTrayIcon* {
    const int i = iconId - first;
    return i >= 0 && i < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(i)].get() : nullptr;
  };
  if (iconId >= icon_id::FirstMenu && iconId < icon_id::DeveRevazoz) return pick(raroMenus_, icon_id::FirstMenu);
  if (iconId >= icon_id::FirstShortcut && iconId < icon_id::FirstMenu) return pick(shortcuts_, icon_id::FirstShortcut);
  if (Utility* deve = app_.utility(UtilityKind::DeveRevazoz)) {
    for (CTrayIcon* i : deve->ownIcons()) {
      if (i != nullptr && i->id() == iconId) return i;
    }
  }
  return nullptr;
}

void CPrincipalDlg::onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) {
  switch (message) {
    case msg::TrayIcon:
      OnIconMessage(static_cast<int>(wparam), static_cast<std::uint32_t>(lparam & 0xFFFF));
      return;
    case msg::Command:
      OnMenuCommand(static_cast<int>(wparam));
      return;
    case msg::MenuClosed:
      if (openMenus_ > 0 && --openMenus_ == 0) openMenu_.reset();
      return;
    case msg::HotKey:
      OnHotKey(static_cast<int>(wparam));
      return;
    case msg::ShowProductMenu:
      RefreshUtilities(false, false);
      OpenProductMenu();
      return;
    case msg::BlinkStep:
      if (CTrayIcon* i = icon(static_cast<int>(wparam))) i->ApplyBlinkStep(lparam != 0);
      return;
    case msg::ControlRequest:
      OnControlRequest(wparam);
      return;
    case msg::QueryEndSession:
      // The Dade Rive component answers (it refuses while shutdown is blocked).
      if (Utility* dade = app_.utility(UtilityKind::DadeRive)) (void)dade->queryEndSession();
      // The session may end without another word: keep what the user would lose.
      SaveUtilities();
      return;
    case msg::ConfigClosed:
    case msg::AboutClosed:
    case msg::SystemInfoClosed:
    case msg::DiaryClosed:
    case msg::TipClosed:
    case msg::AutoCloseClosed:
    case msg::UpdateClosed:
    case msg::AutoDialerClosed:
      OnClosed(message);
      return;
    case msg::Ignored1136:
    default:
      return;
  }
}

void CPrincipalDlg::OnClosed(std::uint32_t message) {
  switch (message) {
    case msg::ConfigClosed: app_.DeleteWindow(WindowKind::Config); break;
    case msg::AboutClosed: app_.DeleteWindow(WindowKind::About); break;
    case msg::SystemInfoClosed: app_.DeleteUtility(UtilityKind::ZiviDuvaza); break;
    case msg::DiaryClosed: app_.DeleteWindow(WindowKind::Diary); break;
    case msg::TipClosed: app_.DeleteWindow(WindowKind::Tip); break;
    case msg::AutoCloseClosed: app_.DeleteWindow(WindowKind::AutoClose); break;
    case msg::UpdateClosed: app_.DeleteWindow(WindowKind::Update); break;
    case msg::AutoDialerClosed: app_.DeleteWindow(WindowKind::AutoDialer); break;
    default: break;
  }
}

void CPrincipalDlg::onTimer(int timerId) {
  switch (timerId) {
    case kTimerHoverThrottle:
      hoverOpen_ = true;
      app_.desktop().loop.killTimer(handle_, kTimerHoverThrottle);
      return;
    case kTimerHoverDelay:
    case kTimerHoverLeave:
      tooltip_->OnTimer(timerId);
      return;
    default:
      return;  // the icon bar's timers arrive at the bar
  }
}

void CPrincipalDlg::OpenMenu(const Menu& menu) {
  Desktop& d = app_.desktop();
  tooltip_->Hide();
  d.dialogs.activate(window_);
  const int style = std::clamp(app_.store().ReadConfigInt("", root_value::EstiloMenus), 0, 3);
  ++openMenus_;
  openMenu_ = menu;
  d.menus.popup(menu, d.screen.cursor(), static_cast<MenuStyle>(style), handle_);
}

void CPrincipalDlg::OpenProductMenu() {
  if (!productMenu_) {
    ShownFlags checks = shown_;
    checks[indexOf(UtilityKind::VaziDuzidarud)] = !shortcuts_.empty();
    checks[indexOf(UtilityKind::RaroDarid)] = !raroMenus_.empty();
    productMenu_ = BuildProductMenu(checks);
  }
  OpenMenu(*productMenu_);
}

void CPrincipalDlg::SaveUtilities() {
  for (std::size_t k = 0; k < kUtilityCount; ++k) {
    if (Utility* u = app_.utility(static_cast<UtilityKind>(k))) u->save();
  }
}

void CPrincipalDlg::Exit() {
  // A second "Salir" (a signal during the first, say) has nothing left to do.
  if (exiting_) return;
  exiting_ = true;
  Desktop& d = app_.desktop();
  // 1. Menus, the usage graph, the launcher menus and their icons.
  productMenu_.reset();
  dadeRiveMenu_.reset();
  if (menuOpen()) d.menus.close();
  tooltip_->Hide();
  app_.DeleteWindow(WindowKind::UsageGraph);
  app_.DeleteUtility(UtilityKind::RaroDarid);
  shortcuts_.clear();
  raroMenus_.clear();
  // 2. The product icon, the bar icon and the utilities' icons.
  for (auto& [id, icon] : builtIn_) icon->Hide();
  if (Utility* deve = app_.utility(UtilityKind::DeveRevazoz)) deve->hideIcons();
  // 3. What the user would lose.
  if (Utility* rezi = app_.utility(UtilityKind::ReziZovidaraz)) rezi->save();
  if (Utility* duvu = app_.utility(UtilityKind::DuvuZevad)) duvu->save();
  // 4. The connection diary.
  app_.DeleteWindow(WindowKind::Diary);
  // 5. The main window, then the application window, which ends the loop.
  if (window_ != kNoWindow) {
    app_.dialogs().destroy(window_);
    window_ = kNoWindow;
  }
  d.loop.quit(0);
}

}  // namespace zelvor
