// Tray icons on a real X server: docked into trayer (XEmbed) and clicked
// with xdotool; and as StatusNotifierItems registered with a watcher on a
// private session bus, activated the way a panel does it.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QProcess>

#include <array>

#include "platform/messages.h"
#include "tests/qt/qt_test_support.h"

namespace zelvor {
namespace {

using testing::RecordingTarget;
using testing::sharedDesktop;
using testing::waitUntil;

void xdotool(const QStringList& args) { ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), args), 0) << args.join(' ').toStdString(); }

Point centreOf(const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class TrayFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    handle = d().loop().addTarget(target);
    d().tray().setCallbackTarget(handle);
  }
  void TearDown() override {
    for (int id : {1, 9, 10}) d().tray().remove(id);
    d().loop().removeTarget(handle);
  }
  static QtDesktop& d() { return sharedDesktop(); }
  void addIcons() {
    ASSERT_TRUE(d().tray().add(1, ImageRef::fromStrip(ImageStrip::Product, 0), "Zelvor"));
    ASSERT_TRUE(d().tray().add(9, ImageRef::fromStrip(ImageStrip::Utility, 19), "Duvu Zevad"));
    ASSERT_TRUE(d().tray().add(10, ImageRef::fromStrip(ImageStrip::Utility, 20), "Ravi Varudide"));
  }
  // Clicks with a real pointer and waits for the mouse messages of that icon.
  void expectClick(int iconId, const QStringList& clickArgs, std::vector<std::uint32_t> messages) {
    target.messages.clear();
    const Point c = centreOf(d().tray().iconRect(iconId));
    xdotool({QStringLiteral("mousemove"), QString::number(c.x), QString::number(c.y)});
    xdotool(clickArgs);
    for (std::uint32_t m : messages) {
      EXPECT_TRUE(waitUntil([&] { return target.has(msg::TrayIcon, iconId, m); }))
          << "icon " << iconId << " did not report mouse message 0x" << std::hex << m;
    }
  }
  RecordingTarget target;
  WindowHandle handle = kNoWindow;
};

TEST_F(TrayFixture, IconsDockIntoTheXEmbedTrayAndReportTheirClicks) {
  ASSERT_TRUE(waitUntil([&] {
    d().tray().recheck();
    return d().tray().hostKind() == QtTrayHost::HostKind::XEmbed;
  }, 10000)) << "trayer did not take the tray selection";
  EXPECT_TRUE(d().tray().available());
  addIcons();
  // Embedded: each icon has a place on the screen inside the tray, side by side.
  ASSERT_TRUE(waitUntil([&] {
    const Rect a = d().tray().iconRect(1), b = d().tray().iconRect(9), c = d().tray().iconRect(10);
    // Trayer grows as icons arrive: wait until every icon has its cell.
    return a.width() >= 16 && b.width() >= 16 && c.width() >= 16 && a.top > 600 && b.top > 600 && c.top > 600 &&
           !(a.left < b.right && b.left < a.right) && !(b.left < c.right && c.left < b.right);
  }, 10000)) << "icons were not embedded";
  // Trayer may still move the cells while it lays them out (slowly on a
  // loaded machine): click only once they stay put.
  ASSERT_TRUE(waitUntil([&, last = std::array<Rect, 3>{}]() mutable {
    const std::array<Rect, 3> now{d().tray().iconRect(1), d().tray().iconRect(9), d().tray().iconRect(10)};
    const bool settled = now == last;
    last = now;
    QThread::msleep(150);
    return settled;
  }, 10000)) << "the tray kept moving the icons";
  const Rect area = d().tray().area();

  EXPECT_GT(area.width(), 3 * 15);

  expectClick(9, {QStringLiteral("click"), QStringLiteral("1")}, {msg::LeftDown, msg::LeftUp});
  expectClick(10, {QStringLiteral("click"), QStringLiteral("3")}, {msg::RightDown, msg::RightUp});
  expectClick(1, {QStringLiteral("click"), QStringLiteral("2")}, {msg::MiddleDown, msg::MiddleUp});
  expectClick(9, {QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
                  QStringLiteral("60"), QStringLiteral("1")},
              {msg::LeftDoubleClick});
  // Moving over an icon reports moves (the hover tooltip needs them).
  target.messages.clear();
  const Point c = centreOf(d().tray().iconRect(10));
  xdotool({QStringLiteral("mousemove"), QString::number(c.x + 2), QString::number(c.y + 1)});
  EXPECT_TRUE(waitUntil([&] { return target.has(msg::TrayIcon, 10, msg::MouseMove); }));


  // Modify keeps the icon in place; remove takes it out of the tray.
  EXPECT_TRUE(d().tray().modify(9, ImageRef::fromStrip(ImageStrip::Blink, 0), "Duvu Zevad - aviso"));
  d().tray().remove(9);
  EXPECT_EQ(d().tray().iconRect(9).width(), 0);
  EXPECT_FALSE(d().tray().modify(9, ImageRef::fromStrip(ImageStrip::Utility, 19), ""));
}

