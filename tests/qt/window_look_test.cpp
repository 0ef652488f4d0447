// A caption-less window with coloured, styled labels and edits, its
// accelerator table and context-menu events on Qt: the look a note window
// is built from, and the keys and clicks it reacts to.

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSizeGrip>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include "platform/qt/qt_canvas.h"
#include "tests/qt/note_like_model.h"
#include "tests/qt/qt_test_support.h"

namespace zelvor {
namespace {

using testing::sharedDesktop;
using testing::waitUntil;

using testing::NoteLikeModel;
using namespace testing::note_like;

class WindowLook : public ::testing::Test {
 protected:
  void SetUp() override {
    handle = dialogs().create(model);
    dialogs().show(handle);
    window = dialogs().window(handle);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitUntil([&] { return window->isVisible(); }));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    edit = qobject_cast<QPlainTextEdit*>(window->widgetFor(kText));
    ASSERT_NE(edit, nullptr);
  }
  void TearDown() override { dialogs().destroy(handle); }
  static QtDialogHost& dialogs() { return sharedDesktop().dialogs(); }

  NoteLikeModel model;
  WindowHandle handle = kNoWindow;
  ModelWindow* window = nullptr;
  QPlainTextEdit* edit = nullptr;
};

TEST_F(WindowLook, LabelAndEditShowTheModelsColoursFontAlignmentAndFrame) {
  auto* label = qobject_cast<QLabel*>(window->widgetFor(kTitle));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->palette().color(QPalette::WindowText), toQColor(kInk));
  EXPECT_EQ(label->palette().color(QPalette::Window), toQColor(kBack));
  EXPECT_TRUE(label->autoFillBackground());
  EXPECT_EQ(label->font().weight(), QFont::Bold);
  EXPECT_EQ(label->font().pointSize(), 12);
  EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);

  EXPECT_EQ(edit->palette().color(QPalette::Base), toQColor(kBack));
  EXPECT_EQ(edit->palette().color(QPalette::Text), toQColor(kInk));
  EXPECT_EQ(edit->font().pointSize(), 14);
  EXPECT_TRUE(edit->font().italic());
  EXPECT_TRUE(edit->font().strikeOut());
  EXPECT_EQ(edit->document()->defaultTextOption().alignment(), Qt::AlignRight);
  EXPECT_EQ(edit->frameShape(), QFrame::NoFrame);

  // Changing the model's look and updating re-applies it; unset returns to the desktop's.
  Control* text = model.find(kText);
  text->align = TextAlign::Centre;
  text->flat = false;
  text->font.reset();
  text->textColour.reset();
  dialogs().update(handle);
  EXPECT_EQ(edit->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
  EXPECT_NE(edit->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(edit->font().family(), QApplication::font().family());
  EXPECT_EQ(edit->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
  // Alignment survives new text, as the note's edit keeps it while the user types.
  edit->setPlainText(QStringLiteral("otra línea"));
  EXPECT_EQ(edit->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
}

TEST_F(WindowLook, CaptionLessWindowIsOneColourEdgeToEdgeAndResizable) {
  EXPECT_EQ(window->palette().color(QPalette::Window), toQColor(kBack));
  EXPECT_EQ(window->layout()->contentsMargins(), QMargins(0, 0, 0, 0));
  EXPECT_EQ(window->layout()->spacing(), 0);
  EXPECT_EQ(window->minimumSize(), QSize(60, 18));
  EXPECT_EQ(window->size(), QSize(220, 180));
  auto* grip = window->findChild<QSizeGrip*>(QStringLiteral("sizeGrip"));
  ASSERT_NE(grip, nullptr);
  EXPECT_TRUE(grip->isVisible());
  EXPECT_EQ(grip->geometry().bottomRight(), window->rect().bottomRight());

  // Every corner but the grip's, and points in the title and the edit, are the note's colour.
  const QImage shot = window->grab().toImage();
  const QColor back = toQColor(kBack);
  for (const QPoint p : {QPoint(0, 0), QPoint(shot.width() - 1, 0), QPoint(0, shot.height() - 1),
                         QPoint(2, 2), QPoint(shot.width() / 2, shot.height() / 2), QPoint(shot.width() - 45, 30)}) {
    EXPECT_EQ(shot.pixelColor(p), back) << p.x() << "," << p.y();
  }
  // The window is shrinkable to the model's minimum, below the edit's own wish.
  window->resize(60, 18);
  EXPECT_TRUE(waitUntil([&] { return window->size() == QSize(60, 18); }));
}

TEST_F(WindowLook, AcceleratorKeysReachTheModelBeforeTheEdit) {
  edit->setFocus();
  QTest::keyClicks(edit, "hola");
  model.events.clear();
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);   // the edit would undo
  QTest::keyClick(edit, Qt::Key_F6);
  QTest::keyClick(edit, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(edit, Qt::Key_Q, Qt::ControlModifier);   // not in the table
  const auto keys = model.ofKind(ControlEvent::Kind::Accelerator);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].controlId, kUndoCommand);
  EXPECT_EQ(keys[1].controlId, kHide);
  EXPECT_EQ(keys[2].controlId, kDelete);
  EXPECT_EQ(keys[2].modifiers, 3);
  EXPECT_EQ(edit->toPlainText().toStdString(), "hola");

  // A new table replaces the old one.
  model.accelerators = {{0x76, 0, kHide}};
  dialogs().update(handle);
  model.events.clear();
  QTest::keyClick(edit, Qt::Key_F6);
  QTest::keyClick(edit, Qt::Key_F7);
  const auto after = model.ofKind(ControlEvent::Kind::Accelerator);
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(after[0].key, 0x76);
}

// What the window system delivers for a right click: QTest's clicks go to
// the widget directly and leave it out.
void rightClick(QWidget* w, QPoint at) {
  QTest::mouseClick(w, Qt::RightButton, {}, at);
  QContextMenuEvent menu(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
  QApplication::sendEvent(w, &menu);
}

// Whether a pop-up menu is open now; it is closed again.
bool closePopup() {
  QCoreApplication::processEvents();
  QWidget* popup = QApplication::activePopupWidget();
  if (popup == nullptr) return false;
  popup->close();
  return true;
}

TEST_F(WindowLook, RightClickAndMenuKeyReportContextMenuInsteadOfTheEditsMenu) {
  // An edit's own menu would run its own loop: close it from there and remember it appeared.
  bool ownMenuShown = false;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      ownMenuShown = true;
      popup->close();
    }
  });
  closer.start(10);
  const QPoint inEdit(20, 20);
  rightClick(edit->viewport(), inEdit);
  EXPECT_FALSE(closePopup());
  EXPECT_FALSE(ownMenuShown);
  auto menus = model.ofKind(ControlEvent::Kind::ContextMenu);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0].controlId, kText);
  EXPECT_EQ(QPoint(menus[0].x, menus[0].y), edit->viewport()->mapToGlobal(inEdit));

  // On the title and on the glyph canvas.
  auto* label = window->widgetFor(kTitle);
  rightClick(label, QPoint(3, 3));
  rightClick(window->widgetFor(kGlyphs), QPoint(3, 3));
  menus = model.ofKind(ControlEvent::Kind::ContextMenu);
  ASSERT_EQ(menus.size(), 3u);
  EXPECT_EQ(menus[1].controlId, kTitle);
  EXPECT_EQ(menus[2].controlId, kGlyphs);

  // The menu key: the X11 platform turns it into a keyboard context-menu
  // event for the focus widget (the off-screen one does not).
  edit->setFocus();
  const QPoint caret = edit->cursorRect().center();
  QContextMenuEvent key(QContextMenuEvent::Keyboard, caret, edit->viewport()->mapToGlobal(caret));
  QApplication::sendEvent(edit->viewport(), &key);
  EXPECT_FALSE(closePopup());
  menus = model.ofKind(ControlEvent::Kind::ContextMenu);
  ASSERT_EQ(menus.size(), 4u);
  EXPECT_EQ(menus[3].controlId, kText);
  EXPECT_FALSE(ownMenuShown);
}

