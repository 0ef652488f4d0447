// The key object and the rules by which every setting is read.

#include <gtest/gtest.h>

#include <climits>

#include "platform/sim/sim_platform.h"
#include "shell/store/config_store.h"
#include "shell/store/reg_key_ex.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

constexpr Hive HKCU = Hive::CurrentUser;

RegValue raw(RegType type, std::string_view bytes) {
  return RegValue{type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

class RegKeyExTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(reg.createKey(HKCU, kRootKey), RegStatus::Ok); }
  void put(std::string_view name, const RegValue& v) {
    ASSERT_EQ(reg.setValue(HKCU, kRootKey, name, v), RegStatus::Ok);
  }
  testing::Sandbox sandbox;
  SimPlatform sim{sandbox.root()};
  SimRegistry& reg = sim.registry;
  ConfigStore store{sim.registry, sim.folders, sim.files};
};

TEST_F(RegKeyExTest, NumbersReadWithAtoiRules) {
  struct Case {
    std::string_view stored;
    int value;
  };
  const Case cases[] = {
      {"-5", -5},
      {" 12abc", 12},
      {"abc", 0},
      {"", 0},
      {" 1", 1},  // the blank some defaults carry
      {"\t\n\v\f\r 3", 3},
      {"+7", 7},
      {"0012", 12},
      {"1e3", 1},
      {"- 5", 0},
      {"--5", 0},
      {"12 34", 12},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"2147483648", INT_MAX},
      {"-2147483649", INT_MIN},
      {"99999999999999999999999999", INT_MAX},
      {"-99999999999999999999999999", INT_MIN},
  };
  CRegKeyEx key(reg);
  ASSERT_EQ(key.Open(HKCU, kRootKey), RegStatus::Ok);
  for (const auto& c : cases) {
    put("n", RegValue::text(c.stored));
    EXPECT_EQ(key.GetInt("n"), c.value) << '"' << c.stored << '"';
    EXPECT_EQ(atoiRules(c.stored), c.value) << '"' << c.stored << '"';
  }
}

TEST_F(RegKeyExTest, TextReaderAcceptsOnlyTerminatedTextTypes) {
  struct Case {
    const char* what;
    RegValue stored;
    std::string text;
  };
  const Case cases[] = {
      {"REG_SZ", RegValue::text("12"), "12"},
      {"REG_SZ stops at the first NUL", raw(RegType::Sz, std::string_view("12\0junk\0", 8)), "12"},
      {"REG_SZ without NUL", raw(RegType::Sz, "12"), ""},
      {"REG_SZ without data", raw(RegType::Sz, ""), ""},
      {"REG_EXPAND_SZ", RegValue::text("7", RegType::ExpandSz), "7"},
      {"REG_EXPAND_SZ without NUL", raw(RegType::ExpandSz, "7"), ""},
      {"REG_MULTI_SZ with two NULs", raw(RegType::MultiSz, std::string_view("7\0\0", 3)), "7"},
      {"REG_MULTI_SZ with one NUL", raw(RegType::MultiSz, std::string_view("7\0", 2)), ""},
      {"REG_MULTI_SZ of one NUL", raw(RegType::MultiSz, std::string_view("\0", 1)), ""},
      {"REG_DWORD", RegValue::dword(5), ""},
      {"REG_BINARY holding text", raw(RegType::Binary, std::string_view("7\0", 2)), ""},
      {"REG_NONE holding text", raw(RegType::None, std::string_view("7\0", 2)), ""},
  };
  for (const auto& c : cases) {
    put("v", c.stored);
    EXPECT_EQ(store.ReadConfigString("", "v"), c.text) << c.what;
    EXPECT_EQ(store.ReadConfigInt("", "v"), atoiRules(c.text)) << c.what;
  }
  put("v", RegValue::dword(5));
  EXPECT_EQ(store.ReadConfigInt("", "v"), 0) << "a REG_DWORD read through the text reader";
}

