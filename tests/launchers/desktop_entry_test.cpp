// Import of desktop entry files: the keys read from [Desktop Entry], the
// Exec line with its quoting and field codes, and the entry made of them.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "launchers/argument_split.h"
#include "launchers/desktop_entry.h"
#include "platform/posix/posix_files.h"
#include "tests/launchers/entry_printers.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

using Args = std::vector<std::string>;

TEST(DesktopExec, QuotingAndFieldCodes) {
  struct Case {
    const char* exec;
    std::optional<Args> args;
  };
  const Case cases[] = {
      {"gedit %U", Args{"gedit"}},
      {"vlc --started-from-file %F", Args{"vlc", "--started-from-file"}},
      {"app %f %F %u %U %d %D %n %N %i %c %k %v %m", Args{"app"}},
      {"app --file=%f --name %c", Args{"app", "--file=", "--name"}},
      {"app 100%% %%f", Args{"app", "100%", "%f"}},
      {"app %", Args{"app"}},
      {"app %z x", Args{"app", "x"}},  // an unknown code goes too
      {"app a%ñ", Args{"app", "a\xc3\xb1"}},
      {"\"/opt/My App/run\" --x", Args{"/opt/My App/run", "--x"}},
      {"sh -c \"echo \\\"hi\\\" \\$HOME \\`id\\` \\\\\"", Args{"sh", "-c", "echo \"hi\" $HOME `id` \\"}},
      {"app \"\"", Args{"app", ""}},
      {"app \"a\\b\"", Args{"app", "a\\b"}},
      {"app  \t x", Args{"app", "x"}},
      {"app 'single quoted'", Args{"app", "'single", "quoted'"}},
      {"", Args{}},
      {"app \"open", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitExec(c.exec), c.args) << c.exec;

  std::string many = "app";
  for (std::size_t i = 0; i <= kMaxExecArguments; ++i) many += " a";
  EXPECT_FALSE(SplitExec(many));
}

TEST(DesktopEntryImport, KeysBecomeAnEntry) {
  struct Case {
    const char* what;
    std::string text;
    std::optional<ImportedEntry> expected;
  };
  const auto Entry = [](std::string description, std::string program, std::string arguments,
                        std::string folder, std::string icon) {
    ImportedEntry e;
    e.entry.description = std::move(description);
    e.entry.program = std::move(program);
    e.entry.arguments = std::move(arguments);
    e.entry.startingFolder = std::move(folder);
    e.icon = {std::move(icon), 0};
    return std::optional<ImportedEntry>(e);
  };
  const Case cases[] = {
      {"a plain application",
       "[Desktop Entry]\nType=Application\nName=Text Editor\nExec=gedit %U\nIcon=org.gnome.gedit\n",
       Entry("Text Editor", "gedit", "", "", "org.gnome.gedit")},
      {"Spanish names first, the first of a repeated key, blanks round '='",
       "# comment\n[Desktop Entry]\r\nName=Calculator\r\nName[es]=Calculadora\r\nName = Otra\r\n"
       "Exec = /usr/bin/gnome-calculator  --mode=basic %f\r\nPath=/tmp\r\nIcon=/usr/share/c.svg\r\n",
       Entry("Calculadora", "/usr/bin/gnome-calculator", "--mode=basic", "/tmp", "/usr/share/c.svg")},
      {"quoted arguments stored so that they split back",
       "[Desktop Entry]\nName=X\nExec=\"/opt/My App/run\" \"two words\" \"it's\"\n",
       Entry("X", "/opt/My App/run", "'two words' 'it'\\''s'", "", "")},
      {"string escapes before the Exec quoting",
       "[Desktop Entry]\nName=Tab\\tName\nExec=app\\sx \"a\\\\\\\\b\"\n",
       Entry("Tab\tName", "app", "x 'a\\b'", "", "")},
      {"a terminal program runs in the terminal",
       "[Desktop Entry]\nName=Top\nExec=htop --tree\nTerminal=true\n",
       Entry("Top", "x-terminal-emulator", "-e htop --tree", "", "")},
      {"a byte-order mark before the group",
       "\xEF\xBB\xBF[Desktop Entry]\nName=Bom\nExec=bom\n", Entry("Bom", "bom", "", "", "")},
      {"no Name: the file's name",
       "[Desktop Entry]\nExec=xterm\n", Entry("xterm-local", "xterm", "", "", "")},
      {"a link opens its address",
       "[Desktop Entry]\nType=Link\nName=Web\nURL=https://example.org/\n",
       Entry("Web", "https://example.org/", "", "", "")},
      {"keys of other groups are not ours",
       "[Desktop Entry]\nName=Main\nExec=main\n[Desktop Action new]\nName=New\nExec=main --new\n",
       Entry("Main", "main", "", "", "")},
      {"an overlong line is skipped",
       "[Desktop Entry]\nName=" + std::string(kMaxDesktopLineBytes, 'x') + "\nExec=ok\n",
       Entry("xterm-local", "ok", "", "", "")},
      {"no group", "Name=X\nExec=x\n", std::nullopt},
      {"keys before the group", "Exec=x\n[Desktop Entry]\nName=X\n", std::nullopt},
      {"no Exec", "[Desktop Entry]\nName=X\n", std::nullopt},
      {"Exec of field codes only", "[Desktop Entry]\nExec=%U\n", std::nullopt},
      {"an unterminated quote", "[Desktop Entry]\nExec=\"app\n", std::nullopt},
      {"a link without address", "[Desktop Entry]\nType=Link\n", std::nullopt},
      {"a directory entry", "[Desktop Entry]\nType=Directory\nExec=x\n", std::nullopt},
      {"too large", "[Desktop Entry]\nExec=x\n#" + std::string(kMaxDesktopFileBytes, ' '), std::nullopt},
  };
  for (const auto& c : cases) {
    const auto got = ImportDesktopEntry(c.text, "/usr/share/applications/xterm-local.desktop");
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.what;
    if (!got) continue;
    EXPECT_EQ(got->entry, c.expected->entry) << c.what;
    EXPECT_EQ(got->icon, c.expected->icon) << c.what;
  }
}

TEST(DesktopEntryImport, AFileFillsOnlyTheImportedFields) {
  testing::Sandbox sandbox;
  PosixFiles files;
  sandbox.write("app.desktop", "[Desktop Entry]\nName=App\nExec=app --a\nPath=/srv\nIcon=app\n");
  sandbox.write("broken.desktop", "not a desktop entry");
  sandbox.write("big.desktop", "[Desktop Entry]\nExec=x\n" + std::string(kMaxDesktopFileBytes, '#'));

  ProgramEntry entry;
  entry.askForArguments = 1;
  entry.window = 2;
  entry.hotkey = 0x241;
  entry.priority = 0x40;
  IconRecord icon{"old", 4};
  ASSERT_TRUE(ImportDesktopFile(files, sandbox.path("app.desktop"), entry, &icon));
  EXPECT_EQ(entry.description, "App");
  EXPECT_EQ(entry.program, "app");
  EXPECT_EQ(entry.arguments, "--a");
  EXPECT_EQ(entry.startingFolder, "/srv");
  EXPECT_EQ(entry.askForArguments, 0);
  EXPECT_EQ(entry.window, 0);
  EXPECT_EQ(entry.hotkey, 0x241u) << "not the import's to change";
  EXPECT_EQ(entry.priority, 0x40u);
  EXPECT_EQ(icon, (IconRecord{"app", 0}));

  const ProgramEntry before = entry;
  for (const char* name : {"broken.desktop", "big.desktop", "missing.desktop"}) {
    EXPECT_FALSE(ImportDesktopFile(files, sandbox.path(name), entry, &icon)) << name;
    EXPECT_EQ(entry, before) << name;
  }
}

}  // namespace
}  // namespace zelvor
