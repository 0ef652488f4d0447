#include "platform/systemd/systemd_services.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QStringList>

#include "platform/systemd/systemd_mapping.h"

namespace zelvor::systemd {
namespace {

const QString kService = QStringLiteral("org.freedesktop.systemd1");
const QString kPath = QStringLiteral("/org/freedesktop/systemd1");
const QString kManager = QStringLiteral("org.freedesktop.systemd1.Manager");
const QString kUnit = QStringLiteral("org.freedesktop.systemd1.Unit");
const QString kServiceIface = QStringLiteral("org.freedesktop.systemd1.Service");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// Reads answer quickly or not at all; a change may wait for the user to
// type a password into the agent.
constexpr int kReadTimeoutMs = 5'000;
constexpr int kChangeTimeoutMs = 120'000;
// A manager gone mad cannot make the list grow without end.
constexpr int kMaxUnits = 20'000;

bool replied(const QDBusMessage& m) { return m.type() == QDBusMessage::ReplyMessage; }

QVariantMap propertiesOf(const QDBusMessage& reply) {
  if (!replied(reply) || reply.arguments().isEmpty()) return {};
  return qdbus_cast<QVariantMap>(reply.arguments().at(0));
}

// The program of a service's first ExecStart line (a(sasbttttuii)).
QString firstProgram(const QVariant& value) {
  QVariant v = value;
  if (v.canConvert<QDBusVariant>()) v = v.value<QDBusVariant>().variant();
  if (!v.canConvert<QDBusArgument>()) return {};
  const QDBusArgument arg = v.value<QDBusArgument>();
  if (arg.currentType() != QDBusArgument::ArrayType) return {};
  QString program;
  arg.beginArray();
  if (!arg.atEnd()) {
    arg.beginStructure();
    arg >> program;
    // The rest of the structure is skipped by leaving it.
    QStringList argv;
    bool ignoreFailure = false;
    quint64 t1 = 0, t2 = 0, t3 = 0, t4 = 0;
    quint32 pid = 0;
    qint32 code = 0, status = 0;
    arg >> argv >> ignoreFailure >> t1 >> t2 >> t3 >> t4 >> pid >> code >> status;
    arg.endStructure();
  }
  while (!arg.atEnd()) {
    QVariant skip;
    arg >> skip;
  }
  arg.endArray();
  return program;
}

}  // namespace

QDBusMessage SystemdServices::ask(const QString& path, const QString& iface, const QString& method,
                                  const QVariantList& args) {
  QDBusMessage m = QDBusMessage::createMethodCall(kService, path, iface, method);
  m.setArguments(args);
  return bus_.call(m, QDBus::Block, kReadTimeoutMs);
}

bool SystemdServices::available() {
  return bus_.isConnected() && replied(ask(kPath, kProperties, QStringLiteral("Get"), {kManager, QStringLiteral("Version")}));
}

int SystemdServices::stateAt(const QString& unitPath) {
  const QVariantMap p = propertiesOf(ask(unitPath, kProperties, QStringLiteral("GetAll"), {kUnit}));
  return ServiceStateOf(p.value(QStringLiteral("ActiveState")).toString().toStdString(),
                        p.value(QStringLiteral("FreezerState")).toString().toStdString());
}

QString SystemdServices::executableAt(const QString& unitPath) {
  const QDBusMessage r = ask(unitPath, kProperties, QStringLiteral("Get"), {kServiceIface, QStringLiteral("ExecStart")});
  if (!replied(r) || r.arguments().isEmpty()) return {};
  return firstProgram(r.arguments().at(0));
}

std::vector<ServiceRecord> SystemdServices::services() {
  std::vector<ServiceRecord> out;
  if (!bus_.isConnected()) return out;
  const QDBusMessage r = ask(kPath, kManager, QStringLiteral("ListUnits"), {});
  if (!replied(r) || r.arguments().isEmpty()) return out;
  const QDBusArgument arg = r.arguments().at(0).value<QDBusArgument>();
  if (arg.currentType() != QDBusArgument::ArrayType) return out;
  struct Listed {
    QString name, description;
    QDBusObjectPath path;
  };
  std::vector<Listed> listed;
  arg.beginArray();
  while (!arg.atEnd()) {
    QString name, description, load, active, sub, following, jobType;
    QDBusObjectPath path, jobPath;
    quint32 jobId = 0;
    arg.beginStructure();
    arg >> name >> description >> load >> active >> sub >> following >> path >> jobId >> jobType >> jobPath;
    arg.endStructure();
    if (static_cast<int>(listed.size()) >= kMaxUnits) continue;
    if (load == QLatin1String("not-found") || !IsServiceUnit(name.toStdString())) continue;
    listed.push_back({name, description, path});
  }
  arg.endArray();
  for (const Listed& l : listed) {
    const QVariantMap p = propertiesOf(ask(l.path.path(), kProperties, QStringLiteral("GetAll"), {kUnit}));
    ServiceRecord s;
    s.name = l.name.toStdString();
    s.displayName = l.description.isEmpty() ? s.name : l.description.toStdString();
    s.state = ServiceStateOf(p.value(QStringLiteral("ActiveState")).toString().toStdString(),
                             p.value(QStringLiteral("FreezerState")).toString().toStdString());
    s.startType = StartTypeOf(p.value(QStringLiteral("UnitFileState")).toString().toStdString());
    s.executablePath = executableAt(l.path.path()).toStdString();
    out.push_back(std::move(s));
  }
  return out;
}

std::optional<int> SystemdServices::state(const std::string& name) {
  const QDBusMessage r = ask(kPath, kManager, QStringLiteral("GetUnit"), {QString::fromStdString(name)});
  if (r.type() == QDBusMessage::ErrorMessage &&
      r.errorName() == QLatin1String("org.freedesktop.systemd1.NoSuchUnit")) {
    // Not loaded: nothing runs it.
    return service_state::Stopped;
  }
  if (!replied(r) || r.arguments().isEmpty()) return std::nullopt;
  return stateAt(r.arguments().at(0).value<QDBusObjectPath>().path());
}

ServiceResult SystemdServices::change(const QString& method, const QVariantList& args) {
  QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kManager, method);
  m.setArguments(args);
  m.setInteractiveAuthorizationAllowed(true);
  const QDBusMessage r = bus_.call(m, QDBus::BlockWithGui, kChangeTimeoutMs);
  if (replied(r)) return {};
  const QString text = r.errorMessage().isEmpty() ? r.errorName() : r.errorMessage();
  return {false, text.toStdString()};
}

