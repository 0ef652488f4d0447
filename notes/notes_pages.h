#pragma once
// Duvu Zevad's configuration pages: "Opciones" (start-up, late alarms, the
// recycle bin, the default alarm sound) and "Formato por defecto" (random
// colour and position, the title and text templates with their macros, and
// the default note's look).

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "notes/note_record.h"
#include "platform/event_loop.h"
#include "shell/config/conf_dialog.h"

namespace zelvor {
class CZelvorApp;
}

namespace zelvor::notes {

// Runs the default-note editor from a record; the edited record, or
// nullopt when the user cancelled.
using DefaultNoteEditor = std::function<std::optional<NoteRecord>(const NoteRecord&)>;

// A spin's value as stored: 0 when its box is clear. A stored 0 (or a
// value below the range) shows the box clear and this number.
inline constexpr int kSpinShownWhenOff = 10;
inline constexpr int kSpinMinimum = 1;
inline constexpr int kSpinMaximum = 32000;

class CDuvuZevadDlg2 final : public CConfDialog {
 public:
  static constexpr const char* kTitle = "Opciones";
  enum : int {
    kHideAtStart = 1,
    kWarnLate,
    kDisableBin,
    kCapacityBox,
    kCapacity,
    kDaysBox,
    kDays,
    kSound,
    kPlay,
    kBrowse,
  };

  CDuvuZevadDlg2(CZelvorApp& app, int firstId);

  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
  [[nodiscard]] ApplyEffects Effects() const override { return {true, false, false}; }

 private:
  void ApplyEnabling(Control& root) const;

  CZelvorApp& app_;
};

class CDuvuZevadDlg3 final : public CConfDialog, private MessageTarget {
 public:
  static constexpr const char* kTitle = "Formato por defecto";
  enum : int {
    kRandomColourBox = 1,
    kRandomColour,
    kRandomPosition,
    kTitleTemplate,
    kTitleMacros,
    kTextTemplate,
    kTextMacros,
    kEditDefault,
  };
  // Menu item ids: kFirstMacroItem + the macro's position in MacroItems().
  static constexpr int kFirstMacroItem = 100;

  struct Macro {
    const char* text;
    const char* macro;
  };
  // The title's menu offers all nine; the text's the first six.
  [[nodiscard]] static const std::array<Macro, 9>& MacroItems();
  static constexpr std::size_t kTextMacroCount = 6;

  CDuvuZevadDlg3(CZelvorApp& app, int firstId, DefaultNoteEditor editDefault);
  ~CDuvuZevadDlg3() override;

  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
  [[nodiscard]] ApplyEffects Effects() const override { return {true, false, false}; }

  // The page's copy of Defecto: the stored bytes, zero-filled to a record.
  [[nodiscard]] const NoteRecordBytes& DefaultRecordBytes() const { return defecto_; }

 private:
  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override;
  void onTimer(int) override {}
  void OpenMacroMenu(int editLocal, std::size_t count);
  void InsertMacro(std::size_t index);
  void EditDefault();
  void ShowAgain();
  void ApplyEnabling(Control& root) const;

  CZelvorApp& app_;
  DefaultNoteEditor editDefault_;
  NoteRecordBytes defecto_{};
  WindowHandle menuTarget_ = kNoWindow;
  // The window's controls, known once the page has been shown; the menu's
  // choice arrives later, through the message loop.
  Control* root_ = nullptr;
  int macroEdit_ = 0;  // local id of the edit the open menu inserts into
};

}  // namespace zelvor::notes
