// The MIME side of the clipboard: the fixed table, registered numbers that
// keep their types from run to run, and the password manager's hint.

#include <gtest/gtest.h>

#include "platform/clipboard_formats.h"
#include "platform/tree_registry.h"

namespace zelvor {
namespace {

std::vector<std::uint8_t> b(std::string_view s) { return {s.begin(), s.end()}; }

class FormatTableTest : public ::testing::Test {
 protected:
  TreeRegistry store;
  ClipboardFormatTable table{store, "Software\\Norvane\\Zelvor\\ReziZovidaraz\\Formatos"};
};

TEST_F(FormatTableTest, TextBecomesBothClassicTextFormatsInTheOfferedOrder) {
  const ClipboardContent c = table.ToNumbers({{"text/html", b("<b>ñ</b>")},
                                              {"UTF8_STRING", b("ñandú")},
                                              {"TARGETS", b("xx")},
                                              {"application/x-qt-image", b("qt")},
                                              {"text/plain", b("ignored second spelling")},
                                              {"image/png", b("PNG")}});
  ASSERT_EQ(c.size(), 4u);
  EXPECT_GE(c[0].format, clip_format::FirstRegistered);
  EXPECT_EQ(c[1], (ClipboardFormat{clip_format::Text, b(std::string_view("ñandú\0", 8))}));
  EXPECT_EQ(c[2], (ClipboardFormat{clip_format::UnicodeText, Utf8ToUtf16Le("ñandú")}));
  EXPECT_EQ(table.NameOf(c[3].format), "image/png");
  EXPECT_NE(c[0].format, c[3].format);
}

TEST_F(FormatTableTest, RegisteredNumbersSurviveInTheStore) {
  const auto html = table.NumberOf("text/html");
  const auto png = table.NumberOf("image/png");
  ASSERT_TRUE(html && png);
  // Another run: a new table over the same store.
  ClipboardFormatTable next(store, "Software\\Norvane\\Zelvor\\ReziZovidaraz\\Formatos");
  EXPECT_EQ(next.NameOf(*png), "image/png");
  EXPECT_EQ(next.NumberOf("text/html"), html);
  EXPECT_EQ(next.NameOf(0x0001), "");
  EXPECT_EQ(next.NameOf(0xC0FF), "");
}

TEST_F(FormatTableTest, BackToTypesTextOnceBitmapsAsBmpFilesUnknownNumbersLeftOut) {
  std::vector<std::uint8_t> dib(40, 0);
  dib[0] = 40;   // header size
  dib[14] = 24;  // bits per pixel
  dib.insert(dib.end(), {1, 2, 3, 0});
  const auto html = table.NumberOf("text/html");
  const std::vector<MimeFormat> types =
      table.ToTypes({{clip_format::Text, b(std::string_view("uno\0", 4))},
                     {clip_format::UnicodeText, Utf8ToUtf16Le("dos")},
                     {clip_format::Dib, dib},
                     {*html, b("<i>")},
                     {0xC0EE, b("nobody's")},
                     {clip_format::EnhMetafile, b("handle")}});
  ASSERT_EQ(types.size(), 3u);
  // The wide text wins: it cannot be misread whatever the narrow encoding was.
  EXPECT_EQ(types[0], (MimeFormat{std::string(kMimeText), b("dos")}));
  EXPECT_EQ(types[1].type, "image/bmp");
  ASSERT_EQ(types[1].data.size(), 14 + dib.size());
  EXPECT_EQ(types[1].data[10], 54);  // pixels right after the two headers
  // A BMP file read back is the same DIB.
  const ClipboardContent again = table.ToNumbers({types[1]});
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0], (ClipboardFormat{clip_format::Dib, dib}));
  EXPECT_EQ(types[2], (MimeFormat{"text/html", b("<i>")}));
}

TEST_F(FormatTableTest, OnlyTheSecretHintConceals) {
  EXPECT_TRUE(ClipboardFormatTable::IsConcealed({{"UTF8_STRING", b("pw")}, {"x-kde-passwordManagerHint", b("secret")}}));
  EXPECT_TRUE(ClipboardFormatTable::IsConcealed({{"x-kde-passwordManagerHint", b(std::string_view("secret\n\0", 8))}}));
  EXPECT_FALSE(ClipboardFormatTable::IsConcealed({{"x-kde-passwordManagerHint", b("public")}}));
  EXPECT_FALSE(ClipboardFormatTable::IsConcealed({{"UTF8_STRING", b("secret")}}));
  // The hint itself is never a format of the entry.
  EXPECT_TRUE(table.ToNumbers({{"x-kde-passwordManagerHint", b("public")}}).empty());
}

TEST(Utf16, InvalidSequencesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16Le("a"), (std::vector<std::uint8_t>{'a', 0, 0, 0}));
  const std::vector<std::uint8_t> wide = Utf8ToUtf16Le("\xF0\x9F\x98\x80\xC3");
  EXPECT_EQ(Utf16LeToUtf8(wide.data(), wide.size() / 2), "\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

}  // namespace
}  // namespace zelvor
