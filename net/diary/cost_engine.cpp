#include "net/diary/cost_engine.h"

#include <algorithm>
#include <cmath>

namespace zelvor::diary {

LocalTime LocalTimeOf(Clock& clock, std::int64_t instant) {
  return LocalTimeCache(clock).of(instant);
}

bool TariffCoversDay(const CItemTarifa& tariff, int weekday, bool holiday) {
  if (tariff.Dia == kEveryDay) return true;
  if (tariff.Dia == kHoliday) return holiday;
  return tariff.Dia == weekday;
}

bool TariffCoversMinute(const CItemTarifa& tariff, int minuteOfDay) {
  if (tariff.TodoElDia) return true;
  int t = minuteOfDay;
  const int s = tariff.HoraIni * 60 + tariff.MinutosIni;
  int e = tariff.HoraFin * 60 + tariff.MinutosFin;
  if (s >= e) {
    // Unfold the range past midnight onto [s, e + 1440]; a start in the
    // morning part moves to the next day with it.
    if (t < e && t < s) t += 1440;
    e += 1440;
  }
  return s <= t && t <= e;
}

double PriceWith(const CItemTarifa& tariff, std::int64_t duration) {
  // A negative time covered by the fee makes no sense; it covers nothing.
  const std::int64_t covered = std::max(0, tariff.Tiempo);
  duration = std::max<std::int64_t>(0, duration);
  if (duration <= covered) return tariff.CosteConexion;
  const std::int64_t over = duration - covered;  // > 0, no overflow: both >= 0
  const std::int64_t steps = over / 60 + (over % 60 != 0 ? 1 : 0);
  return tariff.CosteConexion + static_cast<double>(steps) * tariff.Coste;
}

CostEngine::CostEngine(Clock& clock, Locale& locale, TariffSettings tariffs,
                       std::vector<CItemFestivo> holidays)
    : localTimes_(clock),
      tariffs_(std::move(tariffs)),
      holidays_(std::move(holidays)),
      number_(locale.numberFormat()),
      currency_(locale.currencySymbol()) {}

CostEngine CostEngine::Load(const ConfigStore& store, Clock& clock, Locale& locale) {
  return CostEngine(clock, locale, LoadTariffs(store), LoadHolidays(store));
}

bool CostEngine::isHoliday(const LocalTime& local) const {
  for (const CItemFestivo& h : holidays_) {
    if (h.Dia == local.day && h.Mes == local.month) return true;
  }
  return false;
}

bool CostEngine::IsHoliday(std::int64_t start) const { return isHoliday(localTimes_.of(start)); }

int CostEngine::ChooseTariff(std::int64_t start) const {
  const auto& list = tariffs_.tariffs;
  if (list.empty()) return -1;
  const LocalTime local = localTimes_.of(start);
  const bool holiday = isHoliday(local);
  const int minute = local.hour * 60 + local.minute;
  const int weekday = local.weekday == 0 ? 7 : local.weekday;  // 1 Monday .. 7 Sunday
  for (std::size_t i = 1; i < list.size(); ++i) {
    if (TariffCoversDay(list[i], weekday, holiday) && TariffCoversMinute(list[i], minute)) {
      return static_cast<int>(i);
    }
  }
  return 0;
}

double CostEngine::Cost(const CItemDiario& record) const {
  const int chosen = ChooseTariff(record.start);
  if (chosen < 0) return 0;
  return PriceWith(tariffs_.tariffs[static_cast<std::size_t>(chosen)], record.duration);
}

std::string CostEngine::FormatCost(double value) const {
  std::string text;
  if (tariffs_.quitarDecimales) {
    NumberFormat whole = number_;
    whole.decimals = 0;
    text = formatNumber(whole, std::trunc(value));
  } else {
    text = formatNumber(number_, value);
  }
  // A locale without a currency symbol (the C locale) shows the bare number.
  if (currency_.empty()) return text;
  return text + " " + currency_;
}

}  // namespace zelvor::diary
