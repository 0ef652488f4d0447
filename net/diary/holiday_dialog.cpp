#include "net/diary/holiday_dialog.h"

#include "net/diary/diary_message_box.h"

namespace zelvor::diary {
namespace {

using namespace holiday_dialog;

constexpr int kAccepted = 1;
constexpr int kCancelled = 2;
constexpr std::int64_t kSecondsPerDay = 86400;

}  // namespace

DiaryMessage HolidaySaveFailedMessage() {
  return {"No se han podido guardar los festivos.", std::string(kHolidayMessageCaption),
          DiaryMessage::Icon::Warning, false};
}

CFestivosDlg::CFestivosDlg(ConfigStore& store, Clock& clock, DialogHost& dialogs, MessageBoxes& boxes)
    : dialogs_(dialogs), boxes_(boxes), editor_(store, clock) {
  title = std::string(kHolidayDialogTitle);
  className = "CFestivosDlg";
  style.modal = true;
  build();
  showRows();
  showPicked();
}

void CFestivosDlg::build() {
  Control& body = root.add(Control::make(ControlKind::Row));
  // One column without a heading: the list shows the dates alone.
  Control list = Control::make(ControlKind::ListView, kList);
  list.size = {180, 200};
  body.add(std::move(list));
  Control& side = body.add(Control::make(ControlKind::Column));
  Control date = Control::make(ControlKind::TimePicker, kDate, std::string(kHolidayPickerFormat));
  date.showDate = true;
  side.add(std::move(date));
  side.add(Control::make(ControlKind::Button, kAdd, "&Agregar"));
  side.add(Control::make(ControlKind::Button, kRemove, "&Quitar"));

  Control& closing = root.add(Control::make(ControlKind::Row));
  Control ok = Control::make(ControlKind::Button, kOk, "Aceptar");
  ok.isDefault = true;
  closing.add(std::move(ok));
  closing.add(Control::make(ControlKind::Button, kCancel, "Cancelar"));
}

void CFestivosDlg::showRows() {
  Control& list = *find(kList);
  list.rows.clear();
  const auto selected = editor_.Selected();
  for (std::size_t i = 0; i < editor_.Holidays().size(); ++i) {
    ListRow row;
    row.cells = {editor_.RowText(i)};
    row.selected = selected == i;
    row.data = i;
    list.rows.push_back(std::move(row));
  }
  list.value = selected ? static_cast<int>(*selected) : -1;
  find(kRemove)->enabled = selected.has_value();
}

void CFestivosDlg::showPicked() {
  const PickedDate& p = editor_.Picked();
  find(kDate)->value = static_cast<int>(daysFromCivil(p.year, p.month, p.day));
}

void CFestivosDlg::refresh() {
  if (handle_ != kNoWindow) dialogs_.update(handle_);
}

void CFestivosDlg::selectRow(int row) {
  std::optional<std::size_t> wanted;
  if (row >= 0 && static_cast<std::size_t>(row) < editor_.Holidays().size()) {
    wanted = static_cast<std::size_t>(row);
  }
  // The list reports a selection more than once (focus, then selection).
  if (wanted == editor_.Selected()) return;
  editor_.Select(wanted);
  showRows();
  showPicked();
  refresh();
}

void CFestivosDlg::pick(int days) {
  const LocalTime date = civilFromSeconds(static_cast<std::int64_t>(days) * kSecondsPerDay);
  editor_.Pick({date.year, date.month, date.day});
  // An impossible date is refused: the picker shows the date kept.
  showPicked();
}

void CFestivosDlg::add() {
  if (const auto refusal = editor_.Add()) {
    (void)boxes_.show(MessageBoxOf(*refusal));
    return;
  }
  showRows();
  refresh();
}

void CFestivosDlg::remove() {
  editor_.Remove();
  // The neighbour now selected puts its date in the picker, as a selection does.
  if (const auto neighbour = editor_.Selected()) editor_.Select(neighbour);
  showRows();
  showPicked();
  refresh();
}

void CFestivosDlg::accept() {
  const bool changed = editor_.Changed();
  if (changed && !editor_.Accept()) {
    (void)boxes_.show(MessageBoxOf(HolidaySaveFailedMessage()));
    return;
  }
  written_ = changed;
  dialogs_.endModal(*this, kAccepted);
}

void CFestivosDlg::cancel() {
  editor_.Cancel();
  dialogs_.endModal(*this, kCancelled);
}

bool CFestivosDlg::onCloseRequest() {
  // Closing the window is Cancelar; the binding ends the modal loop.
  editor_.Cancel();
  return true;
}

void CFestivosDlg::onEvent(const ControlEvent& event) {
  const bool clicked = event.kind == ControlEvent::Kind::Clicked;
  switch (event.controlId) {
    case kList:
      if (event.kind == ControlEvent::Kind::Changed) selectRow(event.row);
      break;
    case kDate:
      if (event.kind == ControlEvent::Kind::Changed) pick(find(kDate)->value);
      break;
    case kAdd: if (clicked) add(); break;
    case kRemove: if (clicked) remove(); break;
    case kOk: if (clicked) accept(); break;
    case kCancel: if (clicked) cancel(); break;
    default: break;
  }
}

bool CFestivosDlg::DoModal() {
  written_ = false;
  handle_ = dialogs_.create(*this);
  (void)dialogs_.runModal(*this);
  dialogs_.destroy(handle_);
  handle_ = kNoWindow;
  return written_;
}

}  // namespace zelvor::diary
