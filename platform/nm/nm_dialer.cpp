#include "platform/nm/nm_dialer.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QTimer>
#include <QVariantMap>

#include "platform/messages.h"
#include "platform/nm/nm_editors.h"
#include "platform/nm/nm_kinds.h"
#include "platform/nm/nm_reasons.h"

namespace zelvor::nm {
namespace {

const QString kService = QStringLiteral("org.freedesktop.NetworkManager");
const QString kPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString kSettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString kNmIface = QStringLiteral("org.freedesktop.NetworkManager");
const QString kSettingsIface = QStringLiteral("org.freedesktop.NetworkManager.Settings");
const QString kConnectionIface = QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
const QString kActiveIface = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString kDeviceIface = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString kPropertiesIface = QStringLiteral("org.freedesktop.DBus.Properties");

// Long enough for a busy NetworkManager, short enough that a hung one
// turns into an error the user sees.
constexpr int kCallTimeoutMs = 5000;
// Asking the bus daemon whether NetworkManager is there.
constexpr int kBusTimeoutMs = 1000;
constexpr std::uint32_t kDeviceLoopback = 32;
constexpr std::uint32_t kActiveActivated = 2;
constexpr std::uint32_t kDevicePrepare = 40;
constexpr std::uint32_t kDeviceActivated = 100;

using SettingsMap = QMap<QString, QVariantMap>;

std::string text(const QVariant& v) { return v.toString().toStdString(); }

std::vector<QString> paths(const QVariant& v) {
  std::vector<QString> out;
  for (const QDBusObjectPath& p : qdbus_cast<QList<QDBusObjectPath>>(v)) out.push_back(p.path());
  return out;
}

QVariantMap propertiesOf(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
  return qdbus_cast<QVariantMap>(reply.arguments().at(0));
}

QDBusMessage getAll(const QString& path, const QString& iface) {
  QDBusMessage m = QDBusMessage::createMethodCall(kService, path, kPropertiesIface, QStringLiteral("GetAll"));
  m << iface;
  return m;
}

QDBusMessage nameHasOwner() {
  QDBusMessage m = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                                  QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
  m << kService;
  return m;
}

bool ownerAnswer(const QDBusMessage& reply) {
  return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() && reply.arguments().at(0).toBool();
}

}  // namespace

struct NmDialer::Build {
  std::uint64_t generation = 0;
  int outstanding = 0;
  std::vector<std::optional<Profile>> profiles;
  Snapshot snap;
};

NmDialer::NmDialer(EventLoop& loop, Launcher& launcher, const QDBusConnection& bus)
    : loop_(loop), launcher_(launcher), bus_(bus) {
  if (!bus_.isConnected()) {
    present_ = false;
    return;
  }
  watcher_ = std::make_unique<QDBusServiceWatcher>(kService, bus_, QDBusServiceWatcher::WatchForOwnerChange);
  connect(watcher_.get(), &QDBusServiceWatcher::serviceOwnerChanged, this, &NmDialer::onOwnerChanged);
  subscribe();
  call(nameHasOwner(), [this](const QDBusMessage& reply) {
    present_ = ownerAnswer(reply);
    if (*present_) scheduleRefresh();
  });
}

NmDialer::~NmDialer() = default;

void NmDialer::call(const QDBusMessage& message, std::function<void(const QDBusMessage&)> onReply) {
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message, kCallTimeoutMs), this);
  ++pending_;
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, onReply = std::move(onReply)](QDBusPendingCallWatcher* w) {
            const QDBusMessage reply = w->reply();
            w->deleteLater();
            --pending_;
            onReply(reply);
          });
}

