#include <gtest/gtest.h>

#include "net/diary/holiday_editor.h"
#include "net/diary/tariff_editor.h"
#include "tests/net/diary_sandbox.h"

namespace zelvor::diary {
namespace {

using Row = std::array<std::string, 7>;

class TariffEditorTest : public zelvor::testing::DiarySandbox {};

TEST_F(TariffEditorTest, ListsTheDefaultTariffs) {
  TariffEditor editor(store, sim.locale);  // Spanish conventions
  ASSERT_EQ(editor.RowCount(), 5u);
  EXPECT_EQ(editor.RowTexts(0), (Row{"Normal", "", "", "", "160 seg.", "4,64 €", "13,22 €"}));
  EXPECT_EQ(editor.RowTexts(1),
            (Row{"Especial", "Todos los días", "18:00", "08:00", "160 seg.", "1,90 €", "13,22 €"}));
  EXPECT_EQ(editor.RowTexts(2),
            (Row{"Especial", "Festivo", "Todo el día", "", "160 seg.", "1,90 €", "13,22 €"}));
  EXPECT_EQ(editor.RowTexts(3)[1], "Sábado");
  EXPECT_EQ(editor.RowTexts(4)[1], "Domingo");
}

TEST_F(TariffEditorTest, SelectingFillsTheEditorsAsTheUserTypes) {
  TariffEditor editor(store, sim.locale);
  editor.Select(1);
  const TariffFields& f = editor.Fields();
  EXPECT_EQ(f.day, TariffFields::Day::EveryDay);
  EXPECT_EQ(f.hours, TariffFields::Hours::Interval);
  EXPECT_EQ(f.startHour, 18);
  EXPECT_EQ(f.endHour, 8);
  EXPECT_EQ(f.tiempo, "160");
  EXPECT_EQ(f.coste, "1,90");
  EXPECT_EQ(f.costeConexion, "13,22");
  editor.Select(3);
  EXPECT_EQ(editor.Fields().day, TariffFields::Day::Weekday);
  EXPECT_EQ(editor.Fields().weekday, 6);
  EXPECT_EQ(editor.Fields().hours, TariffFields::Hours::AllDay);
}

TEST_F(TariffEditorTest, TheNormalTariffCannotBeRemoved) {
  TariffEditor editor(store, sim.locale);
  editor.Select(0);
  const auto refusal = editor.Remove();
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->text, "La tarifa normal no se puede quitar.");
  EXPECT_EQ(refusal->caption, "Configuración de tarifas telefónicas");
  EXPECT_EQ(refusal->icon, DiaryMessage::Icon::Warning);
  EXPECT_EQ(editor.RowCount(), 5u);
  editor.Select(2);
  EXPECT_FALSE(editor.Remove());
  EXPECT_EQ(editor.RowCount(), 4u);
  EXPECT_EQ(editor.RowTexts(2)[1], "Sábado");
}

TEST_F(TariffEditorTest, AddGoesAfterTheSelectionOrAtTheEnd) {
  TariffEditor editor(store, sim.locale);
  auto wednesdayLunch = [](TariffFields& f) {
    f.day = TariffFields::Day::Weekday;
    f.weekday = 3;
    f.hours = TariffFields::Hours::Interval;
    f.startHour = 14;
    f.startMinute = 30;
    f.endHour = 15;
    f.endMinute = 0;
    f.tiempo = "60";
    f.coste = "2,5";
    f.costeConexion = "10";
  };
  wednesdayLunch(editor.Fields());
  ASSERT_FALSE(editor.Add());
  EXPECT_EQ(editor.RowCount(), 6u);
  EXPECT_EQ(editor.RowTexts(5),
            (Row{"Especial", "Miércoles", "14:30", "15:00", "60 seg.", "2,50 €", "10,00 €"}));
  editor.Select(0);  // fills the editors from the normal tariff
  EXPECT_EQ(editor.Fields().coste, "4,64");
  wednesdayLunch(editor.Fields());
  ASSERT_FALSE(editor.Add());
  EXPECT_EQ(editor.Selected(), 1u);
  EXPECT_EQ(editor.RowTexts(1)[1], "Miércoles");
  EXPECT_EQ(editor.Settings().tariffs[1].Coste, 2.5);
  EXPECT_EQ(editor.RowTexts(2)[1], "Todos los días");
}

TEST_F(TariffEditorTest, ModifyReplacesTheSelectedTariff) {
  TariffEditor editor(store, sim.locale);
  editor.Select(1);
  editor.Fields().coste = "1.25";  // a point reads as a point too
  ASSERT_FALSE(editor.Modify());
  EXPECT_EQ(editor.Settings().tariffs[1].Coste, 1.25);
  EXPECT_EQ(editor.RowCount(), 5u);
}

TEST_F(TariffEditorTest, RefusesWhatIsNotANumber) {
  TariffEditor editor(store, sim.locale);
  editor.Select(1);
  const TariffSettings before = editor.Settings();
  const std::vector<std::pair<void (*)(TariffFields&), std::string_view>> cases{
      {[](TariffFields& f) { f.tiempo = "-5"; },
       "El tiempo a pasar para que el coste/min. se aplique debe ser un número entero de segundos."},
      {[](TariffFields& f) { f.tiempo = "1,5"; },
       "El tiempo a pasar para que el coste/min. se aplique debe ser un número entero de segundos."},
      {[](TariffFields& f) { f.coste = "abc"; }, "El coste por minuto debe ser un número."},
      {[](TariffFields& f) { f.coste = "1.000,50"; }, "El coste por minuto debe ser un número."},
      {[](TariffFields& f) { f.costeConexion = ""; },
       "El coste de establecimiento de llamada debe ser un número."},
  };
  for (const auto& [spoil, message] : cases) {
    editor.Select(1);
    spoil(editor.Fields());
    const auto refusal = editor.Modify();
    ASSERT_TRUE(refusal) << message;
    EXPECT_EQ(refusal->text, message);
    EXPECT_EQ(refusal->caption, "Configuración de tarifas telefónicas");
    EXPECT_TRUE(editor.Add());
  }
  EXPECT_EQ(editor.Settings(), before);
}

TEST_F(TariffEditorTest, AcceptWritesOnlyWhenSomethingChanged) {
  const int commits = sim.registry.commits();
  {
    TariffEditor editor(store, sim.locale);
    editor.Select(2);
    editor.Select(std::nullopt);
    EXPECT_FALSE(editor.Accept());
  }
  EXPECT_EQ(sim.registry.commits(), commits);
  TariffEditor editor(store, sim.locale);
  editor.SetQuitarDecimales(true);
  editor.Select(4);
  ASSERT_FALSE(editor.Remove());
  EXPECT_TRUE(editor.Accept());
  EXPECT_EQ(store.ReadConfigString("Diario\\Tarifas", "QuitarDecimales"), "1");
  EXPECT_EQ(store.ReadConfigString("Diario\\Tarifas", "Numero"), "4");
  EXPECT_EQ(LoadTariffs(store), editor.Settings());
  EXPECT_FALSE(editor.Accept());  // nothing changed since
}

class HolidayEditorTest : public zelvor::testing::DiarySandbox {
 protected:
  HolidayEditorTest() { sim.clock.setNow(local(2023, 7, 14, 10, 0)); }
};

TEST_F(HolidayEditorTest, ListsTheHolidaysByName) {
  HolidayEditor editor(store, sim.clock);
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < editor.Holidays().size(); ++i) rows.push_back(editor.RowText(i));
  EXPECT_EQ(rows, (std::vector<std::string>{"1 de enero", "6 de enero", "1 de mayo", "12 de octubre",
                                            "1 de noviembre", "6 de diciembre", "8 de diciembre",
                                            "25 de diciembre"}));
  EXPECT_EQ(editor.Picked(), (PickedDate{2023, 7, 14}));
  EXPECT_EQ(editor.PickedText(), "14 de julio");
}

