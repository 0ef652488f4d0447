#pragma once
// What the tariff dialog ("Configuración de las tarifas telefónicas")
// shows and does, apart from any window toolkit: the list rows, the editors
// of the selected tariff, the Agregar/Modificar/Quitar rules with their
// messages, and what is saved on accept. A window binds its controls to
// this object and shows the messages it returns.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/diary/diary_message.h"
#include "net/diary/tariffs.h"
#include "platform/locale.h"

namespace zelvor::diary {

inline constexpr std::string_view kTariffDialogTitle = "Configuración de las tarifas telefónicas";
inline constexpr std::string_view kTariffMessageCaption = "Configuración de tarifas telefónicas";
inline constexpr std::string_view kNormalTariffCannotGo = "La tarifa normal no se puede quitar.";
inline constexpr std::string_view kTariffNote =
    "NOTA: la tarifa normal se aplicará siempre que la fecha y la hora de la conexión no estén "
    "dentro del horario de las tarifas especiales.";
inline constexpr std::string_view kQuitarDecimalesLabel =
    "Quitar los decimales al calcular los costes de cada conexión.";

struct ListColumn {
  std::string_view title;
  int width;  // pixels
};
inline constexpr std::array<ListColumn, 7> kTariffColumns{{
    {"Tipo", 70},
    {"", 90},  // the day
    {"Hora inicial", 70},
    {"Hora final", 70},
    {"Tiempo hasta aplicarla", 70},
    {"Coste/min.", 70},
    {"Coste de est.", 70},
}};

// "Lunes" .. "Domingo" for 1 .. 7.
[[nodiscard]] std::string_view WeekdayName(int weekday);

// The editors below the list.
struct TariffFields {
  enum class Day { EveryDay, Holiday, Weekday };  // "Todos los días.", "Festivo.", "Día de la semana."
  enum class Hours { AllDay, Interval };          // "Todo el día.", "En el intervalo:"
  Day day = Day::EveryDay;
  int weekday = 1;  // 1 Monday .. 7 Sunday, for Day::Weekday
  Hours hours = Hours::AllDay;
  int startHour = 0, startMinute = 0;  // the "HH:mm" pickers
  int endHour = 0, endMinute = 0;
  std::string tiempo = "0";        // "segundos."
  std::string coste = "0";         // typed with the user's decimal separator
  std::string costeConexion = "0";

  friend bool operator==(const TariffFields&, const TariffFields&) = default;
};

class TariffEditor {
 public:
  TariffEditor(ConfigStore& store, Locale& locale);

  // The list: one row per tariff, the texts of kTariffColumns.
  [[nodiscard]] std::size_t RowCount() const { return settings_.tariffs.size(); }
  [[nodiscard]] std::array<std::string, 7> RowTexts(std::size_t row) const;

  // Selecting a row fills the editors from that tariff; nullopt selects none.
  void Select(std::optional<std::size_t> row);
  [[nodiscard]] std::optional<std::size_t> Selected() const { return selected_; }

  [[nodiscard]] TariffFields& Fields() { return fields_; }
  [[nodiscard]] const TariffFields& Fields() const { return fields_; }

  // "&Agregar": the edited tariff after the selected one, or at the end.
  // "&Modificar": the edited tariff in place of the selected one.
  // "&Quitar": removes the selected tariff, never the normal one.
  // Each returns the message to show when it refuses.
  [[nodiscard]] std::optional<DiaryMessage> Add();
  [[nodiscard]] std::optional<DiaryMessage> Modify();
  [[nodiscard]] std::optional<DiaryMessage> Remove();

  [[nodiscard]] bool QuitarDecimales() const { return settings_.quitarDecimales; }
  void SetQuitarDecimales(bool on) { settings_.quitarDecimales = on; }

  [[nodiscard]] const TariffSettings& Settings() const { return settings_; }
  [[nodiscard]] bool Changed() const { return !(settings_ == loaded_); }

  // On accept: when anything changed, the whole Tarifas key is rewritten.
  // Returns whether it wrote.
  bool Accept();
  // On cancel with changes the list is read again from the store, so the
  // next showing starts from what is stored.
  void Cancel();

  // The editors as they show a tariff, and the tariff the editors describe
  // (or the message that refuses what was typed).
  [[nodiscard]] TariffFields FieldsOf(const CItemTarifa& tariff) const;
  [[nodiscard]] std::optional<CItemTarifa> TariffOf(const TariffFields& fields,
                                                    DiaryMessage& refusal) const;

 private:
  [[nodiscard]] std::string moneyText(double value) const;

  ConfigStore& store_;
  NumberFormat number_;
  std::string currency_;
  TariffSettings loaded_;
  TariffSettings settings_;
  std::optional<std::size_t> selected_;
  TariffFields fields_;
};

}  // namespace zelvor::diary
