// The real programs, as a user runs them: zelvor on the headless desktop,
// a second start, zelvorctl status/command/quit, and termination signals.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/foreign_folders.h"
#include "tests/support/process.h"
#include "tests/support/raw_client.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class ProcessTest : public ::testing::Test {
 protected:
  ProcessTest() : root_(sandbox_.root()), env_(zelvor::testing::entriesOf(sandbox_.environment())) {}
  ~ProcessTest() override {
    if (zelvor_ > 0) {
      ::kill(zelvor_, SIGKILL);
      (void)wait(zelvor_, 5s);
    }
  }

  // Starts a program with the sandbox environment; stdout and stderr go to files.
  pid_t spawn(const std::vector<std::string>& argv, const std::string& name) {
    std::vector<char*> args, envp;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : env_) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    const std::string out = (root_ / (name + ".out")).string(), err = (root_ / (name + ".err")).string();
    posix_spawn_file_actions_addopen(&fa, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&fa, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, args[0], &fa, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&fa);
    EXPECT_EQ(rc, 0) << argv[0];
    return pid;
  }
  // The exit code, or -1 when the process has not ended in time (or died by a signal).
  static int wait(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
      int status = 0;
      const pid_t r = ::waitpid(pid, &status, WNOHANG);
      if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      if (std::chrono::steady_clock::now() > end) return -1;
      std::this_thread::sleep_for(5ms);
    }
  }
  std::string read(const std::string& name) {
    std::ifstream f(root_ / name);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  struct Run {
    int code;
    std::string out, err;
  };
  Run ctl(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ZELVORCTL};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = spawn(argv, "ctl");
    const int code = wait(pid, 30s);
    return {code, read("ctl.out"), read("ctl.err")};
  }
  // Starts zelvor and waits (bounded) until it answers.
  void startZelvor() {
    zelvor_ = spawn({ZELVOR, "--headless", "--verbose"}, "zelvor");
    for (int i = 0; i < 2000; ++i) {
      if (read("zelvor.err").find("zelvor: running") != std::string::npos) return;
      std::this_thread::sleep_for(5ms);
    }
    FAIL() << "zelvor did not start: " << read("zelvor.err");
  }

  zelvor::testing::Sandbox sandbox_;
  fs::path root_;
  std::vector<std::string> env_;
  pid_t zelvor_ = 0;
};

