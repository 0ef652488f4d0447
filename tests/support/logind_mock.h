#pragma once
// systemd-logind as python3-dbusmock plays it, on a bus of the test's own
// (tests/support/private_bus.h), and what tests ask it. Nothing here
// touches the machine's system bus or its power management.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QString>
#include <QVariant>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/sim/sim_event_loop.h"
#include "tests/support/mock_bus_client.h"
#include "tests/support/private_bus.h"
#include "tests/support/sandbox.h"

namespace zelvor::testing {

inline const QString kLogindService = QStringLiteral("org.freedesktop.login1");
inline const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
inline const QString kLogindManager = QStringLiteral("org.freedesktop.login1.Manager");
inline const QString kMockInterface = kDbusMockInterface;

// One lock as logind lists it.
struct Inhibitor {
  std::string what, who, why, mode;
  friend bool operator==(const Inhibitor&, const Inhibitor&) = default;
};

class LogindMock : public MockBusClient {
 public:
  explicit LogindMock(const Sandbox& sandbox) : MockBusClient(sandbox, QStringLiteral("logind-mock")) {}

  // Starts logind's template and waits for its name.
  bool start(SimEventLoop& loop) {
    return connected() && bus_.startTemplate("logind") && owned(kLogindService, &loop);
  }

  QDBusMessage call(const QString& service, const QString& path, const QString& iface, const QString& method,
                    const QVariantList& args) {
    return expectCall(service, path, iface, method, args);
  }
  // A call to a mock's own interface (AddMethod, EmitSignal, GetMethodCalls, ...).
  QDBusMessage mock(const QString& service, const QString& path, const QString& method, const QVariantList& args) {
    return call(service, path, kMockInterface, method, args);
  }
  QDBusMessage logind(const QString& method, const QVariantList& args) {
    return mock(kLogindService, kLogindPath, method, args);
  }

  // The arguments of every call of method so far, oldest first.
  std::vector<QVariantList> callsOf(const QString& service, const QString& path, const QString& method) {
    std::vector<QVariantList> out;
    const QDBusMessage r = mock(service, path, QStringLiteral("GetMethodCalls"), {method});
    if (r.arguments().isEmpty()) return out;
    const QDBusArgument arg = r.arguments().at(0).value<QDBusArgument>();
    arg.beginArray();
    while (!arg.atEnd()) {
      arg.beginStructure();
      quint64 when = 0;
      QVariantList args;
      arg >> when >> args;
      arg.endStructure();
      for (QVariant& v : args) {
        if (v.canConvert<QDBusVariant>()) v = v.value<QDBusVariant>().variant();
      }
      out.push_back(args);
    }
    arg.endArray();
    return out;
  }
  std::vector<QVariantList> logindCalls(const QString& method) { return callsOf(kLogindService, kLogindPath, method); }

  std::vector<Inhibitor> inhibitors() {
    std::vector<Inhibitor> out;
    const QDBusMessage r = call(kLogindService, kLogindPath, kLogindManager, QStringLiteral("ListInhibitors"), {});
    if (r.arguments().isEmpty()) return out;
    const QDBusArgument arg = r.arguments().at(0).value<QDBusArgument>();
    arg.beginArray();
    while (!arg.atEnd()) {
      arg.beginStructure();
      QString what, who, why, mode;
      uint uid = 0, pid = 0;
      arg >> what >> who >> why >> mode >> uid >> pid;
      arg.endStructure();
      out.push_back({what.toStdString(), who.toStdString(), why.toStdString(), mode.toStdString()});
    }
    arg.endArray();
    return out;
  }

  // logind announces that the machine goes down (true) or that it does not after all (false).
  void announceShutdown(bool starting) {
    (void)logind(QStringLiteral("EmitSignal"), {kLogindManager, QStringLiteral("PrepareForShutdown"), QStringLiteral("b"),
                                                QVariantList{QVariant(starting)}});
  }
};

}  // namespace zelvor::testing
