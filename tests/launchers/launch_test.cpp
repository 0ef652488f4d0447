// From an entry to a recorded launch: the argument vector, the starting
// folder, the priority, documents and folders through the default
// application, the argument prompt, and entries run from the store.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "launchers/entry_lists.h"
#include "launchers/launch_plan.h"
#include "launchers/run_stored_entry.h"
#include "platform/sim/sim_platform.h"
#include "tests/launchers/entry_printers.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

using Args = std::vector<std::string>;

class ScriptedPrompt : public ArgumentPrompt {
 public:
  std::optional<std::string> AskArguments(std::string_view title, std::string_view text,
                                          std::string_view initial) override {
    asked.push_back({std::string(title), std::string(text), std::string(initial)});
    return answer;
  }
  struct Asked {
    std::string title, text, initial;
  };
  std::vector<Asked> asked;
  std::optional<std::string> answer;
};

class Launching : public ::testing::Test {
 protected:
  Launching() {
    sandbox.write("bin/tool", "\x7f" "ELF\2\1");
    sandbox.write("bin/script.sh", "#!/bin/sh\n");
    sandbox.write("Datos/carta.odt", "PK\3\4");
    (void)sandbox.path("Datos/Sub/");
  }
  std::string P(std::string_view relative) { return sandbox.root() + std::string(relative); }
  LaunchServices Services(ArgumentPrompt* prompt = nullptr) { return {sim.launcher, sim.files, prompt}; }
  ProgramEntry Entry(std::string program, std::string arguments = "") {
    ProgramEntry e;
    e.description = "Herramienta";
    e.program = std::move(program);
    e.arguments = std::move(arguments);
    return e;
  }

  testing::Sandbox sandbox;
  SimPlatform sim{sandbox.root()};
};

TEST_F(Launching, TheArgumentVectorAndStartingFolderFollowTheEntry) {
  struct Case {
    std::string program;
    std::string arguments;
    std::string folder;
    Args argv;
    std::string workingFolder;
    TargetKind kind;
  };
  const Case cases[] = {
      {P("bin/tool"), "-v \"Mis documentos\" ''", "", {P("bin/tool"), "-v", "Mis documentos", ""}, P("bin/"),
       TargetKind::Program},
      {P("bin/script.sh"), "a", "/srv/", {P("bin/script.sh"), "a"}, "/srv/", TargetKind::Program},
      {"gedit", "x.txt", "", {"gedit", "x.txt"}, "", TargetKind::Program},  // looked up in PATH
      {P("bin/missing"), "", "", {P("bin/missing")}, P("bin/"), TargetKind::Program},
      // Documents and folders go to the default application, alone.
      {P("Datos/carta.odt"), "--ignored", "", {"xdg-open", P("Datos/carta.odt")}, P("Datos/"),
       TargetKind::DefaultApplication},
      {P("Datos/Sub"), "", "", {"xdg-open", P("Datos/Sub")}, P("Datos/"), TargetKind::DefaultApplication},
      {"https://example.org/a b", "", "", {"xdg-open", "https://example.org/a b"}, "",
       TargetKind::DefaultApplication},
  };
  for (const auto& c : cases) {
    ProgramEntry e = Entry(c.program, c.arguments);
    e.startingFolder = c.folder;
    const LaunchPlan plan = PlanLaunch(e, sim.files);
    EXPECT_EQ(plan.status, PlanStatus::Ok) << c.program;
    EXPECT_EQ(plan.kind, c.kind) << c.program;
    EXPECT_EQ(plan.request.argv, c.argv) << c.program;
    EXPECT_EQ(plan.request.workingFolder, c.workingFolder) << c.program;
  }
}

TEST_F(Launching, AFolderWithoutStartingFolderStartsInItsParent) {
  ProgramEntry e = Entry("/home/ana/Datos");
  EXPECT_EQ(StartingFolderOf(e), "/home/ana/");
  e.program = "Datos";
  EXPECT_EQ(StartingFolderOf(e), "");
  e.startingFolder = "/tmp/";
  EXPECT_EQ(StartingFolderOf(e), "/tmp/");
}

