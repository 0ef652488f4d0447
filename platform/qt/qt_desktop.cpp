#include "platform/qt/qt_desktop.h"

#include "platform/messages.h"
#include "platform/nm/nm_dialer.h"
#include "platform/logind/logind_power.h"
#include "platform/systemd/systemd_services.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSessionManager>

#include <cstdlib>

namespace zelvor {
namespace {

bool isSet(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && *v != '\0';
}

}  // namespace

bool QtDesktop::hasGraphicalSession(std::string& why) {
  if (isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")) return true;
  why = "no graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set); start Zelvor from a desktop "
        "session, or try it on a virtual display: xvfb-run -a zelvor";
  return false;
}

std::string QtDesktop::preferredPlatform(const std::function<const char*(const char*)>& getenv) {
  const auto set = [&](const char* name) {
    const char* v = getenv(name);
    return v != nullptr && *v != '\0';
  };
  // The user's own choice stands; without XWayland (no DISPLAY) Wayland it is.
  if (set("QT_QPA_PLATFORM")) return {};
  if (set("WAYLAND_DISPLAY") && set("DISPLAY")) return "xcb";
  return {};
}

std::unique_ptr<QtDesktop> QtDesktop::create(int& argc, char** argv, std::string& error, Options options) {
  if (QCoreApplication::instance() == nullptr && !hasGraphicalSession(error)) return nullptr;
  std::unique_ptr<QtDesktop> d(new QtDesktop);
  if (QCoreApplication::instance() == nullptr) {
    d->argc_ = argc;
    const std::string platform = preferredPlatform([](const char* name) { return std::getenv(name); });
    if (!platform.empty()) qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform));
    QApplication::setApplicationName(QStringLiteral("Zelvor"));
    QApplication::setDesktopFileName(QStringLiteral("zelvor"));
    d->app_ = std::make_unique<QApplication>(d->argc_, argv);
  }
  QApplication::setQuitOnLastWindowClosed(false);
  d->build(options);
  return d;
}

void QtDesktop::build(Options options) {
  strips_ = std::make_unique<ImageStrips>();
  images_ = std::make_unique<ImagePixmaps>(*strips_);
  loop_ = std::make_unique<QtEventLoop>();
  x11_ = X11Connection::open();
  const QString platform = QGuiApplication::platformName();
  DesktopAbilities abilities;
  abilities.canPlaceWindows = platform == QLatin1String("xcb");
  abilities.canBlend = true;
  if (x11_ && abilities.canPlaceWindows) {
    // On X11 windows blend only when a compositing manager runs.
    abilities.canBlend = x11_->selectionOwner("_NET_WM_CM_S" + std::to_string(x11_->screenNumber())) != XCB_WINDOW_NONE;
  }
  tray_ = std::make_unique<QtTrayHost>(*loop_, x11_.get(), *images_, pointer_);
  if (options.announceMissingTray) {
    tray_->onMissingTray([] {
      auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Zelvor"),
                                  QString::fromUtf8("No se encuentra el área de notificación del escritorio, así que "
                                                    "los iconos de Zelvor no se pueden mostrar.\n\nZelvor sigue en "
                                                    "marcha: vuelva a iniciar Zelvor para abrir su menú, o use "
                                                    "zelvorctl desde una terminal."));
      box->addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
      box->setAttribute(Qt::WA_DeleteOnClose);
      box->open();
    });
  }
  // The session manager asks before the session ends (X session
  // management): the main window hears it as the system's end-of-session
  // query and lets the utilities save, before this handler returns.
  QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, tray_.get(), [this](QSessionManager& manager) {
    if (tray_->callbackTarget() == kNoWindow) return;
    loop_->post(tray_->callbackTarget(), msg::QueryEndSession, 0, 0);
    loop_->processPending();
    // While the shutdown block is held the answer is no, where the session
    // manager lets the suite answer at all.
    if (power_ && power_->shutdownBlockHeld() && manager.allowsInteraction()) {
      manager.cancel();
      manager.release();
    }
  });
  menus_ = std::make_unique<QtMenuHost>(*loop_, *images_);
  dialogs_ = std::make_unique<QtDialogHost>(*images_, abilities);
  screen_ = std::make_unique<QtScreen>(pointer_, platform != QLatin1String("wayland"));
  sound_ = std::make_unique<CanberraSound>();
  hotkeys_ = std::make_unique<X11Hotkeys>(*loop_, x11_.get());
  notices_ = std::make_unique<QtNotices>(*strips_);
  clipboard_ = std::make_unique<QtClipboard>(*loop_, x11_.get());
  printer_ = std::make_unique<QtPrinter>(*images_);
  dialer_ = std::make_unique<nm::LazyDialer>([this]() -> std::unique_ptr<Dialer> {
    return std::make_unique<nm::NmDialer>(*loop_, editorLauncher_, QDBusConnection::systemBus());
  });
  power_ = std::make_unique<logind::LazyPower>([this]() -> std::unique_ptr<Power> {
    return std::make_unique<logind::LogindPower>(
        *loop_, QDBusConnection::systemBus(), QDBusConnection::sessionBus(),
        [](std::string_view name) -> std::optional<std::string> {
          const char* v = std::getenv(std::string(name).c_str());
          if (v == nullptr) return std::nullopt;
          return std::string(v);
        });
  });
  services_ = std::make_unique<systemd::LazyServiceManager>([]() -> std::unique_ptr<ServiceManager> {
    return std::make_unique<systemd::SystemdServices>(QDBusConnection::systemBus());
  });
}

QtDesktop::~QtDesktop() {
  // Windows and icons go before the connection and the application they live on.
  power_.reset();
  dialer_.reset();
  services_.reset();
  printer_.reset();
  clipboard_.reset();
  notices_.reset();
  hotkeys_.reset();
  sound_.reset();
  screen_.reset();
  dialogs_.reset();
  menus_.reset();
  tray_.reset();
  x11_.reset();
  loop_.reset();
  images_.reset();
  strips_.reset();
}

}  // namespace zelvor
