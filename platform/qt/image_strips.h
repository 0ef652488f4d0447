#pragma once
// The program's image strips, drawn from the SVG sources in art/ at the
// size the screen needs (so they stay sharp at any scale).

#include <QPixmap>
#include <QSvgRenderer>

#include <map>
#include <memory>

#include "platform/image.h"

namespace zelvor {

class ImageStrips {
 public:
  ImageStrips();
  ImageStrips(const ImageStrips&) = delete;
  ImageStrips& operator=(const ImageStrips&) = delete;

  [[nodiscard]] static int count(ImageStrip strip);
  [[nodiscard]] static int cellSize(ImageStrip strip);
  // Image index of strip at its cell size times devicePixelRatio; a null
  // pixmap for an index outside the strip.
  [[nodiscard]] QPixmap pixmap(ImageStrip strip, int index, qreal devicePixelRatio = 1.0) const;

 private:
  std::map<ImageStrip, std::unique_ptr<QSvgRenderer>> renderers_;
  mutable std::map<std::tuple<ImageStrip, int, int>, QPixmap> cache_;
};

}  // namespace zelvor
