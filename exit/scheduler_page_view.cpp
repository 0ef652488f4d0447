#include "exit/scheduler_page_view.h"

#include <algorithm>
#include <string>

namespace zelvor {
namespace {

using C = SchedulerControl;

// The labels of the right-hand column share one width, so that their
// fields line up.
constexpr int kFieldLabelWidthPx = 40;
constexpr int kWeekdayListHeightPx = 134;
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

std::vector<std::string> Texts(const std::vector<std::string_view>& items) {
  return {items.begin(), items.end()};
}

// A combo's selection; an index outside its items selects nothing.
int Selection(int index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count ? index : -1;
}

}  // namespace

Control SchedulerPageView::Make(ControlKind kind, SchedulerControl control) const {
  return Control::make(kind, IdOf(control), std::string(page_.Text(control)));
}

Control SchedulerPageView::Build() const {
  Control page = Control::make(ControlKind::Column);
  page.add(Make(ControlKind::CheckBox, C::EnableBox));

  Control& fields = page.add(Control::make(ControlKind::Row));
  Control& left = fields.add(Control::make(ControlKind::Column));
  Control kinds = Make(ControlKind::Combo, C::KindList);
  kinds.items = Texts(CSchedulerPage::KindItems());
  left.add(kinds);
  left.add(Make(ControlKind::Label, C::WeekdayLabel));
  Control weekdays = Make(ControlKind::ListView, C::WeekdayList);
  weekdays.checkBoxes = true;
  weekdays.size = {0, kWeekdayListHeightPx};
  for (std::string_view day : CSchedulerPage::WeekdayItems()) {
    ListRow row;
    row.cells = {std::string(day)};
    weekdays.rows.push_back(row);
  }
  weekdays.value = -1;
  left.add(weekdays);

  Control& right = fields.add(Control::make(ControlKind::Column));
  const auto labelled = [&](SchedulerControl label, Control field) {
    Control& row = right.add(Control::make(ControlKind::Row));
    Control text = Make(ControlKind::Label, label);
    text.size = {kFieldLabelWidthPx, 0};
    row.add(text);
    row.add(std::move(field));
  };
  Control time = Make(ControlKind::TimePicker, C::TimePicker);
  time.text = std::string(CSchedulerPage::kTimeFormat);
  labelled(C::TimeLabel, time);
  labelled(C::DayLabel, Make(ControlKind::Spin, C::DayField));
  Control months = Make(ControlKind::Combo, C::MonthList);
  months.items = Texts(CSchedulerPage::MonthItems());
  labelled(C::MonthLabel, months);

  Control& warning = page.add(Control::make(ControlKind::Row));
  warning.add(Make(ControlKind::CheckBox, C::WarningBox));
  Control seconds = Make(ControlKind::Spin, C::SecondsField);
  seconds.minimum = 0;
  seconds.maximum = CSchedulerPage::kSecondsSpinMax;
  warning.add(seconds);

  Apply(page);
  return page;
}

void SchedulerPageView::Apply(Control& root) const {
  const auto state = [&](SchedulerControl id, std::initializer_list<SchedulerControl> parts = {}) -> Control* {
    Control* c = root.find(IdOf(id));
    if (c == nullptr) return nullptr;
    c->enabled = page_.IsEnabled(id);
    c->visible = page_.IsVisible(id);
    for (SchedulerControl part : parts) {
      c->enabled = c->enabled && page_.IsEnabled(part);
      c->visible = c->visible && page_.IsVisible(part);
    }
    return c;
  };

  if (Control* box = state(C::EnableBox)) {
    box->text = std::string(page_.Text(C::EnableBox));
    box->checked = page_.EnableChecked();
  }
  if (Control* kinds = state(C::KindList)) kinds->value = Selection(page_.Kind(), kinds->items.size());
  for (SchedulerControl label : {C::TimeLabel, C::WeekdayLabel, C::DayLabel, C::MonthLabel}) {
    (void)state(label);
  }
  if (Control* time = state(C::TimePicker)) {
    time->value = page_.Hour() * kSecondsPerHour + page_.Minute() * kSecondsPerMinute;
  }
  if (Control* weekdays = state(C::WeekdayList)) {
    for (std::size_t i = 0; i < weekdays->rows.size(); ++i) {
      weekdays->rows[i].checked = page_.WeekdayChecked(static_cast<int>(i));
    }
  }
  if (Control* day = state(C::DayField, {C::DaySpin})) {
    day->minimum = 1;
    // A stored day beyond this year's bound (a yearly 29 February opened
    // in a common year) is shown as it is, not as the bound.
    day->maximum = std::max(page_.DaySpinMax(), page_.Day());
    day->value = page_.Day();
  }
  if (Control* months = state(C::MonthList)) months->value = Selection(page_.MonthIndex(), months->items.size());
  if (Control* box = state(C::WarningBox)) box->checked = page_.WarningChecked();
  if (Control* seconds = state(C::SecondsField, {C::SecondsSpin})) seconds->value = page_.Seconds();
}

SchedulerPageView::EventResult SchedulerPageView::HandleEvent(const ControlEvent& event, Control& root) {
  if (!Owns(event.controlId)) return EventResult::NotMine;
  const Control* c = root.find(event.controlId);
  if (c == nullptr) return EventResult::NotMine;
  const auto id = static_cast<SchedulerControl>(event.controlId - firstId_);
  const bool clicked = event.kind == ControlEvent::Kind::Clicked;
  const bool changed = event.kind == ControlEvent::Kind::Changed;
  switch (id) {
    case C::EnableBox:
      if (!clicked) return EventResult::NotMine;
      page_.OnEnableBox(c->checked);
      break;
    case C::KindList:
      if (!changed || c->value < 0) return EventResult::NotMine;
      page_.OnKind(c->value);
      break;
    case C::TimePicker:
      if (!changed) return EventResult::NotMine;
      page_.OnTime(c->value / kSecondsPerHour, c->value / kSecondsPerMinute % 60);
      break;
    case C::WeekdayList:
      if (!changed) return EventResult::NotMine;
      // Focus and selection changes come as changes too; taking every
      // row's check mark makes each of them harmless.
      for (std::size_t i = 0; i < c->rows.size(); ++i) page_.OnWeekday(static_cast<int>(i), c->rows[i].checked);
      Apply(root);
      // The check marks do not change what is enabled, and the list shows
      // the user's mark already; showing the model again would rebuild the
      // list from inside the toolkit's notification about that very row.
      return EventResult::ShownAlready;
    case C::DayField:
      if (!changed) return EventResult::NotMine;
      page_.OnDay(c->value);
      break;
    case C::MonthList:
      if (!changed || c->value < 0) return EventResult::NotMine;
      page_.OnMonth(c->value);
      break;
    case C::WarningBox:
      if (!clicked) return EventResult::NotMine;
      page_.OnWarningBox(c->checked);
      break;
    case C::SecondsField:
      if (!changed) return EventResult::NotMine;
      page_.OnSeconds(c->value);
      break;
    default:
      return EventResult::NotMine;
  }
  Apply(root);
  return EventResult::Changed;
}

}  // namespace zelvor
