#include "platform/qt/image_strips.h"

#include <QPainter>

#include <tuple>

// The resources live in a static library; without this call the linker may
// drop them.
static void initArtResources() { Q_INIT_RESOURCE(art); }

namespace zelvor {
namespace {

const char* sourceOf(ImageStrip strip) {
  switch (strip) {
    case ImageStrip::Utility: return ":/zelvor/art/utility.svg";
    case ImageStrip::Product: return ":/zelvor/art/product.svg";
    case ImageStrip::Blink: return ":/zelvor/art/blink.svg";
    case ImageStrip::Small: return ":/zelvor/art/small.svg";
    case ImageStrip::Large: return ":/zelvor/art/large.svg";
    case ImageStrip::Dial: return ":/zelvor/art/dial.svg";
    case ImageStrip::None: break;
  }
  return nullptr;
}

}  // namespace

ImageStrips::ImageStrips() {
  initArtResources();
  for (ImageStrip s : {ImageStrip::Utility, ImageStrip::Product, ImageStrip::Blink, ImageStrip::Small,
                       ImageStrip::Large, ImageStrip::Dial}) {
    auto renderer = std::make_unique<QSvgRenderer>(QString::fromLatin1(sourceOf(s)));
    if (renderer->isValid()) renderers_[s] = std::move(renderer);
  }
}

int ImageStrips::count(ImageStrip strip) {
  switch (strip) {
    case ImageStrip::Utility: return 24;
    case ImageStrip::Product: return 8;
    case ImageStrip::Blink: return 1;
    case ImageStrip::Small: return 4;
    case ImageStrip::Large: return 14;
    case ImageStrip::Dial: return 4;
    case ImageStrip::None: break;
  }
  return 0;
}

int ImageStrips::cellSize(ImageStrip strip) { return strip == ImageStrip::Large ? 32 : 16; }

QPixmap ImageStrips::pixmap(ImageStrip strip, int index, qreal devicePixelRatio) const {
  if (index < 0 || index >= count(strip)) return {};
  const auto renderer = renderers_.find(strip);
  if (renderer == renderers_.end()) return {};
  const int cell = cellSize(strip);
  const int pixels = static_cast<int>(cell * devicePixelRatio + 0.5);
  const auto key = std::make_tuple(strip, index, pixels);
  if (const auto hit = cache_.find(key); hit != cache_.end()) return hit->second;

  // Each picture occupies one cell of the strip's view box; draw only that cell.
  QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer->second->setViewBox(QRectF(index * cell, 0, cell, cell));
    renderer->second->render(&painter, QRectF(0, 0, pixels, pixels));
  }
  QPixmap result = QPixmap::fromImage(image);
  result.setDevicePixelRatio(devicePixelRatio);
  cache_[key] = result;
  return result;
}

}  // namespace zelvor
