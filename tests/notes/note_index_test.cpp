// Note indexes, command codes and the hotkey identifiers that move when a
// note leaves the live list.

#include <gtest/gtest.h>

#include "notes/note_index.h"

namespace zelvor::notes {
namespace {

using Kind = HotkeyOp::Kind;

TEST(NoteIndex, CommandsAndIdentifiers) {
  EXPECT_EQ(NoteCommand(0), 10);
  EXPECT_EQ(NoteIndexOfCommand(13), 3u);
  EXPECT_EQ(NoteIndexOfCommand(static_cast<int>(NotesCommand::OpenBin)), std::nullopt);
  EXPECT_EQ(NoteHotkeyId(0), 0x900 + 10);
  EXPECT_EQ(NoteHotkeyId(2), 0x900 + 12);
  EXPECT_EQ(CommandHotkeyId(NotesCommand::NewNote), 0x901);
  EXPECT_EQ(CommandHotkeyId(NotesCommand::OpenBin), 0x905);
  // The last identifier of utility 9 is 0x9FF; the next would be utility 10's.
  EXPECT_EQ(NoteHotkeyId(kLastIndexWithHotkey), 0x9FF);
  EXPECT_EQ(NoteHotkeyId(kLastIndexWithHotkey + 1), std::nullopt);
  EXPECT_TRUE(RegisterNoteHotkey(kLastIndexWithHotkey + 1, 0x0241).empty());
}

TEST(NoteIndex, RegisteringSplitsTheHotkeyField) {
  EXPECT_EQ(RegisterNoteHotkey(1, 0x0641),
            (std::vector<HotkeyOp>{{Kind::Register, 0x90B, 0x06, 0x41}}));
  EXPECT_TRUE(RegisterNoteHotkey(1, 0).empty()) << "0 is no hotkey";
}

TEST(NoteIndex, RemovalMovesTheLaterNotesDownOneIdentifier) {
  const struct {
    const char* name;
    std::vector<std::uint32_t> hotkeys;
    std::size_t removed;
    std::vector<HotkeyOp> ops;
  } cases[] = {
      {"note 1 of three, all with hotkeys", {0x0231, 0x0232, 0x0233}, 1,
       {{Kind::Unregister, 0x90B, 0, 0}, {Kind::Unregister, 0x90C, 0, 0}, {Kind::Register, 0x90B, 0x02, 0x33}}},
      {"the removed note had none", {0x0231, 0, 0x0433}, 1,
       {{Kind::Unregister, 0x90C, 0, 0}, {Kind::Register, 0x90B, 0x04, 0x33}}},
      {"a later note without one is skipped", {0x0231, 0, 0x0433}, 0,
       {{Kind::Unregister, 0x90A, 0, 0}, {Kind::Unregister, 0x90C, 0, 0}, {Kind::Register, 0x90B, 0x04, 0x33}}},
      {"the last note", {0x0231, 0x0232}, 1, {{Kind::Unregister, 0x90B, 0, 0}}},
      {"past the end", {0x0231}, 3, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(HotkeyOpsForRemoval(c.hotkeys, c.removed), c.ops) << c.name;
}

}  // namespace
}  // namespace zelvor::notes
