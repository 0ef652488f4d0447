#include "net/traffic/traffic_graph.h"

#include <algorithm>
#include <cstdio>

namespace zelvor::traffic {
namespace {

constexpr int kLeftRoom = 34;   // M's label and the vertical unit
constexpr int kBottomRoom = 14; // "0s" and "2m"
constexpr int kPoints = 120;

void DottedHorizontal(Canvas& c, int left, int right, int y, Colour colour) {
  for (int x = left; x <= right; x += 4) c.fillRect({x, y, x + 1, y + 1}, colour);
}

void DottedVertical(Canvas& c, int x, int top, int bottom, Colour colour) {
  for (int y = top; y <= bottom; y += 4) c.fillRect({x, y, x + 1, y + 1}, colour);
}

}  // namespace

Rect PlotArea(Size surface) {
  return {kLeftRoom, 2, std::max(kLeftRoom + 10, surface.width - 3), std::max(12, surface.height - kBottomRoom)};
}

int RowOfValue(const Rect& plot, double value, int max) {
  const double m = max <= 0 ? 1.0 : static_cast<double>(max);
  const double low = -0.03 * m;
  const double high = m + 0.03 * m;
  const double v = std::clamp(value, low, high);
  const double height = plot.bottom - plot.top;
  return plot.bottom - static_cast<int>((v - low) / (high - low) * height + 0.5);
}

int GridColumn(const Rect& plot, int i, int count) {
  return plot.left + (plot.right - plot.left) * (i + 1) / (count + 1);
}

void PaintTrafficGraph(Canvas& c, Size surface, const GraphLook& look,
                       const std::deque<std::pair<double, double>>& points, int max) {
  c.fillRect({0, 0, surface.width, surface.height}, look.background);
  const Rect plot = PlotArea(surface);
  c.frameRect(plot, look.grid);
  for (int band = 1; band < 4; ++band) {
    DottedHorizontal(c, plot.left, plot.right, plot.top + (plot.bottom - plot.top) * band / 4, look.grid);
  }
  for (int i = 0; i < look.verticalLines; ++i) {
    DottedVertical(c, GridColumn(plot, i, look.verticalLines), plot.top, plot.bottom, look.grid);
  }

  Canvas::Font small;
  small.pointSize = 7;
  char top[32];
  std::snprintf(top, sizeof top, "%.1f", static_cast<double>(max));
  c.text({0, plot.top - 2, plot.left - 2, plot.top + 10}, top, look.grid, small, TextAlign::Right, false);
  c.text({0, plot.bottom - 10, plot.left - 2, plot.bottom + 2}, "0", look.grid, small, TextAlign::Right, false);
  // "KB/s" down the side, one letter under the other, centred.
  const int middle = (plot.top + plot.bottom) / 2;
  const std::string unit = "KB/s";
  for (std::size_t i = 0; i < unit.size(); ++i) {
    const int y = middle - 20 + static_cast<int>(i) * 10;
    c.text({0, y, 10, y + 10}, std::string(1, unit[i]), look.grid, small, TextAlign::Centre, false);
  }
  c.text({plot.left, plot.bottom + 1, plot.left + 20, surface.height}, "0s", look.grid, small, TextAlign::Left, false);
  c.text({plot.right - 20, plot.bottom + 1, plot.right, surface.height}, "2m", look.grid, small, TextAlign::Right,
         false);

  // The newest point sits on the right edge; each earlier one a step of
  // width ÷ 119 further left, so 120 points fill the width.
  const int n = static_cast<int>(points.size());
  const int width = plot.right - plot.left;
  const auto x = [&](int k) { return plot.left + width * (k + kPoints - n) / (kPoints - 1); };
  for (int k = 1; k < n; ++k) {
    const auto& a = points[static_cast<std::size_t>(k - 1)];
    const auto& b = points[static_cast<std::size_t>(k)];
    c.line({x(k - 1), RowOfValue(plot, a.first, max)}, {x(k), RowOfValue(plot, b.first, max)}, look.upload);
    c.line({x(k - 1), RowOfValue(plot, a.second, max)}, {x(k), RowOfValue(plot, b.second, max)}, look.download);
  }
}

}  // namespace zelvor::traffic
