// The notes file's bytes: a hand-made file of two notes read and written
// back byte for byte, and files cut short or hostile read without trusting
// what they claim.

#include <gtest/gtest.h>

#include "notes/notes_file.h"
#include "tests/notes/note_bytes.h"

namespace zelvor::notes {
namespace {

using testing::EntryBytes;

// Two notes as another program writes them: a collapsed one with an alarm
// and a two-line text, then one with a font and an empty text.
std::string TwoNotesFile() {
  return EntryBytes(testing::CollapsedNoteBytes(), "Leche\r\nPan") + EntryBytes(testing::FontNoteBytes(), "");
}

TEST(NotesFile, ReadsAndWritesTheHandMadeFileByteForByte) {
  const std::string file = TwoNotesFile();
  ASSERT_EQ(file.size(), 476u + 11 + 476 + 1);
  const ParsedNotes parsed = ParseNotes(file);
  EXPECT_FALSE(parsed.truncated);
  ASSERT_EQ(parsed.notes.size(), 2u);
  EXPECT_EQ(parsed.notes[0].record.title, "Compra");
  EXPECT_EQ(parsed.notes[0].record.collapsed, 1);
  EXPECT_EQ(parsed.notes[0].text, "Leche\r\nPan");
  EXPECT_EQ(parsed.notes[1].record.font.lfFaceName, "Arial");
  EXPECT_EQ(parsed.notes[1].text, "");
  EXPECT_EQ(EncodeNotes(parsed.notes), file);
}

TEST(NotesFile, AnEmptyTextIsStoredAsOneNul) {
  const std::string bytes = EncodeNotes({NoteEntry{BuiltInNoteRecord(), ""}});
  ASSERT_EQ(bytes.size(), 477u);
  EXPECT_EQ(bytes.substr(472), std::string("\x01\x00\x00\x00\x00", 5));
}

TEST(NotesFile, ATextHoldingNulIsWrittenUpToIt) {
  const std::string bytes = EncodeNotes({NoteEntry{BuiltInNoteRecord(), std::string("uno\0dos", 7)}});
  EXPECT_EQ(bytes.substr(472), std::string("\x04\x00\x00\x00uno\x00", 8));
}

// Files that end early or claim more than they hold: {name, bytes, notes
// read, truncated, texts of the notes read}.
struct ShortCase {
  const char* name;
  std::string bytes;
  std::size_t notes;
  bool truncated;
  std::vector<std::string> texts;
};

std::vector<ShortCase> ShortCases() {
  const std::string first = EntryBytes(testing::CollapsedNoteBytes(), "uno");
  const std::string second = EntryBytes(testing::FontNoteBytes(), "segunda nota");
  const std::string record = testing::FontNoteBytes().bytes();
  return {
      {"empty file", "", 0, false, {}},
      {"part of a record", record.substr(0, 100), 0, true, {}},
      {"a record without its length", record, 0, true, {}},
      {"three bytes of the length", record + std::string("\x05\x00\x00", 3), 0, true, {}},
      {"length without text", record + std::string("\x05\x00\x00\x00", 4), 0, true, {}},
      {"second entry cut inside its text", first + second.substr(0, second.size() - 3), 1, true, {"uno"}},
      {"second entry cut inside its record", first + second.substr(0, 200), 1, true, {"uno"}},
      {"a length of 4 GiB - 1 over a few bytes",
       first + EntryBytes(testing::FontNoteBytes(), 0xFFFFFFFFu, "only these bytes"), 1, true, {"uno"}},
      {"a length of 0 is an empty text", EntryBytes(testing::FontNoteBytes(), 0, "") + first, 2, false, {"", "uno"}},
      {"a text ends at its first NUL",
       EntryBytes(testing::FontNoteBytes(), 9, std::string("abc\0defg\0", 9)) + first, 2, false, {"abc", "uno"}},
      {"a text without a NUL keeps its L bytes",
       EntryBytes(testing::FontNoteBytes(), 4, "abcd") + first, 2, false, {"abcd", "uno"}},
  };
}

TEST(NotesFile, ShortAndHostileFilesLoseOnlyTheirLastEntry) {
  for (const ShortCase& c : ShortCases()) {
    const ParsedNotes parsed = ParseNotes(c.bytes);
    EXPECT_EQ(parsed.truncated, c.truncated) << c.name;
    ASSERT_EQ(parsed.notes.size(), c.notes) << c.name;
    for (std::size_t i = 0; i < c.notes; ++i) EXPECT_EQ(parsed.notes[i].text, c.texts[i]) << c.name;
  }
}

TEST(NotesFile, BytesInAnyPiecesReadTheSameAsAtOnce) {
  std::string file = TwoNotesFile() + EntryBytes(testing::FontNoteBytes(), 9, std::string("abc\0defg\0", 9)) +
                     testing::CollapsedNoteBytes().bytes().substr(0, 300);
  const ParsedNotes whole = ParseNotes(file);
  for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{471}, std::size_t{476}, std::size_t{1000}}) {
    NotesParser parser;
    for (std::size_t at = 0; at < file.size(); at += piece) parser.feed(std::string_view(file).substr(at, piece));
    EXPECT_EQ(parser.entries(), whole.notes) << "pieces of " << piece;
    EXPECT_EQ(parser.midEntry(), whole.truncated) << "pieces of " << piece;
    EXPECT_EQ(parser.wholeBytes(), file.size() - 300) << "pieces of " << piece;
  }
}

TEST(NotesFile, AHostileLengthWaitsForBytesThatNeverCome) {
  // Told that 4 GiB of text follow and given 1 MiB, the entry stays
  // unfinished (the fuzz target's allocation limit checks that nothing is
  // reserved for the rest).
  NotesParser parser;
  parser.feed(testing::FontNoteBytes().bytes() + std::string("\xFF\xFF\xFF\xFF", 4));
  const std::string mebibyte(1 << 20, 'x');
  parser.feed(mebibyte);
  EXPECT_TRUE(parser.midEntry());
  EXPECT_TRUE(parser.entries().empty());
  EXPECT_EQ(parser.wholeBytes(), 0u);
}

}  // namespace
}  // namespace zelvor::notes
