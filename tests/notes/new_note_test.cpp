// New notes: the colour and place drawn for them, the title sequences and
// the macros of their title and text templates.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "notes/new_note.h"
#include "notes/note_font.h"

namespace zelvor::notes {
namespace {

TEST(RandomColour, EachSettingDrawsOnlyFromItsPartOfTheTable) {
  struct Case {
    int setting;
    std::set<std::uint32_t> allowed;
  };
  const std::set<std::uint32_t> dark{0x8080FF, 0x80FFFF, 0x80FF80, 0xFF8080, 0xFF80FF};
  const std::set<std::uint32_t> light{0xC0C0FF, 0xC0FFFF, 0xC0FFC0, 0xFFC0C0, 0xFFC0FF, 0xC0C0C0, 0xFFFFFF};
  std::set<std::uint32_t> all = dark;
  all.insert(light.begin(), light.end());
  for (const Case& c : {Case{1, light}, Case{2, dark}, Case{3, all}}) {
    const auto range = ColourRangeOf(c.setting);
    ASSERT_TRUE(range) << c.setting;
    std::set<std::uint32_t> seen;
    for (int ms = 0; ms < 1000; ++ms) seen.insert(RandomColour(*range, ms));
    // Every colour of the range comes up over a second, and none other.
    EXPECT_EQ(seen, c.allowed) << "ColorAleatorio " << c.setting;
  }
  for (int off : {0, 4, -1, 100}) EXPECT_FALSE(ColourRangeOf(off)) << off;
  EXPECT_EQ(RandomColour({5, 11}, 0), 0xC0C0FFu);
  EXPECT_EQ(RandomColour({5, 11}, 999), 0xFFFFFFu);
}

TEST(RandomPosition, StaysInsideTheWorkAreaWithTheNoteWhole) {
  const NoteRect note{100, 100, 300, 250};  // 200 x 150
  struct Case {
    Rect area;
  };
  for (const Case& c : {Case{{0, 0, 1024, 768}}, Case{{50, 30, 1920, 1050}}, Case{{-1280, 0, 0, 1024}}}) {
    int minX = INT32_MAX, maxX = INT32_MIN, minY = INT32_MAX, maxY = INT32_MIN;
    for (std::int64_t t = 1'700'000'000; t < 1'700'000'000 + 5000; ++t) {
      const NoteRect r = RandomPosition(note, c.area, t);
      EXPECT_EQ(r.right - r.left, 200);
      EXPECT_EQ(r.bottom - r.top, 150);
      minX = std::min(minX, r.left), maxX = std::max(maxX, r.left);
      minY = std::min(minY, r.top), maxY = std::max(maxY, r.top);
    }
    EXPECT_GE(minX, c.area.left);
    EXPECT_LE(maxX, c.area.right - 200 + 1);
    EXPECT_GE(minY, c.area.top);
    EXPECT_LE(maxY, c.area.bottom - 150 + 1);
    // The draws spread over the area rather than sticking to a corner.
    EXPECT_GT(maxX - minX, (c.area.width() - 200) / 2);
    EXPECT_GT(maxY - minY, (c.area.height() - 150) / 2);
  }
}

TEST(RandomPosition, TheSameSecondGivesTheSamePlace) {
  const NoteRect note{0, 0, 100, 100};
  const Rect area{0, 0, 800, 600};
  EXPECT_EQ(RandomPosition(note, area, 1'700'000'123), RandomPosition(note, area, 1'700'000'123));
}

std::function<bool(std::string_view)> takenAmong(std::set<std::string> titles) {
  return [titles = std::move(titles)](std::string_view t) { return titles.contains(std::string(t)); };
}

TEST(NewNoteTitle, SequencesTakeTheFirstFreeCandidate) {
  struct Case {
    std::string pattern;
    std::set<std::string> taken;
    std::string expected;
  };
  const Case cases[] = {
      {"", {}, "Nota 1"},
      {"", {"Nota 1", "Nota 3"}, "Nota 2"},
      {"", {"Nota 1", "Nota 2", "Nota 3"}, "Nota 4"},
      {"Lista %SEQALFAUPPER%", {"Lista A"}, "Lista B"},
      {"lista-%SEQALFALOWER%", {"lista-a", "lista-b"}, "lista-c"},
      {"%SEQNUM%%SEQALFAUPPER%", {"1A"}, "2B"},
      // Without a sequence the same title comes every time.
      {"Compra", {"Compra"}, "Compra"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NewNoteTitle(c.pattern, {}, nullptr, takenAmong(c.taken)), c.expected) << c.pattern;
  }
}

TEST(NewNoteTitle, LetterSequenceWrapsAfterZAndEndsWhenAllAreTaken) {
  std::set<std::string> taken;
  for (char l = 'A'; l <= 'Y'; ++l) taken.insert(std::string("X ") + l);
  EXPECT_EQ(NewNoteTitle("X %SEQALFAUPPER%", {}, nullptr, takenAmong(taken)), "X Z");
  taken.insert("X Z");
  // All 26 taken: the search stops at the wrapped-round first letter.
  EXPECT_EQ(NewNoteTitle("X %SEQALFAUPPER%", {}, nullptr, takenAmong(taken)), "X A");
}

TEST(NewNoteTitle, ANumberCutOffByTheTitleLimitEndsTheSearch) {
  const std::string prefix(59, 'n');
  // Every candidate is the same 59 bytes: the search stops instead of running on.
  EXPECT_EQ(NewNoteTitle(prefix + "%SEQNUM%", {}, nullptr, takenAmong({prefix})), prefix);
}

TEST(NewNoteTitle, IsCutToFiftyNineBytesAtACharacterBoundary) {
  std::string pattern(58, 'a');
  pattern += "é";  // two bytes: the 59th and the 60th
  const std::string title = NewNoteTitle(pattern, {}, nullptr, nullptr);
  EXPECT_EQ(title, std::string(58, 'a'));
  EXPECT_EQ(NewNoteTitle(std::string(80, 'b'), {}, nullptr, nullptr).size(), 59u);
}

TEST(ExpandMacros, ReplacesKnownNamesAndLeavesOthersAsWritten) {
  const MacroValues macros{{"USERNAME", "ana"}, {"TIME24", "17:05"}};
  const EnvironmentQuery env = [](std::string_view n) -> std::optional<std::string> {
    if (n == "TEMP") return "/tmp";
    if (n == "USERNAME") return "from-environment";
    return std::nullopt;
  };
  struct Case {
    std::string text, expected;
  };
  const Case cases[] = {
      {"%USERNAME% a las %TIME24%", "ana a las 17:05"},
      {"en %TEMP%", "en /tmp"},
      {"%NOSUCH% y %USERNAME%", "%NOSUCH% y ana"},
      {"100% de %USERNAME%", "100% de ana"},
      {"%%", "%%"},
      {"50%", "50%"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandMacros(c.text, macros, env), c.expected) << c.text;
}

TEST(ExpandMacros, FailsPastTheLimitAndCutsLongValues) {
  const MacroValues macros{{"BIG", std::string(1000, 'x')}};
  EXPECT_EQ(ExpandMacros("%BIG%", macros, nullptr)->size(), kMaxMacroValue);
  std::string seventeen;
  for (int i = 0; i < 17; ++i) seventeen += "%BIG%";  // 17 x 255 bytes > 4096
  EXPECT_FALSE(ExpandMacros(seventeen, macros, nullptr));
  EXPECT_TRUE(ExpandMacros(seventeen.substr(0, 16 * 5), macros, nullptr));
  // A failed title expansion gives "Nota".
  EXPECT_EQ(NewNoteTitle(std::string(kMaxExpansion + 1, 'z'), {}, nullptr, nullptr), "Nota");
}

TEST(DateAndSystemMacros, SpanishDatesAndBothClocks) {
  LocalTime t;
  t.year = 2026, t.month = 12, t.day = 10, t.hour = 17, t.minute = 5, t.weekday = 4;
  const MacroValues m = DateAndSystemMacros(t, "ana", "");
  EXPECT_EQ(m.at("LONGDATE"), "jueves, 10 de diciembre de 2026");
  EXPECT_EQ(m.at("SHORTDATE"), "10/12/2026");
  EXPECT_EQ(m.at("TIME12"), "05:05");
  EXPECT_EQ(m.at("TIME24"), "17:05");
  EXPECT_EQ(m.at("USERNAME"), "ana");
  EXPECT_FALSE(m.contains("HOSTNAME"));
  t.hour = 0;
  EXPECT_EQ(DateAndSystemMacros(t, "", "").at("TIME12"), "12:05");
}

TEST(MakeNewNote, DefectoCountsOnlyAtExactlyOneRecord) {
  NoteRecord stored = BuiltInNoteRecord();
  stored.background = 0x123456;
  stored.rect = {10, 20, 410, 220};
  stored.title = "Nota por defecto";
  const NoteRecordBytes bytes = EncodeNoteRecord(stored);
  const std::string full(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  struct Case {
    std::optional<std::string> defecto;
    std::uint32_t background;
  };
  const Case cases[] = {{full, 0x123456}, {full.substr(0, 468), 0xC0FFFF}, {std::nullopt, 0xC0FFFF},
                        {full + "x", 0xC0FFFF}};
  for (const Case& c : cases) {
    NewNoteSettings s;
    s.Defecto = c.defecto;
    NewNoteContext ctx;
    const NewNote n = MakeNewNote(s, ctx);
    EXPECT_EQ(n.record.background, c.background) << (c.defecto ? c.defecto->size() : 0);
    // The title is the template's, never Defecto's.
    EXPECT_EQ(n.record.title, "Nota 1");
  }
}

TEST(MakeNewNote, TextTemplateAndAKeyThatCannotBeOpened) {
  NewNoteSettings s;
  s.TextoPorDefecto = "Hecha por %USERNAME%";
  NewNoteContext ctx;
  ctx.userName = "ana";
  EXPECT_EQ(MakeNewNote(s, ctx).text, "Hecha por ana");
  s.keyOpened = false;
  const NewNote n = MakeNewNote(s, ctx);
  EXPECT_EQ(n.record.title, "");
  EXPECT_EQ(n.text, "");
}

TEST(NoteFont, AChosenFontReadsBackAsTheSameFontAndTheSameBytes) {
  struct Case {
    TextFont font;
  };
  const Case cases[] = {
      {TextFont{"DejaVu Sans", 10, false, false, false, false, 0}},
      {TextFont{"Liberation Serif", 14, true, true, false, false, 0}},
      {TextFont{"Noto Sans Mono", 9, false, false, true, true, 0}},
      {TextFont{"Cantarell", 11, false, false, false, false, 300}},
      {TextFont{"", 0, false, false, false, false, 0}},
      {TextFont{"Ünïcödé Fönt Fámily With A Long Name", 72, true, false, false, false, 900}},
  };
  for (const Case& c : cases) {
    const LogFont stored = LogFontOf(c.font);
    ASSERT_TRUE(stored.isChosen());
    const auto back = TextFontOf(stored);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pointSize, c.font.pointSize) << c.font.family;
    EXPECT_EQ(back->bold, c.font.bold || c.font.weight >= 600) << c.font.family;
    EXPECT_EQ(back->italic, c.font.italic);
    EXPECT_EQ(back->underline, c.font.underline);
    EXPECT_EQ(back->strikeOut, c.font.strikeOut);
    EXPECT_LE(back->family.size(), 31u);
    EXPECT_EQ(c.font.family.rfind(back->family, 0), 0u) << "a prefix of the family";
    // Written again: the very same record bytes.
    NoteRecord a, b;
    a.font = stored;
    b.font = LogFontOf(*back);
    EXPECT_EQ(EncodeNoteRecord(a), EncodeNoteRecord(b)) << c.font.family;
  }
}

TEST(NoteFont, StoredFieldsReadAsADesktopFont) {
  LogFont f;
  f.lfHeight = -13;  // 10 points at 96 dpi
  f.lfWeight = 700;
  f.lfItalic = 1;
  f.lfFaceName = "Arial";
  const auto t = TextFontOf(f);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->pointSize, 10);
  EXPECT_TRUE(t->bold);
  EXPECT_TRUE(t->italic);
  EXPECT_EQ(t->family, "Arial");
  f.lfHeight = 16;  // a cell height reads by its size as well
  EXPECT_EQ(TextFontOf(f)->pointSize, 12);
  EXPECT_FALSE(TextFontOf(LogFont{}));
  EXPECT_EQ(HeightOfPoints(12), -16);
  EXPECT_GT(PointsOfHeight(INT32_MIN), 0);  // a hostile height neither overflows nor goes negative
}

}  // namespace
}  // namespace zelvor::notes
