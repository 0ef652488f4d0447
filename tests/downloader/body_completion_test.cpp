// When a download counts as complete: only when the bytes written reach a
// size the server announced, or when a body without any announced size
// ended by its own framing. Anything else leaves the partial file to be
// resumed later.

#include <gtest/gtest.h>

#include "tests/downloader/download_fixture.h"
#include "tests/downloader/scripted_server.h"

namespace zelvor::test {
namespace {

const std::string kBody = patternBytes(300, 5);
constexpr std::size_t kHave = 100;  // bytes already in the partial file

std::string chunk(const std::string& bytes) {
  char size[16];
  std::snprintf(size, sizeof size, "%zx", bytes.size());
  return std::string(size) + "\r\n" + bytes + "\r\n";
}

enum class Then { Close, Stall };

struct Ending {
  const char* name;
  std::string reply;  // the head and whatever body the server sends
  Then then;
  DownloadResult result;
  std::size_t fileBytes;  // what the partial file holds at the end
  std::string message;    // {url} is filled in
  friend void PrintTo(const Ending& row, std::ostream* out) { *out << row.name; }
};

class BodyEndingTest : public DownloadTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(BodyEndingTest, CompleteOnlyWhenTheBodyIsWhole) {
  const Ending& row = GetParam();
  setDeadlines(5, 1);
  // Only the first connection answers, so a reconnection cannot mend a
  // short body.
  ScriptedServer server([&row](ScriptedConnection& c, int index) {
    c.readHead();
    if (index > 0) return;
    c.send(row.reply);
    if (row.then == Then::Stall) c.waitClosed();
  });
  writeFile(partial, kBody.substr(0, kHave));
  const std::string url = server.url("http", "/f");
  const auto outcome = run(url);
  EXPECT_EQ(outcome.result, row.result) << outcome.message;
  EXPECT_EQ(outcome.message, filled(row.message, "127.0.0.1", url));
  EXPECT_EQ(readFile(partial), kBody.substr(0, row.fileBytes));
}

const std::string kRangeNoTotal = "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 100-299/*\r\n";
const std::string kRangesNoRange = "HTTP/1.1 206 Partial Content\r\nAccept-Ranges: bytes\r\n";
const std::string kChunked = "Transfer-Encoding: chunked\r\n\r\n";
const std::string kHalf = kBody.substr(kHave, 50);
const std::string kRest = kBody.substr(kHave);
const std::string kShort =
    "Error al leer el archivo: {url}\n\nSe han recibido 150 de 300 bytes; la descarga puede continuar más tarde.";

INSTANTIATE_TEST_SUITE_P(
    Replies, BodyEndingTest,
    ::testing::Values(
        Ending{"ChunkedRangeCutShort", kRangeNoTotal + kChunked + chunk(kHalf), Then::Close, DownloadResult::Failed,
               150, kShort},
        Ending{"ChunkedRangeStalls", kRangeNoTotal + kChunked + chunk(kHalf), Then::Stall, DownloadResult::Failed,
               150, kShort},
        Ending{"ChunkedWithoutRangeCutShort", kRangesNoRange + kChunked + chunk(kHalf), Then::Close,
               DownloadResult::Failed, 150, "Error al leer el archivo: {url}"},
        Ending{"RangeWithoutLengthClosedEarly", kRangeNoTotal + "\r\n" + kHalf, Then::Close, DownloadResult::Failed,
               150, kShort},
        Ending{"RangeWithoutLengthStalls", kRangeNoTotal + "\r\n" + kHalf, Then::Stall, DownloadResult::Failed, 150,
               kShort},
        Ending{"LengthClosedEarly", kRangeNoTotal + "Content-Length: 200\r\n\r\n" + kHalf, Then::Close,
               DownloadResult::Failed, 150, kShort},
        // Bodies that end by their own framing are whole.
        Ending{"ChunkedRangeLastChunk", kRangeNoTotal + kChunked + chunk(kHalf) + chunk(kRest.substr(50)) + "0\r\n\r\n",
               Then::Stall, DownloadResult::Complete, 300, ""},
        Ending{"ChunkedWithoutRangeLastChunk", kRangesNoRange + kChunked + chunk(kRest) + "0\r\n\r\n", Then::Stall,
               DownloadResult::Complete, 300, ""},
        Ending{"RangeWithoutLengthWhole", kRangeNoTotal + "\r\n" + kRest, Then::Stall, DownloadResult::Complete, 300,
               ""},
        Ending{"WholeFileWithoutLengthClosed", "HTTP/1.1 200 OK\r\n\r\n" + kBody, Then::Close,
               DownloadResult::Complete, 300, ""}),
    [](const ::testing::TestParamInfo<Ending>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace zelvor::test
