// The tariff and holiday dialogs on the simulated desktop: a user reads the
// lists, works the controls and buttons, and the store holds what Aceptar
// wrote and nothing that Cancelar dropped. Messages reach message boxes
// with their captions.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "net/diary/diary_message_box.h"
#include "net/diary/diary_recorder.h"
#include "net/diary/holiday_dialog.h"
#include "net/diary/tariff_dialog.h"
#include "platform/sim/sim_desktop.h"
#include "tests/net/diary_sandbox.h"
#include "tests/support/sim_user.h"

namespace zelvor::diary {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using zelvor::testing::SimUser;
namespace td = tariff_dialog;
namespace hd = holiday_dialog;

const Rows kDefaultTariffRows{
    {"Normal", "", "", "", "160 seg.", "4,64 €", "13,22 €"},
    {"Especial", "Todos los días", "18:00", "08:00", "160 seg.", "1,90 €", "13,22 €"},
    {"Especial", "Festivo", "Todo el día", "", "160 seg.", "1,90 €", "13,22 €"},
    {"Especial", "Sábado", "Todo el día", "", "160 seg.", "1,90 €", "13,22 €"},
    {"Especial", "Domingo", "Todo el día", "", "160 seg.", "1,90 €", "13,22 €"},
};

const Rows kDefaultHolidayRows{{"1 de enero"},     {"6 de enero"},      {"1 de mayo"},
                               {"12 de octubre"},  {"1 de noviembre"},  {"6 de diciembre"},
                               {"8 de diciembre"}, {"25 de diciembre"}};

int daysOf(int year, int month, int day) { return static_cast<int>(daysFromCivil(year, month, day)); }

// The simulated desktop runs each modal dialog by calling the script of its
// window class with the dialog's model, as a user in front of it would act.
class DiaryDialogsTest : public zelvor::testing::DiarySandbox {
 protected:
  DiaryDialogsTest() {
    sim.clock.setNow(local(2023, 7, 14, 10, 0));
    desk.dialogs.onModal = [this](WindowModel& model) {
      // The window was made before its modal loop, so a test can reach it.
      EXPECT_NE(desk.dialogs.findByClass(model.className), kNoWindow);
      const auto script = scripts.find(model.className);
      if (script == scripts.end()) {
        ADD_FAILURE() << "no script for " << model.className;
      } else {
        SimUser user(model);
        script->second(user, model);
      }
      return 0;  // the dialogs go by the button pressed, not by this code
    };
  }

  TariffDialogResult runTariffDialog() {
    CTarifasDlg dialog(store, sim.locale, sim.clock, desk.dialogs, desk.messageBoxes);
    return dialog.DoModal();
  }
  bool runHolidayDialog() {
    CFestivosDlg dialog(store, sim.clock, desk.dialogs, desk.messageBoxes);
    return dialog.DoModal();
  }
  std::string tariffValue(const std::string& item, std::string_view name) {
    return store.ReadConfigString("Diario\\Tarifas\\" + item, name);
  }
  // The last message box, which must be a warning with one button.
  const MessageBoxRequest& lastWarning() {
    static const MessageBoxRequest none;
    if (desk.messageBoxes.shown.empty()) {
      ADD_FAILURE() << "no message box";
      return none;
    }
    const MessageBoxRequest& box = desk.messageBoxes.shown.back();
    EXPECT_EQ(box.icon, MsgIcon::Warning);
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
    return box;
  }
  bool logged(const std::string& line) const {
    return std::find(desk.dialogs.log.begin(), desk.dialogs.log.end(), line) != desk.dialogs.log.end();
  }

