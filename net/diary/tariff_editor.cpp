#include "net/diary/tariff_editor.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace zelvor::diary {
namespace {

constexpr std::array<std::string_view, 7> kWeekdays{"Lunes",   "Martes", "Miércoles", "Jueves",
                                                   "Viernes", "Sábado", "Domingo"};

std::string twoDigitTime(int hour, int minute) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", hour, minute);
  return buf;
}

std::string dayText(const CItemTarifa& t) {
  if (t.Dia == kEveryDay) return "Todos los días";
  if (t.Dia == kHoliday) return "Festivo";
  return std::string(WeekdayName(t.Dia));
}

// A number as typed in an editor: the user's decimal separator is read as
// '.', and only plain decimals (digits with at most one separator) count.
std::optional<double> typedNumber(std::string text, const std::string& separator) {
  if (!separator.empty() && separator != ".") {
    for (std::size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, at + 1)) {
      text.replace(at, separator.size(), ".");
    }
  }
  while (!text.empty() && text.front() == ' ') text.erase(text.begin());
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.empty() || text == ".") return std::nullopt;
  int dots = 0;
  for (const char c : text) {
    if (c == '.') {
      ++dots;
    } else if (c < '0' || c > '9') {
      return std::nullopt;
    }
  }
  if (dots > 1) return std::nullopt;
  return ParseStoredCost(text);
}

std::optional<int> typedSeconds(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || value < 0) {
    return std::nullopt;
  }
  return value;
}

DiaryMessage warning(std::string text) {
  return {std::move(text), std::string(kTariffMessageCaption), DiaryMessage::Icon::Warning, false};
}

}  // namespace

std::string_view WeekdayName(int weekday) {
  if (weekday < 1 || weekday > 7) return {};
  return kWeekdays[static_cast<std::size_t>(weekday - 1)];
}

TariffEditor::TariffEditor(ConfigStore& store, Locale& locale)
    : store_(store),
      number_(locale.numberFormat()),
      currency_(locale.currencySymbol()),
      loaded_(LoadTariffs(store)),
      settings_(loaded_) {}

std::string TariffEditor::moneyText(double value) const {
  // "%0.4f" through the user's number format, which rounds it to the
  // user's decimals.
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 4);
  std::string text = r.ec == std::errc() ? formatNumberText(number_, std::string_view(buf, r.ptr))
                                         : std::string();
  return currency_.empty() ? text : text + " " + currency_;
}

std::array<std::string, 7> TariffEditor::RowTexts(std::size_t row) const {
  const CItemTarifa& t = settings_.tariffs.at(row);
  const bool normal = row == 0;
  std::array<std::string, 7> cells;
  cells[0] = normal ? "Normal" : "Especial";
  if (!normal) {
    cells[1] = dayText(t);
    if (t.TodoElDia) {
      cells[2] = "Todo el día";
    } else {
      cells[2] = twoDigitTime(t.HoraIni, t.MinutosIni);
      cells[3] = twoDigitTime(t.HoraFin, t.MinutosFin);
    }
  }
  cells[4] = std::to_string(t.Tiempo) + " seg.";
  cells[5] = moneyText(t.Coste);
  cells[6] = moneyText(t.CosteConexion);
  return cells;
}

TariffFields TariffEditor::FieldsOf(const CItemTarifa& t) const {
  TariffFields f;
  if (t.Dia == kEveryDay) {
    f.day = TariffFields::Day::EveryDay;
  } else if (t.Dia == kHoliday) {
    f.day = TariffFields::Day::Holiday;
  } else {
    f.day = TariffFields::Day::Weekday;
    f.weekday = (t.Dia >= 1 && t.Dia <= 7) ? t.Dia : 1;
  }
  f.hours = t.TodoElDia ? TariffFields::Hours::AllDay : TariffFields::Hours::Interval;
  f.startHour = t.HoraIni;
  f.startMinute = t.MinutosIni;
  f.endHour = t.HoraFin;
  f.endMinute = t.MinutosFin;
  f.tiempo = std::to_string(t.Tiempo);
  // The editors show money as the user types it.
  auto typed = [&](double v) {
    std::string s = FormatStoredCost(v);
    if (const auto dot = s.find('.'); dot != std::string::npos && !number_.decimalSeparator.empty()) {
      s.replace(dot, 1, number_.decimalSeparator);
    }
    return s;
  };
  f.coste = typed(t.Coste);
  f.costeConexion = typed(t.CosteConexion);
  return f;
}