TEST_F(RegKeyExTest, TypedReadersWantTheirOwnType) {
  put("d", RegValue::dword(0x00C0FFFF));
  put("b", RegValue::binary({1, 2, 3}));
  put("s", RegValue::text("5"));
  put("short", raw(RegType::Dword, "ab"));
  CRegKeyEx key(reg);
  ASSERT_EQ(key.Open(HKCU, kRootKey), RegStatus::Ok);
  EXPECT_EQ(key.GetDword("d"), 0x00C0FFFFu);
  EXPECT_FALSE(key.GetDword("s"));
  EXPECT_FALSE(key.GetDword("b"));
  EXPECT_FALSE(key.GetDword("short"));
  EXPECT_FALSE(key.GetDword("missing"));
  EXPECT_EQ(key.GetBinary("b"), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_FALSE(key.GetBinary("d"));
  EXPECT_FALSE(key.GetBinary("s"));
}

TEST_F(RegKeyExTest, WritersStoreTheDocumentedBytes) {
  CRegKeyEx key(reg);
  ASSERT_EQ(key.Open(HKCU, kRootKey), RegStatus::Ok);
  key.SetInt(-5, "n");
  key.SetString("", "1");
  key.SetDword("d", 0x8C);
  key.SetBinary("b", {0x00, 0xFF});
  EXPECT_EQ(reg.queryValue(HKCU, kRootKey, "n"), raw(RegType::Sz, std::string_view("-5\0", 3)));
  EXPECT_EQ(reg.queryValue(HKCU, kRootKey, ""), raw(RegType::Sz, std::string_view("1\0", 2)));
  EXPECT_EQ(reg.queryValue(HKCU, kRootKey, "d"), raw(RegType::Dword, std::string_view("\x8C\0\0\0", 4)));
  EXPECT_EQ(reg.queryValue(HKCU, kRootKey, "b"), raw(RegType::Binary, std::string_view("\0\xFF", 2)));
  EXPECT_EQ(key.GetInt("n"), -5);
  EXPECT_EQ(key.GetString(""), "1");
  key.DeleteValue("n");
  EXPECT_FALSE(reg.queryValue(HKCU, kRootKey, "n"));
}

TEST_F(RegKeyExTest, AKeyThatDoesNotOpenReadsDefaultsAndWritesNothing) {
  CRegKeyEx key(reg);
  EXPECT_EQ(key.Open(HKCU, "Software\\Norvane\\Zelvor\\Missing"), RegStatus::NotFound);
  EXPECT_FALSE(key.IsOpen());
  EXPECT_EQ(key.GetString("x"), "");
  EXPECT_EQ(key.GetInt("x"), 0);
  EXPECT_FALSE(key.GetDword("x"));
  std::vector<std::string> names{"stale"};
  key.EnumSubKeys(names);
  EXPECT_TRUE(names.empty());
  names = {"stale"};
  key.EnumValues(names);
  EXPECT_TRUE(names.empty());
  key.SetInt(1, "x");
  key.SetString("y", "z");
  EXPECT_FALSE(reg.keyExists(HKCU, "Software\\Norvane\\Zelvor\\Missing"));
  EXPECT_EQ(key.RecurseDeleteKey("any"), RegStatus::NotFound);

  // A key that opened once and then fails to re-open holds nothing either.
  ASSERT_EQ(key.Open(HKCU, kRootKey), RegStatus::Ok);
  EXPECT_EQ(key.Open(HKCU, "Nope"), RegStatus::NotFound);
  EXPECT_FALSE(key.IsOpen());
  CRegKeyEx child(reg);
  EXPECT_EQ(child.Open(key, "Sub"), RegStatus::NotFound);
  EXPECT_EQ(child.Create(key, "Sub"), RegStatus::NotFound);
  EXPECT_FALSE(reg.keyExists(HKCU, "Nope\\Sub"));
}

TEST_F(RegKeyExTest, OpenAndCreateBelowAParent) {
  CRegKeyEx root(reg);
  ASSERT_EQ(root.Open(HKCU, kRootKey), RegStatus::Ok);
  CRegKeyEx child(reg);
  EXPECT_EQ(child.Open(root, "DedoVuv\\TrafficMeter"), RegStatus::NotFound);
  ASSERT_EQ(child.Create(root, "DedoVuv\\TrafficMeter"), RegStatus::Ok);
  EXPECT_EQ(child.path(), "Software\\Norvane\\Zelvor\\DedoVuv\\TrafficMeter");
  EXPECT_TRUE(reg.keyExists(HKCU, "Software\\Norvane\\Zelvor\\DedoVuv"));
  CRegKeyEx again(reg);
  EXPECT_EQ(again.Open(root, "dedovuv\\trafficmeter"), RegStatus::Ok);
  EXPECT_EQ(again.hive(), HKCU);
}

TEST_F(RegKeyExTest, EnumerationOrder) {
  CRegKeyEx root(reg);
  ASSERT_EQ(root.Open(HKCU, kRootKey), RegStatus::Ok);
  for (const char* sub : {"ZiviDuvaza", "DedoVuv", "diario", "VadaVU"}) {
    CRegKeyEx k(reg);
    ASSERT_EQ(k.Create(root, sub), RegStatus::Ok);
  }
  root.SetString("Zeta", "");
  root.SetString("Alfa", "");
  root.SetString("", "");
  std::vector<std::string> names;
  root.EnumSubKeys(names);
  EXPECT_EQ(names, (std::vector<std::string>{"DedoVuv", "diario", "VadaVU", "ZiviDuvaza"}));
  root.EnumValues(names);
  EXPECT_EQ(names, (std::vector<std::string>{"Zeta", "Alfa", ""}));
}

TEST_F(RegKeyExTest, RecurseDeleteKeyRemovesTheWholeSubtreeInOneChange) {
  CRegKeyEx root(reg);
  ASSERT_EQ(root.Open(HKCU, kRootKey), RegStatus::Ok);
  for (const char* path : {"Diario\\Tarifas\\ 1", "Diario\\Tarifas\\ 2\\Deep", "Diario\\Festivos", "DedoVuv"}) {
    CRegKeyEx k(reg);
    ASSERT_EQ(k.Create(root, path), RegStatus::Ok);
    k.SetString("v", path);
  }
  const int commits = reg.commits();
  EXPECT_EQ(root.RecurseDeleteKey("diario"), RegStatus::Ok);
  EXPECT_EQ(reg.commits(), commits + 1);
  EXPECT_FALSE(reg.keyExists(HKCU, "Software\\Norvane\\Zelvor\\Diario"));
  EXPECT_TRUE(reg.keyExists(HKCU, "Software\\Norvane\\Zelvor\\DedoVuv"));
  EXPECT_EQ(root.RecurseDeleteKey("Diario"), RegStatus::NotFound);
}

TEST_F(RegKeyExTest, NumberedListElementsHaveALeadingBlank) {
  EXPECT_EQ(listElementKey(1), " 1");
  EXPECT_EQ(listElementKey(12), " 12");
  store.WriteConfigInt("Diario\\Festivos", kListCount, 3);
  for (int i = 1; i <= 3; ++i) {
    store.WriteConfigString("Diario\\Festivos\\" + listElementKey(i), "Nombre", "fiesta " + std::to_string(i));
  }
  store.WriteConfigString("Diario\\Festivos\\1", "Nombre", "sin blanco");
  const int count = store.ReadConfigInt("Diario\\Festivos", kListCount);
  std::vector<std::string> seen;
  for (int i = 1; i <= count; ++i) {
    seen.push_back(store.ReadConfigString("Diario\\Festivos\\" + listElementKey(i), "Nombre"));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"fiesta 1", "fiesta 2", "fiesta 3"}));
}

TEST(AtoiRules, JoinKeyPath) {
  EXPECT_EQ(joinKeyPath("A", "B"), "A\\B");
  EXPECT_EQ(joinKeyPath("A\\", "\\B"), "A\\B");
  EXPECT_EQ(joinKeyPath("", "B"), "B");
  EXPECT_EQ(joinKeyPath("A", ""), "A");
  EXPECT_EQ(joinKeyPath("", ""), "");
}

}  // namespace
}  // namespace zelvor
