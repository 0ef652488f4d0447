#pragma once
// What the holiday dialog ("Festivos a lo largo del año") shows and does,
// apart from any window toolkit: the sorted list, the date picker, adding
// with its duplicate check, removing, and saving or reloading on close.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/diary/diary_message.h"
#include "net/diary/tariffs.h"
#include "platform/clock.h"

namespace zelvor::diary {

inline constexpr std::string_view kHolidayDialogTitle = "Festivos a lo largo del año";
inline constexpr std::string_view kHolidayMessageCaption = "Festivos";
inline constexpr std::string_view kHolidayAlreadyListed =
    "La fecha que se intenta agregar ya está incluida en la lista.";

// "d 'de' MMMM": "25 de diciembre".
[[nodiscard]] std::string HolidayText(int day, int month);

struct PickedDate {
  int year = 1970, month = 1, day = 1;
  friend bool operator==(const PickedDate&, const PickedDate&) = default;
};

class HolidayEditor {
 public:
  // The picker starts at today's local date.
  HolidayEditor(ConfigStore& store, Clock& clock);

  [[nodiscard]] const std::vector<CItemFestivo>& Holidays() const { return holidays_; }
  [[nodiscard]] std::string RowText(std::size_t row) const;

  // Selecting a holiday sets the picker to that day of the current year
  // (29 February to the 28th in a year without it).
  void Select(std::optional<std::size_t> row);
  [[nodiscard]] std::optional<std::size_t> Selected() const { return selected_; }

  [[nodiscard]] const PickedDate& Picked() const { return picked_; }
  // An impossible date leaves the picker as it was.
  void Pick(PickedDate date);
  [[nodiscard]] std::string PickedText() const { return HolidayText(picked_.day, picked_.month); }

  // Adds the picked day and month at its sorted place and selects it, or
  // returns the message that refuses a date already listed.
  [[nodiscard]] std::optional<DiaryMessage> Add();
  // Removes the selected holiday and selects its neighbour.
  void Remove();

  [[nodiscard]] bool Changed() const { return holidays_ != loaded_; }
  // On accept with changes the whole Festivos key is rewritten; returns
  // whether it wrote.
  bool Accept();
  // On cancel with changes the list is read again from the store.
  void Cancel();

 private:
  ConfigStore& store_;
  int currentYear_;
  std::vector<CItemFestivo> loaded_;
  std::vector<CItemFestivo> holidays_;
  std::optional<std::size_t> selected_;
  PickedDate picked_;
};

}  // namespace zelvor::diary
