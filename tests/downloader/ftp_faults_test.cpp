// The FTP dialogue against a scripted server whose replies a test bends.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <map>

#include "downloader/download_messages.h"
#include "tests/downloader/download_fixture.h"
#include "tests/downloader/scripted_server.h"

namespace zelvor::test {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

const std::string kFile = patternBytes(200000, 11);

// A small FTP server: the replies named in `replies` replace the normal
// ones (by command word); the commands it gets are recorded.
struct FtpPlay {
  std::string greeting = "220 ready\r\n";
  std::map<std::string, std::string> replies;
  std::string pasvHost = "127,0,0,1";
  std::string body = kFile;
  std::size_t dropAfter = std::string::npos;
};

void playFtp(ScriptedConnection& c, const FtpPlay& play) {
  if (play.greeting.empty()) return;  // hang up at once
  c.send(play.greeting);
  std::unique_ptr<Listener> data;
  std::size_t rest = 0;
  for (;;) {
    const std::string command = c.readLine();
    if (command.empty()) return;
    c.server().record(command);
    const std::string word = command.substr(0, command.find(' '));
    const std::string argument = command.size() > word.size() ? command.substr(word.size() + 1) : "";
    if (auto bent = play.replies.find(word); bent != play.replies.end()) {
      c.send(bent->second);
      if (bent->second.empty()) return;
      continue;
    }
    if (word == "USER") {
      c.send("331 password please\r\n");
    } else if (word == "PASS") {
      c.send("230 in\r\n");
    } else if (word == "REST") {
      rest = static_cast<std::size_t>(std::stoull(argument));
      c.send("350 restarting\r\n");
    } else if (word == "SIZE") {
      c.send("213 " + std::to_string(play.body.size()) + "\r\n");
    } else if (word == "TYPE") {
      c.send("200 binary\r\n");
    } else if (word == "PASV") {
      data = std::make_unique<Listener>();
      const int port = data->port();
      c.send("227 Entering Passive Mode (" + play.pasvHost + "," + std::to_string(port / 256) + "," +
             std::to_string(port % 256) + ")\r\n");
    } else if (word == "RETR") {
      const int fd = data ? data->accept(3000) : -1;
      if (fd < 0) {
        c.send("425 no data connection\r\n");
        continue;
      }
      c.send("150 sending\r\n");
      const std::size_t end = std::min(play.body.size(), play.dropAfter);
      for (std::size_t at = std::min(rest, end); at < end;) {
        const ssize_t n = ::send(fd, play.body.data() + at, end - at, MSG_NOSIGNAL);
        if (n <= 0) break;
        at += static_cast<std::size_t>(n);
      }
      ::close(fd);
      c.send("226 done\r\n");
    } else {
      c.send("502 not here\r\n");
    }
  }
}

std::vector<std::string> commandsOf(const ScriptedServer& server) { return server.requests(); }

class FtpTest : public DownloadTest {};

TEST_F(FtpTest, DialogueInOrderAndResumeWithRest) {
  ScriptedServer server([](ScriptedConnection& c, int) { playFtp(c, FtpPlay{}); });
  writeFile(partial, kFile.substr(0, 5000));
  const auto outcome = run(server.url("ftp", "/pub/a%20b.bin"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(readFile(partial), kFile);
  EXPECT_EQ(commandsOf(server),
            (std::vector<std::string>{"USER anonymous", "PASS zelvor@descargas.invalid", "REST 100", "REST 0",
                                      "SIZE /pub/a b.bin", "TYPE I", "PASV", "REST 5000", "RETR /pub/a b.bin"}));
  EXPECT_EQ(monitor.notices().at(0), (Notice{download_notice::Started, 5000, static_cast<std::int64_t>(kFile.size())}));
  EXPECT_EQ(monitor.notices().at(1), (Notice{download_notice::Resume, 1, 0}));
}

TEST_F(FtpTest, Rest502MeansNoResume) {
  FtpPlay play;
  play.replies["REST"] = "502 REST not implemented\r\n";
  ScriptedServer server([&play](ScriptedConnection& c, int) { playFtp(c, play); });
  writeFile(partial, std::string(5000, 'x'));
  ASSERT_EQ(run(server.url("ftp", "/f")).result, DownloadResult::Complete);
  EXPECT_EQ(readFile(partial), kFile);
  const auto commands = commandsOf(server);
  EXPECT_EQ(std::count_if(commands.begin(), commands.end(), [](const std::string& s) { return s.rfind("REST", 0) == 0; }), 2);
  EXPECT_EQ(commands.back(), "RETR /f");
  EXPECT_EQ(commands[commands.size() - 2], "PASV");
  EXPECT_EQ(monitor.notices().at(1), (Notice{download_notice::Resume, 0, 0}));
}

// The host part of a PASV reply is ignored: the data connection goes where
// the control connection went (here the listener is on 127.0.0.1 only).
TEST_F(FtpTest, PasvHostIsIgnored) {
  FtpPlay play;
  play.pasvHost = "127,0,0,2";
  ScriptedServer server([&play](ScriptedConnection& c, int) { playFtp(c, play); });
  const auto outcome = run(server.url("ftp", "/f"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(readFile(partial), kFile);
}

TEST_F(FtpTest, DroppedDataConnectionResumes) {
  FtpPlay first;
  first.dropAfter = 70000;
  ScriptedServer server([&first](ScriptedConnection& c, int index) { playFtp(c, index == 0 ? first : FtpPlay{}); });
  const auto outcome = run(server.url("ftp", "/f"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(readFile(partial), kFile);
  EXPECT_THAT(commandsOf(server), Contains("REST 70000"));
}

TEST_F(FtpTest, ServerThatNeedsNoPasswordIsAccepted) {
  FtpPlay play;
  play.replies["USER"] = "230 welcome, no password needed\r\n";
  ScriptedServer server([&play](ScriptedConnection& c, int) { playFtp(c, play); });
  ASSERT_EQ(run(server.url("ftp", "/f")).result, DownloadResult::Complete);
  EXPECT_THAT(commandsOf(server), ::testing::Not(Contains(::testing::StartsWith("PASS"))));
}

TEST_F(FtpTest, MultiLineGreetingAndPasswordReply) {
  FtpPlay play;
  play.greeting = "220-Welcome\r\n  to the server\r\n220-more\r\n220 ready\r\n";
  play.replies["PASS"] = "230-Hello\r\n Rules:\r\n1. none\r\n230 Login successful.\r\n";
  ScriptedServer server([&play](ScriptedConnection& c, int) { playFtp(c, play); });
  const auto outcome = run(server.url("ftp", "/f"), nullptr, "ana", "pw");
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(commandsOf(server).at(0), "USER ana");
  EXPECT_EQ(commandsOf(server).at(1), "PASS pw");
}

struct BadFtp {
  const char* name;
  std::string greeting;
  std::string command;  // whose reply is bent; empty: the greeting is
  std::string reply;
  std::string (*expected)(const std::string& server);
};

class BadFtpTest : public DownloadTest, public ::testing::WithParamInterface<BadFtp> {};

TEST_P(BadFtpTest, FailsWithItsMessage) {
  const BadFtp& bad = GetParam();
  FtpPlay play;
  play.greeting = bad.greeting;
  if (!bad.command.empty()) play.replies[bad.command] = bad.reply;
  ScriptedServer server([&play](ScriptedConnection& c, int) { playFtp(c, play); });
  const auto outcome = run(server.url("ftp", "/f"));
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.message, bad.expected("127.0.0.1"));
  EXPECT_FALSE(fileExists(partial));
  EXPECT_EQ(monitor.notices().back(), (Notice{download_notice::Finished, 1, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, BadFtpTest,
    ::testing::Values(
        BadFtp{"Retr550", "220 ok\r\n", "RETR", "550 No such file.\r\n",
               [](const std::string&) { return std::string("550 No such file."); }},
        BadFtp{"WrongPassword", "220 ok\r\n", "PASS", "530 Login incorrect.\r\n",
               [](const std::string&) { return download_text::accessDenied(); }},
        BadFtp{"UserRefused", "220 ok\r\n", "USER", "530 go away\r\n",
               [](const std::string&) { return download_text::accessDenied(); }},
        BadFtp{"NotReady", "421 too many users\r\n", "", "",
               [](const std::string&) { return std::string("421 too many users"); }},
        BadFtp{"ShortGreeting", "22\r\n", "", "",
               [](const std::string& s) { return download_text::invalidReply(s, "22"); }},
        BadFtp{"ClosedBeforeGreeting", "", "", "",
               [](const std::string& s) { return download_text::closedWithoutReply(s); }},
        BadFtp{"ShortReplyToType", "220 ok\r\n", "TYPE", "2\r\n",
               [](const std::string& s) { return download_text::invalidReply(s, "2"); }},
        BadFtp{"TypeRefused", "220 ok\r\n", "TYPE", "504 no binary\r\n",
               [](const std::string&) { return std::string("504 no binary"); }},
        BadFtp{"NoPassivePort", "220 ok\r\n", "PASV", "500 no\r\n",
               [](const std::string&) { return download_text::noDataPort(); }},
        BadFtp{"PassivePortZero", "220 ok\r\n", "PASV", "227 Entering Passive Mode (127,0,0,1,0,0)\r\n",
               [](const std::string&) { return download_text::noDataPort(); }},
        BadFtp{"EndlessReplyLine", "220 ok\r\n", "SIZE", "213 " + std::string(100000, '9'),
               [](const std::string& s) { return download_text::lineTooLong(s); }},
        BadFtp{"ClosedMidDialogue", "220 ok\r\n", "SIZE", "",
               [](const std::string& s) { return download_text::closedWithoutReply(s); }}),
    [](const ::testing::TestParamInfo<BadFtp>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace zelvor::test
