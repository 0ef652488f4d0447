// The store file of the Linux binding: persistence, other instances and
// other processes, threads, and a damaged file.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <filesystem>
#include <thread>

#include "platform/linux/file_registry.h"
#include "platform/posix/posix_files.h"
#include "platform/regtext/regtext.h"
#include "platform/store_limits.h"
#include "shell/store/regedit4.h"
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

  // The names in the store's folder, sorted.
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
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

TEST_F(FileRegistryTest, ADamagedFileIsKeptAsideAndNoEarlierCopyIsLost) {
  struct Damage {
    const char* what;
    std::string text;
    std::string warning;
  };
  const Damage damages[] = {
      {"a bad line", "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=dword:zz\n", "line 4"},
      {"a file larger than the store's limit",
       "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n" + std::string(kMaxStoreBytes, ';') + "\n", "16 MiB"},
      {"another bad line", "REGEDIT4\n\n[HKEY_CURRENT_USER\\A\n", "line 3"},
  };
  std::vector<std::string> asideNames;
  for (const Damage& d : damages) {
    sandbox.write("config/zelvor/settings.reg", d.text);
    auto reg = open();
    EXPECT_FALSE(reg->keyExists(HKCU, "A")) << d.what;
    EXPECT_NE(reg->loadWarning().find(d.warning), std::string::npos) << d.what << ": " << reg->loadWarning();
    EXPECT_FALSE(sandbox.exists("config/zelvor/settings.reg")) << d.what;
    ASSERT_EQ(reg->createKey(HKCU, "B"), RegStatus::Ok) << d.what;
    auto again = open();
    EXPECT_TRUE(again->keyExists(HKCU, "B")) << d.what;
    EXPECT_TRUE(again->loadWarning().empty()) << d.what;
  }
  // Every damaged file is still there, each under its own name, the first
  // under the plain one.
  EXPECT_EQ(sandbox.read("config/zelvor/settings.reg.broken"), damages[0].text);
  std::vector<std::string> kept;
  for (const auto& name : entries()) {
    if (name.rfind("settings.reg.broken", 0) == 0) kept.push_back(sandbox.read("config/zelvor/" + name));
  }
  ASSERT_EQ(kept.size(), 3u);
  for (const Damage& d : damages) {
    EXPECT_EQ(std::count(kept.begin(), kept.end(), d.text), 1) << d.what;
  }
}

// Only content that is not a store is moved aside. A file that cannot be
// read right now (no permission, an I/O error, not a file at all) stays
// where it is, and nothing is written over it until it can be read.
TEST_F(FileRegistryTest, AFileThatCannotBeReadIsLeftInPlaceAndNotReplaced) {
  struct Case {
    const char* what;
    std::function<void()> make;
    std::function<void()> undo;
    const char* warning;
  };
  const std::string file = folder + "settings.reg";
  std::vector<Case> cases{
      {"a folder", [&] { std::filesystem::create_directory(file); }, [&] { std::filesystem::remove(file); },
       "not a regular file"},
  };
  if (::geteuid() != 0) {
    // A superuser reads the file whatever its permissions.
    cases.push_back({"no permission to read",
                     [&] {
                       sandbox.write("config/zelvor/settings.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n");
                       std::filesystem::permissions(file, std::filesystem::perms::none);
                     },
                     [&] { std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write); },
                     "Permission denied"});
  }
  for (const Case& c : cases) {
    {
      auto seed = open();
      ASSERT_EQ(seed->setValue(HKCU, "", "before", RegValue::text("1")), RegStatus::Ok);
    }
    std::filesystem::remove(file);
    c.make();
    auto reg = open();
    EXPECT_FALSE(reg->keyExists(HKCU, "A")) << c.what;
    EXPECT_NE(reg->loadWarning().find(c.warning), std::string::npos) << c.what << ": " << reg->loadWarning();
    EXPECT_NE(reg->loadWarning().find("left in place"), std::string::npos) << c.what << ": " << reg->loadWarning();
    EXPECT_EQ(reg->setValue(HKCU, "", "after", RegValue::text("2")), RegStatus::WriteFailed) << c.what;
    EXPECT_EQ(reg->createKey(HKCU, "C"), RegStatus::WriteFailed) << c.what;
    EXPECT_EQ(entries(), (std::vector<std::string>{"settings.lock", "settings.reg"})) << c.what;
    c.undo();
    std::filesystem::remove(file);
  }
}

