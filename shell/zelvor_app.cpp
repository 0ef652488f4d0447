#include "shell/zelvor_app.h"

#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/sound.h"
#include "shell/principal_dlg.h"
#include "shell/sound_defaults.h"
#include "shell/store/reg_key_ex.h"

namespace zelvor {

bool wantsUpdateOnly(std::span<const std::string> args) {
  // A whole argument only: a path such as /home/ana is not the switch.
  for (const auto& a : args) {
    if (a == "/a" || a == "--update") return true;
  }
  return false;
}

CZelvorApp::CZelvorApp(Platform platform, Desktop desktop, SingleInstance& instance,
                       UtilityFactory& factory, AppOptions options)
    : platform_(platform),
      dialogs_(desktop.dialogs),
      desktop_{desktop.loop, desktop.tray, desktop.menus, desktop.messageBoxes, dialogs_,
               desktop.screen, desktop.sound, desktop.hotkeys, desktop.clipboard, desktop.dialer,
               desktop.printer, desktop.power, desktop.services},
      store_(platform.registry, platform.folders, platform.files),
      instance_(instance),
      factory_(factory),
      options_(std::move(options)),
      helpers_(dialogs_, desktop_, store_, platform.files, platform.launcher, options_.osGeneration,
               options_.environment) {
  threadHandle_ = desktop_.loop.addTarget(*this);
}

CZelvorApp::~CZelvorApp() {
  ExitInstance();
  desktop_.loop.removeTarget(threadHandle_);
}

CZelvorApp::StartResult CZelvorApp::InitInstance(std::span<const std::string> args) {
  // 1, 2. The settings base and the program's paths: the store helpers give
  // both (ConfigStore::ProgramFolder, ShellHelpers::HelpFile).

  // 3. The unattended update runs alone; no instance check in that mode.
  if (wantsUpdateOnly(args)) {
    if (ShellWindow* update = EnsureWindow(WindowKind::Update)) update->runUnattended();
    DeleteWindow(WindowKind::Update);
    return {false, 0};
  }

  // 4. One instance per user: a second start shows the first one's menu.
  std::string error;
  const SingleInstance::Claim claim = instance_.claim(error);
  if (claim == SingleInstance::Claim::AnotherRuns) {
    CRegKeyEx root(store_.registry());
    std::optional<std::uint32_t> id;
    if (root.Open(Hive::CurrentUser, kRootKey) == RegStatus::Ok) id = root.GetDword(root_value::MainHWnd);
    if (id && instance_.isLiveInstance(*id)) {
      std::string reply;
      (void)instance_.send("message 1324", reply, error);
    }
    return {false, 0};
  }
  // Without the lock a second copy could run beside this one, each
  // rewriting the other's files: the start stops and says why.
  if (claim == SingleInstance::Claim::Failed) {
    (void)desktop_.messageBoxes.show({"No se puede comprobar si Zelvor ya está en marcha: " + error, "Zelvor",
                                      MsgButtons::Ok, MsgIcon::Error, false});
    return {false, 1};
  }
  instanceHeld_ = true;

  // 5. Sound.
  audio_ = desktop_.sound.available();

  // 6. The default settings on a first run, and the sound events' files.
  const InstallResult installed = InstallDefaults(store_, args, options_.install);
  if (!installed.error.empty()) {
    (void)desktop_.messageBoxes.show(
        {installed.error, "Zelvor", MsgButtons::Ok, MsgIcon::Error, false});
  }
  (void)InstallSoundDefaults(store_.registry());

  // 7–9. The main window; the menu style is read each time a menu opens.
  main_ = std::make_unique<CPrincipalDlg>(*this);
  main_->Init();
  if (instanceHeld_ && !instance_.listen(desktop_.loop, main_->handle(), error)) {
    (void)desktop_.messageBoxes.show({"No se pudo abrir el canal de control: " + error, "Zelvor",
                                      MsgButtons::Ok, MsgIcon::Warning, false});
  }

  // 10. The tip of the day.
  if (store_.ReadConfigInt("", root_value::SugerenciasAlInicio) != 0) OpenWindow(WindowKind::Tip);
  return {true, 0};
}

void CZelvorApp::ExitInstance() {
  // The order is fixed: each object may still reach those deleted after it.
  DeleteUtility(UtilityKind::VadaVU);
  DeleteUtility(UtilityKind::DuvuZevad);
  DeleteWindow(WindowKind::Config);
  DeleteWindow(WindowKind::About);
  DeleteWindow(WindowKind::Tip);
  DeleteUtility(UtilityKind::ZiviDuvaza);
  DeleteWindow(WindowKind::AutoClose);
  DeleteWindow(WindowKind::Update);
  DeleteWindow(WindowKind::AutoDialer);
  DeleteUtility(UtilityKind::ReziZovidaraz);
  DeleteUtility(UtilityKind::DivoZidezevuza);
  DeleteUtility(UtilityKind::RaviVarudide);
  DeleteUtility(UtilityKind::DeveRevazoz);
  DeleteWindow(WindowKind::TrafficAlerts);
  DeleteUtility(UtilityKind::DedoVuv);
  DeleteWindow(WindowKind::RemoteShutdown);
  // The components that have no slot of their own in the original order.
  DeleteUtility(UtilityKind::DadeRive);
  DeleteUtility(UtilityKind::VaziDuzidarud);
  DeleteUtility(UtilityKind::RaroDarid);
  DeleteWindow(WindowKind::Diary);
  DeleteWindow(WindowKind::UsageGraph);
  main_.reset();
  if (instanceHeld_) {
    instance_.stopListening();
    instance_.release();
    instanceHeld_ = false;
  }
}

Utility* CZelvorApp::EnsureUtility(UtilityKind kind, bool* createdNow) {
  auto& slot = utilities_[indexOf(kind)];
  if (createdNow != nullptr) *createdNow = false;
  if (!slot) {
    slot = factory_.createUtility(kind, *this);
    if (slot && createdNow != nullptr) *createdNow = true;
  }
  return slot.get();
}

ShellWindow* CZelvorApp::EnsureWindow(WindowKind kind) {
  auto& slot = windows_[indexOf(kind)];
  if (!slot) slot = factory_.createWindow(kind, *this);
  return slot.get();
}

void CZelvorApp::OpenWindow(WindowKind kind) {
  if (ShellWindow* w = EnsureWindow(kind)) w->open();
}

void CZelvorApp::onMessage(std::uint32_t message, std::intptr_t, std::intptr_t) {
  if (message != msg::ConnectionUp) return;
  // The automatic update check runs when a connection has just come up.
  if (store_.ReadConfigInt("", root_value::AutoActualizar) == 0 || window(WindowKind::Update) != nullptr) {
    return;
  }
  if (ShellWindow* update = EnsureWindow(WindowKind::Update)) update->checkSilently();
}

}  // namespace zelvor
