#include "net/dedovuv/dedo_vuv.h"

#include <algorithm>

#include "net/diary/diary_message_box.h"
#include "net/dialup/dialup_settings.h"
#include "net/traffic/traffic_alerts_dialog.h"
#include "platform/messages.h"
#include "platform/sound.h"
#include "shell/hover_tooltip.h"
#include "shell/principal_dlg.h"
#include "shell/tray_icon.h"
#include "shell/zelvor_app.h"

namespace zelvor::dedovuv {
namespace {

constexpr const char* kMeterMissing =
    "No se ha podido cargar la librería iphlpapi.dll. \nEsta librería es necesaria para poder obtener "
    "información sobre el tráfico en la red.";
constexpr const char* kAlertHeading = "Alerta por tráfico en la red";
constexpr int kAlertPicture = 13;

LaunchServices LaunchServicesOf(CZelvorApp& app) {
  return {app.platform().launcher, app.platform().files, nullptr, app.environment()};
}

// The notice is HTML: each line of the alert text becomes a line there too.
std::string HtmlLines(const std::string& text) {
  std::string html;
  for (char ch : text) {
    if (ch == '\n') {
      html += "<br>";
    } else {
      html += ch;
    }
  }
  return html;
}

std::string LogIconName(const std::string& line) { return line.substr(0, line.find(" ")); }

}  // namespace

CDedoVuv::CDedoVuv(CZelvorApp& app)
    : app_(app),
      recorder_(app.store(), app.platform().clock, diary::ShowInMessageBoxes(app.desktop().messageBoxes)),
      programs_(app.store().registry(), LaunchServicesOf(app), app.platform().processes,
                ConnectionPrograms::Checks{[this] { return window_->checkedPrograms(); },
                                           [this] { window_->disablePrograms(); }}),
      meter_(app.store(), app.platform().netCounters, *this) {
  self_ = app_.desktop().loop.addTarget(*this);
  window_ = std::make_unique<CDialWindow>(
      app_.dialogs(), app_.desktop().loop, app_.helpers(), app_.store(),
      CDialWindow::Owner{[this] { control_->ConnectPressed(); }, [this] { control_->CloseDialWindow(); },
                         [this] { programs_.Start(); }});
  control_ = std::make_unique<dialup::DialupControl>(dialup::DialupServices{
      app_.store(), app_.desktop().dialer, app_.desktop().loop, app_.desktop().messageBoxes, recorder_, *window_,
      *this});
  meterWindow_ = std::make_unique<traffic::CTrafficMeterDlg>(
      traffic::CTrafficMeterDlg::Services{app_.dialogs(), app_.desktop().loop, app_.desktop().menus,
                                          app_.desktop().screen, app_.store()},
      meter_);
}

CDedoVuv::~CDedoVuv() {
  app_.desktop().loop.removeTarget(self_);
  CloseAlert();
  // The held record is written: quitting the suite ends the call's record.
  (void)recorder_.EndRecord();
  control_.reset();
  meterWindow_.reset();
  window_.reset();
}

void CDedoVuv::start() {
  meter_.LoadSettings(true);
  meterWindow_->ApplySettings(true);
  if (meter_.UserShown()) ShowMeter(true);
  // The meter samples while Dedo Vuv runs, window shown or not, so the icon
  // bars and the alerts work with the window hidden.
  app_.desktop().loop.setTimer(self_, kMeterTimer, kMeterMs);
}

void CDedoVuv::applySettings() {
  meter_.LoadSettings(false);
  meterWindow_->ApplySettings(false);
}

void CDedoVuv::save() {
  if (meterWindow_->Visible()) traffic::SavePlacement(app_.store(), app_.dialogs().geometry(meterWindow_->window()));
}

void CDedoVuv::command(int c, std::string_view text) {
  // The dial-up service is asked for when the user first needs it, not at
  // every start: a machine without NetworkManager still has the meter
  // until the user reaches for a connection.
  const bool needsService = c == code::DialUpFolder || c == code::NewEntry || c == code::HangUp || c >= code::FirstDial;
  if (needsService && !control_->Available(false)) return;  // this object goes with the icon
  switch (c) {
    case code::Diary: app_.OpenWindow(WindowKind::Diary); return;
    case code::AutoDialer: app_.OpenWindow(WindowKind::AutoDialer); return;
    case code::DialUpFolder: control_->OpenDialUpFolder(); return;
    case code::NewEntry: control_->NewEntry(); return;
    case code::TrafficMeter: ShowMeter(!meter_.UserShown()); return;
    case code::TrafficAlerts: OpenAlertsDialog(); return;
    case code::HangUp: (void)control_->HangUp(); return;
    default: break;
  }
  if (c >= code::FirstProperties) {
    control_->EditEntry(std::string(text));
  } else if (c >= code::FirstDial) {
    control_->Dial(std::string(text), false);
  }
}

DialUpFacts CDedoVuv::dialUp() const {
  DialUpFacts facts;
  facts.entries = control_->Entries();
  facts.connected = control_->IsConnected();
  facts.recordStart = control_->ConnectedSince();
  if (!meter_.DownloadText().empty()) facts.traffic = std::pair{meter_.DownloadText(), meter_.UploadText()};
  return facts;
}

std::vector<std::vector<std::string>> CDedoVuv::statusRecords() const {
  std::vector<std::vector<std::string>> out;
  std::string state = control_->ConnectionText(app_.platform().clock.now());
  if (control_->Dialing()) state = "Marcando";
  out.push_back({"dialup", state, control_->Entry()});
  out.push_back({"dialdefault", app_.store().ReadConfigString(dialup::kKey, dialup::kConexion)});
  out.push_back({"dialwindow", window_->visible() ? "shown" : "hidden", window_->title});
  int n = 0;
  for (const std::string& line : window_->logLines()) {
    out.push_back({"diallog", std::to_string(n++), std::string(LogIconName(line)), line.substr(line.find(' ') + 1)});
  }
  out.push_back({"traffic", meterWindow_->Visible() ? "shown" : "hidden",
                 meter_.DownloadText(), meter_.UploadText()});
  return out;
}

void CDedoVuv::PlayEventSound(std::string_view fileOrEvent) { app_.helpers().PlayEventSound(fileOrEvent); }

void CDedoVuv::ConnectionUp() {
  // The main thread runs its automatic update check on it.
  app_.desktop().loop.post(app_.threadHandle(), msg::ConnectionUp, 0, 0);
}

void CDedoVuv::DropIcon() {
  // The refresh deletes this object: it runs from the loop, after the
  // present call has returned.
  app_.desktop().loop.post(self_, kDropIconMessage, 0, 0);
}

void CDedoVuv::onMessage(std::uint32_t message, std::intptr_t, std::intptr_t) {
  if (message == kDropIconMessage) {
    if (CPrincipalDlg* main = app_.mainWindow()) main->RefreshUtilities(false, false);
    return;  // this object may be gone now
  }
}

void CDedoVuv::onTimer(int timerId) {
  if (timerId == kMeterTimer) {
    meter_.Tick();
  } else if (timerId == kAlertSoundTimer) {
    CPrincipalDlg* main = app_.mainWindow();
    if (main == nullptr || !main->tooltip().visible()) {
      app_.desktop().sound.stop();
      app_.desktop().loop.killTimer(self_, kAlertSoundTimer);
      alertShown_ = false;
    }
  }
}

void CDedoVuv::ShowMeter(bool on) {
  if (!meter_.Available()) {
    (void)app_.desktop().messageBoxes.show(
        MessageBoxRequest{kMeterMissing, "Dedo Vuv", MsgButtons::Ok, MsgIcon::Warning, false});
    return;
  }
  meter_.SetUserShown(on);
  meterWindow_->SetVisible(on);
}

void CDedoVuv::OpenAlertsDialog() {
  traffic::CTrafficAlertsDlg dialog(app_.dialogs(), app_.store());
  if (dialog.DoModal()) {
    meter_.LoadSettings(false);
    meterWindow_->ApplySettings(false);
  }
}

void CDedoVuv::ShowAlert(const std::string& text) {
  const traffic::AlertSettings alerts = traffic::LoadAlertSettings(app_.store());
  if (!alerts.soundFile.empty()) app_.helpers().PlayEventSound(alerts.soundFile, alerts.repeatSound);
  CPrincipalDlg* main = app_.mainWindow();
  if (main == nullptr) return;
  const Rect area = app_.desktop().screen.workArea();
  main->tooltip().ShowNotice(NoticeHtml(kAlertPicture, kAlertHeading, HtmlLines(text)),
                             {area.right - 20, area.bottom - 10});
  alertShown_ = true;
  if (alerts.repeatSound) app_.desktop().loop.setTimer(self_, kAlertSoundTimer, kAlertSoundMs);
}

void CDedoVuv::CloseAlert() {
  if (!alertShown_) return;
  alertShown_ = false;
  app_.desktop().loop.killTimer(self_, kAlertSoundTimer);
  CPrincipalDlg* main = app_.mainWindow();
  if (main != nullptr && main->tooltip().html().find(kAlertHeading) != std::string::npos) main->tooltip().Hide();
}

CTrayIcon* CDedoVuv::Icon() {
  CPrincipalDlg* main = app_.mainWindow();
  return main == nullptr ? nullptr : main->icon(info(UtilityKind::DedoVuv).iconId);
}

void CDedoVuv::SetIconBars(int downloadLength, int uploadLength) {
  CTrayIcon* icon = Icon();
  if (icon == nullptr) return;
  const auto style = traffic::BarStyleFor(app_.store().ReadConfigInt("", "MostrarBarra"), app_.osGeneration());
  icon->SetIconHandle(traffic::IconWithBars(downloadLength, uploadLength, style));
}

void CDedoVuv::SetPlainIcon() {
  if (CTrayIcon* icon = Icon()) icon->SetIconIndex(traffic::kDedoVuvPicture);
}

}  // namespace zelvor::dedovuv
