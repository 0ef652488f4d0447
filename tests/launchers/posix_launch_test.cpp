// Entries started for real through the POSIX launcher: a recording program
// reports its argument vector, working folder and niceness, and a fake
// default-application opener (the same program under the name xdg-open,
// first in PATH) receives documents and folders.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "launchers/launch_plan.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_launcher.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

struct Record {
  std::string folder;
  int nice = 0;
  std::vector<std::string> argv;
};

class PosixLaunch : public ::testing::Test {
 protected:
  // Starts the entry, waits for it and reads what it wrote in folder.
  Record Run(const ProgramEntry& entry, const std::string& folder) {
    const LaunchOutcome started = LaunchEntry(entry, {launcher, files, nullptr});
    EXPECT_TRUE(started.ok) << started.error;
    // Documents give no process id: the opener is this test's only child.
    const std::int64_t pid = started.processId;
    if (pid != 0) {
      EXPECT_EQ(launcher.wait(pid, -1), 0);
    } else if (started.ok) {
      int status = 0;
      EXPECT_GT(::waitpid(-1, &status, 0), 0);
    }
    const auto bytes = files.readFile(folder + "launch-record", 1 << 20);
    Record r;
    if (!bytes) return r;
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (std::size_t nul; (nul = bytes->find('\0', at)) != std::string::npos; at = nul + 1) {
      fields.push_back(bytes->substr(at, nul - at));
    }
    if (fields.size() < 2) return r;
    r.folder = fields[0];
    r.nice = std::stoi(fields[1]);
    r.argv.assign(fields.begin() + 2, fields.end());
    return r;
  }

  static int OwnNice() {
    errno = 0;
    return ::getpriority(PRIO_PROCESS, 0);
  }

  testing::Sandbox sandbox;
  PosixFiles files;
  PosixLauncher launcher;
};

TEST_F(PosixLaunch, TheProgramGetsTheEntrysArgvFolderAndPriority) {
  const std::string folder = sandbox.path("Carpeta inicial/");
  ProgramEntry e;
  e.program = LAUNCH_RECORDER;
  e.arguments = "\"$(touch " + sandbox.path("pwned") + ")\" `touch x` 'a b' \"\" ;";
  e.startingFolder = folder;
  e.priority = priority_class::Idle;
  const Record r = Run(e, folder);
  EXPECT_EQ(r.folder + "/", folder);
  EXPECT_EQ(r.nice, 19);
  EXPECT_EQ(r.argv, (std::vector<std::string>{LAUNCH_RECORDER, "$(touch " + sandbox.path("pwned") + ")",
                                              "`touch", "x`", "a b", "", ";"}));
  EXPECT_FALSE(sandbox.exists("pwned"));
  EXPECT_FALSE(sandbox.exists("Carpeta inicial/x"));
}

TEST_F(PosixLaunch, PrioritiesAreNiceValuesRelativeToTheSuite) {
  const int own = OwnNice();
  struct Case {
    std::uint32_t priority;
    int nice;
  };
  const Case cases[] = {
      {priority_class::Normal, own},
      {priority_class::BelowNormal, std::min(own + 5, 19)},
      {priority_class::Leave, own},
  };
  for (const auto& c : cases) {
    const std::string folder = sandbox.path("p" + std::to_string(c.priority) + "/");
    ProgramEntry e;
    e.program = LAUNCH_RECORDER;
    e.startingFolder = folder;
    e.priority = c.priority;
    EXPECT_EQ(Run(e, folder).nice, c.nice) << c.priority;
  }
  // Raising priority without the privilege still starts the program.
  const std::string folder = sandbox.path("high/");
  ProgramEntry e;
  e.program = LAUNCH_RECORDER;
  e.startingFolder = folder;
  e.priority = priority_class::High;
  const Record r = Run(e, folder);
  EXPECT_EQ(r.argv, (std::vector<std::string>{LAUNCH_RECORDER}));
  EXPECT_LE(r.nice, own);
}

