// Emptying a shared temporary folder: each rule, on real files in a sandbox.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <filesystem>
#include <string>

#include "platform/posix/owned_entries.h"
#include "platform/posix/posix_files.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

namespace fs = std::filesystem;

class OwnedEntriesTest : public ::testing::Test {
 protected:
  OwnedEntriesTest() : tmp(sandbox.path("tmp/")), outside(sandbox.path("outside/")) {
    fs::create_directories(tmp);
    fs::create_directories(outside);
  }
  void file(const std::string& path, const std::string& bytes = "x") { sandbox.write(path.substr(sandbox.root().size()), bytes); }
  [[nodiscard]] static bool present(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
  }
  // A listening socket, as a running program keeps in the temporary folder.
  [[nodiscard]] int socketAt(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0) << path;
    return fd;
  }

  testing::Sandbox sandbox;
  std::string tmp, outside;
};

TEST_F(OwnedEntriesTest, RegularFilesAndFoldersOfTheOwnerGoAndTheFolderItselfStays) {
  file(tmp + "a.txt");
  file(tmp + "sub/deeper/b.txt");
  file(tmp + "sub/c.txt");
  fs::create_directories(tmp + "empty");
  const FolderEmptying r = EmptyOwnedEntries(tmp, ::geteuid());
  EXPECT_TRUE(r.result.ok) << r.result.error;
  EXPECT_EQ(r.removedFiles, 3);
  EXPECT_EQ(r.removedFolders, 3);
  EXPECT_EQ(r.kept, 0);
  EXPECT_TRUE(fs::is_directory(tmp));
  EXPECT_TRUE(fs::is_empty(tmp));
}

TEST_F(OwnedEntriesTest, EachKindOfEntryThatMustStayStays) {
  struct Case {
    const char* what;
    std::function<std::string()> make;  // makes the entry, returns its path
  };
  const Case cases[] = {
      {"socket", [&] {
         const std::string p = tmp + "s.sock";
         const int fd = socketAt(p);
         ::close(fd);
         return p;
       }},
      {"named pipe", [&] {
         const std::string p = tmp + "fifo";
         EXPECT_EQ(::mkfifo(p.c_str(), 0600), 0);
         return p;
       }},
      {"link to a file outside", [&] {
         file(outside + "precious.txt");
         const std::string p = tmp + "link";
         fs::create_symlink(outside + "precious.txt", p);
         return p;
       }},
      {"link to a folder outside", [&] {
         file(outside + "folder/precious.txt");
         const std::string p = tmp + "dirlink";
         fs::create_directory_symlink(outside + "folder", p);
         return p;
       }},
  };
  for (const Case& c : cases) {
    const std::string entry = c.make();
    const FolderEmptying r = EmptyOwnedEntries(tmp, ::geteuid());
    EXPECT_TRUE(r.result.ok) << c.what;
    EXPECT_TRUE(present(entry)) << c.what;
    EXPECT_EQ(r.kept, 1) << c.what;
    fs::remove(entry);
  }
  // Nothing behind a link was touched.
  EXPECT_TRUE(present(outside + "precious.txt"));
  EXPECT_TRUE(present(outside + "folder/precious.txt"));
}

TEST_F(OwnedEntriesTest, EntriesOfAnotherOwnerStayAndKeepTheirFolder) {
  file(tmp + "mine/theirs.txt");
  file(tmp + "top.txt");
  // The same files judged for another user: none of them is that user's.
  const uid_t someoneElse = ::geteuid() + 1;
  const FolderEmptying r = EmptyOwnedEntries(tmp, someoneElse);
  EXPECT_EQ(r.removedFiles + r.removedFolders, 0);
  EXPECT_TRUE(present(tmp + "mine/theirs.txt"));
  EXPECT_TRUE(present(tmp + "top.txt"));
  // A folder of ours holding something that must stay is kept, emptied of the rest.
  file(tmp + "mixed/gone.txt");
  const int fd = socketAt(tmp + "mixed/kept.sock");
  const FolderEmptying mine = EmptyOwnedEntries(tmp, ::geteuid());
  ::close(fd);
  EXPECT_FALSE(present(tmp + "mixed/gone.txt"));
  EXPECT_TRUE(present(tmp + "mixed/kept.sock"));
  EXPECT_TRUE(present(tmp + "mixed"));
  EXPECT_EQ(mine.kept, 2);  // the socket and the folder that holds it
}

TEST_F(OwnedEntriesTest, ALinkInPlaceOfTheFolderIsNotFollowed) {
  file(outside + "precious.txt");
  const std::string link = sandbox.path("tmplink");
  fs::create_directory_symlink(outside, link);
  for (const std::string& path : {link, link + "/"}) {
    const FolderEmptying r = EmptyOwnedEntries(path, ::geteuid());
    EXPECT_FALSE(r.result.ok) << path;
    EXPECT_TRUE(present(outside + "precious.txt")) << path;
  }
}

TEST_F(OwnedEntriesTest, AnotherFileSystemBelowIsLeftAlone) {
  // A mount below the folder is judged by its device and skipped. Making
  // one needs privileges a test may not have.
  const std::string mount = tmp + "mnt";
  fs::create_directories(mount);
  file(tmp + "plain.txt");
  if (std::system(("mount -t tmpfs none " + mount + " 2>/dev/null").c_str()) != 0) {
    GTEST_SKIP() << "no privilege to mount a file system for the test";
  }
  file(mount + "/on-other-fs.txt");
  const FolderEmptying below = EmptyOwnedEntries(tmp, ::geteuid());
  EXPECT_TRUE(present(mount + "/on-other-fs.txt"));
  EXPECT_FALSE(present(tmp + "plain.txt"));
  EXPECT_EQ(std::system(("umount " + mount).c_str()), 0);
  EXPECT_GE(below.kept, 1);
}

TEST_F(OwnedEntriesTest, DevicesStay) {
  const std::string device = tmp + "null";
  // A character device like /dev/null; making one needs a privilege a test may not have.
  if (::mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0) GTEST_SKIP() << "no privilege to make a device";
  const FolderEmptying r = EmptyOwnedEntries(tmp, ::geteuid());
  EXPECT_TRUE(present(device));
  EXPECT_EQ(r.kept, 1);
  fs::remove(device);
}

TEST_F(OwnedEntriesTest, DeepTreesStopAtTheDepthLimit) {
  std::string deep = tmp;
  for (int i = 0; i <= kMaxEmptyingDepth + 2; ++i) deep += "d/";
  fs::create_directories(deep);
  file(deep + "bottom.txt");
  file(tmp + "top.txt");
  const FolderEmptying r = EmptyOwnedEntries(tmp, ::geteuid());
  EXPECT_TRUE(r.result.ok);
  EXPECT_FALSE(present(tmp + "top.txt"));
  EXPECT_TRUE(present(deep + "bottom.txt"));  // beyond the limit nothing is touched
}

TEST_F(OwnedEntriesTest, TheFilesServiceEmptiesForTheCurrentUser) {
  file(tmp + "a.txt");
  PosixFiles files;
  const FolderEmptying r = files.emptyOwnEntries(tmp);
  EXPECT_TRUE(r.result.ok);
  EXPECT_EQ(r.removedFiles, 1);
  EXPECT_FALSE(files.emptyOwnEntries(sandbox.path("missing")).result.ok);
}

}  // namespace
}  // namespace zelvor
