#pragma once
// The tariff dialog (CTarifasDlg, "Configuración de las tarifas
// telefónicas") as a window model: the list of tariffs, the editors of the
// selected one, Agregar, Modificar and Quitar, the holiday dialog, the
// QuitarDecimales box, and what Aceptar and Cancelar do. The rules and
// their messages live in TariffEditor; this binds them to controls and
// shows the messages in message boxes.

#include <optional>

#include "net/diary/tariff_editor.h"
#include "platform/clock.h"
#include "platform/dialog_host.h"
#include "platform/message_box.h"
#include "platform/window_model.h"

namespace zelvor::diary {

namespace tariff_dialog {
// The controls, for the bindings and for tests.
enum Id : int {
  kList = 1,
  kDayEveryDay,   // "Todos los días."
  kDayHoliday,    // "Festivo."
  kDayWeekday,    // "Día de la semana."
  kWeekday,       // "Lunes" .. "Domingo"
  kHoursAllDay,   // "Todo el día."
  kHoursInterval, // "En el intervalo:"
  kStart,         // "HH:mm"
  kEnd,
  kTiempo,        // seconds
  kCoste,         // "Coste por minuto:"
  kCosteConexion, // "Coste de establecimiento de llamada:"
  kAdd,
  kModify,
  kRemove,
  kHolidays,
  kQuitarDecimalesBox,
  kOk,
  kCancel,
};
}  // namespace tariff_dialog

struct TariffDialogResult {
  bool accepted = false;
  // Aceptar rewrote the Tarifas key (only when something changed).
  bool tariffsWritten = false;
  // The holiday dialog, opened from this one, rewrote the Festivos key.
  // Its Aceptar saves at once, so this holds even when this dialog is
  // cancelled afterwards.
  bool holidaysWritten = false;

  // Whether prices shown before the dialog may now be wrong.
  [[nodiscard]] bool pricesChanged() const { return tariffsWritten || holidaysWritten; }
};

class CTarifasDlg final : public WindowModel {
 public:
  // Loads the tariffs. The services must outlive the dialog.
  CTarifasDlg(ConfigStore& store, Locale& locale, Clock& clock, DialogHost& dialogs,
              MessageBoxes& boxes);

  // Shows the dialog until Aceptar, Cancelar or a close; returns what was
  // written. A cancelled dialog starts again from the store the next time.
  [[nodiscard]] TariffDialogResult DoModal();

  [[nodiscard]] const TariffEditor& editor() const { return editor_; }

  void onEvent(const ControlEvent& event) override;
  bool onCloseRequest() override;

 private:
  void build();
  // Model from editor: the rows and the selection; the editors; the
  // controls whose use depends on other controls.
  void showRows();
  void showFields();
  void showEnables();
  // Editor from model: what the user typed and chose.
  void readFields();
  void selectRow(int row);
  void add();
  void modify();
  void remove();
  void openHolidays();
  void accept();
  void cancel();
  void tell(const DiaryMessage& message);
  void refresh();
  [[nodiscard]] bool checked(int id) const;

  ConfigStore& store_;
  Clock& clock_;
  DialogHost& dialogs_;
  MessageBoxes& boxes_;
  TariffEditor editor_;
  WindowHandle handle_ = kNoWindow;
  TariffDialogResult result_;
};

// The width a column of kTariffColumns has on this desktop.
[[nodiscard]] int TariffColumnWidth(const ListColumn& column);

// The message when the tariffs cannot be written (the dialog stays open, so
// nothing the user edited is lost).
[[nodiscard]] DiaryMessage TariffSaveFailedMessage();

}  // namespace zelvor::diary
