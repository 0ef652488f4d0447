#include "platform/locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/linux/linux_locale.h"

namespace zelvor {
namespace {

TEST(FormatNumberTest, GroupsRoundsAndSeparates) {
  const NumberFormat es{",", ".", {3}, 2};
  const NumberFormat indian{".", ",", {3, 2}, 2};
  const NumberFormat once{".", ",", {3, 0}, 0};  // one group, then no more
  const NumberFormat plain{".", "", {}, 4};
  struct Case {
    const NumberFormat& format;
    std::string_view text, expected;
  };
  const Case cases[] = {
      {es, "1234567.891", "1.234.567,89"},
      {es, "0.125", "0,13"},  // half away from zero, on the digits
      {es, "999.995", "1.000,00"},
      {es, "-999.995", "-1.000,00"},
      {es, "-0.001", "0,00"},  // no negative zero
      {es, "12", "12,00"},
      {es, ".5", "0,50"},
      {es, "007", "7,00"},
      {indian, "12345678", "1,23,45,678.00"},
      {once, "12345678.5", "12345,679"},
      {plain, "1234567.12345", "1234567.1235"},
      {es, "", ""},
      {es, "-", ""},
      {es, "1.2.3", ""},
      {es, "1e5", ""},
      {es, " 1", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(formatNumberText(c.format, c.text), c.expected) << c.text;
}

TEST(FormatNumberTest, FormatsValues) {
  const NumberFormat es{",", ".", {3}, 2};
  EXPECT_EQ(formatNumber(es, 20.82), "20,82");
  EXPECT_EQ(formatNumber(es, 2787.94), "2.787,94");
  EXPECT_EQ(formatNumber(es, 1e20), "100.000.000.000.000.000.000,00");
  EXPECT_EQ(formatNumber(es, std::numeric_limits<double>::infinity()), "");
  EXPECT_EQ(formatNumber(es, std::nan("")), "");
  EXPECT_FALSE(formatNumber(es, std::numeric_limits<double>::max()).empty());
}

TEST(LinuxLocaleTest, TheCLocaleHasAPointAndNoGroupingOrCurrency) {
  ::setenv("LC_ALL", "C", 1);
  LinuxLocale locale;
  const NumberFormat f = locale.numberFormat();
  EXPECT_EQ(f.decimalSeparator, ".");
  EXPECT_EQ(f.thousandsSeparator, "");
  EXPECT_TRUE(f.grouping.empty());
  EXPECT_EQ(f.decimals, 2);
  EXPECT_EQ(locale.currencySymbol(), "");
  // A locale that is not installed falls back to C instead of failing.
  ::setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
  EXPECT_EQ(LinuxLocale().numberFormat().decimalSeparator, ".");
  ::unsetenv("LC_ALL");
}

}  // namespace
}  // namespace zelvor
