// Zivi Duvaza in the assembled suite on the simulated desktop: the views
// and their refreshes, the processes' commands and refusals, the
// permanent priority rules, the services, the status report and the
// usage graph.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/messages.h"
#include "platform/priority_classes.h"
#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "system/capacity_bars.h"
#include "system/window/usage_graph.h"
#include "system/window/zivi_duvaza.h"
#include "tests/support/sim_suite.h"

namespace zelvor {
namespace {

constexpr std::uint64_t kMiB = 1ull << 20;
constexpr std::uint32_t kUser = 1000;

ProcessRecord Process(std::uint32_t pid, std::string name, std::uint64_t start = 1) {
  ProcessRecord p;
  p.pid = pid;
  p.startTime = start;
  p.name = name;
  p.executablePath = "/usr/bin/" + name;
  p.ownerId = kUser;
  p.residentBytes = 2048 * 1024;
  return p;
}

class ZiviTest : public testing::SimSuiteTest {
 protected:
  ZiviTest() {
    sim.system.memoryBytes = MemoryBytes{8192 * kMiB, 2048 * kMiB, 1024 * kMiB, 1024 * kMiB};
    sim.system.disks = {{"/", ""}, {"/home", "Datos"}};
    sim.system.space["/"] = {100ull * 1024 * kMiB, 40ull * 1024 * kMiB};
    sim.system.space["/home"] = {200ull * 1024 * kMiB, 10ull * 1024 * kMiB};
    sim.processes.userId = kUser;
    sim.processes.list = {Process(1, "init"), Process(200, "bash"), Process(300, "editor")};
    sim.processes.list[0].ownerId = 0;
    sim.processes.list[0].executablePath.clear();
    desk.services.list = {{"ssh.service", "OpenBSD Secure Shell server", "/usr/sbin/sshd", 4, 2},
                          {"cups.service", "CUPS Scheduler", "/usr/sbin/cupsd", 1, 3},
                          {"avahi.service", "avahi mDNS", "/usr/sbin/avahi-daemon", 7, 4}};
  }

