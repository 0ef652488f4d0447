#pragma once
// Turns the suite's image references into pixmaps: strip images, the icons
// of files, and pixels drawn at run time (magenta 0xFF00FF is transparent).

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "platform/image.h"
#include "platform/qt/image_strips.h"

namespace zelvor {

class ImagePixmaps {
 public:
  explicit ImagePixmaps(const ImageStrips& strips) : strips_(strips) {}

  // A null pixmap for an empty reference. A file without a usable icon
  // gives image 3 of the small strip (a program without an icon).
  [[nodiscard]] QPixmap pixmap(const ImageRef& image, int size, qreal devicePixelRatio = 1.0) const;
  [[nodiscard]] QIcon icon(const ImageRef& image, int size) const;
  [[nodiscard]] const ImageStrips& strips() const { return strips_; }

  [[nodiscard]] static QImage fromBitmap(const Bitmap& bitmap);

 private:
  [[nodiscard]] QPixmap fileIcon(const std::string& file, int index, int size) const;
  const ImageStrips& strips_;
};

}  // namespace zelvor
