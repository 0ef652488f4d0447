#pragma once
// The canvas interface over a QPainter: window surfaces and printed pages.

#include <QPainter>

#include "platform/qt/image_pixmaps.h"
#include "platform/window_model.h"

namespace zelvor {

[[nodiscard]] QColor toQColor(Colour c);
[[nodiscard]] Colour fromQColor(const QColor& c);
[[nodiscard]] QFont toQFont(const Canvas::Font& font, const QFont& base);

class QtCanvas final : public Canvas {
 public:
  QtCanvas(QPainter& painter, const ImagePixmaps& images) : painter_(painter), images_(images) {}
  void fillRect(const Rect& r, Colour c) override;
  void frameRect(const Rect& r, Colour c) override;
  void line(Point a, Point b, Colour c) override;
  void text(const Rect& r, const std::string& text, Colour c, const Font& font, Align align, bool wrap) override;
  void image(Point at, const ImageRef& image) override;
  [[nodiscard]] Size textSize(const std::string& text, const Font& font) override;

 private:
  QPainter& painter_;
  const ImagePixmaps& images_;
};

}  // namespace zelvor
