#include "platform/qt/qt_screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace zelvor {
namespace {

QScreen* screenAt(Point p) {
  QScreen* s = QGuiApplication::screenAt(QPoint(p.x, p.y));
  return s != nullptr ? s : QGuiApplication::primaryScreen();
}

Rect toRect(const QRect& r) { return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace

Point QtScreen::cursor() {
  if (!pointerReadable_ && pointer_.lastActivation) return *pointer_.lastActivation;
  const QPoint p = QCursor::pos();
  return Point{p.x(), p.y()};
}

Rect QtScreen::workArea() {
  QScreen* s = screenAt(cursor());
  return s != nullptr ? toRect(s->availableGeometry()) : Rect{};
}

Size QtScreen::size() {
  QScreen* s = screenAt(cursor());
  if (s == nullptr) return {};
  return Size{s->geometry().width(), s->geometry().height()};
}

int QtScreen::colourDepth() {
  QScreen* s = screenAt(cursor());
  return s != nullptr ? s->depth() : 0;
}

int QtScreen::refreshRate() {
  QScreen* s = screenAt(cursor());
  if (s == nullptr) return 0;
  // Displays run at rates such as 59.94 Hz, which the user knows as 60.
  const double rate = s->refreshRate();
  return rate > 0 && rate < 10000 ? static_cast<int>(std::lround(rate)) : 0;
}

}  // namespace zelvor
