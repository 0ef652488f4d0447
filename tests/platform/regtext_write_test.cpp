// The REGEDIT4 writers: the export format byte for byte, and the store's own
// form, which must bring back every value with its exact type and bytes.

#include <gtest/gtest.h>

#include "platform/regtext/regtext.h"
#include "platform/regtext/store_text.h"
#include "platform/store_limits.h"
#include "platform/tree_registry.h"

namespace zelvor::regtext {
namespace {

RegValue raw(RegType type, std::vector<std::uint8_t> data) { return RegValue{type, std::move(data)}; }

RegValue bytesOf(RegType type, std::string_view s) {
  return RegValue{type, std::vector<std::uint8_t>(s.begin(), s.end())};
}

// Every kind of value the store can hold, with the awkward ones.
std::vector<std::pair<std::string, RegValue>> awkwardValues() {
  return {
      {"", RegValue::text("1")},
      {"plain", RegValue::text("texto")},
      {"empty", RegValue::text("")},
      {"backslashes", RegValue::text("C:\\Temp\\")},
      {"quotes", RegValue::text("dijo \"hola\"")},
      {"lines", RegValue::text("uno\r\ndos\nlast")},
      {"trailing blank ", RegValue::text(" 1 ")},
      {"utf8 Año", RegValue::text("Configuración")},
      {"no NUL", bytesOf(RegType::Sz, "abc")},
      {"no data", raw(RegType::Sz, {})},
      {"inner NUL", bytesOf(RegType::Sz, std::string_view("a\0b\0", 4))},
      {"expand", RegValue::text("%HOME%\\x", RegType::ExpandSz)},
      {"multi", bytesOf(RegType::MultiSz, std::string_view("a\0b\0\0", 5))},
      {"dword", RegValue::dword(0x8C)},
      {"dword max", RegValue::dword(0xFFFFFFFF)},
      {"short dword", raw(RegType::Dword, {1, 2})},
      {"binary", RegValue::binary({0x00, 0xFF})},
      {"empty binary", RegValue::binary({})},
      {"none", raw(RegType::None, {9})},
      {"odd type", raw(static_cast<RegType>(0x1234), {1, 2, 3})},
      {"name \"quoted\" \\ back", RegValue::text("x")},
      {"[bracket]", RegValue::text("]")},
      {"@", RegValue::text("at")},
  };
}

RegKeySnapshot awkwardTree() {
  RegKeySnapshot root;
  root.name = "Zelvor";
  root.values = awkwardValues();
  RegKeySnapshot a;
  a.name = " 1";
  a.values = {{"v", RegValue::text("one")}};
  RegKeySnapshot deep;
  deep.name = "Ñandú [x]";
  deep.values = {{"", raw(RegType::Binary, {1})}};
  a.subkeys.push_back(std::move(deep));
  RegKeySnapshot b;
  b.name = "Empty";
  root.subkeys.push_back(std::move(a));
  root.subkeys.push_back(std::move(b));
  return root;
}

// Parses text into a tree and takes the snapshot of path.
RegKeySnapshot reparse(const std::string& text, Hive hive, std::string_view path) {
  const ParseResult r = parse(text, Header::Required);
  EXPECT_FALSE(r.error) << formatError(r.error.value_or(Error{}));
  TreeRegistry reg;
  EXPECT_EQ(reg.apply(toOps(r.entries)), RegStatus::Ok);
  auto snap = reg.snapshot(hive, path);
  EXPECT_TRUE(snap);
  return snap.value_or(RegKeySnapshot{});
}

void expectSameTree(const RegKeySnapshot& a, const RegKeySnapshot& b, const std::string& where = "") {
  EXPECT_EQ(a.name, b.name) << where;
  ASSERT_EQ(a.values.size(), b.values.size()) << where << a.name;
  for (std::size_t i = 0; i < a.values.size(); ++i) {
    EXPECT_EQ(a.values[i].first, b.values[i].first) << where << a.name;
    EXPECT_EQ(a.values[i].second, b.values[i].second) << where << a.name << " value " << a.values[i].first;
  }
  ASSERT_EQ(a.subkeys.size(), b.subkeys.size()) << where << a.name;
  for (std::size_t i = 0; i < a.subkeys.size(); ++i) {
    expectSameTree(a.subkeys[i], b.subkeys[i], where + a.name + "\\");
  }
}

TEST(RegtextWrite, StoreDialectBringsBackEveryTypeAndByte) {
  const RegKeySnapshot tree = awkwardTree();
  const std::string text = write(tree, Hive::CurrentUser, "Software\\Norvane\\Zelvor", Dialect::Store);
  EXPECT_EQ(text.find('\r'), std::string::npos) << "the store file has LF lines only";
  RegKeySnapshot back = reparse(text, Hive::CurrentUser, "Software\\Norvane\\Zelvor");
  back.name = tree.name;
  expectSameTree(tree, back);
  // And writing it again gives the same text.
  EXPECT_EQ(write(back, Hive::CurrentUser, "Software\\Norvane\\Zelvor", Dialect::Store), text);
}

TEST(RegtextWrite, StoreDialectForms) {
  RegKeySnapshot k;
  k.values = {{"", RegValue::text("1")},
              {"t", RegValue::text("a\"b\\c")},
              {"n", bytesOf(RegType::Sz, "ab")},
              {"e", RegValue::text("x", RegType::ExpandSz)},
              {"m", bytesOf(RegType::MultiSz, std::string_view("a\0\0", 3))}};
  EXPECT_EQ(write(k, Hive::LocalMachine, "S", Dialect::Store),
            "REGEDIT4\n\n"
            "[HKEY_LOCAL_MACHINE\\S]\n"
            "@=\"1\"\n"
            "\"t\"=\"a\\\"b\\\\c\"\n"
            "\"n\"=hex(1):61,62\n"
            "\"e\"=hex(2):78,00\n"
            "\"m\"=hex(7):61,00,00\n"
            "\n");
}

TEST(RegtextWrite, ExportMatchesTheDocumentedFormatByteForByte) {
  RegKeySnapshot root;
  root.name = "Zelvor";
  root.values = {{"Instalado", RegValue::text("1")},
                 {"", RegValue::text("on")},
                 {"Carpeta", RegValue::text("C:\\Temp")},
                 {"Color", RegValue::dword(0x8c)},
                 {"Bytes", RegValue::binary({0x00, 0xff})},
                 {"Largo", RegValue::binary({0xAB, 0xCD, 0xEF, 0x01})},
                 {"Expand", RegValue::text("%TEMP%", RegType::ExpandSz)},
                 {"Multi", bytesOf(RegType::MultiSz, std::string_view("a\0b\0\0", 5))}};
  RegKeySnapshot sub;
  sub.name = " 1";
  sub.values = {{"Dia", RegValue::text("-1")}};
  RegKeySnapshot deeper;
  deeper.name = "Hondo";
  sub.subkeys.push_back(std::move(deeper));
  RegKeySnapshot later;
  later.name = "b";
  later.values = {{"", RegValue::dword(1)}};  // a default value that is no text: no "@=" line
  root.subkeys.push_back(std::move(sub));
  root.subkeys.push_back(std::move(later));

  EXPECT_EQ(write(root, Hive::CurrentUser, "Software\\Norvane\\Zelvor", Dialect::Export),
            "REGEDIT4\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor]\r\n"
            "@=\"on\"\r\n"
            "\"Instalado\"=\"1\"\r\n"
            "\"\"=\"on\"\r\n"
            "\"Carpeta\"=\"C:\\\\Temp\"\r\n"
            "\"Color\"=dword:0000008C\r\n"
            "\"Bytes\"=hex:00,ff\r\n"
            "\"Largo\"=hex:ab,cd,ef,01\r\n"
            "\"Expand\"=\"%TEMP%\"\r\n"
            "\"Multi\"=\"a\"\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\ 1]\r\n"
            "\"Dia\"=\"-1\"\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\ 1\\Hondo]\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\b]\r\n"
            "\"\"=dword:00000001\r\n"
            "\r\n");
}

TEST(RegtextWrite, ExportOfAnEmptyDefaultValueHasNoAtLine) {
  RegKeySnapshot k;
  k.values = {{"", RegValue::text("")}};
  EXPECT_EQ(write(k, Hive::CurrentUser, "K", Dialect::Export),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"\"=\"\"\r\n\r\n");
}

TEST(RegtextWrite, ExportedTextsImportBackUnchanged) {
  // The text forms that users put in settings: backslashes, quotes, line
  // breaks, accents. The export writes quotes as \" and line breaks as
  // hex(1): so each comes back as it was.
  RegKeySnapshot k;
  k.name = "K";
  k.values = {{"path", RegValue::text("C:\\Temp\\")},
              {"quote", RegValue::text("\"entre comillas\"")},
              {"both", RegValue::text("a\\\"b")},
              {"lines", RegValue::text("uno\r\ndos")},
              {"accent", RegValue::text("Símbolo del sistema")},
              {"empty", RegValue::text("")},
              {"dword", RegValue::dword(0x8c)},
              {"bytes", RegValue::binary({0x00, 0xff})}};
  const std::string text = write(k, Hive::CurrentUser, "K", Dialect::Export);
  RegKeySnapshot back = reparse(text, Hive::CurrentUser, "K");
  expectSameTree(k, back);
}

// The writer and the reader of the store file agree: the largest text the
// writer produces loads again, and a tree one byte larger is not written.
TEST(RegtextWrite, TheStoreTextStopsWhereTheReaderStops) {
  RegistryTree tree;
  RegistryNode& key = tree.create(Hive::CurrentUser, "Big");
  const std::string chunk(kMaxValueDataBytes - 64, 'x');
  std::size_t n = 0;
  std::size_t before = storeText(tree).value().size();
  // "vN"="..." takes 6 bytes beside its name and text; what is left for the
  // last value stays within the largest value the store holds.
  for (; kMaxStoreBytes - before > chunk.size() + 26; ++n) {
    const std::string name = "v" + std::to_string(n);
    key.setValue(name, RegValue::text(chunk));
    before += name.size() + chunk.size() + 6;
  }
  ASSERT_EQ(storeText(tree).value().size(), before);
  ASSERT_GT(before, 0u);
  // "last"="..." takes 10 bytes of line beside its text.
  const std::string exact(kMaxStoreBytes - before - 10, 'y');
  key.setValue("last", RegValue::text(exact));
  const auto text = storeText(tree);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->size(), kMaxStoreBytes);
  RegistryTree back;
  EXPECT_FALSE(loadStoreText(*text, back));
  EXPECT_EQ(back.find(Hive::CurrentUser, "Big")->valueCount(), n + 1);

