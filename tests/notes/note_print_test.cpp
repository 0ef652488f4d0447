// Printing a note: paragraphs, greedy wrapping, the note's font and colour,
// and the pages the line printer makes of them.

#include <gtest/gtest.h>

#include "notes/note_print.h"
#include "tests/notes/recording_print_job.h"

namespace zelvor::notes {
namespace {

using zelvor::testing::RecordingPrintJob;

struct WrapCase {
  const char* name;
  std::string text;
  std::vector<std::string> lines;
};

TEST(WrapNoteText, CutsParagraphsAndWrapsGreedilyAtSpaces) {
  // One unit per byte, ten to a line.
  const auto measure = [](std::string_view s) { return static_cast<int>(s.size()); };
  const std::vector<WrapCase> cases = {
      {"empty note is one empty line", "", {""}},
      {"one short word", "hola", {"hola"}},
      {"greedy", "uno dos tres cuatro", {"uno dos", "tres", "cuatro"}},
      {"exact fit stays", "12345 7890", {"12345 7890"}},
      {"CR LF and LF both end a paragraph", "a\r\nb\nc", {"a", "b", "c"}},
      {"empty paragraph is an empty line", "a\r\n\r\nb", {"a", "", "b"}},
      {"a final break gives a last empty line", "texto\r\n", {"texto", ""}},
      {"a lone CR is text", "a\rb", {"a\rb"}},
      {"a long word stands whole", "supercalifragilistico es", {"supercalifragilistico", "es"}},
      {"a long word after others", "ab supercalifragilistico cd", {"ab", "supercalifragilistico", "cd"}},
      {"inner spaces kept", "a  b", {"a  b"}},
      {"break drops one space", "aaaaa bbbbb", {"aaaaa", "bbbbb"}},
  };
  for (const auto& c : cases) EXPECT_EQ(WrapNoteText(c.text, 10, measure), c.lines) << c.name;
}

TEST(WrapNoteText, MeasuresWithTheGivenFunctionNotBytes) {
  // Three two-byte characters are three units wide.
  const auto characters = [](std::string_view s) {
    int n = 0;
    for (char ch : s) n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
    return n;
  };
  EXPECT_EQ(WrapNoteText("ñññ ñññ", 7, characters), (std::vector<std::string>{"ñññ ñññ"}));
}

NoteRecord TitledNote() {
  NoteRecord r = BuiltInNoteRecord();
  r.title = "Recados";
  r.textColor = 0x00336699;
  return r;
}

TEST(PrintNote, EmptyNoteIsOnePageWithItsHeaderAndOneEmptyLine) {
  RecordingPrintJob job;
  ASSERT_TRUE(PrintNote(job, TitledNote(), ""));
  EXPECT_EQ(job.pages, 1);
  EXPECT_EQ(job.finished, 1);
  const auto drawn = job.onPage(1);
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0].text, "Recados");
  EXPECT_EQ(drawn[1].text, "1");
  EXPECT_EQ(drawn[2].text, "");
  EXPECT_EQ(drawn[2].font.family, "monospace");  // no font of its own
  EXPECT_EQ(drawn[2].colour, 0x00336699u);
}

TEST(PrintNote, WrapsToThePrintableWidthAndRunsOntoMorePages) {
  // 400 wide, margins 72: 256 units, 25 characters of 10.
  RecordingPrintJob job;
  std::string text;
  for (int i = 0; i < 12; ++i) text += "palabra ";  // 96 characters: four lines
  text += "\r\nfin";
  ASSERT_TRUE(PrintNote(job, TitledNote(), text));
  std::vector<std::string> printed;
  for (const auto& d : job.texts) {
    if (d.rect.top >= 114) printed.push_back(d.text);
  }
  ASSERT_EQ(printed.size(), 5u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_LE(static_cast<int>(printed[i].size()) * 10, 256) << printed[i];
  EXPECT_EQ(printed[0], "palabra palabra palabra");
  EXPECT_EQ(printed[4], "fin");

  // Eight lines to a page: twenty lines take three pages.
  RecordingPrintJob longJob;
  std::string lines;
  for (int i = 1; i <= 20; ++i) lines += "l" + std::to_string(i) + "\r\n";
  lines.resize(lines.size() - 2);
  ASSERT_TRUE(PrintNote(longJob, TitledNote(), lines));
  EXPECT_EQ(longJob.pages, 3);
  EXPECT_EQ(longJob.onPage(3).back().text, "l20");
  EXPECT_EQ(longJob.onPage(3)[1].text, "3");
}

TEST(PrintNote, UsesTheNotesFontInPoints) {
  NoteRecord r = TitledNote();
  r.font.lfHeight = -13;
  r.font.lfWeight = 700;
  r.font.lfItalic = 1;
  r.font.lfFaceName = "DejaVu Sans";
  const auto font = PrinterFontOf(r);
  ASSERT_TRUE(font.has_value());
  EXPECT_EQ(font->family, "DejaVu Sans");
  EXPECT_EQ(font->pointSize, 13);
  EXPECT_EQ(font->weight, 700);
  EXPECT_TRUE(font->bold);
  EXPECT_TRUE(font->italic);
  EXPECT_FALSE(PrinterFontOf(TitledNote()).has_value());

  RecordingPrintJob job;
  ASSERT_TRUE(PrintNote(job, r, "hola"));
  EXPECT_EQ(job.texts.back().font.family, "DejaVu Sans");
  EXPECT_EQ(job.texts.back().font.pointSize, 13);
}

}  // namespace
}  // namespace zelvor::notes