  SimDesktop desk{sim.clock};
  std::map<std::string, std::function<void(SimUser&, WindowModel&)>> scripts;
};

TEST_F(DiaryDialogsTest, TariffDialogShowsTheDefaultTariffs) {
  scripts["CTarifasDlg"] = [&](SimUser& user, WindowModel& window) {
    EXPECT_EQ(window.title, "Configuración de las tarifas telefónicas");
    EXPECT_TRUE(window.style.modal);
    const Control& list = user.control(td::kList);
    ASSERT_EQ(list.columns.size(), kTariffColumns.size());
    for (std::size_t i = 0; i < list.columns.size(); ++i) {
      EXPECT_EQ(list.columns[i].title, kTariffColumns[i].title);
      EXPECT_EQ(list.columns[i].width, TariffColumnWidth(kTariffColumns[i]));
    }
    EXPECT_EQ(user.rows(td::kList), kDefaultTariffRows);
    EXPECT_EQ(list.value, -1);
    EXPECT_EQ(user.control(td::kDayEveryDay).text, "Todos los días.");
    EXPECT_EQ(user.control(td::kHoursInterval).text, "En el intervalo:");
    EXPECT_EQ(user.control(td::kWeekday).items,
              (std::vector<std::string>{"Lunes", "Martes", "Miércoles", "Jueves", "Viernes",
                                        "Sábado", "Domingo"}));
    EXPECT_EQ(user.control(td::kStart).text, "HH:mm");
    EXPECT_EQ(user.control(td::kQuitarDecimalesBox).text,
              "Quitar los decimales al calcular los costes de cada conexión.");
    EXPECT_FALSE(user.control(td::kQuitarDecimalesBox).checked);
    // Nothing is selected yet: nothing to modify or remove.
    EXPECT_FALSE(user.press("&Modificar"));
    EXPECT_FALSE(user.press("&Quitar"));
    EXPECT_TRUE(user.press("Cancelar"));
  };
  const TariffDialogResult result = runTariffDialog();
  EXPECT_FALSE(result.accepted);
  EXPECT_FALSE(result.pricesChanged());
  EXPECT_TRUE(logged("endModal CTarifasDlg 2"));
  EXPECT_TRUE(logged("destroy CTarifasDlg"));
  EXPECT_TRUE(desk.dialogs.windows().empty());
}

TEST_F(DiaryDialogsTest, SelectingATariffFillsTheEditors) {
  scripts["CTarifasDlg"] = [&](SimUser& user, WindowModel&) {
    user.selectRow(td::kList, 1);
    EXPECT_TRUE(user.control(td::kDayEveryDay).checked);
    EXPECT_FALSE(user.control(td::kWeekday).enabled);
    EXPECT_TRUE(user.control(td::kHoursInterval).checked);
    EXPECT_FALSE(user.control(td::kHoursAllDay).checked);
    EXPECT_EQ(user.control(td::kStart).value, 18 * 3600);
    EXPECT_EQ(user.control(td::kEnd).value, 8 * 3600);
    EXPECT_TRUE(user.control(td::kStart).enabled);
    EXPECT_EQ(user.control(td::kTiempo).text, "160");
    EXPECT_EQ(user.control(td::kCoste).text, "1,90");
    EXPECT_EQ(user.control(td::kCosteConexion).text, "13,22");
    EXPECT_TRUE(user.control(td::kList).rows[1].selected);
    user.selectRow(td::kList, 3);
    EXPECT_TRUE(user.control(td::kDayWeekday).checked);
    EXPECT_EQ(user.control(td::kWeekday).value, 5);  // Sábado
    EXPECT_TRUE(user.control(td::kWeekday).enabled);
    EXPECT_TRUE(user.control(td::kHoursAllDay).checked);
    EXPECT_FALSE(user.control(td::kStart).enabled);
    // The list reports a selection twice; the second must keep what was typed.
    user.type(td::kCoste, "9");
    user.selectRow(td::kList, 3);
    EXPECT_EQ(user.control(td::kCoste).text, "9");
    EXPECT_TRUE(user.press("Cancelar"));
  };
  (void)runTariffDialog();
}

TEST_F(DiaryDialogsTest, AddModifyRemoveThenAceptarWritesTheStore) {
  scripts["CTarifasDlg"] = [&](SimUser& user, WindowModel&) {
    // A Wednesday lunchtime tariff after the evening one.
    user.selectRow(td::kList, 1);
    user.click(td::kDayWeekday);
    user.choose(td::kWeekday, 2);
    user.setValue(td::kStart, 14 * 3600 + 30 * 60);
    user.setValue(td::kEnd, 15 * 3600);
    user.type(td::kTiempo, "60");
    user.type(td::kCoste, "2,5");
    user.type(td::kCosteConexion, "10");
    ASSERT_TRUE(user.press("&Agregar"));
    Rows expected = kDefaultTariffRows;
    expected.insert(expected.begin() + 2,
                    {"Especial", "Miércoles", "14:30", "15:00", "60 seg.", "2,50 €", "10,00 €"});
    EXPECT_EQ(user.rows(td::kList), expected);
    EXPECT_EQ(user.control(td::kList).value, 2);  // the new one is selected
    // The holiday tariff becomes an all-day one at 2,00 a minute.
    user.selectRow(td::kList, 3);
    user.type(td::kCoste, "2,00");
    ASSERT_TRUE(user.press("&Modificar"));
    expected[3][5] = "2,00 €";
    EXPECT_EQ(user.rows(td::kList), expected);
    // Sunday's goes.
    user.selectRow(td::kList, 5);
    ASSERT_TRUE(user.press("&Quitar"));
    expected.erase(expected.begin() + 5);
    EXPECT_EQ(user.rows(td::kList), expected);
    EXPECT_EQ(user.control(td::kList).value, -1);
    EXPECT_TRUE(desk.messageBoxes.shown.empty());
    EXPECT_TRUE(user.press("Aceptar"));
  };
  const TariffDialogResult result = runTariffDialog();
  EXPECT_TRUE(result.accepted);
  EXPECT_TRUE(result.tariffsWritten);
  EXPECT_FALSE(result.holidaysWritten);
  EXPECT_TRUE(logged("endModal CTarifasDlg 1"));
  EXPECT_EQ(store.ReadConfigString("Diario\\Tarifas", "Numero"), "5");
  EXPECT_EQ(tariffValue(" 3", "Dia"), "3");
  EXPECT_EQ(tariffValue(" 3", "TodoElDia"), "0");
  EXPECT_EQ(tariffValue(" 3", "HoraIni"), "14");
  EXPECT_EQ(tariffValue(" 3", "MinutosIni"), "30");
  EXPECT_EQ(tariffValue(" 3", "HoraFin"), "15");
  EXPECT_EQ(tariffValue(" 3", "Tiempo"), "60");
  EXPECT_EQ(tariffValue(" 3", "Coste"), "2.50");
  EXPECT_EQ(tariffValue(" 3", "CosteConexion"), "10.00");
  EXPECT_EQ(tariffValue(" 4", "Coste"), "2.00");
  EXPECT_EQ(tariffValue(" 5", "Dia"), "6");
  EXPECT_EQ(tariffValue(" 6", "Dia"), "");  // the whole key was rewritten
  // What the next dialog shows is what was written.
  scripts["CTarifasDlg"] = [&](SimUser& user, WindowModel&) {
    EXPECT_EQ(user.rows(td::kList).size(), 5u);
    EXPECT_EQ(user.rows(td::kList)[2][1], "Miércoles");
    EXPECT_TRUE(user.press("Cancelar"));
  };
  (void)runTariffDialog();
}

TEST_F(DiaryDialogsTest, RefusalsShowTheirExactMessages) {
  struct Case {
    int control;
    const char* typed;
    const char* button;
    const char* message;
  };
  const std::vector<Case> cases{
      {td::kTiempo, "1,5", "&Modificar",
       "El tiempo a pasar para que el coste/min. se aplique debe ser un número entero de segundos."},
      {td::kTiempo, "-1", "&Agregar",
       "El tiempo a pasar para que el coste/min. se aplique debe ser un número entero de segundos."},
      {td::kCoste, "1,2,3", "&Modificar", "El coste por minuto debe ser un número."},
      {td::kCoste, "dos", "&Agregar", "El coste por minuto debe ser un número."},
      {td::kCosteConexion, "", "&Modificar",
       "El coste de establecimiento de llamada debe ser un número."},
  };
  scripts["CTarifasDlg"] = [&](SimUser& user, WindowModel&) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.typed);
      user.selectRow(td::kList, 2);
      user.type(c.control, c.typed);
      const std::size_t before = desk.messageBoxes.shown.size();
      ASSERT_TRUE(user.press(c.button));
      ASSERT_EQ(desk.messageBoxes.shown.size(), before + 1);
      EXPECT_EQ(lastWarning().text, c.message);
      EXPECT_EQ(lastWarning().caption, "Configuración de tarifas telefónicas");
      EXPECT_EQ(user.rows(td::kList), kDefaultTariffRows);
      EXPECT_EQ(user.control(c.control).text, c.typed);  // kept for the user to mend
      user.selectRow(td::kList, -1);
    }
    user.selectRow(td::kList, 0);
    ASSERT_TRUE(user.press("&Quitar"));
    EXPECT_EQ(lastWarning().text, "La tarifa normal no se puede quitar.");
    EXPECT_EQ(lastWarning().caption, "Configuración de tarifas telefónicas");
    EXPECT_EQ(user.rows(td::kList), kDefaultTariffRows);
    EXPECT_TRUE(user.press("Aceptar"));
  };
  const int commits = sim.registry.commits();
  const TariffDialogResult result = runTariffDialog();
  EXPECT_TRUE(result.accepted);
  EXPECT_FALSE(result.tariffsWritten);  // nothing changed: nothing written
  EXPECT_EQ(sim.registry.commits(), commits);
}

