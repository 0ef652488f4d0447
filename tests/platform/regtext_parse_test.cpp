// The REGEDIT4 reader: every line form it accepts, and the malformed ones it
// rejects with the number of the offending line.

#include <gtest/gtest.h>

#include "platform/regtext/regtext.h"
#include "platform/store_limits.h"

namespace zelvor::regtext {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<Entry> parseOk(std::string_view text, Header header = Header::Required) {
  const ParseResult r = parse(text, header);
  EXPECT_FALSE(r.error) << formatError(r.error.value_or(Error{})) << "\nin:\n" << text;
  return r.entries;
}

TEST(RegtextParse, EveryLineForm) {
  const std::string text =
      "REGEDIT4\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor]\r\n"
      "@=\"1\"\r\n"
      "\"Texto\"=\"C:\\\\Temp\\\\\"\r\n"
      "\"Comillas\"=\"dijo \\\"hola\\\"\"\r\n"
      "\"Con \\\"nombre\\\" \\\\raro\"=\"\"\r\n"
      "\"Numero\"=dword:0000008C\r\n"
      "\"Bytes\"=hex:00,ff,7A\r\n"
      "\"Largo\"=hex:01,02,\\\r\n"
      "  03,04,\\\r\n"
      "\t05\r\n"
      "\"Expand\"=hex(2):25,00\r\n"
      "\"Multi\"=hex(7):61,00,00\r\n"
      "\"Raro\"=hex(a):01\r\n"
      "\"Vacio\"=hex:\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
      "\r\n"
      "[HKEY_CLASSES_ROOT\\.zvc]\r\n"
      "@=\"Zelvor.Backup\"\r\n"
      "[HKEY_CURRENT_USER]\r\n";
  const auto e = parseOk(text);
  ASSERT_EQ(e.size(), 16u);

  EXPECT_EQ(e[0].kind, Entry::Kind::Key);
  EXPECT_EQ(e[0].hive, Hive::CurrentUser);
  EXPECT_EQ(e[0].path, "Software\\Norvane\\Zelvor");
  EXPECT_EQ(e[0].line, 3u);

  struct Expected {
    std::string name;
    RegValue value;
    std::size_t line;
  };
  RegValue raro;
  raro.type = static_cast<RegType>(10);
  raro.data = {1};
  const Expected values[] = {
      {"", RegValue::text("1"), 4},
      {"Texto", RegValue::text("C:\\Temp\\"), 5},
      {"Comillas", RegValue::text("dijo \"hola\""), 6},
      {"Con \"nombre\" \\raro", RegValue::text(""), 7},
      {"Numero", RegValue::dword(0x8C), 8},
      {"Bytes", RegValue::binary({0x00, 0xFF, 0x7A}), 9},
      {"Largo", RegValue::binary({1, 2, 3, 4, 5}), 10},
      {"Expand", RegValue{RegType::ExpandSz, {0x25, 0}}, 13},
      {"Multi", RegValue{RegType::MultiSz, {0x61, 0, 0}}, 14},
      {"Raro", raro, 15},
      {"Vacio", RegValue::binary({}), 16},
  };
  for (std::size_t i = 0; i < std::size(values); ++i) {
    const Entry& v = e[1 + i];
    SCOPED_TRACE(values[i].name);
    EXPECT_EQ(v.kind, Entry::Kind::Value);
    EXPECT_EQ(v.path, "Software\\Norvane\\Zelvor");
    EXPECT_EQ(v.name, values[i].name);
    EXPECT_EQ(v.value, values[i].value);
    EXPECT_EQ(v.line, values[i].line);
  }
  EXPECT_EQ(e[12].hive, Hive::LocalMachine);
  EXPECT_EQ(e[12].path, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  EXPECT_EQ(e[12].line, 18u);
  EXPECT_EQ(e[13].hive, Hive::ClassesRoot);
  EXPECT_EQ(e[13].path, ".zvc");
  EXPECT_EQ(e[14].hive, Hive::ClassesRoot);
  EXPECT_EQ(e[14].value, RegValue::text("Zelvor.Backup"));
  EXPECT_EQ(e[15].hive, Hive::CurrentUser);
  EXPECT_EQ(e[15].path, "");
}

TEST(RegtextParse, LfLinesAndLeadingBlankKeyNames) {
  const auto e = parseOk(
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Diario\\Tarifas\\ 1]\n\"Dia\"=\"-1\"\n");
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].path, "Software\\Norvane\\Zelvor\\Diario\\Tarifas\\ 1");
  EXPECT_EQ(e[1].value, RegValue::text("-1"));
}