TEST_F(ProcessTest, StatusListsTheIconsOfAFirstStart) {
  startZelvor();
  const Run r = ctl({"status"});
  ASSERT_EQ(r.code, 0) << r.err;
  for (const char* line : {"icon\t1\tZelvor\t", "icon\t3\tVada VU\t", "icon\t4\tDade Rive\t",
                           "icon\t5\tZivi Duvaza\t", "icon\t6\tDedo Vuv\t", "icon\t7\tDivo Zidezevuza\t",
                           "icon\t8\tRezi Zovidaraz\t", "icon\t9\tDuvu Zevad\t",
                           "icon\t10\tRavi Varudide\t", "icon\t300\tDeve Revazoz\t"}) {
    EXPECT_NE(("\n" + r.out).find(std::string("\n") + line), std::string::npos) << line << "\n" << r.out;
  }
  EXPECT_EQ(r.out.find("menu\t"), std::string::npos);
  // The socket is for this user only.
  struct stat st {};
  ASSERT_EQ(::stat((root_ / "runtime/zelvor/control.sock").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(ProcessTest, SecondStartEndsAtOnceAndTheFirstOpensItsMenu) {
  startZelvor();
  const pid_t second = spawn({ZELVOR, "--headless"}, "second");
  EXPECT_EQ(wait(second, 30s), 0) << read("second.err");
  // The menu opens when the first one has handled the request.
  std::string out;
  for (int i = 0; i < 400 && out.find("menu\tZelvor\n") == std::string::npos; ++i) {
    out = ctl({"status"}).out;
    std::this_thread::sleep_for(5ms);
  }
  EXPECT_NE(out.find("menu\tZelvor\n"), std::string::npos) << out;
  EXPECT_NE(out.find("item\t0\t3008\t-\tSalir\n"), std::string::npos);
}

TEST_F(ProcessTest, CommandRunsAndBadArgumentsAreRefused) {
  startZelvor();
  EXPECT_EQ(ctl({"command", "4", "0"}).code, 0);  // the Dade Rive menu
  std::string out;
  for (int i = 0; i < 400 && out.find("menu\tDade Rive\n") == std::string::npos; ++i) {
    out = ctl({"status"}).out;
    std::this_thread::sleep_for(5ms);
  }
  EXPECT_NE(out.find("menu\tDade Rive\n"), std::string::npos) << out;
  const Run bad = ctl({"command", "4", "x"});
  EXPECT_EQ(bad.code, 1);
  EXPECT_NE(bad.err.find("COMMAND"), std::string::npos);
  EXPECT_EQ(ctl({"command", "4"}).code, 2);
}

TEST_F(ProcessTest, QuitRunsTheExitSequence) {
  startZelvor();
  EXPECT_EQ(ctl({"quit"}).code, 0);
  EXPECT_EQ(wait(zelvor_, 30s), 0);
  zelvor_ = 0;
  const std::string err = read("zelvor.err");
  EXPECT_NE(err.find("zelvor: tray remove 9\n"), std::string::npos) << err;
  EXPECT_NE(err.find("zelvor: exit sequence complete"), std::string::npos);
  const Run after = ctl({"status"});
  EXPECT_EQ(after.code, 1);
  EXPECT_NE(after.err.find("no Zelvor instance is running"), std::string::npos) << after.err;
}

TEST_F(ProcessTest, TerminationSignalsRunTheSameExit) {
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
    startZelvor();
    ASSERT_EQ(::kill(zelvor_, sig), 0);
    EXPECT_EQ(wait(zelvor_, 30s), 0) << sig;
    zelvor_ = 0;
    const std::string err = read("zelvor.err");
    EXPECT_NE(err.find("zelvor: tray remove 1\n"), std::string::npos) << err;
    EXPECT_NE(err.find("zelvor: exit sequence complete"), std::string::npos);
    EXPECT_FALSE(fs::exists(root_ / "runtime/zelvor/control.sock"));
  }
}

TEST_F(ProcessTest, ATerminationSignalSavesTheNotes) {
  const fs::path notes = root_ / "data/zelvor/notes.dat";
  for (int sig : {SIGTERM, SIGHUP}) {
    fs::remove(notes);
    startZelvor();
    ASSERT_EQ(ctl({"command", "9", "1"}).code, 0);
    bool made = false;
    for (int i = 0; i < 300 && !made; ++i) {
      made = ctl({"status"}).out.find("note\t0\tNota 1\t") != std::string::npos;
      if (!made) std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(made) << sig;
    ASSERT_EQ(::kill(zelvor_, sig), 0);
    EXPECT_EQ(wait(zelvor_, 30s), 0) << sig;
    zelvor_ = 0;
    ASSERT_TRUE(fs::exists(notes)) << sig;
    // One entry: the record, its length field and the empty text's NUL.
    EXPECT_EQ(fs::file_size(notes), 472u + 4u + 1u) << sig;
  }
}

TEST_F(ProcessTest, AStaleSocketAndMainHWndFromACrashAreNotTrusted) {
  startZelvor();
  ::kill(zelvor_, SIGKILL);
  (void)wait(zelvor_, 30s);
  zelvor_ = 0;
  // The socket file and MainHWnd are left behind; nothing answers.
  EXPECT_EQ(ctl({"status"}).code, 1);
  startZelvor();
  EXPECT_EQ(ctl({"status"}).code, 0);
}

// An idle client: connected, a part of a request sent, then silence.
TEST_F(ProcessTest, StatusAnswersWhileTenClientsSitIdle) {
  startZelvor();
  std::vector<std::unique_ptr<zelvor::testing::RawClient>> idle;
  for (int i = 0; i < 10; ++i) {
    idle.push_back(std::make_unique<zelvor::testing::RawClient>((root_ / "runtime/zelvor/control.sock").string()));
    ASSERT_TRUE(idle.back()->connected() && idle.back()->send("sta")) << i;
  }
  const auto asked = std::chrono::steady_clock::now();
  const Run r = ctl({"status"});
  const auto took = std::chrono::steady_clock::now() - asked;
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("icon\t1\tZelvor\t"), std::string::npos) << r.out;
  // The answer came while every idle client still held its connection: it
  // did not wait for any of them to be dropped.
  for (const auto& c : idle) EXPECT_FALSE(c->heardFromServer());
  // Far more than an answer takes, far less than waiting out the idle ones.
  EXPECT_LT(took, 5s);
}

// The runtime folder is checked as it stands; zelvor and zelvorctl refuse
// one that is not this user's alone, saying which folder and why.
TEST_F(ProcessTest, ARuntimeFolderThatIsNotOursAloneIsRefused) {
  for (const auto& c : zelvor::testing::ForeignFolders()) {
    SCOPED_TRACE(c.name);
    if (c.needsRoot && ::geteuid() != 0) continue;  // only root can give a folder away
    const fs::path folder = root_ / "runtime/zelvor", elsewhere = root_ / "elsewhere";
    c.prepare(folder, elsewhere);
    const pid_t pid = spawn({ZELVOR, "--headless", "--verbose"}, "zelvor");
    EXPECT_NE(wait(pid, 30s), 0);
    const std::string err = read("zelvor.err");
    EXPECT_NE(err.find(folder.string()), std::string::npos) << err;
    EXPECT_EQ(err.find("zelvor: running"), std::string::npos) << err;
    const Run status = ctl({"status"});
    EXPECT_EQ(status.code, 1);
    EXPECT_NE(status.err.find(folder.string()), std::string::npos) << status.err;
    EXPECT_FALSE(fs::exists(elsewhere / "control.sock"));
    EXPECT_FALSE(fs::exists(elsewhere / "instance.lock"));
    fs::remove_all(folder);
    fs::remove_all(elsewhere);
  }
}

}  // namespace

TEST_F(ProcessTest, HotkeyCommandLines) {
  // The first start installs the defaults; bindings are registered at a start.
  startZelvor();
  const Run quit = ctl({"quit"});
  ASSERT_EQ(quit.code, 0) << quit.err;
  ASSERT_EQ(wait(zelvor_, 30s), 0);
  zelvor_ = 0;
  ASSERT_EQ(ctl({"reg", "set", "DuvuZevad", "HotKey1", "--dword", "577"}).code, 0);  // 0x241
  const Run list = ctl({"hotkeys", "Duvu Zevad"});
  ASSERT_EQ(list.code, 0) << list.err;
  EXPECT_EQ(list.out.substr(0, list.out.find('\n') + 1), "DuvuZevad\t1\tNueva nota\tCtrl + A\tzelvorctl command 9 1\n");
  EXPECT_NE(list.out.find("DuvuZevad\t5\tPapelera de reciclaje\t\tzelvorctl command 9 5\n"), std::string::npos);
  EXPECT_EQ(ctl({"hotkeys", "Nadie"}).code, 1);
  // Without a display no key can be grabbed; the binding is reported so.
  startZelvor();
  const Run status = ctl({"status"});
  EXPECT_NE(status.out.find("hotkey\t0x0901\tCtrl + A\tunavailable\n"), std::string::npos) << status.out;
}
