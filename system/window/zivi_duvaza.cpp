#include "system/window/zivi_duvaza.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/priority_classes.h"
#include "platform/screen.h"
#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"
#include "system/capacity_bars.h"
#include "system/process_texts.h"
#include "system/size_text.h"
#include "system/window/general_view.h"
#include "system/window/usage_graph.h"

namespace zelvor {
namespace {

constexpr std::string_view kKey = utility_key::ZiviDuvaza;
constexpr std::string_view kCaption = "Zivi Duvaza";

struct PriorityChoice {
  std::uint32_t priorityClass;
  const char* menuText;
};
// The order of both priority submenus.
constexpr std::array<PriorityChoice, 6> kPriorities{{
    {priority_class::RealTime, "Tiempo real"},
    {priority_class::High, "Alta"},
    {priority_class::AboveNormal, "Por encima de lo normal"},
    {priority_class::Normal, "Normal"},
    {priority_class::BelowNormal, "Por debajo de lo normal"},
    {priority_class::Idle, "Baja"},
}};

std::string terminateQuestion(const std::string& name) {
  return "Advertencia: si termina un proceso puede obtener resultados no deseados\n"
         "como la pérdida de datos y la inestabilidad del sistema. El proceso no\n"
         "tendrá tiempo para guardar su estado ni sus datos antes de terminar.\n"
         "¿Está seguro de que desea terminar el proceso \"" +
         name + "\"?";
}

std::string refusalText(const ProcessActionResult& r) {
  switch (r.refusal) {
    case ProcessRefusal::Gone: return "El proceso ya no existe.";
    case ProcessRefusal::OtherUser:
      return "El proceso pertenece a otro usuario: solo su dueño o el administrador pueden cambiarlo.\n(" +
             r.systemText + ")";
    case ProcessRefusal::NeedsPrivilege:
      return "Subir la prioridad de un proceso requiere privilegios de administrador.\n(" + r.systemText + ")";
    case ProcessRefusal::Invalid: return "La operación no es válida para este proceso.";
    default: return r.systemText.empty() ? std::string("No se pudo completar la operación.") : r.systemText;
  }
}

std::string columnWidthName(int view, std::size_t column) {
  char name[32];
  std::snprintf(name, sizeof name, "ColumnWidth_%02d_%02d", view, static_cast<int>(column));
  return name;
}

}  // namespace

CZiviDuvaza::CZiviDuvaza(CZelvorApp& app)
    : app_(app),
      capacity_(app.platform().system, app.platform().locale),
      processes_(app.platform().processes, app.platform().locale),
      services_(app.desktop().services),
      rules_(app.store().registry(), app.platform().processes),
      statusCpu_(app.platform().system),
      statusMemory_(app.platform().system),
      iconCpu_(app.platform().system),
      iconMemory_(app.platform().system) {
  handle_ = app_.desktop().loop.addTarget(*this);
  CZiviDuvazaWnd::Owner owner;
  owner.command = [this](int id) { RunWindowCommand(id); };
  owner.rowMenu = [this](int row) { OpenRowMenu(row); };
  owner.closing = [this] {
    SaveColumnWidths();
    app_.desktop().loop.killTimer(handle_, zivi_timer::View);
    app_.desktop().loop.killTimer(handle_, zivi_timer::Status);
  };
  window_ = std::make_unique<CZiviDuvazaWnd>(app_, std::move(owner));
  // The first hover measures since the icon appeared, not since the boot.
  (void)iconCpu_.GetUsage();
}

CZiviDuvaza::~CZiviDuvaza() {
  window_.reset();
  app_.desktop().loop.removeTarget(handle_);
}

void CZiviDuvaza::start() {
  rules_.Load();
  UpdateRulesTimer();
}

void CZiviDuvaza::command(int code, std::string_view) {
  switch (code) {
    case 0:
    case 1: ShowView(zivi_view::Capacity); break;
    case 2: ShowView(zivi_view::Processes); break;
    case 3: ShowView(zivi_view::General); break;
    case 4: ShowView(zivi_view::Services); break;
    case 5: ToggleUsageGraph(); break;
    default: break;
  }
}

void CZiviDuvaza::ToggleUsageGraph() {
  ShellWindow* w = app_.EnsureWindow(WindowKind::UsageGraph);
  if (auto* graph = dynamic_cast<CSysInfoGraphDlg*>(w)) graph->ToggleVisible();
}

void CZiviDuvaza::ShowView(int view) {
  if (view == zivi_view::Services && !app_.desktop().services.available()) return;
  if (!created_) {
    window_->Create();
    created_ = true;
  }
  if (!window_->IsVisible()) window_->ShowWindow();
  app_.desktop().loop.setTimer(handle_, zivi_timer::Status, 1000);
  LeaveView();
  OpenView(view);
  UpdateStatusBar();
  window_->Refresh();
}

std::string CZiviDuvaza::ViewTitle() const {
  switch (view_) {
    case zivi_view::Capacity: return CapacityView::kTitle;
    case zivi_view::Processes: return ProcessView::kTitle;
    case zivi_view::General: return kGeneralViewTitle;
    case zivi_view::Services: return ServiceView::kTitle;
    default: return std::string(kCaption);
  }
}

void CZiviDuvaza::SaveColumnWidths() {
  if (view_ < 0 || !created_) return;
  CRegKeyEx key(app_.store().registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) != RegStatus::Ok) return;
  const Control& list = window_->List();
  for (std::size_t i = 0; i < list.columns.size(); ++i) {
    key.SetDword(columnWidthName(view_, i), static_cast<std::uint32_t>(list.columns[i].width));
  }
}

