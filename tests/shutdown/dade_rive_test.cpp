// Dade Rive in the assembled program on the simulated desktop: the exit
// actions with every step, the shutdown block and the end-of-session query.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "launchers/entry_lists.h"
#include "platform/messages.h"
#include "shell/principal_dlg.h"
#include "shell/shell_helpers.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"
#include "shutdown/dade_rive.h"
#include "tests/support/sim_suite.h"

namespace zelvor {
namespace {

namespace fs = std::filesystem;
constexpr int kIcon = 4;

class DadeRiveTest : public testing::SimSuiteTest {
 protected:
  void mouse(std::uint32_t m) {
    ASSERT_TRUE(desk.tray.mouse(kIcon, m));
    desk.loop.deliverPosted();
  }
  void menuCommand(int code) {
    mouse(msg::RightUp);  // the default right button opens the menu
    ASSERT_TRUE(desk.menus.choose(300 + code)) << code;
    desk.loop.deliverPosted();
  }
  void setValue(std::string_view name, std::string_view value) {
    CRegKeyEx k(sim.registry);
    ASSERT_EQ(k.Create(Hive::CurrentUser, ConfigStore::KeyPath("DadeRive")), RegStatus::Ok);
    k.SetString(name, value);
  }
  void addPrograms(const std::vector<std::pair<std::string, std::uint32_t>>& programs) {
    std::vector<ListElement> list;
    for (const auto& [program, flags] : programs) {
      ListElement e;
      e.entry.description = program;
      e.entry.program = program;
      e.entry.flags = flags;
      list.push_back(e);
    }
    ASSERT_EQ(SavePrograms(sim.registry, EntryList::ShutdownPrograms, list), RegStatus::Ok);
  }
  [[nodiscard]] std::vector<std::string> launchedPrograms() const {
    std::vector<std::string> out;
    for (const auto& l : sim.launcher.launched) out.push_back(l.argv.front());
    return out;
  }
  [[nodiscard]] std::vector<std::string> questions() const {
    std::vector<std::string> out;
    for (const auto& b : desk.messageBoxes.shown) out.push_back(b.text);
    return out;
  }
  [[nodiscard]] CDadeRive& dade() { return dynamic_cast<CDadeRive&>(*app->utility(UtilityKind::DadeRive)); }
  [[nodiscard]] std::string tmp() { return sim.folders.temporaryFolder(); }
  [[nodiscard]] int iconImage() { return app->mainWindow()->icon(kIcon)->imageIndex(); }
};

TEST_F(DadeRiveTest, LeftDoubleClickAsksThenEmptiesTheTemporaryFolderAndPowersOff) {
  sandbox.write("tmp/old.log", "x");
  sandbox.write("tmp/cache/part", "y");
  const int fd = ::mkfifo((tmp() + "pipe").c_str(), 0600);
  ASSERT_EQ(fd, 0);
  mouse(msg::LeftDoubleClick);
  EXPECT_EQ(questions(), std::vector<std::string>{"¿Desea apagar el sistema?"});
  ASSERT_FALSE(desk.messageBoxes.shown.empty());
  EXPECT_EQ(desk.messageBoxes.shown[0].caption, "Dade Rive");
  EXPECT_TRUE(desk.messageBoxes.shown[0].systemModal);
  EXPECT_FALSE(fs::exists(tmp() + "old.log"));
  EXPECT_FALSE(fs::exists(tmp() + "cache"));
  EXPECT_TRUE(fs::exists(tmp() + "pipe"));  // a pipe is never deleted
  EXPECT_TRUE(fs::is_directory(tmp()));
  ASSERT_EQ(desk.power.performed.size(), 1u);
  EXPECT_EQ(desk.power.performed[0], std::make_pair(PowerAction::PowerOff, false));
}

TEST_F(DadeRiveTest, EachActionAsksAndEmptiesAsTheDefaultsSay) {
  struct Case {
    int code;
    PowerAction action;
    const char* question;  // "" asks nothing
    bool empties;
  };
  const Case cases[] = {
      {1, PowerAction::PowerOff, "¿Desea apagar el sistema?", true},
      {2, PowerAction::Reboot, "¿Desea reiniciar el sistema?", true},
      {4, PowerAction::Suspend, "", false},
      {5, PowerAction::Hibernate, "", false},
      {6, PowerAction::LockSession, "", false},
  };
  for (const Case& c : cases) {
    desk.messageBoxes.shown.clear();
    desk.power.performed.clear();
    sandbox.write("tmp/file", "x");
    menuCommand(c.code);
    EXPECT_EQ(questions(), c.question[0] ? std::vector<std::string>{c.question} : std::vector<std::string>{})
        << c.code;
    EXPECT_EQ(fs::exists(tmp() + "file"), !c.empties) << c.code;
    ASSERT_EQ(desk.power.performed.size(), 1u) << c.code;
    EXPECT_EQ(desk.power.performed[0].first, c.action) << c.code;
  }
}

TEST_F(DadeRiveTest, NoToTheQuestionStopsBeforeAnythingRuns) {
  addPrograms({{"/usr/bin/backup", 0xFFFF}});
  sandbox.write("tmp/file", "x");
  desk.messageBoxes.script = {MsgAnswer::No};
  menuCommand(1);
  EXPECT_TRUE(sim.launcher.launched.empty());
  EXPECT_TRUE(fs::exists(tmp() + "file"));
  EXPECT_TRUE(desk.power.performed.empty());
}

TEST_F(DadeRiveTest, TheBlockTakesTheSystemLockAndRefusesTheSessionEnd) {
  const std::string ding = sandbox.path("ding.wav");
  sandbox.write("ding.wav", "RIFF");
  CRegKeyEx k(sim.registry);
  ASSERT_EQ(k.Create(Hive::CurrentUser, SoundEventKey("SystemExclamation")), RegStatus::Ok);
  k.SetString("", ding);

  menuCommand(9);
  EXPECT_TRUE(dade().shutdownBlocked());
  EXPECT_EQ(desk.power.blockCalls, std::vector<bool>{true});
  EXPECT_EQ(iconImage(), 10);
  // The menu shows the check mark the next time it opens.
  mouse(msg::RightUp);
  const MenuItem* item = desk.menus.item(309);
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->checked);
  desk.menus.close();
  desk.loop.deliverPosted();

