#include "platform/logind/logind_power.h"

#include <QDBusReply>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>

#include <unistd.h>

#include "platform/messages.h"

namespace zelvor::logind {
namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");
// A power request may wait for the user's answer to an authorisation
// prompt (interactive calls): it gets longer than a plain question.
constexpr int kQuestionTimeoutMs = 5000;
constexpr int kInteractiveTimeoutMs = 120000;

PowerResult failureOf(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ErrorMessage) return {};
  std::string text = reply.errorMessage().toStdString();
  if (text.empty()) text = reply.errorName().toStdString();
  return {false, text};
}

}  // namespace

LogindPower::LogindPower(EventLoop& loop, const QDBusConnection& system, const QDBusConnection& session,
                         EnvironmentLookup environment)
    : loop_(loop), system_(system), session_(session), environment_(std::move(environment)) {}

LogindPower::~LogindPower() {
  if (listening_) {
    system_.disconnect(kService, kPath, kManager, QStringLiteral("PrepareForShutdown"), this,
                       SLOT(onPrepareForShutdown(bool)));
  }
}

PowerResult LogindPower::callManager(const QString& method, const QVariantList& args) {
  QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kManager, method);
  m.setArguments(args);
  const bool interactive = !args.isEmpty() && args.front().typeId() == QMetaType::Bool && args.front().toBool();
  return failureOf(system_.call(m, QDBus::Block, interactive ? kInteractiveTimeoutMs : kQuestionTimeoutMs));
}

PowerResult LogindPower::perform(PowerAction action, bool force) {
  // Nobody is at the screen for a forced request: logind must not wait for
  // an authorisation prompt. Other programs' block locks are logind's to
  // weigh: it overrides them only for callers its policy lets do so.
  const QVariantList interactive{QVariant(!force)};
  switch (action) {
    case PowerAction::PowerOff: return callManager(QStringLiteral("PowerOff"), interactive);
    case PowerAction::Reboot: return callManager(QStringLiteral("Reboot"), interactive);
    case PowerAction::Suspend: return callManager(QStringLiteral("Suspend"), interactive);
    case PowerAction::Hibernate: return callManager(QStringLiteral("Hibernate"), interactive);
    case PowerAction::LockSession: return onOwnSession(QStringLiteral("LockSession"), QStringLiteral("Lock"));
    case PowerAction::LogOff: return logOff(force);
  }
  return {false, "acción desconocida"};
}

bool LogindPower::sessionHas(const QString& service) {
  if (!session_.isConnected() || session_.interface() == nullptr) return false;
  const QDBusReply<bool> reply = session_.interface()->isServiceRegistered(service);
  return reply.isValid() && reply.value();
}

PowerResult LogindPower::logOff(bool force) {
  // The desktop's own session manager first: it closes the programs of the
  // session and lets them save. Modes: GNOME 1 = without asking, 2 = even
  // when a program objects.
  if (sessionHas(QStringLiteral("org.gnome.SessionManager"))) {
    QDBusMessage m = QDBusMessage::createMethodCall(QStringLiteral("org.gnome.SessionManager"),
                                                    QStringLiteral("/org/gnome/SessionManager"),
                                                    QStringLiteral("org.gnome.SessionManager"), QStringLiteral("Logout"));
    m.setArguments({QVariant::fromValue(static_cast<uint>(force ? 2 : 1))});
    return failureOf(session_.call(m, QDBus::Block, kInteractiveTimeoutMs));
  }
  if (sessionHas(QStringLiteral("org.kde.Shutdown"))) {
    const QDBusMessage m = QDBusMessage::createMethodCall(QStringLiteral("org.kde.Shutdown"), QStringLiteral("/Shutdown"),
                                                          QStringLiteral("org.kde.Shutdown"), QStringLiteral("logout"));
    return failureOf(session_.call(m, QDBus::Block, kInteractiveTimeoutMs));
  }
  if (sessionHas(QStringLiteral("org.xfce.SessionManager"))) {
    QDBusMessage m = QDBusMessage::createMethodCall(QStringLiteral("org.xfce.SessionManager"),
                                                    QStringLiteral("/org/xfce/SessionManager"),
                                                    QStringLiteral("org.xfce.Session.Manager"), QStringLiteral("Logout"));
    m.setArguments({QVariant(false), QVariant(true)});  // no dialog, let programs save
    return failureOf(session_.call(m, QDBus::Block, kInteractiveTimeoutMs));
  }
  // No session manager: logind ends the session (its programs get SIGTERM).
  return onOwnSession(QStringLiteral("TerminateSession"), QStringLiteral("Terminate"));
}