TEST_F(DiaryDialogsTest, CancelarAndClosingLeaveTheStoreAsItWas) {
  const TariffSettings stored = LoadTariffs(store);
  const int commits = sim.registry.commits();
  auto spoil = [&](SimUser& user) {
    user.selectRow(td::kList, 4);
    ASSERT_TRUE(user.press("&Quitar"));
    user.click(td::kQuitarDecimalesBox);
    EXPECT_EQ(user.rows(td::kList).size(), 4u);
  };
  scripts["CTarifasDlg"] = [&](SimUser& user, WindowModel&) {
    spoil(user);
    EXPECT_TRUE(user.press("Cancelar"));
  };
  CTarifasDlg dialog(store, sim.locale, sim.clock, desk.dialogs, desk.messageBoxes);
  EXPECT_FALSE(dialog.DoModal().accepted);
  EXPECT_EQ(LoadTariffs(store), stored);
  // Shown again, the same dialog starts from the store; closing it by its
  // title bar is Cancelar too.
  scripts["CTarifasDlg"] = [&](SimUser& user, WindowModel&) {
    EXPECT_EQ(user.rows(td::kList), kDefaultTariffRows);
    EXPECT_FALSE(user.control(td::kQuitarDecimalesBox).checked);
    spoil(user);
    EXPECT_TRUE(desk.dialogs.requestClose(desk.dialogs.findByClass("CTarifasDlg")));
  };
  EXPECT_FALSE(dialog.DoModal().accepted);
  EXPECT_EQ(dialog.editor().Settings(), stored);
  EXPECT_EQ(LoadTariffs(store), stored);
  EXPECT_EQ(sim.registry.commits(), commits);
}

