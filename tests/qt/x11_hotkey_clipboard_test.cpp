// Hotkeys and the clipboard on a real X server, driven by xdotool and xclip.

#include <QProcess>

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

TEST(QtClipboardOnX11, RoundTripWithAnotherClient) {
  QtDesktop& d = sharedDesktop();
  RecordingTarget target;
  const WindowHandle h = d.loop().addTarget(target);
  Clipboard& clipboard = d.clipboard();
  clipboard.watch(h);

  // Another client sets the clipboard; the suite hears of it and reads it.
  QProcess setter;
  setter.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i")});
  ASSERT_TRUE(setter.waitForStarted());
  setter.write("texto de otra aplicación ñ");
  setter.closeWriteChannel();
  ASSERT_TRUE(waitUntil([&] { return target.has(msg::ClipboardChanged, 0, 0); }, 8000));
  const ClipboardContent content = clipboard.read();
  const auto text = std::find_if(content.begin(), content.end(), [](const ClipboardFormat& f) { return f.type == kClipboardText; });
  ASSERT_NE(text, content.end());
  EXPECT_EQ(std::string(text->data.begin(), text->data.end()), "texto de otra aplicación ñ");

  // The suite puts an older entry back; the other client reads it.
  const std::string back = "devuelto por Zelvor";
  target.messages.clear();
  ASSERT_TRUE(clipboard.write({{kClipboardText, {back.begin(), back.end()}}}));
  EXPECT_EQ(xclipOut().toStdString(), back);
  // Its own change is reported as its own.
  EXPECT_TRUE(waitUntil([&] { return target.has(msg::ClipboardChanged, 0, 1); }));

  // The paste keystroke goes out through XTest.
  EXPECT_TRUE(clipboard.pasteIntoActiveWindow());
  clipboard.watch(kNoWindow);
  setter.waitForFinished(2000);
  d.loop().removeTarget(h);
}

}  // namespace
}  // namespace zelvor