TEST(WindowLookCaptioned, OrdinaryDialogsKeepTheEditsMenuAndReportOnlyTheirSurface) {
  QtDialogHost& dialogs = sharedDesktop().dialogs();
  NoteLikeModel model;
  model.style.caption = true;
  const WindowHandle handle = dialogs.create(model);
  dialogs.show(handle);
  ModelWindow* window = dialogs.window(handle);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(waitUntil([&] { return window->isVisible(); }));
  auto* edit = qobject_cast<QPlainTextEdit*>(window->widgetFor(kText));
  ASSERT_NE(edit, nullptr);
  bool ownMenuShown = false;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      ownMenuShown = true;
      popup->close();
    }
  });
  closer.start(10);
  rightClick(edit->viewport(), QPoint(20, 20));
  EXPECT_TRUE(closePopup() || ownMenuShown);
  rightClick(window->widgetFor(kTitle), QPoint(3, 3));
  const auto menus = model.ofKind(ControlEvent::Kind::ContextMenu);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0].controlId, 0);  // the label has no menu: the window's surface does
  dialogs.destroy(handle);
}

TEST_F(WindowLook, GlyphCanvasKeepsItsClicksInADraggableWindow) {
  QTest::mouseClick(window->widgetFor(kGlyphs), Qt::LeftButton, {}, QPoint(30, 5));
  const auto downs = model.ofKind(ControlEvent::Kind::MouseDown);
  const auto ups = model.ofKind(ControlEvent::Kind::MouseUp);
  ASSERT_EQ(downs.size(), 1u);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(downs[0].controlId, kGlyphs);
  EXPECT_EQ(downs[0].x, 30);
  EXPECT_EQ(downs[0].button, 1);
}