std::optional<CItemTarifa> TariffEditor::TariffOf(const TariffFields& f,
                                                  DiaryMessage& refusal) const {
  CItemTarifa t;
  switch (f.day) {
    case TariffFields::Day::EveryDay: t.Dia = kEveryDay; break;
    case TariffFields::Day::Holiday: t.Dia = kHoliday; break;
    case TariffFields::Day::Weekday: t.Dia = (f.weekday >= 1 && f.weekday <= 7) ? f.weekday : 1; break;
  }
  t.TodoElDia = f.hours == TariffFields::Hours::AllDay;
  t.HoraIni = std::clamp(f.startHour, 0, 23);
  t.MinutosIni = std::clamp(f.startMinute, 0, 59);
  t.HoraFin = std::clamp(f.endHour, 0, 23);
  t.MinutosFin = std::clamp(f.endMinute, 0, 59);
  const auto tiempo = typedSeconds(f.tiempo);
  if (!tiempo) {
    refusal = warning("El tiempo a pasar para que el coste/min. se aplique debe ser un número "
                      "entero de segundos.");
    return std::nullopt;
  }
  t.Tiempo = *tiempo;
  const auto coste = typedNumber(f.coste, number_.decimalSeparator);
  if (!coste) {
    refusal = warning("El coste por minuto debe ser un número.");
    return std::nullopt;
  }
  t.Coste = *coste;
  const auto conexion = typedNumber(f.costeConexion, number_.decimalSeparator);
  if (!conexion) {
    refusal = warning("El coste de establecimiento de llamada debe ser un número.");
    return std::nullopt;
  }
  t.CosteConexion = *conexion;
  return t;
}

void TariffEditor::Select(std::optional<std::size_t> row) {
  if (row && *row >= settings_.tariffs.size()) row.reset();
  selected_ = row;
  if (row) fields_ = FieldsOf(settings_.tariffs[*row]);
}

std::optional<DiaryMessage> TariffEditor::Add() {
  DiaryMessage refusal;
  const auto tariff = TariffOf(fields_, refusal);
  if (!tariff) return refusal;
  auto& list = settings_.tariffs;
  const std::size_t at = selected_ ? *selected_ + 1 : list.size();
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), *tariff);
  selected_ = at;
  return std::nullopt;
}

std::optional<DiaryMessage> TariffEditor::Modify() {
  if (!selected_) return std::nullopt;
  DiaryMessage refusal;
  const auto tariff = TariffOf(fields_, refusal);
  if (!tariff) return refusal;
  settings_.tariffs[*selected_] = *tariff;
  return std::nullopt;
}

std::optional<DiaryMessage> TariffEditor::Remove() {
  if (!selected_) return std::nullopt;
  if (*selected_ == 0) return warning(std::string(kNormalTariffCannotGo));
  settings_.tariffs.erase(settings_.tariffs.begin() + static_cast<std::ptrdiff_t>(*selected_));
  selected_.reset();
  return std::nullopt;
}

bool TariffEditor::Accept() {
  if (!Changed()) return false;
  if (!SaveTariffs(store_, settings_)) return false;
  loaded_ = settings_;
  return true;
}

void TariffEditor::Cancel() {
  if (!Changed()) return;
  loaded_ = LoadTariffs(store_);
  settings_ = loaded_;
  selected_.reset();
}

}  // namespace zelvor::diary
