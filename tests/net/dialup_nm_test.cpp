// The connection control over the NetworkManager binding, against
// python3-dbusmock's NetworkManager on a bus of the test's own: a dial, a
// hang-up and a connection made by another program end up in the diary.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>

#include <chrono>
#include <functional>
#include <thread>

#include "platform/nm/nm_dialer.h"
#include "platform/posix/posix_launcher.h"
#include "tests/net/dialup_fixture.h"
#include "tests/support/private_bus.h"

namespace zelvor::dialup {
namespace {

using SettingsMap = QMap<QString, QVariantMap>;
const QString kNm = QStringLiteral("org.freedesktop.NetworkManager");
const QString kNmPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString kDevice = QStringLiteral("/org/freedesktop/NetworkManager/Devices/modem");

QCoreApplication& application() {
  static int argc = 1;
  static char name[] = "dialup_nm_test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

class DialupOverNetworkManagerTest : public testing::DialupFixture {
 protected:
  void SetUp() override {
    if (!testing::PrivateBus::toolsInstalled()) GTEST_SKIP() << "dbus-daemon or python3-dbusmock is not installed";
    (void)application();
    qDBusRegisterMetaType<SettingsMap>();
    bus = std::make_unique<testing::PrivateBus>(sandbox);
    ASSERT_FALSE(bus->address().empty());
    connection = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(QString::fromStdString(bus->address()), QStringLiteral("dialup-nm-test")));
    ASSERT_TRUE(bus->startTemplate("networkmanager"));
    ASSERT_TRUE(waitFor([&] { return connection->interface()->isServiceRegistered(kNm).value(); }));
    call(kNmPath, QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("AddEthernetDevice"),
         {QStringLiteral("modem"), QStringLiteral("ttyUSB0"), 30});
    // Activations come up at once on the modem.
    call(kNmPath, QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("AddMethod"),
         {kNm, QStringLiteral("ActivateConnection"), QStringLiteral("ooo"), QStringLiteral("o"),
          QStringLiteral("import time\n"
                         "name = 'c%1' % time.monotonic_ns()\n"
                         "ret = dbus.ObjectPath(self.AddActiveConnection(['%2'], args[0], '/', name, dbus.UInt32(2)))")
              .arg(QStringLiteral("%d"), kDevice)});
    SettingsMap s;
    s[QStringLiteral("connection")][QStringLiteral("id")] = QStringLiteral("Móvil");
    s[QStringLiteral("connection")][QStringLiteral("type")] = QStringLiteral("gsm");
    s[QStringLiteral("connection")][QStringLiteral("uuid")] = QStringLiteral("uuid-movil");
    const QDBusMessage r = call(QStringLiteral("/org/freedesktop/NetworkManager/Settings"),
                                QStringLiteral("org.freedesktop.NetworkManager.Settings"),
                                QStringLiteral("AddConnection"), {QVariant::fromValue(s)});
    profile = r.arguments().value(0).value<QDBusObjectPath>().path();
    nmDialer = std::make_unique<nm::NmDialer>(desktop.loop, launcher, *connection);
    ASSERT_TRUE(waitFor([&] { return nmDialer->available() && nmDialer->settled(); }));
    nmControl = std::make_unique<DialupControl>(
        DialupServices{store, *nmDialer, desktop.loop, desktop.messageBoxes, recorder, view, outside});
  }
  void TearDown() override {
    nmControl.reset();
    nmDialer.reset();
    if (connection) QDBusConnection::disconnectFromBus(connection->name());
  }

  QDBusMessage call(const QString& path, const QString& iface, const QString& method, const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(kNm, path, iface, method);
    m.setArguments(args);
    const QDBusMessage r = connection->call(m, QDBus::Block, 10'000);
    EXPECT_EQ(r.type(), QDBusMessage::ReplyMessage) << r.errorMessage().toStdString();
    return r;
  }
  // Runs both loops until done() holds; false after a generous bound.
  bool waitFor(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end) {
      QCoreApplication::processEvents();
      desktop.loop.deliverPosted();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
  }
  bool settle() {
    return waitFor([&] { return nmDialer->settled(); });
  }

  std::unique_ptr<testing::PrivateBus> bus;
  std::unique_ptr<QDBusConnection> connection;
  PosixLauncher launcher;
  QString profile;
  std::unique_ptr<nm::NmDialer> nmDialer;
  std::unique_ptr<DialupControl> nmControl;
};

TEST_F(DialupOverNetworkManagerTest, ADialAndAConnectionMadeElsewhereAreRecorded) {
  EXPECT_EQ(nmControl->Entries(), std::vector<std::string>{"Móvil"});
  EXPECT_EQ(nmControl->Modems(), std::vector<std::string>{"ttyUSB0"});

  const std::int64_t dialed = sim.clock.now();
  nmControl->Dial("Móvil", true);
  ASSERT_TRUE(waitFor([&] { return outside.count("connection up") == 1; }));
  EXPECT_FALSE(view.shown);
  EXPECT_EQ(view.log.back().text, "Conectado");
  ASSERT_TRUE(settle());
  EXPECT_TRUE(nmControl->IsConnected());
  advance(65'000);  // the watch keeps it
  ASSERT_TRUE(settle());
  EXPECT_NE(nmControl->Connection(), 0);
  EXPECT_TRUE(nmControl->HangUp());
  ASSERT_EQ(records().size(), 1u);
  EXPECT_EQ(records()[0], (diary::CItemDiario{"ttyUSB0", "Móvil", dialed, 65}));
  ASSERT_TRUE(waitFor([&] { return nmDialer->settled() && !nmControl->IsConnected(); }));
  advance(5'000);
  EXPECT_EQ(nmControl->Connection(), 0);  // a connection going down is not adopted

  // Another program brings the profile up; the watch adopts it.
  const QDBusMessage up = call(kNmPath, kNm, QStringLiteral("ActivateConnection"),
                               {QVariant::fromValue(QDBusObjectPath(profile)),
                                QVariant::fromValue(QDBusObjectPath(kDevice)),
                                QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")))});
  const QString active = up.arguments().value(0).value<QDBusObjectPath>().path();
  ASSERT_TRUE(waitFor([&] { return nmDialer->settled() && nmControl->IsConnected(); }));
  const std::int64_t adopted = sim.clock.now() + 5;
  advance(5'000);
  EXPECT_NE(nmControl->Connection(), 0);
  EXPECT_EQ(nmControl->Entry(), "Móvil");
  EXPECT_EQ(outside.count("connection up"), 2);
  advance(30'000);
  // It ends there too; the watch notices and the diary gets it.
  call(kNmPath, kNm, QStringLiteral("DeactivateConnection"), {QVariant::fromValue(QDBusObjectPath(active))});
  ASSERT_TRUE(waitFor([&] { return nmDialer->settled() && !nmControl->IsConnected(); }));
  advance(5'000);
  EXPECT_EQ(nmControl->Connection(), 0);
  ASSERT_EQ(records().size(), 2u);
  EXPECT_EQ(records()[1], (diary::CItemDiario{"ttyUSB0", "Móvil", adopted, 35}));
}

}  // namespace
}  // namespace zelvor::dialup
