#pragma once
// The commands of a note window: context-menu item ids, which are also the
// accelerator table's commands, and the keys of that table.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/menu_host.h"
#include "platform/window_model.h"

namespace zelvor::notes {

namespace note_cmd {
inline constexpr int Properties = 100;
inline constexpr int Font = 101;
inline constexpr int OtherColour = 102;
inline constexpr int FirstColour = 110;  // + index of the colour table (0-11)
inline constexpr int AlignLeft = 130;    // + alignment (0-2)
inline constexpr int FirstTransparency = 140;  // + transparency / 20 (0-4)
inline constexpr int Undo = 150;
inline constexpr int Cut = 151;
inline constexpr int Copy = 152;
inline constexpr int Paste = 153;
inline constexpr int Clear = 154;
inline constexpr int SelectAll = 155;
inline constexpr int Hide = 160;
inline constexpr int Collapse = 161;
inline constexpr int Expand = 162;
inline constexpr int AlwaysOnTop = 163;
inline constexpr int Rename = 164;
inline constexpr int Alarm = 165;
inline constexpr int Print = 166;
inline constexpr int SaveToFile = 167;
inline constexpr int Delete = 168;
inline constexpr int Accept = 170;
inline constexpr int Cancel = 171;
}  // namespace note_cmd

// Virtual-key codes the table uses.
namespace note_key {
inline constexpr int Delete = 0x2E;
inline constexpr int F6 = 0x75;
inline constexpr int F7 = 0x76;
inline constexpr int F8 = 0x77;
inline constexpr int F9 = 0x78;
}  // namespace note_key

// What the menu shows of the note.
struct NoteMenuState {
  int alignment = 0;
  int transparency = 0;
  bool alwaysOnTop = false;
  bool collapsed = false;
  bool hasSelection = false;
  bool canUndo = false;
};

// "Note" (a note of the live list) or "Formato" (the default-note editor).
enum class NoteMenuKind { Note, Format };

[[nodiscard]] Menu BuildNoteMenu(NoteMenuKind kind, const NoteMenuState& state);
[[nodiscard]] std::vector<Accelerator> NoteAccelerators(NoteMenuKind kind);
// Whether the menu of that kind offers the command (the editor runs no other).
[[nodiscard]] bool MenuOffers(NoteMenuKind kind, int command);

}  // namespace zelvor::notes
