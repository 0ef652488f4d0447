#pragma once
// A note (CNote): its record and text, and its window while it is shown, a
// caption-less window model with a one-line title bar (title, menu,
// collapse and close glyphs) over a flat multi-line edit. Hiding destroys
// the window and keeps the note; showing builds it again from the record.

#include <cstdint>
#include <functional>
#include <string>

#include "notes/note_commands.h"
#include "notes/note_dialogs.h"
#include "notes/notes_file.h"
#include "platform/clock.h"
#include "platform/dialog_host.h"
#include "platform/event_loop.h"
#include "platform/files.h"
#include "platform/menu_host.h"
#include "platform/message_box.h"
#include "platform/screen.h"

namespace zelvor::notes {

class CNote;

// What a note asks of the collection that owns it (CDuvuZevad).
class NoteOwner {
 public:
  virtual ~NoteOwner() = default;
  // The user hid the note (close glyph, F6, "Ocultar nota"): save.
  virtual void NoteHidden(CNote& note) = 0;
  // "Eliminar nota". The owner may destroy the note, but only after the
  // note's own handler has returned.
  virtual void NoteDeleteRequested(CNote& note) = 0;
  // Properties or alarm accepted: save.
  virtual void NoteChanged(CNote& note) = 0;
  // The note has an alarm now: the minute timer must run.
  virtual void NoteAlarmSet(CNote& note) = 0;
  // The record's hotkey changed from `previous`: register it again.
  virtual void NoteHotkeyChanged(CNote& note, std::uint32_t previous) = 0;
};

// The services a note window uses.
struct NoteServices {
  DialogHost& dialogs;
  MenuHost& menus;
  EventLoop& loop;
  Screen& screen;
  Files& files;
  MessageBoxes& messageBoxes;
  Clock& clock;
  NoteDialogs& noteDialogs;
  MenuStyle menuStyle = MenuStyle::ClassicSideBar;
};

// Control ids of the note window.
namespace note_control {
inline constexpr int Title = 1;
inline constexpr int MenuGlyph = 2;
inline constexpr int CollapseGlyph = 3;
inline constexpr int CloseGlyph = 4;
inline constexpr int Edit = 5;
}  // namespace note_control

inline constexpr int kTitleBarHeight = 13;
inline constexpr int kGlyphSize = 13;
inline constexpr int kGrowStep = 20;
inline constexpr int kMinimumWidth = 60;

// The size of a collapsed note: the title's width + 65 by the title bar + 5
// (a caption-less window has no frame height to add).
[[nodiscard]] Size CollapsedSize(const std::string& title);

// Record text (lines end in CR LF) to what an edit control holds (LF) and back.
[[nodiscard]] std::string EditTextOf(const std::string& recordText);
[[nodiscard]] std::string RecordTextOf(const std::string& editText);

class CNote final : public WindowModel, public MessageTarget {
 public:
  // owner null: the default-note editor (menu "Formato").
  CNote(NoteServices services, NoteOwner* owner, NoteEntry entry);
  ~CNote() override;
  CNote(const CNote&) = delete;
  CNote& operator=(const CNote&) = delete;

  [[nodiscard]] const NoteRecord& record() const { return entry_.record; }
  [[nodiscard]] NoteRecord& record() { return entry_.record; }
  [[nodiscard]] const std::string& text() const { return entry_.text; }
  void SetText(std::string text);
  [[nodiscard]] int index() const { return index_; }
  void SetIndex(int index) { index_ = index; }
  [[nodiscard]] std::uint64_t serial() const { return serial_; }

  // The entry as a save writes it: with the window open, the edit's text,
  // the window's rectangle (not while collapsed) and visible = 1; with it
  // closed, visible = 0.
  [[nodiscard]] NoteEntry Capture();

  void Show();
  // Captures text and rectangle, then destroys the window.
  void Hide();
  [[nodiscard]] bool isOpen() const { return window_ != kNoWindow; }
  [[nodiscard]] WindowHandle window() const { return window_; }
  // The target that receives the context menu's commands.
  [[nodiscard]] WindowHandle handle() const { return handle_; }

  void RunCommand(int command);
  // Shows the record again (after the owner changed it, an alarm removed).
  void Refresh() { ApplyLooks(); }
  [[nodiscard]] Menu BuildMenu();
  void OpenMenu(Point at);

  // The editor of the default note: runs modally; true when accepted.
  [[nodiscard]] bool RunModalEditor();

  void onEvent(const ControlEvent& event) override;
  bool onCloseRequest() override;
  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override;
  void onTimer(int) override {}

  static constexpr int kModalAccepted = 1;
  static constexpr int kModalCancelled = 2;

 private:
  void BuildControls();
  void ApplyLooks();
  void ApplyTooltip();
  void Collapse();
  void Expand();
  void Grow();
  void SyncText();
  void EditCommand(DialogHost::EditAction action);
  void Rename();
  void Properties();
  void Alarm();
  void SaveToFile();
  void ChooseFont();
  [[nodiscard]] Rect CurrentRect();
  [[nodiscard]] NoteMenuKind menuKind() const { return owner_ == nullptr ? NoteMenuKind::Format : NoteMenuKind::Note; }

  NoteServices services_;
  NoteOwner* owner_;
  NoteEntry entry_;
  int index_ = -1;
  std::uint64_t serial_;
  WindowHandle window_ = kNoWindow;
  WindowHandle handle_ = kNoWindow;
};

}  // namespace zelvor::notes
