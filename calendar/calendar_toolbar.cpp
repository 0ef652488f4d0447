#include "calendar/calendar_toolbar.h"

#include "calendar/calendar_view.h"

namespace zelvor::calendar {
namespace {

constexpr int kGap = 8;
constexpr Colour kFace = 0xF0F0F0;
constexpr Colour kEdgeLight = 0xFFFFFF;
constexpr Colour kEdgeDark = 0x808080;
constexpr Colour kGlyph = 0x000000;
constexpr Colour kGrey = 0xA0A0A0;
constexpr Colour kPressed = 0xD8D8D8;

}  // namespace

const std::vector<ToolButton>& ToolButtons() {
  static const std::vector<ToolButton> buttons{
      {cal_cmd::FirstNote, "Ir a la primera nota", "|◀", false},
      {cal_cmd::PreviousNote, "Ir a la nota anterior", "◀", false},
      {cal_cmd::NextNote, "Ir a la nota siguiente", "▶", false},
      {cal_cmd::LastNote, "Ir a la última nota", "▶|", false},
      {cal_cmd::Export, "Guardar a un archivo", "⇩", true},
      {cal_cmd::Print, "Imprimir", "", false},
      {cal_cmd::DeleteNote, "Borrar nota", "✗", false},
      {cal_cmd::Undo, "Deshacer", "↶", true},
      {cal_cmd::Cut, "Cortar", "✂", false},
      {cal_cmd::Copy, "Copiar", "❐", false},
      {cal_cmd::Paste, "Pegar", "↧", false},
      {cal_cmd::Clear, "Borrar", "⌫", false},
      {cal_cmd::AlwaysOnTop, "Siempre visible", "▲", true},
  };
  return buttons;
}

Rect ToolButtonRect(std::size_t index) {
  int x = 2;
  const auto& buttons = ToolButtons();
  for (std::size_t i = 0; i <= index && i < buttons.size(); ++i) {
    if (buttons[i].groupStart) x += kGap;
    if (i == index) break;
    x += kToolButtonSize;
  }
  return {x, 2, x + kToolButtonSize, 2 + kToolButtonSize};
}

std::optional<int> ToolAt(Point p) {
  const auto& buttons = ToolButtons();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (ToolButtonRect(i).contains(p)) return buttons[i].command;
  }
  return std::nullopt;
}

void PaintToolBar(Canvas& canvas, Size size, const ToolState& state) {
  canvas.fillRect({0, 0, size.width, size.height}, kFace);
  const auto& buttons = ToolButtons();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const Rect r = ToolButtonRect(i);
    const bool pressed = buttons[i].command == cal_cmd::AlwaysOnTop && state.onTop;
    const bool grey = buttons[i].command == cal_cmd::DeleteNote && !state.deleteEnabled;
    canvas.fillRect(r, pressed ? kPressed : kFace);
    // A raised edge, or a sunken one while the toggle is on.
    const Colour topLeft = pressed ? kEdgeDark : kEdgeLight;
    const Colour bottomRight = pressed ? kEdgeLight : kEdgeDark;
    canvas.line({r.left, r.top}, {r.right - 1, r.top}, topLeft);
    canvas.line({r.left, r.top}, {r.left, r.bottom - 1}, topLeft);
    canvas.line({r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, bottomRight);
    canvas.line({r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, bottomRight);
    const Colour ink = grey ? kGrey : kGlyph;
    if (*buttons[i].glyph != '\0') {
      TextFont f;
      f.family = "DejaVu Sans";
      f.pointSize = 10;
      canvas.text(r, buttons[i].glyph, ink, f, TextAlign::Centre, false);
    } else {
      // A printer: paper above, the body, the paper coming out.
      canvas.frameRect({r.left + 8, r.top + 5, r.right - 8, r.top + 11}, ink);
      canvas.fillRect({r.left + 5, r.top + 11, r.right - 5, r.top + 18}, ink);
      canvas.fillRect({r.left + 8, r.top + 16, r.right - 8, r.top + 21}, kEdgeLight);
      canvas.frameRect({r.left + 8, r.top + 16, r.right - 8, r.top + 21}, ink);
    }
  }
}

}  // namespace zelvor::calendar