TEST_F(DiaryDialogsTest, QuitarDecimalesIsSavedByAceptar) {
  scripts["CTarifasDlg"] = [&](SimUser& user, WindowModel&) {
    user.click(td::kQuitarDecimalesBox);
    EXPECT_TRUE(user.press("Aceptar"));
  };
  EXPECT_TRUE(runTariffDialog().tariffsWritten);
  EXPECT_EQ(store.ReadConfigString("Diario\\Tarifas", "QuitarDecimales"), "1");
  EXPECT_EQ(store.ReadConfigString("Diario\\Tarifas", "Numero"), "5");
}

TEST_F(DiaryDialogsTest, AStoreThatCannotBeWrittenKeepsTheDialogOpen) {
  scripts["CTarifasDlg"] = [&](SimUser& user, WindowModel&) {
    user.selectRow(td::kList, 4);
    ASSERT_TRUE(user.press("&Quitar"));
    sim.registry.failWrites(true);
    ASSERT_TRUE(user.press("Aceptar"));
    EXPECT_EQ(lastWarning().text, "No se han podido guardar las tarifas telefónicas.");
    EXPECT_EQ(lastWarning().caption, "Configuración de tarifas telefónicas");
    EXPECT_FALSE(logged("endModal CTarifasDlg 1"));
    EXPECT_EQ(user.rows(td::kList).size(), 4u);  // the edits are still there
    sim.registry.failWrites(false);
    ASSERT_TRUE(user.press("Aceptar"));
  };
  EXPECT_TRUE(runTariffDialog().tariffsWritten);
  EXPECT_EQ(store.ReadConfigString("Diario\\Tarifas", "Numero"), "4");
}

