// zelvorctl fetch as a user runs it: where the password comes from, and
// what -o may replace. The server is a scripted one on 127.0.0.1.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/downloader/scripted_server.h"
#include "tests/support/process.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

using testing::ProcessResult;
using test::ScriptedConnection;
using test::ScriptedServer;

// base64 of "ana:s3creto", as basic authentication carries it.
constexpr char kAnaCredentials[] = "Authorization: Basic YW5hOnMzY3JldG8=";

// Serves "hello"; a request that resumes at byte 2 gets the rest. beforeBody
// runs between the request and the reply's body.
void serveHello(ScriptedConnection& c, const std::function<void()>& beforeBody = {}) {
  const std::string head = c.readHead();
  const bool resume = head.find("RANGE: bytes=2-") != std::string::npos;
  (void)c.send(resume ? "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 2-4/5\r\nContent-Length: 3\r\n\r\n"
                      : "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n");
  if (beforeBody) beforeBody();
  (void)c.send(resume ? "llo" : "hello");
  c.close();
}

class FetchTest : public ::testing::Test {
 protected:
  std::map<std::string, std::string> env(std::map<std::string, std::string> extra = {}) const {
    extra.emplace("XDG_CONFIG_HOME", sandbox.root() + "config");
    extra.emplace("XDG_DATA_HOME", sandbox.root() + "data");
    extra.emplace("HOME", sandbox.root() + "home");
    extra.emplace("ZELVOR_FETCH_PASSWORD", "");
    return extra;
  }
  ProcessResult fetch(std::vector<std::string> args, std::map<std::string, std::string> extraEnv = {}) const {
    args.insert(args.begin(), {ZELVORCTL_BIN, "fetch"});
    return testing::runProcess(args, env(std::move(extraEnv)));
  }
  // The Authorization lines of every request the server got.
  static std::string credentialsSent(const ScriptedServer& server) {
    std::string lines;
    for (const auto& head : server.requests()) {
      const auto at = head.find("Authorization:");
      if (at != std::string::npos) lines += head.substr(at, head.find('\n', at) - at) + "\n";
    }
    return lines;
  }

  // A file's content, "link" for a symbolic link, "-" for nothing.
  std::string standing(const std::string& name) const {
    const auto status = std::filesystem::symlink_status(sandbox.path(name));
    if (status.type() == std::filesystem::file_type::not_found) return "-";
    if (status.type() == std::filesystem::file_type::symlink) return "link";
    return sandbox.read(name);
  }

  testing::Sandbox sandbox;
};

