#include "exit/scheduler_page.h"

#include <algorithm>

namespace zelvor {
namespace {

// The normal layout, in dialog units. The warning row is the last one, so
// the compact layout is the same page cut above it.
constexpr std::array<ControlPlace, kSchedulerControlCount> kNormalPlaces = {{
    {SchedulerControl::EnableBox, 7, 7, 150, 10},
    {SchedulerControl::KindList, 7, 22, 96, 70},
    {SchedulerControl::TimeLabel, 112, 24, 24, 8},
    {SchedulerControl::TimePicker, 138, 22, 48, 14},
    {SchedulerControl::WeekdayLabel, 7, 42, 96, 8},
    {SchedulerControl::WeekdayList, 7, 52, 96, 62},
    {SchedulerControl::DayLabel, 112, 54, 24, 8},
    {SchedulerControl::DayField, 138, 52, 30, 14},
    {SchedulerControl::DaySpin, 168, 52, 10, 14},
    {SchedulerControl::MonthLabel, 112, 74, 24, 8},
    {SchedulerControl::MonthList, 138, 72, 64, 90},
    {SchedulerControl::WarningBox, 7, 124, 150, 10},
    {SchedulerControl::SecondsField, 160, 122, 32, 14},
    {SchedulerControl::SecondsSpin, 192, 122, 10, 14},
}};
constexpr PageSize kNormalSize = {210, 144};
constexpr PageSize kCompactSize = {210, 120};

bool IsWarningControl(SchedulerControl c) {
  return c == SchedulerControl::WarningBox || c == SchedulerControl::SecondsField ||
         c == SchedulerControl::SecondsSpin;
}

}  // namespace

CSchedulerPage::CSchedulerPage(std::optional<std::string> caption, SchedulerLayout layout)
    : caption_(std::move(caption)), layout_(layout) {}

void CSchedulerPage::Fill(const SchedulerRecord& r, int year) {
  year_ = year;
  enableChecked_ = r.Enable != 0;
  kind_ = r.Start;
  NormaliseTimeOfDay(r.Hour, r.Minute, hour_, minute_);
  weekdayMask_ = r.Weekday;
  // The stored day is shown as it is, even above this year's bound: a
  // yearly 29 February opened in a common year must survive a save.
  day_ = r.Day;
  month_ = r.Month;
  warningChecked_ = r.ShowWarning != 0;
  seconds_ = r.Seconds;
  UpdateDayBound();
}

void CSchedulerPage::TakeInto(SchedulerRecord& r) const {
  r.Enable = enableChecked_ ? 1 : 0;
  r.Start = kind_;
  r.Hour = hour_;
  r.Minute = minute_;
  r.Weekday = weekdayMask_;
  r.Day = day_;
  r.Month = month_;
  r.ShowWarning = warningChecked_ ? 1 : 0;
  r.Seconds = seconds_;
}

void CSchedulerPage::OnEnableBox(bool checked) { enableChecked_ = checked; }

void CSchedulerPage::OnKind(int kind) {
  kind_ = kind;
  UpdateDayBound();
  // A day the new bound does not allow would make a date that never comes.
  if (UsesMonth()) day_ = std::clamp(day_, 1, daySpinMax_);
}

void CSchedulerPage::OnTime(int hour, int minute) { NormaliseTimeOfDay(hour, minute, hour_, minute_); }

void CSchedulerPage::OnWeekday(int position, bool checked) {
  const int bit = WeekdayBitOfPosition(position);
  weekdayMask_ = checked ? (weekdayMask_ | bit) : (weekdayMask_ & ~bit);
}

void CSchedulerPage::OnDay(int day) { day_ = std::clamp(day, 1, daySpinMax_); }

void CSchedulerPage::OnMonth(int monthIndex) {
  month_ = std::clamp(monthIndex, 0, 11);
  UpdateDayBound();
  if (UsesMonth()) day_ = std::clamp(day_, 1, daySpinMax_);
}

void CSchedulerPage::OnWarningBox(bool checked) { warningChecked_ = checked; }

void CSchedulerPage::OnSeconds(int seconds) { seconds_ = std::clamp(seconds, 0, kSecondsSpinMax); }

bool CSchedulerPage::WeekdayChecked(int position) const {
  return (weekdayMask_ & WeekdayBitOfPosition(position)) != 0;
}

bool CSchedulerPage::UsesMonth() const {
  return kind_ == static_cast<int>(TriggerKind::Once) || kind_ == static_cast<int>(TriggerKind::Yearly);
}

void CSchedulerPage::UpdateDayBound() { daySpinMax_ = UsesMonth() ? DaysInMonthIndex(month_, year_) : 31; }

bool CSchedulerPage::IsEnabled(SchedulerControl c) const {
  if (c == SchedulerControl::EnableBox) return HasEnableBox();
  if (HasEnableBox() && !enableChecked_) return false;
  switch (c) {
    case SchedulerControl::WeekdayLabel:
    case SchedulerControl::WeekdayList:
      return kind_ == static_cast<int>(TriggerKind::Weekly);
    case SchedulerControl::DayLabel:
    case SchedulerControl::DayField:
    case SchedulerControl::DaySpin:
      return kind_ == static_cast<int>(TriggerKind::Once) ||
             kind_ == static_cast<int>(TriggerKind::Monthly) ||
             kind_ == static_cast<int>(TriggerKind::Yearly);
    case SchedulerControl::MonthLabel:
    case SchedulerControl::MonthList:
      return UsesMonth();
    default:
      // The kind list, the time picker and the warning controls.
      return true;
  }
}

bool CSchedulerPage::IsVisible(SchedulerControl c) const {
  if (c == SchedulerControl::EnableBox) return HasEnableBox();
  if (IsWarningControl(c)) return layout_ == SchedulerLayout::Normal;
  return true;
}

std::string_view CSchedulerPage::Text(SchedulerControl c) const {
  switch (c) {
    case SchedulerControl::EnableBox:
      return caption_ ? std::string_view(*caption_) : kDefaultEnableText;
    case SchedulerControl::TimeLabel:
      return "Hora:";
    case SchedulerControl::WeekdayLabel:
      return "Días de la semana:";
    case SchedulerControl::DayLabel:
      return "Día:";
    case SchedulerControl::MonthLabel:
      return "Mes:";
    case SchedulerControl::WarningBox:
      return "Mostrar un aviso durante unos segundos:";
    default:
      return {};
  }
}

std::vector<std::string_view> CSchedulerPage::KindItems() {
  std::vector<std::string_view> items;
  for (int i = 0; i < kKindCount; ++i) items.push_back(KindName(i));
  return items;
}

std::vector<std::string_view> CSchedulerPage::WeekdayItems() {
  std::vector<std::string_view> items;
  for (int i = 0; i < 7; ++i) items.push_back(WeekdayName(i));
  return items;
}

std::vector<std::string_view> CSchedulerPage::MonthItems() {
  std::vector<std::string_view> items;
  for (int i = 0; i < 12; ++i) items.push_back(MonthName(i));
  return items;
}

std::vector<ControlPlace> CSchedulerPage::Places() const {
  std::vector<ControlPlace> places;
  for (const ControlPlace& p : kNormalPlaces) {
    if (IsVisible(p.id)) places.push_back(p);
  }
  return places;
}

PageSize CSchedulerPage::Size() const {
  return layout_ == SchedulerLayout::Normal ? kNormalSize : kCompactSize;
}

}  // namespace zelvor
