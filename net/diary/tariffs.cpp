#include "net/diary/tariffs.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/clock.h"
#include "shell/store/reg_key_ex.h"

namespace zelvor::diary {
namespace {

constexpr std::string_view kDia = "Dia";
constexpr std::string_view kTodoElDia = "TodoElDia";
constexpr std::string_view kHoraIni = "HoraIni";
constexpr std::string_view kHoraFin = "HoraFin";
constexpr std::string_view kMinutosIni = "MinutosIni";
constexpr std::string_view kMinutosFin = "MinutosFin";
constexpr std::string_view kTiempo = "Tiempo";
constexpr std::string_view kCoste = "Coste";
constexpr std::string_view kCosteConexion = "CosteConexion";
constexpr std::string_view kMes = "Mes";

int clampTo(int value, int low, int high) { return std::min(std::max(value, low), high); }

std::string elementPath(std::string_view list, int index) {
  return joinKeyPath(list, listElementKey(index));
}

int listCount(const ConfigStore& store, std::string_view list) {
  return clampTo(store.ReadConfigInt(list, kListCount), 0, kMaxListEntries);
}

RegOp setText(const std::string& path, std::string_view name, std::string text) {
  return {RegOp::Kind::SetValue, Hive::CurrentUser, path, std::string(name), RegValue::text(text)};
}

// Deleting the list key and writing it again go to the store as one batch,
// so a failed write never leaves the list half rewritten.
bool rewriteList(ConfigStore& store, std::string_view list, std::vector<RegOp> writes) {
  const std::string path = ConfigStore::KeyPath(list);
  std::vector<RegOp> ops;
  if (store.registry().keyExists(Hive::CurrentUser, path)) {
    ops.push_back({RegOp::Kind::DeleteTree, Hive::CurrentUser, path, {}, {}});
  }
  ops.push_back({RegOp::Kind::CreateKey, Hive::CurrentUser, path, {}, {}});
  for (auto& op : writes) ops.push_back(std::move(op));
  return store.registry().apply(ops) == RegStatus::Ok;
}

}  // namespace

std::string FormatStoredCost(double value) {
  if (!std::isfinite(value)) value = 0;
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
  if (r.ec != std::errc()) return "0.00";
  return std::string(buf, r.ptr);
}

double ParseStoredCost(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || (text.front() >= '\t' && text.front() <= '\r'))) {
    text.remove_prefix(1);
  }
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Only plain decimal notation is a stored number; "inf", "nan" and hex
  // floats are not, so the parse must start with a digit or a '.'.
  if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) {
    return 0;
  }
  double value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value,
                                 std::chars_format::general);
  if (r.ec != std::errc() || !std::isfinite(value)) return 0;
  return negative ? -value : value;
}

TariffSettings LoadTariffs(const ConfigStore& store) {
  TariffSettings settings;
  settings.quitarDecimales = store.ReadConfigInt(kTariffsKey, kQuitarDecimales) == 1;
  const int count = listCount(store, kTariffsKey);
  for (int i = 1; i <= count; ++i) {
    const std::string path = elementPath(kTariffsKey, i);
    CItemTarifa t;
    t.Dia = store.ReadConfigInt(path, kDia);
    t.TodoElDia = store.ReadConfigInt(path, kTodoElDia) != 0;
    // The editors only offer valid times; a hand-edited store could hold an
    // hour of 30, which would make the time test match nonsense ranges.
    t.HoraIni = clampTo(store.ReadConfigInt(path, kHoraIni), 0, 23);
    t.HoraFin = clampTo(store.ReadConfigInt(path, kHoraFin), 0, 23);
    t.MinutosIni = clampTo(store.ReadConfigInt(path, kMinutosIni), 0, 59);
    t.MinutosFin = clampTo(store.ReadConfigInt(path, kMinutosFin), 0, 59);
    t.Tiempo = store.ReadConfigInt(path, kTiempo);
    t.Coste = ParseStoredCost(store.ReadConfigString(path, kCoste));
    t.CosteConexion = ParseStoredCost(store.ReadConfigString(path, kCosteConexion));
    settings.tariffs.push_back(t);
  }
  if (settings.tariffs.empty()) {
    CItemTarifa empty;
    settings.tariffs.push_back(empty);
  }
  return settings;
}

