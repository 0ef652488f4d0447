#include "net/diary/tariff_dialog.h"

#include <algorithm>

#include "net/diary/diary_message_box.h"
#include "net/diary/holiday_dialog.h"

namespace zelvor::diary {
namespace {

using namespace tariff_dialog;

// What the modal loop returns; the dialog keeps its own result as well.
constexpr int kAccepted = 1;
constexpr int kCancelled = 2;

// The column widths were chosen for an 8-point desktop font; Linux desktop
// fonts are about a third larger, so the columns grow alike and keep texts
// such as "Todo el día" whole.
constexpr int kColumnScaleNumerator = 4;
constexpr int kColumnScaleDenominator = 3;

constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

Control radio(int id, std::string text) { return Control::make(ControlKind::Radio, id, std::move(text)); }
Control label(std::string_view text) { return Control::make(ControlKind::Label, 0, std::string(text)); }
Control button(int id, std::string text) { return Control::make(ControlKind::Button, id, std::move(text)); }

Control edit(int id, int width) {
  Control c = Control::make(ControlKind::Edit, id);
  c.size = {width, 0};
  c.maxLength = 20;
  return c;
}

Control timePicker(int id) {
  Control c = Control::make(ControlKind::TimePicker, id, "HH:mm");
  return c;
}

int secondsOf(int hour, int minute) { return hour * kSecondsPerHour + minute * kSecondsPerMinute; }

}  // namespace

int TariffColumnWidth(const ListColumn& column) {
  return column.width * kColumnScaleNumerator / kColumnScaleDenominator;
}

DiaryMessage TariffSaveFailedMessage() {
  return {"No se han podido guardar las tarifas telefónicas.", std::string(kTariffMessageCaption),
          DiaryMessage::Icon::Warning, false};
}

CTarifasDlg::CTarifasDlg(ConfigStore& store, Locale& locale, Clock& clock, DialogHost& dialogs,
                         MessageBoxes& boxes)
    : store_(store), clock_(clock), dialogs_(dialogs), boxes_(boxes), editor_(store, locale) {
  title = std::string(kTariffDialogTitle);
  className = "CTarifasDlg";
  style.modal = true;
  build();
  showRows();
  showFields();
  showEnables();
}

void CTarifasDlg::build() {
  Control list = Control::make(ControlKind::ListView, kList);
  int width = 0;
  for (const auto& column : kTariffColumns) {
    list.columns.push_back({std::string(column.title), TariffColumnWidth(column), false});
    width += list.columns.back().width;
  }
  // Every column in sight, with room for the frame and a scroll bar.
  list.size = {width + 24, 150};
  root.add(std::move(list));

  Control& choices = root.add(Control::make(ControlKind::Row));
  Control& day = choices.add(Control::make(ControlKind::Column, 0, "Día:"));
  day.add(radio(kDayEveryDay, "Todos los días."));
  day.add(radio(kDayHoliday, "Festivo."));
  day.add(radio(kDayWeekday, "Día de la semana."));
  Control weekday = Control::make(ControlKind::Combo, kWeekday);
  for (int d = 1; d <= 7; ++d) weekday.items.emplace_back(WeekdayName(d));
  day.add(std::move(weekday));
  Control& hours = choices.add(Control::make(ControlKind::Column, 0, "Horas:"));
  hours.add(radio(kHoursAllDay, "Todo el día."));
  hours.add(radio(kHoursInterval, "En el intervalo:"));
  Control& range = hours.add(Control::make(ControlKind::Row));
  range.add(timePicker(kStart));
  range.add(timePicker(kEnd));

  Control& tiempo = root.add(Control::make(ControlKind::Row));
  tiempo.add(label("Tiempo a pasar para que el coste/min. se aplique:"));
  tiempo.add(edit(kTiempo, 60));
  tiempo.add(label("segundos."));
  Control& costs = root.add(Control::make(ControlKind::Row));
  costs.add(label("Coste por minuto:"));
  costs.add(edit(kCoste, 60));
  costs.add(label("Coste de establecimiento de llamada:"));
  costs.add(edit(kCosteConexion, 60));

  Control& actions = root.add(Control::make(ControlKind::Row));
  actions.add(button(kAdd, "&Agregar"));
  actions.add(button(kModify, "&Modificar"));
  actions.add(button(kRemove, "&Quitar"));
  actions.add(button(kHolidays, "Configurar &festivos..."));

  root.add(label(kTariffNote));
  root.add(Control::make(ControlKind::CheckBox, kQuitarDecimalesBox, std::string(kQuitarDecimalesLabel)));

  Control& closing = root.add(Control::make(ControlKind::Row));
  Control ok = button(kOk, "Aceptar");
  ok.isDefault = true;
  closing.add(std::move(ok));
  closing.add(button(kCancel, "Cancelar"));
}

void CTarifasDlg::showRows() {
  Control& list = *find(kList);
  list.rows.clear();
  const auto selected = editor_.Selected();
  for (std::size_t i = 0; i < editor_.RowCount(); ++i) {
    const auto texts = editor_.RowTexts(i);
    ListRow row;
    row.cells.assign(texts.begin(), texts.end());
    row.selected = selected == i;
    row.data = i;
    list.rows.push_back(std::move(row));
  }
  list.value = selected ? static_cast<int>(*selected) : -1;
  find(kQuitarDecimalesBox)->checked = editor_.QuitarDecimales();
}

void CTarifasDlg::showFields() {
  const TariffFields& f = editor_.Fields();
  find(kDayEveryDay)->checked = f.day == TariffFields::Day::EveryDay;
  find(kDayHoliday)->checked = f.day == TariffFields::Day::Holiday;
  find(kDayWeekday)->checked = f.day == TariffFields::Day::Weekday;
  find(kWeekday)->value = std::clamp(f.weekday, 1, 7) - 1;
  find(kHoursAllDay)->checked = f.hours == TariffFields::Hours::AllDay;
  find(kHoursInterval)->checked = f.hours == TariffFields::Hours::Interval;
  find(kStart)->value = secondsOf(f.startHour, f.startMinute);
  find(kEnd)->value = secondsOf(f.endHour, f.endMinute);
  find(kTiempo)->text = f.tiempo;
  find(kCoste)->text = f.coste;
  find(kCosteConexion)->text = f.costeConexion;
}

void CTarifasDlg::showEnables() {
  find(kWeekday)->enabled = checked(kDayWeekday);
  const bool interval = checked(kHoursInterval);
  find(kStart)->enabled = interval;
  find(kEnd)->enabled = interval;
  const bool selected = editor_.Selected().has_value();
  find(kModify)->enabled = selected;
  find(kRemove)->enabled = selected;
}

bool CTarifasDlg::checked(int id) const {
  const Control* c = root.find(id);
  return c != nullptr && c->checked;
}

void CTarifasDlg::readFields() {
  TariffFields& f = editor_.Fields();
  if (checked(kDayWeekday)) {
    f.day = TariffFields::Day::Weekday;
  } else if (checked(kDayHoliday)) {
    f.day = TariffFields::Day::Holiday;
  } else {
    f.day = TariffFields::Day::EveryDay;
  }
  f.weekday = std::clamp(find(kWeekday)->value + 1, 1, 7);
  f.hours = checked(kHoursInterval) ? TariffFields::Hours::Interval : TariffFields::Hours::AllDay;
  // A picker's value is the seconds after midnight; only hours and minutes count.
  const auto split = [](int seconds, int& hour, int& minute) {
    seconds = std::clamp(seconds, 0, 24 * kSecondsPerHour - 1);
    hour = seconds / kSecondsPerHour;
    minute = seconds % kSecondsPerHour / kSecondsPerMinute;
  };
  split(find(kStart)->value, f.startHour, f.startMinute);
  split(find(kEnd)->value, f.endHour, f.endMinute);
  f.tiempo = find(kTiempo)->text;
  f.coste = find(kCoste)->text;
  f.costeConexion = find(kCosteConexion)->text;
}

void CTarifasDlg::refresh() {
  if (handle_ != kNoWindow) dialogs_.update(handle_);
}

void CTarifasDlg::tell(const DiaryMessage& message) { (void)boxes_.show(MessageBoxOf(message)); }

void CTarifasDlg::selectRow(int row) {
  std::optional<std::size_t> wanted;
  if (row >= 0 && static_cast<std::size_t>(row) < editor_.RowCount()) {
    wanted = static_cast<std::size_t>(row);
  }
  // The list reports a selection more than once (focus, then selection);
  // the second report must not throw away what the user typed since.
  if (wanted == editor_.Selected()) return;
  editor_.Select(wanted);
  showRows();
  if (wanted) showFields();
  showEnables();
  refresh();
}

void CTarifasDlg::add() {
  readFields();
  if (const auto refusal = editor_.Add()) {
    tell(*refusal);
    return;
  }
  showRows();
  showEnables();
  refresh();
}

void CTarifasDlg::modify() {
  readFields();
  if (const auto refusal = editor_.Modify()) {
    tell(*refusal);
    return;
  }
  showRows();
  refresh();
}

void CTarifasDlg::remove() {
  if (const auto refusal = editor_.Remove()) {
    tell(*refusal);
    return;
  }
  showRows();
  showEnables();
  refresh();
}

void CTarifasDlg::openHolidays() {
  CFestivosDlg holidays(store_, clock_, dialogs_, boxes_);
  if (holidays.DoModal()) result_.holidaysWritten = true;
}

void CTarifasDlg::accept() {
  const bool changed = editor_.Changed();
  if (changed && !editor_.Accept()) {
    tell(TariffSaveFailedMessage());
    return;
  }
  result_.accepted = true;
  result_.tariffsWritten = changed;
  dialogs_.endModal(*this, kAccepted);
}

void CTarifasDlg::cancel() {
  editor_.Cancel();
  dialogs_.endModal(*this, kCancelled);
}

bool CTarifasDlg::onCloseRequest() {
  // Closing the window is Cancelar; the binding ends the modal loop.
  editor_.Cancel();
  return true;
}

void CTarifasDlg::onEvent(const ControlEvent& event) {
  const bool clicked = event.kind == ControlEvent::Kind::Clicked;
  switch (event.controlId) {
    case kList:
      if (event.kind == ControlEvent::Kind::Changed) selectRow(event.row);
      break;
    case kDayEveryDay:
    case kDayHoliday:
    case kDayWeekday:
    case kHoursAllDay:
    case kHoursInterval:
      if (clicked) {
        showEnables();
        refresh();
      }
      break;
    case kQuitarDecimalesBox:
      if (clicked) editor_.SetQuitarDecimales(checked(kQuitarDecimalesBox));
      break;
    case kAdd: if (clicked) add(); break;
    case kModify: if (clicked) modify(); break;
    case kRemove: if (clicked) remove(); break;
    case kHolidays: if (clicked) openHolidays(); break;
    case kOk: if (clicked) accept(); break;
    case kCancel: if (clicked) cancel(); break;
    default: break;
  }
}

TariffDialogResult CTarifasDlg::DoModal() {
  result_ = {};
  showRows();
  showEnables();
  handle_ = dialogs_.create(*this);
  (void)dialogs_.runModal(*this);
  dialogs_.destroy(handle_);
  handle_ = kNoWindow;
  return result_;
}

}  // namespace zelvor::diary