  CZiviDuvaza& zivi() {
    Utility* u = app->utility(UtilityKind::ZiviDuvaza);
    EXPECT_NE(u, nullptr);
    return *static_cast<CZiviDuvaza*>(u);
  }
  Control& list() { return zivi().window().List(); }
  void run(int code) {
    app->mainWindow()->RunUtilityCommand(UtilityKind::ZiviDuvaza, code);
    desk.loop.deliverPosted();
  }
  std::vector<std::string> column(std::size_t c) {
    std::vector<std::string> out;
    for (const ListRow& r : list().rows) out.push_back(r.cells.at(c));
    return out;
  }
  int rowOf(std::uint32_t pid) {
    for (std::size_t i = 0; i < list().rows.size(); ++i) {
      if (list().rows[i].data == pid) return static_cast<int>(i);
    }
    return -1;
  }
  // Right-clicks a row and chooses a command of its menu by text.
  bool chooseInRowMenu(int row, std::string_view text) {
    zivi().OpenRowMenu(row);
    const bool chosen = desk.menus.chooseText(text);
    desk.loop.deliverPosted();
    return chosen;
  }
  std::vector<std::string> statusLines(std::string_view kind) {
    std::vector<std::string> out;
    std::istringstream report(app->mainWindow()->StatusReport());
    for (std::string line; std::getline(report, line);) {
      if (line.rfind(std::string(kind) + "\t", 0) == 0) out.push_back(line);
    }
    return out;
  }
  void advance(int ms) {
    desk.loop.advanceMs(ms);
    desk.loop.deliverPosted();
  }
};

TEST_F(ZiviTest, CapacityViewShowsMemoryAndDisksWithColouredBars) {
  run(1);
  EXPECT_EQ(zivi().window().title, "Zivi Duvaza - Capacidad de la memoria y de los discos");
  EXPECT_EQ(column(0), (std::vector<std::string>{"Memoria:", "      Memoria física:", "      Archivo de swap:",
                                                 "      Memoria virtual:", "Discos duros:", "      /",
                                                 "      /home [datos]"}));
  EXPECT_EQ(list().rows[1].cells, (std::vector<std::string>{"      Memoria física:", "2.048 MB", "6.144 MB", "8.192 MB", ""}));
  EXPECT_EQ(list().rows[1].barPercent, 75);
  // 2 GB free is above the 512 MB threshold: green. /home has 10 GB free,
  // 95 % used; with the 15 MB default it stays green.
  EXPECT_EQ(list().rows[1].barColour, kBarNormalColour);
  EXPECT_EQ(list().rows[6].barPercent, 95);
  EXPECT_EQ(list().rows[5].cells[3], "100,00 GB");

  // With the threshold in percent, 20 % free: the disk with 5 % free turns
  // red at the next refresh, the one with 60 % stays green.
  app->store().WriteConfigInt("ZiviDuvaza", "MedidaDiscos", 1);
  app->store().WriteConfigInt("ZiviDuvaza", "EspacioLibre", 20);
  sim.system.space["/home"] = {200ull * 1024 * kMiB, 9ull * 1024 * kMiB};
  sim.system.memoryBytes->physicalAvailable = 1024 * kMiB;
  advance(2000);
  EXPECT_EQ(list().rows[6].barPercent, 95);
  EXPECT_EQ(list().rows[6].cells[1], "9,00 GB");
  EXPECT_EQ(list().rows[1].cells[1], "1.024 MB");
  EXPECT_EQ(list().rows[1].barPercent, 87);
  EXPECT_EQ(list().rows[5].barColour, kBarNormalColour);
  sim.system.space["/home"] = {200ull * 1024 * kMiB, 8ull * 1024 * kMiB};
  advance(2000);
  EXPECT_EQ(list().rows[6].barPercent, 96);
  EXPECT_EQ(list().rows[6].barColour, kBarWarningColour);
}

TEST_F(ZiviTest, ProcessViewListsNewestFirstAndFollowsChanges) {
  run(2);
  EXPECT_EQ(zivi().window().title, "Zivi Duvaza - Información de los procesos");
  EXPECT_EQ(column(0), (std::vector<std::string>{"editor", "bash", "init"}));
  EXPECT_EQ(column(1), (std::vector<std::string>{"300", "200", "1"}));
  EXPECT_EQ(list().rows[0].cells[5], "2.048 KB");
  EXPECT_EQ(list().rows[0].tooltip, "/usr/bin/editor");
  EXPECT_EQ(list().rows[0].cells[4], "0%");

  // bash ends, a new process starts and editor uses one second in two;
  // the current row stays on editor.
  list().value = 0;
  sim.processes.list.erase(sim.processes.list.begin() + 1);
  sim.processes.list.push_back(Process(400, "nuevo"));
  sim.processes.list[1].cpuTime = kTimeUnitsPerSecond;
  advance(2000);
  EXPECT_EQ(column(0), (std::vector<std::string>{"nuevo", "editor", "init"}));
  EXPECT_EQ(list().rows[1].cells[3], "00:00:01");
  EXPECT_EQ(list().rows[1].cells[4], "50%");
  EXPECT_EQ(list().value, 1);

  // A reused id is another process: its row is made again.
  sim.processes.list[1] = Process(300, "otro", 2);
  advance(2000);
  EXPECT_EQ(column(0), (std::vector<std::string>{"nuevo", "otro", "init"}));
}

TEST_F(ZiviTest, PriorityAndTerminationThroughTheRowMenu) {
  run(2);
  ASSERT_TRUE(chooseInRowMenu(rowOf(200), "Baja"));
  EXPECT_EQ(sim.processes.list[1].nice, *NiceValueOf(priority_class::Idle));
  EXPECT_EQ(list().rows[static_cast<std::size_t>(rowOf(200))].cells[2], "Baja");
  // The menu marks the class the process has now.
  zivi().OpenRowMenu(rowOf(200));
  EXPECT_TRUE(desk.menus.itemByText("Baja")->checked);
  EXPECT_FALSE(desk.menus.itemByText("Normal")->checked);
  desk.menus.close();

  // A higher priority needs privileges: the refusal is explained.
  ASSERT_TRUE(chooseInRowMenu(rowOf(200), "Alta"));
  ASSERT_FALSE(desk.messageBoxes.shown.empty());
  EXPECT_NE(desk.messageBoxes.shown.back().text.find("privilegios"), std::string::npos);
  EXPECT_EQ(list().rows[static_cast<std::size_t>(rowOf(200))].cells[2], "Baja");

  // Termination asks first; "No" leaves the process.
  desk.messageBoxes.script = {MsgAnswer::No};
  ASSERT_TRUE(chooseInRowMenu(rowOf(300), "Terminar proceso"));
  EXPECT_EQ(desk.messageBoxes.shown.back().caption, "Terminar proceso");
  EXPECT_NE(desk.messageBoxes.shown.back().text.find("\"editor\"?"), std::string::npos);
  EXPECT_TRUE(sim.processes.terminated.empty());
  desk.messageBoxes.script = {MsgAnswer::Yes};
  ASSERT_TRUE(chooseInRowMenu(rowOf(300), "Terminar proceso"));
  EXPECT_EQ(sim.processes.terminated, (std::vector<std::uint32_t>{300}));
  EXPECT_EQ(rowOf(300), -1);

  // Another user's process: the refusal names it.
  desk.messageBoxes.script = {MsgAnswer::Yes};
  ASSERT_TRUE(chooseInRowMenu(rowOf(1), "Terminar proceso"));
  EXPECT_NE(desk.messageBoxes.shown.back().text.find("otro usuario"), std::string::npos);
  EXPECT_NE(rowOf(1), -1);
}

TEST_F(ZiviTest, ModulesReplaceTheProcessesUntilAskedBack) {
  sim.processes.moduleLists[300] = {{"/usr/bin/editor", 0x400000}, {"/usr/lib/libc.so.6", 0x7f0000000000}};
  run(2);
  ASSERT_TRUE(chooseInRowMenu(rowOf(300), "Módulos cargados por el proceso"));
  EXPECT_TRUE(zivi().inModules());
  ASSERT_EQ(list().columns.size(), 2u);
  EXPECT_EQ(column(0), (std::vector<std::string>{"libc.so.6", "editor"}));
  EXPECT_EQ(column(1), (std::vector<std::string>{"0x7F0000000000", "0x00400000"}));
  EXPECT_EQ(list().rows[0].tooltip, "/usr/lib/libc.so.6");
  // The refresh waits while the modules show.
  sim.processes.list.push_back(Process(500, "tarde"));
  advance(4000);
  EXPECT_EQ(list().rows.size(), 2u);
  ASSERT_TRUE(chooseInRowMenu(0, "Mostrar procesos"));
  EXPECT_EQ(column(0).front(), "tarde");

  // A process whose files cannot be read gets the warning.
  ASSERT_TRUE(chooseInRowMenu(rowOf(1), "Módulos cargados por el proceso"));
  EXPECT_EQ(desk.messageBoxes.shown.back().text, "No es posible obtener los modulos cargados por el proceso.");
  EXPECT_FALSE(zivi().inModules());
}

TEST_F(ZiviTest, PermanentRuleRaisesNewInstancesAndSurvivesARestart) {
  sim.processes.privileged = true;
  run(2);
  ASSERT_TRUE(chooseInRowMenu(rowOf(200), "Alta"));  // "Establecer prioridad" comes first
  sim.processes.list[1].nice = 0;
  zivi().OpenRowMenu(rowOf(200));
  const Menu* menu = desk.menus.openMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 5u);
  const MenuItem& always = menu->items[4];
  ASSERT_EQ(always.text, "Cambiar siempre a la prioridad");
  EXPECT_TRUE(always.children.back().checked);  // "Defecto": no rule yet
  ASSERT_TRUE(desk.menus.choose(zivi_cmd::FirstRule + 1));  // "Alta"
  desk.loop.deliverPosted();
  EXPECT_EQ(sim.processes.list[1].nice, *NiceValueOf(priority_class::High));
  CRegKeyEx key(app->store().registry());
  ASSERT_EQ(key.Open(Hive::CurrentUser, ConfigStore::KeyPath("ZiviDuvaza\\AutoPriority")), RegStatus::Ok);
  EXPECT_EQ(key.GetDword("/usr/bin/bash"), priority_class::High);