TEST(RegtextParse, HeaderIsOptionalForConcatenatedParts) {
  const auto e = parseOk("[HKEY_CURRENT_USER\\A]\n\"v\"=\"x\"\n", Header::Optional);
  ASSERT_EQ(e.size(), 2u);
  const auto r = parse("[HKEY_CURRENT_USER\\A]\n", Header::Required);
  ASSERT_TRUE(r.error);
  EXPECT_EQ(r.error->line, 1u);
}

TEST(RegtextParse, HiveNamesAndShortFormsInAnyCase) {
  struct Case {
    std::string_view key;
    Hive hive;
  };
  const Case cases[] = {
      {"[hkey_current_user\\A]", Hive::CurrentUser}, {"[HKCU\\A]", Hive::CurrentUser},
      {"[HKLM\\A]", Hive::LocalMachine},             {"[HKEY_LOCAL_MACHINE\\A]", Hive::LocalMachine},
      {"[hkcr\\A]", Hive::ClassesRoot},
  };
  for (const auto& c : cases) {
    const auto e = parseOk("REGEDIT4\n" + std::string(c.key) + "\n");
    ASSERT_EQ(e.size(), 1u) << c.key;
    EXPECT_EQ(e[0].hive, c.hive) << c.key;
    EXPECT_EQ(e[0].path, "A") << c.key;
  }
}

TEST(RegtextParse, ABackslashBeforeAnyOtherCharacterStaysAsItIs) {
  const auto e = parseOk("REGEDIT4\n[HKCU\\A]\n\"v\"=\"a\\nb\\\"\"\n");
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[1].value, RegValue::text("a\\nb\""));
}

