// The event loop, the image strips and the rich-text conversion.

#include <QColor>
#include <QCryptographicHash>
#include <QDir>
#include <QIcon>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <set>
#include <vector>
#include <thread>

#include "platform/qt/common_dialogs.h"
#include "platform/qt/control_custom.h"
#include "platform/qt/rich_text.h"
#include "platform/qt/virtual_keys.h"
#include "tests/qt/qt_test_support.h"

namespace zelvor {
namespace {

using testing::RecordingTarget;
using testing::sharedDesktop;
using testing::waitUntil;

TEST(QtEventLoop, MessagesPostedFromAnotherThreadArriveInOrder) {
  QtEventLoop& loop = sharedDesktop().loop();
  RecordingTarget target;
  const WindowHandle h = loop.addTarget(target);
  std::thread worker([&] {
    for (int i = 0; i < 50; ++i) loop.post(h, 1200, i, -i);
  });
  worker.join();
  ASSERT_TRUE(waitUntil([&] { return target.messages.size() == 50; }));
  for (int i = 0; i < 50; ++i) EXPECT_EQ(target.messages[static_cast<std::size_t>(i)], (testing::Received{1200, i, -i}));
  loop.removeTarget(h);
}

TEST(QtEventLoop, RemovedTargetGetsNeitherQueuedMessagesNorTimers) {
  QtEventLoop& loop = sharedDesktop().loop();
  RecordingTarget gone;
  RecordingTarget stays;
  const WindowHandle g = loop.addTarget(gone);
  const WindowHandle s = loop.addTarget(stays);
  loop.setTimer(g, 7, 1);
  loop.post(g, 1300, 1, 1);
  loop.removeTarget(g);
  loop.post(s, 1301, 2, 2);
  ASSERT_TRUE(waitUntil([&] { return !stays.messages.empty(); }));
  // Give a removed 1 ms timer ample chances to fire wrongly.
  loop.setTimer(s, 3, 5);
  ASSERT_TRUE(waitUntil([&] { return stays.timers.size() >= 3; }));
  EXPECT_TRUE(gone.messages.empty());
  EXPECT_TRUE(gone.timers.empty());
  // A new target never gets the old handle back.
  RecordingTarget next;
  EXPECT_NE(loop.addTarget(next), g);
  loop.removeTarget(s);
}

TEST(QtEventLoop, TimersArePerTargetAndNumberAndRestartable) {
  QtEventLoop& loop = sharedDesktop().loop();
  RecordingTarget a;
  RecordingTarget b;
  const WindowHandle ha = loop.addTarget(a);
  const WindowHandle hb = loop.addTarget(b);
  loop.setTimer(ha, 1, 5);
  loop.setTimer(hb, 1, 5);
  loop.setTimer(hb, 2, 5);
  ASSERT_TRUE(waitUntil([&] {
    return a.timers.size() >= 2 && std::count(b.timers.begin(), b.timers.end(), 2) >= 2 &&
           std::count(b.timers.begin(), b.timers.end(), 1) >= 2;
  }));
  EXPECT_TRUE(std::all_of(a.timers.begin(), a.timers.end(), [](int id) { return id == 1; }));
  loop.killTimer(ha, 1);
  const std::size_t before = a.timers.size();
  ASSERT_TRUE(waitUntil([&] { return b.timers.size() >= 12; }));
  EXPECT_EQ(a.timers.size(), before);
  loop.removeTarget(ha);
  loop.removeTarget(hb);
}

QByteArray hashOf(const QPixmap& p) {
  const QImage img = p.toImage().convertToFormat(QImage::Format_ARGB32);
  return QCryptographicHash::hash(QByteArrayView(img.constBits(), img.sizeInBytes()), QCryptographicHash::Sha1);
}

int opaquePixels(const QPixmap& p) {
  const QImage img = p.toImage().convertToFormat(QImage::Format_ARGB32);
  int n = 0;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) n += qAlpha(img.pixel(x, y)) > 128 ? 1 : 0;
  }
  return n;
}