void NmDialer::subscribe() {
  const QString anyPath;
  const char* slot = SLOT(onSignal(QDBusMessage));
  bus_.connect(kService, anyPath, kActiveIface, QStringLiteral("StateChanged"), this, slot);
  bus_.connect(kService, anyPath, kDeviceIface, QStringLiteral("StateChanged"), this, slot);
  bus_.connect(kService, anyPath, kPropertiesIface, QStringLiteral("PropertiesChanged"), this, slot);
  // Older NetworkManager releases announce changes on each interface instead.
  for (const QString& iface : {kNmIface, kActiveIface, kDeviceIface}) {
    bus_.connect(kService, anyPath, iface, QStringLiteral("PropertiesChanged"), this, slot);
  }
  bus_.connect(kService, anyPath, kNmIface, QStringLiteral("DeviceAdded"), this, slot);
  bus_.connect(kService, anyPath, kNmIface, QStringLiteral("DeviceRemoved"), this, slot);
  bus_.connect(kService, anyPath, kSettingsIface, QStringLiteral("NewConnection"), this, slot);
  bus_.connect(kService, anyPath, kSettingsIface, QStringLiteral("ConnectionRemoved"), this, slot);
  bus_.connect(kService, anyPath, kConnectionIface, QStringLiteral("Updated"), this, slot);
}

void NmDialer::onSignal(const QDBusMessage& message) {
  const QList<QVariant> args = message.arguments();
  if (message.member() == QLatin1String("StateChanged") && message.interface() == kActiveIface && args.size() >= 2) {
    const std::uint32_t state = args.at(0).toUInt(), reason = args.at(1).toUInt();
    std::vector<ConnectionHandle> affected;
    for (const auto& [handle, d] : dials_) {
      if (d.active == message.path()) affected.push_back(handle);
    }
    for (ConnectionHandle h : affected) feed(h, dials_.at(h).progress.onActiveState(state, reason));
  } else if (message.member() == QLatin1String("StateChanged") && message.interface() == kDeviceIface &&
             args.size() >= 3) {
    const std::uint32_t state = args.at(0).toUInt(), reason = args.at(2).toUInt();
    std::vector<ConnectionHandle> affected;
    for (const auto& [handle, d] : dials_) {
      const auto a = snap_.actives.find(d.active);
      if (a != snap_.actives.end() && a->second.devices.contains(message.path())) affected.push_back(handle);
    }
    for (ConnectionHandle h : affected) feed(h, dials_.at(h).progress.onDeviceState(state, reason));
  }
  scheduleRefresh();
}

void NmDialer::onOwnerChanged(const QString&, const QString&, const QString& newOwner) {
  present_ = !newOwner.isEmpty();
  if (*present_) {
    scheduleRefresh();
    return;
  }
  snap_ = Snapshot{};
  hungUp_.clear();
  std::vector<ConnectionHandle> all;
  for (const auto& [handle, d] : dials_) all.push_back(handle);
  for (ConnectionHandle h : all) feed(h, dials_.at(h).progress.onGone());
}

void NmDialer::scheduleRefresh() {
  if (refreshQueued_) return;
  refreshQueued_ = true;
  // Signals come in bursts; one refresh answers them all.
  QTimer::singleShot(0, this, [this] {
    refreshQueued_ = false;
    if (refreshRunning_) {
      refreshAgain_ = true;
      return;
    }
    startRefresh();
  });
}

