// The NetworkManager binding against python3-dbusmock's NetworkManager on a
// bus of the test's own.

#include "platform/nm/nm_dialer.h"

#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>

#include "platform/nm/nm_reasons.h"
#include "platform/posix/posix_launcher.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_event_loop.h"
#include "tests/support/nm_mock.h"
#include "tests/support/sandbox.h"

namespace zelvor::nm {
namespace {

using SettingsMap = testing::NmSettingsMap;
using testing::kNmPath;
const QString kNm = testing::kNmService;
const QString kDevice = testing::kNmModem;
const QString kActiveIface = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString kDeviceIface = QStringLiteral("org.freedesktop.NetworkManager.Device");

class Reports : public MessageTarget {
 public:
  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override {
    if (message == msg::DialProgress) got.push_back(DialReport::decode(wparam, lparam));
  }
  void onTimer(int) override {}
  std::vector<DialReport> got;
};

class NmDialerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::PrivateBus::toolsInstalled()) GTEST_SKIP() << "dbus-daemon or python3-dbusmock is not installed";
    nm = std::make_unique<testing::NmMock>(sandbox);
    ASSERT_TRUE(nm->connected());
    target = loop.addTarget(reports);
  }
  void TearDown() override {
    dialer.reset();
    nm.reset();
  }

  void startNetworkManager() { ASSERT_TRUE(nm->start(loop)); }
  void makeDialer() {
    dialer = std::make_unique<NmDialer>(loop, launcher, nm->connection());
    ASSERT_TRUE(waitFor([&] { return dialer->available() && dialer->settled(); }));
  }
  bool waitFor(const std::function<bool()>& done) { return nm->waitFor(loop, done); }
  bool settle() {
    return waitFor([&] { return dialer->settled(); });
  }
  // Activations that stay "activating" on the modem until the test moves them.
  void holdActivations() {
    (void)nm->mock(kNmPath, "AddMethod",
               {kNm, QStringLiteral("ActivateConnection"), QStringLiteral("ooo"), QStringLiteral("o"),
                QStringLiteral("p = self.AddActiveConnection([], args[0], '/', 'marcado', dbus.UInt32(1))\n"
                               "objects[p].Set('%1', 'Devices', dbus.Array([dbus.ObjectPath('%2')], signature='o'))\n"
                               "ret = dbus.ObjectPath(p)")
                    .arg(kActiveIface, kDevice)});
  }
  void emitOn(const QString& path, const QString& iface, const QString& name, const QString& signature,
              const QVariantList& args) {
    (void)nm->mock(path, "EmitSignal", {iface, name, signature, QVariant(args)});
  }
  void deviceState(std::uint32_t state, std::uint32_t old, std::uint32_t reason) {
    emitOn(kDevice, kDeviceIface, QStringLiteral("StateChanged"), QStringLiteral("uuu"), {state, old, reason});
  }
  std::vector<int> steps() const {
    std::vector<int> out;
    for (const DialReport& r : reports.got) out.push_back(r.step);
    return out;
  }

  testing::Sandbox sandbox;
  std::unique_ptr<testing::NmMock> nm;
  SimClock clock;
  SimEventLoop loop{clock};
  PosixLauncher launcher;
  Reports reports;
  WindowHandle target = 0;
  std::unique_ptr<NmDialer> dialer;
};

