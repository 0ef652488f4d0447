#include "platform/qt/qt_tray_host.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "platform/messages.h"

namespace zelvor {
namespace {

constexpr int kWatchIntervalMs = 2000;
// Panels often start a little after the programs of a session.
constexpr int kMissingGraceMs = 8000;

}  // namespace

QtTrayHost::QtTrayHost(QtEventLoop& loop, X11Connection* x11, const ImagePixmaps& images, PointerHint& pointer)
    : loop_(loop), x11_(x11), images_(images), pointer_(pointer) {
  SniItem::registerTypes();
  kind_ = detect(trayOwner_);
  watch_.setInterval(kWatchIntervalMs);
  QObject::connect(&watch_, &QTimer::timeout, this, [this] { recheck(); });
  watch_.start();
  missingGrace_.setSingleShot(true);
  missingGrace_.setInterval(kMissingGraceMs);
  QObject::connect(&missingGrace_, &QTimer::timeout, this, [this] {
    if (kind_ == HostKind::None && !missingAnnounced_ && announceMissing_) {
      missingAnnounced_ = true;
      announceMissing_();
    }
  });
}

QtTrayHost::~QtTrayHost() = default;

QtTrayHost::HostKind QtTrayHost::detect(xcb_window_t& trayOwner) const {
  trayOwner = XCB_WINDOW_NONE;
  const QDBusConnection bus = QDBusConnection::sessionBus();
  if (bus.isConnected() && bus.interface() != nullptr &&
      bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")).value()) {
    return HostKind::StatusNotifier;
  }
  if (x11_ != nullptr) {
    trayOwner = x11_->selectionOwner("_NET_SYSTEM_TRAY_S" + std::to_string(x11_->screenNumber()));
    if (trayOwner != XCB_WINDOW_NONE) return HostKind::XEmbed;
  }
  return HostKind::None;
}

bool QtTrayHost::available() { return kind_ != HostKind::None; }

void QtTrayHost::recheck() {
  xcb_window_t owner = XCB_WINDOW_NONE;
  const HostKind kind = detect(owner);
  if (kind == kind_ && owner == trayOwner_) return;
  kind_ = kind;
  trayOwner_ = owner;
  // A new host knows none of our icons: add every one of them again.
  for (auto& [id, icon] : icons_) {
    icon.xembed.reset();
    icon.sni.reset();
    attach(id, icon);
  }
}

void QtTrayHost::attach(int iconId, Icon& icon) {
  if (kind_ == HostKind::StatusNotifier) {
    icon.sni = std::make_unique<SniItem>(iconId, [this, iconId](std::uint32_t message, Point at) {
      pointer_.lastActivation = at;
      deliver(iconId, message);
    });
    refresh(icon);
    if (!icon.sni->registerWithWatcher()) icon.sni.reset();
  } else if (kind_ == HostKind::XEmbed && x11_ != nullptr) {
    icon.xembed = std::make_unique<TrayIconWidget>(*x11_, [this, iconId](std::uint32_t message) {
      pointer_.lastActivation.reset();
      deliver(iconId, message);
    });
    // A stable name per icon, so that scripts and tests can find each one.
    icon.xembed->setWindowTitle(QStringLiteral("zelvor-icon-%1").arg(iconId));
    refresh(icon);
    if (!icon.xembed->dock(trayOwner_)) icon.xembed.reset();
  } else if (!missingAnnounced_ && !missingGrace_.isActive()) {
    missingGrace_.start();
  }
}

void QtTrayHost::refresh(Icon& icon) {
  const QString tip = QString::fromStdString(icon.tip);
  if (icon.sni) {
    icon.sni->setPicture(images_.pixmap(icon.image, 32).toImage());
    icon.sni->setTip(tip);
  }
  if (icon.xembed) {
    icon.xembed->setPicture(images_.pixmap(icon.image, 16, icon.xembed->devicePixelRatioF()));
    icon.xembed->setTip(tip);
  }
}

void QtTrayHost::deliver(int iconId, std::uint32_t mouseMessage) {
  if (target_ == kNoWindow) return;
  loop_.post(target_, msg::TrayIcon, iconId, static_cast<std::intptr_t>(mouseMessage));
}

bool QtTrayHost::add(int iconId, const ImageRef& image, const std::string& tip) {
  if (icons_.count(iconId) != 0) return false;
  Icon& icon = icons_[iconId];
  icon.image = image;
  icon.tip = tip;
  attach(iconId, icon);
  return kind_ != HostKind::None;
}

bool QtTrayHost::modify(int iconId, const ImageRef& image, const std::string& tip) {
  const auto it = icons_.find(iconId);
  if (it == icons_.end()) return false;
  it->second.image = image;
  it->second.tip = tip;
  refresh(it->second);
  return kind_ != HostKind::None;
}

void QtTrayHost::remove(int iconId) { icons_.erase(iconId); }

Rect QtTrayHost::iconRect(int iconId) {
  const auto it = icons_.find(iconId);
  if (it == icons_.end() || !it->second.xembed) return {};
  return it->second.xembed->screenRect();
}

Rect QtTrayHost::area() {
  Rect all;
  bool any = false;
  for (auto& [id, icon] : icons_) {
    if (!icon.xembed) continue;
    const Rect r = icon.xembed->screenRect();
    if (r.width() <= 0) continue;
    if (!any) {
      all = r;
      any = true;
    } else {
      all = Rect{std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
                 std::max(all.bottom, r.bottom)};
    }
  }
  return any ? all : Rect{};
}

}  // namespace zelvor