void CZiviDuvaza::LoadColumnWidths() {
  CRegKeyEx key(app_.store().registry());
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) != RegStatus::Ok) return;
  Control& list = window_->List();
  for (std::size_t i = 0; i < list.columns.size(); ++i) {
    if (const auto w = key.GetDword(columnWidthName(view_, i))) list.columns[i].width = static_cast<int>(*w);
  }
}

void CZiviDuvaza::LeaveView() {
  app_.desktop().loop.killTimer(handle_, zivi_timer::View);
  SaveColumnWidths();
  Control& list = window_->List();
  list.rows.clear();
  list.columns.clear();
  list.value = -1;
  view_ = -1;
}

void CZiviDuvaza::OpenView(int view) {
  view_ = view;
  Control& list = window_->List();
  const std::int64_t now = app_.platform().clock.now();
  std::uint32_t interval = 2000;
  switch (view) {
    case zivi_view::Capacity:
      list.columns = CapacityView::Columns();
      LoadColumnWidths();
      capacity_.Open(list, Thresholds());
      break;
    case zivi_view::Processes:
      list.columns = ProcessView::Columns();
      LoadColumnWidths();
      processes_.Open(list, now);
      break;
    case zivi_view::General:
      list.columns = GeneralColumns();
      LoadColumnWidths();
      list.rows = GeneralRows(GatherGeneralInfo(app_.platform().system, app_.desktop().screen, CpuInfo()));
      interval = 0;
      break;
    case zivi_view::Services:
      list.columns = ServiceView::Columns();
      LoadColumnWidths();
      services_.Fill(list);
      interval = 4000;
      break;
    default: break;
  }
  window_->title = ViewTitle();
  window_->ShowButtonsOf(view, app_.desktop().services.available());
  if (interval > 0) app_.desktop().loop.setTimer(handle_, zivi_timer::View, interval);
}

const CCpuInfo& CZiviDuvaza::CpuInfo() {
  // Identified once: the clock measurement takes a moment.
  if (!cpuInfo_) cpuInfo_.emplace(app_.platform().system);
  return *cpuInfo_;
}

CapacityThresholds CZiviDuvaza::Thresholds() const {
  const ConfigStore& s = app_.store();
  return {s.ReadConfigInt(kKey, "MemoriaLibre"), s.ReadConfigInt(kKey, "MedidaMem"),
          s.ReadConfigInt(kKey, "EspacioLibre"), s.ReadConfigInt(kKey, "MedidaDiscos")};
}

void CZiviDuvaza::RefreshView() {
  if (!created_ || !window_->IsVisible()) return;
  Control& list = window_->List();
  bool changed = true;
  switch (view_) {
    case zivi_view::Capacity: changed = capacity_.Refresh(list, Thresholds()); break;
    case zivi_view::Processes: processes_.Refresh(list, app_.platform().clock.now()); break;
    case zivi_view::Services: changed = services_.Refresh(list); break;
    default: changed = false; break;
  }
  if (changed) window_->Refresh();
}

void CZiviDuvaza::UpdateStatusBar() {
  if (!created_) return;
  statusMemory_.Refresh();
  const NumberFormat format = app_.platform().locale.numberFormat();
  const int percent = UsedPercent(statusMemory_.physicalUsed, statusMemory_.physicalTotal);
  window_->SetStatusText(0, " Uso de memoria: " + FormatMegabytes(format, statusMemory_.physicalUsed) + " (" +
                                std::to_string(percent) + "%) ");
  window_->SetStatusText(1, " Uso de CPU: " + std::to_string(std::max(statusCpu_.GetUsage(), 0)) + "% ");
}

