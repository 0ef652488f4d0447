#include "net/traffic/icon_bars.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zelvor::traffic {
namespace {

struct Rgb {
  int r, g, b;
};

constexpr std::array<Rgb, 14> kDownloadRamp{{{186, 60, 0},
                                             {186, 60, 0},
                                             {217, 70, 0},
                                             {217, 70, 0},
                                             {240, 85, 0},
                                             {240, 85, 0},
                                             {255, 109, 76},
                                             {255, 109, 76},
                                             {255, 133, 72},
                                             {255, 133, 72},
                                             {255, 133, 72},
                                             {255, 157, 108},
                                             {255, 157, 108},
                                             {255, 157, 108}}};
constexpr std::array<Rgb, 14> kUploadRamp{{{60, 186, 0},
                                           {60, 176, 0},
                                           {70, 217, 0},
                                           {70, 217, 0},
                                           {85, 240, 0},
                                           {85, 240, 0},
                                           {109, 255, 36},
                                           {109, 255, 36},
                                           {133, 255, 72},
                                           {133, 255, 72},
                                           {133, 255, 72},
                                           {157, 255, 108},
                                           {157, 255, 108},
                                           {157, 255, 108}}};
constexpr Rgb kDownloadFlat{255, 0, 0};
constexpr Rgb kUploadFlat{0, 255, 0};

std::uint32_t Argb(Rgb c) {
  return 0xFF000000u | static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 |
         static_cast<std::uint32_t>(c.b);
}

void Bar(Bitmap& b, int firstRow, int length, const std::array<Rgb, 14>& ramp, Rgb flat, BarStyle style) {
  length = std::clamp(length, 0, 14);
  for (int row = firstRow; row < firstRow + 3; ++row) {
    for (int i = 0; i < length; ++i) {
      const Rgb c = style == BarStyle::Ramp ? ramp[static_cast<std::size_t>(i)] : flat;
      b.pixels[static_cast<std::size_t>(row * 16 + 1 + i)] = Argb(c);
    }
  }
}

}  // namespace

BarStyle BarStyleFor(int mostrarBarra, int osGeneration) {
  return mostrarBarra == 1 || osGeneration == 3 || osGeneration >= 7 ? BarStyle::Ramp : BarStyle::Flat;
}

std::shared_ptr<const Bitmap> DrawIconBars(int downloadLength, int uploadLength, BarStyle style) {
  auto b = std::make_shared<Bitmap>();
  b->width = b->height = 16;
  b->pixels.assign(16 * 16, 0);
  Bar(*b, 8, downloadLength, kDownloadRamp, kDownloadFlat, style);
  Bar(*b, 12, uploadLength, kUploadRamp, kUploadFlat, style);
  return b;
}

ImageRef IconWithBars(int downloadLength, int uploadLength, BarStyle style) {
  // The strip picture and the pixels together: the binding draws the
  // picture and the bars over it.
  ImageRef icon = ImageRef::fromStrip(ImageStrip::Utility, kDedoVuvPicture);
  icon.pixels = DrawIconBars(downloadLength, uploadLength, style);
  return icon;
}

}  // namespace zelvor::traffic
