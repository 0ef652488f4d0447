// Dedo Vuv in the assembled suite over the NetworkManager binding, against
// python3-dbusmock's NetworkManager on a bus of the test's own: the icon's
// "Conectar/Desconectar" action dials the default profile, the log shows
// the mapped progress, the programs run and end, the diary gets the call, a
// connection made by another client is adopted, and a profile that always
// fails gives three attempts with two separators.

#include <gtest/gtest.h>

#include <QDBusObjectPath>

#include <filesystem>
#include <fstream>

#include "app/assembly/suite_components.h"
#include "launchers/entry_lists.h"
#include "net/dedovuv/dedo_vuv.h"
#include "net/diary/connection_file.h"
#include "platform/messages.h"
#include "platform/nm/nm_dialer.h"
#include "platform/posix/posix_launcher.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"
#include "tests/support/nm_mock.h"

namespace zelvor {
namespace {

using testing::kNmModem;
using testing::kNmPath;
using testing::kNmService;
using Lines = std::vector<std::string>;

constexpr int kDedoIcon = 6;

class DedoVuvOverNetworkManagerTest : public ::testing::Test {
 protected:
  DedoVuvOverNetworkManagerTest() : sim(sandbox.root()), desk(sim.clock), instance(world, 9), components("test") {}

  void SetUp() override {
    if (!testing::PrivateBus::toolsInstalled()) GTEST_SKIP() << "dbus-daemon or python3-dbusmock is not installed";
    nm = std::make_unique<testing::NmMock>(sandbox);
    ASSERT_TRUE(nm->connected());
    ASSERT_TRUE(nm->start(desk.loop));
    broken = nm->addProfile(QStringLiteral("Averiado"), QStringLiteral("gsm"));
    // Activations come up at once on the modem, except the broken profile's,
    // which NetworkManager refuses.
    nm->mock(kNmPath, QStringLiteral("AddMethod"),
             {kNmService, QStringLiteral("ActivateConnection"), QStringLiteral("ooo"), QStringLiteral("o"),
              QStringLiteral("import time\n"
                             "if args[0] == '%3':\n"
                             "    raise dbus.exceptions.DBusException('La línea está ocupada', "
                             "name='org.freedesktop.NetworkManager.Failed')\n"
                             "name = 'c%1' % time.monotonic_ns()\n"
                             "ret = dbus.ObjectPath(self.AddActiveConnection(['%2'], args[0], '/', name, dbus.UInt32(2)))")
                  .arg(QStringLiteral("%d"), kNmModem, broken)});
    profile = nm->addProfile(QStringLiteral("Móvil"), QStringLiteral("gsm"));
    nmDialer = std::make_unique<nm::NmDialer>(desk.loop, launcher, nm->connection());
    ASSERT_TRUE(waitFor([&] { return nmDialer->available() && nmDialer->settled(); }));

    options.install.systemProgramFolder = "/usr/bin/";
    options.environment = [](std::string_view) -> std::optional<std::string> { return std::nullopt; };
    const Desktop d = desk.desktop();
    Desktop desktop{d.loop, d.tray, d.menus, d.messageBoxes, d.dialogs, d.screen,
                    d.sound, d.hotkeys, d.clipboard, *nmDialer, d.printer, d.power, d.services};
    app = std::make_unique<CZelvorApp>(sim.platform(), desktop, instance, components, options);
    ASSERT_TRUE(app->InitInstance({}).running);
    desk.loop.deliverPosted();
    set("BotonIzquierdo", "11");  // "Conectar/Desconectar a la conexión predeterminada", one click
    set("Conexion", "Móvil");
    set("AutoConectar", "1");
  }
  void TearDown() override {
    if (app) app->ExitInstance();
    app.reset();
    nmDialer.reset();
    nm.reset();
  }

  bool waitFor(const std::function<bool()>& done) { return nm->waitFor(desk.loop, done); }
  void set(std::string_view name, std::string_view text) { app->store().WriteConfigString("DedoVuv", name, text); }
  dedovuv::CDedoVuv& dedo() { return *static_cast<dedovuv::CDedoVuv*>(app->utility(UtilityKind::DedoVuv)); }
  void click() {
    app->mainWindow()->OnIconMessage(kDedoIcon, msg::LeftUp);
    desk.loop.deliverPosted();
  }
  std::string state() { return dedo().statusRecords().at(0).at(1); }
  std::vector<diary::CItemDiario> records() {
    std::vector<diary::CItemDiario> got;
    (void)diary::ConnectionFile(sim.files, app->store().GetDataFolder() + "conexion.dat")
        .ReadRecords([&](std::uint64_t, const diary::CItemDiario& r) {
          got.push_back(r);
          return true;
        });
    return got;
  }

