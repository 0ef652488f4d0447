// The note record against its layout: every field at its offset, a record
// written back byte for byte, texts cut at whole characters.

#include <gtest/gtest.h>

#include <span>

#include "notes/fixed_text.h"
#include "notes/note_record.h"
#include "tests/notes/note_bytes.h"

namespace zelvor::notes {
namespace {

NoteRecord decode(const std::string& bytes) {
  return DecodeNoteRecord(
      std::span<const std::uint8_t, kNoteRecordSize>(reinterpret_cast<const std::uint8_t*>(bytes.data()), kNoteRecordSize));
}

std::string encode(const NoteRecord& r) {
  const NoteRecordBytes b = EncodeNoteRecord(r);
  return std::string(reinterpret_cast<const char*>(b.data()), b.size());
}

TEST(NoteRecord, ReadsEveryFieldAtItsOffset) {
  const NoteRecord c = decode(testing::CollapsedNoteBytes().bytes());
  EXPECT_EQ(c.transparency, 20);
  EXPECT_EQ(c.alignment, 1);
  EXPECT_EQ(c.background, 0xC0FFFFu);
  EXPECT_FALSE(c.font.isChosen());
  EXPECT_EQ(c.rect, (NoteRect{120, 80, 340, 290}));
  EXPECT_EQ(c.alwaysOnTop, 1);
  EXPECT_EQ(c.title, "Compra");
  EXPECT_EQ(c.hotkey, 0x0300u | 'N');
  EXPECT_EQ(c.visible, 1);
  EXPECT_EQ(c.collapsed, 1);
  EXPECT_EQ(c.deletionTime, 0);
  EXPECT_TRUE(c.hasAlarm());
  EXPECT_EQ(c.alarm.alarmTime, 1'700'000'000);
  EXPECT_EQ(c.alarm.Day, 15);
  EXPECT_EQ(c.alarm.Weekday, 64);
  EXPECT_EQ(c.alarm.Start, 1);
  EXPECT_EQ(c.alarm.Month, 10);
  EXPECT_EQ(c.alarm.ShowWarning, 0);
  EXPECT_EQ(c.alarm.Seconds, 10);
  EXPECT_EQ(c.alarm.soundFile, "/usr/share/sounds/aviso.wav");

  const NoteRecord f = decode(testing::FontNoteBytes().bytes());
  EXPECT_EQ(f.alignment, static_cast<std::int32_t>(Alignment::Right));
  EXPECT_EQ(f.textColor, 0x0000FFu);
  ASSERT_TRUE(f.font.isChosen());
  EXPECT_EQ(f.font.lfHeight, -16);
  EXPECT_EQ(f.font.lfWeight, 700);
  EXPECT_EQ(f.font.lfItalic, 1);
  EXPECT_EQ(f.font.lfOutPrecision, 3);
  EXPECT_EQ(f.font.lfClipPrecision, 2);
  EXPECT_EQ(f.font.lfQuality, 1);
  EXPECT_EQ(f.font.lfPitchAndFamily, 34);
  EXPECT_EQ(f.font.lfFaceName, "Arial");
  EXPECT_EQ(f.rect.left, -10);
  EXPECT_EQ(f.title, "Reunión mañana");
  EXPECT_EQ(f.deletionTime, 1'690'000'000);
  EXPECT_FALSE(f.hasAlarm());
  EXPECT_EQ(f.alarm, NoteAlarmBlock{});
}

TEST(NoteRecord, WritesBackTheSameBytes) {
  for (const auto& fixture : {testing::CollapsedNoteBytes(), testing::FontNoteBytes(), testing::RecordBytes()}) {
    EXPECT_EQ(encode(decode(fixture.bytes())), fixture.bytes());
  }
}

TEST(NoteRecord, KeepsIntegersOutOfRangeAndExtremes) {
  testing::RecordBytes r;
  r.i32(0, -7).i32(4, 99).u32(8, 0xFFFFFFFF).i32(160, 5).i64(168, INT64_MIN).i64(180, INT64_MAX)
      .i32(196, 17).i32(200, -1).byte(43, 0xFF);
  const NoteRecord n = decode(r.bytes());
  EXPECT_EQ(n.transparency, -7);
  EXPECT_EQ(n.alignment, 99);
  EXPECT_EQ(n.background, 0xFFFFFFFFu);
  EXPECT_EQ(n.deletionTime, INT64_MIN);
  EXPECT_EQ(n.alarm.alarmTime, INT64_MAX);
  EXPECT_EQ(n.alarm.Month, -1);
  EXPECT_TRUE(n.font.isChosen());
  EXPECT_EQ(encode(n), r.bytes());
}

TEST(NoteRecord, BuiltInRecordIsTheDocumentedOne) {
  const std::string b = encode(BuiltInNoteRecord());
  testing::RecordBytes expected;
  expected.u32(8, 0xC0FFFF).i32(76, 100).i32(80, 100).i32(84, 300).i32(88, 300).i32(92, 1);
  EXPECT_EQ(b, expected.bytes());
}

// Texts of fixed fields: {text, field size, what the field gives back}.
struct FieldCase {
  const char* name;
  std::string text;
  std::size_t field;
  std::string expected;
};

TEST(FixedText, CutsAtWholeCharactersAndStopsAtNul) {
  const std::string fiftyEight(58, 'a');
  const FieldCase cases[] = {
      {"fits", "Nota 1", 60, "Nota 1"},
      {"exactly 59 bytes", std::string(59, 'x'), 60, std::string(59, 'x')},
      {"60 bytes lose one", std::string(60, 'x'), 60, std::string(59, 'x')},
      {"two-byte character across the end", fiftyEight + "ñ", 60, fiftyEight},
      {"two-byte character ending at the end", std::string(57, 'a') + "ñ", 60, std::string(57, 'a') + "ñ"},
      {"four-byte character across the end", std::string(56, 'a') + "\xF0\x9F\x93\x9D", 60, std::string(56, 'a')},
      {"three-byte character across the end", std::string(57, 'a') + "\xE2\x82\xAC", 60, std::string(57, 'a')},
      {"NUL ends the text", std::string("ab\0cd", 5), 60, "ab"},
      {"face name of 32 bytes", std::string(40, 'F'), 32, std::string(31, 'F')},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> field(c.field, 0);
    PutFieldText(field, c.text);
    EXPECT_EQ(field.back(), 0) << c.name;
    EXPECT_EQ(GetFieldText(field), c.expected) << c.name;
  }
}

TEST(FixedText, AFieldFilledByAnotherWriterIsReadWithoutItsLastByte) {
  // No terminator, and a two-byte character in bytes 58 and 59: the text
  // keeps what fits in 59 bytes, whole characters only.
  std::string raw = std::string(58, 'b') + "é";
  std::vector<std::uint8_t> field(raw.begin(), raw.end());
  ASSERT_EQ(field.size(), 60u);
  EXPECT_EQ(GetFieldText(field), std::string(58, 'b'));
  raw = std::string(60, 'c');
  field.assign(raw.begin(), raw.end());
  EXPECT_EQ(GetFieldText(field), std::string(59, 'c'));
}

TEST(NoteRecord, TitleAndSoundFileAreCutOnWriting) {
  NoteRecord n;
  n.title = std::string(58, 'T') + "ó y más";
  n.alarm.soundFile = std::string(300, 's');
  const NoteRecord back = decode(encode(n));
  EXPECT_EQ(back.title, std::string(58, 'T'));
  EXPECT_EQ(back.title, CutTitle(n.title));
  EXPECT_EQ(back.alarm.soundFile, std::string(259, 's'));
}

}  // namespace
}  // namespace zelvor::notes
