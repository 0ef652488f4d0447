#pragma once
// Case-insensitive comparison of key and value names. Folds ASCII letters and
// the Latin-1 letters with accents (the ones Spanish names use, written as
// UTF-8); every other byte compares as itself.

#include <string>
#include <string_view>

namespace zelvor {

[[nodiscard]] std::string foldName(std::string_view name);
[[nodiscard]] bool namesEqual(std::string_view a, std::string_view b);

struct NameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

}  // namespace zelvor
