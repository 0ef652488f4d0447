#pragma once
// Note indexes and the hotkey identifiers that follow them. A note's index
// is its position in the live list (0-based); its command code is 10 + index
// and its own hotkey is registered under 0x900 + 10 + index, so the main
// window's hotkey dispatch (utility = id / 256, command = id % 256) runs
// that command.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zelvor::notes {

inline constexpr int kUtilityNumber = 9;

// The utility's command codes below the per-note ones.
enum class NotesCommand : int {
  ShowMenu = 0,
  NewNote = 1,
  ShowAll = 2,
  HideAll = 3,
  DeleteAll = 4,
  OpenBin = 5,
};
inline constexpr int kFirstNoteCommand = 10;

// The hotkey identifier of the utility's command k (1 .. 5, HotKey1 .. HotKey5).
[[nodiscard]] constexpr int CommandHotkeyId(NotesCommand command) {
  return kUtilityNumber * 256 + static_cast<int>(command);
}

// The highest note index whose command code still fits the low byte of a
// hotkey identifier: beyond it, 0x900 + 10 + index would be an identifier of
// the next utility, so such notes get no hotkey.
inline constexpr std::size_t kLastIndexWithHotkey = 255 - kFirstNoteCommand;

// The command code of note index i (show or hide that note).
[[nodiscard]] int NoteCommand(std::size_t index);
// The note index a command code stands for; nullopt for the fixed commands.
[[nodiscard]] std::optional<std::size_t> NoteIndexOfCommand(int command);
// The hotkey identifier of note index i; nullopt past kLastIndexWithHotkey.
[[nodiscard]] std::optional<int> NoteHotkeyId(std::size_t index);

// The record's hotkey field: key in bits 0-7, registration modifiers in 8-15.
[[nodiscard]] constexpr std::uint32_t HotkeyKey(std::uint32_t hotkey) { return hotkey & 0xFFu; }
[[nodiscard]] constexpr std::uint32_t HotkeyModifiers(std::uint32_t hotkey) { return (hotkey >> 8) & 0xFFu; }

// One step for the hotkey service, in the order given.
struct HotkeyOp {
  enum class Kind { Register, Unregister };
  Kind kind = Kind::Register;
  int id = 0;
  std::uint32_t modifiers = 0;
  std::uint32_t virtualKey = 0;
  friend bool operator==(const HotkeyOp&, const HotkeyOp&) = default;
};

// Registering note index i with its hotkey field (nothing for 0).
[[nodiscard]] std::vector<HotkeyOp> RegisterNoteHotkey(std::size_t index, std::uint32_t hotkey);
[[nodiscard]] std::vector<HotkeyOp> UnregisterNoteHotkey(std::size_t index, std::uint32_t hotkey);

// What removing the note at index `removed` from a live list whose notes
// have these hotkey fields (in list order) asks of the hotkey service: the
// removed note lets go of its identifier, and every later note with a
// hotkey moves from 0x900 + 10 + j to 0x900 + 10 + j - 1. Each identifier
// is freed before it is taken again.
[[nodiscard]] std::vector<HotkeyOp> HotkeyOpsForRemoval(std::span<const std::uint32_t> hotkeys,
                                                        std::size_t removed);

}  // namespace zelvor::notes