void CZiviDuvaza::UpdateRulesTimer() {
  if (rules_.empty()) {
    app_.desktop().loop.killTimer(handle_, zivi_timer::Rules);
  } else {
    app_.desktop().loop.setTimer(handle_, zivi_timer::Rules, 10'000);
  }
}

void CZiviDuvaza::onTimer(int timerId) {
  switch (timerId) {
    case zivi_timer::View: RefreshView(); break;
    case zivi_timer::Status:
      if (!created_ || !window_->IsVisible()) {
        app_.desktop().loop.killTimer(handle_, zivi_timer::Status);
        return;
      }
      UpdateStatusBar();
      window_->Refresh();
      break;
    case zivi_timer::Rules: (void)rules_.Apply(); break;
    case zivi_timer::Restart: {
      app_.desktop().loop.killTimer(handle_, zivi_timer::Restart);
      const std::string name = std::exchange(restartPending_, {});
      // A restart shows no error box: the row shows where it stopped.
      if (!name.empty()) (void)app_.desktop().services.start(name);
      RefreshView();
      break;
    }
    default: break;
  }
}

void CZiviDuvaza::onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t) {
  if (message == msg::Command) RunWindowCommand(static_cast<int>(wparam));
}

int CZiviDuvaza::SelectedRow() {
  const std::vector<int> rows = window_->SelectedRows();
  if (!rows.empty()) return rows.front();
  return window_->List().value;
}

void CZiviDuvaza::RunWindowCommand(int id) {
  using namespace zivi_cmd;
  const int row = SelectedRow();
  switch (id) {
    case ShowCapacity: ShowView(zivi_view::Capacity); return;
    case ShowProcesses:
    case BackToProcesses: ShowView(zivi_view::Processes); return;
    case ShowGeneral: ShowView(zivi_view::General); return;
    case ShowServices: ShowView(zivi_view::Services); return;
    case RefreshNow:
      if (view_ == zivi_view::Processes && !processes_.inModules()) {
        processes_.Refresh(window_->List(), app_.platform().clock.now());
        window_->Refresh();
      }
      return;
    case Terminate:
      if (view_ == zivi_view::Processes && !processes_.inModules()) TerminateRow(row);
      return;
    case Modules: ShowModules(row); return;
    case StartService: RunServiceCommand(row, ServiceCommand::Start); return;
    case StopService: RunServiceCommand(row, ServiceCommand::Stop); return;
    case RestartService: RunServiceCommand(row, ServiceCommand::Restart); return;
    case PauseService: RunServiceCommand(row, ServiceCommand::Pause); return;
    case ResumeService: RunServiceCommand(row, ServiceCommand::Resume); return;
    case Automatic: RunServiceCommand(row, ServiceCommand::Automatic); return;
    case Manual: RunServiceCommand(row, ServiceCommand::Manual); return;
    case Disable: RunServiceCommand(row, ServiceCommand::Disable); return;
    case Uninstall: RunServiceCommand(row, ServiceCommand::Uninstall); return;
    case RuleDefault: SetRule(row, std::nullopt); return;
    default: break;
  }
  if (id >= FirstPriority && id < FirstPriority + 6) {
    SetPriority(row, kPriorities[static_cast<std::size_t>(id - FirstPriority)].priorityClass);
  } else if (id >= FirstRule && id < FirstRule + 6) {
    SetRule(row, kPriorities[static_cast<std::size_t>(id - FirstRule)].priorityClass);
  }
}

void CZiviDuvaza::ShowRefusal(const ProcessActionResult& result) {
  (void)app_.desktop().messageBoxes.show(
      {refusalText(result), std::string(kCaption), MsgButtons::Ok, MsgIcon::Error, false});
}

void CZiviDuvaza::TerminateRow(int row) {
  Control& list = window_->List();
  const auto pid = ProcessView::PidOfRow(list, row);
  if (!pid) return;
  const std::string name = list.rows[static_cast<std::size_t>(row)].cells[0];
  const MsgAnswer answer = app_.desktop().messageBoxes.show(
      {terminateQuestion(name), "Terminar proceso", MsgButtons::YesNo, MsgIcon::Question, false});
  if (answer != MsgAnswer::Yes) return;
  const ProcessActionResult r = app_.platform().processes.terminate(*pid);
  if (!r.ok()) {
    ShowRefusal(r);
    return;
  }
  // The row may have moved while the question was open.
  std::erase_if(list.rows, [&](const ListRow& x) { return x.data == *pid; });
  list.value = -1;
  window_->Refresh();
}

