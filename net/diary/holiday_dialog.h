#pragma once
// The holiday dialog (CFestivosDlg, "Festivos a lo largo del año") as a
// window model: the holidays by name, a date picker, Agregar and Quitar,
// and what Aceptar and Cancelar do. The rules and their messages live in
// HolidayEditor; this binds them to controls and shows the messages in
// message boxes.

#include "net/diary/holiday_editor.h"
#include "platform/dialog_host.h"
#include "platform/message_box.h"
#include "platform/window_model.h"

namespace zelvor::diary {

namespace holiday_dialog {
// The controls, for the bindings and for tests.
enum Id : int {
  kList = 1,
  kDate,  // "d 'de' MMMM"; value: days since 1970-01-01
  kAdd,
  kRemove,
  kOk,
  kCancel,
};
}  // namespace holiday_dialog

// The picker's format: "25 de diciembre".
inline constexpr std::string_view kHolidayPickerFormat = "d 'de' MMMM";

class CFestivosDlg final : public WindowModel {
 public:
  // Loads the holidays; the picker starts at today. The services must
  // outlive the dialog.
  CFestivosDlg(ConfigStore& store, Clock& clock, DialogHost& dialogs, MessageBoxes& boxes);

  // Shows the dialog until Aceptar, Cancelar or a close; returns whether
  // the Festivos key was rewritten.
  [[nodiscard]] bool DoModal();

  [[nodiscard]] const HolidayEditor& editor() const { return editor_; }

  void onEvent(const ControlEvent& event) override;
  bool onCloseRequest() override;

 private:
  void build();
  void showRows();
  void showPicked();
  void selectRow(int row);
  void pick(int days);
  void add();
  void remove();
  void accept();
  void cancel();
  void refresh();

  DialogHost& dialogs_;
  MessageBoxes& boxes_;
  HolidayEditor editor_;
  WindowHandle handle_ = kNoWindow;
  bool written_ = false;
};

// The message when the holidays cannot be written (the dialog stays open,
// so nothing the user edited is lost).
[[nodiscard]] DiaryMessage HolidaySaveFailedMessage();

}  // namespace zelvor::diary
