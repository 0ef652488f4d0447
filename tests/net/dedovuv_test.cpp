// Dedo Vuv in the assembled suite on the simulated desktop: dialing from
// the icon's action through the dial window, the log it shows, the programs
// run around a connection, the diary record, retries, adoption of a
// connection made elsewhere, and what `zelvorctl status` reports.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "launchers/entry_lists.h"
#include "net/dedovuv/dedo_vuv.h"
#include "net/dedovuv/dedovuv_pages.h"
#include "net/traffic/traffic_alerts_dialog.h"
#include "shell/hover_tooltip.h"
#include "shell/tray_icon.h"
#include "net/diary/connection_file.h"
#include "platform/messages.h"
#include "shell/principal_dlg.h"
#include "shell/shell_menus.h"
#include "tests/support/sim_suite.h"
#include "tests/support/sim_user.h"

namespace zelvor {
namespace {

using dedovuv::CDedoVuv;
using Lines = std::vector<std::string>;

constexpr int kDedoIcon = 6;
constexpr int kBusy = 676;
// "Conectar/Desconectar a la conexión predeterminada" on a single click.
constexpr int kConnectDisconnectClick = 11;

class DedoVuvTest : public testing::SimSuiteTest {
 protected:
  DedoVuvTest() {
    desk.dialer.entryNames = {"Proveedor", "Trabajo"};
    desk.dialer.modemNames = {"ttyUSB0", "ttyACM0"};
    desk.dialer.deviceOf = {{"Proveedor", "ttyUSB0"}, {"Trabajo", "ttyACM0"}};
    desk.dialer.errorTexts = {{kBusy, "La línea está ocupada."}};
    set("BotonIzquierdo", kConnectDisconnectClick);
    set("Conexion", "Trabajo");
  }

  CDedoVuv& dedo() { return *static_cast<CDedoVuv*>(app->utility(UtilityKind::DedoVuv)); }
  void set(std::string_view name, int value) { app->store().WriteConfigInt("DedoVuv", name, value); }
  void set(std::string_view name, std::string_view text) { app->store().WriteConfigString("DedoVuv", name, text); }
  void click() {
    app->mainWindow()->OnIconMessage(kDedoIcon, msg::LeftUp);
    desk.loop.deliverPosted();
  }
  void press(std::string_view button) {
    ASSERT_TRUE(testing::SimUser(dedo().dialWindow()).press(button)) << button;
    desk.loop.deliverPosted();
  }
  void advance(std::int64_t ms) { desk.loop.advanceMs(ms); }
  Lines log() { return dedo().dialWindow().logLines(); }

