#include "shell/dialogs/tip_dlg.h"

#include "platform/messages.h"
#include "shell/store/config_store.h"
#include "shell/zelvor_app.h"

namespace zelvor {

namespace {

constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kFrame = rgb(128, 128, 128);
constexpr Colour kInk = rgb(0, 0, 0);
// The heading is drawn 20 pixels high and the tip 14; the canvas takes
// points, which at the desktop's usual 96 dpi are three quarters of a pixel.
constexpr int kHeadingPoints = 15;
constexpr int kTipPoints = 11;
constexpr int kMargin = 16;
constexpr int kHeadingHeight = 34;

}  // namespace

CTipDlg::CTipDlg(CZelvorApp& app) : ModelessWindow(app, msg::TipClosed) {}

std::string_view CTipDlg::currentText() const {
  return current_ < 0 ? std::string_view{} : TipTexts()[static_cast<std::size_t>(current_)];
}

int CTipDlg::MillisecondsNow() const {
  // The clock gives whole seconds of wall time and a millisecond tick; the
  // tick's last three digits stand for the milliseconds of the second. On the
  // simulated clock the two agree exactly; on the real one the tick starts at
  // boot, which serves the choice's purpose (a spread start) just as well.
  return static_cast<int>(app_.platform().clock.tickMs() % 1000);
}

void CTipDlg::Build() {
  title = "Zelvor - Sugerencia del día";
  className = "CTipDlg";
  root = Control::make(ControlKind::Column);

  Control panel = Control::make(ControlKind::Canvas, tip_control::Panel);
  panel.size = {420, 170};
  panel.paint = [this](Canvas& canvas, Size size) { PaintPanel(canvas, size); };
  root.add(std::move(panel));

  Control row = Control::make(ControlKind::Row);
  Control showAtStart =
      Control::make(ControlKind::CheckBox, tip_control::ShowAtStart, "&Mostrar sugerencias al inicio.");
  showAtStart.checked = app_.store().ReadConfigInt("", root_value::SugerenciasAlInicio) != 0;
  row.add(std::move(showAtStart));
  row.add(Control::make(ControlKind::Button, tip_control::Next, "&Siguiente sugerencia"));
  Control close = Control::make(ControlKind::Button, tip_control::Close, "&Cerrar");
  close.isDefault = true;
  row.add(std::move(close));
  root.add(std::move(row));

  current_ = chooser_.Choose(MillisecondsNow());
}

void CTipDlg::PaintPanel(Canvas& canvas, Size size) const {
  const Rect all{0, 0, size.width, size.height};
  canvas.fillRect(all, kWhite);
  canvas.frameRect(all, kFrame);
  Canvas::Font heading;
  heading.pointSize = kHeadingPoints;
  heading.bold = true;
  canvas.text({kMargin, kMargin / 2, size.width - kMargin, kMargin / 2 + kHeadingHeight}, "Sabía que...",
              kInk, heading, Canvas::Align::Left, false);
  Canvas::Font body;
  body.pointSize = kTipPoints;
  canvas.text({kMargin, kMargin / 2 + kHeadingHeight + 6, size.width - kMargin, size.height - kMargin / 2},
              std::string(currentText()), kInk, body, Canvas::Align::Left, true);
}

void CTipDlg::ShowNextTip() {
  current_ = chooser_.Choose(MillisecondsNow());
  if (handle() != kNoWindow) app_.dialogs().repaint(handle());
}

void CTipDlg::onEvent(const ControlEvent& event) {
  if (event.kind != ControlEvent::Kind::Clicked) return;
  if (event.controlId == tip_control::Next) {
    ShowNextTip();
  } else if (event.controlId == tip_control::Close) {
    Close();
  }
}

void CTipDlg::SaveEdits() {
  if (const Control* box = root.find(tip_control::ShowAtStart)) {
    app_.store().WriteConfigInt("", root_value::SugerenciasAlInicio, box->checked ? 1 : 0);
  }
}

}  // namespace zelvor
