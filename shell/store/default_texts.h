#pragma once
// The embedded default-settings texts: 268 (root values and utilities),
// 395 (launchers for the NT family, the one used here) and 398 (launchers
// of the other family). Each is the exact file data, without a NUL.

#include <optional>
#include <string_view>

namespace zelvor {

[[nodiscard]] std::optional<std::string_view> defaultText(int resource);

}  // namespace zelvor
