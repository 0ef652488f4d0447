// zelvorctl fetch killed with SIGKILL in the middle of a transfer and run
// again resumes from the partial file and ends with a file identical to the
// source, over HTTP and over FTP.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <random>
#include <thread>

#include "tests/downloader/real_servers.h"
#include "tests/downloader/test_support.h"

namespace zelvor::test {
namespace {

constexpr std::size_t kSize = 3 * 1024 * 1024;
constexpr std::uint64_t kFlushPiece = 1024 * 1024;  // the worker writes in pieces of at least this
// At a megabyte a second the first piece is on disk at least a second
// before the file is whole, so a kill soon after it lands mid-transfer.
constexpr int kRate = 1024 * 1024;

class KillRestartTest : public ::testing::Test {
 protected:
  TempFolder temp;
  std::string source;
  std::string output = temp.file("out.bin");
  std::vector<std::string> env{"XDG_CONFIG_HOME=" + temp.file("config"), "XDG_DATA_HOME=" + temp.file("data")};

  void SetUp() override { ASSERT_FALSE(temp.path().empty()); }

  void makeSource(const std::string& folder) {
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    source = folder + "/f.bin";
    writeFile(source, patternBytes(kSize, 3));
  }

  // Kills the first run after its first piece is on disk and a random
  // moment more, then checks that the second run resumes where the first
  // stopped and ends with the source's bytes.
  void killAndResume(const std::string& url) {
    std::random_device seed;
    std::mt19937 random(seed());
    const int killAfterMs = std::uniform_int_distribution<int>(0, 300)(random);
    SCOPED_TRACE("killed " + std::to_string(killAfterMs) + " ms after the first piece was written");
    const std::vector<std::string> argv{ZELVORCTL_PATH, "fetch", url, "-o", output};
    const std::string partial = output + ".down";
    {
      ChildProcess first(argv, temp.file("first.log"), env);
      ASSERT_TRUE(first.started());
      for (int i = 0; i < 4000 && first.running() && (!fileExists(partial) || fileSize(partial) < kFlushPiece); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(killAfterMs));
      first.kill(SIGKILL);
      ASSERT_EQ(first.wait(10000), 128 + SIGKILL) << readFile(temp.file("first.log"));
    }
    ASSERT_FALSE(fileExists(output));
    ASSERT_TRUE(fileExists(partial)) << readFile(temp.file("first.log"));
    const std::uint64_t kept = fileSize(partial);
    RecordProperty("partialBytes", std::to_string(kept));
    ASSERT_GE(kept, kFlushPiece);
    ASSERT_LT(kept, kSize);
    EXPECT_EQ(readFile(partial), readRange(source, 0, kept));

    ChildProcess second(argv, temp.file("second.log"), env);
    ASSERT_EQ(second.wait(60000), 0) << readFile(temp.file("second.log"));
    // The second run was granted the partial file's size as its start.
    EXPECT_NE(readFile(temp.file("second.log")).find("resuming at "), std::string::npos)
        << readFile(temp.file("second.log"));
    EXPECT_FALSE(fileExists(partial));
    EXPECT_EQ(sha256Of(output), sha256Of(source));
  }
};

TEST_F(KillRestartTest, Http) {
  makeSource(temp.file("www"));
  Lighttpd server(temp, temp.file("www"), ServerOptions{kRate});
  ASSERT_EQ(server.error(), "");
  killAndResume(server.url("/f.bin"));
}

TEST_F(KillRestartTest, Ftp) {
  makeSource(temp.file("anon"));
  ASSERT_EQ(::mkdir(temp.file("home").c_str(), 0755), 0);
  Vsftpd server(temp, temp.file("anon"), temp.file("home"), ServerOptions{kRate});
  ASSERT_EQ(server.error(), "");
  killAndResume(server.url("/f.bin"));
}

}  // namespace
}  // namespace zelvor::test
