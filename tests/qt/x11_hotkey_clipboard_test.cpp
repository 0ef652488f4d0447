// Hotkeys and the clipboard on a real X server, driven by xdotool and xclip.

#include <QProcess>
#include <QTimer>

#include <algorithm>

#include "platform/messages.h"
#include "platform/qt/x11_hotkeys.h"
#include "tests/qt/qt_test_support.h"

namespace zelvor {
namespace {

using testing::RecordingTarget;
using testing::sharedDesktop;
using testing::waitUntil;

constexpr std::uint32_t kCtrlAlt = hotkey_mod::Control | hotkey_mod::Alt;

TEST(X11Hotkeys, AGrabbedCombinationArrivesWithAndWithoutNumLock) {
  QtDesktop& d = sharedDesktop();
  ASSERT_TRUE(d.hasX11());
  RecordingTarget target;
  const WindowHandle h = d.loop().addTarget(target);
  Hotkeys& hotkeys = d.desktop().hotkeys;
  ASSERT_TRUE(hotkeys.registerHotkey(h, 9 * 256 + 1, kCtrlAlt, 'K'));
  ASSERT_TRUE(hotkeys.registerHotkey(h, 10 * 256, hotkey_mod::Shift | hotkey_mod::Win, 0x71));  // F2

  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+alt+k")}), 0);
  EXPECT_TRUE(waitUntil([&] { return target.has(msg::HotKey, 9 * 256 + 1, kCtrlAlt | 'K' << 16); }));
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("shift+super+F2")}), 0);
  EXPECT_TRUE(waitUntil([&] { return target.has(msg::HotKey, 10 * 256, hotkey_mod::Shift | hotkey_mod::Win | 0x71 << 16); }));

  // The lock keys do not stop a hotkey.
  target.messages.clear();
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Num_Lock")}), 0);
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+alt+k")}), 0);
  EXPECT_TRUE(waitUntil([&] { return target.has(msg::HotKey, 9 * 256 + 1, kCtrlAlt | 'K' << 16); }));
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Num_Lock")}), 0);

  // A plain K with other modifiers is not the hotkey.
  target.messages.clear();
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+k")}), 0);
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+alt+k")}), 0);
  ASSERT_TRUE(waitUntil([&] { return !target.messages.empty(); }));
  EXPECT_EQ(target.messages.size(), 1u);

  hotkeys.unregisterHotkey(h, 9 * 256 + 1);
  hotkeys.unregisterHotkey(h, 10 * 256);
  d.loop().removeTarget(h);
}

TEST(X11Hotkeys, ACombinationTakenElsewhereFailsCleanly) {
  QtDesktop& d = sharedDesktop();
  RecordingTarget target;
  const WindowHandle h = d.loop().addTarget(target);
  Hotkeys& ours = d.desktop().hotkeys;
  ASSERT_TRUE(ours.registerHotkey(h, 1, kCtrlAlt, 'J'));
  // The same combination again in this process is refused too.
  EXPECT_FALSE(ours.registerHotkey(h, 2, kCtrlAlt, 'J'));

  // Another X client (its own connection) cannot have it while we hold it.
  auto otherConnection = X11Connection::open();
  ASSERT_NE(otherConnection, nullptr);
  X11Hotkeys other(d.loop(), otherConnection.get());
  EXPECT_FALSE(other.registerHotkey(h, 3, kCtrlAlt, 'J'));
  EXPECT_TRUE(other.registerHotkey(h, 4, kCtrlAlt, 'L'));
  // And the refusal left our grab intact.
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+alt+j")}), 0);
  EXPECT_TRUE(waitUntil([&] { return target.has(msg::HotKey, 1, kCtrlAlt | 'J' << 16); }));
  // Once released, the other client may take it.
  ours.unregisterHotkey(h, 1);
  EXPECT_TRUE(other.registerHotkey(h, 3, kCtrlAlt, 'J'));
  other.unregisterHotkey(h, 3);
  other.unregisterHotkey(h, 4);
  // A key the desktop does not have cannot be registered.
  EXPECT_FALSE(ours.registerHotkey(h, 5, kCtrlAlt, 0xFF));
  d.loop().removeTarget(h);
}

QString xclipOut() {
  QProcess p;
  p.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-o")});
  // xclip asks the owner (this process) for the data: keep serving Qt's events meanwhile.
  EXPECT_TRUE(waitUntil([&] { return p.state() == QProcess::NotRunning; }));
  return QString::fromUtf8(p.readAllStandardOutput());
}

std::string textOf(const ClipboardContent& content) {
  const auto text = std::find_if(content.begin(), content.end(),
                                 [](const ClipboardFormat& f) { return f.format == clip_format::Text; });
  if (text == content.end()) return "<no CF_TEXT>";
  return std::string(text->data.begin(), std::find(text->data.begin(), text->data.end(), 0));
}

// Starts xclip setting the clipboard to bytes of type (xclip serves it until another owner comes).
void xclipIn(QProcess& p, const QString& type, const QByteArray& bytes) {
  p.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                                    type, QStringLiteral("-i")});
  ASSERT_TRUE(p.waitForStarted());
  p.write(bytes);
  p.closeWriteChannel();
}

