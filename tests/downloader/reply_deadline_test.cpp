// A reply head (HTTP status line and headers, an FTP reply with all its
// lines) must arrive within the data time-out as a whole: a server that
// trickles it a byte at a time is cut off, and the user reads the time-out
// message.

#include <gtest/gtest.h>

#include <functional>

#include "tests/downloader/download_fixture.h"
#include "tests/downloader/ftp_script.h"
#include "tests/downloader/scripted_server.h"

namespace zelvor::test {
namespace {

// With a one-second time-out each of these heads takes three seconds or
// more to arrive, yet no gap between two bytes comes near a second.
constexpr int kByteGapMs = 20;

std::string slowHttpHead() {
  return "HTTP/1.1 200 OK\r\nX-Padding: " + std::string(120, 'a') + "\r\nContent-Length: 5\r\n\r\n";
}

std::string slowFtpGreeting() {
  std::string greeting;
  for (int i = 0; i < 14; ++i) greeting += "220-Bienvenido\r\n";
  return greeting + "220 listo\r\n";
}

struct SlowReply {
  const char* name;
  const char* scheme;
  std::function<void(ScriptedConnection&)> script;
  friend void PrintTo(const SlowReply& row, std::ostream* out) { *out << row.name; }
};

class ReplyDeadlineTest : public DownloadTest, public ::testing::WithParamInterface<SlowReply> {};

TEST_P(ReplyDeadlineTest, FailsWithTheTimeOutMessage) {
  setDeadlines(5, 1);
  ScriptedServer server([](ScriptedConnection& c, int) { GetParam().script(c); });
  const auto outcome = run(server.url(GetParam().scheme, "/f"));
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.message, "Se ha agotado el tiempo de espera (1 s) del servidor '127.0.0.1'.");
  EXPECT_FALSE(fileExists(partial));
}

INSTANTIATE_TEST_SUITE_P(
    Servers, ReplyDeadlineTest,
    ::testing::Values(
        SlowReply{"TrickledHttpHead", "http",
                  [](ScriptedConnection& c) {
                    c.readHead();
                    if (trickle(c, slowHttpHead(), kByteGapMs)) c.send("hello");
                  }},
        SlowReply{"TrickledFtpGreeting", "ftp",
                  [](ScriptedConnection& c) {
                    FtpPlay play;
                    play.greeting = slowFtpGreeting();
                    play.greetingByteGapMs = kByteGapMs;
                    playFtp(c, play);
                  }},
        SlowReply{"SilentBeforeTheStatusLine", "http",
                  [](ScriptedConnection& c) {
                    c.readHead();
                    c.waitClosed();
                  }},
        SlowReply{"SilentAmidTheHeaders", "http",
                  [](ScriptedConnection& c) {
                    c.readHead();
                    c.send("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n");
                    c.waitClosed();
                  }}),
    [](const ::testing::TestParamInfo<SlowReply>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace zelvor::test