void CZiviDuvaza::SetPriority(int row, std::uint32_t priorityClass) {
  if (view_ != zivi_view::Processes || processes_.inModules()) return;
  Control& list = window_->List();
  const auto pid = ProcessView::PidOfRow(list, row);
  if (!pid) return;
  const ProcessActionResult r = app_.platform().processes.setPriority(*pid, priorityClass);
  if (!r.ok()) {
    ShowRefusal(r);
    return;
  }
  list.rows[static_cast<std::size_t>(row)].cells[2] = PriorityColumnText(priorityClass);
  window_->Refresh();
}

void CZiviDuvaza::SetRule(int row, std::optional<std::uint32_t> priorityClass) {
  if (view_ != zivi_view::Processes || processes_.inModules()) return;
  Control& list = window_->List();
  const auto pid = ProcessView::PidOfRow(list, row);
  if (!pid) return;
  const std::string path = ProcessView::PathOfRow(list, row);
  if (!priorityClass) {
    rules_.Remove(path);
  } else {
    const ProcessActionResult r = rules_.Set(path, *priorityClass, *pid);
    if (r.ok()) {
      list.rows[static_cast<std::size_t>(row)].cells[2] = PriorityColumnText(*priorityClass);
      window_->Refresh();
    } else {
      ShowRefusal(r);
    }
  }
  UpdateRulesTimer();
}

void CZiviDuvaza::ShowModules(int row) {
  if (view_ != zivi_view::Processes || processes_.inModules()) return;
  Control& list = window_->List();
  const auto pid = ProcessView::PidOfRow(list, row);
  if (!pid) return;
  if (!processes_.ShowModules(list, *pid)) {
    (void)app_.desktop().messageBoxes.show({"No es posible obtener los modulos cargados por el proceso.",
                                            std::string(kCaption), MsgButtons::Ok, MsgIcon::Warning, false});
    return;
  }
  // The processes wait until "Mostrar procesos" opens them again.
  app_.desktop().loop.killTimer(handle_, zivi_timer::View);
  window_->Refresh();
}

void CZiviDuvaza::RunServiceCommand(int row, ServiceCommand command) {
  if (view_ != zivi_view::Services) return;
  Control& list = window_->List();
  if (row < 0 || static_cast<std::size_t>(row) >= list.rows.size()) return;
  if (!ServiceCommandAllowed(command, services_.CurrentState(list, row))) return;
  const std::string name = ServiceView::NameOfRow(list, row);
  const ServiceResult r = services_.Run(list, row, command);
  if (command == ServiceCommand::Restart) {
    if (r.ok) {
      restartPending_ = name;
      app_.desktop().loop.setTimer(handle_, zivi_timer::Restart, 1000);
    }
  } else if (!r.ok) {
    (void)app_.desktop().messageBoxes.show({r.systemText, "Error", MsgButtons::Ok, MsgIcon::Error, false});
  }
  window_->Refresh();
}

