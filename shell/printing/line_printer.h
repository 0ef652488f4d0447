#pragma once
// The line printer: a document of text lines, each page headed by a title,
// the page number on the right and a red rule under them. Margins are half
// an inch; a page ends when the next line would start lower than the page
// height minus the top margin.

#include <optional>
#include <string>
#include <string_view>

#include "platform/printer.h"
#include "platform/window_model.h"

namespace zelvor {

// The document name under which the suite's printouts are queued.
inline constexpr std::string_view kPrintDocumentName = "Zelvor";

// The font lines are printed in when the caller has none: the printer's
// fixed-pitch face.
[[nodiscard]] TextFont FixedPrinterFont();

class CPrinter {
 public:
  // job: a document started by Printer::begin, its first page open. font:
  // nullopt prints in FixedPrinterFont(). textColour: of header and lines.
  CPrinter(PrintJob& job, std::string title, std::optional<TextFont> font = std::nullopt, Colour textColour = 0);
  ~CPrinter();
  CPrinter(const CPrinter&) = delete;
  CPrinter& operator=(const CPrinter&) = delete;

  // Measures the font and sets the margins; lines may be printed from now on.
  void Start();
  // Prints one line, opening a page (with its header) when none is open or
  // this one is full.
  void PrintLine(std::string_view text);
  // Ends the document; false when the printer or the file failed.
  [[nodiscard]] bool End();

  // The width a line may take without crossing the side margins.
  [[nodiscard]] int PrintableWidth() const { return pageWidth_ - 2 * sideMargin_; }
  [[nodiscard]] int LineHeight() const { return lineHeight_; }
  [[nodiscard]] int Pages() const { return page_; }
  [[nodiscard]] const TextFont& Font() const { return font_; }

 private:
  void StartPage();

  PrintJob& job_;
  std::string title_;
  TextFont font_;
  Colour colour_;
  bool started_ = false;
  bool ended_ = false;
  bool pageOpen_ = false;
  int page_ = 0;
  int y_ = 0;
  int lineHeight_ = 0;
  int textHeight_ = 0;
  int topMargin_ = 0;
  int sideMargin_ = 0;
  int pageHeight_ = 0;
  int pageWidth_ = 0;
};

}  // namespace zelvor
