#include "shell/printing/line_printer.h"

#include <algorithm>
#include <utility>

namespace zelvor {
namespace {

constexpr Colour kRuleColour = 0x000000FF;  // red, as a COLORREF
constexpr int kFixedPointSize = 10;

}  // namespace

TextFont FixedPrinterFont() {
  TextFont font;
  font.family = "monospace";
  font.pointSize = kFixedPointSize;
  return font;
}

CPrinter::CPrinter(PrintJob& job, std::string title, std::optional<TextFont> font, Colour textColour)
    : job_(job), title_(std::move(title)), font_(font ? std::move(*font) : FixedPrinterFont()), colour_(textColour) {}

CPrinter::~CPrinter() {
  if (started_ && !ended_) (void)End();
}

void CPrinter::Start() {
  started_ = true;
  const int dpiX = std::max(job_.dpiX(), 1);
  const int dpiY = std::max(job_.dpiY(), 1);
  // A line is the font's height plus its internal leading: the room above
  // the letters that the font's em square leaves inside that height.
  textHeight_ = std::max(job_.canvas().textSize("Ág", font_).height, 1);
  const int em = font_.pointSize > 0 ? (font_.pointSize * dpiY + 36) / 72 : textHeight_;
  lineHeight_ = textHeight_ + std::max(textHeight_ - em, 0);
  topMargin_ = dpiY / 2;
  sideMargin_ = dpiX / 2;
  const Size page = job_.pageSize();
  pageHeight_ = page.height;
  pageWidth_ = page.width;
}

void CPrinter::StartPage() {
  // The job opens its first page itself; every later one is asked for.
  if (page_ > 0) (void)job_.newPage();
  pageOpen_ = true;
  ++page_;
  Canvas& canvas = job_.canvas();
  const int right = pageWidth_ - sideMargin_;
  const Rect headerLine{sideMargin_, topMargin_, right, topMargin_ + textHeight_};
  canvas.text(headerLine, title_, colour_, font_, TextAlign::Left, false);
  canvas.text(headerLine, std::to_string(page_), colour_, font_, TextAlign::Right, false);
  const int ruleY = topMargin_ + lineHeight_;
  job_.penLine(Point{sideMargin_, ruleY}, Point{right, ruleY}, kRuleColour, std::max(job_.dpiX() / 100, 1));
  y_ = topMargin_ + lineHeight_ * 3 / 2;
}

void CPrinter::PrintLine(std::string_view text) {
  if (!started_) Start();
  if (!pageOpen_ || y_ > pageHeight_ - topMargin_) StartPage();
  job_.canvas().text(Rect{sideMargin_, y_, pageWidth_ - sideMargin_, y_ + textHeight_}, std::string(text), colour_,
                     font_, TextAlign::Left, false);
  y_ += lineHeight_;
}

bool CPrinter::End() {
  if (ended_) return true;
  ended_ = true;
  return job_.finish();
}

}  // namespace zelvor
