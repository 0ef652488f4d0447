#pragma once
// The scrolling graph of the traffic meter: the last 120 points of the
// upload and download speeds across the plot's width, the grid, and the
// labels (M and 0 at the left, "KB/s" written down the side, "0s" and "2m"
// under the plot).

#include <deque>
#include <utility>

#include "platform/window_model.h"

namespace zelvor::traffic {

struct GraphLook {
  Colour background = 0x00400000;
  Colour grid = 0x00FFC0C0;
  Colour download = 0x000000FF;
  Colour upload = 0x0000FFFF;
  int verticalLines = 0;  // how many dotted vertical lines divide the width
};

// The plot's rectangle inside a surface of this size (room for the labels).
[[nodiscard]] Rect PlotArea(Size surface);
// The pixel row of a value in a plot whose range runs from −0.03 M to 1.03 M;
// values beyond the range sit on its edge.
[[nodiscard]] int RowOfValue(const Rect& plot, double value, int max);
// The x of vertical grid line i (0-based) of count inside the plot.
[[nodiscard]] int GridColumn(const Rect& plot, int i, int count);

// points: (upload, download), oldest first, at most 120.
void PaintTrafficGraph(Canvas& canvas, Size surface, const GraphLook& look,
                       const std::deque<std::pair<double, double>>& points, int max);

}  // namespace zelvor::traffic