  key.setValue("last", RegValue::text(exact + "y"));
  EXPECT_FALSE(storeText(tree));
  const auto error = loadStoreText(*text + "\n", back);
  ASSERT_TRUE(error);
  EXPECT_EQ(formatError(*error), "text larger than 16 MiB");
}

// A chain of long names at the deepest level would take about 33 MB of key
// lines; the writer stops at the limit instead of building all of it.
TEST(RegtextWrite, TheStoreTextOfADeepChainOfLongNamesIsRefused) {
  RegistryTree tree;
  std::string chain;
  for (std::size_t i = 0; i < kMaxKeyDepth; ++i) chain += std::string(kMaxKeyNameLength, 'n') + "\\";
  tree.create(Hive::CurrentUser, chain);
  EXPECT_FALSE(storeText(tree));
}

TEST(RegtextWrite, AppendTreeWritesNoHeader) {
  RegKeySnapshot k;
  std::string out;
  appendTree(out, k, Hive::ClassesRoot, "", Dialect::Store);
  EXPECT_EQ(out, "[HKEY_CLASSES_ROOT]\n\n");
  EXPECT_EQ(headerFor(Dialect::Export), "REGEDIT4\r\n\r\n");
  EXPECT_EQ(headerFor(Dialect::Store), "REGEDIT4\n\n");
}

}  // namespace
}  // namespace zelvor::regtext
