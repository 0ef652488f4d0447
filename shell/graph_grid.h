#pragma once
// The graphs' VerticalGridLines setting (the traffic meter's and the usage
// graph's): 1..4 stand for 11, 5, 3 and 1 vertical lines, anything else none.

namespace zelvor {

[[nodiscard]] constexpr int VerticalGridLineCount(int setting) {
  switch (setting) {
    case 1: return 11;
    case 2: return 5;
    case 3: return 3;
    case 4: return 1;
    default: return 0;
  }
}

}  // namespace zelvor
