#pragma once
// Images the suite shows: an index into one of the program's strips, a
// file's icon, or pixels drawn at run time (traffic bars, icon texts).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zelvor {

// 32-bit ARGB pixels, row by row from the top.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  friend bool operator==(const Bitmap&, const Bitmap&) = default;
};

enum class ImageStrip {
  None,
  Utility,     // 16x16, 24 images; 22 and 23 are the separators
  Product,     // 16x16, 8 images (the choices of the product icon)
  Blink,       // the single blink image
  Small,       // image 1 for extended tooltips, 3 for a program without an icon
  Large,       // 32x32
  Dial,        // 16x16: the dial log's step under way, step done, connected, failed
};

struct ImageRef {
  ImageStrip strip = ImageStrip::None;
  int index = -1;
  std::string file;  // when set: the icon at index inside this file (-1: its own icon)
  std::shared_ptr<const Bitmap> pixels;  // when set: these pixels

  [[nodiscard]] static ImageRef fromStrip(ImageStrip s, int i) { return {s, i, {}, {}}; }
  [[nodiscard]] static ImageRef fromFile(std::string f, int i) { return {ImageStrip::None, i, std::move(f), {}}; }
  [[nodiscard]] static ImageRef fromPixels(std::shared_ptr<const Bitmap> p) {
    return {ImageStrip::None, -1, {}, std::move(p)};
  }
  [[nodiscard]] bool empty() const { return strip == ImageStrip::None && file.empty() && !pixels; }
  friend bool operator==(const ImageRef&, const ImageRef&) = default;
};

}  // namespace zelvor