  app->mainWindow()->onMessage(msg::QueryEndSession, 0, 0);
  EXPECT_FALSE(dade().queryEndSession());
  ASSERT_FALSE(desk.sound.plays.empty());
  EXPECT_EQ(desk.sound.plays.back().file, ding);
  EXPECT_EQ(app->mainWindow()->tooltip().html(),
            "<table><tr><td><ilst index=1></td><td><b>Dade Rive</b><br><hr color=blue><br>"
            "Cancelado el apagado del sistema.</td></tr></table>");
  const Rect area = desk.screen.workArea();
  const WindowModel* balloon = desk.dialogs.model(app->mainWindow()->tooltip().window());
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(balloon->geometry.left, area.right - 20);
  EXPECT_EQ(balloon->geometry.top, area.bottom - 10);

  menuCommand(9);
  EXPECT_FALSE(dade().shutdownBlocked());
  EXPECT_EQ(desk.power.blockCalls, (std::vector<bool>{true, false}));
  EXPECT_EQ(iconImage(), 8);
  EXPECT_TRUE(dade().queryEndSession());
}

TEST_F(DadeRiveTest, AnActionWhileBlockedAsksToLiftTheBlockFirst) {
  menuCommand(9);
  desk.messageBoxes.script = {MsgAnswer::No};
  menuCommand(4);
  EXPECT_EQ(questions(), std::vector<std::string>{"Está bloqueado el apagado del sistema. ¿Desea desbloquearlo?"});
  EXPECT_TRUE(dade().shutdownBlocked());
  EXPECT_TRUE(desk.power.performed.empty());
  desk.messageBoxes.shown.clear();
  menuCommand(4);  // Yes
  EXPECT_FALSE(dade().shutdownBlocked());
  EXPECT_EQ(desk.power.blockCalls, (std::vector<bool>{true, false}));
  ASSERT_EQ(desk.power.performed.size(), 1u);
  // The automatic shutdown asks too: the block is the user's word.
  menuCommand(9);
  desk.messageBoxes.shown.clear();
  desk.messageBoxes.script = {MsgAnswer::No};
  dade().RunExitAction(1, CDadeRive::Confirm::Skip, CDadeRive::Force::Yes, CDadeRive::Origin::Automatic);
  EXPECT_EQ(questions(), std::vector<std::string>{"Está bloqueado el apagado del sistema. ¿Desea desbloquearlo?"});
  EXPECT_EQ(desk.power.performed.size(), 1u);
}

TEST_F(DadeRiveTest, ProgramsRunByTheirBitsForManualAndAutomaticRequests) {
  // Bit 7 is "Apagar sistema automáticamente"; bit 0 "Apagar sistema manualmente".
  addPrograms({{"/usr/bin/only-automatic", 1u << 7}, {"/usr/bin/only-manual", 1u << 0},
               {"/usr/bin/restart-only", 1u << 1}});
  menuCommand(1);
  EXPECT_EQ(launchedPrograms(), std::vector<std::string>{"/usr/bin/only-manual"});
  sim.launcher.launched.clear();
  dade().RunExitAction(1, CDadeRive::Confirm::Skip, CDadeRive::Force::Yes, CDadeRive::Origin::Automatic);
  EXPECT_EQ(launchedPrograms(), std::vector<std::string>{"/usr/bin/only-automatic"});
  ASSERT_EQ(desk.power.performed.size(), 2u);
  EXPECT_EQ(desk.power.performed[1], std::make_pair(PowerAction::PowerOff, true));
}

TEST_F(DadeRiveTest, TheWaitKeepsTheLoopRunningAndEndsAtTheLimit) {
  struct Case {
    const char* wait;  // SegundosAEsperarProgramas
    int actsAfterMs;   // -1: only once the program has ended
  };
  const Case cases[] = {{"30", 30000}, {"0", -1}, {"", -1}};
  for (const Case& c : cases) {
    desk.power.performed.clear();
    sim.launcher.launched.clear();
    setValue("SegundosAEsperarProgramas", c.wait);
    addPrograms({{"/usr/bin/slow", 0xFFFF}});
    sim.launcher.running = {1};
    menuCommand(4);
    EXPECT_TRUE(dade().Waiting()) << c.wait;
    // The loop goes on meanwhile: the status request is answered.
    EXPECT_NE(app->mainWindow()->StatusReport().find("exitwait\tSuspender\t1"), std::string::npos) << c.wait;
    desk.loop.advanceMs(29900);
    EXPECT_TRUE(desk.power.performed.empty()) << c.wait;
    desk.loop.advanceMs(200);
    if (c.actsAfterMs > 0) {
      EXPECT_EQ(desk.power.performed.size(), 1u) << c.wait;
      continue;
    }
    EXPECT_TRUE(desk.power.performed.empty()) << c.wait;
    sim.launcher.running.clear();  // the program ends
    desk.loop.advanceMs(100);
    EXPECT_EQ(desk.power.performed.size(), 1u) << c.wait;
    EXPECT_FALSE(dade().Waiting());
  }
}

TEST_F(DadeRiveTest, TheWaitCoversOnlyTheProgramsBeforeTheFirstThatDidNotStart) {
  addPrograms({{"/usr/bin/first", 0xFFFF}, {"", 0xFFFF}, {"/usr/bin/never-waited", 0xFFFF}});
  sim.launcher.running = {2};  // would be the third launch
  menuCommand(4);
  EXPECT_EQ(launchedPrograms(), std::vector<std::string>{"/usr/bin/first"});
  EXPECT_EQ(desk.power.performed.size(), 1u);
}

TEST_F(DadeRiveTest, ASecondRequestDuringTheWaitIsIgnored) {
  addPrograms({{"/usr/bin/slow", 0xFFFF}});
  sim.launcher.running = {1};
  menuCommand(4);
  menuCommand(5);
  EXPECT_EQ(sim.launcher.launched.size(), 1u);
  sim.launcher.running.clear();
  desk.loop.advanceMs(100);
  ASSERT_EQ(desk.power.performed.size(), 1u);
  EXPECT_EQ(desk.power.performed[0].first, PowerAction::Suspend);
}

TEST_F(DadeRiveTest, FailuresShowTheSystemsTextUnderTheActionsTitle) {
  struct Case {
    int code;
    const char* title;
  };
  const Case cases[] = {{1, "Error al apagar el sistema"},   {2, "Error al reiniciar el sistema"},
                        {4, "Error al suspender el sistema"}, {5, "Error al suspender el sistema"},
                        {6, "Error al bloquear la estación"}};
  desk.power.failWith = "Access denied";
  for (const Case& c : cases) {
    desk.messageBoxes.shown.clear();
    menuCommand(c.code);
    ASSERT_FALSE(desk.messageBoxes.shown.empty()) << c.code;
    const MessageBoxRequest& box = desk.messageBoxes.shown.back();
    EXPECT_EQ(box.caption, c.title) << c.code;
    EXPECT_EQ(box.text, "Access denied") << c.code;
    EXPECT_EQ(box.icon, MsgIcon::Error);
    EXPECT_TRUE(box.systemModal);
  }
}

TEST_F(DadeRiveTest, MsDosRestartOnlySaysItIsNotSupported) {
  addPrograms({{"/usr/bin/backup", 0xFFFF}});
  sandbox.write("tmp/file", "x");
  dade().command(7, {});
  EXPECT_EQ(questions(), std::vector<std::string>{"Esta versión de Windows no soporta el modo MS-DOS."});
  EXPECT_TRUE(sim.launcher.launched.empty());
  EXPECT_TRUE(fs::exists(tmp() + "file"));
  EXPECT_TRUE(desk.power.performed.empty());
}

TEST_F(DadeRiveTest, LogOffClosesTheSuiteFirst) {
  menuCommand(3);
  EXPECT_TRUE(desk.loop.quitRequested());
  EXPECT_TRUE(desk.tray.ids().empty());
  ASSERT_EQ(desk.power.performed.size(), 1u);
  EXPECT_EQ(desk.power.performed[0].first, PowerAction::LogOff);
}

TEST_F(DadeRiveTest, HotkeysRunTheirCommands) {
  // Dade Rive's hotkey command c has the id 4 × 256 + c.
  app->mainWindow()->OnHotKey(4 * 256 + 9);
  EXPECT_TRUE(dade().shutdownBlocked());
  app->mainWindow()->OnHotKey(4 * 256 + 8);
  EXPECT_NE(desk.dialogs.findByClass("CAutoCloseDlg"), kNoWindow);
}

TEST_F(DadeRiveTest, TheSessionEndIsWatchedAndStatusShowsTheBlock) {
  EXPECT_EQ(desk.power.watcher, app->mainWindow()->handle());
  EXPECT_NE(app->mainWindow()->StatusReport().find("shutdownblock\toff\n"), std::string::npos);
  menuCommand(9);
  EXPECT_NE(app->mainWindow()->StatusReport().find("shutdownblock\ton\tsystem-lock\n"), std::string::npos);
}

}  // namespace
}  // namespace zelvor