  // The suite starts again; a new instance of the program (its path in
  // other capitals) is raised within ten seconds.
  app->DeleteUtility(UtilityKind::ZiviDuvaza);
  app->mainWindow()->RefreshUtilities(false, false);
  desk.loop.deliverPosted();
  ProcessRecord second = Process(600, "bash");
  second.executablePath = "/usr/bin/BASH";
  sim.processes.list.push_back(second);
  advance(10'000);
  EXPECT_EQ(sim.processes.list.back().nice, *NiceValueOf(priority_class::High));

  // "Defecto" removes the rule and stops the timer.
  run(2);
  ASSERT_TRUE(chooseInRowMenu(rowOf(200), "Defecto"));
  EXPECT_FALSE(key.GetDword("/usr/bin/bash").has_value());
  EXPECT_FALSE(desk.loop.hasTimer(zivi().handle(), zivi_timer::Rules));
}

TEST_F(ZiviTest, ServicesAreSortedColouredAndControlled) {
  run(4);
  EXPECT_EQ(zivi().window().title, "Zivi Duvaza - Servicios del sistema");
  EXPECT_EQ(column(0), (std::vector<std::string>{"avahi mDNS", "CUPS Scheduler", "OpenBSD Secure Shell server"}));
  EXPECT_EQ(column(2), (std::vector<std::string>{"Pausado", "", "Iniciado"}));
  EXPECT_EQ(column(3), (std::vector<std::string>{"Deshabilitado", "Manual", "Automático"}));
  EXPECT_EQ(list().rows[1].textColour, 0xFFFFFFFFu);
  EXPECT_EQ(list().rows[2].textColour, rgb(0, 0, 192));
  EXPECT_EQ(list().rows[2].data, 4u * 65536 + 2);

  // A paused service cannot be paused again; its start type is marked.
  zivi().OpenRowMenu(0);
  EXPECT_TRUE(desk.menus.itemByText("Pausar")->grayed);
  EXPECT_FALSE(desk.menus.itemByText("Reanudar")->grayed);
  EXPECT_TRUE(desk.menus.itemByText("Deshabilitar")->checked);
  desk.menus.close();

  ASSERT_TRUE(chooseInRowMenu(2, "Detener"));
  EXPECT_EQ(desk.services.calls.back(), "stop ssh.service");
  EXPECT_EQ(list().rows[2].cells[2], "Deteniendo");
  // The next 4-second pass shows the manager's state.
  advance(4000);
  EXPECT_EQ(list().rows[2].cells[2], "");
  EXPECT_EQ(list().rows[2].textColour, 0xFFFFFFFFu);

  // Restart stops, and starts a second later, without a box.
  ASSERT_TRUE(chooseInRowMenu(0, "Reiniciar"));
  EXPECT_EQ(desk.services.calls.back(), "stop avahi.service");
  advance(1000);
  EXPECT_EQ(desk.services.calls.back(), "start avahi.service");

  // A refusal shows the system's words in the error box.
  desk.services.refusal = "Access denied";
  const std::size_t boxes = desk.messageBoxes.shown.size();
  ASSERT_TRUE(chooseInRowMenu(1, "Inicio automático"));
  ASSERT_EQ(desk.messageBoxes.shown.size(), boxes + 1);
  EXPECT_EQ(desk.messageBoxes.shown.back().caption, "Error");
  EXPECT_EQ(desk.messageBoxes.shown.back().text, "Access denied");
  EXPECT_EQ(list().rows[1].cells[3], "Manual");
}

TEST_F(ZiviTest, NoServiceManagerLeavesTheViewAlone) {
  desk.services.present = false;
  run(1);
  run(4);
  EXPECT_EQ(zivi().view(), 0);
}

TEST_F(ZiviTest, StatusShowsTheViewRowsAndTheIconText) {
  EXPECT_TRUE(statusLines("ziviview").empty());
  const auto text = statusLines("zivitext");
  ASSERT_EQ(text.size(), 1u);
  EXPECT_NE(text[0].find("Memoria física libre: 2.048 MB\\nArchivo de swap usado: 0 MB\\nUso de CPU: "),
            std::string::npos);
  run(3);
  const auto view = statusLines("ziviview");
  ASSERT_EQ(view.size(), 1u);
  EXPECT_EQ(view[0], "ziviview\t2\tZivi Duvaza - Información general del sistema");
  const auto rows = statusLines("zivirow");
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[1], "zivirow\t      Sistema Operativo: \tDebian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64");
  const auto status = statusLines("zivistatus");
  ASSERT_EQ(status.size(), 1u);
  EXPECT_EQ(status[0].substr(0, 43), "zivistatus\t Uso de memoria: 6.144 MB (75%) ");

