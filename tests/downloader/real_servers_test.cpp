// Full downloads, resumes, redirects and missing files against lighttpd
// and vsftpd, including a resume past 4 GiB on sparse files.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/downloader/download_fixture.h"
#include "tests/downloader/real_servers.h"

namespace zelvor::test {
namespace {

using ::testing::StartsWith;

const std::string kSource = patternBytes(3 * 1024 * 1024 + 123, 5);

// Past 4 GiB: the server's file is a hole up to kTailAt and a pattern after.
constexpr std::uint64_t kFourGiB = 4ull << 30;
constexpr std::uint64_t kTailAt = kFourGiB + 4096;
constexpr std::uint64_t kBigSize = kFourGiB + 65536;
const std::string kTail = patternBytes(kBigSize - kTailAt, 9);

void makeSparse(const std::string& path, std::uint64_t size, std::uint64_t dataAt, const std::string& data) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
  if (!data.empty()) {
    ASSERT_EQ(::pwrite(fd, data.data(), data.size(), static_cast<off_t>(dataAt)), static_cast<ssize_t>(data.size()));
  }
  ::close(fd);
}

// Checks the bytes on both sides of the resume point and the size.
void expectBigFileResumed(const std::string& path) {
  EXPECT_EQ(fileSize(path), kBigSize);
  EXPECT_EQ(readRange(path, kTailAt - 64, 64), std::string(64, '\0'));
  EXPECT_EQ(readRange(path, kTailAt, kTail.size()), kTail);
}

class RealHttpTest : public DownloadTest {
 protected:
  std::string root = temp.file("www");
  std::unique_ptr<Lighttpd> server;
  void SetUp() override {
    DownloadTest::SetUp();
    ASSERT_EQ(::mkdir(root.c_str(), 0755), 0);
    writeFile(root + "/f.bin", kSource);
    server = std::make_unique<Lighttpd>(temp, root);
    ASSERT_EQ(server->error(), "");
  }
};

TEST_F(RealHttpTest, FullDownload) {
  const auto outcome = run(server->url("/f.bin"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(readFile(partial), kSource);
  EXPECT_EQ(monitor.notices().at(0), (Notice{download_notice::Started, 0, static_cast<std::int64_t>(kSource.size())}));
  EXPECT_EQ(monitor.notices().at(1), (Notice{download_notice::Resume, 1, 0}));
}

TEST_F(RealHttpTest, ResumesFromAPartialFile) {
  writeFile(partial, kSource.substr(0, 1000001));
  const auto outcome = run(server->url("/f.bin"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(readFile(partial), kSource);
  EXPECT_EQ(monitor.notices().at(0), (Notice{download_notice::Started, 1000001, static_cast<std::int64_t>(kSource.size())}));
  EXPECT_EQ(reportedBytes(), static_cast<std::int64_t>(kSource.size() - 1000001));
}

TEST_F(RealHttpTest, FollowsA302Chain) {
  const auto outcome = run(server->url("/chain1"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(outcome.url, server->url("/f.bin"));
  EXPECT_EQ(readFile(partial), kSource);
}

TEST_F(RealHttpTest, MissingFileIsReported) {
  const auto outcome = run(server->url("/none.bin"));
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.message, "No se ha encontrado el archivo '" + server->url("/none.bin") + "' en el servidor.");
  EXPECT_FALSE(fileExists(partial));
}

TEST_F(RealHttpTest, ResumesPastFourGibibytes) {
  makeSparse(root + "/big.bin", kBigSize, kTailAt, kTail);
  makeSparse(partial, kTailAt, 0, {});
  const auto outcome = run(server->url("/big.bin"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(monitor.notices().at(0),
            (Notice{download_notice::Started, static_cast<std::int64_t>(kTailAt), static_cast<std::int64_t>(kBigSize)}));
  expectBigFileResumed(partial);
}

class RealFtpTest : public DownloadTest {
 protected:
  std::string anon = temp.file("anon");
  std::string home = temp.file("home");
  std::unique_ptr<Vsftpd> server;
  void SetUp() override {
    DownloadTest::SetUp();
    ASSERT_EQ(::mkdir(anon.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(home.c_str(), 0755), 0);
    writeFile(anon + "/f.bin", kSource);
    writeFile(home + "/private.bin", kSource.substr(0, 500000));
    server = std::make_unique<Vsftpd>(temp, anon, home);
    ASSERT_EQ(server->error(), "");
  }
};

TEST_F(RealFtpTest, AnonymousFullDownloadWithItsSize) {
  const auto outcome = run(server->url("/f.bin"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(readFile(partial), kSource);
  EXPECT_EQ(monitor.notices().at(0), (Notice{download_notice::Started, 0, static_cast<std::int64_t>(kSource.size())}));
  EXPECT_EQ(monitor.notices().at(1), (Notice{download_notice::Resume, 1, 0}));
}

TEST_F(RealFtpTest, LocalUserWithPassword) {
  const auto fromUrl = run(server->url("/private.bin", true));
  ASSERT_EQ(fromUrl.result, DownloadResult::Complete) << fromUrl.message;
  EXPECT_EQ(readFile(partial), kSource.substr(0, 500000));
  ASSERT_EQ(::unlink(partial.c_str()), 0);
  const auto given = run(server->url("/private.bin"), nullptr, kFtpUser, kFtpPassword);
  ASSERT_EQ(given.result, DownloadResult::Complete) << given.message;
  EXPECT_EQ(readFile(partial), kSource.substr(0, 500000));
}

TEST_F(RealFtpTest, WrongPasswordIsRefused) {
  const auto outcome = run(server->url("/private.bin"), nullptr, kFtpUser, "not-the-password");
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.message,
            "Acceso denegado al servidor FTP. Compruebe que el nombre de usuario y la contraseña son correctos.");
}

TEST_F(RealFtpTest, ResumesWithRest) {
  writeFile(partial, kSource.substr(0, 2000000));
  const auto outcome = run(server->url("/f.bin"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(readFile(partial), kSource);
  EXPECT_EQ(monitor.notices().at(0), (Notice{download_notice::Started, 2000000, static_cast<std::int64_t>(kSource.size())}));
}

TEST_F(RealFtpTest, MissingFileGivesTheServersReply) {
  const auto outcome = run(server->url("/none.bin"));
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_THAT(outcome.message, StartsWith("550 "));
  EXPECT_FALSE(fileExists(partial));
}

TEST_F(RealFtpTest, ResumesPastFourGibibytes) {
  makeSparse(anon + "/big.bin", kBigSize, kTailAt, kTail);
  makeSparse(partial, kTailAt, 0, {});
  const auto outcome = run(server->url("/big.bin"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(monitor.notices().at(0),
            (Notice{download_notice::Started, static_cast<std::int64_t>(kTailAt), static_cast<std::int64_t>(kBigSize)}));
  expectBigFileResumed(partial);
}

}  // namespace
}  // namespace zelvor::test