TEST_F(WindowLook, EditStateAndTextHeightFollowTheEdit) {
  edit->setFocus();
  EXPECT_FALSE(dialogs().editState(handle, kText).hasSelection);
  EXPECT_FALSE(dialogs().editState(handle, kText).canUndo);
  QTest::keyClicks(edit, "uno");
  dialogs().editAction(handle, kText, DialogHost::EditAction::SelectAll);
  EXPECT_TRUE(dialogs().editState(handle, kText).hasSelection);
  EXPECT_TRUE(dialogs().editState(handle, kText).canUndo);

  const int oneLine = dialogs().textHeight(handle, kText);
  EXPECT_GT(oneLine, 0);
  edit->setPlainText(QStringLiteral("uno\ndos\ntres\ncuatro"));
  const int fourLines = dialogs().textHeight(handle, kText);
  const int lineSpacing = edit->fontMetrics().lineSpacing();
  EXPECT_EQ(fourLines - oneLine, 3 * lineSpacing);
  EXPECT_EQ(dialogs().textHeight(handle, kTitle), 0);  // not a multi-line edit
}

}  // namespace
}  // namespace zelvor

namespace zelvor {
namespace {

TEST(QtPlatformChoice, WaylandSessionsRunThroughXWaylandWhenItIsThere) {
  struct Case {
    const char* qpa;
    const char* wayland;
    const char* display;
    const char* expected;
  };
  const Case cases[] = {
      {nullptr, "wayland-0", ":0", "xcb"},  // XWayland is there
      {nullptr, "wayland-0", nullptr, ""},  // Wayland alone: Qt's own choice
      {nullptr, "wayland-0", "", ""},
      {nullptr, nullptr, ":0", ""},         // plain X11
      {"wayland", "wayland-0", ":0", ""},   // the user chose
  };
  for (const Case& c : cases) {
    const auto env = [&](const char* name) -> const char* {
      const std::string_view n(name);
      if (n == "QT_QPA_PLATFORM") return c.qpa;
      if (n == "WAYLAND_DISPLAY") return c.wayland;
      if (n == "DISPLAY") return c.display;
      return nullptr;
    };
    EXPECT_EQ(QtDesktop::preferredPlatform(env), c.expected)
        << (c.qpa ? c.qpa : "-") << " " << (c.wayland ? c.wayland : "-") << " " << (c.display ? c.display : "-");
  }
}

}  // namespace
}  // namespace zelvor