TEST_F(Launching, PriorityClassesBecomeNiceValues) {
  struct Case {
    std::uint32_t priority;
    std::optional<int> nice;
    Args prefix;
  };
  const Case cases[] = {
      {0x100, -20, {"nice", "-n", "-20", "--"}},
      {0x80, -10, {"nice", "-n", "-10", "--"}},
      {0x8000, -5, {"nice", "-n", "-5", "--"}},
      {0x20, 0, {}},
      {0x4000, 5, {"nice", "-n", "5", "--"}},
      {0x40, 19, {"nice", "-n", "19", "--"}},
      {0, std::nullopt, {}},
      {0x1234, std::nullopt, {}},
  };
  for (const auto& c : cases) {
    ProgramEntry e = Entry(P("bin/tool"), "a");
    e.priority = c.priority;
    const LaunchPlan plan = PlanLaunch(e, sim.files);
    EXPECT_EQ(plan.nice, c.nice) << c.priority;
    Args expected = c.prefix;
    expected.push_back(P("bin/tool"));
    expected.push_back("a");
    EXPECT_EQ(plan.request.argv, expected) << c.priority;
  }
}

TEST(EnvironmentReferences, OnlySetNamesAreReplaced) {
  const EnvironmentLookup lookup = [](std::string_view name) -> std::optional<std::string> {
    if (name == "HOME") return "/home/ana maría";
    if (name == "EMPTY") return "";
    if (name == "Q") return "'$(id)'";
    return std::nullopt;
  };
  struct Case {
    const char* text;
    const char* expanded;
  };
  const Case cases[] = {
      {"%HOME%", "/home/ana maría"},
      {"%HOME%/Documentos", "/home/ana maría/Documentos"},
      {"a%EMPTY%b", "ab"},
      {"%UNSET%", "%UNSET%"},
      {"%UNSET%HOME%", "%UNSET/home/ana maría"},
      {"100%", "100%"},
      {"%%", "%%"},
      {"%HO ME%", "%HO ME%"},
      {"%HOME", "%HOME"},
      {"%Q%", "'$(id)'"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandEnvironmentReferences(c.text, lookup), c.expanded) << c.text;
}

TEST_F(Launching, ExpandedValuesStayOneArgumentAndAreNeverQuoting) {
  ProgramEntry e = Entry("%BIN%/tool", "%HOME% \"%Q%\" --x=%UNSET%");
  e.startingFolder = "%HOME%";
  const EnvironmentLookup lookup = [this](std::string_view name) -> std::optional<std::string> {
    if (name == "HOME") return "/home/ana maría";
    if (name == "BIN") return P("bin");
    if (name == "Q") return "a' 'b";
    return std::nullopt;
  };
  const LaunchPlan plan = PlanLaunch(e, sim.files, lookup);
  EXPECT_EQ(plan.request.argv, (Args{P("bin/tool"), "/home/ana maría", "a' 'b", "--x=%UNSET%"}));
  EXPECT_EQ(plan.request.workingFolder, "/home/ana maría");
  // Without a lookup nothing is expanded.
  EXPECT_EQ(PlanLaunch(e, sim.files).request.argv[0], "%BIN%/tool");
}

// Inside a Flatpak sandbox an address goes to the desktop portal, written
// so that gdbus reads back exactly the address; local files keep xdg-open
// (the runtime's portal client), and programs start as anywhere else.
TEST_F(Launching, InAFlatpakSandboxAddressesGoToThePortal) {
  const EnvironmentLookup flatpak = [](std::string_view name) -> std::optional<std::string> {
    if (name == "FLATPAK_ID") return "org.example.Zelvor";
    return std::nullopt;
  };
  const EnvironmentLookup empty = [](std::string_view name) -> std::optional<std::string> {
    if (name == "FLATPAK_ID") return "";
    return std::nullopt;
  };
  const Args portal = {"gdbus", "call", "--session", "--dest", "org.freedesktop.portal.Desktop", "--object-path",
                       "/org/freedesktop/portal/desktop", "--method", "org.freedesktop.portal.OpenURI.OpenURI",
                       "''"};
  const auto toPortal = [&portal](std::string literal) {
    Args argv = portal;
    argv.push_back(std::move(literal));
    argv.emplace_back("@a{sv} {}");
    return argv;
  };
  struct Case {
    std::string program;
    EnvironmentLookup environment;
    Args argv;
  };
  const Case cases[] = {
      {"https://example.org/a b", flatpak, toPortal("'https://example.org/a b'")},
      {"https://example.org/it's\\x", flatpak, toPortal("'https://example.org/it\\'s\\\\x'")},
      {"mailto://ana@example.org", flatpak, toPortal("'mailto://ana@example.org'")},
      // The portal refuses file addresses; xdg-open hands it a descriptor instead.
      {"FILE:///home/ana/carta.odt", flatpak, {"xdg-open", "FILE:///home/ana/carta.odt"}},
      {P("Datos/carta.odt"), flatpak, {"xdg-open", P("Datos/carta.odt")}},
      {P("bin/tool"), flatpak, {P("bin/tool")}},
      {"https://example.org/", empty, {"xdg-open", "https://example.org/"}},
      {"https://example.org/", {}, {"xdg-open", "https://example.org/"}},
  };
  for (const Case& c : cases) {
    ProgramEntry e = Entry(c.program, "--ignored");
    if (c.argv.front() == P("bin/tool")) e.arguments.clear();
    e.priority = priority_class::Idle;  // the portal starts the program: no priority to give
    const LaunchPlan plan = PlanLaunch(e, sim.files, c.environment);
    EXPECT_EQ(plan.status, PlanStatus::Ok) << c.program;
    Args expected = c.argv;
    if (expected.front() != "gdbus") expected.insert(expected.begin(), {"nice", "-n", "19", "--"});
    EXPECT_EQ(plan.request.argv, expected) << c.program;
    EXPECT_EQ(plan.portal, expected.front() == "gdbus") << c.program;
  }
}

TEST_F(Launching, WindowModesAreKeptAsShowCommands) {
  EXPECT_EQ(ShowCommandOf(0), kShowNormal);
  EXPECT_EQ(ShowCommandOf(1), kShowMinimisedNoActivate);
  EXPECT_EQ(ShowCommandOf(2), kShowMaximised);
  EXPECT_EQ(ShowCommandOf(7), kShowNormal);
}

TEST_F(Launching, NothingTypedReachesAShell) {
  ProgramEntry e = Entry(P("bin/tool"), "\"$(touch " + P("pwned") + ")\" `id` ;rm");
  ASSERT_TRUE(LaunchEntry(e, Services()).ok);
  ASSERT_EQ(sim.launcher.launched.size(), 1u);
  EXPECT_EQ(sim.launcher.launched[0].argv, (Args{P("bin/tool"), "$(touch " + P("pwned") + ")", "`id`", ";rm"}));
  EXPECT_FALSE(sandbox.exists("pwned"));
}

TEST_F(Launching, EmptyProgramsAndBrokenQuotesStartNothing) {
  EXPECT_FALSE(LaunchEntry(Entry(""), Services()).ok);
  const LaunchPlan broken = PlanLaunch(Entry(P("bin/tool"), "\"abc"), sim.files);
  EXPECT_EQ(broken.status, PlanStatus::UnterminatedQuote);
  EXPECT_FALSE(LaunchEntry(Entry(P("bin/tool"), "'abc"), Services()).ok);
  EXPECT_TRUE(sim.launcher.launched.empty());

  sim.launcher.failWith = "No such file or directory";
  const LaunchOutcome failed = LaunchEntry(Entry(P("bin/tool")), Services());
  EXPECT_FALSE(failed.ok);
  EXPECT_EQ(failed.error, "No such file or directory");
}

TEST_F(Launching, ThePromptReplacesTheArgumentsForThisLaunchOnly) {
  ScriptedPrompt prompt;
  ProgramEntry e = Entry(P("bin/tool"), "--old");
  e.askForArguments = 1;

  prompt.answer = "uno 'dos tres'";
  ASSERT_TRUE(LaunchEntry(e, Services(&prompt)).ok);
  ASSERT_EQ(prompt.asked.size(), 1u);
  EXPECT_EQ(prompt.asked[0].title, "Zelvor");
  EXPECT_EQ(prompt.asked[0].text, "Introduzca los argumentos para el programa: \n\nHerramienta\n" + P("bin/tool"));
  EXPECT_EQ(prompt.asked[0].initial, "--old");
  EXPECT_EQ(sim.launcher.launched.back().argv, (Args{P("bin/tool"), "uno", "dos tres"}));

  // Cancel still starts the program, without arguments.
  prompt.answer.reset();
  ASSERT_TRUE(LaunchEntry(e, Services(&prompt)).ok);
  EXPECT_EQ(sim.launcher.launched.back().argv, (Args{P("bin/tool")}));
  EXPECT_EQ(e.arguments, "--old");

  e.askForArguments = 0;
  ASSERT_TRUE(LaunchEntry(e, Services(&prompt)).ok);
  EXPECT_EQ(prompt.asked.size(), 2u) << "no prompt without the option";
}

TEST_F(Launching, StoredEntriesRunFromTheirPlaceInTheirList) {
  std::vector<Shortcut> shortcuts(1);
  shortcuts[0].left = Entry(P("bin/tool"), "izquierdo");
  shortcuts[0].right = Entry(P("bin/tool"), "derecho");
  ASSERT_EQ(SaveShortcuts(sim.registry, shortcuts), RegStatus::Ok);
  std::vector<LauncherMenu> menus(1);
  ListElement separator;
  separator.separator = true;
  menus[0].items = {{false, Entry(P("bin/script.sh"), "item"), {}}, separator};
  ASSERT_EQ(SaveMenus(sim.registry, menus), RegStatus::Ok);
  std::vector<ListElement> programs = {{false, Entry(P("bin/tool"), "conectar"), {}},
                                       {false, Entry(P("Datos/carta.odt")), {}}};
  programs[0].entry.closeOnDisconnect = 1;
  ASSERT_EQ(SavePrograms(sim.registry, EntryList::ConnectPrograms, programs), RegStatus::Ok);

  const LaunchServices services = Services();
  EXPECT_EQ(RunStoredEntry(sim.registry, services, StoredEntryKind::ShortcutLeft, 1, 0), 1);
  EXPECT_EQ(sim.launcher.launched.back().argv, (Args{P("bin/tool"), "izquierdo"}));
  EXPECT_EQ(RunStoredEntry(sim.registry, services, StoredEntryKind::ShortcutRight, 1, 0), 1);
  EXPECT_EQ(sim.launcher.launched.back().argv, (Args{P("bin/tool"), "derecho"}));
  EXPECT_EQ(RunStoredEntry(sim.registry, services, StoredEntryKind::MenuItem, 1, 1), 1);
  EXPECT_EQ(sim.launcher.launched.back().argv, (Args{P("bin/script.sh"), "item"}));

  int close = -1;
  const std::int64_t pid = RunStoredEntry(sim.registry, services, StoredEntryKind::ConnectProgram, 1, 0, &close);
  EXPECT_EQ(pid, static_cast<std::int64_t>(sim.launcher.launched.size()));
  EXPECT_EQ(close, 1);
  // A document has no process of ours to follow or end.
  EXPECT_EQ(RunStoredEntry(sim.registry, services, StoredEntryKind::ConnectProgram, 2, 0, &close), 0);
  EXPECT_EQ(close, 0);
  EXPECT_EQ(sim.launcher.launched.back().argv, (Args{"xdg-open", P("Datos/carta.odt")}));

  const std::size_t before = sim.launcher.launched.size();
  EXPECT_EQ(RunStoredEntry(sim.registry, services, StoredEntryKind::MenuItem, 1, 2), 0) << "a separator";
  EXPECT_EQ(RunStoredEntry(sim.registry, services, StoredEntryKind::MenuItem, 4, 1), 0) << "a missing key";
  EXPECT_EQ(RunStoredEntry(sim.registry, services, StoredEntryKind::ConnectProgram, 9, 0, &close), 0);
  EXPECT_EQ(sim.launcher.launched.size(), before);
}

}  // namespace
}  // namespace zelvor