TEST_F(NmDialerTest, ListsTheDialUpProfilesInNetworkManagersOrderAndItsDevices) {
  startNetworkManager();
  SettingsMap gsm;
  gsm[QStringLiteral("gsm")][QStringLiteral("username")] = QStringLiteral("ana");
  nm->addProfile(QStringLiteral("Móvil"), QStringLiteral("gsm"), gsm);
  nm->addProfile(QStringLiteral("Cable"), QStringLiteral("802-3-ethernet"));
  nm->addProfile(QStringLiteral("ADSL"), QStringLiteral("pppoe"));
  nm->addProfile(QStringLiteral("Casa"), QStringLiteral("802-11-wireless"));
  nm->addProfile(QStringLiteral("Oficina"), QStringLiteral("vpn"));
  SettingsMap pan, dun;
  pan[QStringLiteral("bluetooth")][QStringLiteral("type")] = QStringLiteral("panu");
  dun[QStringLiteral("bluetooth")][QStringLiteral("type")] = QStringLiteral("dun");
  nm->addProfile(QStringLiteral("Auriculares"), QStringLiteral("bluetooth"), pan);
  nm->addProfile(QStringLiteral("Teléfono"), QStringLiteral("bluetooth"), dun);
  makeDialer();
  EXPECT_EQ(dialer->entries(), (std::vector<std::string>{"Móvil", "ADSL", "Oficina", "Teléfono"}));
  EXPECT_EQ(dialer->modems(), std::vector<std::string>{"ttyUSB0"});
  EXPECT_EQ(dialer->dialParams("Móvil").userName, "ana");
  EXPECT_FALSE(dialer->dialParams("Móvil").passwordStored);
  EXPECT_TRUE(dialer->connections().empty());

  // A profile added later shows up by NetworkManager's signal.
  nm->addProfile(QStringLiteral("Otro"), QStringLiteral("cdma"));
  ASSERT_TRUE(waitFor([&] { return dialer->entries().size() == 5; }));
  EXPECT_EQ(dialer->entries().back(), "Otro");
}

TEST_F(NmDialerTest, ADialReportsTheDeviceStatesAsStepsUntilConnected) {
  startNetworkManager();
  nm->addProfile(QStringLiteral("Móvil"), QStringLiteral("gsm"));
  holdActivations();
  makeDialer();
  const DialStart started = dialer->dial("Móvil", {}, target);
  ASSERT_NE(started.handle, 0);
  ASSERT_TRUE(settle());
  loop.deliverPosted();
  EXPECT_EQ(steps(), std::vector<int>{dial_step::OpeningPort});
  EXPECT_EQ(dialer->connections(), std::vector<ConnectionHandle>{started.handle});
  ASSERT_TRUE(dialer->status(started.handle).has_value());
  EXPECT_FALSE(dialer->status(started.handle)->connected);

  struct Case {
    std::uint32_t state;
    std::vector<int> steps;
  };
  const std::vector<Case> cases = {
      {40, {0}},
      {50, {0, 1, 2}},
      {70, {0, 1, 2, 3, 4, 5}},
      {100, {0, 1, 2, 3, 4, 5, 14}},
  };
  std::uint32_t old = 30;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    deviceState(c.state, old, 0);
    old = c.state;
    ASSERT_TRUE(waitFor([&] { return steps() == c.steps; })) << ::testing::PrintToString(steps());
  }
  // The active connection comes up: NetworkManager says so by signal and property.
  const QString active = QStringLiteral("/org/freedesktop/NetworkManager/ActiveConnection/marcado");
  (void)nm->mock(kNmPath, "SetProperty", {active, kActiveIface, QStringLiteral("State"),
                                       QVariant::fromValue(QDBusVariant(QVariant::fromValue(2u)))});
  emitOn(active, kActiveIface, QStringLiteral("StateChanged"), QStringLiteral("uu"), {2u, 1u});
  ASSERT_TRUE(waitFor([&] { return !reports.got.empty() && reports.got.back().step == dial_step::Connected; }));
  EXPECT_EQ(steps(), (std::vector<int>{0, 1, 2, 3, 4, 5, 14, dial_step::Connected}));
  for (const DialReport& r : reports.got) {
    EXPECT_EQ(r.handle, started.handle);
    EXPECT_EQ(r.error, 0);
  }
  ASSERT_TRUE(waitFor([&] { return dialer->settled() && dialer->status(started.handle)->connected; }));
  const auto status = dialer->status(started.handle);
  EXPECT_EQ(status->entry, "Móvil");
  EXPECT_EQ(status->device, "ttyUSB0");
  EXPECT_EQ(status->interfaceName, "ttyUSB0");
}

