// The systemd binding against python3-dbusmock's systemd manager on a bus
// of the test's own (never the machine's services), and the table that
// turns systemd's words into the service list's states and start types.

#include "platform/systemd/systemd_services.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "platform/systemd/systemd_mapping.h"
#include "system/window/service_view.h"
#include "tests/support/mock_bus_client.h"
#include "tests/support/private_bus.h"
#include "tests/support/sandbox.h"

namespace zelvor::systemd {
namespace {

const QString kService = QStringLiteral("org.freedesktop.systemd1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/systemd1");
const QString kManager = QStringLiteral("org.freedesktop.systemd1.Manager");
const QString kUnit = QStringLiteral("org.freedesktop.systemd1.Unit");
const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");

// The template answers GetUnit, StartUnit and StopUnit; the list of units
// is added here from the units the test adds.
const QString kListUnits = QStringLiteral(
    "ret = [(n, objects[p].props['org.freedesktop.systemd1.Unit'].get('Description', ''), 'loaded', "
    "objects[p].props['org.freedesktop.systemd1.Unit']['ActiveState'], 'running', '', dbus.ObjectPath(p), "
    "dbus.UInt32(0), '', dbus.ObjectPath('/')) for n, p in self.units.items()]");

TEST(SystemdMapping, StatesAndStartTypes) {
  struct StateCase {
    const char* active;
    const char* freezer;
    int state;
  };
  const StateCase states[] = {
      {"active", "running", service_state::Running},   {"reloading", "", service_state::Running},
      {"inactive", "", service_state::Stopped},        {"failed", "", service_state::Stopped},
      {"activating", "", service_state::Starting},     {"deactivating", "", service_state::Stopping},
      {"active", "frozen", service_state::Paused},     {"active", "freezing", service_state::Pausing},
      {"active", "thawing", service_state::Resuming},  {"maintenance", "", service_state::Unknown},
  };
  for (const StateCase& c : states) EXPECT_EQ(ServiceStateOf(c.active, c.freezer), c.state) << c.active << c.freezer;
  const std::pair<const char*, int> types[] = {
      {"enabled", service_start::Automatic}, {"enabled-runtime", service_start::Automatic},
      {"generated", service_start::Automatic}, {"static", service_start::Manual},
      {"disabled", service_start::Manual},   {"indirect", service_start::Manual},
      {"masked", service_start::Disabled},   {"masked-runtime", service_start::Disabled},
      {"", service_start::Manual},
  };
  for (const auto& [text, type] : types) EXPECT_EQ(StartTypeOf(text), type) << text;
  EXPECT_TRUE(IsServiceUnit("ssh.service"));
  EXPECT_TRUE(IsServiceUnit("getty@tty1.service"));
  EXPECT_FALSE(IsServiceUnit("getty@.service"));
  EXPECT_FALSE(IsServiceUnit("home.mount"));
  EXPECT_FALSE(IsServiceUnit(".service"));
}

class SystemdServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::PrivateBus::toolsInstalled()) GTEST_SKIP() << "dbus-daemon or python3-dbusmock is not installed";
    client = std::make_unique<testing::MockBusClient>(sandbox, QStringLiteral("systemd-mock"));
    ASSERT_TRUE(client->connected());
    ASSERT_TRUE(client->bus().startTemplate("systemd"));
    ASSERT_TRUE(client->owned(kService));
    mock(kManagerPath, QStringLiteral("AddMethod"),
         {kManager, QStringLiteral("ListUnits"), QString(), QStringLiteral("a(ssssssouso)"), kListUnits});
  }
  void TearDown() override {
    services.reset();
    client.reset();
  }

  bool waitFor(const std::function<bool()>& done) { return client->waitFor(done); }
  QDBusMessage mock(const QString& path, const QString& method, const QVariantList& args) {
    return client->expectCall(kService, path, kMock, method, args);
  }
  QString unitPath(const QString& name) {
    QString escaped = name;
    escaped.replace(QLatin1Char('.'), QLatin1Char('_')).replace(QLatin1Char('-'), QLatin1Char('_'));
    return kManagerPath + QStringLiteral("/unit/") + escaped;
  }
  // A unit as the mock keeps it, with the properties the list reads.
  void addUnit(const QString& name, const QString& description, const QString& active, const QString& fileState) {
    mock(kManagerPath, QStringLiteral("AddMockUnit"), {name});
    const QString path = unitPath(name);
    mock(path, QStringLiteral("AddProperty"), {kUnit, QStringLiteral("Description"), QVariant::fromValue(QDBusVariant(description))});
    mock(path, QStringLiteral("AddProperty"), {kUnit, QStringLiteral("UnitFileState"), QVariant::fromValue(QDBusVariant(fileState))});
    mock(path, QStringLiteral("UpdateProperties"),
         {kUnit, QVariant::fromValue(QVariantMap{{QStringLiteral("ActiveState"), active}})});
  }
  QString activeStateOf(const QString& name) {
    QDBusMessage m = QDBusMessage::createMethodCall(kService, unitPath(name), QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Get"));
    m.setArguments({kUnit, QStringLiteral("ActiveState")});
    const QDBusMessage r = client->connection().call(m, QDBus::Block, 10'000);
    if (r.type() != QDBusMessage::ReplyMessage) return {};
    return r.arguments().at(0).value<QDBusVariant>().variant().toString();
  }

  testing::Sandbox sandbox;
  std::unique_ptr<testing::MockBusClient> client;
  std::unique_ptr<SystemdServices> services;
};

TEST_F(SystemdServicesTest, ListsServicesWithStatesAndStartTypes) {
  addUnit(QStringLiteral("ssh.service"), QStringLiteral("OpenBSD Secure Shell server"), QStringLiteral("active"),
          QStringLiteral("enabled"));
  addUnit(QStringLiteral("cups.service"), QStringLiteral("CUPS Scheduler"), QStringLiteral("inactive"),
          QStringLiteral("disabled"));
  addUnit(QStringLiteral("bluetooth.service"), QStringLiteral("Bluetooth service"), QStringLiteral("activating"),
          QStringLiteral("masked"));
  addUnit(QStringLiteral("home.mount"), QStringLiteral("/home"), QStringLiteral("active"), QStringLiteral("generated"));
  services = std::make_unique<SystemdServices>(client->connection());
  EXPECT_TRUE(services->available());
  std::vector<ServiceRecord> listed = services->services();
  std::sort(listed.begin(), listed.end(), [](const ServiceRecord& a, const ServiceRecord& b) { return a.name < b.name; });
  ASSERT_EQ(listed.size(), 3u);
  EXPECT_EQ(listed[0], (ServiceRecord{"bluetooth.service", "Bluetooth service", "", service_state::Starting,
                                      service_start::Disabled}));
  EXPECT_EQ(listed[1], (ServiceRecord{"cups.service", "CUPS Scheduler", "", service_state::Stopped, service_start::Manual}));
  EXPECT_EQ(listed[2], (ServiceRecord{"ssh.service", "OpenBSD Secure Shell server", "", service_state::Running,
                                      service_start::Automatic}));
}

TEST_F(SystemdServicesTest, StopAndStartGoThroughTheManager) {
  addUnit(QStringLiteral("ssh.service"), QStringLiteral("ssh"), QStringLiteral("active"), QStringLiteral("enabled"));
  services = std::make_unique<SystemdServices>(client->connection());
  EXPECT_EQ(services->state("ssh.service"), service_state::Running);
  const ServiceResult stopped = services->stop("ssh.service");
  EXPECT_TRUE(stopped.ok) << stopped.systemText;
  EXPECT_EQ(activeStateOf(QStringLiteral("ssh.service")), QStringLiteral("inactive"));
  EXPECT_EQ(services->state("ssh.service"), service_state::Stopped);
  EXPECT_TRUE(services->start("ssh.service").ok);
  EXPECT_EQ(activeStateOf(QStringLiteral("ssh.service")), QStringLiteral("active"));
  // A unit the manager has not loaded is stopped. The template answers a
  // Python error for it; systemd's own answer is NoSuchUnit.
  mock(kManagerPath, QStringLiteral("AddMethod"),
       {kManager, QStringLiteral("GetUnit"), QStringLiteral("s"), QStringLiteral("o"),
        QStringLiteral("if args[0] not in self.units: raise dbus.exceptions.DBusException('Unit ' + args[0] + "
                       "' not loaded.', name='org.freedesktop.systemd1.NoSuchUnit')\n"
                       "ret = dbus.ObjectPath(self.units[args[0]])")});
  EXPECT_EQ(services->state("ssh.service"), service_state::Running);
  EXPECT_EQ(services->state("nada.service"), service_state::Stopped);
}

TEST_F(SystemdServicesTest, TheServicesViewListsAndStopsTheMocksUnits) {
  addUnit(QStringLiteral("ssh.service"), QStringLiteral("OpenBSD Secure Shell server"), QStringLiteral("active"),
          QStringLiteral("enabled"));
  addUnit(QStringLiteral("cups.service"), QStringLiteral("CUPS Scheduler"), QStringLiteral("inactive"),
          QStringLiteral("masked"));
  services = std::make_unique<SystemdServices>(client->connection());
  ServiceView view(*services);
  Control list = Control::make(ControlKind::ListView);
  list.columns = ServiceView::Columns();
  view.Fill(list);
  ASSERT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[0].cells, (std::vector<std::string>{"CUPS Scheduler", "cups.service", "", "Deshabilitado", ""}));
  EXPECT_EQ(list.rows[1].cells,
            (std::vector<std::string>{"OpenBSD Secure Shell server", "ssh.service", "Iniciado", "Automático", ""}));
  EXPECT_TRUE(view.Run(list, 1, ServiceCommand::Stop).ok);
  EXPECT_EQ(list.rows[1].cells[2], "Deteniendo");
  EXPECT_EQ(activeStateOf(QStringLiteral("ssh.service")), QStringLiteral("inactive"));
  EXPECT_TRUE(view.Refresh(list));
  EXPECT_EQ(list.rows[1].cells[2], "");
}

