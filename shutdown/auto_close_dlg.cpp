#include "shutdown/auto_close_dlg.h"

#include <cstdio>

#include "platform/message_box.h"
#include "platform/messages.h"
#include "shell/principal_dlg.h"
#include "shell/store/config_store.h"
#include "shell/zelvor_app.h"
#include "shutdown/dade_rive.h"

namespace zelvor {

using namespace shutdown;

namespace {

constexpr const char* kSchedulerKey = "DadeRive\\Scheduler";
constexpr const char* kShutdownTypeValue = "ShutdownType";
constexpr const char* kNoTrafficText =
    "No se ha podido cargar la librería iphlpapi.dll. \nEsta librería es necesaria para poder obtener información "
    "sobre el tráfico en la red.";
constexpr const char* kWarningMessage =
    "Se va a apagar el sistema.\nPara detener el proceso de apagado pulse el botón Cancelar";
constexpr const char* kWarningCaption = "Apagar automáticamente el sistema";
constexpr int kWarningIcon = 6;

Control spin(int id, int value, int maximum = kMaxSpinValue) {
  Control c = Control::make(ControlKind::Spin, id);
  c.minimum = 0;
  c.maximum = maximum;
  c.value = value;
  return c;
}

Control labelled(const char* label, Control field, const char* unit = nullptr) {
  Control row = Control::make(ControlKind::Row);
  row.add(Control::make(ControlKind::Label, 0, label));
  row.add(std::move(field));
  if (unit != nullptr) row.add(Control::make(ControlKind::Label, 0, unit));
  return row;
}

}  // namespace

CAutoCloseDlg::CAutoCloseDlg(CZelvorApp& app)
    : app_(app),
      sound_(app.helpers()),
      countdown_(app.dialogs(), app.desktop().loop),
      scheduler_(std::make_unique<CScheduler>(
          CScheduler::Services{app.store().registry(), app.platform().clock, &countdown_, &sound_},
          scheduler_setup::AutomaticShutdown())),
      schedulerView_(scheduler_->Page(), kFirstSchedulerId),
      cpuUsage_(app.platform().system) {
  title = kTitle;
  className = kClassName;
  target_ = app_.desktop().loop.addTarget(*this);
  scheduler_->ShowPage();
  scheduler_->SetShowWarning(true);
  // The action list: codes by this system's generation.
  for (int code : {1, 2, 3, 4, 5}) actionCodes_.push_back(code);
  if (app_.osGeneration() > 5) actionCodes_.push_back(6);
  if (app_.osGeneration() < 3) actionCodes_.push_back(7);
  Build();
  // A stored date trigger that was running goes on at once.
  if (scheduler_->Record().Enable != 0) Start();
}

CAutoCloseDlg::~CAutoCloseDlg() {
  EventLoop& loop = app_.desktop().loop;
  loop.killTimer(target_, kTickTimerId);
  loop.killTimer(target_, kPauseTimerId);
  loop.removeTarget(target_);
  if (window_ != kNoWindow) app_.dialogs().destroy(window_);
  scheduler_->HidePage();
}

void CAutoCloseDlg::Build() {
  Control tabs = Control::make(ControlKind::Tabs, kTabs);
  tabs.items = {"Fecha", "Tiempo", "Uso de CPU", "Tráfico en la red"};
  tabs.value = 0;
  Control date = Control::make(ControlKind::Column);
  date.add(schedulerView_.Build());
  tabs.add(std::move(date));

  Control span = Control::make(ControlKind::Column);
  span.add(labelled("Días:", spin(kDays, time.days)));
  span.add(labelled("Horas:", spin(kHours, time.hours)));
  span.add(labelled("Min:", spin(kMinutes, time.minutes)));
  span.add(labelled("Seg:", spin(kSeconds, time.seconds)));
  tabs.add(std::move(span));

  Control processor = Control::make(ControlKind::Column);
  processor.add(labelled("Inferior al:", spin(kCpuThreshold, cpu.threshold, 100), "%"));
  Control during = labelled("Durante:", spin(kCpuMinutes, cpu.minutes), "min");
  during.add(spin(kCpuSeconds, cpu.seconds));
  during.add(Control::make(ControlKind::Label, 0, "seg"));
  processor.add(std::move(during));
  tabs.add(std::move(processor));

  Control network = Control::make(ControlKind::Column);
  Control down = Control::make(ControlKind::Row);
  Control downBox = Control::make(ControlKind::CheckBox, kDownloadBox, "Bajada inferior a:");
  downBox.checked = traffic.downloadOn;
  down.add(std::move(downBox));
  down.add(spin(kDownload, traffic.downloadKbs));
  down.add(Control::make(ControlKind::Label, 0, "KB/s"));
  network.add(std::move(down));
  Control up = Control::make(ControlKind::Row);
  Control upBox = Control::make(ControlKind::CheckBox, kUploadBox, "Subida inferior a:");
  upBox.checked = traffic.uploadOn;
  up.add(std::move(upBox));
  up.add(spin(kUpload, traffic.uploadKbs));
  up.add(Control::make(ControlKind::Label, 0, "KB/s"));
  network.add(std::move(up));
  Control netDuring = labelled("Durante:", spin(kNetMinutes, traffic.minutes), "min");
  netDuring.add(spin(kNetSeconds, traffic.seconds));
  netDuring.add(Control::make(ControlKind::Label, 0, "seg"));
  network.add(std::move(netDuring));
  tabs.add(std::move(network));
  root.add(std::move(tabs));

  Control action = Control::make(ControlKind::Combo, kAction);
  for (int code : actionCodes_) {
    static constexpr const char* kNames[] = {"",          "Apagar sistema", "Reiniciar sistema", "Cerrar sesión",
                                             "Suspender", "Hibernar",       "Bloquear equipo",   "Reiniciar en modo MS-DOS"};
    action.items.emplace_back(kNames[code]);
  }
  const int stored = app_.store().ReadConfigInt(kSchedulerKey, kShutdownTypeValue);
  action.value = stored < 0 || stored >= static_cast<int>(actionCodes_.size()) ? 0 : stored;
  root.add(labelled("Tipo de apagado:", std::move(action)));

  Control warning = Control::make(ControlKind::Row);
  Control box = Control::make(ControlKind::CheckBox, kWarning, "Mostrar un aviso durante unos segundos antes de apagar:");
  box.checked = scheduler_->Record().ShowWarning != 0;
  warning.add(std::move(box));
  warning.add(spin(kWarningSeconds, static_cast<int>(scheduler_->Record().Seconds)));
  root.add(std::move(warning));

  Control buttons = Control::make(ControlKind::Row);
  buttons.add(Control::make(ControlKind::Button, kStart, "Iniciar"));
  Control stop = Control::make(ControlKind::Button, kStop, "Detener");
  stop.enabled = false;
  buttons.add(std::move(stop));
  root.add(std::move(buttons));

  Control status = Control::make(ControlKind::StatusBar, kStatus);
  status.items = {"Detenido", "", ""};
  status.tooltip = "Tiempo restante para apagar";
  root.add(std::move(status));
}

void CAutoCloseDlg::open() {
  scheduler_->ResetIfDisabled();
  if (!running_) {
    schedulerView_.Apply(root);
    find(kWarning)->checked = scheduler_->Record().ShowWarning != 0;
    find(kWarningSeconds)->value = static_cast<int>(scheduler_->Record().Seconds);
  }
  if (window_ == kNoWindow) window_ = app_.dialogs().create(*this);
  app_.helpers().ShowAnimated(window_);
}

bool CAutoCloseDlg::isVisible() const { return window_ != kNoWindow && app_.dialogs().isVisible(window_); }

void CAutoCloseDlg::Refresh() {
  if (window_ != kNoWindow) app_.dialogs().update(window_);
}

int CAutoCloseDlg::SelectedTab() const { return root.find(kTabs)->value; }

void CAutoCloseDlg::SelectTab(int tab) {
  if (tab == kNetTab && !app_.platform().netCounters.available()) {
    (void)app_.desktop().messageBoxes.show({kNoTrafficText, kTitle, MsgButtons::Ok, MsgIcon::Warning, false});
    tab = kDateTab;
  }
  find(kTabs)->value = tab;
  Refresh();
}

int CAutoCloseDlg::SelectedActionCode() const {
  const int i = root.find(kAction)->value;
  if (i < 0 || i >= static_cast<int>(actionCodes_.size())) return actionCodes_.front();
  return actionCodes_[static_cast<std::size_t>(i)];
}

void CAutoCloseDlg::TakeFields() {
  const auto v = [this](int id) { return find(id)->value; };
  time.days = v(kDays);
  time.hours = v(kHours);
  time.minutes = v(kMinutes);
  time.seconds = v(kSeconds);
  cpu.threshold = v(kCpuThreshold);
  cpu.minutes = v(kCpuMinutes);
  cpu.seconds = v(kCpuSeconds);
  traffic.downloadOn = find(kDownloadBox)->checked;
  traffic.uploadOn = find(kUploadBox)->checked;
  traffic.downloadKbs = v(kDownload);
  traffic.uploadKbs = v(kUpload);
  traffic.minutes = v(kNetMinutes);
  traffic.seconds = v(kNetSeconds);
}

void CAutoCloseDlg::SaveAll() {
  scheduler_->Save();
  TakeFields();
  app_.store().WriteConfigInt(kSchedulerKey, kShutdownTypeValue, find(kAction)->value);
}

void CAutoCloseDlg::SetStatus(int part, std::string text) {
  Control& status = *find(kStatus);
  status.items.at(static_cast<std::size_t>(part)) = std::move(text);
}

void CAutoCloseDlg::EnableEditing(bool on) {
  Control& tabs = *find(kTabs);
  tabs.enabled = on;
  for (Control& page : tabs.children) page.enabled = on;
  find(kStart)->enabled = on;
  find(kStop)->enabled = !on;
}

void CAutoCloseDlg::Start() {
  scheduler_->SetEnable(SelectedTab() == kDateTab);
  SaveAll();
  running_ = true;
  time.Start();
  cpu.Start();
  traffic.Start(ReadTrafficTotals(app_.platform().netCounters).value_or(TrafficTotals{}));
  app_.desktop().loop.setTimer(target_, kTickTimerId, kTickMs);
  SetStatus(0, "Iniciado");
  EnableEditing(false);
  if (auto* dade = dynamic_cast<CDadeRive*>(app_.utility(UtilityKind::DadeRive))) dade->ShowIconState();
  Refresh();
}

void CAutoCloseDlg::Stop() {
  scheduler_->SetEnable(false);
  SaveAll();
  running_ = false;
  EventLoop& loop = app_.desktop().loop;
  loop.killTimer(target_, kTickTimerId);
  loop.killTimer(target_, kPauseTimerId);
  time.Stop();
  cpu.Stop();
  traffic.Stop();
  SetStatus(0, "Detenido");
  SetStatus(1, "");
  SetStatus(2, "");
  EnableEditing(true);
  if (auto* dade = dynamic_cast<CDadeRive*>(app_.utility(UtilityKind::DadeRive))) dade->ShowIconState();
  Refresh();
}

std::int64_t CAutoCloseDlg::RemainingSeconds() const {
  switch (SelectedTab()) {
    case kDateTab: return scheduler_->SecondsToNextOccurrence();
    case kTimeTab: return time.Remaining();
    case kCpuTab: return cpu.Remaining();
    case kNetTab: return traffic.Remaining();
    default: return 0;
  }
}

std::string CAutoCloseDlg::remainingText() const { return SpanText(RemainingSeconds()); }

void CAutoCloseDlg::onTimer(int timerId) {
  if (timerId == kPauseTimerId) {
    app_.desktop().loop.killTimer(target_, kPauseTimerId);
    if (running_) app_.desktop().loop.setTimer(target_, kTickTimerId, kTickMs);
    return;
  }
  if (timerId == kTickTimerId && running_) Tick();
}

void CAutoCloseDlg::Tick() {
  bool met = false;
  const int tab = SelectedTab();
  switch (tab) {
    case kDateTab: met = scheduler_->IsDue(); break;
    case kTimeTab: met = time.Tick(); break;
    case kCpuTab: met = cpu.Tick(cpuUsage_.GetUsage()); break;
    case kNetTab: {
      std::optional<TrafficTotals> totals;
      if (traffic.MeasuresNext()) totals = ReadTrafficTotals(app_.platform().netCounters);
      met = traffic.Tick(totals);
      break;
    }
    default: break;
  }
  if (met) {
    Fire();
    return;
  }
  SetStatus(1, "Tiempo restante: " + SpanText(RemainingSeconds()));
  char buf[96];
  if (tab == kCpuTab) {
    std::snprintf(buf, sizeof buf, "Uso CPU: %3d %%", cpu.LastUsage());
    SetStatus(2, buf);
  } else if (tab == kNetTab && traffic.Measured()) {
    std::snprintf(buf, sizeof buf, "Tráfico: %.1f KB/s - %.1f KB/s", traffic.DownloadRate(), traffic.UploadRate());
    SetStatus(2, buf);
  }
  Refresh();
}

void CAutoCloseDlg::Fire() {
  const int code = SelectedActionCode();
  // Spans and quiet conditions, and a once date that disarmed itself, end
  // here; a recurring date stays armed for its next occurrence.
  const bool stopped = SelectedTab() != kDateTab || scheduler_->Record().Enable == 0;
  if (stopped) Stop();
  EventLoop& loop = app_.desktop().loop;
  if (!stopped) loop.killTimer(target_, kTickTimerId);
  if (scheduler_->ConfirmWithWarning(kWarningMessage, kWarningCaption, kWarningIcon)) {
    if (auto* dade = dynamic_cast<CDadeRive*>(app_.utility(UtilityKind::DadeRive))) {
      dade->RunExitAction(code, CDadeRive::Confirm::Skip, CDadeRive::Force::Yes, CDadeRive::Origin::Automatic);
    }
  }
  if (!stopped && running_) loop.setTimer(target_, kPauseTimerId, kPauseMs);
}

void CAutoCloseDlg::onEvent(const ControlEvent& event) {
  if (schedulerView_.Owns(event.controlId)) {
    if (schedulerView_.HandleEvent(event, root) == SchedulerPageView::EventResult::Changed) Refresh();
    return;
  }
  switch (event.controlId) {
    case kTabs:
      if (event.kind == ControlEvent::Kind::Changed) SelectTab(find(kTabs)->value);
      return;
    case kStart:
      if (event.kind == ControlEvent::Kind::Clicked && !running_) Start();
      return;
    case kStop:
      if (event.kind == ControlEvent::Kind::Clicked && running_) Stop();
      return;
    case kWarning:
      scheduler_->SetShowWarning(find(kWarning)->checked);
      return;
    case kWarningSeconds:
      scheduler_->SetSeconds(find(kWarningSeconds)->value);
      return;
    default:
      TakeFields();
      return;
  }
}

bool CAutoCloseDlg::onCloseRequest() {
  SaveAll();
  if (window_ != kNoWindow) {
    app_.helpers().HideAnimated(window_, !running_);
    if (!running_) window_ = kNoWindow;
  }
  // A stopped window is not needed any more: the main window deletes it.
  if (!running_) {
    if (CPrincipalDlg* main = app_.mainWindow()) app_.desktop().loop.post(main->handle(), msg::AutoCloseClosed, 0, 0);
  }
  return false;
}

}  // namespace zelvor
