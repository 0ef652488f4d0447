#pragma once
// Geometry, colours and window handles in the suite's own terms.

#include <cstdint>

namespace zelvor {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  [[nodiscard]] int width() const { return right - left; }
  [[nodiscard]] int height() const { return bottom - top; }
  [[nodiscard]] bool contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A colour as stored: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;
[[nodiscard]] constexpr Colour rgb(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}
[[nodiscard]] constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
[[nodiscard]] constexpr int greenOf(Colour c) { return static_cast<int>(c >> 8 & 0xFF); }
[[nodiscard]] constexpr int blueOf(Colour c) { return static_cast<int>(c >> 16 & 0xFF); }

// Identifies a message target (a window, or the UI thread itself) to the
// event loop. 0 is no window.
using WindowHandle = std::uint32_t;
inline constexpr WindowHandle kNoWindow = 0;

}  // namespace zelvor