  testing::Sandbox sandbox;
  SimPlatform sim;
  SimDesktop desk;
  SimInstanceWorld world;
  SimSingleInstance instance;
  SuiteComponents components;
  AppOptions options;
  std::unique_ptr<testing::NmMock> nm;
  PosixLauncher launcher;
  QString profile, broken;
  std::unique_ptr<nm::NmDialer> nmDialer;
  std::unique_ptr<CZelvorApp> app;
};

TEST_F(DedoVuvOverNetworkManagerTest, TheIconActionDialsAndHangsUpAProfileIntoTheDiary) {
  ListElement program;
  program.entry.description = "correo";
  program.entry.program = "/usr/bin/true";
  program.entry.closeOnDisconnect = 1;
  ASSERT_EQ(SavePrograms(app->store().registry(), EntryList::ConnectPrograms, {program}), RegStatus::Ok);
  set("CuandoEjecutarProgramas", "1");
  sim.launcher.stillRunning = true;
  ProcessRecord running;
  running.pid = 1;
  running.ownerId = sim.processes.userId;
  sim.processes.list.push_back(running);

  const std::int64_t dialed = sim.clock.now();
  click();
  ASSERT_TRUE(waitFor([&] { return nmDialer->settled() && state() != "Desconectado" && !dedo().control().Dialing(); }));
  const Lines log = dedo().dialWindow().logLines();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "done Abriendo el puerto");
  EXPECT_NE(std::find(log.begin(), log.end(), "done Comprobando nombre de usuario y contraseña"), log.end());
  EXPECT_EQ(log.back(), "connected Conectado");
  EXPECT_FALSE(dedo().dialWindow().visible());
  ASSERT_EQ(sim.launcher.launched.size(), 1u);
  EXPECT_EQ(sim.launcher.launched[0].argv.front(), "/usr/bin/true");

  desk.loop.advanceMs(65'000);
  ASSERT_TRUE(waitFor([&] { return nmDialer->settled(); }));
  EXPECT_EQ(state(), "Conectado: 00h. 01m. 05s.");
  click();  // the same action hangs up
  ASSERT_EQ(records().size(), 1u);
  EXPECT_EQ(records()[0], (diary::CItemDiario{"ttyUSB0", "Móvil", dialed, 65}));
  EXPECT_EQ(sim.processes.terminated, (std::vector<std::uint32_t>{1}));
  ASSERT_TRUE(waitFor([&] { return nmDialer->settled() && state() == "Desconectado"; }));
}

TEST_F(DedoVuvOverNetworkManagerTest, AConnectionActivatedByAnotherClientIsAdoptedWithinFiveSeconds) {
  const QDBusMessage up = nm->expectCall(kNmPath, kNmService, QStringLiteral("ActivateConnection"),
                                         {QVariant::fromValue(QDBusObjectPath(profile)),
                                          QVariant::fromValue(QDBusObjectPath(kNmModem)),
                                          QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")))});
  ASSERT_EQ(up.type(), QDBusMessage::ReplyMessage);
  ASSERT_TRUE(waitFor([&] { return nmDialer->settled() && !nmDialer->connections().empty(); }));
  desk.loop.advanceMs(5'000);
  EXPECT_EQ(dedo().statusRecords().at(0), (Lines{"dialup", "Conectado: 00h. 00m. 00s.", "Móvil"}));
}

TEST_F(DedoVuvOverNetworkManagerTest, AProfileThatAlwaysFailsGetsThreeAttemptsAndTwoSeparators) {
  set("Conexion", "Averiado");
  set("Reintentos", "3");
  click();
  ASSERT_TRUE(waitFor([&] {
    const Lines log = dedo().dialWindow().logLines();
    return std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("cross ", 0) == 0; }) == 3;
  }));
  const Lines log = dedo().dialWindow().logLines();
  EXPECT_EQ(std::count(log.begin(), log.end(), "none -------------------"), 2);
  EXPECT_EQ(std::count(log.begin(), log.end(), "cross La línea está ocupada"), 3);
  EXPECT_TRUE(dedo().dialWindow().visible());
  EXPECT_TRUE(records().empty());
}

}  // namespace
}  // namespace zelvor

namespace zelvor {
namespace {

TEST_F(DedoVuvOverNetworkManagerTest, NetworkManagerRestartingKeepsTheRecordUntilTheLineIsKnownAgain) {
  const std::int64_t dialed = sim.clock.now();
  click();
  ASSERT_TRUE(waitFor([&] { return nmDialer->settled() && state() != "Desconectado" && !dedo().control().Dialing(); }));
  nm->stop();
  ASSERT_TRUE(waitFor([&] { return !nmDialer->available(); }));
  desk.loop.advanceMs(20'000);
  EXPECT_TRUE(records().empty()) << "the line's fate is unknown while NetworkManager is away";
  // A fresh NetworkManager knows of no active connection: the call ended.
  ASSERT_TRUE(nm->start(desk.loop));
  ASSERT_TRUE(waitFor([&] { return nmDialer->available() && nmDialer->settled(); }));
  desk.loop.advanceMs(5'000);
  ASSERT_EQ(records().size(), 1u);
  EXPECT_EQ(records()[0].connection, "Móvil");
  EXPECT_EQ(records()[0].start, dialed);
  EXPECT_EQ(records()[0].duration, 25);
}

}  // namespace
}  // namespace zelvor
