#pragma once
// Notification icons on a Linux desktop. A StatusNotifierItem watcher on
// the session bus is preferred; without one the icons dock into an XEmbed
// tray. The host is looked for again every two seconds, so icons appear
// when a panel starts after the suite and move when it is replaced.

#include <QObject>
#include <QDBusServiceWatcher>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

#include "platform/qt/image_pixmaps.h"
#include "platform/qt/pointer_hint.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/sni_item.h"
#include "platform/qt/tray_icon_widget.h"
#include "platform/qt/x11_connection.h"
#include "platform/tray_host.h"

namespace zelvor {

class QtTrayHost final : public QObject, public TrayHost {
 public:
  enum class HostKind { None, StatusNotifier, XEmbed };

  QtTrayHost(QtEventLoop& loop, X11Connection* x11, const ImagePixmaps& images, PointerHint& pointer);
  ~QtTrayHost() override;

  [[nodiscard]] bool available() override;
  void setCallbackTarget(WindowHandle target) override { target_ = target; }
  // The main window, which the icons' clicks (and the session's end) reach.
  [[nodiscard]] WindowHandle callbackTarget() const { return target_; }
  [[nodiscard]] bool add(int iconId, const ImageRef& image, const std::string& tip) override;
  [[nodiscard]] bool modify(int iconId, const ImageRef& image, const std::string& tip) override;
  void remove(int iconId) override;
  [[nodiscard]] Rect area() override;

  // Called once, some seconds after the first icon was added while no
  // notification area exists at all.
  void onMissingTray(std::function<void()> announce) { announceMissing_ = std::move(announce); }

  // Looks for the tray host now and moves the icons if it changed.
  void recheck();
  [[nodiscard]] HostKind hostKind() const { return kind_; }
  // Screen rectangle of a docked XEmbed icon; empty otherwise.
  [[nodiscard]] Rect iconRect(int iconId);

 private:
  void watchForHosts();
  struct Icon {
    ImageRef image;
    std::string tip;
    std::unique_ptr<TrayIconWidget> xembed;
    std::unique_ptr<SniItem> sni;
  };
  [[nodiscard]] HostKind detect(xcb_window_t& trayOwner) const;
  void attach(int iconId, Icon& icon);
  void refresh(Icon& icon);
  void deliver(int iconId, std::uint32_t mouseMessage);

  QtEventLoop& loop_;
  X11Connection* x11_;
  const ImagePixmaps& images_;
  PointerHint& pointer_;
  WindowHandle target_ = kNoWindow;
  std::map<int, Icon> icons_;
  HostKind kind_ = HostKind::None;
  xcb_window_t trayOwner_ = XCB_WINDOW_NONE;
  std::unique_ptr<QDBusServiceWatcher> hostWatcher_;
  QTimer missingGrace_;
  bool missingAnnounced_ = false;
  std::function<void()> announceMissing_;
};

}  // namespace zelvor
