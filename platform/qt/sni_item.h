#pragma once
// One notification icon as a StatusNotifierItem on the session bus (the
// tray protocol of KDE, GNOME's AppIndicator extension, waybar and most
// panels today). Each icon has a D-Bus connection and bus name of its own,
// as hosts address an item by its bus name and the fixed object path.

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QImage>
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/ui_types.h"

struct SniPixmap {
  int width = 0;
  int height = 0;
  QByteArray bytes;  // ARGB32 in network byte order
};
using SniPixmaps = QList<SniPixmap>;
struct SniToolTip {
  QString iconName;
  SniPixmaps image;
  QString title;
  QString text;
};
Q_DECLARE_METATYPE(SniPixmap)
Q_DECLARE_METATYPE(SniToolTip)

namespace zelvor {

class SniItem;

// The org.kde.StatusNotifierItem interface of one item.
class SniAdaptor final : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
  Q_PROPERTY(QString Category READ category)
  Q_PROPERTY(QString Id READ id)
  Q_PROPERTY(QString Title READ title)
  Q_PROPERTY(QString Status READ status)
  Q_PROPERTY(int WindowId READ windowId)
  Q_PROPERTY(QString IconName READ iconName)
  Q_PROPERTY(SniPixmaps IconPixmap READ iconPixmap)
  Q_PROPERTY(QString OverlayIconName READ iconName)
  Q_PROPERTY(QString AttentionIconName READ iconName)
  Q_PROPERTY(SniToolTip ToolTip READ toolTip)
  Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
  Q_PROPERTY(QDBusObjectPath Menu READ menu)

 public:
  explicit SniAdaptor(SniItem& item);

  QString category() const { return QStringLiteral("ApplicationStatus"); }
  QString id() const;
  QString title() const;
  QString status() const { return QStringLiteral("Active"); }
  int windowId() const { return 0; }
  QString iconName() const { return {}; }
  SniPixmaps iconPixmap() const;
  SniToolTip toolTip() const;
  bool itemIsMenu() const { return false; }
  QDBusObjectPath menu() const { return QDBusObjectPath(QStringLiteral("/NO_DBUSMENU")); }

 public Q_SLOTS:
  void Activate(int x, int y);
  void SecondaryActivate(int x, int y);
  void ContextMenu(int x, int y);
  void Scroll(int delta, const QString& orientation);

 Q_SIGNALS:
  void NewTitle();
  void NewIcon();
  void NewToolTip();
  void NewStatus(const QString& status);

 private:
  SniItem& item_;
};

class SniItem final : public QObject {
 public:
  // The pointer position comes with the activation, in screen coordinates.
  using ActivationHandler = std::function<void(std::uint32_t mouseMessage, Point at)>;

  SniItem(int iconId, ActivationHandler onActivate);
  ~SniItem() override;

  // Claims the bus name and registers with the watcher; false when either fails.
  [[nodiscard]] bool registerWithWatcher();
  void setPicture(const QImage& picture);
  void setTip(const QString& tip);

  static void registerTypes();

 private:
  friend class SniAdaptor;
  int iconId_;
  ActivationHandler onActivate_;
  QString busName_;
  QString connectionName_;
  std::unique_ptr<QDBusConnection> bus_;
  SniAdaptor* adaptor_ = nullptr;  // owned by this object (Qt parent)
  QImage picture_;
  QString tip_;
};

}  // namespace zelvor
