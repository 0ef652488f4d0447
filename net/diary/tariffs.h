#pragma once
// Telephone tariffs and holidays of the cost engine, and their storage under
// Diario\Tarifas and Diario\Festivos.

#include <string>
#include <string_view>
#include <vector>

#include "shell/store/config_store.h"

namespace zelvor::diary {

// Values of Tarifas\ i.
inline constexpr std::string_view kTariffsKey = "Diario\\Tarifas";
inline constexpr std::string_view kHolidaysKey = "Diario\\Festivos";
inline constexpr std::string_view kQuitarDecimales = "QuitarDecimales";

// Dia of a tariff: every day, holidays, or a weekday 1 Monday .. 7 Sunday.
inline constexpr int kEveryDay = -1;
inline constexpr int kHoliday = 0;

struct CItemTarifa {
  int Dia = kEveryDay;
  bool TodoElDia = true;  // the hours are ignored
  int HoraIni = 0;        // 0..23
  int HoraFin = 0;
  int MinutosIni = 0;     // 0..59
  int MinutosFin = 0;
  int Tiempo = 0;         // seconds covered by the connection fee
  double Coste = 0;       // price of each started minute after Tiempo
  double CosteConexion = 0;  // the connection fee

  friend bool operator==(const CItemTarifa&, const CItemTarifa&) = default;
};

// A holiday of every year.
struct CItemFestivo {
  int Dia = 1;  // day of month 1..31
  int Mes = 1;  // month 1..12

  friend bool operator==(const CItemFestivo&, const CItemFestivo&) = default;
  friend auto operator<=>(const CItemFestivo& a, const CItemFestivo& b) {
    if (a.Mes != b.Mes) return a.Mes <=> b.Mes;
    return a.Dia <=> b.Dia;
  }
};

// The ordered tariff list (the first entry is the normal tariff) and the
// display option stored beside it.
struct TariffSettings {
  std::vector<CItemTarifa> tariffs;
  bool quitarDecimales = false;

  friend bool operator==(const TariffSettings&, const TariffSettings&) = default;
};

// A store holding more list entries than this is damaged; the rest is not read.
inline constexpr int kMaxListEntries = 1000;

// Reads the tariffs. With Numero 0 or missing the list holds one new tariff,
// so every cost is 0. Hours and minutes out of range are brought into it.
[[nodiscard]] TariffSettings LoadTariffs(const ConfigStore& store);
// Deletes the whole Tarifas key and writes it again from settings, as one
// change of the store. Returns false when the store could not be written.
[[nodiscard]] bool SaveTariffs(ConfigStore& store, const TariffSettings& settings);

// Reads the holidays, sorted by month then day, without duplicates and
// without entries that are no day of any year.
[[nodiscard]] std::vector<CItemFestivo> LoadHolidays(const ConfigStore& store);
// Deletes the whole Festivos key and writes it again (sorted), as one change.
[[nodiscard]] bool SaveHolidays(ConfigStore& store, std::vector<CItemFestivo> holidays);

// Sorts by month then day and drops duplicates and impossible dates.
void NormalizeHolidays(std::vector<CItemFestivo>& holidays);
[[nodiscard]] bool IsValidHoliday(const CItemFestivo& holiday);

// A stored decimal number: "%0.2f" with '.' whatever the user's locale.
[[nodiscard]] std::string FormatStoredCost(double value);
// Reads a decimal number with '.' as atof does (leading blanks, the longest
// valid prefix, 0 when there is none); infinities and NaN read as 0.
[[nodiscard]] double ParseStoredCost(std::string_view text);

}  // namespace zelvor::diary