TEST_F(FetchTest, ThePasswordComesFromAnArgumentAFileOrTheEnvironment) {
  sandbox.write("pass", "s3creto\n");
  sandbox.write("pass-crlf", "s3creto\r\nsecond line\n");
  sandbox.write("pass-unterminated", "s3creto");
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::map<std::string, std::string> env;
  };
  const Case cases[] = {
      {"argument", {"--password", "s3creto"}, {}},
      {"file", {"--password-file", sandbox.path("pass")}, {}},
      {"file's first line only", {"--password-file", sandbox.path("pass-crlf")}, {}},
      {"file without a line end", {"--password-file", sandbox.path("pass-unterminated")}, {}},
      {"environment", {}, {{"ZELVOR_FETCH_PASSWORD", "s3creto"}}},
      {"argument before environment", {"--password", "s3creto"}, {{"ZELVOR_FETCH_PASSWORD", "otra"}}},
      {"file before environment", {"--password-file", sandbox.path("pass")}, {{"ZELVOR_FETCH_PASSWORD", "otra"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedServer server([](ScriptedConnection& conn, int) { serveHello(conn); });
    const std::string out = sandbox.path("out");
    std::filesystem::remove(out);
    std::vector<std::string> args{server.url("http", "/f"), "-o", out, "--user", "ana"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProcessResult r = fetch(args, c.env);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(credentialsSent(server), std::string(kAnaCredentials) + "\n");
    EXPECT_EQ(sandbox.read("out"), "hello");
  }
}

TEST_F(FetchTest, BadPasswordSourcesAreRefusedBeforeAnythingIsSent) {
  sandbox.write("empty", "");
  sandbox.write("long", std::string(5000, 'x'));
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int code;
    std::string inError;
  };
  const Case cases[] = {
      {"two sources", {"--password", "a", "--password-file", sandbox.path("empty")}, 2, "usage"},
      {"a missing file", {"--password-file", sandbox.path("missing")}, 1, sandbox.path("missing")},
      {"an empty file", {"--password-file", sandbox.path("empty")}, 1, sandbox.path("empty")},
      {"a first line past the limit", {"--password-file", sandbox.path("long")}, 1, sandbox.path("long")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedServer server([](ScriptedConnection& conn, int) { serveHello(conn); });
    std::vector<std::string> args{server.url("http", "/f"), "-o", sandbox.path("out"), "--user", "ana"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProcessResult r = fetch(args);
    EXPECT_EQ(r.exitCode, c.code);
    EXPECT_NE(r.err.find(c.inError), std::string::npos) << r.err;
    EXPECT_EQ(server.connections(), 0);
    EXPECT_FALSE(sandbox.exists("out"));
  }
}

TEST_F(FetchTest, HelpNamesEveryPasswordSourceAndWarnsAboutTheArgument) {
  const ProcessResult r = testing::runProcess({ZELVORCTL_BIN, "--help"}, env());
  EXPECT_EQ(r.exitCode, 0);
  for (const char* text : {"--password-file", "ZELVOR_FETCH_PASSWORD", "visible to other users", "--force"}) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
  }
}

// A terminal gets a prompt that does not echo what is typed.
TEST_F(FetchTest, OnATerminalThePasswordIsAskedWithoutEcho) {
  ScriptedServer server([](ScriptedConnection& conn, int) { serveHello(conn); });
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string terminal = ::ptsname(master);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, terminal.c_str(), O_RDWR, 0);
  posix_spawn_file_actions_addopen(&actions, 2, terminal.c_str(), O_RDWR, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const pid_t pid = testing::startProcess(
      {ZELVORCTL_BIN, "fetch", server.url("http", "/f"), "-o", sandbox.path("out"), "--user", "ana"}, env(),
      &actions);
  posix_spawn_file_actions_destroy(&actions);
  ASSERT_GT(pid, 0);

  // Everything the terminal shows, until the program ends (or 30 s pass).
  std::string screen;
  bool typed = false;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < end) {
    pollfd p{master, POLLIN, 0};
    if (::poll(&p, 1, 100) > 0) {
      char buf[256];
      const ssize_t n = ::read(master, buf, sizeof buf);
      if (n <= 0) break;  // the terminal's last user is gone
      screen.append(buf, static_cast<std::size_t>(n));
    }
    if (!typed && screen.find("Password for ana: ") != std::string::npos) {
      ASSERT_EQ(::write(master, "s3creto\n", 8), 8);
      typed = true;
    }
  }
  ::close(master);
  EXPECT_EQ(testing::waitExitCode(pid), 0) << screen;
  EXPECT_TRUE(typed) << screen;
  EXPECT_EQ(screen.find("s3creto"), std::string::npos) << screen;
  EXPECT_EQ(credentialsSent(server), std::string(kAnaCredentials) + "\n");
  EXPECT_EQ(sandbox.read("out"), "hello");
}

TEST_F(FetchTest, OutputReplacesOnlyWhatItMadeUnlessForced) {
  struct Case {
    const char* name;
    bool force;
    void (*before)(const testing::Sandbox&);  // what stands there before the run
    int code;
    std::string output;   // what stands at FILE afterwards (see standing())
    std::string partial;  // and at FILE.down
    bool contacted;
  };
  const Case cases[] = {
      {"nothing there", false, [](const testing::Sandbox&) {}, 0, "hello", "-", true},
      {"a file of the user's", false, [](const testing::Sandbox& s) { s.write("out", "mine"); }, 1, "mine", "-",
       false},
      {"a file of the user's, forced", true, [](const testing::Sandbox& s) { s.write("out", "mine"); }, 0, "hello",
       "-", true},
      {"a dangling link", false,
       [](const testing::Sandbox& s) { std::filesystem::create_symlink(s.path("nowhere"), s.path("out")); }, 1,
       "link", "-", false},
      {"the partial file of an earlier run", false, [](const testing::Sandbox& s) { s.write("out.down", "he"); }, 0,
       "hello", "-", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedServer server([](ScriptedConnection& conn, int) { serveHello(conn); });
    std::filesystem::remove(sandbox.path("out"));
    std::filesystem::remove(sandbox.path("out.down"));
    c.before(sandbox);
    std::vector<std::string> args{server.url("http", "/f"), "-o", sandbox.path("out")};
    if (c.force) args.push_back("--force");
    const ProcessResult r = fetch(args);
    EXPECT_EQ(r.exitCode, c.code) << r.err;
    if (c.code != 0) {
      EXPECT_NE(r.err.find("--force"), std::string::npos) << r.err;
    }
    EXPECT_EQ(standing("out"), c.output);
    EXPECT_EQ(standing("out.down"), c.partial);
    EXPECT_EQ(server.connections() > 0, c.contacted);
  }
}

// A file that appears at FILE while the download runs is the user's too.
TEST_F(FetchTest, AFileMadeDuringTheDownloadIsNotReplaced) {
  const std::string out = sandbox.path("out");
  ScriptedServer server([&](ScriptedConnection& conn, int) {
    serveHello(conn, [&] { sandbox.write("out", "made meanwhile"); });
  });
  const ProcessResult r = fetch({server.url("http", "/f"), "-o", out});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(out), std::string::npos) << r.err;
  EXPECT_EQ(standing("out"), "made meanwhile");
  EXPECT_EQ(standing("out.down"), "hello");
}

}  // namespace
}  // namespace zelvor
