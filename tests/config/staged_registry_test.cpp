// Changes gathered for one durable write.

#include <gtest/gtest.h>

#include "platform/sim/sim_registry.h"
#include "shell/store/reg_key_ex.h"
#include "shell/store/staged_registry.h"

namespace zelvor {
namespace {

TEST(StagedRegistry, ReadsItsOwnWritesAndCommitsThemAsOneBatch) {
  SimRegistry inner;
  CRegKeyEx seed(inner);
  ASSERT_EQ(seed.Create(Hive::CurrentUser, "Software\\A"), RegStatus::Ok);
  seed.SetString("kept", "1");
  seed.SetString("gone", "x");
  const int commits = inner.commits();

  StagedRegistry staged(inner);
  CRegKeyEx key(staged);
  ASSERT_EQ(key.Create(Hive::CurrentUser, "Software\\A\\B"), RegStatus::Ok);
  key.SetDword("n", 7);
  CRegKeyEx a(staged);
  ASSERT_EQ(a.Open(Hive::CurrentUser, "Software\\A"), RegStatus::Ok);
  a.DeleteValue("gone");
  a.SetString("kept", "2");

  // Staged: visible through the staged store, not yet in the real one.
  EXPECT_EQ(key.GetDword("n"), 7u);
  EXPECT_EQ(a.GetString("gone"), "");
  EXPECT_EQ(staged.subkeyNames(Hive::CurrentUser, "Software\\A"), std::vector<std::string>{"B"});
  EXPECT_FALSE(inner.keyExists(Hive::CurrentUser, "Software\\A\\B"));
  EXPECT_EQ(seed.GetString("kept"), "1");
  EXPECT_EQ(inner.commits(), commits);

  ASSERT_EQ(staged.Commit(), RegStatus::Ok);
  EXPECT_EQ(inner.commits(), commits + 1);
  EXPECT_EQ(seed.GetString("kept"), "2");
  EXPECT_EQ(seed.GetString("gone"), "");
  CRegKeyEx b(inner);
  ASSERT_EQ(b.Open(Hive::CurrentUser, "Software\\A\\B"), RegStatus::Ok);
  EXPECT_EQ(b.GetDword("n"), 7u);
}

TEST(StagedRegistry, KeepsTheRulesOfTheStore) {
  SimRegistry inner;
  StagedRegistry staged(inner);
  EXPECT_EQ(staged.setValue(Hive::CurrentUser, "Missing", "v", RegValue{}), RegStatus::NotFound);
  ASSERT_EQ(staged.createKey(Hive::CurrentUser, "P\\C"), RegStatus::Ok);
  EXPECT_EQ(staged.deleteKey(Hive::CurrentUser, "P"), RegStatus::HasSubkeys);
  EXPECT_EQ(staged.createKey(Hive::CurrentUser, "Bad\nName"), RegStatus::InvalidName);
  EXPECT_FALSE(staged.keyExists(Hive::CurrentUser, "Bad\nName"));
  // A refused commit leaves the real store as it was.
  inner.failWrites(true);
  EXPECT_NE(staged.Commit(), RegStatus::Ok);
  inner.failWrites(false);
  EXPECT_FALSE(inner.keyExists(Hive::CurrentUser, "P"));
  // With nothing staged, nothing is written.
  const int commits = inner.commits();
  EXPECT_EQ(staged.Commit(), RegStatus::Ok);
  EXPECT_EQ(inner.commits(), commits);
}

}  // namespace
}  // namespace zelvor
