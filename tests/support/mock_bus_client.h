#pragma once
// A bus of the test's own (tests/support/private_bus.h) on which
// python3-dbusmock plays a system service, and the test's Qt connection to
// it. Nothing here touches the machine's system bus.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "platform/sim/sim_event_loop.h"
#include "tests/support/private_bus.h"
#include "tests/support/sandbox.h"

namespace zelvor::testing {

inline const QString kDbusMockInterface = QStringLiteral("org.freedesktop.DBus.Mock");

class MockBusClient {
 public:
  // connectionName tells the test's connections apart in Qt's registry.
  MockBusClient(const Sandbox& sandbox, const QString& connectionName) : bus_(sandbox) {
    if (QCoreApplication::instance() == nullptr) {
      static int argc = 1;
      static char name[] = "zelvor_test";
      static char* argv[] = {name, nullptr};
      static QCoreApplication app(argc, argv);
    }
    if (bus_.address().empty()) return;
    static int count = 0;
    connection_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(
        QString::fromStdString(bus_.address()), QStringLiteral("%1-%2").arg(connectionName).arg(++count)));
  }
  ~MockBusClient() {
    if (connection_) QDBusConnection::disconnectFromBus(connection_->name());
  }
  MockBusClient(const MockBusClient&) = delete;
  MockBusClient& operator=(const MockBusClient&) = delete;

  // Whether the bus came up and the connection to it too.
  [[nodiscard]] bool connected() const { return connection_ && connection_->isConnected(); }
  [[nodiscard]] QDBusConnection& connection() { return *connection_; }
  [[nodiscard]] PrivateBus& bus() { return bus_; }

  // Runs the Qt loop (and the suite's, when given) until done() holds; false
  // after a generous bound (a hung mock, not a timing expectation).
  bool waitFor(const std::function<bool()>& done, SimEventLoop* loop = nullptr) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end) {
      QCoreApplication::processEvents();
      if (loop != nullptr) loop->deliverPosted();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
  }
  bool waitFor(SimEventLoop& loop, const std::function<bool()>& done) { return waitFor(done, &loop); }
  // Waits until a service owns name on the bus.
  bool owned(const QString& name, SimEventLoop* loop = nullptr) {
    return waitFor([&] { return connection_->interface()->isServiceRegistered(name).value(); }, loop);
  }

  // A call that must succeed; the reply as it came.
  QDBusMessage expectCall(const QString& service, const QString& path, const QString& iface, const QString& method,
                          const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(service, path, iface, method);
    m.setArguments(args);
    const QDBusMessage r = connection_->call(m, QDBus::Block, 10'000);
    EXPECT_EQ(r.type(), QDBusMessage::ReplyMessage) << r.errorMessage().toStdString();
    return r;
  }

 protected:
  PrivateBus bus_;
  std::unique_ptr<QDBusConnection> connection_;
};

}  // namespace zelvor::testing