TEST_F(SystemdServicesTest, RefusalsCarryTheManagersWords) {
  addUnit(QStringLiteral("ssh.service"), QStringLiteral("ssh"), QStringLiteral("active"), QStringLiteral("enabled"));
  mock(kManagerPath, QStringLiteral("AddMethod"),
       {kManager, QStringLiteral("FreezeUnit"), QStringLiteral("s"), QString(),
        QStringLiteral("raise dbus.exceptions.DBusException('Interactive authentication required.', "
                       "name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')")});
  services = std::make_unique<SystemdServices>(client->connection());
  const ServiceResult paused = services->pause("ssh.service");
  EXPECT_FALSE(paused.ok);
  EXPECT_EQ(paused.systemText, "Interactive authentication required.");
  // The template has no ThawUnit: the manager's own error comes back.
  const ServiceResult resumed = services->resume("ssh.service");
  EXPECT_FALSE(resumed.ok);
  EXPECT_FALSE(resumed.systemText.empty());
  const ServiceResult removed = services->remove("ssh.service");
  EXPECT_FALSE(removed.ok);
  EXPECT_NE(removed.systemText.find("desinstale el paquete"), std::string::npos);
}

TEST_F(SystemdServicesTest, NoManagerOnTheBus) {
  // A bus where nobody answers for systemd.
  testing::Sandbox other;
  testing::PrivateBus empty(other);
  ASSERT_FALSE(empty.address().empty());
  QDBusConnection bare = QDBusConnection::connectToBus(QString::fromStdString(empty.address()), QStringLiteral("bare"));
  SystemdServices none(bare);
  EXPECT_FALSE(none.available());
  EXPECT_TRUE(none.services().empty());
  EXPECT_EQ(none.state("ssh.service"), std::nullopt);
  QDBusConnection::disconnectFromBus(QStringLiteral("bare"));
}

}  // namespace
}  // namespace zelvor::systemd
