// The registry semantics every binding shares: names, order, deletion and
// all-or-nothing batches.

#include <gtest/gtest.h>

#include "platform/name_compare.h"
#include "platform/sim/sim_registry.h"
#include "platform/tree_registry.h"

namespace zelvor {
namespace {

using Names = std::vector<std::string>;
constexpr Hive HKCU = Hive::CurrentUser;

TEST(NameCompare, FoldsAsciiAndAccentedLatinLetters) {
  struct Case {
    std::string_view a, b;
    bool equal;
  };
  const Case cases[] = {
      {"Instalado", "INSTALADO", true},
      {"instalado", "Instalado", true},
      {"Configuración", "CONFIGURACIÓN", true},  // ó / Ó
      {"Año", "AÑO", true},                      // ñ / Ñ
      {"Él", "él", true},
      {"Über", "über", true},
      {"a", "á", false},
      {"Numero", "Número", false},
      {"ab", "abc", false},
      {"×", "÷", false},  // U+00D7 is no capital of U+00F7
      {"ß", "\xC3\xBF", false},  // U+00DF is not folded onto U+00FF
      {"", "", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(namesEqual(c.a, c.b), c.equal) << c.a << " vs " << c.b;
    EXPECT_EQ(foldName(c.a) == foldName(c.b), c.equal) << c.a << " vs " << c.b;
  }
}

TEST(NameCompare, OrderIsCaseInsensitiveAndConsistentWithEquality) {
  const NameLess less;
  EXPECT_TRUE(less("alpha", "BETA"));
  EXPECT_TRUE(less("ALPHA", "beta"));
  EXPECT_FALSE(less("Beta", "beta"));
  EXPECT_FALSE(less("beta", "Beta"));
  EXPECT_TRUE(less("ab", "ABC"));
  // Mixed ASCII and accented names compare by their folded bytes, in both
  // directions, so the ordering stays a strict weak order.
  EXPECT_TRUE(less("Zorro", "Ábaco"));
  EXPECT_FALSE(less("Ábaco", "Zorro"));
  EXPECT_FALSE(less("ÁBACO", "ábaco"));
  EXPECT_FALSE(less("ábaco", "ÁBACO"));
  EXPECT_TRUE(less("_", "a"));  // '_' (0x5F) sorts before the letters once they are folded
}

class TreeRegistryTest : public ::testing::Test {
 protected:
  TreeRegistry reg;
};

TEST_F(TreeRegistryTest, KeyAndValueNamesAreCaseInsensitiveAndKeepTheirFirstCase) {
  ASSERT_EQ(reg.createKey(HKCU, "Software\\Norvane\\Zelvor\\Configuración"), RegStatus::Ok);
  EXPECT_TRUE(reg.keyExists(HKCU, "SOFTWARE\\norvane\\ZELVOR\\CONFIGURACIÓN"));
  ASSERT_EQ(reg.createKey(HKCU, "software\\NORVANE\\zelvor\\configuración"), RegStatus::Ok);
  EXPECT_EQ(reg.subkeyNames(HKCU, "software\\norvane\\zelvor"), Names{"Configuración"});

  ASSERT_EQ(reg.setValue(HKCU, "Software", "Año", RegValue::text("1")), RegStatus::Ok);
  ASSERT_EQ(reg.setValue(HKCU, "SOFTWARE", "AÑO", RegValue::text("2")), RegStatus::Ok);
  EXPECT_EQ(reg.valueNames(HKCU, "software"), Names{"Año"});
  const auto v = reg.queryValue(HKCU, "Software", "año");
  ASSERT_TRUE(v);
  EXPECT_EQ(*v, RegValue::text("2"));
}

TEST_F(TreeRegistryTest, SubkeysEnumerateInCaseInsensitiveNameOrder) {
  for (const char* name : {"beta", "Alpha", "gamma", " 2", " 10", " 1", "Delta", "ábaco"}) {
    ASSERT_EQ(reg.createKey(HKCU, std::string("K\\") + name), RegStatus::Ok);
  }
  EXPECT_EQ(reg.subkeyNames(HKCU, "K"),
            (Names{" 1", " 10", " 2", "Alpha", "beta", "Delta", "gamma", "ábaco"}));
}

TEST_F(TreeRegistryTest, ValuesEnumerateInCreationOrderAndKeepItAcrossOverwrites) {
  ASSERT_EQ(reg.createKey(HKCU, "K"), RegStatus::Ok);
  for (const char* name : {"zeta", "Alpha", "", "mid"}) {
    ASSERT_EQ(reg.setValue(HKCU, "K", name, RegValue::text(name)), RegStatus::Ok);
  }
  ASSERT_EQ(reg.setValue(HKCU, "K", "ZETA", RegValue::dword(7)), RegStatus::Ok);
  EXPECT_EQ(reg.valueNames(HKCU, "K"), (Names{"zeta", "Alpha", "", "mid"}));
  ASSERT_EQ(reg.deleteValue(HKCU, "K", "alpha"), RegStatus::Ok);
  ASSERT_EQ(reg.setValue(HKCU, "K", "Alpha", RegValue::text("again")), RegStatus::Ok);
  EXPECT_EQ(reg.valueNames(HKCU, "K"), (Names{"zeta", "", "mid", "Alpha"}));
  // The index survives the removal in the middle.
  EXPECT_EQ(reg.queryValue(HKCU, "K", "mid"), RegValue::text("mid"));
  EXPECT_EQ(reg.queryValue(HKCU, "K", "zeta"), RegValue::dword(7));
}

TEST_F(TreeRegistryTest, MissingKeysAndValues) {
  EXPECT_FALSE(reg.keyExists(HKCU, "Nope"));
  EXPECT_FALSE(reg.queryValue(HKCU, "Nope", "v"));
  EXPECT_EQ(reg.setValue(HKCU, "Nope", "v", RegValue::text("x")), RegStatus::NotFound);
  EXPECT_FALSE(reg.keyExists(HKCU, "Nope"));
  EXPECT_EQ(reg.deleteValue(HKCU, "Nope", "v"), RegStatus::NotFound);
  EXPECT_EQ(reg.deleteKey(HKCU, "Nope"), RegStatus::NotFound);
  EXPECT_TRUE(reg.subkeyNames(HKCU, "Nope").empty());
  EXPECT_TRUE(reg.valueNames(HKCU, "Nope").empty());
  EXPECT_FALSE(reg.snapshot(HKCU, "Nope"));
  ASSERT_EQ(reg.createKey(HKCU, "K"), RegStatus::Ok);
  EXPECT_EQ(reg.deleteValue(HKCU, "K", "v"), RegStatus::NotFound);
}

TEST_F(TreeRegistryTest, HivesAreSeparate) {
  ASSERT_EQ(reg.createKey(Hive::LocalMachine, "Software\\X"), RegStatus::Ok);
  EXPECT_FALSE(reg.keyExists(HKCU, "Software\\X"));
  EXPECT_FALSE(reg.keyExists(Hive::ClassesRoot, "Software\\X"));
}

TEST_F(TreeRegistryTest, DeleteKeyRefusesAKeyWithSubkeys) {
  ASSERT_EQ(reg.createKey(HKCU, "A\\B\\C"), RegStatus::Ok);
  EXPECT_EQ(reg.deleteKey(HKCU, "A\\B"), RegStatus::HasSubkeys);
  EXPECT_TRUE(reg.keyExists(HKCU, "A\\B\\C"));
  EXPECT_EQ(reg.deleteKey(HKCU, "a\\b\\c"), RegStatus::Ok);
  EXPECT_EQ(reg.deleteKey(HKCU, "A\\B"), RegStatus::Ok);
  EXPECT_FALSE(reg.keyExists(HKCU, "A\\B"));
  EXPECT_TRUE(reg.keyExists(HKCU, "A"));
  // A hive itself cannot be deleted.
  EXPECT_NE(reg.deleteKey(HKCU, ""), RegStatus::Ok);
}

TEST_F(TreeRegistryTest, PathsToleratePaddingBackslashes) {
  ASSERT_EQ(reg.createKey(HKCU, "\\A\\\\B\\"), RegStatus::Ok);
  EXPECT_TRUE(reg.keyExists(HKCU, "A\\B"));
  EXPECT_EQ(reg.subkeyNames(HKCU, "A"), Names{"B"});
}

TEST_F(TreeRegistryTest, OverlongNamesAreRefused) {
  const std::string longKey(kMaxKeyNameLength + 1, 'k');
  EXPECT_EQ(reg.createKey(HKCU, "A\\" + longKey), RegStatus::InvalidName);
  EXPECT_FALSE(reg.keyExists(HKCU, "A"));
  EXPECT_EQ(reg.createKey(HKCU, std::string(kMaxKeyNameLength, 'k')), RegStatus::Ok);
  ASSERT_EQ(reg.createKey(HKCU, "A"), RegStatus::Ok);
  EXPECT_EQ(reg.setValue(HKCU, "A", std::string(kMaxValueNameLength + 1, 'v'), RegValue::text("")),
            RegStatus::InvalidName);
  EXPECT_TRUE(reg.valueNames(HKCU, "A").empty());
}

TEST_F(TreeRegistryTest, KeysDeeperAndValuesLargerThanTheStoreHoldsAreRefused) {
  std::string deepest;
  for (std::size_t i = 0; i < kMaxKeyDepth; ++i) deepest += "k\\";
  EXPECT_EQ(reg.createKey(HKCU, deepest), RegStatus::Ok);
  EXPECT_EQ(reg.createKey(HKCU, deepest + "k"), RegStatus::InvalidName);
  EXPECT_EQ(reg.apply({{RegOp::Kind::SetValue, HKCU, deepest + "k", "v", RegValue::text("1")}}),
            RegStatus::InvalidName);
  EXPECT_TRUE(reg.subkeyNames(HKCU, deepest).empty());

  ASSERT_EQ(reg.createKey(HKCU, "A"), RegStatus::Ok);
  const RegValue largest = RegValue::binary(std::vector<std::uint8_t>(kMaxValueDataBytes, 7));
  const RegValue tooLarge = RegValue::binary(std::vector<std::uint8_t>(kMaxValueDataBytes + 1, 7));
  EXPECT_EQ(reg.setValue(HKCU, "A", "v", largest), RegStatus::Ok);
  EXPECT_EQ(reg.setValue(HKCU, "A", "w", tooLarge), RegStatus::TooLarge);
  EXPECT_EQ(reg.apply({{RegOp::Kind::SetValue, HKCU, "A", "w", tooLarge}}), RegStatus::TooLarge);
  EXPECT_EQ(reg.valueNames(HKCU, "A"), Names{"v"});
}

// Every key line of the store's text repeats the key's whole path, so a
// chain of long names a few hundred levels deep would need tens of
// megabytes; such a batch is refused before one key of it is made.
TEST_F(TreeRegistryTest, ABatchWhoseKeysWouldPassTheStoreSizeChangesNothing) {
  ASSERT_EQ(reg.createKey(HKCU, "Keep"), RegStatus::Ok);
  std::string chain;
  for (std::size_t i = 0; i < kMaxKeyDepth; ++i) chain += std::string(kMaxKeyNameLength, 'n') + "\\";
  EXPECT_EQ(reg.createKey(HKCU, chain), RegStatus::TooLarge);
  EXPECT_EQ(reg.apply({{RegOp::Kind::CreateKey, HKCU, chain, "", {}}}), RegStatus::TooLarge);
  EXPECT_EQ(reg.subkeyNames(HKCU, ""), Names{"Keep"});
}

TEST_F(TreeRegistryTest, NamesWithLineBreaksAreRefused) {
  // A line break cannot be written in the store's text form, so such a name
  // would make the store unreadable the next time it is loaded.
  ASSERT_EQ(reg.createKey(HKCU, "A"), RegStatus::Ok);
  EXPECT_EQ(reg.createKey(HKCU, "A\\two\nlines"), RegStatus::InvalidName);
  EXPECT_EQ(reg.setValue(HKCU, "A", "two\r\nlines", RegValue::text("")), RegStatus::InvalidName);
  EXPECT_EQ(reg.apply({{RegOp::Kind::SetValue, HKCU, "A", "x\ny", RegValue::text("")}}),
            RegStatus::InvalidName);
  EXPECT_EQ(reg.apply({{RegOp::Kind::CreateKey, HKCU, "A\\x\ry", "", {}}}), RegStatus::InvalidName);
  EXPECT_TRUE(reg.subkeyNames(HKCU, "A").empty());
  EXPECT_TRUE(reg.valueNames(HKCU, "A").empty());
}

TEST_F(TreeRegistryTest, BatchAppliesEverythingAndCreatesKeysForItsValues) {
  const std::vector<RegOp> ops{
      {RegOp::Kind::CreateKey, HKCU, "A\\B", "", {}},
      {RegOp::Kind::SetValue, HKCU, "A\\C\\D", "v", RegValue::dword(1)},
      {RegOp::Kind::SetValue, HKCU, "A\\B", "w", RegValue::text("x")},
      {RegOp::Kind::DeleteValue, HKCU, "A\\B", "w", {}},
      {RegOp::Kind::DeleteValue, HKCU, "A\\B", "never-there", {}},
      {RegOp::Kind::DeleteTree, HKCU, "Nothing\\Here", "", {}},
  };
  ASSERT_EQ(reg.apply(ops), RegStatus::Ok);
  EXPECT_TRUE(reg.keyExists(HKCU, "A\\B"));
  EXPECT_EQ(reg.queryValue(HKCU, "A\\C\\D", "v"), RegValue::dword(1));
  EXPECT_TRUE(reg.valueNames(HKCU, "A\\B").empty());
}

TEST_F(TreeRegistryTest, BatchWithAnInvalidNameChangesNothing) {
  ASSERT_EQ(reg.setValue(HKCU, "", "keep", RegValue::text("me")), RegStatus::Ok);
  ASSERT_EQ(reg.createKey(HKCU, "Old\\Sub"), RegStatus::Ok);
  const auto before = reg.snapshot(HKCU, "");
  const std::vector<std::vector<RegOp>> bad{
      {{RegOp::Kind::DeleteTree, HKCU, "Old", "", {}},
       {RegOp::Kind::CreateKey, HKCU, "New\\" + std::string(kMaxKeyNameLength + 1, 'x'), "", {}}},
      {{RegOp::Kind::SetValue, HKCU, "New", "a", RegValue::text("1")},
       {RegOp::Kind::SetValue, HKCU, "New", std::string(kMaxValueNameLength + 1, 'n'), RegValue::text("")}},
      {{RegOp::Kind::SetValue, HKCU, "New", "a", RegValue::text("1")},
       {RegOp::Kind::DeleteTree, HKCU, "", "", {}}},  // a whole hive
  };
  for (const auto& ops : bad) {
    EXPECT_EQ(reg.apply(ops), RegStatus::InvalidName);
    const auto after = reg.snapshot(HKCU, "");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->subkeys.size(), before->subkeys.size());
    EXPECT_FALSE(reg.keyExists(HKCU, "New"));
    EXPECT_TRUE(reg.keyExists(HKCU, "Old\\Sub"));
  }
}

TEST_F(TreeRegistryTest, SnapshotIsADeepCopyInEnumerationOrder) {
  ASSERT_EQ(reg.createKey(HKCU, "R\\b"), RegStatus::Ok);
  ASSERT_EQ(reg.createKey(HKCU, "R\\A\\x"), RegStatus::Ok);
  ASSERT_EQ(reg.setValue(HKCU, "R", "second", RegValue::dword(2)), RegStatus::Ok);
  ASSERT_EQ(reg.setValue(HKCU, "R", "first", RegValue::binary({1, 2})), RegStatus::Ok);
  const auto snap = reg.snapshot(HKCU, "r");
  ASSERT_TRUE(snap);
  EXPECT_EQ(snap->name, "R");
  ASSERT_EQ(snap->values.size(), 2u);
  EXPECT_EQ(snap->values[0].first, "second");
  EXPECT_EQ(snap->values[1].second, RegValue::binary({1, 2}));
  ASSERT_EQ(snap->subkeys.size(), 2u);
  EXPECT_EQ(snap->subkeys[0].name, "A");
  ASSERT_EQ(snap->subkeys[0].subkeys.size(), 1u);
  EXPECT_EQ(snap->subkeys[0].subkeys[0].name, "x");
  EXPECT_EQ(snap->subkeys[1].name, "b");
  // Later changes do not reach a snapshot already taken.
  ASSERT_EQ(reg.deleteKey(HKCU, "R\\b"), RegStatus::Ok);
  EXPECT_EQ(snap->subkeys.size(), 2u);
}

TEST(SimRegistry, RefusedWriteLeavesTheOldTree) {
  SimRegistry reg;
  ASSERT_EQ(reg.createKey(HKCU, "K"), RegStatus::Ok);
  ASSERT_EQ(reg.setValue(HKCU, "K", "v", RegValue::text("old")), RegStatus::Ok);
  const int commits = reg.commits();
  reg.failWrites(true);
  EXPECT_EQ(reg.setValue(HKCU, "K", "v", RegValue::text("new")), RegStatus::WriteFailed);
  EXPECT_EQ(reg.apply({{RegOp::Kind::DeleteTree, HKCU, "K", "", {}}}), RegStatus::WriteFailed);
  EXPECT_EQ(reg.queryValue(HKCU, "K", "v"), RegValue::text("old"));
  reg.failWrites(false);
  // Writing what is there already costs no commit.
  EXPECT_EQ(reg.setValue(HKCU, "K", "v", RegValue::text("old")), RegStatus::Ok);
  EXPECT_EQ(reg.commits(), commits);
}

}  // namespace
}  // namespace zelvor
