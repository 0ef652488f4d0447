// A note-shaped window on a real X server, driven by xdotool: the right
// button and the menu key, accelerators, dragging by the title and clicks
// on the glyph canvas.

#include <QApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTimer>

#include "tests/qt/note_like_model.h"
#include "tests/qt/qt_test_support.h"

namespace zelvor {
namespace {

using testing::NoteLikeModel;
using testing::sharedDesktop;
using testing::waitUntil;
using namespace testing::note_like;

bool xdotool(const QStringList& args) { return QProcess::execute(QStringLiteral("xdotool"), args) == 0; }

QStringList at(QPoint p) { return {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())}; }

TEST(X11NoteWindow, PointerAndKeysReachTheModelAsANoteNeeds) {
  QtDialogHost& dialogs = sharedDesktop().dialogs();
  NoteLikeModel model;
  const WindowHandle handle = dialogs.create(model);
  dialogs.show(handle);
  dialogs.activate(handle);
  ModelWindow* window = dialogs.window(handle);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(waitUntil([&] { return window->isActiveWindow(); }));
  auto* edit = qobject_cast<QPlainTextEdit*>(window->widgetFor(kText));
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  // An edit's own menu would run a loop of its own: close it and remember it appeared.
  bool ownMenuShown = false;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      ownMenuShown = true;
      popup->close();
    }
  });
  closer.start(10);

  const QPoint inEdit = edit->viewport()->mapToGlobal(edit->viewport()->rect().center());
  ASSERT_TRUE(xdotool(at(inEdit) << QStringLiteral("click") << QStringLiteral("3")));
  ASSERT_TRUE(waitUntil([&] { return model.ofKind(ControlEvent::Kind::ContextMenu).size() == 1; }));
  EXPECT_EQ(model.ofKind(ControlEvent::Kind::ContextMenu)[0].controlId, kText);
  EXPECT_EQ(model.ofKind(ControlEvent::Kind::ContextMenu)[0].x, inEdit.x());
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

  ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("Menu")}));
  ASSERT_TRUE(waitUntil([&] { return model.ofKind(ControlEvent::Kind::ContextMenu).size() == 2; }));
  EXPECT_EQ(model.ofKind(ControlEvent::Kind::ContextMenu)[1].controlId, kText);

  ASSERT_TRUE(xdotool({QStringLiteral("type"), QStringLiteral("hola")}));
  ASSERT_TRUE(waitUntil([&] { return edit->toPlainText() == QStringLiteral("hola"); }));
  ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+z"), QStringLiteral("F6")}));
  ASSERT_TRUE(waitUntil([&] { return model.ofKind(ControlEvent::Kind::Accelerator).size() == 2; }));
  EXPECT_EQ(model.ofKind(ControlEvent::Kind::Accelerator)[0].controlId, kUndoCommand);
  EXPECT_EQ(model.ofKind(ControlEvent::Kind::Accelerator)[1].controlId, kHide);
  EXPECT_EQ(edit->toPlainText().toStdString(), "hola");  // the edit did not undo
  EXPECT_FALSE(ownMenuShown);

  // A click on the glyph canvas is the canvas's; the window stays put.
  const QPoint before = window->pos();
  QWidget* glyphs = window->widgetFor(kGlyphs);
  ASSERT_TRUE(xdotool(at(glyphs->mapToGlobal(QPoint(30, 5))) << QStringLiteral("click") << QStringLiteral("1")));
  ASSERT_TRUE(waitUntil([&] { return !model.ofKind(ControlEvent::Kind::MouseUp).empty(); }));
  EXPECT_EQ(model.ofKind(ControlEvent::Kind::MouseDown).at(0).controlId, kGlyphs);
  EXPECT_EQ(window->pos(), before);

  // Dragging the title moves the window (by hand: Xvfb has no window manager).
  const QPoint title = window->widgetFor(kTitle)->mapToGlobal(QPoint(10, 5));
  ASSERT_TRUE(xdotool(at(title) << QStringLiteral("mousedown") << QStringLiteral("1")));
  ASSERT_TRUE(xdotool(at(title + QPoint(20, 10))));
  ASSERT_TRUE(xdotool(at(title + QPoint(40, 30)) << QStringLiteral("mouseup") << QStringLiteral("1")));
  EXPECT_TRUE(waitUntil([&] { return window->pos() == before + QPoint(40, 30); }))
      << window->pos().x() << "," << window->pos().y();
  dialogs.destroy(handle);
}

}  // namespace
}  // namespace zelvor
