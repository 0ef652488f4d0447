#include "platform/qt/sni_item.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QtEndian>

#include "platform/messages.h"

QDBusArgument& operator<<(QDBusArgument& a, const SniPixmap& p) {
  a.beginStructure();
  a << p.width << p.height << p.bytes;
  a.endStructure();
  return a;
}
const QDBusArgument& operator>>(const QDBusArgument& a, SniPixmap& p) {
  a.beginStructure();
  a >> p.width >> p.height >> p.bytes;
  a.endStructure();
  return a;
}
QDBusArgument& operator<<(QDBusArgument& a, const SniToolTip& t) {
  a.beginStructure();
  a << t.iconName << t.image << t.title << t.text;
  a.endStructure();
  return a;
}
const QDBusArgument& operator>>(const QDBusArgument& a, SniToolTip& t) {
  a.beginStructure();
  a >> t.iconName >> t.image >> t.title >> t.text;
  a.endStructure();
  return a;
}

namespace zelvor {
namespace {

SniPixmaps pixmapsOf(const QImage& picture) {
  SniPixmaps result;
  if (picture.isNull()) return result;
  // Hosts pick the size they like best; offer the picture at two sizes.
  for (int side : {16, 32}) {
    const QImage img = picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_ARGB32);
    SniPixmap p;
    p.width = img.width();
    p.height = img.height();
    p.bytes.resize(static_cast<qsizetype>(img.width()) * img.height() * 4);
    auto* out = reinterpret_cast<quint32*>(p.bytes.data());
    for (int y = 0; y < img.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
      for (int x = 0; x < img.width(); ++x) *out++ = qToBigEndian<quint32>(line[x]);
    }
    result.push_back(p);
  }
  return result;
}

}  // namespace

SniAdaptor::SniAdaptor(SniItem& item) : QDBusAbstractAdaptor(&item), item_(item) {}

QString SniAdaptor::id() const { return QStringLiteral("zelvor-%1").arg(item_.iconId_); }
QString SniAdaptor::title() const { return item_.tip_.isEmpty() ? QStringLiteral("Zelvor") : item_.tip_; }
SniPixmaps SniAdaptor::iconPixmap() const { return pixmapsOf(item_.picture_); }
SniToolTip SniAdaptor::toolTip() const {
  SniToolTip t;
  t.title = item_.tip_;
  return t;
}

// The mapping of activations to the suite's mouse messages (see
// docs/desktop-binding.md): the host reports a finished click, so each
// activation becomes the button-up message of the button it stands for.
void SniAdaptor::Activate(int x, int y) { item_.onActivate_(msg::LeftUp, Point{x, y}); }
void SniAdaptor::SecondaryActivate(int x, int y) { item_.onActivate_(msg::MiddleUp, Point{x, y}); }
void SniAdaptor::ContextMenu(int x, int y) { item_.onActivate_(msg::RightUp, Point{x, y}); }
void SniAdaptor::Scroll(int, const QString&) {}

void SniItem::registerTypes() {
  qDBusRegisterMetaType<SniPixmap>();
  qDBusRegisterMetaType<SniPixmaps>();
  qDBusRegisterMetaType<SniToolTip>();
}

SniItem::SniItem(int iconId, ActivationHandler onActivate) : iconId_(iconId), onActivate_(std::move(onActivate)) {
  adaptor_ = new SniAdaptor(*this);
  connectionName_ = QStringLiteral("zelvor-sni-%1").arg(iconId_);
  bus_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_));
  busName_ = QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(QCoreApplication::applicationPid()).arg(iconId_);
}

SniItem::~SniItem() {
  if (bus_->isConnected()) {
    bus_->unregisterObject(QStringLiteral("/StatusNotifierItem"));
    bus_->unregisterService(busName_);
  }
  bus_.reset();
  QDBusConnection::disconnectFromBus(connectionName_);
}

bool SniItem::registerWithWatcher() {
  if (!bus_->isConnected()) return false;
  if (!bus_->registerObject(QStringLiteral("/StatusNotifierItem"), this)) return false;
  if (!bus_->registerService(busName_)) return false;
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
      QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("RegisterStatusNotifierItem"));
  call << busName_;
  // The watcher may live in this very process (tests); never block on it.
  return bus_->send(call);
}

void SniItem::setPicture(const QImage& picture) {
  picture_ = picture;
  emit adaptor_->NewIcon();
}

void SniItem::setTip(const QString& tip) {
  if (tip == tip_) return;
  tip_ = tip;
  emit adaptor_->NewToolTip();
  emit adaptor_->NewTitle();
}

}  // namespace zelvor
