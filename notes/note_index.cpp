#include "notes/note_index.h"

namespace zelvor::notes {

int NoteCommand(std::size_t index) {
  return kFirstNoteCommand + static_cast<int>(index);
}

std::optional<std::size_t> NoteIndexOfCommand(int command) {
  if (command < kFirstNoteCommand) return std::nullopt;
  return static_cast<std::size_t>(command - kFirstNoteCommand);
}

std::optional<int> NoteHotkeyId(std::size_t index) {
  if (index > kLastIndexWithHotkey) return std::nullopt;
  return kUtilityNumber * 256 + NoteCommand(index);
}

std::vector<HotkeyOp> RegisterNoteHotkey(std::size_t index, std::uint32_t hotkey) {
  const auto id = NoteHotkeyId(index);
  if (hotkey == 0 || !id) return {};
  return {{HotkeyOp::Kind::Register, *id, HotkeyModifiers(hotkey), HotkeyKey(hotkey)}};
}

std::vector<HotkeyOp> UnregisterNoteHotkey(std::size_t index, std::uint32_t hotkey) {
  const auto id = NoteHotkeyId(index);
  if (hotkey == 0 || !id) return {};
  return {{HotkeyOp::Kind::Unregister, *id, 0, 0}};
}

std::vector<HotkeyOp> HotkeyOpsForRemoval(std::span<const std::uint32_t> hotkeys, std::size_t removed) {
  if (removed >= hotkeys.size()) return {};
  std::vector<HotkeyOp> ops = UnregisterNoteHotkey(removed, hotkeys[removed]);
  for (std::size_t j = removed + 1; j < hotkeys.size(); ++j) {
    for (const HotkeyOp& op : UnregisterNoteHotkey(j, hotkeys[j])) ops.push_back(op);
    for (const HotkeyOp& op : RegisterNoteHotkey(j - 1, hotkeys[j])) ops.push_back(op);
  }
  return ops;
}

}  // namespace zelvor::notes
