#pragma once
// A window model shaped like a note: caption-less, resizable, no margins, a
// coloured title label beside a glyph canvas, a flat coloured edit under
// them, and an accelerator table. It records every event it hears.

#include <vector>

#include "platform/window_model.h"

namespace zelvor::testing {

namespace note_like {
enum Id { kTitle = 1, kGlyphs, kText };
enum Command { kUndoCommand = 500, kHide, kDelete };

constexpr Colour kBack = 0x80FFFF;  // COLORREF: yellow
constexpr Colour kInk = 0x800000;   // dark blue

}  // namespace note_like

class NoteLikeModel final : public WindowModel {
 public:
  NoteLikeModel() {
    using namespace note_like;
    title = "Nota 1";
    className = "CNotePrueba";
    style.caption = false;
    style.resizable = true;
    style.margin = 0;
    geometry = Rect{40, 40, 260, 220};
    minimumSize = Size{60, 18};
    Control& bar = root.add(Control::make(ControlKind::Row));
    Control label = Control::make(ControlKind::Label, kTitle, "Nota 1");
    label.backColour = kBack;
    label.textColour = kInk;
    label.font = TextFont{"DejaVu Sans", 12, true, false, false, false, 700};
    label.align = TextAlign::Centre;
    bar.add(label);
    Control glyphs = Control::make(ControlKind::Canvas, kGlyphs);
    glyphs.size = {39, 13};
    glyphs.paint = [](Canvas& c, Size s) { c.fillRect(Rect{0, 0, s.width, s.height}, kBack); };
    bar.add(glyphs);
    Control text = Control::make(ControlKind::Edit, kText);
    text.multiLine = true;
    text.flat = true;
    text.backColour = kBack;
    text.textColour = kInk;
    text.font = TextFont{"DejaVu Sans Mono", 14, false, true, false, true, 0};
    text.align = TextAlign::Right;
    root.add(text);
    accelerators = {{'Z', 2, kUndoCommand}, {0x75, 0, kHide}, {0x2E, 2 | 1, kDelete}};
  }
  void onEvent(const ControlEvent& e) override { events.push_back(e); }
  [[nodiscard]] std::vector<ControlEvent> ofKind(ControlEvent::Kind kind) const {
    std::vector<ControlEvent> out;
    for (const auto& e : events) {
      if (e.kind == kind) out.push_back(e);
    }
    return out;
  }
  std::vector<ControlEvent> events;
};

}  // namespace zelvor::testing
