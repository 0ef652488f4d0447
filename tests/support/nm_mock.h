#pragma once
// NetworkManager as python3-dbusmock plays it, on a bus of the test's own
// (tests/support/private_bus.h), and the calls tests make to it. Nothing
// here touches the machine's system bus.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QMap>
#include <QString>
#include <QVariant>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "platform/sim/sim_event_loop.h"
#include "tests/support/mock_bus_client.h"
#include "tests/support/private_bus.h"
#include "tests/support/sandbox.h"

namespace zelvor::testing {

using NmSettingsMap = QMap<QString, QVariantMap>;
inline const QString kNmService = QStringLiteral("org.freedesktop.NetworkManager");
inline const QString kNmPath = QStringLiteral("/org/freedesktop/NetworkManager");
inline const QString kNmMockInterface = kDbusMockInterface;
// The device NmMock::start adds, as a modem would be.
inline const QString kNmModem = QStringLiteral("/org/freedesktop/NetworkManager/Devices/modem");

class NmMock : public MockBusClient {
 public:
  // A private bus and a connection to it; connected() tells whether both came up.
  explicit NmMock(const Sandbox& sandbox) : MockBusClient(sandbox, QStringLiteral("nm-mock")) {
    qDBusRegisterMetaType<NmSettingsMap>();
  }

  // Starts NetworkManager's template, waits for its name and adds the modem
  // device; false when it did not come up.
  bool start(SimEventLoop& loop) {
    if (!bus_.startTemplate("networkmanager")) return false;
    if (!owned(kNmService, &loop)) return false;
    return mock(kNmPath, QStringLiteral("AddEthernetDevice"), {QStringLiteral("modem"), QStringLiteral("ttyUSB0"), 30})
               .type() == QDBusMessage::ReplyMessage;
  }

  // NetworkManager exits; start() brings a fresh one (no active connections).
  void stop() { bus_.stopServices(); }

  // A call to NetworkManager's service; the reply as it came.
  QDBusMessage call(const QString& path, const QString& iface, const QString& method, const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(kNmService, path, iface, method);
    m.setArguments(args);
    return connection_->call(m, QDBus::Block, 10'000);
  }
  // A call that must succeed.
  QDBusMessage expectCall(const QString& path, const QString& iface, const QString& method,
                          const QVariantList& args) {
    return MockBusClient::expectCall(kNmService, path, iface, method, args);
  }
  // A call to the mock's own interface (AddMethod, EmitSignal, ...).
  QDBusMessage mock(const QString& path, const QString& method, const QVariantList& args) {
    return expectCall(path, kNmMockInterface, method, args);
  }
  // Adds a profile through NetworkManager's Settings; returns its path.
  QString addProfile(const QString& id, const QString& type, const NmSettingsMap& extra = {}) {
    NmSettingsMap s = extra;
    s[QStringLiteral("connection")][QStringLiteral("id")] = id;
    s[QStringLiteral("connection")][QStringLiteral("type")] = type;
    s[QStringLiteral("connection")][QStringLiteral("uuid")] = QStringLiteral("uuid-") + id;
    const QDBusMessage r = expectCall(QStringLiteral("/org/freedesktop/NetworkManager/Settings"),
                                      QStringLiteral("org.freedesktop.NetworkManager.Settings"),
                                      QStringLiteral("AddConnection"), {QVariant::fromValue(s)});
    return r.arguments().value(0).value<QDBusObjectPath>().path();
  }
};

}  // namespace zelvor::testing
