#pragma once
// The calendar window's tool bar, drawn: thirteen small square buttons
// (the four steps between notes, export, print, delete note, the five
// editing commands and always on top). A row of toolkit push buttons with
// their Spanish names would be wider than the window's 700 pixels.

#include <optional>
#include <string>
#include <vector>

#include "platform/ui_types.h"
#include "platform/window_model.h"

namespace zelvor::calendar {

inline constexpr int kToolButtonSize = 26;
inline constexpr int kToolBarHeight = kToolButtonSize + 4;

struct ToolButton {
  int command = 0;
  const char* name = "";   // what it does, in words
  const char* glyph = "";  // what it shows; empty: drawn (the printer)
  bool groupStart = false; // a gap before it
};

[[nodiscard]] const std::vector<ToolButton>& ToolButtons();
// The button's rectangle on the bar.
[[nodiscard]] Rect ToolButtonRect(std::size_t index);
// The command under a point, if any.
[[nodiscard]] std::optional<int> ToolAt(Point p);

struct ToolState {
  bool deleteEnabled = true;
  bool onTop = false;
};
void PaintToolBar(Canvas& canvas, Size size, const ToolState& state);

}  // namespace zelvor::calendar