void NmDialer::startRefresh() {
  refreshRunning_ = true;
  refreshAgain_ = false;
  auto build = std::make_shared<Build>();
  build->generation = ++generation_;
  build->outstanding = 2;
  auto done = [this, build] {
    if (--build->outstanding > 0) return;
    for (auto& p : build->profiles) {
      if (p) build->snap.profiles.push_back(std::move(*p));
    }
    publish(std::move(build->snap), build->generation);
  };

  call(QDBusMessage::createMethodCall(kService, kSettingsPath, kSettingsIface, QStringLiteral("ListConnections")),
       [this, build, done](const QDBusMessage& reply) {
         if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
           const std::vector<QString> list = paths(reply.arguments().at(0));
           build->profiles.resize(list.size());
           for (std::size_t i = 0; i < list.size(); ++i) {
             ++build->outstanding;
             const QString path = list[i];
             call(QDBusMessage::createMethodCall(kService, path, kConnectionIface, QStringLiteral("GetSettings")),
                  [build, done, path, i](const QDBusMessage& r) {
                    if (r.type() == QDBusMessage::ReplyMessage && !r.arguments().isEmpty()) {
                      const auto settings = qdbus_cast<SettingsMap>(r.arguments().at(0));
                      const QVariantMap connection = settings.value(QStringLiteral("connection"));
                      const QString type = connection.value(QStringLiteral("type")).toString();
                      const QString bluetooth =
                          settings.value(QStringLiteral("bluetooth")).value(QStringLiteral("type")).toString();
                      if (IsDialUpKind(type.toStdString(), bluetooth.toStdString())) {
                        build->profiles[i] = Profile{path, text(connection.value(QStringLiteral("id"))),
                                                     text(connection.value(QStringLiteral("uuid"))),
                                                     text(settings.value(type).value(QStringLiteral("username")))};
                      }
                    }
                    done();
                  });
           }
         }
         done();
       });

  call(getAll(kPath, kNmIface), [this, build, done](const QDBusMessage& reply) {
    const QVariantMap props = propertiesOf(reply);
    build->snap.deviceOrder = paths(props.value(QStringLiteral("Devices")));
    for (const QString& path : build->snap.deviceOrder) {
      ++build->outstanding;
      call(getAll(path, kDeviceIface), [build, done, path](const QDBusMessage& r) {
        const QVariantMap p = propertiesOf(r);
        if (!p.isEmpty()) {
          Device d;
          d.interfaceName = text(p.value(QStringLiteral("Interface")));
          d.ipInterface = text(p.value(QStringLiteral("IpInterface")));
          d.type = p.value(QStringLiteral("DeviceType")).toUInt();
          d.state = p.value(QStringLiteral("State")).toUInt();
          const QVariant reason = p.value(QStringLiteral("StateReason"));
          if (reason.canConvert<QDBusArgument>()) {
            const auto arg = reason.value<QDBusArgument>();
            arg.beginStructure();
            arg >> d.state >> d.reason;
            arg.endStructure();
          }
          build->snap.devices[path] = d;
        }
        done();
      });
    }
    for (const QString& path : paths(props.value(QStringLiteral("ActiveConnections")))) {
      ++build->outstanding;
      call(getAll(path, kActiveIface), [build, done, path](const QDBusMessage& r) {
        const QVariantMap p = propertiesOf(r);
        if (!p.isEmpty()) {
          Active a;
          a.connection = p.value(QStringLiteral("Connection")).value<QDBusObjectPath>().path();
          a.id = text(p.value(QStringLiteral("Id")));
          a.state = p.value(QStringLiteral("State")).toUInt();
          for (const QString& d : paths(p.value(QStringLiteral("Devices")))) a.devices.push_back(d);
          build->snap.actives[path] = a;
        }
        done();
      });
    }
    done();
  });
}

void NmDialer::publish(Snapshot snapshot, std::uint64_t generation) {
  snap_ = std::move(snapshot);
  for (auto it = hungUp_.begin(); it != hungUp_.end();) {
    it = snap_.actives.count(*it) != 0 ? std::next(it) : hungUp_.erase(it);
  }
  // A connection that is gone loses its handle, so that a new one at the
  // same path is a new connection; one just dialed may not be listed yet.
  for (auto it = handles_.begin(); it != handles_.end();) {
    const auto bound = boundAt_.find(it->first);
    const bool fresh = bound != boundAt_.end() && bound->second >= generation;
    if (snap_.actives.count(it->first) != 0 || fresh || dials_.count(it->second) != 0) {
      ++it;
      continue;
    }
    boundAt_.erase(it->first);
    it = handles_.erase(it);
  }
  reconcileDials(generation);
  refreshRunning_ = false;
  if (refreshAgain_) scheduleRefresh();
}

void NmDialer::reconcileDials(std::uint64_t generation) {
  std::vector<ConnectionHandle> bound;
  for (const auto& [handle, d] : dials_) {
    if (!d.active.isEmpty()) bound.push_back(handle);
  }
  for (ConnectionHandle h : bound) {
    const auto d = dials_.find(h);
    if (d == dials_.end()) continue;
    const auto a = snap_.actives.find(d->second.active);
    if (a == snap_.actives.end()) {
      // A list asked for before NetworkManager answered the dial may not
      // hold the new connection yet; only a later one says it is gone.
      if (generation > d->second.boundAt) feed(h, d->second.progress.onGone());
      continue;
    }
    // What the devices went through before we listened; a device's failure
    // or its rest state from an earlier connection is only taken from its
    // signals.
    for (const QString& devicePath : a->second.devices) {
      const auto dev = snap_.devices.find(devicePath);
      if (dev == snap_.devices.end()) continue;
      if (dev->second.state >= kDevicePrepare && dev->second.state <= kDeviceActivated) {
        feed(h, d->second.progress.onDeviceState(dev->second.state, dev->second.reason));
      }
      if (dials_.count(h) == 0) break;
    }
    const auto again = dials_.find(h);
    if (again != dials_.end()) feed(h, again->second.progress.onActiveState(a->second.state, 0));
  }
}

