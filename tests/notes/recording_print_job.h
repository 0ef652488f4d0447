#pragma once
// A print job that records what is drawn on which page, with text measured
// at a fixed pitch: 10 device units per character, 24 high. At 144 units per
// inch a 10-point font's em is 20 units, so its lines are 24 + 4 apart.

#include <string>
#include <vector>

#include "platform/printer.h"

namespace zelvor::testing {

class RecordingPrintJob final : public PrintJob, private Canvas {
 public:
  static constexpr int kCharWidth = 10;
  static constexpr int kTextHeight = 24;

  struct Drawn {
    int page;
    Rect rect;
    std::string text;
    Colour colour;
    TextFont font;
    TextAlign align;
  };
  struct Rule {
    int page;
    Point a, b;
    Colour colour;
    int width;
  };

  explicit RecordingPrintJob(Size page = {400, 400}, int dpi = 144) : page_(page), dpi_(dpi) {}

  int dpiX() override { return dpi_; }
  int dpiY() override { return dpi_; }
  Size pageSize() override { return page_; }
  bool newPage() override {
    ++pages;
    return true;
  }
  Canvas& canvas() override { return *this; }
  void penLine(Point a, Point b, Colour colour, int width) override { rules.push_back({pages, a, b, colour, width}); }
  bool finish() override {
    ++finished;
    return !failFinish;
  }

  // The texts drawn on one page, in order.
  [[nodiscard]] std::vector<Drawn> onPage(int page) const {
    std::vector<Drawn> out;
    for (const auto& d : texts) {
      if (d.page == page) out.push_back(d);
    }
    return out;
  }

  int pages = 1;  // the first page is open from the start
  int finished = 0;
  bool failFinish = false;
  std::vector<Drawn> texts;
  std::vector<Rule> rules;

 private:
  void fillRect(const Rect&, Colour) override {}
  void frameRect(const Rect&, Colour) override {}
  void line(Point, Point, Colour) override {}
  void text(const Rect& r, const std::string& s, Colour c, const Font& font, Align align, bool) override {
    texts.push_back({pages, r, s, c, font, align});
  }
  void image(Point, const ImageRef&) override {}
  Size textSize(const std::string& s, const Font&) override {
    int characters = 0;
    for (char ch : s) characters += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
    return Size{characters * kCharWidth, kTextHeight};
  }

  Size page_;
  int dpi_;
};

}  // namespace zelvor::testing