TEST_F(DiaryDialogsTest, HolidayDialogOpensFromTheTariffDialogAndSaves) {
  scripts["CTarifasDlg"] = [&](SimUser& user, WindowModel&) {
    ASSERT_TRUE(user.press("Configurar &festivos..."));
    EXPECT_TRUE(logged("endModal CFestivosDlg 1"));
    EXPECT_TRUE(user.press("Cancelar"));  // the tariffs are not touched
  };
  scripts["CFestivosDlg"] = [&](SimUser& user, WindowModel& window) {
    EXPECT_EQ(window.title, "Festivos a lo largo del año");
    EXPECT_EQ(user.rows(hd::kList), kDefaultHolidayRows);
    const Control& picker = user.control(hd::kDate);
    EXPECT_TRUE(picker.showDate);
    EXPECT_EQ(picker.text, "d 'de' MMMM");
    EXPECT_EQ(picker.value, daysOf(2023, 7, 14));  // today
    EXPECT_FALSE(user.press("&Quitar"));            // nothing selected
    // Selecting puts that day of this year in the picker.
    user.selectRow(hd::kList, 3);
    EXPECT_EQ(user.control(hd::kDate).value, daysOf(2023, 10, 12));
    // Adding goes to the sorted place, whatever year the picker shows.
    user.setValue(hd::kDate, daysOf(2031, 8, 15));
    ASSERT_TRUE(user.press("&Agregar"));
    Rows expected = kDefaultHolidayRows;
    expected.insert(expected.begin() + 3, {"15 de agosto"});
    EXPECT_EQ(user.rows(hd::kList), expected);
    EXPECT_EQ(user.control(hd::kList).value, 3);
    // Removing selects the neighbour and shows its date.
    user.selectRow(hd::kList, 0);
    ASSERT_TRUE(user.press("&Quitar"));
    expected.erase(expected.begin());
    EXPECT_EQ(user.rows(hd::kList), expected);
    EXPECT_EQ(user.control(hd::kList).value, 0);
    EXPECT_EQ(user.control(hd::kDate).value, daysOf(2023, 1, 6));
    EXPECT_TRUE(desk.messageBoxes.shown.empty());
    EXPECT_TRUE(user.press("Aceptar"));
  };
  const TariffDialogResult result = runTariffDialog();
  EXPECT_FALSE(result.accepted);
  EXPECT_FALSE(result.tariffsWritten);
  EXPECT_TRUE(result.holidaysWritten);
  EXPECT_TRUE(result.pricesChanged());
  EXPECT_EQ(LoadHolidays(store),
            (std::vector<CItemFestivo>{{6, 1}, {1, 5}, {15, 8}, {12, 10}, {1, 11}, {6, 12}, {8, 12},
                                       {25, 12}}));
  EXPECT_EQ(store.ReadConfigString("Diario\\Festivos", "Numero"), "8");
  EXPECT_EQ(store.ReadConfigString("Diario\\Festivos\\ 3", "Dia"), "15");
  EXPECT_EQ(store.ReadConfigString("Diario\\Festivos\\ 3", "Mes"), "8");
}

