#include "net/diary/connection_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/posix_files.h"
#include "tests/net/diary_sandbox.h"

namespace zelvor::diary {
namespace {

std::string bytesOf(const CItemDiario& r) {
  const RecordBytes b = EncodeRecord(r);
  return std::string(reinterpret_cast<const char*>(b.data()), b.size());
}

std::uint64_t readLE(const std::string& bytes, std::size_t at) {
  std::uint64_t v = 0;
  for (std::size_t i = 8; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST(RecordTest, LayoutIsTheFixed152Bytes) {
  const CItemDiario r{"Modem 56k", "Mi proveedor", 1'717'522'200, 400};
  const std::string b = bytesOf(r);
  ASSERT_EQ(b.size(), 152u);
  EXPECT_EQ(b.substr(0, 4), std::string(4, '\0'));
  EXPECT_EQ(b.substr(4, 10), std::string("Modem 56k\0", 10));
  EXPECT_EQ(b.substr(68, 13), std::string("Mi proveedor\0", 13));
  EXPECT_EQ(b[67], '\0');
  EXPECT_EQ(b[131], '\0');
  EXPECT_EQ(readLE(b, 136), 1'717'522'200u);
  EXPECT_EQ(readLE(b, 144), 400u);
  // Negative numbers are two's complement.
  const std::string n = bytesOf({"", "", -1, -2});
  EXPECT_EQ(readLE(n, 136), ~std::uint64_t{0});
  EXPECT_EQ(readLE(n, 144), ~std::uint64_t{1});
}

TEST(RecordTest, ReadingIgnoresReservedBytesAndStopsAtTheTerminator) {
  std::string b = bytesOf({"modem", "entry", 7, 9});
  b[0] = b[1] = b[2] = b[3] = '\x55';
  b[132] = b[135] = '\x66';
  b[4 + 6] = 'x';  // junk after the terminator
  std::vector<CItemDiario> got;
  ParseRecords(b, [&](std::uint64_t, const CItemDiario& r) {
    got.push_back(r);
    return true;
  });
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], (CItemDiario{"modem", "entry", 7, 9}));
}

TEST(RecordTest, UnterminatedNamesGiveTheirFirst63Bytes) {
  const std::string b(152, 'A');
  std::vector<CItemDiario> got;
  ParseRecords(b, [&](std::uint64_t, const CItemDiario& r) {
    got.push_back(r);
    return true;
  });
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].modem, std::string(63, 'A'));
  EXPECT_EQ(got[0].connection, std::string(63, 'A'));
}

TEST(RecordTest, LongNamesAreCutTo63BytesAtACharacterBoundary) {
  const std::string modem(100, 'm');
  const std::string spanish = std::string(62, 'a') + "ñ";  // 64 bytes: the ñ does not fit
  CItemDiario back;
  ParseRecords(bytesOf({modem, spanish, 0, 0}), [&](std::uint64_t, const CItemDiario& r) {
    back = r;
    return true;
  });
  EXPECT_EQ(back.modem, std::string(63, 'm'));
  EXPECT_EQ(back.connection, std::string(62, 'a'));
  EXPECT_EQ(CutName(std::string(61, 'a') + "ñ"), std::string(61, 'a') + "ñ");
  EXPECT_EQ(CutName(std::string(61, 'a') + "€"), std::string(61, 'a'));  // 3-byte character
  EXPECT_EQ(CutName(std::string("ab\0cd", 5)), "ab");
}

class ConnectionFileTest : public zelvor::testing::DiarySandbox {
 protected:
  std::string path() { return folder + "conexion.dat"; }
  std::vector<CItemDiario> readAll(const ConnectionFile& file, ReadResult* result = nullptr) {
    std::vector<CItemDiario> got;
    std::vector<std::uint64_t> numbers;
    const ReadResult r = file.ReadRecords([&](std::uint64_t n, const CItemDiario& rec) {
      numbers.push_back(n);
      got.push_back(rec);
      return true;
    });
    for (std::size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(numbers[i], i);
    if (result != nullptr) *result = r;
    return got;
  }
};

TEST_F(ConnectionFileTest, AppendsAndReadsInOrderWithRecordNumbers) {
  ConnectionFile file(sim.files, path());
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(file.Append({"modem", "entry " + std::to_string(i), 1000 + i, i}).ok);
  }
  ReadResult r;
  const auto got = readAll(file, &r);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.count, 5u);
  ASSERT_EQ(got.size(), 5u);
  EXPECT_EQ(got[3], (CItemDiario{"modem", "entry 3", 1003, 3}));
  EXPECT_EQ(file.RecordCount(), 5u);
}

TEST_F(ConnectionFileTest, ManyRecordsAcrossReadingChunks) {
  std::string bytes;
  for (int i = 0; i < 10'000; ++i) bytes += bytesOf({"m", "e", i, 2 * i});
  writeBytes(path(), bytes);
  const auto got = readAll(ConnectionFile(sim.files, path()));
  ASSERT_EQ(got.size(), 10'000u);
  EXPECT_EQ(got[9'999].start, 9'999);
  EXPECT_EQ(got[4'096].duration, 8'192);
}

TEST_F(ConnectionFileTest, TrailingPartialRecordIsIgnored) {
  writeBytes(path(), bytesOf({"a", "b", 1, 2}) + bytesOf({"c", "d", 3, 4}) + std::string(50, 'x'));
  ConnectionFile file(sim.files, path());
  EXPECT_EQ(file.RecordCount(), 2u);
  const auto got = readAll(file);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[1], (CItemDiario{"c", "d", 3, 4}));
}

TEST_F(ConnectionFileTest, AppendAfterAPartialRecordKeepsLaterRecordsReadable) {
  writeBytes(path(), bytesOf({"a", "b", 1, 2}) + std::string(50, 'x'));
  ConnectionFile file(sim.files, path());
  ASSERT_TRUE(file.Append({"new", "one", 5, 6}).ok);
  const std::string raw = readBytes(path());
  ASSERT_EQ(raw.size(), 3 * 152u);
  EXPECT_EQ(raw.substr(152, 50), std::string(50, 'x'));  // nothing of the old bytes is lost
  const auto got = readAll(file);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[2], (CItemDiario{"new", "one", 5, 6}));
}

TEST_F(ConnectionFileTest, ZeroLengthFileHasNoRecords) {
  writeBytes(path(), "");
  ReadResult r;
  EXPECT_TRUE(readAll(ConnectionFile(sim.files, path()), &r).empty());
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.count, 0u);
}

TEST_F(ConnectionFileTest, ReadingAMissingFileCreatesItEmpty) {
  ReadResult r;
  EXPECT_TRUE(readAll(ConnectionFile(sim.files, path()), &r).empty());
  EXPECT_TRUE(r.ok);
  EXPECT_TRUE(std::filesystem::exists(path()));
  EXPECT_EQ(std::filesystem::file_size(path()), 0u);
}

TEST_F(ConnectionFileTest, MissingFolderFailsCleanly) {
  ConnectionFile file(sim.files, folder + "no/such/folder/conexion.dat");
  ReadResult r;
  EXPECT_TRUE(readAll(file, &r).empty());
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("no/such/folder"), std::string::npos);
  EXPECT_FALSE(file.Append({"m", "e", 1, 1}).ok);
  EXPECT_EQ(file.RecordCount(), 0u);
  EXPECT_FALSE(std::filesystem::exists(folder + "no"));
}

// Files whose every read fails, as on an I/O error.
class UnreadableFiles : public PosixFiles {
 public:
  std::optional<std::string> readRange(const std::string&, std::uint64_t, std::uint64_t) override {
    return std::nullopt;
  }
};

TEST_F(ConnectionFileTest, AFileThatCannotBeReadSaysSoInSpanish) {
  writeBytes(path(), bytesOf({"m", "e", 1, 1}));
  UnreadableFiles unreadable;
  ConnectionFile file(unreadable, path());
  const std::string expected = "No se puede leer el archivo " + path() + ".";
  ReadResult read;
  EXPECT_TRUE(readAll(file, &read).empty());
  EXPECT_FALSE(read.ok);
  EXPECT_EQ(read.error, expected);
  const FileResult deleted = file.DeleteRecords({0});
  EXPECT_FALSE(deleted.ok);
  EXPECT_EQ(deleted.error, expected);
  EXPECT_EQ(readBytes(path()), bytesOf({"m", "e", 1, 1}));
}

TEST_F(ConnectionFileTest, VisitorCanStopTheReading) {
  std::string bytes;
  for (int i = 0; i < 10; ++i) bytes += bytesOf({"m", "e", i, 0});
  writeBytes(path(), bytes);
  int seen = 0;
  const ReadResult r = ConnectionFile(sim.files, path()).ReadRecords([&](std::uint64_t, const CItemDiario&) {
    return ++seen < 3;
  });
  EXPECT_EQ(seen, 3);
  EXPECT_EQ(r.read, 3u);
  EXPECT_EQ(r.count, 10u);
}

TEST_F(ConnectionFileTest, DeletesByRecordNumber) {
  ConnectionFile file(sim.files, path());
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(file.Append({"m", "e", i, 0}).ok);
  // Unsorted, repeated and past-the-end numbers are all fine.
  ASSERT_TRUE(file.DeleteRecords({4, 0, 4, 99}).ok);
  std::vector<std::int64_t> starts;
  for (const auto& r : readAll(file)) starts.push_back(r.start);
  EXPECT_EQ(starts, (std::vector<std::int64_t>{1, 2, 3, 5}));
  ASSERT_TRUE(file.DeleteRecords({0, 1, 2, 3}).ok);
  EXPECT_EQ(std::filesystem::file_size(path()), 0u);
}

}  // namespace
}  // namespace zelvor::diary
