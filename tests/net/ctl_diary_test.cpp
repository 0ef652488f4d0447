// zelvorctl diary run as a process, the way scripts use it.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/net/cost_cases.h"
#include "tests/support/process.h"
#include "tests/net/diary_sandbox.h"

extern char** environ;

namespace zelvor {
namespace {

struct ProcessRun {
  int status = -1;
  std::string out, err;
};

class CtlDiaryTest : public ::testing::Test {
 protected:
  CtlDiaryTest() : folder(sandbox.root()) {
    testing::Environment vars = sandbox.environment();
    vars["TZ"] = testing::kCentralEurope;
    vars["LC_ALL"] = "C";
    env = testing::entriesOf(vars);
    // zelvorctl installs nothing; the program's first run does.
    const auto first = testing::runZelvorOnce(ZELVOR_PATH, ZELVORCTL_PATH, {}, vars, folder);
    EXPECT_EQ(first.exitCode, 0) << first.err;
  }

  ProcessRun run(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const std::string outPath = folder + "stdout", errPath = folder + "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    ProcessRun r;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
      int status = 0;
      if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) r.status = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    auto slurp = [](const std::string& p) {
      std::ifstream in(p);
      return std::string(std::istreambuf_iterator<char>(in), {});
    };
    r.out = slurp(outPath);
    r.err = slurp(errPath);
    return r;
  }
  ProcessRun ctl(const std::vector<std::string>& args) { return run(ZELVORCTL_PATH, args); }

  static std::vector<std::vector<std::string>> rows(const std::string& text) {
    std::vector<std::vector<std::string>> out;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      std::vector<std::string> cells;
      std::istringstream fields(line);
      for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
      out.push_back(cells);
    }
    return out;
  }

  testing::Sandbox sandbox;
  std::string folder;
  std::vector<std::string> env;
};

TEST_F(CtlDiaryTest, ListPricesWhatAddStoredLikeTheEngine) {
  int i = 0;
  for (const auto& c : testing::kCostCases) {
    const ProcessRun added = ctl({"diary", "add", "entry " + std::to_string(i++), "modem",
                           std::string(c.start), std::to_string(c.duration)});
    ASSERT_EQ(added.status, 0) << c.what << ": " << added.err;
  }
  const ProcessRun listed = ctl({"diary", "list"});
  ASSERT_EQ(listed.status, 0) << listed.err;
  const auto lines = rows(listed.out);
  ASSERT_EQ(lines.size(), testing::kCostCases.size());
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const auto& c = testing::kCostCases[n];
    SCOPED_TRACE(std::string(c.what));
    std::string when(c.start);
    when[10] = ' ';
    EXPECT_EQ(lines[n], (std::vector<std::string>{std::to_string(n), "entry " + std::to_string(n),
                                                  "modem", when, std::to_string(c.duration),
                                                  std::string(c.price)}));
  }
  ASSERT_EQ(ctl({"reg", "set", "Diario/Tarifas", "QuitarDecimales", "--sz", "1"}).status, 0);
  const auto whole = rows(ctl({"diary", "list"}).out);
  ASSERT_EQ(whole.size(), testing::kCostCases.size());
  for (std::size_t n = 0; n < whole.size(); ++n) {
    EXPECT_EQ(whole[n].at(5), testing::kCostCases[n].whole) << testing::kCostCases[n].what;
  }
  EXPECT_TRUE(std::filesystem::exists(folder + "data/zelvor/conexion.dat"));
}

TEST_F(CtlDiaryTest, AddTakesSecondsSince1970AndAnExplicitFile) {
  const std::string file = folder + "other.dat";
  ASSERT_EQ(ctl({"diary", "add", "tab\there", "m", "1717522200", "-5", file}).status, 0);
  const ProcessRun listed = ctl({"diary", "list", file});
  ASSERT_EQ(listed.status, 0) << listed.err;
  // 1717522200 is 2024-06-04 17:30 UTC, 19:30 in Madrid; a negative
  // duration is priced as none.
  EXPECT_EQ(listed.out, "0\ttab here\tm\t2024-06-04 19:30:00\t-5\t13.22\n");
  EXPECT_EQ(std::filesystem::file_size(file), 152u);
}

TEST_F(CtlDiaryTest, BadInputIsRefusedWithAReason) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string_view says;
  };
  const std::vector<Case> cases{
      {{"diary", "add", "e", "m", "2024-13-01T00:00:00", "5"}, 1, "START must be"},
      {{"diary", "add", "e", "m", "2024-02-30T00:00:00", "5"}, 1, "START must be"},
      {{"diary", "add", "e", "m", "yesterday", "5"}, 1, "START must be"},
      {{"diary", "add", "e", "m", "2024-03-31T02:30:00", "5"}, 1, "does not exist in local time"},
      {{"diary", "add", "e", "m", "0", "5s"}, 1, "DURATION must be"},
      {{"diary", "add", "e", "m", "0"}, 2, "usage"},
      {{"diary", "list", "a", "b"}, 2, "usage"},
      {{"diary", "frobnicate"}, 2, "usage"},
      {{"diary", "list", "/nonexistent-folder/conexion.dat"}, 1, "/nonexistent-folder/conexion.dat"},
      {{"diary", "add", "e", "m", "0", "5", "/nonexistent-folder/x.dat"}, 1, "/nonexistent-folder/x.dat"},
  };
  for (const auto& c : cases) {
    const ProcessRun r = ctl(c.args);
    EXPECT_EQ(r.status, c.status) << c.args.back();
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
  EXPECT_EQ(ctl({"diary", "list"}).out, "");  // nothing was added
}

TEST_F(CtlDiaryTest, AMissingConfiguredFolderIsReportedAndTheDataFolderUsed) {
  ASSERT_EQ(ctl({"reg", "set", "DedoVuv", "CarpetaRegistro", "--sz", folder + "gone"}).status, 0);
  const ProcessRun added = ctl({"diary", "add", "e", std::string(100, 'm'), "0", "5"});
  EXPECT_EQ(added.status, 0);
  EXPECT_NE(added.err.find("No se encuentra la carpeta \"" + folder + "gone/\""), std::string::npos);
  EXPECT_NE(added.err.find("MODEM is stored cut to 63 bytes"), std::string::npos);
  const auto lines = rows(ctl({"diary", "list"}).out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].at(2), std::string(63, 'm'));
  EXPECT_EQ(lines[0].at(3), "1970-01-01 01:00:00");
}

}  // namespace
}  // namespace zelvor