void NmDialer::feed(ConnectionHandle handle, const std::vector<StepReport>& reports) {
  const auto d = dials_.find(handle);
  if (d == dials_.end()) return;
  for (const StepReport& r : reports) {
    const DialReport report{handle, r.step, r.error};
    loop_.post(d->second.target, msg::DialProgress, static_cast<std::intptr_t>(handle), report.lparam());
  }
  if (d->second.progress.ended()) dials_.erase(d);
}

bool NmDialer::available() {
  if (!bus_.isConnected()) return false;
  if (!present_) {
    // Only the bus daemon is asked here, never NetworkManager, and briefly.
    present_ = ownerAnswer(bus_.call(nameHasOwner(), QDBus::Block, kBusTimeoutMs));
    if (*present_) scheduleRefresh();
  }
  return *present_;
}

std::string NmDialer::missingServiceText() {
  return "No se encuentra NetworkManager en el bus del sistema. Dedo Vuv necesita este servicio y no se podrá "
         "mostrar hasta que NetworkManager esté en marcha.\n\nPara reponerlo instale el paquete de NetworkManager "
         "de su distribución (network-manager) y active su servicio";
}

std::vector<std::string> NmDialer::entries() {
  std::vector<std::string> out;
  for (const Profile& p : snap_.profiles) out.push_back(p.id);
  return out;
}

std::vector<std::string> NmDialer::modems() {
  std::vector<std::string> out;
  for (const QString& path : snap_.deviceOrder) {
    const auto d = snap_.devices.find(path);
    if (d != snap_.devices.end() && d->second.type != kDeviceLoopback) out.push_back(d->second.interfaceName);
  }
  return out;
}

bool NmDialer::listed(const QString& connectionPath) const {
  for (const Profile& p : snap_.profiles) {
    if (p.path == connectionPath) return true;
  }
  return false;
}

ConnectionHandle NmDialer::handleOf(const QString& activePath) {
  const auto it = handles_.find(activePath);
  if (it != handles_.end()) return it->second;
  const ConnectionHandle h = next_++;
  handles_[activePath] = h;
  return h;
}

std::vector<ConnectionHandle> NmDialer::connections() {
  std::vector<ConnectionHandle> out;
  if (!present_.value_or(false)) return out;
  for (const auto& [path, active] : snap_.actives) {
    if (hungUp_.count(path) != 0 || !listed(active.connection)) continue;
    out.push_back(handleOf(path));
  }
  for (const auto& [handle, d] : dials_) {
    if (d.active.isEmpty() && cancelled_.count(handle) == 0) out.push_back(handle);
  }
  return out;
}

std::optional<ConnectionStatus> NmDialer::status(ConnectionHandle handle) {
  const auto dial = dials_.find(handle);
  if (dial != dials_.end() && dial->second.active.isEmpty()) return ConnectionStatus{false, dial->second.entry, "", ""};
  for (const auto& [path, h] : handles_) {
    if (h != handle) continue;
    const auto a = snap_.actives.find(path);
    if (a == snap_.actives.end() || hungUp_.count(path) != 0) return std::nullopt;
    ConnectionStatus s{a->second.state == kActiveActivated, a->second.id, "", ""};
    for (const QString& devicePath : a->second.devices) {
      const auto dev = snap_.devices.find(devicePath);
      if (dev == snap_.devices.end()) continue;
      s.device = dev->second.interfaceName;
      s.interfaceName = dev->second.ipInterface.empty() ? dev->second.interfaceName : dev->second.ipInterface;
      break;
    }
    return s;
  }
  return std::nullopt;
}

const NmDialer::Profile* NmDialer::findProfile(const std::string& entry) const {
  for (const Profile& p : snap_.profiles) {
    if (p.id == entry) return &p;
  }
  return nullptr;
}

