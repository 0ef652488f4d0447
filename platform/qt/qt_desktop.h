#pragma once
// The Linux desktop binding: every UI service of the seam over Qt 6, built
// in the right order around one QApplication.

#include <QApplication>

#include <functional>
#include <memory>
#include <string>

#include "platform/nm/lazy_dialer.h"
#include "platform/logind/lazy_power.h"
#include "platform/systemd/lazy_service_manager.h"
#include "platform/platform.h"
#include "platform/posix/posix_launcher.h"
#include "platform/qt/canberra_sound.h"
#include "platform/qt/image_pixmaps.h"
#include "platform/qt/image_strips.h"
#include "platform/qt/pointer_hint.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_dialog_host.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_menu_host.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_notices.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_screen.h"
#include "platform/qt/qt_tray_host.h"
#include "platform/qt/x11_connection.h"
#include "platform/qt/x11_hotkeys.h"

namespace zelvor {

class QtDesktop {
 public:
  struct Options {
    // Tell the user once when no notification area turns up at all.
    bool announceMissingTray = true;
  };

  // Fails with a message when there is no graphical session to show windows on.
  [[nodiscard]] static std::unique_ptr<QtDesktop> create(int& argc, char** argv, std::string& error,
                                                         Options options);
  [[nodiscard]] static std::unique_ptr<QtDesktop> create(int& argc, char** argv, std::string& error) {
    return create(argc, argv, error, Options{});
  }
  // Whether a graphical session is there; why not, when it is not.
  [[nodiscard]] static bool hasGraphicalSession(std::string& why);
  // The Qt platform the program asks for; empty leaves the choice to Qt.
  // On a Wayland session with XWayland it is "xcb": there windows may place
  // themselves and stay on top, which notes need. getenv: the environment.
  [[nodiscard]] static std::string preferredPlatform(const std::function<const char*(const char*)>& getenv);
  ~QtDesktop();

  [[nodiscard]] Desktop desktop() {
    return Desktop{*loop_,   *tray_,    *menus_,     boxes_,   *dialogs_, *screen_,
                   *sound_,  *hotkeys_, *clipboard_, *dialer_, *printer_,
                   *power_,   *services_};
  }
  [[nodiscard]] Notices& notices() { return *notices_; }
  [[nodiscard]] Clipboard& clipboard() { return *clipboard_; }
  [[nodiscard]] Printer& printer() { return *printer_; }

  // The concrete services, for the binding's tests.
  [[nodiscard]] QtEventLoop& loop() { return *loop_; }
  [[nodiscard]] QtTrayHost& tray() { return *tray_; }
  [[nodiscard]] QtMenuHost& menus() { return *menus_; }
  [[nodiscard]] QtDialogHost& dialogs() { return *dialogs_; }
  [[nodiscard]] QtNotices& qtNotices() { return *notices_; }
  [[nodiscard]] QtClipboard& qtClipboard() { return *clipboard_; }
  [[nodiscard]] CanberraSound& sound() { return *sound_; }
  [[nodiscard]] const ImagePixmaps& images() const { return *images_; }
  [[nodiscard]] bool hasX11() const { return x11_ != nullptr; }

 private:
  QtDesktop() = default;
  void build(Options options);

  int argc_ = 0;
  std::unique_ptr<QApplication> app_;  // null when the caller made one already
  std::unique_ptr<X11Connection> x11_;
  // Pixmaps and Qt objects need the application: everything is made after it.
  std::unique_ptr<ImageStrips> strips_;
  std::unique_ptr<ImagePixmaps> images_;
  PointerHint pointer_;
  std::unique_ptr<QtEventLoop> loop_;
  QtMessageBoxes boxes_;
  std::unique_ptr<QtTrayHost> tray_;
  std::unique_ptr<QtMenuHost> menus_;
  std::unique_ptr<QtDialogHost> dialogs_;
  std::unique_ptr<QtScreen> screen_;
  std::unique_ptr<CanberraSound> sound_;
  std::unique_ptr<X11Hotkeys> hotkeys_;
  std::unique_ptr<QtNotices> notices_;
  std::unique_ptr<QtClipboard> clipboard_;
  std::unique_ptr<QtPrinter> printer_;
  // Starts the connection editors; NetworkManager is reached on the system bus.
  PosixLauncher editorLauncher_;
  std::unique_ptr<nm::LazyDialer> dialer_;
  // logind on the system bus, reached on first use.
  std::unique_ptr<logind::LazyPower> power_;
  // systemd is reached on the system bus when the service list first asks.
  std::unique_ptr<systemd::LazyServiceManager> services_;
};

}  // namespace zelvor
