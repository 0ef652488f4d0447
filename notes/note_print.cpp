#include "notes/note_print.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "shell/printing/line_printer.h"

namespace zelvor::notes {
namespace {

constexpr std::int32_t kBoldWeight = 700;

// Wraps one paragraph (no line breaks inside) into lines.
void WrapParagraph(std::string_view paragraph, int width, const std::function<int(std::string_view)>& measure,
                   std::vector<std::string>& lines) {
  std::string line;
  bool lineHasWords = false;
  std::size_t start = 0;
  while (true) {
    const std::size_t space = paragraph.find(' ', start);
    const std::string_view word =
        paragraph.substr(start, space == std::string_view::npos ? std::string_view::npos : space - start);
    if (!lineHasWords) {
      line = word;
      lineHasWords = true;
    } else {
      std::string longer = line;
      longer += ' ';
      longer += word;
      if (measure(longer) <= width) {
        line = std::move(longer);
      } else {
        // The space between the two lines is where the break goes.
        lines.push_back(std::move(line));
        line = word;
      }
    }
    if (space == std::string_view::npos) break;
    start = space + 1;
  }
  lines.push_back(std::move(line));
}

}  // namespace

std::vector<std::string> WrapNoteText(std::string_view text, int width,
                                      const std::function<int(std::string_view)>& measure) {
  std::string whole(text);
  whole += "\r\n";
  std::vector<std::string> lines;
  std::size_t start = 0;
  // Every paragraph ends at an LF; the final break added above ends the last one.
  for (std::size_t lf = whole.find('\n'); lf != std::string::npos; lf = whole.find('\n', start)) {
    std::string_view paragraph(whole.data() + start, lf - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    WrapParagraph(paragraph, width, measure, lines);
    start = lf + 1;
  }
  return lines;
}

std::optional<TextFont> PrinterFontOf(const NoteRecord& record) {
  // The desktop font conversion of the note window lives with the window;
  // printing needs only face, size and style, in points.
  const LogFont& lf = record.font;
  if (!lf.isChosen()) return std::nullopt;
  TextFont font;
  font.family = lf.lfFaceName;
  font.pointSize = lf.lfHeight == 0 ? 0 : std::abs(lf.lfHeight);
  if (lf.lfWeight > 0) {
    font.weight = std::min(lf.lfWeight, 1000);
    font.bold = lf.lfWeight >= kBoldWeight;
  }
  font.italic = lf.lfItalic != 0;
  font.underline = lf.lfUnderline != 0;
  font.strikeOut = lf.lfStrikeOut != 0;
  return font;
}

bool PrintNote(PrintJob& job, const NoteRecord& record, std::string_view text) {
  CPrinter printer(job, record.title, PrinterFontOf(record), record.textColor);
  printer.Start();
  Canvas& canvas = job.canvas();
  const TextFont& font = printer.Font();
  const auto measure = [&](std::string_view s) { return canvas.textSize(std::string(s), font).width; };
  for (const std::string& line : WrapNoteText(text, printer.PrintableWidth(), measure)) printer.PrintLine(line);
  return printer.End();
}

}  // namespace zelvor::notes
