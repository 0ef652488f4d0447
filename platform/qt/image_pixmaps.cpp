#include "platform/qt/image_pixmaps.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSettings>

namespace zelvor {

QImage ImagePixmaps::fromBitmap(const Bitmap& bitmap) {
  if (bitmap.width <= 0 || bitmap.height <= 0 ||
      bitmap.pixels.size() < static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
    return {};
  }
  QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
  for (int y = 0; y < bitmap.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.width; ++x) {
      QRgb p = bitmap.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.width) +
                             static_cast<std::size_t>(x)];
      // Strips composed at run time keep magenta as their transparent colour.
      if ((p & 0x00FFFFFFu) == 0x00FF00FFu) p = 0;
      line[x] = p;
    }
  }
  return image;
}

QPixmap ImagePixmaps::pixmap(const ImageRef& image, int size, qreal devicePixelRatio) const {
  // A strip picture with pixels drawn over it (the traffic bars of an icon).
  if (image.pixels && image.strip != ImageStrip::None) {
    QPixmap base = pixmap(ImageRef::fromStrip(image.strip, image.index), size, devicePixelRatio);
    const QImage over = fromBitmap(*image.pixels);
    if (base.isNull() || over.isNull()) return base;
    QPainter painter(&base);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(0, 0, size, size), over);
    return base;
  }
  if (image.pixels) {
    QImage img = fromBitmap(*image.pixels);
    if (img.isNull()) return {};
    const int pixels = static_cast<int>(size * devicePixelRatio + 0.5);
    QPixmap result = QPixmap::fromImage(img.width() == pixels ? img
                                                              : img.scaled(pixels, pixels, Qt::KeepAspectRatio,
                                                                           Qt::SmoothTransformation));
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
  }
  if (!image.file.empty()) {
    const QPixmap icon = fileIcon(image.file, image.index, static_cast<int>(size * devicePixelRatio + 0.5));
    if (!icon.isNull()) {
      QPixmap result = icon;
      result.setDevicePixelRatio(devicePixelRatio);
      return result;
    }
    return strips_.pixmap(ImageStrip::Small, 3, devicePixelRatio * size / 16.0);
  }
  if (image.strip == ImageStrip::None) return {};
  const int cell = ImageStrips::cellSize(image.strip);
  return strips_.pixmap(image.strip, image.index, devicePixelRatio * size / cell);
}

QIcon ImagePixmaps::icon(const ImageRef& image, int size) const {
  QIcon result;
  for (qreal dpr : {1.0, 2.0}) {
    const QPixmap p = pixmap(image, size, dpr);
    if (!p.isNull()) result.addPixmap(p);
  }
  return result;
}

QPixmap ImagePixmaps::fileIcon(const std::string& file, int index, int size) const {
  const QString path = QString::fromStdString(file);
  const QFileInfo info(path);
  // A bare name is an icon of the desktop's theme (a launcher's Icon= value).
  if (!path.contains(QLatin1Char('/'))) {
    const QIcon themed = QIcon::fromTheme(path);
    return themed.isNull() ? QPixmap() : themed.pixmap(size, size);
  }
  if (!info.exists()) return {};
  // A launcher names its icon in the desktop's theme.
  if (info.suffix() == QLatin1String("desktop")) {
    QSettings entry(path, QSettings::IniFormat);
    const QString name = entry.value(QStringLiteral("Desktop Entry/Icon")).toString();
    if (!name.isEmpty()) {
      const QIcon themed = QFileInfo(name).isAbsolute() ? QIcon(name) : QIcon::fromTheme(name);
      if (!themed.isNull()) return themed.pixmap(size, size);
    }
    return {};
  }
  // An image file (ICO, PNG, SVG, XPM) is its own icon; index picks one image of several.
  QImageReader reader(path);
  if (reader.canRead()) {
    if (index > 0) reader.jumpToImage(index);
    const QImage img = reader.read();
    if (!img.isNull()) return QPixmap::fromImage(img.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  }
  // A program whose name the theme knows shows that icon (gnome-calculator).
  if (info.isExecutable() && !info.isDir()) {
    const QIcon themed = QIcon::fromTheme(info.fileName());
    if (!themed.isNull()) return themed.pixmap(size, size);
  }
  const QIcon byType = QFileIconProvider().icon(info);
  return byType.isNull() ? QPixmap() : byType.pixmap(size, size);
}

}  // namespace zelvor
