// notes.dat and notes.old on a real file system: saved, loaded, replaced
// whole, and read when missing, unreadable or cut short.

#include <gtest/gtest.h>

#include <filesystem>

#include "notes/notes_files.h"
#include "platform/posix/posix_files.h"
#include "tests/notes/note_bytes.h"
#include "tests/support/sandbox.h"

namespace zelvor::notes {
namespace {

NoteEntry Note(std::string title, std::string text, std::int32_t visible = 1) {
  NoteRecord r = BuiltInNoteRecord();
  r.title = std::move(title);
  r.visible = visible;
  return {r, std::move(text)};
}

class NotesFilesTest : public ::testing::Test {
 protected:
  zelvor::testing::Sandbox sandbox;
  PosixFiles files;
  NotesFiles notes{files, sandbox.path("data/")};
};

TEST_F(NotesFilesTest, SavesBothFilesAndLoadsThemBack) {
  const std::vector<NoteEntry> live{Note("Nota 1", "uno\r\ndos"), Note("Nota 2", "", 0)};
  const std::vector<NoteEntry> bin{Note("Vieja", "borrada", 1)};
  const SavedNotes saved = notes.Save(live, bin);
  ASSERT_TRUE(saved.live.ok) << saved.live.error;
  ASSERT_TRUE(saved.bin.ok) << saved.bin.error;
  EXPECT_EQ(sandbox.read("data/notes.dat"), EncodeNotes(live));

  const LoadedNotes liveBack = notes.LoadLive();
  EXPECT_EQ(liveBack.status, LoadedNotes::Status::Read);
  EXPECT_EQ(liveBack.notes, live);
  const LoadedNotes binBack = notes.LoadBin();
  ASSERT_EQ(binBack.notes.size(), 1u);
  // A note in the bin has no window: it is written as not visible, so a
  // restore and a restart do not reopen it by themselves.
  EXPECT_EQ(binBack.notes[0].record.visible, 0);
  EXPECT_EQ(binBack.notes[0].text, "borrada");
}

TEST_F(NotesFilesTest, ReadsAFileWrittenByAnotherProgram) {
  const std::string file = testing::EntryBytes(testing::CollapsedNoteBytes(), "Leche") +
                           testing::EntryBytes(testing::FontNoteBytes(), "Sala 3");
  sandbox.write("data/notes.dat", file);
  const LoadedNotes loaded = notes.LoadLive();
  ASSERT_EQ(loaded.notes.size(), 2u);
  EXPECT_EQ(loaded.notes[0].record.collapsed, 1);
  EXPECT_EQ(loaded.notes[1].record.font.lfFaceName, "Arial");
  ASSERT_TRUE(notes.Save(loaded.notes, {}).live.ok);
  EXPECT_EQ(sandbox.read("data/notes.dat"), file);
}

TEST_F(NotesFilesTest, AMissingFileIsNoNotesAndAFolderInItsPlaceIsUnreadable) {
  EXPECT_EQ(notes.LoadLive().status, LoadedNotes::Status::Missing);
  std::filesystem::create_directories(notes.binPath());
  const LoadedNotes bin = notes.LoadBin();
  EXPECT_EQ(bin.status, LoadedNotes::Status::Unreadable);
  EXPECT_TRUE(bin.notes.empty());
}

TEST_F(NotesFilesTest, AFileThatCannotBeWrittenDoesNotStopTheOther) {
  std::filesystem::create_directories(notes.livePath());
  const SavedNotes saved = notes.Save({Note("a", "b")}, {Note("c", "d")});
  EXPECT_FALSE(saved.live.ok);
  EXPECT_TRUE(saved.bin.ok) << saved.bin.error;
  EXPECT_EQ(notes.LoadBin().notes.size(), 1u);
}

TEST_F(NotesFilesTest, ATruncatedLastEntryIsDroppedOnLoad) {
  const std::string whole = EncodeNotes({Note("a", "uno"), Note("b", "dos")});
  sandbox.write("data/notes.dat", whole.substr(0, whole.size() - 2));
  const LoadedNotes loaded = notes.LoadLive();
  EXPECT_EQ(loaded.status, LoadedNotes::Status::Read);
  EXPECT_TRUE(loaded.truncated);
  ASSERT_EQ(loaded.notes.size(), 1u);
  EXPECT_EQ(loaded.notes[0].record.title, "a");
}

TEST_F(NotesFilesTest, ALargeFileIsReadAcrossManyPieces) {
  // More than one read piece (1 MiB), with entries across piece borders.
  std::vector<NoteEntry> many;
  for (std::size_t i = 0; i < 1500; ++i) many.push_back(Note("Nota " + std::to_string(i), std::string(700 + i % 13, 'x')));
  ASSERT_TRUE(notes.Save(many, {}).live.ok);
  ASSERT_GT(std::filesystem::file_size(notes.livePath()), 1u << 20);
  EXPECT_EQ(notes.LoadLive().notes, many);
}

TEST_F(NotesFilesTest, EmptyingTheBinRemovesItsFile) {
  ASSERT_TRUE(notes.Save({}, {Note("x", "y")}).bin.ok);
  ASSERT_TRUE(sandbox.exists("data/notes.old"));
  EXPECT_TRUE(notes.DeleteBin().ok);
  EXPECT_FALSE(sandbox.exists("data/notes.old"));
  EXPECT_TRUE(notes.DeleteBin().ok) << "a bin already gone is no failure";
}

TEST_F(NotesFilesTest, ASaveLeavesNoTemporaryFileBehind) {
  ASSERT_TRUE(notes.Save({Note("a", "b")}, {}).live.ok);
  ASSERT_TRUE(notes.Save({Note("a", "c")}, {}).live.ok);
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(sandbox.path("data/"))) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"notes.dat", "notes.old"}));
}

}  // namespace
}  // namespace zelvor::notes