TEST_F(NmDialerTest, AFailedDeviceEndsTheDialWithNetworkManagersReason) {
  startNetworkManager();
  nm->addProfile(QStringLiteral("Móvil"), QStringLiteral("gsm"));
  holdActivations();
  makeDialer();
  const DialStart started = dialer->dial("Móvil", {}, target);
  ASSERT_TRUE(settle());
  deviceState(50, 30, 0);
  deviceState(120, 50, 23);  // NM_DEVICE_STATE_REASON_MODEM_BUSY
  ASSERT_TRUE(waitFor([&] { return !reports.got.empty() && reports.got.back().error != 0; }));
  const DialReport last = reports.got.back();
  EXPECT_EQ(last.handle, started.handle);
  EXPECT_EQ(last.step, dial_step::Disconnected);
  EXPECT_EQ(dialer->errorText(last.error), "La línea está ocupada.");
  // Nothing more is reported for it, whatever the device does next.
  const std::size_t count = reports.got.size();
  deviceState(30, 120, 0);
  ASSERT_TRUE(settle());
  loop.deliverPosted();
  EXPECT_EQ(reports.got.size(), count);
}

TEST_F(NmDialerTest, AnActivationRefusedByNetworkManagerEndsWithItsMessage) {
  startNetworkManager();
  nm->addProfile(QStringLiteral("Móvil"), QStringLiteral("gsm"));
  (void)nm->mock(kNmPath, "AddMethod",
             {kNm, QStringLiteral("ActivateConnection"), QStringLiteral("ooo"), QStringLiteral("o"),
              QStringLiteral("raise dbus.exceptions.DBusException('No hay ningún módem disponible', "
                             "name='org.freedesktop.NetworkManager.UnknownDevice')")});
  makeDialer();
  const DialStart started = dialer->dial("Móvil", {}, target);
  ASSERT_NE(started.handle, 0);
  ASSERT_TRUE(waitFor([&] { return reports.got.size() == 2; }));
  EXPECT_EQ(reports.got[1].step, dial_step::Disconnected);
  EXPECT_EQ(dialer->errorText(reports.got[1].error), "No hay ningún módem disponible");
  // An entry NetworkManager does not have cannot be dialed at all.
  const DialStart unknown = dialer->dial("Nadie", {}, target);
  EXPECT_EQ(unknown.handle, 0);
  EXPECT_EQ(dialer->errorText(unknown.error), "NetworkManager no tiene la conexión \"Nadie\".");
}

TEST_F(NmDialerTest, HangingUpDeactivatesTheConnection) {
  startNetworkManager();
  nm->addProfile(QStringLiteral("Móvil"), QStringLiteral("gsm"));
  makeDialer();
  const DialStart started = dialer->dial("Móvil", {}, target);
  // The template activates at once: the dial reports every step and is up.
  ASSERT_TRUE(waitFor([&] { return !reports.got.empty() && reports.got.back().step == dial_step::Connected; }));
  EXPECT_EQ(steps(), (std::vector<int>{0, 1, 2, 3, 4, 5, 14, dial_step::Connected}));
  ASSERT_TRUE(settle());
  EXPECT_EQ(dialer->connections(), std::vector<ConnectionHandle>{started.handle});
  EXPECT_TRUE(dialer->status(started.handle)->connected);

  EXPECT_EQ(dialer->hangUp(started.handle), 0);
  // Gone for the suite at once, before NetworkManager has finished.
  EXPECT_TRUE(dialer->connections().empty());
  ASSERT_TRUE(waitFor([&] {
    const QDBusMessage r = nm->call(kNmPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                                  {kNm, QStringLiteral("ActiveConnections")});
    return qdbus_cast<QList<QDBusObjectPath>>(r.arguments().value(0).value<QDBusVariant>().variant()).isEmpty();
  }));
  ASSERT_TRUE(settle());
  EXPECT_TRUE(dialer->connections().empty());
  EXPECT_NE(dialer->hangUp(started.handle), 0);  // nothing left to hang up
}

TEST_F(NmDialerTest, AConnectionNetworkManagerWillNotLetGoIsListedAgain) {
  startNetworkManager();
  nm->addProfile(QStringLiteral("Móvil"), QStringLiteral("gsm"));
  (void)nm->mock(kNmPath, "AddMethod",
             {kNm, QStringLiteral("DeactivateConnection"), QStringLiteral("o"), QStringLiteral(""),
              QStringLiteral("raise dbus.exceptions.DBusException('No permitido', "
                             "name='org.freedesktop.NetworkManager.PermissionDenied')")});
  makeDialer();
  const DialStart started = dialer->dial("Móvil", {}, target);
  ASSERT_TRUE(waitFor([&] { return !reports.got.empty() && reports.got.back().step == dial_step::Connected; }));
  ASSERT_TRUE(settle());
  EXPECT_EQ(dialer->hangUp(started.handle), 0);
  EXPECT_TRUE(dialer->connections().empty());
  ASSERT_TRUE(settle());
  EXPECT_EQ(dialer->connections(), std::vector<ConnectionHandle>{started.handle});
}