DialParams NmDialer::dialParams(const std::string& entry) {
  const Profile* p = findProfile(entry);
  // NetworkManager hands secrets only to its secret agents, never to a
  // program that lists profiles, so the password is never known here.
  return DialParams{p != nullptr ? p->userName : "", "", false};
}

bool NmDialer::setDialParams(const std::string&, const DialParams&, bool) { return false; }

DialStart NmDialer::dial(const std::string& entry, const DialParams&, WindowHandle target) {
  if (!available()) return DialStart{0, callError("NetworkManager no está en marcha.")};
  const Profile* profile = findProfile(entry);
  if (profile == nullptr) return DialStart{0, callError("NetworkManager no tiene la conexión \"" + entry + "\".")};
  const ConnectionHandle handle = next_++;
  DialState& d = dials_[handle];
  d.target = target;
  d.entry = entry;
  feed(handle, d.progress.onActiveState(1, 0));  // activating: the port opens

  QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kNmIface, QStringLiteral("ActivateConnection"));
  m << QVariant::fromValue(QDBusObjectPath(profile->path)) << QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")))
    << QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")));
  call(m, [this, handle](const QDBusMessage& reply) { onActivated(handle, reply); });
  return DialStart{handle, 0};
}

void NmDialer::onActivated(ConnectionHandle handle, const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
    cancelled_.erase(handle);
    const auto d = dials_.find(handle);
    if (d == dials_.end()) return;
    const std::string why = reply.errorMessage().isEmpty() ? reply.errorName().toStdString()
                                                           : reply.errorMessage().toStdString();
    const DialReport report{handle, dial_step::Disconnected, callError(why)};
    loop_.post(d->second.target, msg::DialProgress, static_cast<std::intptr_t>(handle), report.lparam());
    dials_.erase(d);
    return;
  }
  const QString path = reply.arguments().at(0).value<QDBusObjectPath>().path();
  handles_[path] = handle;
  boundAt_[path] = generation_;
  if (cancelled_.erase(handle) != 0) {
    // Hung up before NetworkManager answered: let the new connection go.
    hungUp_.insert(path);
    QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kNmIface, QStringLiteral("DeactivateConnection"));
    m << QVariant::fromValue(QDBusObjectPath(path));
    call(m, [](const QDBusMessage&) {});
    return;
  }
  const auto d = dials_.find(handle);
  if (d != dials_.end()) {
    d->second.active = path;
    d->second.boundAt = generation_;
  }
  scheduleRefresh();
}

int NmDialer::hangUp(ConnectionHandle handle) {
  const auto dial = dials_.find(handle);
  const bool waiting = dial != dials_.end() && dial->second.active.isEmpty();
  if (dial != dials_.end()) dials_.erase(dial);
  if (waiting) {
    cancelled_.insert(handle);
    return 0;
  }
  QString path;
  for (const auto& [p, h] : handles_) {
    if (h == handle) path = p;
  }
  if (path.isEmpty() || snap_.actives.count(path) == 0) return callError("La conexión ya no existe.");
  hungUp_.insert(path);
  QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kNmIface, QStringLiteral("DeactivateConnection"));
  m << QVariant::fromValue(QDBusObjectPath(path));
  // A refused deactivation leaves the connection up: it is listed again,
  // and the watch adopts it rather than losing it for good.
  call(m, [this, path](const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage) hungUp_.erase(path);
  });
  return 0;
}

int NmDialer::callError(const std::string& why) {
  const int code = kCallErrorBase + nextCallError_;
  nextCallError_ = (nextCallError_ + 1) % 1000;
  callErrors_[code] = why;
  return code;
}

std::string NmDialer::errorText(int code) {
  std::string reason = ReasonText(code);
  if (!reason.empty()) return reason;
  const auto it = callErrors_.find(code);
  return it == callErrors_.end() ? "" : it->second;
}

EditorOutcome NmDialer::newEntry() { return OpenConnectionEditor(launcher_, EditorAction::Create, ""); }

EditorOutcome NmDialer::editEntry(const std::string& entry) {
  const Profile* p = findProfile(entry);
  return OpenConnectionEditor(launcher_, EditorAction::Edit, p != nullptr ? p->uuid : "");
}

EditorOutcome NmDialer::openEntriesFolder() { return OpenConnectionEditor(launcher_, EditorAction::ShowAll, ""); }

}  // namespace zelvor::nm