// Every hostile text refused by the import leaves the settings as they were,
// on disk too, and no reader afterwards finds anything to move aside.
TEST_F(FileRegistryTest, AHostileImportKeepsEverySettingAndMovesNothingAside) {
  const auto nested = [](std::size_t levels, std::size_t nameLength) {
    std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor";
    for (std::size_t i = 0; i < levels; ++i) text += "\\" + std::string(nameLength, 'k');
    return text + "]\r\n\"v\"=\"1\"\r\n";
  };
  const auto bigValues = [](std::string_view prefix, int count) {
    std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Grande]\r\n";
    const std::string data(kMaxValueDataBytes - 1, 'd');
    for (int i = 0; i < count; ++i) text += "\"" + std::string(prefix) + std::to_string(i) + "\"=\"" + data + "\"\r\n";
    return text;
  };
  {
    auto reg = open();
    ASSERT_EQ(reg->apply({{RegOp::Kind::SetValue, HKCU, "Software\\Norvane\\Zelvor\\Diario", "Clave",
                           RegValue::text("secreta")}}),
              RegStatus::Ok);
    ASSERT_TRUE(importRegedit4(*reg, bigValues("a", 9)).ok);
  }
  struct Case {
    const char* what;
    std::string text;
    const char* error;
  };
  const Case cases[] = {
      {"10,000 levels", nested(10'000, 1), "deeper than 512 levels"},
      {"1,000,000 levels", nested(1'000'000, 1), "deeper than 512 levels"},
      {"500 levels of long names", nested(500, kMaxKeyNameLength), "16 MiB"},
      {"a second large import", bigValues("b", 8), "16 MiB"},
  };
  for (const Case& c : cases) {
    {
      auto reg = open();
      const ImportResult r = importRegedit4(*reg, c.text);
      EXPECT_FALSE(r.ok) << c.what;
      EXPECT_NE(r.error.find(c.error), std::string::npos) << c.what << ": " << r.error;
    }
    auto reader = open();
    EXPECT_EQ(text(*reader, "Software\\Norvane\\Zelvor\\Diario", "Clave"), "secreta") << c.what;
    EXPECT_EQ(reader->valueNames(HKCU, "Software\\Norvane\\Zelvor\\Grande").size(), 9u) << c.what;
    EXPECT_TRUE(reader->loadWarning().empty()) << c.what << ": " << reader->loadWarning();
    EXPECT_EQ(entries(), (std::vector<std::string>{"settings.lock", "settings.reg"})) << c.what;
  }
}

TEST_F(FileRegistryTest, ALockFileThatIsALinkIsNeverFollowed) {
  sandbox.write("victim", "precious bytes");
  std::filesystem::create_directories(folder);
  std::filesystem::create_symlink(sandbox.path("victim"), folder + "settings.lock");
  std::string error;
  auto reg = FileRegistry::open(folder, files, error);
  if (reg) (void)reg->setValue(HKCU, "", "v", RegValue::text("1"));
  EXPECT_FALSE(reg);
  EXPECT_NE(error.find("settings.lock"), std::string::npos) << error;
  EXPECT_NE(error.find("symbolic link"), std::string::npos) << error;
  EXPECT_EQ(sandbox.read("victim"), "precious bytes");
}

// The store holds passwords: it is written for its owner alone, whatever
// stood at its name before (a file with wider permissions, or a link to one
// in a dotfiles folder).
TEST_F(FileRegistryTest, TheStoreFileIsAlwaysWrittenForItsOwnerOnly) {
  using std::filesystem::perms;
  const std::string file = folder + "settings.reg";
  const std::string stored = "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"old\"=\"1\"\n";
  struct Case {
    const char* what;
    bool link;
  };
  for (const Case c : {Case{"a file readable by all", false}, Case{"a link to a file readable by all", true}}) {
    const std::string target = c.link ? sandbox.path("dotfiles/settings.reg") : file;
    sandbox.write(c.link ? "dotfiles/settings.reg" : "config/zelvor/settings.reg", stored);
    std::filesystem::permissions(target, perms::owner_read | perms::owner_write | perms::group_read | perms::others_read);
    if (c.link) std::filesystem::create_symlink(target, file);
    {
      auto reg = open();
      EXPECT_EQ(text(*reg, "A", "old"), "1") << c.what;
      ASSERT_EQ(reg->setValue(HKCU, "A", "new", RegValue::text("2")), RegStatus::Ok) << c.what;
    }
    const auto status = std::filesystem::symlink_status(file);
    EXPECT_EQ(status.type(), std::filesystem::file_type::regular) << c.what;
    EXPECT_EQ(status.permissions() & perms::all, perms::owner_read | perms::owner_write) << c.what;
    if (c.link) {
      EXPECT_EQ(sandbox.read("dotfiles/settings.reg"), stored) << c.what;
    }
    auto fresh = open();
    EXPECT_EQ(text(*fresh, "A", "new"), "2") << c.what;
    std::filesystem::remove(file);
  }
}

// A lock file that cannot get its one page of disk space is reported when
// the store opens, rather than killing the process (SIGBUS) at its first
// read. The disk is a full file system in a private mount namespace.
TEST_F(FileRegistryTest, AFullDiskFailsClearlyInsteadOfKillingTheProcess) {
  const std::string disk = sandbox.path("disk/");
  const std::string script =
      "mount -t tmpfs -o size=64k tmpfs \"$1\" || exit 77\n"
      "head -c 1M /dev/zero > \"$1/fill\" 2>/dev/null\n"
      "exec \"$2\" \"$1/\" set name text\n";
  const auto r = testing::runProcess(
      {"/usr/bin/unshare", "--user", "--map-root-user", "--mount", "sh", "-c", script, "sh", disk, ZELVOR_STORE_WRITER});
  if (r.exitCode == 77 || (r.exitCode == 1 && r.err.find("unshare") != std::string::npos)) {
    GTEST_SKIP() << "no private mount namespace here: " << r.err;
  }
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("settings.lock"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << r.err;
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
