#pragma once
// Prices a connection with the tariffs and holidays, and shows a price the
// way the user writes money.

#include <cstdint>
#include <string>
#include <vector>

#include "net/diary/item_diario.h"
#include "net/diary/local_time_cache.h"
#include "net/diary/tariffs.h"
#include "platform/clock.h"
#include "platform/locale.h"

namespace zelvor::diary {

// One engine serves one thread (it remembers the last local day it saw).
class CostEngine {
 public:
  // The locale is read once here: a diary window prices thousands of
  // records with the same conventions.
  CostEngine(Clock& clock, Locale& locale, TariffSettings tariffs,
             std::vector<CItemFestivo> holidays);
  // The tariffs and holidays as stored now.
  [[nodiscard]] static CostEngine Load(const ConfigStore& store, Clock& clock, Locale& locale);

  // Whether the local date of start is one of the holidays.
  [[nodiscard]] bool IsHoliday(std::int64_t start) const;

  // The price of a connection: the whole connection is priced by the tariff
  // in force at its start minute (the first special tariff whose day and
  // time tests pass, else the normal one), never split across tariffs. The
  // fee covers Tiempo seconds; each started minute after that costs Coste.
  // A negative duration is priced as 0.
  [[nodiscard]] double Cost(const CItemDiario& record) const;

  // The index in the tariff list of the tariff that prices a connection
  // starting at start; -1 when the list is empty.
  [[nodiscard]] int ChooseTariff(std::int64_t start) const;

  // "value currency": with QuitarDecimales the value cut towards zero and
  // shown without decimals, otherwise with the user's decimals; grouped with
  // the user's thousands separator either way.
  [[nodiscard]] std::string FormatCost(double value) const;

  [[nodiscard]] const TariffSettings& tariffs() const { return tariffs_; }
  [[nodiscard]] const std::vector<CItemFestivo>& holidays() const { return holidays_; }

 private:
  [[nodiscard]] bool isHoliday(const LocalTime& local) const;

  mutable LocalTimeCache localTimes_;
  TariffSettings tariffs_;
  std::vector<CItemFestivo> holidays_;
  NumberFormat number_;
  std::string currency_;
};

// The local time of an instant of a record. Starts read from a file can be
// anything; those beyond some 34,000 years from 1970 are taken as that
// limit so that the conversion cannot overflow.
[[nodiscard]] LocalTime LocalTimeOf(Clock& clock, std::int64_t instant);

// The time test of a tariff for a start at minute T of the day (0..1439).
// A range whose start is not before its end runs past midnight (or, when
// both are equal, covers the whole day); such a range does not include its
// end minute, while a range within one day does.
[[nodiscard]] bool TariffCoversMinute(const CItemTarifa& tariff, int minuteOfDay);

// The day test: Dia -1 always passes, 0 on holidays, 1..7 on that weekday
// (1 Monday .. 7 Sunday).
[[nodiscard]] bool TariffCoversDay(const CItemTarifa& tariff, int weekday, bool holiday);

// The price of duration seconds under one tariff.
[[nodiscard]] double PriceWith(const CItemTarifa& tariff, std::int64_t duration);

}  // namespace zelvor::diary
