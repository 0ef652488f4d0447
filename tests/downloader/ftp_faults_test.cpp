// The FTP dialogue against a scripted server whose replies a test bends.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include "tests/downloader/download_fixture.h"
#include "tests/downloader/ftp_script.h"
#include "tests/downloader/scripted_server.h"

namespace zelvor::test {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

const std::string kFile = patternBytes(200000, 11);

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
  std::string expected;  // {server} is filled in
  friend void PrintTo(const BadFtp& row, std::ostream* out) { *out << row.name; }
};

class BadFtpTest : public DownloadTest, public ::testing::WithParamInterface<BadFtp> {};

TEST_P(BadFtpTest, FailsWithItsMessage) {
  const BadFtp& bad = GetParam();
  FtpPlay play;
  play.greeting = bad.greeting;
  if (!bad.command.empty()) play.replies[bad.command] = bad.reply;
  ScriptedServer server([&play](ScriptedConnection& c, int) { playFtp(c, play); });
  const std::string url = server.url("ftp", "/f");
  const auto outcome = run(url);
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.message, filled(bad.expected, "127.0.0.1", url));
  EXPECT_FALSE(fileExists(partial));
  EXPECT_EQ(monitor.notices().back(), (Notice{download_notice::Finished, 1, 0}));
}

const std::string kDenied =
    "Acceso denegado al servidor FTP. Compruebe que el nombre de usuario y la contraseña son correctos.";
const std::string kNoPort = "Error al obtener el puerto para la transferencia de datos.";

INSTANTIATE_TEST_SUITE_P(
    Replies, BadFtpTest,
    ::testing::Values(
        BadFtp{"Retr550", "220 ok\r\n", "RETR", "550 No such file.\r\n", "550 No such file."},
        BadFtp{"WrongPassword", "220 ok\r\n", "PASS", "530 Login incorrect.\r\n", kDenied},
        BadFtp{"UserRefused", "220 ok\r\n", "USER", "530 go away\r\n", kDenied},
        BadFtp{"NotReady", "421 too many users\r\n", "", "", "421 too many users"},
        BadFtp{"ShortGreeting", "22\r\n", "", "", "El servidor '{server}' ha enviado una respuesta no válida: '22'"},
        BadFtp{"ClosedBeforeGreeting", "", "", "", "El servidor '{server}' ha cerrado la conexión sin responder."},
        BadFtp{"ShortReplyToType", "220 ok\r\n", "TYPE", "2\r\n",
               "El servidor '{server}' ha enviado una respuesta no válida: '2'"},
        BadFtp{"TypeRefused", "220 ok\r\n", "TYPE", "504 no binary\r\n", "504 no binary"},
        BadFtp{"NoPassivePort", "220 ok\r\n", "PASV", "500 no\r\n", kNoPort},
        BadFtp{"PassivePortZero", "220 ok\r\n", "PASV", "227 Entering Passive Mode (127,0,0,1,0,0)\r\n", kNoPort},
        BadFtp{"EndlessReplyLine", "220 ok\r\n", "SIZE", "213 " + std::string(100000, '9'),
               "El servidor '{server}' ha enviado una línea de respuesta demasiado larga."},
        BadFtp{"ClosedMidDialogue", "220 ok\r\n", "SIZE", "",
               "El servidor '{server}' ha cerrado la conexión sin responder."}),
    [](const ::testing::TestParamInfo<BadFtp>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace zelvor::test
