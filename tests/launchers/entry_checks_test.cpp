// The checks before a list is saved, on real files in the sandbox: which
// entries pass, and the exact messages of those that do not.

#include <gtest/gtest.h>

#include <string>

#include "launchers/entry_checks.h"
#include "launchers/entry_icons.h"
#include "launchers/list_checks.h"
#include "platform/posix/posix_files.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

class EntryChecks : public ::testing::Test {
 protected:
  EntryChecks() {
    sandbox.write("bin/editor", "\x7f" "ELF");
    sandbox.write("docs/carta.txt", "hola");
    (void)sandbox.path("Mis datos/");
    sandbox.write("icons/a.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    sandbox.write("icons/a.ico", std::string("\0\0\1\0\1\0", 6));
    sandbox.write("icons/three.ico", std::string("\0\0\1\0\3\0", 6));
    sandbox.write("icons/many.ico", std::string("\0\0\1\0\x2c\x01", 6));  // 300 images
    sandbox.write("icons/none.ico", std::string("\0\0\1\0\0\0", 6));
    sandbox.write("icons/cut.ico", std::string("\0\0\1\0\3", 5));
    sandbox.write("icons/a.svg", "<?xml version=\"1.0\"?>\n<!-- x -->\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    sandbox.write("icons/a.xpm", "/* XPM */\nstatic char *x[] = {};");
    sandbox.write("icons/a.svgz", "\x1f\x8b\x08");
    sandbox.write("icons/notes.txt.gz", "\x1f\x8b\x08");
    sandbox.write("icons/readme.txt", "no icons here");
    sandbox.write("icons/empty.png", "");
  }
  std::string P(std::string_view relative) { return sandbox.root() + std::string(relative); }

  testing::Sandbox sandbox;
  PosixFiles files;
};

TEST_F(EntryChecks, ProgramAndFolderMustExist) {
  struct Case {
    std::string program;
    std::string folder;
    EntryCheck status;
  };
  const Case cases[] = {
      {"", "", EntryCheck::Ok},
      {P("bin/editor"), "", EntryCheck::Ok},
      {P("docs/carta.txt"), P("Mis datos/"), EntryCheck::Ok},
      {P("Mis datos"), "", EntryCheck::Ok},
      {P("Mis datos/"), P("docs"), EntryCheck::Ok},
      {"editor", "", EntryCheck::Ok},  // found in the program folders
      {"missing-tool", "", EntryCheck::MissingProgram},
      {"Mis datos", "", EntryCheck::MissingProgram},  // a folder is no program to look up
      {P("bin/missing"), "", EntryCheck::MissingProgram},
      {P("bin/missing"), P("nowhere/"), EntryCheck::MissingProgram},  // the program is told first
      {P("bin/editor"), P("nowhere/"), EntryCheck::MissingFolder},
      {"", P("docs/carta.txt"), EntryCheck::MissingFolder},  // a file is no folder
  };
  const ProgramFolders folders = {P("bin/"), P("")};
  for (const auto& c : cases) {
    ProgramEntry e;
    e.program = c.program;
    e.startingFolder = c.folder;
    const EntryCheckResult r = Validate(e, files, folders);
    EXPECT_EQ(r.status, c.status) << c.program << " | " << c.folder;
    EXPECT_EQ(r.ok(), c.status == EntryCheck::Ok);
    EXPECT_EQ(r.message.empty(), r.ok());
  }
}

TEST_F(EntryChecks, MessagesAreTheSuitesOwnTexts) {
  ProgramEntry e;
  e.program = "/opt/nada/prog";
  EXPECT_EQ(Validate(e, files).message,
            "No existe el archivo o la carpeta \"/opt/nada/prog\". \n"
            "Compruebe que el nombre del archivo y su ruta sean correctos.");
  e.program.clear();
  e.startingFolder = "/opt/nada/";
  EXPECT_EQ(Validate(e, files).message,
            "No existe la carpeta \"/opt/nada/\". \nCompruebe que su ruta es correcta.");
  EXPECT_EQ(ValidateIcon({"/opt/nada.ico", 0}, files).message,
            "El archivo \"/opt/nada.ico\" no existe o no contiene iconos. \n"
            "Compruebe que el nombre del archivo y su ruta son correctos, y que contenga iconos.");
  EXPECT_EQ(kEntryCheckTitle, "Configuración de Zelvor");
}

// The icon picker offers as many icons as the file holds, and a file with
// none is refused.
TEST_F(EntryChecks, AnIconFileMustHoldAnImage) {
  struct Case {
    std::string file;
    int icons;
  };
  const Case cases[] = {
      {"accessories-text-editor", 1},  // an icon-theme name
      {P("icons/a.png"), 1},
      {P("icons/a.ico"), 1},
      {P("icons/three.ico"), 3},
      {P("icons/many.ico"), 300},
      {P("icons/none.ico"), 0},
      {P("icons/cut.ico"), 0},
      {P("icons/a.svg"), 1},
      {P("icons/a.xpm"), 1},
      {P("icons/a.svgz"), 1},
      {P("icons/notes.txt.gz"), 0},
      {P("icons/readme.txt"), 0},
      {P("icons/empty.png"), 0},
      {P("icons/missing.png"), 0},
      {P("icons"), 0},
      {P("bin/editor"), 0},
  };
  EXPECT_TRUE(ValidateIcon({"", 0}, files).ok());  // the program's own icon
  for (const auto& c : cases) {
    EXPECT_EQ(IconCount(c.file, files), c.icons) << c.file;
    const EntryCheckResult r = ValidateIcon({c.file, 0}, files);
    EXPECT_EQ(r.ok(), c.icons > 0) << c.file;
    EXPECT_EQ(r.status, c.icons > 0 ? EntryCheck::Ok : EntryCheck::NoIcons) << c.file;
  }
}

TEST_F(EntryChecks, AListStopsAtItsFirstFailingNode) {
  const IconRecord good{P("icons/a.png"), 0};
  const IconRecord missing{P("icons/missing.ico"), 2};
  ProgramEntry ok;
  ok.program = P("bin/editor");
  ProgramEntry lost;
  lost.program = P("bin/lost");
  ListElement separator;
  separator.separator = true;

  std::vector<LauncherMenu> menus(2);
  menus[0].icon = good;
  menus[0].items = {{false, ok, good}, separator};
  menus[1].items = {{false, ok, good}, {false, ok, missing}, {false, lost, good}};
  auto failure = CheckMenus(menus, files, {});
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->element, 2);
  EXPECT_EQ(failure->part, 2);
  EXPECT_EQ(failure->result.message, NoIconsMessage(missing.file));
  menus[1].items[1].icon = good;
  failure = CheckMenus(menus, files, {});
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->part, 3);
  EXPECT_EQ(failure->result.status, EntryCheck::MissingProgram);
  menus[1].items.pop_back();
  EXPECT_FALSE(CheckMenus(menus, files, {}));
  menus[0].icon = missing;
  failure = CheckMenus(menus, files, {});
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->element, 1);
  EXPECT_EQ(failure->part, 0);

  std::vector<Shortcut> shortcuts(1);
  shortcuts[0].left = ok;
  shortcuts[0].right = lost;
  failure = CheckShortcuts(shortcuts, files, {});
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->part, 2);
  shortcuts[0].icon = missing;
  EXPECT_EQ(CheckShortcuts(shortcuts, files, {})->part, 0);

  std::vector<ListElement> programs = {separator, {false, ok, {}}, {false, lost, missing}};
  failure = CheckPrograms(programs, files, {});
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->element, 3);
  programs.pop_back();
  EXPECT_FALSE(CheckPrograms(programs, files, {}));
}

}  // namespace
}  // namespace zelvor