TEST(ImageStrips, EveryPictureIsDrawnAndDistinctFromTheOthers) {
  const ImageStrips& strips = sharedDesktop().images().strips();
  struct Case {
    ImageStrip strip;
    int count;
    int side;
    std::set<int> blank;  // cells that hold no picture on purpose
  };
  const std::vector<Case> cases = {
      {ImageStrip::Utility, 24, 16, {}}, {ImageStrip::Product, 8, 16, {}}, {ImageStrip::Blink, 1, 16, {}},
      {ImageStrip::Small, 4, 16, {}},
      // The 32x32 strip has the pictures the suite's windows ask for.
      {ImageStrip::Large, 14, 32, {2, 3, 4, 7, 8, 9, 10, 11, 12}}};
  for (const Case& c : cases) {
    std::set<QByteArray> seen;
    for (int i = 0; i < c.count; ++i) {
      const QPixmap p = strips.pixmap(c.strip, i);
      ASSERT_FALSE(p.isNull()) << static_cast<int>(c.strip) << " " << i;
      EXPECT_EQ(p.width(), c.side);
      if (c.blank.contains(i)) {
        EXPECT_EQ(opaquePixels(p), 0) << "cell " << i << " of strip " << static_cast<int>(c.strip);
        continue;
      }
      EXPECT_GT(opaquePixels(p), 8) << "picture " << i << " of strip " << static_cast<int>(c.strip) << " is empty";
      EXPECT_TRUE(seen.insert(hashOf(p)).second) << "picture " << i << " repeats another";
    }
    EXPECT_TRUE(strips.pixmap(c.strip, c.count).isNull());
    EXPECT_TRUE(strips.pixmap(c.strip, -1).isNull());
  }
  // Sharp at any scale: drawn at twice the pixels for a 2x screen.
  EXPECT_EQ(strips.pixmap(ImageStrip::Utility, 19, 2.0).width(), 32);
}

TEST(ImagePixmaps, MagentaPixelsOfRunTimeImagesAreTransparent) {
  auto bitmap = std::make_shared<Bitmap>();
  bitmap->width = 2;
  bitmap->height = 1;
  bitmap->pixels = {0xFFFF00FFu, 0xFF102030u};
  const QImage img = ImagePixmaps::fromBitmap(*bitmap);
  EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
  EXPECT_EQ(img.pixel(1, 0), 0xFF102030u);
  // Too few pixels for the size: no image rather than a read past the end.
  bitmap->pixels.pop_back();
  EXPECT_TRUE(ImagePixmaps::fromBitmap(*bitmap).isNull());
}

TEST(ImagePixmaps, FileWithoutIconFallsBackToTheProgramPicture) {
  const ImagePixmaps& images = sharedDesktop().images();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("broken.desktop"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[Desktop Entry]\nName=x\n");
  f.close();
  const QPixmap fallback = images.pixmap(ImageRef::fromFile(path.toStdString(), -1), 16);
  EXPECT_EQ(hashOf(fallback), hashOf(images.strips().pixmap(ImageStrip::Small, 3)));
}

TEST(ImagePixmaps, ThemeNamesAndProgramsTakeTheDesktopThemesIcon) {
  const ImagePixmaps& images = sharedDesktop().images();
  // A theme of our own with one icon, named like a program.
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("zelvortest/16x16/apps")));
  QFile index(dir.filePath(QStringLiteral("zelvortest/index.theme")));
  ASSERT_TRUE(index.open(QIODevice::WriteOnly));
  index.write("[Icon Theme]\nName=zelvortest\nDirectories=16x16/apps\n\n[16x16/apps]\nSize=16\nType=Fixed\n");
  index.close();
  QImage red(16, 16, QImage::Format_ARGB32);
  red.fill(QColor(255, 0, 0));
  ASSERT_TRUE(red.save(dir.filePath(QStringLiteral("zelvortest/16x16/apps/zelvor-test-editor.png"))));
  const QStringList oldPaths = QIcon::themeSearchPaths();
  const QString oldTheme = QIcon::themeName();
  QIcon::setThemeSearchPaths({dir.path()});
  QIcon::setThemeName(QStringLiteral("zelvortest"));
  // A program file of that name.
  const QString program = dir.filePath(QStringLiteral("zelvor-test-editor"));
  QFile exe(program);
  ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
  exe.write("#!/bin/sh\n");
  exe.close();
  ASSERT_TRUE(exe.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

  const QImage byName = images.pixmap(ImageRef::fromFile("zelvor-test-editor", -1), 16).toImage();
  const QImage byProgram = images.pixmap(ImageRef::fromFile(program.toStdString(), -1), 16).toImage();
  QIcon::setThemeSearchPaths(oldPaths);
  QIcon::setThemeName(oldTheme);
  ASSERT_FALSE(byName.isNull());
  ASSERT_FALSE(byProgram.isNull());
  EXPECT_EQ(QColor(byName.pixel(8, 8)), QColor(255, 0, 0));
  EXPECT_EQ(QColor(byProgram.pixel(8, 8)), QColor(255, 0, 0));
  // A name the theme does not know falls back to the program picture.
  const QPixmap unknown = images.pixmap(ImageRef::fromFile("no-such-icon-anywhere", -1), 16);
  EXPECT_EQ(hashOf(unknown), hashOf(images.strips().pixmap(ImageStrip::Small, 3)));
}