TEST_F(PosixLaunch, DocumentsAndFoldersGoToTheDefaultApplication) {
  // Run outside CTest the real opener would show the files on this desktop.
  const char* path = std::getenv("PATH");
  if (path == nullptr || std::string(path).rfind(FAKE_BIN ":", 0) != 0) {
    GTEST_SKIP() << "needs the fake xdg-open first in PATH (run through ctest)";
  }
  sandbox.write("docs/carta.txt", "hola");
  ProgramEntry e;
  e.program = sandbox.path("docs/carta.txt");
  e.arguments = "--not-passed";
  const Record doc = Run(e, sandbox.path("docs/"));
  EXPECT_EQ(doc.argv, (std::vector<std::string>{"xdg-open", sandbox.path("docs/carta.txt")}));
  EXPECT_EQ(doc.folder + "/", sandbox.path("docs/"));

  const std::string parent = sandbox.path("Datos/");
  e.program = sandbox.path("Datos/Sub");
  (void)sandbox.path("Datos/Sub/");
  const Record dir = Run(e, parent);
  EXPECT_EQ(dir.argv, (std::vector<std::string>{"xdg-open", sandbox.path("Datos/Sub")}));
}

TEST_F(PosixLaunch, AMissingProgramFailsWithTheSystemsText) {
  ProgramEntry e;
  e.program = sandbox.path("missing");
  const LaunchOutcome r = LaunchEntry(e, {launcher, files, nullptr});
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find(sandbox.path("missing")), std::string::npos) << r.error;
}

}  // namespace
}  // namespace zelvor

namespace zelvor {
namespace {

// The suite blocks its termination signals (it reads them from a
// descriptor); a program it starts must still end on each of them.
TEST(PosixLaunchSignals, AStartedProgramEndsOnTheSignalsTheSuiteBlocks) {
  sigset_t blocked, old;
  sigemptyset(&blocked);
  for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&blocked, s);
  ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &blocked, &old), 0);
  PosixLauncher launcher;
  for (int s : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(s);
    const LaunchResult started = launcher.launch({{"sleep", "30"}, ""});
    ASSERT_TRUE(started.ok) << started.error;
    ASSERT_EQ(::kill(static_cast<pid_t>(started.processId), s), 0);
    // A bound for a hung child, not a timing expectation.
    const std::optional<int> code = launcher.wait(started.processId, 20'000);
    if (!code) {
      (void)::kill(static_cast<pid_t>(started.processId), SIGKILL);
      (void)launcher.wait(started.processId, -1);
    }
    EXPECT_EQ(code, 128 + s);
  }
  ASSERT_EQ(::pthread_sigmask(SIG_SETMASK, &old, nullptr), 0);
}

// The process's state letter from /proc (Z: ended, not yet collected), or 0
// when the process is gone.
char ProcessState(std::int64_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return 0;
  const auto close = line.rfind(')');
  return close == std::string::npos || close + 2 >= line.size() ? 0 : line[close + 2];
}

// Programs nobody waits for are collected by the next launch instead of
// lingering as zombies for the suite's lifetime, and their exit codes stay
// for a later wait.
TEST(PosixLaunchReaping, AnEndedProgramIsCollectedByTheNextLaunchAndKeepsItsExitCode) {
  PosixLauncher launcher;
  const LaunchResult first = launcher.launch({{"sh", "-c", "exit 7"}, ""});
  ASSERT_TRUE(first.ok) << first.error;
  // A bound for a hung child, not a timing expectation.
  for (int i = 0; i < 2000 && ProcessState(first.processId) != 'Z'; ++i) ::usleep(5'000);
  ASSERT_EQ(ProcessState(first.processId), 'Z');

  const LaunchResult second = launcher.launch({{"sh", "-c", "exit 3"}, ""});
  ASSERT_TRUE(second.ok) << second.error;
  EXPECT_EQ(ProcessState(first.processId), 0) << "the ended program is still a zombie";
  EXPECT_EQ(launcher.wait(first.processId, 0), 7);
  EXPECT_EQ(launcher.wait(second.processId, -1), 3);
}

}  // namespace
}  // namespace zelvor