TEST_F(NmDialerTest, AConnectionMadeElsewhereIsListedWhenItIsOfADialUpKind) {
  startNetworkManager();
  const QString mobile = nm->addProfile(QStringLiteral("Móvil"), QStringLiteral("gsm"));
  const QString wired = nm->addProfile(QStringLiteral("Cable"), QStringLiteral("802-3-ethernet"));
  makeDialer();
  const auto activate = [&](const QString& profile) {
    const QDBusMessage r = nm->call(kNmPath, kNm, QStringLiteral("ActivateConnection"),
                                  {QVariant::fromValue(QDBusObjectPath(profile)),
                                   QVariant::fromValue(QDBusObjectPath(kDevice)),
                                   QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")))});
    ASSERT_EQ(r.type(), QDBusMessage::ReplyMessage) << r.errorMessage().toStdString();
  };
  activate(wired);
  ASSERT_TRUE(settle());
  EXPECT_TRUE(dialer->connections().empty());
  activate(mobile);
  ASSERT_TRUE(waitFor([&] { return dialer->settled() && dialer->connections().size() == 1; }));
  const auto status = dialer->status(dialer->connections().front());
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(status->connected);
  EXPECT_EQ(status->entry, "Móvil");
  EXPECT_TRUE(reports.got.empty());  // nobody dialed it here
}

TEST_F(NmDialerTest, WithoutNetworkManagerTheServiceIsMissingUntilItStarts) {
  dialer = std::make_unique<NmDialer>(loop, launcher, nm->connection());
  EXPECT_FALSE(dialer->available());
  EXPECT_NE(dialer->missingServiceText().find("NetworkManager"), std::string::npos);
  EXPECT_TRUE(dialer->entries().empty());
  EXPECT_TRUE(dialer->connections().empty());
  const DialStart started = dialer->dial("Móvil", {}, target);
  EXPECT_EQ(started.handle, 0);
  EXPECT_EQ(dialer->errorText(started.error), "NetworkManager no está en marcha.");

  startNetworkManager();
  nm->addProfile(QStringLiteral("Móvil"), QStringLiteral("gsm"));
  ASSERT_TRUE(waitFor([&] { return dialer->available() && dialer->settled() && dialer->entries().size() == 1; }));
}

TEST_F(NmDialerTest, TheEditorIsNetworkManagersOwnOrNoneWhenNothingIsInstalled) {
  startNetworkManager();
  nm->addProfile(QStringLiteral("Móvil"), QStringLiteral("gsm"));
  makeDialer();
  const std::string bin = sandbox.path("bin/");
  const std::string log = sandbox.path("editor.log");
  sandbox.write("bin/nm-connection-editor", "#!/bin/sh\necho \"$*\" >> " + log + "\n");
  ::chmod((bin + "nm-connection-editor").c_str(), 0755);
  const std::string savedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  ::setenv("PATH", bin.c_str(), 1);
  EXPECT_EQ(dialer->newEntry(), EditorOutcome::Opened);
  EXPECT_EQ(dialer->editEntry("Móvil"), EditorOutcome::Opened);
  EXPECT_EQ(dialer->openEntriesFolder(), EditorOutcome::Opened);
  ::setenv("PATH", sandbox.path("empty/").c_str(), 1);
  EXPECT_EQ(dialer->newEntry(), EditorOutcome::NoEditor);
  EXPECT_EQ(dialer->openEntriesFolder(), EditorOutcome::NoEditor);
  ::setenv("PATH", savedPath.c_str(), 1);
  // The three run on their own; each was asked for what was wanted.
  std::vector<std::string> lines;
  ASSERT_TRUE(waitFor([&] {
    lines.clear();
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines.size() == 3;
  }));
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"", "--create", "--edit=uuid-Móvil"}));
}

}  // namespace
}  // namespace zelvor::nm
