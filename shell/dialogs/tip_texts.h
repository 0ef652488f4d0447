#pragma once
// The thirty tips of the day, in the order the chooser counts them.

#include <array>
#include <string_view>

namespace zelvor {

inline constexpr int kTipCount = 30;

[[nodiscard]] const std::array<std::string_view, kTipCount>& TipTexts();

}  // namespace zelvor