Menu CZiviDuvaza::RowMenu(int row) {
  using namespace zivi_cmd;
  Menu menu;
  Control& list = window_->List();
  if (row < 0 || static_cast<std::size_t>(row) >= list.rows.size()) return menu;
  if (view_ == zivi_view::Processes && processes_.inModules()) {
    menu.items = {MenuItem::command(BackToProcesses, "Mostrar procesos")};
  } else if (view_ == zivi_view::Processes) {
    const std::string& shown = list.rows[static_cast<std::size_t>(row)].cells[2];
    const auto rule = rules_.RuleOf(ProcessView::PathOfRow(list, row));
    std::vector<MenuItem> set, always;
    for (std::size_t i = 0; i < kPriorities.size(); ++i) {
      MenuItem s = MenuItem::command(FirstPriority + static_cast<int>(i), kPriorities[i].menuText);
      s.checked = !shown.empty() && PriorityColumnText(kPriorities[i].priorityClass) == shown;
      set.push_back(std::move(s));
      MenuItem a = MenuItem::command(FirstRule + static_cast<int>(i), kPriorities[i].menuText);
      a.checked = rule && *rule == kPriorities[i].priorityClass;
      always.push_back(std::move(a));
    }
    always.push_back(MenuItem::separator());
    MenuItem none = MenuItem::command(RuleDefault, "Defecto");
    none.checked = !rule;
    always.push_back(std::move(none));
    menu.items = {MenuItem::command(Modules, "Módulos cargados por el proceso"),
                  MenuItem::command(Terminate, "Terminar proceso"), MenuItem::separator(),
                  MenuItem::submenu("Establecer prioridad", std::move(set)),
                  MenuItem::submenu("Cambiar siempre a la prioridad", std::move(always))};
  } else if (view_ == zivi_view::Services) {
    const int state = services_.CurrentState(list, row);
    const int startType = ServiceView::StartTypeOfRow(list, row);
    const auto item = [&](int id, const char* text, ServiceCommand c) {
      MenuItem m = MenuItem::command(id, text);
      m.grayed = !ServiceCommandAllowed(c, state);
      return m;
    };
    const auto type = [&](int id, const char* text, int t) {
      MenuItem m = MenuItem::command(id, text);
      m.checked = startType == t;
      return m;
    };
    menu.items = {item(StartService, "Iniciar", ServiceCommand::Start),
                  item(StopService, "Detener", ServiceCommand::Stop),
                  item(PauseService, "Pausar", ServiceCommand::Pause),
                  item(ResumeService, "Reanudar", ServiceCommand::Resume),
                  item(RestartService, "Reiniciar", ServiceCommand::Restart),
                  MenuItem::separator(),
                  type(Automatic, "Inicio automático", service_start::Automatic),
                  type(Manual, "Inicio manual", service_start::Manual),
                  type(Disable, "Deshabilitar", service_start::Disabled),
                  MenuItem::separator(),
                  MenuItem::command(Uninstall, "Desinstalar")};
  }
  return menu;
}

void CZiviDuvaza::OpenRowMenu(int row) {
  // The row under the pointer becomes the one the commands act on.
  Control& list = window_->List();
  if (row >= 0 && static_cast<std::size_t>(row) < list.rows.size()) {
    for (ListRow& r : list.rows) r.selected = false;
    list.rows[static_cast<std::size_t>(row)].selected = true;
    list.value = row;
  }
  const Menu menu = RowMenu(row);
  if (menu.items.empty()) return;
  const int style = app_.store().ReadConfigInt("", root_value::EstiloMenus);
  app_.desktop().menus.popup(menu, app_.desktop().screen.cursor(), static_cast<MenuStyle>(std::clamp(style, 0, 3)),
                             handle_);
}

void CZiviDuvaza::save() {
  if (created_ && window_->IsVisible()) {
    SaveColumnWidths();
    window_->SaveSettings();
  }
}

std::string CZiviDuvaza::iconText() const {
  IconTextSources sources;
  sources.cpuUsage = [this] { return std::max(iconCpu_.GetUsage(), 0); };
  sources.memory = [this]() -> const CMemoryInfo& {
    iconMemory_.Refresh();
    return iconMemory_;
  };
  sources.format = app_.platform().locale.numberFormat();
  return iconText_.Build(app_.platform().clock.now(), app_.store().ReadConfigString(kKey, "Texto"), sources);
}

std::vector<std::vector<std::string>> CZiviDuvaza::statusRecords() const {
  std::vector<std::vector<std::string>> out;
  out.push_back({"zivitext", iconText()});
  if (auto* graph = dynamic_cast<CSysInfoGraphDlg*>(app_.window(WindowKind::UsageGraph)); graph && graph->isVisible()) {
    out.push_back({"zivigraph", graph->memoryLabel(), graph->cpuLabel(), std::to_string(graph->samples().size())});
  }
  if (!created_ || !window_->IsVisible()) return out;
  std::vector<std::string> head{"ziviview", std::to_string(view_), window_->title};
  if (processes_.inModules() && view_ == zivi_view::Processes) head.push_back("modules");
  out.push_back(std::move(head));
  const Control* list = window_->root.find(CListViewWnd::kListId);
  if (list == nullptr) return out;
  for (const ListRow& r : list->rows) {
    std::vector<std::string> line{"zivirow"};
    line.insert(line.end(), r.cells.begin(), r.cells.end());
    if (r.barPercent >= 0) line.push_back("bar:" + std::to_string(r.barPercent));
    out.push_back(std::move(line));
  }
  for (const ListRow& r : list->rows) {
    if (r.selected && !r.cells.empty()) out.push_back({"ziviselected", r.cells[0]});
  }
  out.push_back({"zivistatus", window_->StatusText(0), window_->StatusText(1)});
  return out;
}

}  // namespace zelvor