// A StatusNotifierWatcher as panels run it, in this process on its own connection.
class FakeWatcher final : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.member() == QLatin1String("RegisterStatusNotifierItem")) {
      items.push_back(message.arguments().value(0).toString());
      connection.send(message.createReply());
      return true;
    }
    if (message.member() == QLatin1String("Get")) {
      connection.send(message.createReply(QVariant::fromValue(QDBusVariant(true))));
      return true;
    }
    return false;
  }
  QStringList items;
};

TEST_F(TrayFixture, StatusNotifierItemsRegisterAndMapActivations) {
  FakeWatcher watcher;
  QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-watcher"));
  ASSERT_TRUE(bus.isConnected());
  ASSERT_TRUE(bus.registerVirtualObject(QStringLiteral("/StatusNotifierWatcher"), &watcher));
  ASSERT_TRUE(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));

  addIcons();
  // A watcher that appears later takes over every icon.
  d().tray().recheck();
  EXPECT_EQ(d().tray().hostKind(), QtTrayHost::HostKind::StatusNotifier);
  ASSERT_TRUE(waitUntil([&] { return watcher.items.size() == 3; })) << watcher.items.join(' ').toStdString();
  QString item9;
  for (const QString& s : watcher.items) {
    if (s.endsWith(QLatin1String("-9"))) item9 = s;
  }
  ASSERT_FALSE(item9.isEmpty());

  // The item exports its picture and its tip.
  QDBusMessage get = QDBusMessage::createMethodCall(item9, QStringLiteral("/StatusNotifierItem"),
                                                    QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << QStringLiteral("org.kde.StatusNotifierItem") << QStringLiteral("Title");
  QDBusPendingCall title = bus.asyncCall(get);
  ASSERT_TRUE(waitUntil([&] { return title.isFinished(); }));
  EXPECT_EQ(QDBusPendingReply<QDBusVariant>(title).value().variant().toString().toStdString(), "Duvu Zevad");

  struct Case {
    const char* method;
    std::uint32_t message;
  };
  for (const Case c : {Case{"Activate", msg::LeftUp}, Case{"ContextMenu", msg::RightUp},
                       Case{"SecondaryActivate", msg::MiddleUp}}) {
    target.messages.clear();
    QDBusMessage call = QDBusMessage::createMethodCall(item9, QStringLiteral("/StatusNotifierItem"),
                                                       QStringLiteral("org.kde.StatusNotifierItem"),
                                                       QString::fromLatin1(c.method));
    call << 700 << 20;
    bus.asyncCall(call);
    EXPECT_TRUE(waitUntil([&] { return target.has(msg::TrayIcon, 9, c.message); })) << c.method;
  }

  // When the watcher goes, the icons go back into the XEmbed tray.
  bus.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
  bus.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
  ASSERT_TRUE(waitUntil([&] {
    d().tray().recheck();
    return d().tray().hostKind() == QtTrayHost::HostKind::XEmbed;
  }));
  EXPECT_TRUE(waitUntil([&] { return d().tray().iconRect(9).top > 600; }, 10000));
  QDBusConnection::disconnectFromBus(QStringLiteral("fake-watcher"));
}

}  // namespace
}  // namespace zelvor
