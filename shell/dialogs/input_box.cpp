#include "shell/dialogs/input_box.h"

#include "shell/shell_menus.h"

namespace zelvor {

namespace {
constexpr Size kBoxSize{360, 130};
}  // namespace

CInputBox::CInputBox(DialogHost& dialogs, WindowHandle owner, std::string prompt, std::string caption,
                     std::string& text, int limit)
    : dialogs_(dialogs), owner_(owner), text_(text), limit_(limit) {
  title = std::move(caption);
  className = "CInputBox";
  style.modal = true;
  root = Control::make(ControlKind::Column);
  root.add(Control::make(ControlKind::Label, input_control::Prompt, std::move(prompt)));
  Control edit = Control::make(ControlKind::Edit, input_control::Text, text);
  if (limit_ > 0) {
    edit.maxLength = limit_ - 1;
    // The model reads a length of 0 as "no limit"; a size of 1 leaves room
    // for nothing, so the field takes no typing at all.
    if (limit_ == 1) edit.readOnly = true;
  }
  root.add(std::move(edit));
  Control buttons = Control::make(ControlKind::Row);
  Control ok = Control::make(ControlKind::Button, input_control::Ok, "Aceptar");
  ok.isDefault = true;
  buttons.add(std::move(ok));
  buttons.add(Control::make(ControlKind::Button, input_control::Cancel, "Cancelar"));
  root.add(std::move(buttons));
}

void CInputBox::PlaceOverOwner() {
  if (owner_ == kNoWindow || !dialogs_.isVisible(owner_)) return;
  const Rect o = dialogs_.geometry(owner_);
  if (o.width() <= 0 || o.height() <= 0) return;
  const int left = o.left + (o.width() - kBoxSize.width) / 2;
  const int top = o.top + (o.height() - kBoxSize.height) / 2;
  geometry = {left, top, left + kBoxSize.width, top + kBoxSize.height};
}

bool CInputBox::DoModal() {
  PlaceOverOwner();
  accepted_ = false;
  // The button pressed decides, not the loop's code: a binding ends the loop
  // with its own code when the window is closed.
  (void)dialogs_.runModal(*this);
  if (!accepted_) return false;
  const Control* edit = find(input_control::Text);
  if (edit == nullptr) return false;
  // The field's own limit may not hold for a pre-filled text that was
  // longer, nor on every binding; the caller's storage is what counts.
  text_ = limit_ > 0 ? CutCharacters(edit->text, static_cast<std::size_t>(limit_ - 1)) : edit->text;
  return true;
}

void CInputBox::onEvent(const ControlEvent& event) {
  if (event.kind != ControlEvent::Kind::Clicked) return;
  if (event.controlId == input_control::Ok) {
    accepted_ = true;
    dialogs_.endModal(*this, kAccepted);
  } else if (event.controlId == input_control::Cancel) {
    dialogs_.endModal(*this, kCancelled);
  }
}

}  // namespace zelvor