TEST(RichText, SuiteTagsBecomeQtRichText) {
  struct Case {
    std::string in;
    std::vector<std::string> contains;
    std::vector<int> images;
  };
  const std::vector<Case> cases = {
      {"<table><tr><td><ilst index=4></td><td><b>Ravi</b><br><hr color=blue><br>hoy</td></tr></table>",
       {"<img src=\"ilst:4\"", "background-color:blue", "<b>Ravi</b>"}, {4}},
      {"<ILST INDEX=\"13\"/>x", {"<img src=\"ilst:13\""}, {13}},
      {"a\nb", {"a<br>b"}, {}},
      {"<hr>", {"background-color:gray"}, {}},
  };
  for (const auto& c : cases) {
    const RichText out = toQtRichText(c.in);
    for (const auto& piece : c.contains) {
      EXPECT_TRUE(out.html.contains(QString::fromStdString(piece))) << c.in << " -> " << out.html.toStdString();
    }
    EXPECT_EQ(out.imageIndices, c.images) << c.in;
  }
}

TEST(CommonDialogs, WindowsFiltersBecomeQtFilters) {
  EXPECT_EQ(toQtFilter("Texto (*.txt)|*.txt|Todos los archivos (*.*)|*.*||").toStdString(),
            "Texto (*.txt);;Todos los archivos (*)");
  EXPECT_EQ(toQtFilter("Sonidos|*.wav;*.ogg||").toStdString(), "Sonidos (*.wav *.ogg)");
  EXPECT_EQ(toQtFilter("").toStdString(), "");
}

TEST(VirtualKeys, CodesMapToKeysymsAndBack) {
  EXPECT_EQ(vk::toKeysym('K'), 0x6Bu);
  EXPECT_EQ(vk::toKeysym('7'), 0x37u);
  EXPECT_EQ(vk::toKeysym(0x70), 0xFFBEu);  // F1
  EXPECT_EQ(vk::toKeysym(0x2E), 0xFFFFu);  // Delete
  EXPECT_EQ(vk::toKeysym(0xFF), 0u);
  for (int code : {int{'A'}, int{'Z'}, int{'0'}, 0x70, 0x87, 0x0D, 0x1B, 0x25, 0x2E}) {
    EXPECT_EQ(vk::fromQtKey(vk::toQtKey(code)), code) << code;
  }
}

TEST(HotkeyField, DescribesCombinationsInSpanish) {
  EXPECT_EQ(HotkeyEdit::describe(0).toStdString(), "Ninguna");
  EXPECT_EQ(HotkeyEdit::describe('K' | (2 | 4) << 8).toStdString(), "Ctrl + Alt + K");
  EXPECT_EQ(HotkeyEdit::describe(0x70 | 1 << 8).toStdString(), "Mayús + F1");
}

TEST(Sound, RefusesWhatCannotBePlayed) {
  CanberraSound& sound = sharedDesktop().sound();
  EXPECT_FALSE(sound.play("", false));
  EXPECT_FALSE(sound.play("/no/such/folder/alarma.wav", true));
  QTemporaryDir dir;
  EXPECT_FALSE(sound.play(dir.path().toStdString(), false)) << "a folder is not a sound";
  EXPECT_FALSE(sound.playing());
  sound.stop();  // stopping with nothing playing is harmless
}

TEST(Printer, WritesPagesToAPdfFile) {
  QTemporaryDir dir;
  const std::string path = dir.filePath(QStringLiteral("out.pdf")).toStdString();
  auto job = sharedDesktop().printer().beginPdf("Zelvor", path);
  ASSERT_NE(job, nullptr);
  EXPECT_GT(job->dpiX(), 0);
  EXPECT_GT(job->pageSize().height, job->dpiY() * 5);
  job->canvas().text(Rect{100, 100, 2000, 200}, "Primera página", rgb(0, 0, 0), {}, Canvas::Align::Left, false);
  job->penLine({100, 220}, {2000, 220}, rgb(255, 0, 0), job->dpiX() / 100);
  ASSERT_TRUE(job->newPage());
  job->canvas().text(Rect{100, 100, 2000, 200}, "Segunda", rgb(0, 0, 0), {}, Canvas::Align::Right, false);
  ASSERT_TRUE(job->finish());
  QFile pdf(QString::fromStdString(path));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_TRUE(bytes.contains("/Count 2"));
}

}  // namespace
}  // namespace zelvor
