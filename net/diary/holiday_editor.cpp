#include "net/diary/holiday_editor.h"

#include <algorithm>
#include <array>

namespace zelvor::diary {
namespace {

constexpr std::array<std::string_view, 12> kMonths{
    "enero", "febrero", "marzo",     "abril",   "mayo",      "junio",
    "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};

}  // namespace

std::string HolidayText(int day, int month) {
  if (month < 1 || month > 12) return {};
  return std::to_string(day) + " de " + std::string(kMonths[static_cast<std::size_t>(month - 1)]);
}

HolidayEditor::HolidayEditor(ConfigStore& store, Clock& clock)
    : store_(store), loaded_(LoadHolidays(store)), holidays_(loaded_) {
  const LocalTime today = localNow(clock);
  currentYear_ = today.year;
  picked_ = {today.year, today.month, today.day};
}

std::string HolidayEditor::RowText(std::size_t row) const {
  const CItemFestivo& h = holidays_.at(row);
  return HolidayText(h.Dia, h.Mes);
}

void HolidayEditor::Select(std::optional<std::size_t> row) {
  if (row && *row >= holidays_.size()) row.reset();
  selected_ = row;
  if (!row) return;
  const CItemFestivo& h = holidays_[*row];
  picked_ = {currentYear_, h.Mes, std::min(h.Dia, daysInMonth(currentYear_, h.Mes))};
}

void HolidayEditor::Pick(PickedDate date) {
  if (date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > daysInMonth(date.year, date.month)) {
    return;
  }
  picked_ = date;
}

std::optional<DiaryMessage> HolidayEditor::Add() {
  const CItemFestivo h{picked_.day, picked_.month};
  const auto at = std::lower_bound(holidays_.begin(), holidays_.end(), h);
  if (at != holidays_.end() && *at == h) {
    return DiaryMessage{std::string(kHolidayAlreadyListed), std::string(kHolidayMessageCaption),
                        DiaryMessage::Icon::Warning, false};
  }
  const auto inserted = holidays_.insert(at, h);
  selected_ = static_cast<std::size_t>(inserted - holidays_.begin());
  return std::nullopt;
}

void HolidayEditor::Remove() {
  if (!selected_) return;
  holidays_.erase(holidays_.begin() + static_cast<std::ptrdiff_t>(*selected_));
  if (holidays_.empty()) {
    selected_.reset();
  } else if (*selected_ >= holidays_.size()) {
    selected_ = holidays_.size() - 1;  // the last one went: its predecessor
  }
  // Otherwise the index now names the one that followed.
}

bool HolidayEditor::Accept() {
  if (!Changed()) return false;
  if (!SaveHolidays(store_, holidays_)) return false;
  loaded_ = holidays_;
  return true;
}

void HolidayEditor::Cancel() {
  if (!Changed()) return;
  loaded_ = LoadHolidays(store_);
  holidays_ = loaded_;
  selected_.reset();
}

}  // namespace zelvor::diary
