// The line printer: header, rule, margins, line height and page breaks.

#include <gtest/gtest.h>

#include "shell/printing/line_printer.h"
#include "tests/notes/recording_print_job.h"

namespace zelvor {
namespace {

using testing::RecordingPrintJob;

// 144 units per inch: margins 72, rule 1 unit wide; the fixed 10-point font
// is 24 high with 4 of leading, so a line is 28 and the first one starts at
// 72 + 42 = 114. On a 400-high page a new page starts once y passes 328:
// lines at 114, 142, ... 310 (eight of them).
TEST(LinePrinter, PagesHaveTitleNumberAndRedRuleAndBreakBelowTheBottomMargin) {
  RecordingPrintJob job;
  CPrinter printer(job, "Lista de la compra", std::nullopt, 0x00112233);
  printer.Start();
  EXPECT_EQ(printer.LineHeight(), 28);
  EXPECT_EQ(printer.PrintableWidth(), 400 - 2 * 72);
  for (int i = 1; i <= 9; ++i) printer.PrintLine("línea " + std::to_string(i));
  EXPECT_TRUE(printer.End());
  EXPECT_EQ(job.finished, 1);
  EXPECT_EQ(job.pages, 2);
  EXPECT_EQ(printer.Pages(), 2);

  for (int page = 1; page <= 2; ++page) {
    const auto drawn = job.onPage(page);
    ASSERT_GE(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].text, "Lista de la compra");
    EXPECT_EQ(drawn[0].rect.left, 72);
    EXPECT_EQ(drawn[0].rect.top, 72);
    EXPECT_EQ(drawn[0].align, TextAlign::Left);
    EXPECT_EQ(drawn[1].text, std::to_string(page));
    EXPECT_EQ(drawn[1].rect.right, 400 - 72);
    EXPECT_EQ(drawn[1].align, TextAlign::Right);
    EXPECT_EQ(drawn[2].rect.top, 114);
    for (const auto& d : drawn) {
      EXPECT_EQ(d.colour, 0x00112233u);
      EXPECT_EQ(d.font.family, "monospace");
    }
  }
  const auto first = job.onPage(1);
  ASSERT_EQ(first.size(), 2u + 8u);
  EXPECT_EQ(first.back().text, "línea 8");
  EXPECT_EQ(first.back().rect.top, 114 + 7 * 28);
  const auto second = job.onPage(2);
  ASSERT_EQ(second.size(), 2u + 1u);
  EXPECT_EQ(second.back().text, "línea 9");

  ASSERT_EQ(job.rules.size(), 2u);
  for (const auto& rule : job.rules) {
    EXPECT_EQ(rule.colour, 0x000000FFu);
    EXPECT_EQ(rule.width, 1);
    EXPECT_EQ(rule.a, (Point{72, 72 + 28}));
    EXPECT_EQ(rule.b, (Point{400 - 72, 72 + 28}));
  }
}

TEST(LinePrinter, RuleWidthFollowsTheResolutionAndTheCallersFontIsUsed) {
  RecordingPrintJob job({5100, 6600}, 600);
  TextFont font;
  font.family = "DejaVu Serif";
  font.pointSize = 12;
  CPrinter printer(job, "Nota", font);
  printer.PrintLine("a");
  ASSERT_EQ(job.rules.size(), 1u);
  EXPECT_EQ(job.rules[0].width, 6);
  EXPECT_EQ(job.rules[0].a.x, 300);
  EXPECT_EQ(job.texts.back().font.family, "DejaVu Serif");
  EXPECT_EQ(job.texts.back().rect.left, 300);
}

TEST(LinePrinter, EndsTheDocumentOnceAndReportsAFailedFinish) {
  RecordingPrintJob job;
  job.failFinish = true;
  {
    CPrinter printer(job, "Nota");
    printer.PrintLine("x");
    EXPECT_FALSE(printer.End());
  }
  EXPECT_EQ(job.finished, 1);
  // A printer dropped with its document open ends it.
  RecordingPrintJob dropped;
  {
    CPrinter printer(dropped, "Nota");
    printer.PrintLine("x");
  }
  EXPECT_EQ(dropped.finished, 1);
}

}  // namespace
}  // namespace zelvor
