#include "platform/qt/qt_canvas.h"

#include <QFontMetrics>

#include <algorithm>

namespace zelvor {

QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }
Colour fromQColor(const QColor& c) { return rgb(c.red(), c.green(), c.blue()); }

QFont toQFont(const Canvas::Font& font, const QFont& base) {
  QFont f = base;
  if (!font.family.empty()) f.setFamily(QString::fromStdString(font.family));
  if (font.pointSize > 0) f.setPointSize(font.pointSize);
  if (font.weight > 0) {
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
  } else {
    f.setBold(font.bold);
  }
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikeOut);
  return f;
}

namespace {
QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
}  // namespace

void QtCanvas::fillRect(const Rect& r, Colour c) { painter_.fillRect(toQRect(r), toQColor(c)); }

void QtCanvas::frameRect(const Rect& r, Colour c) {
  if (r.width() <= 0 || r.height() <= 0) return;
  painter_.save();
  painter_.setPen(QPen(toQColor(c), 0));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(r.left, r.top, r.width() - 1, r.height() - 1);
  painter_.restore();
}

void QtCanvas::line(Point a, Point b, Colour c) {
  painter_.save();
  painter_.setPen(QPen(toQColor(c), 0));
  painter_.drawLine(a.x, a.y, b.x, b.y);
  painter_.restore();
}

void QtCanvas::text(const Rect& r, const std::string& text, Colour c, const Font& font, Align align, bool wrap) {
  painter_.save();
  painter_.setFont(toQFont(font, painter_.font()));
  painter_.setPen(toQColor(c));
  int flags = align == Align::Left ? Qt::AlignLeft : align == Align::Centre ? Qt::AlignHCenter : Qt::AlignRight;
  flags |= wrap ? (Qt::TextWordWrap | Qt::AlignTop) : (Qt::TextSingleLine | Qt::AlignVCenter);
  painter_.drawText(toQRect(r), flags, QString::fromStdString(text));
  painter_.restore();
}

void QtCanvas::image(Point at, const ImageRef& image) {
  const int size = image.strip == ImageStrip::Large ? 32 : 16;
  const QPixmap pm = images_.pixmap(image, size, painter_.device()->devicePixelRatioF());
  if (!pm.isNull()) painter_.drawPixmap(at.x, at.y, pm);
}

Size QtCanvas::textSize(const std::string& text, const Font& font) {
  const QFontMetrics metrics(toQFont(font, painter_.font()), painter_.device());
  const QSize s = metrics.size(0, QString::fromStdString(text));
  return Size{s.width(), s.height()};
}

}  // namespace zelvor
