#pragma once
// The user's number and currency conventions, and number formatting by them.

#include <string>
#include <string_view>
#include <vector>

namespace zelvor {

// How the user writes numbers (the default number format of the desktop).
struct NumberFormat {
  std::string decimalSeparator = ".";
  std::string thousandsSeparator = ",";
  // Sizes of the digit groups from the decimal separator leftwards; the last
  // size repeats. Empty: no grouping. A size of 0 or less ends the grouping
  // (the remaining digits form one group).
  std::vector<int> grouping = {3};
  int decimals = 2;  // digits after the separator
};

class Locale {
 public:
  virtual ~Locale() = default;
  [[nodiscard]] virtual NumberFormat numberFormat() = 0;
  // The local currency symbol; "" when the user's locale names none.
  [[nodiscard]] virtual std::string currencySymbol() = 0;
};

// Formats a decimal number text such as "-1234.5678" (an optional '-',
// digits, optionally '.' and more digits) with the given conventions:
// rounded half away from zero to format.decimals digits, integer digits
// grouped. Returns "" when the text is not such a number.
[[nodiscard]] std::string formatNumberText(const NumberFormat& format, std::string_view text);

// The same for a value; non-finite values give "".
[[nodiscard]] std::string formatNumber(const NumberFormat& format, double value);

}  // namespace zelvor