bool SaveTariffs(ConfigStore& store, const TariffSettings& settings) {
  std::vector<RegOp> ops;
  const std::string list = ConfigStore::KeyPath(kTariffsKey);
  ops.push_back(setText(list, kQuitarDecimales, settings.quitarDecimales ? "1" : "0"));
  ops.push_back(setText(list, kListCount, std::to_string(settings.tariffs.size())));
  int index = 0;
  for (const CItemTarifa& t : settings.tariffs) {
    const std::string path = ConfigStore::KeyPath(elementPath(kTariffsKey, ++index));
    ops.push_back({RegOp::Kind::CreateKey, Hive::CurrentUser, path, {}, {}});
    ops.push_back(setText(path, kDia, std::to_string(t.Dia)));
    ops.push_back(setText(path, kTodoElDia, t.TodoElDia ? "1" : "0"));
    ops.push_back(setText(path, kHoraIni, std::to_string(t.HoraIni)));
    ops.push_back(setText(path, kHoraFin, std::to_string(t.HoraFin)));
    ops.push_back(setText(path, kMinutosIni, std::to_string(t.MinutosIni)));
    ops.push_back(setText(path, kMinutosFin, std::to_string(t.MinutosFin)));
    ops.push_back(setText(path, kTiempo, std::to_string(t.Tiempo)));
    ops.push_back(setText(path, kCoste, FormatStoredCost(t.Coste)));
    ops.push_back(setText(path, kCosteConexion, FormatStoredCost(t.CosteConexion)));
  }
  return rewriteList(store, kTariffsKey, std::move(ops));
}

bool IsValidHoliday(const CItemFestivo& h) {
  // 29 February is a holiday of the years that have it.
  return h.Mes >= 1 && h.Mes <= 12 && h.Dia >= 1 && h.Dia <= daysInMonth(2000, h.Mes);
}

void NormalizeHolidays(std::vector<CItemFestivo>& holidays) {
  std::erase_if(holidays, [](const CItemFestivo& h) { return !IsValidHoliday(h); });
  std::sort(holidays.begin(), holidays.end());
  holidays.erase(std::unique(holidays.begin(), holidays.end()), holidays.end());
}

std::vector<CItemFestivo> LoadHolidays(const ConfigStore& store) {
  std::vector<CItemFestivo> holidays;
  const int count = listCount(store, kHolidaysKey);
  for (int i = 1; i <= count; ++i) {
    const std::string path = elementPath(kHolidaysKey, i);
    holidays.push_back({store.ReadConfigInt(path, kDia), store.ReadConfigInt(path, kMes)});
  }
  NormalizeHolidays(holidays);
  return holidays;
}

bool SaveHolidays(ConfigStore& store, std::vector<CItemFestivo> holidays) {
  NormalizeHolidays(holidays);
  std::vector<RegOp> ops;
  const std::string list = ConfigStore::KeyPath(kHolidaysKey);
  ops.push_back(setText(list, kListCount, std::to_string(holidays.size())));
  int index = 0;
  for (const CItemFestivo& h : holidays) {
    const std::string path = ConfigStore::KeyPath(elementPath(kHolidaysKey, ++index));
    ops.push_back({RegOp::Kind::CreateKey, Hive::CurrentUser, path, {}, {}});
    ops.push_back(setText(path, kDia, std::to_string(h.Dia)));
    ops.push_back(setText(path, kMes, std::to_string(h.Mes)));
  }
  return rewriteList(store, kHolidaysKey, std::move(ops));
}

}  // namespace zelvor::diary