TEST_F(DiaryDialogsTest, HolidayDuplicatesAreRefusedAndCancelarLeavesTheStore) {
  const int commits = sim.registry.commits();
  scripts["CFestivosDlg"] = [&](SimUser& user, WindowModel&) {
    user.setValue(hd::kDate, daysOf(2024, 12, 25));
    ASSERT_TRUE(user.press("&Agregar"));
    EXPECT_EQ(lastWarning().text, "La fecha que se intenta agregar ya está incluida en la lista.");
    EXPECT_EQ(lastWarning().caption, "Festivos");
    EXPECT_EQ(user.rows(hd::kList), kDefaultHolidayRows);
    user.setValue(hd::kDate, daysOf(2024, 2, 29));
    ASSERT_TRUE(user.press("&Agregar"));
    EXPECT_EQ(user.rows(hd::kList).size(), 9u);
    EXPECT_EQ(user.rows(hd::kList)[2][0], "29 de febrero");
    EXPECT_TRUE(user.press("Cancelar"));
  };
  EXPECT_FALSE(runHolidayDialog());
  EXPECT_TRUE(logged("endModal CFestivosDlg 2"));
  EXPECT_EQ(LoadHolidays(store).size(), 8u);
  EXPECT_EQ(sim.registry.commits(), commits);
  // Closing by the title bar drops the changes too; Aceptar without changes writes nothing.
  scripts["CFestivosDlg"] = [&](SimUser& user, WindowModel&) {
    user.selectRow(hd::kList, 2);
    ASSERT_TRUE(user.press("&Quitar"));
    EXPECT_TRUE(desk.dialogs.requestClose(desk.dialogs.findByClass("CFestivosDlg")));
  };
  EXPECT_FALSE(runHolidayDialog());
  scripts["CFestivosDlg"] = [&](SimUser& user, WindowModel&) {
    EXPECT_EQ(user.rows(hd::kList), kDefaultHolidayRows);
    EXPECT_TRUE(user.press("Aceptar"));
  };
  EXPECT_FALSE(runHolidayDialog());
  EXPECT_EQ(sim.registry.commits(), commits);
}

TEST_F(DiaryDialogsTest, HolidaysThatCannotBeWrittenKeepTheDialogOpen) {
  scripts["CFestivosDlg"] = [&](SimUser& user, WindowModel&) {
    user.selectRow(hd::kList, 0);
    ASSERT_TRUE(user.press("&Quitar"));
    sim.registry.failWrites(true);
    ASSERT_TRUE(user.press("Aceptar"));
    EXPECT_EQ(lastWarning().text, "No se han podido guardar los festivos.");
    EXPECT_EQ(lastWarning().caption, "Festivos");
    EXPECT_EQ(user.rows(hd::kList).size(), 7u);
    sim.registry.failWrites(false);
    ASSERT_TRUE(user.press("Aceptar"));
  };
  EXPECT_TRUE(runHolidayDialog());
  EXPECT_EQ(LoadHolidays(store).size(), 7u);
}

TEST_F(DiaryDialogsTest, TheMissingFolderMessageIsASystemModalInformationBox) {
  const std::string missing = folder + "gone";
  store.WriteConfigString("DedoVuv", "CarpetaRegistro", missing);
  DiaryRecorder recorder(store, sim.clock, ShowInMessageBoxes(desk.messageBoxes));
  recorder.BeginRecord("Mi proveedor", "módem");
  sim.clock.advanceMs(60'000);
  EXPECT_TRUE(recorder.EndRecord());
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  const MessageBoxRequest& box = desk.messageBoxes.shown[0];
  EXPECT_EQ(box.text, "No se encuentra la carpeta \"" + missing +
                          "/\" para la ubicación del archivo de registro de las conexiones. "
                          "Se utilizará el directorio donde está instalado Zelvor.");
  EXPECT_EQ(box.caption, "Archivo de registro de las conexiones");
  EXPECT_EQ(box.icon, MsgIcon::Information);
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
  EXPECT_TRUE(box.systemModal);
  EXPECT_EQ(readBytes(sim.folders.userData_ + "zelvor/conexion.dat").size(), 152u);
}

}  // namespace
}  // namespace zelvor::diary
