// The store file of the Linux binding: persistence, other instances and
// other processes, threads, and a damaged file.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/linux/file_registry.h"
#include "platform/posix/posix_files.h"
#include "platform/regtext/regtext.h"
#include "tests/support/process.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

constexpr Hive HKCU = Hive::CurrentUser;

class FileRegistryTest : public ::testing::Test {
 protected:
  std::unique_ptr<FileRegistry> open() {
    std::string error;
    auto reg = FileRegistry::open(folder, files, error);
    EXPECT_TRUE(reg) << error;
    return reg;
  }
  std::optional<std::string> text(Registry& reg, std::string_view path, std::string_view name) {
    const auto v = reg.queryValue(HKCU, path, name);
    std::string s;
    if (!v || !v->readText(s)) return std::nullopt;
    return s;
  }

  testing::Sandbox sandbox;
  std::string folder = sandbox.path("config/zelvor/");
  PosixFiles files;
};

TEST_F(FileRegistryTest, ChangesOutliveTheInstance) {
  {
    auto reg = open();
    ASSERT_EQ(reg->createKey(HKCU, "A\\B"), RegStatus::Ok);
    ASSERT_EQ(reg->setValue(HKCU, "A", "t", RegValue::text("Configuración \"x\" C:\\Temp")), RegStatus::Ok);
    ASSERT_EQ(reg->setValue(HKCU, "A", "d", RegValue::dword(0x8C)), RegStatus::Ok);
    ASSERT_EQ(reg->setValue(HKCU, "A", "raw", RegValue{RegType::Sz, {'a', 'b'}}), RegStatus::Ok);
    ASSERT_EQ(reg->createKey(Hive::ClassesRoot, ".zvc"), RegStatus::Ok);
    ASSERT_EQ(reg->setValue(Hive::ClassesRoot, ".zvc", "", RegValue::text("Zelvor")), RegStatus::Ok);
    ASSERT_EQ(reg->deleteKey(HKCU, "A\\B"), RegStatus::Ok);
  }
  EXPECT_TRUE(sandbox.exists("config/zelvor/settings.reg"));
  auto reg = open();
  EXPECT_EQ(text(*reg, "A", "t"), "Configuración \"x\" C:\\Temp");
  EXPECT_EQ(reg->queryValue(HKCU, "A", "d"), RegValue::dword(0x8C));
  EXPECT_EQ(reg->queryValue(HKCU, "A", "raw"), (RegValue{RegType::Sz, {'a', 'b'}}));
  EXPECT_EQ(reg->queryValue(Hive::ClassesRoot, ".zvc", ""), RegValue::text("Zelvor"));
  EXPECT_FALSE(reg->keyExists(HKCU, "A\\B"));
  EXPECT_EQ(reg->valueNames(HKCU, "A"), (std::vector<std::string>{"t", "d", "raw"}));
  EXPECT_TRUE(reg->loadWarning().empty());
}

TEST_F(FileRegistryTest, ASecondInstanceSeesChangesAndNeitherLosesTheOther) {
  auto one = open();
  auto two = open();
  ASSERT_EQ(one->createKey(HKCU, "K"), RegStatus::Ok);
  ASSERT_EQ(one->setValue(HKCU, "K", "a", RegValue::text("1")), RegStatus::Ok);
  EXPECT_EQ(text(*two, "K", "a"), "1");
  // Each instance writes on top of what the other wrote.
  ASSERT_EQ(two->setValue(HKCU, "K", "b", RegValue::text("2")), RegStatus::Ok);
  ASSERT_EQ(one->setValue(HKCU, "K", "c", RegValue::text("3")), RegStatus::Ok);
  for (Registry* r : {static_cast<Registry*>(one.get()), static_cast<Registry*>(two.get())}) {
    EXPECT_EQ(r->valueNames(HKCU, "K"), (std::vector<std::string>{"a", "b", "c"}));
  }
  ASSERT_EQ(two->apply({{RegOp::Kind::DeleteTree, HKCU, "K", "", {}}}), RegStatus::Ok);
  EXPECT_FALSE(one->keyExists(HKCU, "K"));
}