ServiceResult SystemdServices::start(const std::string& name) {
  return change(QStringLiteral("StartUnit"), {QString::fromStdString(name), QStringLiteral("replace")});
}

ServiceResult SystemdServices::stop(const std::string& name) {
  return change(QStringLiteral("StopUnit"), {QString::fromStdString(name), QStringLiteral("replace")});
}

ServiceResult SystemdServices::pause(const std::string& name) {
  return change(QStringLiteral("FreezeUnit"), {QString::fromStdString(name)});
}

ServiceResult SystemdServices::resume(const std::string& name) {
  return change(QStringLiteral("ThawUnit"), {QString::fromStdString(name)});
}

ServiceResult SystemdServices::setStartType(const std::string& name, int startType) {
  const QStringList files{QString::fromStdString(name)};
  ServiceResult r;
  if (startType == service_start::Disabled) {
    r = change(QStringLiteral("MaskUnitFiles"), {files, false, true});
  } else {
    // A masked unit is unmasked first, as `systemctl unmask` would.
    r = change(QStringLiteral("UnmaskUnitFiles"), {files, false});
    if (!r.ok) return r;
    r = startType == service_start::Automatic ? change(QStringLiteral("EnableUnitFiles"), {files, false, true})
                                              : change(QStringLiteral("DisableUnitFiles"), {files, false});
  }
  if (!r.ok) return r;
  // The manager reads the changed links again, as after `systemctl enable`.
  return change(QStringLiteral("Reload"), {});
}

ServiceResult SystemdServices::remove(const std::string&) {
  // Unit files belong to the packages that installed them.
  return {false,
          "systemd no elimina servicios: desinstale el paquete que lo instaló, o deshabilítelo para que no "
          "pueda iniciarse."};
}

}  // namespace zelvor::systemd