PowerResult LogindPower::onOwnSession(const QString& managerMethod, const QString& sessionMethod) {
  // The session this program runs in: XDG_SESSION_ID names it; otherwise
  // logind finds it by our process.
  if (const auto id = environment_ ? environment_("XDG_SESSION_ID") : std::nullopt; id && !id->empty()) {
    return callManager(managerMethod, {QString::fromStdString(*id)});
  }
  QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kManager, QStringLiteral("GetSessionByPID"));
  ask.setArguments({QVariant::fromValue(static_cast<uint>(::getpid()))});
  const QDBusMessage reply = system_.call(ask, QDBus::Block, kQuestionTimeoutMs);
  if (reply.type() == QDBusMessage::ErrorMessage || reply.arguments().isEmpty()) return failureOf(reply);
  const QString path = qvariant_cast<QDBusObjectPath>(reply.arguments().front()).path();
  const QDBusMessage m = QDBusMessage::createMethodCall(kService, path, kSession, sessionMethod);
  return failureOf(system_.call(m, QDBus::Block, kQuestionTimeoutMs));
}

std::optional<QDBusUnixFileDescriptor> LogindPower::inhibit(const QString& mode, const QString& why,
                                                            std::string& error) {
  QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kManager, QStringLiteral("Inhibit"));
  m.setArguments({QStringLiteral("shutdown"), QStringLiteral("Zelvor"), why, mode});
  const QDBusMessage reply = system_.call(m, QDBus::Block, kQuestionTimeoutMs);
  if (reply.type() == QDBusMessage::ErrorMessage || reply.arguments().isEmpty()) {
    error = failureOf(reply).error;
    if (error.empty()) error = "logind no devolvió el bloqueo";
    return std::nullopt;
  }
  auto fd = qvariant_cast<QDBusUnixFileDescriptor>(reply.arguments().front());
  if (!fd.isValid()) {
    error = "logind no devolvió el bloqueo";
    return std::nullopt;
  }
  return fd;
}

PowerResult LogindPower::setShutdownBlock(bool on) {
  if (!on) {
    // Closing our copy of the descriptor is what lets go of the lock.
    block_ = QDBusUnixFileDescriptor();
    return {};
  }
  if (block_.isValid()) return {};
  std::string error;
  auto fd = inhibit(QStringLiteral("block"), QString::fromUtf8("Bloqueado el apagado del sistema"), error);
  if (!fd) return {false, error};
  block_ = *fd;
  return {};
}

void LogindPower::watchSessionEnd(WindowHandle target) {
  watcher_ = target;
  if (target == kNoWindow) {
    delay_ = QDBusUnixFileDescriptor();
    return;
  }
  if (!listening_) {
    listening_ = system_.connect(kService, kPath, kManager, QStringLiteral("PrepareForShutdown"), this,
                                 SLOT(onPrepareForShutdown(bool)));
  }
  if (!delay_.isValid()) {
    std::string error;
    if (auto fd = inhibit(QStringLiteral("delay"), QString::fromUtf8("Guardar los datos antes de apagar"), error)) {
      delay_ = *fd;
    }
  }
}

void LogindPower::onPrepareForShutdown(bool starting) {
  if (!starting) {
    // The shutdown was called off: be ready for the next one.
    if (watcher_ != kNoWindow) watchSessionEnd(watcher_);
    return;
  }
  if (watcher_ != kNoWindow) {
    loop_.post(watcher_, msg::QueryEndSession, 0, 0);
    loop_.processPending();
  }
  // Everything is saved: logind may go on at once instead of at its time limit.
  delay_ = QDBusUnixFileDescriptor();
}

}  // namespace zelvor::logind
