#pragma once
// The trigger's settings page as a model: its controls, their values,
// which are enabled and shown, and where they sit in the normal and the
// compact layout. A toolkit binding renders it and reports the user's
// edits through the On... calls.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exit/scheduler_record.h"

namespace zelvor {

enum class SchedulerControl {
  EnableBox,
  KindList,
  TimeLabel,
  TimePicker,
  WeekdayLabel,
  WeekdayList,
  DayLabel,
  DayField,
  DaySpin,
  MonthLabel,
  MonthList,
  WarningBox,
  SecondsField,
  SecondsSpin,
};
inline constexpr int kSchedulerControlCount = 14;

enum class SchedulerLayout { Normal, Compact };

// A control's place on the page, in dialog units.
struct ControlPlace {
  SchedulerControl id;
  int x, y, width, height;
};

struct PageSize {
  int width, height;
};

class CSchedulerPage {
 public:
  static constexpr std::string_view kDefaultEnableText = "Habilitar";
  static constexpr std::string_view kTimeFormat = "HH:mm";
  static constexpr int kSecondsSpinMax = kMaxWarningSeconds;

  // caption: the enable box's text; without one the box is hidden and
  // every other control counts as enabled.
  CSchedulerPage(std::optional<std::string> caption, SchedulerLayout layout);

  // Puts a record's values into the controls. year is the current local
  // year, which bounds the day of February.
  void Fill(const SchedulerRecord& record, int year);
  // Takes the control values into a record (the time picker gives Hour
  // and Minute).
  void TakeInto(SchedulerRecord& record) const;

  // The user's edits.
  void OnEnableBox(bool checked);
  void OnKind(int kind);
  void OnTime(int hour, int minute);
  void OnWeekday(int position, bool checked);
  // The day field and the seconds field keep to their spin ranges.
  void OnDay(int day);
  void OnMonth(int monthIndex);
  void OnWarningBox(bool checked);
  void OnSeconds(int seconds);

  // Control values.
  [[nodiscard]] bool EnableChecked() const { return enableChecked_; }
  [[nodiscard]] int Kind() const { return kind_; }
  [[nodiscard]] int Hour() const { return hour_; }
  [[nodiscard]] int Minute() const { return minute_; }
  [[nodiscard]] bool WeekdayChecked(int position) const;
  [[nodiscard]] int Day() const { return day_; }
  [[nodiscard]] int MonthIndex() const { return month_; }
  [[nodiscard]] bool WarningChecked() const { return warningChecked_; }
  [[nodiscard]] int Seconds() const { return seconds_; }

  // Upper bound of the day spin (lower bound 1): the days of the chosen
  // month, or 31 when the kind does not use the month.
  [[nodiscard]] int DaySpinMax() const { return daySpinMax_; }

  [[nodiscard]] bool IsEnabled(SchedulerControl control) const;
  [[nodiscard]] bool IsVisible(SchedulerControl control) const;
  // The fixed text of a control ("" for those without one).
  [[nodiscard]] std::string_view Text(SchedulerControl control) const;
  [[nodiscard]] bool HasEnableBox() const { return caption_.has_value(); }
  [[nodiscard]] SchedulerLayout Layout() const { return layout_; }

  // Items of the kind, weekday and month lists.
  [[nodiscard]] static std::vector<std::string_view> KindItems();
  [[nodiscard]] static std::vector<std::string_view> WeekdayItems();
  [[nodiscard]] static std::vector<std::string_view> MonthItems();

  // Places of the visible controls and the page size for this layout. In
  // the compact layout the warning row is left out and the page ends above it.
  [[nodiscard]] std::vector<ControlPlace> Places() const;
  [[nodiscard]] PageSize Size() const;
  // The enable box is as wide as its caption in the dialog font plus 18
  // pixels (the box itself and its gap).
  [[nodiscard]] static int EnableBoxWidthPx(int captionTextWidthPx) { return captionTextWidthPx + 18; }

 private:
  void UpdateDayBound();
  [[nodiscard]] bool UsesMonth() const;

  std::optional<std::string> caption_;
  SchedulerLayout layout_;
  int year_ = 2000;

  bool enableChecked_ = false;
  int kind_ = 0;
  int hour_ = 0;
  int minute_ = 0;
  int weekdayMask_ = 0;
  int day_ = 1;
  int month_ = 0;
  bool warningChecked_ = false;
  int seconds_ = 10;
  int daySpinMax_ = 31;
};

}  // namespace zelvor