TEST(QtClipboardOnX11, RoundTripWithAnotherClient) {
  QtDesktop& d = sharedDesktop();
  RecordingTarget target;
  const WindowHandle h = d.loop().addTarget(target);
  Clipboard& clipboard = d.clipboard();
  clipboard.watch(h);

  // Another client sets the clipboard; the suite hears of it once it is read.
  QProcess setter;
  xclipIn(setter, QStringLiteral("UTF8_STRING"), QByteArray("texto de otra aplicación ñ"));
  ASSERT_TRUE(waitUntil([&] { return target.has(msg::ClipboardChanged, 0, 0); }, 8000));
  ClipboardRead r = clipboard.read();
  ASSERT_EQ(r.status, ClipboardRead::Status::Read);
  EXPECT_EQ(textOf(r.formats), "texto de otra aplicación ñ");
  // Text is offered both ways, CF_TEXT first.
  ASSERT_GE(r.formats.size(), 2u);
  EXPECT_EQ(r.formats[0].format, clip_format::Text);
  EXPECT_EQ(r.formats[1].format, clip_format::UnicodeText);

  // The suite puts an older entry back without hearing of it; the other client reads it.
  const std::string back = "devuelto por Zelvor";
  target.messages.clear();
  ClipboardFormat text{clip_format::Text, {back.begin(), back.end()}};
  text.data.push_back(0);
  ASSERT_TRUE(clipboard.write({text}, ChangeReport::Suppress));
  EXPECT_EQ(xclipOut().toStdString(), back);
  waitUntil([] { return false; }, 300);
  EXPECT_FALSE(target.has(msg::ClipboardChanged, 0, 0));
  EXPECT_FALSE(target.has(msg::ClipboardChanged, 0, 1));

  // A written change that is to be reported arrives as the suite's own, with what was written.
  ASSERT_TRUE(clipboard.write({text}, ChangeReport::Report));
  EXPECT_TRUE(waitUntil([&] { return target.has(msg::ClipboardChanged, 0, 1); }));
  EXPECT_EQ(textOf(clipboard.read().formats), back);

  clipboard.watch(kNoWindow);
  setter.waitForFinished(2000);
  d.loop().removeTarget(h);
}

TEST(QtClipboardOnX11, PicturesGetRegisteredNumbersAndSecretsAreConcealed) {
  QtDesktop& d = sharedDesktop();
  RecordingTarget target;
  const WindowHandle h = d.loop().addTarget(target);
  Clipboard& clipboard = d.clipboard();
  clipboard.watch(h);

  const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000010000000108060000001f15c4890000000d4944"
                                             "415478da63f8cfc0f01f0005000201ffa7f1b4d60000000049454e44ae426082");
  QProcess setter;
  xclipIn(setter, QStringLiteral("image/png"), png);
  ASSERT_TRUE(waitUntil([&] { return target.has(msg::ClipboardChanged, 0, 0); }, 8000));
  const ClipboardRead r = clipboard.read();
  ASSERT_EQ(r.status, ClipboardRead::Status::Read);
  const auto picture = std::find_if(r.formats.begin(), r.formats.end(), [&](const ClipboardFormat& f) {
    return clipboard.formatName(f.format) == "image/png";
  });
  ASSERT_NE(picture, r.formats.end());
  EXPECT_GE(picture->format, clip_format::FirstRegistered);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(picture->data.data()), static_cast<qsizetype>(picture->data.size())),
            png);
  setter.waitForFinished(2000);

  // A content with the password manager's hint is reported but never read out.
  target.messages.clear();
  QProcess secret;
  secret.start(QStringLiteral(ZELVOR_CLIPBOARD_OWNER), {QStringLiteral("secret"), QStringLiteral("contraseña")});
  ASSERT_TRUE(secret.waitForStarted());
  ASSERT_TRUE(waitUntil([&] { return target.has(msg::ClipboardChanged, 0, 0); }, 8000));
  EXPECT_EQ(clipboard.read().status, ClipboardRead::Status::Concealed);
  secret.kill();
  secret.waitForFinished(2000);

  clipboard.watch(kNoWindow);
  d.loop().removeTarget(h);
}

TEST(QtClipboardOnX11, AnOwnerThatNeverAnswersATypeDoesNotStopTheLoop) {
  QtDesktop& d = sharedDesktop();
  RecordingTarget target;
  const WindowHandle h = d.loop().addTarget(target);
  Clipboard& clipboard = d.clipboard();
  clipboard.watch(h);
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(50);

  QProcess owner;
  owner.start(QStringLiteral(ZELVOR_CLIPBOARD_OWNER), {QStringLiteral("silent"), QStringLiteral("a medias")});
  ASSERT_TRUE(owner.waitForStarted());
  ASSERT_TRUE(owner.waitForReadyRead(5000));
  const int before = ticks;
  ASSERT_TRUE(waitUntil([&] { return target.has(msg::ClipboardChanged, 0, 0); }, 15000));
  // The loop kept running while the reader waited on the silent type...
  EXPECT_GT(ticks, before + 2);
  // ...and what the owner did answer was kept.
  const ClipboardRead r = clipboard.read();
  ASSERT_EQ(r.status, ClipboardRead::Status::Read);
  EXPECT_EQ(textOf(r.formats), "a medias");

  owner.kill();
  owner.waitForFinished(2000);
  clipboard.watch(kNoWindow);
  d.loop().removeTarget(h);
}

}  // namespace
}  // namespace zelvor