  // Programs of DedoVuv\Programas: (description, close on disconnect).
  void programs(const std::vector<std::pair<std::string, bool>>& list) {
    std::vector<ListElement> elements;
    for (const auto& [name, close] : list) {
      const std::string path = sandbox.root() + name;
      std::ofstream(path) << "#!/bin/sh\nexit 0\n";
      std::filesystem::permissions(path, std::filesystem::perms::owner_all);
      ListElement e;
      e.entry.description = name;
      e.entry.program = path;
      e.entry.closeOnDisconnect = close ? 1 : 0;
      elements.push_back(e);
    }
    ASSERT_EQ(SavePrograms(app->store().registry(), EntryList::ConnectPrograms, elements), RegStatus::Ok);
  }
  std::vector<std::string> launched() {
    std::vector<std::string> names;
    for (const LaunchRequest& r : sim.launcher.launched) {
      names.push_back(std::filesystem::path(r.argv.back()).filename().string());
    }
    return names;
  }
  std::vector<diary::CItemDiario> records() {
    std::vector<diary::CItemDiario> got;
    (void)diary::ConnectionFile(sim.files, app->store().GetDataFolder() + "conexion.dat")
        .ReadRecords([&](std::uint64_t, const diary::CItemDiario& r) {
          got.push_back(r);
          return true;
        });
    return got;
  }
  std::vector<std::string> status(std::string_view kind) {
    for (const auto& r : dedo().statusRecords()) {
      if (!r.empty() && r[0] == kind) return r;
    }
    return {};
  }
};

TEST_F(DedoVuvTest, TheIconActionDialsTheDefaultEntryAndHangsItUpIntoTheDiary) {
  programs({{"correo", true}, {"noticias", false}});
  set("CuandoEjecutarProgramas", 1);
  sim.launcher.stillRunning = true;
  // The simulated launcher hands out ids 1, 2, … in launch order.
  for (std::uint32_t pid : {1u, 2u}) {
    ProcessRecord p;
    p.pid = pid;
    p.ownerId = sim.processes.userId;
    sim.processes.list.push_back(p);
  }

  click();
  ASSERT_TRUE(dedo().dialWindow().visible());
  EXPECT_EQ(dedo().dialWindow().title, "Conectar con Trabajo");
  EXPECT_EQ(status("dialwindow"), (Lines{"dialwindow", "shown", "Conectar con Trabajo"}));
  press("&Conectar");
  ASSERT_EQ(desk.dialer.calls.size(), 1u);
  EXPECT_EQ(desk.dialer.calls[0].entry, "Trabajo");
  EXPECT_EQ(dedo().dialWindow().title, "Conectando con Trabajo");
  EXPECT_TRUE(launched().empty()) << "programs wait for the connection";

  const std::int64_t started = sim.clock.now();
  desk.dialer.connect(desk.dialer.lastDial());
  desk.loop.deliverPosted();
  EXPECT_EQ(log(), (Lines{"done Abriendo el puerto", "done Marcando",
                          "done Comprobando nombre de usuario y contraseña", "connected Conectado"}));
  EXPECT_FALSE(dedo().dialWindow().visible());
  EXPECT_EQ(launched(), (std::vector<std::string>{"correo", "noticias"}));
  EXPECT_EQ(status("dialup"), (Lines{"dialup", "Conectado: 00h. 00m. 00s.", "Trabajo"}));
  EXPECT_TRUE(dedo().dialUp().connected);

  advance(65'000);
  EXPECT_EQ(status("dialup")[1], "Conectado: 00h. 01m. 05s.");
  click();  // connected: the same action hangs up
  EXPECT_EQ(status("dialup")[1], "Desconectado");
  ASSERT_EQ(records().size(), 1u);
  EXPECT_EQ(records()[0], (diary::CItemDiario{"ttyACM0", "Trabajo", started, 65}));
  // Only the program marked to close on disconnect is ended.
  EXPECT_EQ(sim.processes.terminated, (std::vector<std::uint32_t>{1}));
}

TEST_F(DedoVuvTest, ProgramsStartWhenDialingOrOnlyWhenConnected) {
  struct Case {
    int when;
    bool connects;
    std::vector<std::string> launched;
  };
  const Case cases[] = {
      {0, false, {"correo"}},  // dialing began: they run even though the dial fails
      {0, true, {"correo"}},
      {1, false, {}},
      {1, true, {"correo"}},  // once, however the connection came
  };
  programs({{"correo", false}});
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "CuandoEjecutarProgramas " << c.when << (c.connects ? " connects" : " fails"));
    sim.launcher.launched.clear();
    set("CuandoEjecutarProgramas", c.when);
    desk.dialer.script["Proveedor"] = {{dial_step::OpeningPort, 0}, {dial_step::ConnectingDevice, 0}};
    app->mainWindow()->OnMenuCommand(menu_id::DedoVuvBase + 20 + 1);  // "Proveedor", after the default
    desk.loop.deliverPosted();
    press("&Conectar");
    if (c.connects) {
      desk.dialer.connect(desk.dialer.lastDial());
    } else {
      desk.dialer.report(desk.dialer.lastDial(), dial_step::Authenticating, kBusy);
    }
    desk.loop.deliverPosted();
    EXPECT_EQ(launched(), c.launched);
    if (c.connects) {
      EXPECT_TRUE(dedo().control().HangUp());
    } else {
      press("Cancelar");
    }
    EXPECT_FALSE(dedo().dialWindow().visible());
  }
}

TEST_F(DedoVuvTest, ThreeAttemptsOnABusyLineShowTwoSeparatorsAndKeepTheWindow) {
  set("Reintentos", 3);
  desk.dialer.script["Trabajo"] = {{dial_step::OpeningPort, 0}, {dial_step::PortOpened, 0},
                                   {dial_step::ConnectingDevice, 0}, {dial_step::ConnectingDevice, kBusy}};
  click();
  press("&Conectar");
  EXPECT_EQ(desk.dialer.calls.size(), 3u);
  const Lines attempt{"done Abriendo el puerto", "done Marcando", "cross La línea está ocupada."};
  Lines expected;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) expected.push_back("none -------------------");
    expected.insert(expected.end(), attempt.begin(), attempt.end());
  }
  EXPECT_EQ(log(), expected);
  EXPECT_TRUE(dedo().dialWindow().visible());
  EXPECT_EQ(dedo().dialWindow().title, "Conectar con Trabajo");
  EXPECT_TRUE(records().empty());
}