  // Closing stops the window's timers: nothing runs while it is hidden.
  zivi().window().onCloseRequest();
  EXPECT_FALSE(desk.loop.hasTimer(zivi().handle(), zivi_timer::View));
  EXPECT_FALSE(desk.loop.hasTimer(zivi().handle(), zivi_timer::Status));
  EXPECT_TRUE(statusLines("ziviview").empty());
}

TEST_F(ZiviTest, EachViewKeepsItsColumnWidths) {
  run(2);
  list().columns[0].width = 222;
  run(1);
  EXPECT_EQ(list().columns[0].width, 120);
  list().columns[4].width = 99;
  run(2);
  EXPECT_EQ(list().columns[0].width, 222);
  CRegKeyEx key(app->store().registry());
  ASSERT_EQ(key.Open(Hive::CurrentUser, ConfigStore::KeyPath("ZiviDuvaza")), RegStatus::Ok);
  EXPECT_EQ(key.GetDword("ColumnWidth_00_04"), 99u);
  EXPECT_EQ(key.GetDword("ColumnWidth_01_00"), 222u);
  EXPECT_FALSE(key.GetDword("Columna0").has_value());
}

TEST_F(ZiviTest, UsageGraphSamplesOnlyWhileSomethingShowsIt) {
  auto* graph = dynamic_cast<CSysInfoGraphDlg*>(app->window(WindowKind::UsageGraph));
  ASSERT_NE(graph, nullptr);
  // The miniature is on by default: the icon gets the bars.
  EXPECT_TRUE(graph->sampling());
  advance(1000);
  EXPECT_TRUE(app->mainWindow()->icon(5)->image().pixels != nullptr);
  const auto shownPixels = app->mainWindow()->icon(5)->image().pixels;
  advance(3000);
  // Unchanged figures do not repaint the icon.
  EXPECT_EQ(app->mainWindow()->icon(5)->image().pixels, shownPixels);

  app->store().WriteConfigInt("ZiviDuvaza\\SysInfoGraph", "MostrarGraficoEnIcono", 0);
  graph->ApplySettings();
  EXPECT_FALSE(graph->sampling());
  const std::size_t before = graph->samples().size();
  advance(5000);
  EXPECT_EQ(graph->samples().size(), before);

  run(5);
  EXPECT_TRUE(graph->isVisible());
  EXPECT_TRUE(graph->sampling());
  advance(200'000);
  EXPECT_EQ(graph->samples().size(), static_cast<std::size_t>(CSysInfoGraphDlg::kSamples));
  EXPECT_EQ(graph->memoryLabel(), "75% (6.144 MB)");
  run(5);
  EXPECT_FALSE(graph->isVisible());
  EXPECT_FALSE(graph->sampling());
}

}  // namespace
}  // namespace zelvor
