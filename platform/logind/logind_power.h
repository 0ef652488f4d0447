#pragma once
// Power and session over systemd-logind's D-Bus API (and the desktop's
// session manager for logging off). See docs/shutdown.md for the order of
// the log-off attempts and how the force flag maps to logind's rules.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/event_loop.h"
#include "platform/power.h"

namespace zelvor::logind {

// The value of an environment variable, nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

class LogindPower : public QObject, public Power {
  Q_OBJECT

 public:
  // system: where logind lives (the system bus; a private bus in tests).
  // session: where the desktop's session manager lives.
  LogindPower(EventLoop& loop, const QDBusConnection& system, const QDBusConnection& session,
              EnvironmentLookup environment);
  ~LogindPower() override;

  PowerResult perform(PowerAction action, bool force) override;
  PowerResult setShutdownBlock(bool on) override;
  bool shutdownBlockHeld() const override { return block_.isValid(); }
  void watchSessionEnd(WindowHandle target) override;

  // Whether the delay lock that gives the suite its time to save is held.
  [[nodiscard]] bool delayLockHeld() const { return delay_.isValid(); }

 private slots:
  void onPrepareForShutdown(bool starting);

 private:
  [[nodiscard]] PowerResult callManager(const QString& method, const QVariantList& args);
  [[nodiscard]] PowerResult logOff(bool force);
  [[nodiscard]] PowerResult onOwnSession(const QString& managerMethod, const QString& sessionMethod);
  [[nodiscard]] bool sessionHas(const QString& service);
  [[nodiscard]] std::optional<QDBusUnixFileDescriptor> inhibit(const QString& mode, const QString& why,
                                                               std::string& error);

  EventLoop& loop_;
  QDBusConnection system_;
  QDBusConnection session_;
  EnvironmentLookup environment_;
  QDBusUnixFileDescriptor block_;
  QDBusUnixFileDescriptor delay_;
  WindowHandle watcher_ = kNoWindow;
  bool listening_ = false;
};

}  // namespace zelvor::logind
