// The clip files: the record layout, a reader that trusts no length, and a
// save that replaces the whole set in one step.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "clipboard/clip_files.h"
#include "platform/posix/posix_files.h"
#include "tests/support/sandbox.h"

namespace zelvor::clip {
namespace {

std::string le32(std::uint32_t v) {
  std::string s;
  for (int k = 0; k < 4; ++k) s.push_back(static_cast<char>(v >> (8 * k) & 0xFF));
  return s;
}

TEST(ClipFile, RecordsUntilTheEndAndNothingOfARecordCutShort) {
  const std::string two = le32(1) + le32(4) + std::string("hola", 4) + le32(0xC000) + le32(0);
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t formats;
    bool truncated;
  } cases[] = {
      {"empty", "", 0, false},
      {"two records, one empty", two, 2, false},
      {"header cut", two + le32(7), 2, true},
      {"size beyond the bytes", two + le32(7) + le32(0xFFFFFFFF) + "xy", 2, true},
      {"data cut", le32(1) + le32(5) + "abcd", 0, true},
  };
  for (const Case& c : cases) {
    const ParsedClip p = ParseClipFile(c.bytes);
    EXPECT_EQ(p.entry.size(), c.formats) << c.name;
    EXPECT_EQ(p.truncated, c.truncated) << c.name;
  }
  const ParsedClip p = ParseClipFile(two);
  EXPECT_EQ(p.entry[0], (ClipboardFormat{1, {'h', 'o', 'l', 'a'}}));
  EXPECT_EQ(p.entry[1], (ClipboardFormat{0xC000, {}}));
  EXPECT_EQ(EncodeClipFile(p.entry), two);
}

TEST(ClipFile, NamesHaveAtLeastThreeDigits) {
  EXPECT_EQ(ClipFileName(0), "clip000.dat");
  EXPECT_EQ(ClipFileName(42), "clip042.dat");
  EXPECT_EQ(ClipFileName(999), "clip999.dat");
  EXPECT_EQ(ClipFileName(1000), "clip1000.dat");
}

class ClipSetTest : public ::testing::Test {
 protected:
  ClipEntry entry(int n) {
    const std::string t = "entrada " + std::to_string(n);
    ClipboardFormat f{clip_format::Text, {t.begin(), t.end()}};
    f.data.push_back(0);
    return {f};
  }
  zelvor::testing::Sandbox sandbox;
  PosixFiles posix;
  std::string data = sandbox.root() + "/data/";
  ClipFiles files{posix, data};
};

TEST_F(ClipSetTest, ASavedSetLoadsBackAndASmallerOneLeavesNoStaleFiles) {
  std::vector<ClipEntry> five;
  for (int i = 0; i < 5; ++i) five.push_back(entry(i));
  ASSERT_TRUE(files.Save(five));
  EXPECT_EQ(files.Load(), five);
  const std::vector<ClipEntry> two{entry(7), entry(8)};
  ASSERT_TRUE(files.Save(two));
  EXPECT_EQ(files.Load(), two);
  EXPECT_FALSE(std::filesystem::exists(data + "clips/clip002.dat"));
  EXPECT_FALSE(std::filesystem::exists(data + "clips.new"));
}

TEST_F(ClipSetTest, MoreThanAThousandEntriesAreAllSaved) {
  std::vector<ClipEntry> many;
  for (int i = 0; i < 1003; ++i) many.push_back(entry(i));
  ASSERT_TRUE(files.Save(many));
  EXPECT_TRUE(std::filesystem::exists(data + "clips/clip1002.dat"));
  EXPECT_EQ(files.Load(), many);
}

TEST_F(ClipSetTest, AnInterruptedSaveLeavesTheOldSetAndIsCleanedUpNextTime) {
  ASSERT_TRUE(files.Save({entry(1), entry(2)}));
  // A save that died while writing the new set: a partial clips.new/.
  std::filesystem::create_directories(data + "clips.new");
  std::ofstream(data + "clips.new/clip000.dat") << "torn";
  EXPECT_EQ(files.Load(), (std::vector<ClipEntry>{entry(1), entry(2)}));
  ASSERT_TRUE(files.Save({entry(3)}));
  EXPECT_EQ(files.Load(), std::vector<ClipEntry>{entry(3)});
}

TEST_F(ClipSetTest, LoadingStopsAtTheFirstMissingFileAndSkipsAnUnreadableOne) {
  std::filesystem::create_directories(data + "clips");
  const auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(data + "clips/" + name, std::ios::binary) << bytes;
  };
  write("clip000.dat", EncodeClipFile(entry(0)));
  std::filesystem::create_directories(data + "clips/clip001.dat");  // there, but no file to read
  write("clip002.dat", EncodeClipFile(entry(2)));
  write("clip004.dat", EncodeClipFile(entry(4)));
  EXPECT_EQ(files.Load(), (std::vector<ClipEntry>{entry(0), entry(2)}));
}

}  // namespace
}  // namespace zelvor::clip