TEST_F(FileRegistryTest, ASecondProcessSeesChangesAndItsChangesAreSeen) {
  auto reg = open();
  ASSERT_EQ(reg->createKey(HKCU, "Test"), RegStatus::Ok);
  ASSERT_EQ(reg->setValue(HKCU, "Test", "mine", RegValue::text("parent")), RegStatus::Ok);
  const auto r = testing::runProcess({ZELVOR_STORE_WRITER, folder, "set", "theirs", "child"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // The child wrote on top of the parent's value, and the parent sees the
  // child's value at its next read.
  EXPECT_EQ(text(*reg, "Test", "mine"), "parent");
  EXPECT_EQ(text(*reg, "Test", "theirs"), "child");
  ASSERT_EQ(reg->setValue(HKCU, "Test", "mine", RegValue::text("again")), RegStatus::Ok);
  EXPECT_EQ(text(*reg, "Test", "theirs"), "child");
  auto fresh = open();
  EXPECT_EQ(text(*fresh, "Test", "mine"), "again");
}

TEST_F(FileRegistryTest, ThreadsReadAndWriteAtOnce) {
  auto one = open();
  auto two = open();
  constexpr int kThreads = 4;
  constexpr int kWrites = 25;
  std::atomic<int> torn{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      Registry& reg = t % 2 == 0 ? static_cast<Registry&>(*one) : *two;
      const std::string key = "T\\" + std::to_string(t);
      for (int i = 1; i <= kWrites; ++i) {
        // A pair written in one change must always be read as a pair.
        const std::string v = std::to_string(i);
        if (reg.apply({{RegOp::Kind::SetValue, HKCU, key, "x", RegValue::text(v)},
                       {RegOp::Kind::SetValue, HKCU, key, "y", RegValue::text(v)}}) != RegStatus::Ok) {
          ++torn;
        }
        for (int other = 0; other < kThreads; ++other) {
          const auto snap = reg.snapshot(HKCU, "T\\" + std::to_string(other));
          if (!snap) continue;
          if (snap->values.size() != 2 || snap->values[0].second != snap->values[1].second) ++torn;
        }
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(torn.load(), 0);
  auto fresh = open();
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(text(*fresh, "T\\" + std::to_string(t), "x"), std::to_string(kWrites)) << t;
  }
}

TEST_F(FileRegistryTest, ADamagedFileIsKeptAsideAndTheStoreStartsEmpty) {
  const std::string damaged = "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=dword:zz\n";
  sandbox.write("config/zelvor/settings.reg", damaged);
  auto reg = open();
  EXPECT_FALSE(reg->keyExists(HKCU, "A"));
  EXPECT_NE(reg->loadWarning().find("line 4"), std::string::npos) << reg->loadWarning();
  EXPECT_EQ(sandbox.read("config/zelvor/settings.reg.broken"), damaged);
  ASSERT_EQ(reg->createKey(HKCU, "B"), RegStatus::Ok);
  auto again = open();
  EXPECT_TRUE(again->keyExists(HKCU, "B"));
  EXPECT_TRUE(again->loadWarning().empty());
  EXPECT_EQ(sandbox.read("config/zelvor/settings.reg.broken"), damaged);
}

TEST_F(FileRegistryTest, AHandEditIsNotOverwrittenByTheNextWrite) {
  auto reg = open();
  ASSERT_EQ(reg->createKey(HKCU, "A"), RegStatus::Ok);
  ASSERT_EQ(reg->setValue(HKCU, "A", "old", RegValue::text("1")), RegStatus::Ok);
  // Someone edits the file without taking the lock (CR LF lines, as an editor may save them).
  sandbox.write("config/zelvor/settings.reg",
                "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"old\"=\"1\"\r\n\"byhand\"=\"yes\"\r\n");
  ASSERT_EQ(reg->setValue(HKCU, "A", "new", RegValue::text("2")), RegStatus::Ok);
  auto fresh = open();
  EXPECT_EQ(text(*fresh, "A", "byhand"), "yes");
  EXPECT_EQ(text(*fresh, "A", "new"), "2");
}

TEST_F(FileRegistryTest, NoNameCanMakeTheFileUnreadable) {
  auto reg = open();
  ASSERT_EQ(reg->createKey(HKCU, "A"), RegStatus::Ok);
  ASSERT_EQ(reg->setValue(HKCU, "A", "keep", RegValue::text("me")), RegStatus::Ok);
  for (const std::string name : {"line\nbreak", "carriage\rreturn", "quote\"", "back\\", "[x]", "@", ";"}) {
    (void)reg->setValue(HKCU, "A", name, RegValue::text(name));
    (void)reg->createKey(HKCU, "A\\" + name);
  }
  auto fresh = open();
  EXPECT_TRUE(fresh->loadWarning().empty()) << fresh->loadWarning();
  EXPECT_EQ(text(*fresh, "A", "keep"), "me");
  EXPECT_EQ(fresh->valueNames(HKCU, "A"), reg->valueNames(HKCU, "A"));
  EXPECT_EQ(fresh->subkeyNames(HKCU, "A"), reg->subkeyNames(HKCU, "A"));
}

TEST_F(FileRegistryTest, TemporaryFilesOfKilledWritersAreRemovedOnceTheyAreOld) {
  using std::filesystem::last_write_time;
  sandbox.write("config/zelvor/settings.reg.tmp-111-222", "half a store");
  sandbox.write("config/zelvor/settings.reg.tmp-333-444", "being written right now");
  sandbox.write("config/zelvor/notes.tmp-555", "not ours");
  const auto hourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  last_write_time(folder + "settings.reg.tmp-111-222", hourAgo);
  last_write_time(folder + "notes.tmp-555", hourAgo);
  auto reg = open();
  EXPECT_FALSE(sandbox.exists("config/zelvor/settings.reg.tmp-111-222"));
  EXPECT_TRUE(sandbox.exists("config/zelvor/settings.reg.tmp-333-444"));
  EXPECT_TRUE(sandbox.exists("config/zelvor/notes.tmp-555"));
}

TEST_F(FileRegistryTest, OpenFailsClearlyWithoutAFolder) {
  std::string error;
  EXPECT_FALSE(FileRegistry::open(sandbox.root() + "missing/", files, error));
  EXPECT_NE(error.find("settings.lock"), std::string::npos) << error;
}

}  // namespace
}  // namespace zelvor
