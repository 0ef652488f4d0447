// The rules of a clipboard entry: what its history row shows, and how
// entries combine into one.

#include <gtest/gtest.h>

#include "clipboard/clip_entry.h"
#include "platform/clipboard_formats.h"

namespace zelvor::clip {
namespace {

ClipboardFormat narrow(std::string_view text, std::uint32_t format = clip_format::Text) {
  ClipboardFormat f{format, {text.begin(), text.end()}};
  f.data.push_back(0);
  return f;
}
ClipboardFormat bytes(std::uint32_t format, std::string_view b) { return {format, {b.begin(), b.end()}}; }
std::string untilNul(const ClipboardFormat& f) { return {f.data.begin(), std::find(f.data.begin(), f.data.end(), 0)}; }

constexpr std::uint32_t kPng = 0xC001, kHtml = 0xC002;
const FormatNames kNames = [](std::uint32_t n) -> std::string {
  return n == kPng ? "image/png" : n == kHtml ? "text/html" : "";
};

TEST(ClipRow, ColumnsAndImageFollowTheKindsOfTheFormats) {
  const std::string longText(200, 'x');
  struct Case {
    const char* name;
    ClipEntry entry;
    RowFacts row;
  } cases[] = {
      {"text", {narrow("  hola mundo \r\n"), bytes(clip_format::UnicodeText, std::string("h\0\0\0", 4))},
       {"Texto", "hola mundo", 2}},
      {"text cut at its NUL", {bytes(clip_format::Text, std::string("uno\0dos", 7))}, {"Texto", "uno", 2}},
      {"first 128 bytes", {narrow(longText)}, {"Texto", std::string(128, 'x'), 2}},
      {"never inside a character", {narrow(std::string(127, 'a') + "ñb")}, {"Texto", std::string(127, 'a'), 2}},
      {"text without CF_TEXT", {bytes(clip_format::UnicodeText, std::string("a\0\0\0", 4))}, {"Texto", "?", 2}},
      {"picture and text", {bytes(kPng, "PNG"), narrow("pie")}, {"Texto e imagen", "pie", 4}},
      {"only pictures", {bytes(clip_format::Dib, "DIB"), bytes(kPng, "PNG")}, {"Imagen", "Imagen", 3}},
      {"registered image type", {bytes(kPng, "PNG")}, {"Imagen", "Imagen", 3}},
      {"other registered type", {bytes(kHtml, "<b>")}, {"Desconocido", "?", 1}},
      {"nothing could be stored", {}, {"Desconocido", "?", 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(DescribeEntry(c.entry, kNames), c.row) << c.name;
}

TEST(ClipCombine, TextsJoinWithCrLfOnlyAfterAtLeastTwoCharactersNotEndingInIt) {
  struct Case {
    const char* first;
    const char* second;
    const char* joined;
  } cases[] = {
      {"uno", "dos", "uno\r\ndos"},
      {"uno\r\n", "dos", "uno\r\ndos"},
      {"u", "dos", "udos"},
      {"ñ", "dos", "ñdos"},  // one character of two bytes
      {"", "dos", "dos"},
  };
  for (const Case& c : cases) {
    const ClipEntry a{narrow(c.first)}, b{narrow(c.second)};
    const ClipEntry* both[] = {&a, &b};
    const auto joined = CombineEntries(both, kNames);
    ASSERT_TRUE(joined) << c.first;
    ASSERT_EQ(joined->size(), 1u);
    EXPECT_EQ(untilNul(joined->front()), c.joined) << c.first;
  }
}

TEST(ClipCombine, WideTextJoinsLikeTheNarrowOneAndOtherFormatsConcatenate) {
  const std::vector<std::uint8_t> uno = Utf8ToUtf16Le("uno"), dos = Utf8ToUtf16Le("dos"), tres = Utf8ToUtf16Le("tres");
  const ClipEntry a{narrow("uno"), {clip_format::UnicodeText, uno}, bytes(kHtml, "<i>")};
  const ClipEntry b{bytes(clip_format::Dib, "DIB"), narrow("dos"), {clip_format::UnicodeText, dos}};
  const ClipEntry c{{clip_format::UnicodeText, tres}, bytes(kHtml, "</i>")};
  const ClipEntry* all[] = {&a, &b, &c};
  const auto joined = CombineEntries(all, kNames);
  ASSERT_TRUE(joined);
  // In the order first met; the picture is left out.
  ASSERT_EQ(joined->size(), 3u);
  EXPECT_EQ(untilNul((*joined)[0]), "uno\r\ndos");
  const ClipboardFormat& wide = (*joined)[1];
  EXPECT_EQ(Utf16LeToUtf8(wide.data.data(), wide.data.size() / 2), "uno\r\ndos\r\ntres");
  EXPECT_EQ(std::string((*joined)[2].data.begin(), (*joined)[2].data.end()), "<i></i>");
}

TEST(ClipCombine, PicturesAloneGiveNothing) {
  const ClipEntry a{bytes(clip_format::Dib, "1")}, b{bytes(kPng, "2")};
  const ClipEntry* both[] = {&a, &b};
  EXPECT_FALSE(CombineEntries(both, kNames));
  EXPECT_FALSE(CombineEntries({}, kNames));
}

}  // namespace
}  // namespace zelvor::clip
