// The choice of the next tip: the milliseconds pick among the tips not yet
// shown, in their order, and no tip comes back before all were shown.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "shell/dialogs/tip_chooser.h"

namespace zelvor {
namespace {

struct ChoiceCase {
  const char* name;
  std::vector<int> milliseconds;  // one choice each, in order
  std::vector<int> expected;      // the tips chosen
};

class TipChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(TipChoice, PicksTheNthTipNotYetShown) {
  TipChooser chooser;
  std::vector<int> chosen;
  for (const int ms : GetParam().milliseconds) chosen.push_back(chooser.Choose(ms));
  EXPECT_EQ(chosen, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, TipChoice,
    ::testing::Values(
        // 0 ms takes the first tip left; 999 ms the last one left.
        ChoiceCase{"AtZeroTheFirstLeft", {0, 0, 0}, {0, 1, 2}},
        ChoiceCase{"At999TheLastLeft", {999, 999, 999}, {29, 28, 27}},
        // 500 / 999 × 30 = 15.01: the 16th of thirty; then 500 / 999 × 29 = 14.51:
        // the 15th of the 29 left, which is tip 14 as tip 15 is gone.
        ChoiceCase{"MidSecond", {500, 500, 500}, {15, 14, 16}},
        // 998 / 999 × 30 = 29.97, truncated to 29; 33 / 999 × 30 = 0.99 to 0.
        ChoiceCase{"Truncates", {998, 33, 34}, {29, 0, 1}},
        // Outside 0–999 the value is taken as the nearest end.
        ChoiceCase{"OutOfRange", {-5, 1500}, {0, 29}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(TipChoice, ShowsAllThirtyBeforeAnyRepeatsThenStartsAgain) {
  for (const int step : {0, 1, 7, 333, 998, 999}) {
    SCOPED_TRACE("milliseconds advancing by " + std::to_string(step));
    TipChooser chooser;
    std::set<int> seen;
    int ms = 0;
    for (int i = 0; i < kTipCount; ++i) {
      const int tip = chooser.Choose(ms);
      ASSERT_GE(tip, 0);
      ASSERT_LT(tip, kTipCount);
      EXPECT_TRUE(seen.insert(tip).second) << "tip " << tip << " came back at choice " << i;
      ms = (ms + step) % 1000;
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kTipCount));
    // All shown: the flags clear and the rule runs over the thirty again.
    EXPECT_EQ(chooser.Choose(999), kTipCount - 1);
    for (int i = 0; i < kTipCount - 1; ++i) EXPECT_FALSE(chooser.shown(i)) << i;
    EXPECT_TRUE(chooser.shown(kTipCount - 1));
  }
}

TEST(TipTexts, ThirtyDistinctTipsAndTheFirstReadsAsTheProductHasIt) {
  const auto& tips = TipTexts();
  EXPECT_EQ(tips[0],
            "Pulsando con el botón izquierdo del ratón sobre el icono con el logotipo de Zelvor se puede "
            "configurar todas las utilidades del programa.");
  std::set<std::string_view> distinct(tips.begin(), tips.end());
  EXPECT_EQ(distinct.size(), tips.size());
  for (const auto tip : tips) {
    EXPECT_GT(tip.size(), 60u) << tip;
    EXPECT_EQ(tip.back(), '.') << tip;
  }
}

}  // namespace
}  // namespace zelvor