TEST_F(HolidayEditorTest, AddsAtItsSortedPlaceAndRefusesDuplicates) {
  HolidayEditor editor(store, sim.clock);
  editor.Pick({2023, 3, 19});
  ASSERT_FALSE(editor.Add());
  EXPECT_EQ(editor.Selected(), 2u);
  EXPECT_EQ(editor.RowText(2), "19 de marzo");
  editor.Pick({1999, 12, 25});  // only day and month count
  const auto refusal = editor.Add();
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->text, "La fecha que se intenta agregar ya está incluida en la lista.");
  EXPECT_EQ(refusal->caption, "Festivos");
  EXPECT_EQ(refusal->icon, DiaryMessage::Icon::Warning);
  EXPECT_EQ(editor.Holidays().size(), 9u);
}

TEST_F(HolidayEditorTest, SelectingSetsThePickerToThatDayOfThisYear) {
  ASSERT_TRUE(SaveHolidays(store, {{29, 2}, {25, 12}}));
  HolidayEditor editor(store, sim.clock);
  editor.Select(1);
  EXPECT_EQ(editor.Picked(), (PickedDate{2023, 12, 25}));
  editor.Select(0);  // 2023 has no 29 February
  EXPECT_EQ(editor.Picked(), (PickedDate{2023, 2, 28}));
  editor.Pick({2023, 2, 30});  // impossible: ignored
  EXPECT_EQ(editor.Picked(), (PickedDate{2023, 2, 28}));
}

TEST_F(HolidayEditorTest, RemoveSelectsTheNeighbour) {
  HolidayEditor editor(store, sim.clock);
  editor.Select(3);
  editor.Remove();
  EXPECT_EQ(editor.Selected(), 3u);
  EXPECT_EQ(editor.RowText(3), "1 de noviembre");
  editor.Select(6);
  editor.Remove();
  EXPECT_EQ(editor.Selected(), 5u);
  EXPECT_EQ(editor.Holidays().size(), 6u);
}

TEST_F(HolidayEditorTest, AcceptSavesAndCancelReloads) {
  {
    HolidayEditor editor(store, sim.clock);
    editor.Select(0);
    editor.Remove();
    editor.Cancel();
    EXPECT_EQ(editor.Holidays().size(), 8u);
    EXPECT_FALSE(editor.Accept());
  }
  HolidayEditor editor(store, sim.clock);
  editor.Select(0);
  editor.Remove();
  editor.Pick({2023, 8, 15});
  ASSERT_FALSE(editor.Add());
  EXPECT_TRUE(editor.Accept());
  EXPECT_EQ(store.ReadConfigString("Diario\\Festivos", "Numero"), "8");
  EXPECT_EQ(store.ReadConfigString("Diario\\Festivos\\ 3", "Dia"), "15");
  EXPECT_EQ(store.ReadConfigString("Diario\\Festivos\\ 3", "Mes"), "8");
  EXPECT_EQ(LoadHolidays(store), editor.Holidays());
}

}  // namespace
}  // namespace zelvor::diary