TEST(RegtextParse, MalformedLinesNameTheirLine) {
  struct Case {
    std::string_view what;
    std::string text;
    std::size_t line;
  };
  const std::string head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n";  // lines 1-3
  const Case cases[] = {
      {"missing header", "[HKEY_CURRENT_USER\\A]\n", 1},
      {"version 5 header", "Windows Registry Editor Version 5.00\n", 1},
      {"value before any key", "REGEDIT4\n\n\"v\"=\"x\"\n", 3},
      {"unclosed key line", head + "[HKEY_CURRENT_USER\\B\n", 4},
      {"unknown hive", head + "[HKEY_NOWHERE\\B]\n", 4},
      {"empty key line", head + "[]\n", 4},
      {"unquoted name", head + "v=\"x\"\n", 4},
      {"unclosed name", head + "\"v=\"x\"\n", 4},
      {"no equals sign", head + "\"v\" \"x\"\n", 4},
      {"nothing after equals", head + "\"v\"=\n", 4},
      {"unclosed text", head + "\"v\"=\"x\n", 4},
      {"escaped closing quote", head + "\"v\"=\"x\\\"\n", 4},
      {"text then junk", head + "\"v\"=\"x\" y\n", 4},
      {"bare word", head + "\"v\"=word\n", 4},
      {"dword without digits", head + "\"v\"=dword:\n", 4},
      {"dword of nine digits", head + "\"v\"=dword:000000001\n", 4},
      {"dword with a non-digit", head + "\"v\"=dword:0000000G\n", 4},
      {"dword with a sign", head + "\"v\"=dword:-0000001\n", 4},
      {"dword then junk", head + "\"v\"=dword:00000001 x\n", 4},
      {"hex one digit", head + "\"v\"=hex:0\n", 4},
      {"hex three digits", head + "\"v\"=hex:000\n", 4},
      {"hex not a digit", head + "\"v\"=hex:0g\n", 4},
      {"hex trailing comma", head + "\"v\"=hex:00,\n", 4},
      {"hex double comma", head + "\"v\"=hex:00,,01\n", 4},
      {"hex without colon", head + "\"v\"=hex 00\n", 4},
      {"hex type not hexadecimal", head + "\"v\"=hex(z):00\n", 4},
      {"hex type empty", head + "\"v\"=hex():00\n", 4},
      {"hex type unclosed", head + "\"v\"=hex(2:00\n", 4},
      {"hex type too big", head + "\"v\"=hex(100000000):00\n", 4},
      {"continuation at the end", head + "\"v\"=hex:00,\\\n", 4},
      {"continuation not hex", head + "\"v\"=hex:00,\\\n  [HKCU\\B]\n", 4},
      {"carriage return inside a name", head + "\"a\rb\"=\"x\"\n", 4},
      {"carriage return inside a key name", head + "[HKCU\\a\rb]\n", 4},
      {"error after good lines", head + "\"a\"=\"1\"\n\"b\"=dword:1\n\n\"c\"=\n", 7},
      {"continued value then bad line", head + "\"a\"=hex:00,\\\n 01\n\"b\"=x\n", 6},
  };
  for (const auto& c : cases) {
    const ParseResult r = parse(c.text);
    ASSERT_TRUE(r.error) << c.what;
    EXPECT_EQ(r.error->line, c.line) << c.what << ": " << r.error->message;
    EXPECT_FALSE(r.error->message.empty()) << c.what;
    EXPECT_TRUE(r.entries.empty()) << c.what << ": a rejected text yields no entries";
    EXPECT_EQ(formatError(*r.error).rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << c.what;
  }
}

TEST(RegtextParse, LimitsBoundTheTextAndTheLine) {
  Limits limits;
  limits.maxTextBytes = 100;
  limits.maxLineBytes = 20;
  const ParseResult big = parse("REGEDIT4\n" + std::string(200, '\n'), Header::Required, limits);
  ASSERT_TRUE(big.error);
  const ParseResult longLine =
      parse("REGEDIT4\n[HKCU\\A]\n\"v\"=\"" + std::string(30, 'x') + "\"\n", Header::Required, limits);
  ASSERT_TRUE(longLine.error);
  EXPECT_EQ(longLine.error->line, 3u);
  const ParseResult longHex = parse("REGEDIT4\n[HKCU\\A]\n\"v\"=hex:00,\\\n00,00,00,\\\n00,00,00,00\n",
                                    Header::Required, limits);
  ASSERT_TRUE(longHex.error);
  EXPECT_EQ(longHex.error->line, 3u);
}

// A key line names its whole path, so a short text can nest keys far
// deeper than any setting needs; the store holds kMaxKeyDepth levels and
// values of at most kMaxValueDataBytes, and the reader takes nothing else.
TEST(RegtextParse, KeysDeeperAndValuesLargerThanTheStoreHoldsAreRejected) {
  const auto nested = [](std::size_t levels) {
    std::string text = "REGEDIT4\n[HKEY_CURRENT_USER";
    for (std::size_t i = 0; i < levels; ++i) text += "\\k";
    return text + "]\n\"v\"=\"1\"\n";
  };
  const auto hexValue = [](std::size_t bytes) {
    std::string text = "REGEDIT4\n[HKCU\\A]\n\"v\"=hex:00";
    for (std::size_t i = 1; i < bytes; ++i) text += ",00";
    return text + "\n";
  };
  struct Case {
    const char* what;
    std::string text;
    bool accepted;
    std::string message;
  };
  const Case cases[] = {
      {"the deepest key the store holds", nested(kMaxKeyDepth), true, ""},
      {"one level deeper", nested(kMaxKeyDepth + 1), false, "line 2: key path deeper than 512 levels"},
      {"10,000 levels in 20 KB", nested(10'000), false, "line 2: key path deeper than 512 levels"},
      {"1,000,000 levels in 2 MB", nested(1'000'000), false, "line 2: key path deeper than 512 levels"},
      {"the largest value the store holds", hexValue(kMaxValueDataBytes), true, ""},
      {"one byte more", hexValue(kMaxValueDataBytes + 1), false, "line 3: value larger than 1 MiB"},
  };
  for (const Case& c : cases) {
    const ParseResult r = parse(c.text);
    EXPECT_EQ(!r.error, c.accepted) << c.what;
    if (r.error) {
      EXPECT_EQ(formatError(*r.error), c.message) << c.what;
    }
  }
}

TEST(RegtextParse, ToOpsCreatesKeysAndSetsValuesInTextOrder) {
  const auto e = parseOk("REGEDIT4\n[HKCU\\A]\n\"v\"=dword:1\n[HKLM\\B]\n@=\"x\"\n");
  const auto ops = toOps(e);
  ASSERT_EQ(ops.size(), 4u);
  EXPECT_EQ(ops[0].kind, RegOp::Kind::CreateKey);
  EXPECT_EQ(ops[1].kind, RegOp::Kind::SetValue);
  EXPECT_EQ(ops[1].path, "A");
  EXPECT_EQ(ops[1].name, "v");
  EXPECT_EQ(ops[1].value, RegValue::dword(1));
  EXPECT_EQ(ops[3].hive, Hive::LocalMachine);
  EXPECT_EQ(ops[3].name, "");
}

}  // namespace
}  // namespace zelvor::regtext
