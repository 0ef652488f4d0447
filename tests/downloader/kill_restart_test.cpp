// zelvorctl fetch killed with SIGKILL at a random moment and run again
// ends with a file identical to the source, over HTTP and over FTP.

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

constexpr std::size_t kSize = 6 * 1024 * 1024;
// vsftpd spreads its rate evenly: about 0.75 s for the file. lighttpd sends
// a second's worth at once, then waits: the file takes two rounds.
constexpr int kFtpRate = 8 * 1024 * 1024;
constexpr int kHttpRate = 4 * 1024 * 1024;

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

  void killAndResume(const std::string& url) {
    std::random_device seed;
    std::mt19937 random(seed());
    const int killAfterMs = std::uniform_int_distribution<int>(0, 600)(random);
    SCOPED_TRACE("killed " + std::to_string(killAfterMs) + " ms after the transfer began");
    const std::vector<std::string> argv{ZELVORCTL_PATH, "fetch", url, "-o", output};
    {
      ChildProcess first(argv, temp.file("first.log"), env);
      ASSERT_TRUE(first.started());
      // The random moment is counted from the first byte on disk, so that a
      // slow start (sanitizers) still leaves the kill inside the transfer.
      for (int i = 0; i < 1000 && !fileExists(output + ".down") && first.running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(killAfterMs));
      first.kill(SIGKILL);
      const int status = first.wait(10000);
      RecordProperty("partialBytes", std::to_string(fileSize(output + ".down")));
      // Killed while running, or already done when the moment came late.
      ASSERT_TRUE(status == 128 + SIGKILL || status == 0) << status << "\n" << readFile(temp.file("first.log"));
    }
    if (!fileExists(output)) {
      ASSERT_TRUE(fileExists(output + ".down")) << readFile(temp.file("first.log"));
      EXPECT_LE(fileSize(output + ".down"), kSize);
      ChildProcess second(argv, temp.file("second.log"), env);
      ASSERT_EQ(second.wait(60000), 0) << readFile(temp.file("second.log"));
    }
    EXPECT_FALSE(fileExists(output + ".down"));
    EXPECT_EQ(sha256Of(output), sha256Of(source));
  }
};

TEST_F(KillRestartTest, Http) {
  makeSource(temp.file("www"));
  Lighttpd server(temp, temp.file("www"), ServerOptions{kHttpRate});
  ASSERT_EQ(server.error(), "");
  killAndResume(server.url("/f.bin"));
}

TEST_F(KillRestartTest, Ftp) {
  makeSource(temp.file("anon"));
  ASSERT_EQ(::mkdir(temp.file("home").c_str(), 0755), 0);
  Vsftpd server(temp, temp.file("anon"), temp.file("home"), ServerOptions{kFtpRate});
  ASSERT_EQ(server.error(), "");
  killAndResume(server.url("/f.bin"));
}

}  // namespace
}  // namespace zelvor::test