TEST_F(DedoVuvTest, AConnectionMadeElsewhereIsAdoptedWithinFiveSecondsAndRecorded) {
  const ConnectionHandle other = desk.dialer.connectElsewhere("Proveedor", "ttyUSB0");
  advance(5'000);
  EXPECT_EQ(dedo().control().Connection(), other);
  EXPECT_EQ(status("dialup"), (Lines{"dialup", "Conectado: 00h. 00m. 00s.", "Proveedor"}));
  EXPECT_FALSE(dedo().dialWindow().visible()) << "adoption shows no window";
  const std::int64_t adopted = sim.clock.now();
  advance(20'000);
  desk.dialer.dropLine(other);
  advance(5'000);
  EXPECT_EQ(status("dialup")[1], "Desconectado");
  ASSERT_EQ(records().size(), 1u);
  EXPECT_EQ(records()[0], (diary::CItemDiario{"ttyUSB0", "Proveedor", adopted, 25}));
}

TEST_F(DedoVuvTest, ADroppedLineIsRedialedWithTheWindowWhenAutoReconectar) {
  set("AutoReconectar", 1);
  click();
  press("&Conectar");
  desk.dialer.connect(desk.dialer.lastDial());
  desk.loop.deliverPosted();
  desk.dialer.dropLine(desk.dialer.lastDial());
  advance(5'000);
  EXPECT_EQ(desk.dialer.calls.size(), 2u);
  EXPECT_EQ(desk.dialer.calls[1].entry, "Trabajo");
  EXPECT_TRUE(dedo().dialWindow().visible());
  EXPECT_EQ(records().size(), 1u);
}

TEST_F(DedoVuvTest, TheDialWindowAnimatesWhileShownOnly) {
  std::vector<int> frames;
  click();
  for (int i = 0; i < 8; ++i) {
    frames.push_back(dedo().dialWindow().frame());
    advance(700);
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 2, 1, 0, 1}));
  press("Cancelar");
  const int stopped = dedo().dialWindow().frame();
  advance(2'100);
  EXPECT_EQ(dedo().dialWindow().frame(), stopped);
}

TEST_F(DedoVuvTest, TheMenuCommandsReachTheEditorsOrSayNoneIsInstalled) {
  app->mainWindow()->OnMenuCommand(menu_id::DedoVuvBase + 4);
  app->mainWindow()->OnMenuCommand(menu_id::DedoVuvBase + 3);
  app->mainWindow()->OnMenuCommand(menu_id::DedoVuvBase + 40 + 1);  // properties of "Proveedor"
  EXPECT_EQ(desk.dialer.editorCalls, (std::vector<std::string>{"new", "folder", "edit Proveedor"}));

  desk.dialer.editorInstalled = false;
  app->mainWindow()->OnMenuCommand(menu_id::DedoVuvBase + 4);
  ASSERT_FALSE(desk.messageBoxes.shown.empty());
  EXPECT_EQ(desk.messageBoxes.shown.back().text, "Error al cargar el Acceso telefónico a redes.");
}

}  // namespace
}  // namespace zelvor

namespace zelvor {
namespace {

// A page of the configuration window on its own: built, loaded, edited the
// way a binding reports it, saved.
class DedoVuvPagesTest : public testing::SimSuiteTest {
 protected:
  template <typename Page>
  void open(Page& page) {
    root = page.Build();
    page.Load(app->store(), root);
  }
  void choose(CConfDialog& page, int id, int index) {
    Control& c = *root.find(id);
    c.value = index;
    (void)page.OnEvent({ControlEvent::Kind::Changed, id}, root);
  }
  void type(CConfDialog& page, int id, std::string text) {
    root.find(id)->text = std::move(text);
    (void)page.OnEvent({ControlEvent::Kind::Changed, id}, root);
  }
  std::string meter(std::string_view name) { return app->store().ReadConfigString("DedoVuv\\TrafficMeter", name); }

  Control root;
};

TEST_F(DedoVuvPagesTest, TheConnectionTypeSetsTheScale) {
  struct Case {
    int type;
    std::string typed;  // bits per second, for the custom entry
    std::string field, shown;
    std::string storedSpeed, storedMax;
  };
  const Case cases[] = {
      {6, "", "262144", "32.0 KB/s", "262144", "3"},
      {1, "81920", "81920", "10.0 KB/s", "81920", "3"},
      {2, "", "34406", "4.2 KB/s", "34406", "3"},
      {0, "", "34406", "", "0", "1"},  // back to adapting: the graph starts small
      {0, "", "0", "", "0", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    dedovuv::CTrafficMeterPage page(*app, 5000);
    open(page);
    choose(page, 5000 + page.kType, c.type);
    if (!c.typed.empty()) type(page, 5000 + page.kSpeed, c.typed);
    EXPECT_EQ(root.find(5000 + page.kSpeed)->text, c.field);
    EXPECT_EQ(root.find(5000 + page.kSpeedKBs)->text, c.shown);
    EXPECT_EQ(root.find(5000 + page.kSpeed)->enabled, c.type == 1);
    page.Save(app->store(), root);
    EXPECT_EQ(meter("ConnectionSpeed"), c.storedSpeed);
    EXPECT_EQ(meter("MaxSpeed"), c.storedMax);
    EXPECT_EQ(meter("ConnectionType"), std::to_string(c.type));
  }
}

TEST_F(DedoVuvPagesTest, TheMeterPageListsInterfacesButTheLoopbackAndStoresTheChosenIndex) {
  sim.netCounters.table = {{1, "lo", true, 0, 0}, {4, "eth0", false, 0, 0}, {9, "ppp0", false, 0, 0}};
  dedovuv::CTrafficMeterPage page(*app, 5000);
  open(page);
  EXPECT_EQ(root.find(5000 + page.kInterface)->items,
            (std::vector<std::string>{"Todos los adaptadores de red", "eth0", "ppp0"}));
  choose(page, 5000 + page.kInterface, 2);
  type(page, 5000 + page.kHideOnIdleMax, "2.25");
  page.Save(app->store(), root);
  EXPECT_EQ(meter("NetworkIf"), "9");
  EXPECT_EQ(meter("HideOnIdleMax"), "2.2");
}

TEST_F(DedoVuvPagesTest, TheProgramsPageStoresWhenTheyRun) {
  dedovuv::CDedoVuvProgramsPage page(7000);
  open(page);
  EXPECT_TRUE(root.find(7000 + page.kRun)->checked);
  EXPECT_TRUE(root.find(7000 + page.kWhenDialing)->checked);
  root.find(7000 + page.kWhenDialing)->checked = false;
  root.find(7000 + page.kWhenConnected)->checked = true;
  (void)page.OnEvent({ControlEvent::Kind::Clicked, 7000 + page.kWhenConnected}, root);
  root.find(7000 + page.kRun)->checked = false;
  (void)page.OnEvent({ControlEvent::Kind::Clicked, 7000 + page.kRun}, root);
  EXPECT_FALSE(root.find(7000 + page.kWhenConnected)->enabled);
  page.Save(app->store(), root);
  EXPECT_EQ(app->store().ReadConfigString("DedoVuv", "EjecutarProgramas"), "0");
  EXPECT_EQ(app->store().ReadConfigString("DedoVuv", "CuandoEjecutarProgramas"), "1");
}

}  // namespace
}  // namespace zelvor

namespace zelvor {
namespace {

class DedoVuvServiceTest : public DedoVuvTest {};

TEST_F(DedoVuvServiceTest, TheRecordOutlivesTheServiceGoingAwayAndEndsWhenItAnswersAgain) {
  const ConnectionHandle line = desk.dialer.connectElsewhere("Proveedor", "ttyUSB0");
  advance(5'000);
  const std::int64_t adopted = sim.clock.now();
  desk.dialer.present = false;  // the service stops while the line is up
  advance(30'000);
  EXPECT_TRUE(records().empty()) << "nothing is known of the line yet";
  EXPECT_EQ(dedo().control().Connection(), line);
  desk.dialer.dropLine(line);
  desk.dialer.present = true;  // back, and the line is gone
  advance(5'000);
  ASSERT_EQ(records().size(), 1u);
  EXPECT_EQ(records()[0], (diary::CItemDiario{"ttyUSB0", "Proveedor", adopted, 35}));
}

}  // namespace
}  // namespace zelvor

namespace zelvor {
namespace {

class DedoVuvTrafficTest : public DedoVuvTest {
 protected:
  DedoVuvTrafficTest() {
    sim.netCounters.table = {{1, "lo", true, 0, 0}, {2, "eth0", false, 0, 0}, {5, "ppp0", false, 0, 0}};
  }
  NetInterface& eth0() { return sim.netCounters.table[1]; }
  // Two seconds of the meter with this download speed on eth0.
  void downloading(double kbs) {
    eth0().receivedBytes += static_cast<std::uint64_t>(kbs * 2048);
    advance(2'000);
  }
  const std::string& notice() { return app->mainWindow()->tooltip().html(); }
};

TEST_F(DedoVuvTrafficTest, TheAlertsDialogSetsLimitsWhoseNoticeAndSoundFollowTheSpeed) {
  const std::string sound = sandbox.root() + "alerta.wav";
  std::ofstream(sound) << "RIFF";
  desk.dialogs.onModal = [&](WindowModel& dialog) {
    EXPECT_EQ(dialog.className, "CTrafficAlertsDlg");
    testing::SimUser user(dialog);
    user.click(traffic::alerts_id::DownloadBelowOn);
    user.setValue(traffic::alerts_id::DownloadBelow, 5);
    user.type(traffic::alerts_id::Sound, sound);
    user.click(traffic::alerts_id::Repeat);
    return 1;  // "Aceptar"
  };
  app->mainWindow()->OnMenuCommand(menu_id::DedoVuvBase + 8);
  EXPECT_EQ(sim.registry.queryValue(Hive::CurrentUser, ConfigStore::KeyPath("DedoVuv\\TrafficAlerts"), "BajadaInferior"),
            RegValue::dword(5));
  const auto alerts = traffic::LoadAlertSettings(app->store());
  EXPECT_TRUE(alerts.downloadBelow.inForce());
  EXPECT_EQ(alerts.downloadBelow.limit, 5);

  downloading(8);
  downloading(3);
  EXPECT_TRUE(dedo().alertShown());
  EXPECT_NE(notice().find("Alerta por tráfico en la red"), std::string::npos);
  EXPECT_NE(notice().find("La velocidad de descarga es inferior a 5 KB/s"), std::string::npos);
  ASSERT_FALSE(desk.sound.plays.empty());
  EXPECT_EQ(desk.sound.plays.back().file, sound);
  EXPECT_TRUE(desk.sound.plays.back().loop);
  downloading(9);
  EXPECT_FALSE(dedo().alertShown()) << "the speed is back above the limit";
}

TEST_F(DedoVuvTrafficTest, TheMeterWindowTogglesShowsTheTextsAndMeasuresTheChosenInterface) {
  app->mainWindow()->OnMenuCommand(menu_id::DedoVuvBase + 7);
  ASSERT_TRUE(dedo().meterWindow().Visible());
  advance(1'000);  // the first tick takes the totals so far as its base
  downloading(4);
  EXPECT_EQ(status("traffic"), (Lines{"traffic", "shown", "4.0 KB/s - 0.01 MB", "0.0 KB/s - 0.00 MB"}));
  EXPECT_EQ(app->mainWindow()->icon(kDedoIcon)->image().pixels != nullptr, true) << "bars drawn into the icon";

  const Menu menu = dedo().meterWindow().InterfacesMenu();
  ASSERT_EQ(menu.items.size(), 3u);
  EXPECT_EQ(menu.items[0].text, "Todos los adaptadores de red");
  EXPECT_TRUE(menu.items[0].checked);
  EXPECT_EQ(menu.items[2].text, "ppp0");
  dedo().meterWindow().onMessage(msg::Command, menu.items[2].id, 0);
  EXPECT_EQ(dedo().meter().SelectedInterface(), 5);
  advance(1'000);
  downloading(4);  // eth0's traffic no longer counts
  EXPECT_EQ(status("traffic")[2], "0.0 KB/s - 0.00 MB");

  app->mainWindow()->OnMenuCommand(menu_id::DedoVuvBase + 7);
  EXPECT_FALSE(dedo().meterWindow().Visible());
  EXPECT_EQ(status("traffic")[1], "hidden");
}

TEST_F(DedoVuvTrafficTest, WithoutCountersTheMeterSaysSoInsteadOfShowing) {
  sim.netCounters.present = false;
  app->store().SetEnabled("DedoVuv", false);
  app->mainWindow()->RefreshUtilities(false, false);
  app->store().SetEnabled("DedoVuv", true);
  app->mainWindow()->RefreshUtilities(false, false);
  desk.loop.deliverPosted();
  app->mainWindow()->OnMenuCommand(menu_id::DedoVuvBase + 7);
  EXPECT_FALSE(dedo().meterWindow().Visible());
  ASSERT_FALSE(desk.messageBoxes.shown.empty());
  EXPECT_EQ(desk.messageBoxes.shown.back().text.rfind("No se ha podido cargar la librería iphlpapi.dll.", 0), 0u);
}

}  // namespace
}  // namespace zelvor

namespace zelvor {
namespace {

TEST_F(DedoVuvTest, WithoutTheServiceTheFirstConnectionCommandSaysSoAndDropsTheIcon) {
  desk.dialer.present = false;
  desk.dialer.missingText = "No se encuentra NetworkManager en el bus del sistema.";
  advance(10'000);
  EXPECT_TRUE(desk.messageBoxes.shown.empty()) << "nothing is said before the user asks";
  app->mainWindow()->OnMenuCommand(menu_id::DedoVuvBase + 4);
  desk.loop.deliverPosted();
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(desk.messageBoxes.shown[0].text, "No se encuentra NetworkManager en el bus del sistema.");
  EXPECT_EQ(desk.messageBoxes.shown[0].caption, "Zelvor");
  EXPECT_FALSE(app->store().IsEnabled("DedoVuv"));
  EXPECT_EQ(app->utility(UtilityKind::DedoVuv), nullptr);
  EXPECT_FALSE(app->mainWindow()->shown(UtilityKind::DedoVuv));
}

}  // namespace
}  // namespace zelvor

namespace zelvor {
namespace {

TEST_F(DedoVuvTest, TheProgramsTabRunsTheCheckedProgramsOncePerConnection) {
  programs({{"correo", false}, {"noticias", false}});
  set("CuandoEjecutarProgramas", 1);
  click();
  dedovuv::CDialWindow& window = dedo().dialWindow();
  Control& list = *window.find(dedovuv::dial_id::Programs);
  ASSERT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[1].cells, (std::vector<std::string>{"noticias"}));
  list.rows[0].checked = false;  // the user unchecks "correo"
  window.onEvent({ControlEvent::Kind::Changed, dedovuv::dial_id::Programs, 0});
  press("&Ejecutar ahora");
  EXPECT_EQ(launched(), (std::vector<std::string>{"noticias"}));
  EXPECT_FALSE(list.enabled);
  EXPECT_FALSE(window.find(dedovuv::dial_id::RunNow)->enabled);
  press("&Conectar");
  desk.dialer.connect(desk.dialer.lastDial());
  desk.loop.deliverPosted();
  EXPECT_EQ(launched(), (std::vector<std::string>{"noticias"})) << "not again when connected";
}

}  // namespace
}  // namespace zelvor
