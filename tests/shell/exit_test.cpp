// "Salir", the exit of the application object, and requests of other processes.

#include <algorithm>

#include "tests/shell/shell_fixture.h"

namespace zelvor::testing {
namespace {

class ExitTest : public ShellTest {
 protected:
  void SetUp() override {
    factory.all();
    ASSERT_TRUE(start().running);
    for (std::size_t i = 0; i < kWindowCount; ++i) (void)app->EnsureWindow(static_cast<WindowKind>(i));
    log.clear();
    desk.tray.log.clear();
  }
};

TEST_F(ExitTest, SalirRemovesIconsSavesThenEndsTheLoopAndTheObjectsGoInTheirOrder) {
  const std::vector<int> shown = desk.tray.ids();
  ASSERT_FALSE(shown.empty());
  std::vector<std::vector<int>> iconsAtSaves;
  for (const auto& u : kUtilities) {
    if (FakeUtility* f = fake(u.kind)) f->onSave = [&] { iconsAtSaves.push_back(desk.tray.ids()); };
  }
  mouse(1, msg::LeftUp);
  choose(3008);
  EXPECT_TRUE(desk.loop.quitRequested());
  EXPECT_TRUE(desk.tray.ids().empty());
  // Every icon shown was removed, and nothing was added or changed on the way out.
  Log removals;
  for (const int id : shown) removals.push_back("remove " + std::to_string(id));
  Log trayLog = desk.tray.log;
  std::sort(trayLog.begin(), trayLog.end());
  std::sort(removals.begin(), removals.end());
  EXPECT_EQ(trayLog, removals);
  // Icons first, then the saves, then the diary.
  EXPECT_EQ(iconsAtSaves, (std::vector<std::vector<int>>(2, std::vector<int>{})));
  EXPECT_EQ(log, (Log{"delete UsageGraph", "delete RaroDarid", "save ReziZovidaraz", "save DuvuZevad",
                      "delete Diary"}));
  EXPECT_EQ(desk.dialogs.findByClass("CPrincipalDlg"), kNoWindow);
  log.clear();
  app->ExitInstance();
  EXPECT_EQ(log, (Log{"delete VadaVU", "delete DuvuZevad", "delete Config", "delete About", "delete Tip",
                      "delete ZiviDuvaza", "delete AutoClose", "delete Update", "delete AutoDialer",
                      "delete ReziZovidaraz", "delete DivoZidezevuza", "delete RaviVarudide",
                      "delete DeveRevazoz", "delete TrafficAlerts", "delete DedoVuv",
                      "delete RemoteShutdown", "delete DadeRive", "delete VaziDuzidarud"}));
  EXPECT_EQ(app->mainWindow(), nullptr);
  EXPECT_EQ(world.holder, 0u);  // the instance lock is free again
}

TEST_F(ExitTest, QuitRequestRunsTheSameExit) {
  SimSingleInstance ctl(world, 77);
  std::string reply, error;
  ASSERT_TRUE(ctl.send("quit", reply, error)) << error;
  EXPECT_EQ(reply, "ok\n");
  EXPECT_TRUE(desk.loop.quitRequested());
  EXPECT_EQ(logged("save "), (Log{"save ReziZovidaraz", "save DuvuZevad"}));
}

TEST_F(ExitTest, SessionEndAndExitActionsLetEveryUtilitySave) {
  struct Case {
    std::function<void()> cause;
    bool saves;
    const char* what;
  };
  const Case cases[] = {
      {[&] { app->mainWindow()->onMessage(msg::QueryEndSession, 0, 0); }, true, "session end"},
      {[&] { app->mainWindow()->RunExitAction(1); }, true, "shut down"},
      {[&] { app->mainWindow()->RunExitAction(3); }, true, "log off"},
      {[&] { app->mainWindow()->RunExitAction(8); }, false, "automatic shutdown window"},
      {[&] { app->mainWindow()->RunExitAction(9); }, false, "shutdown block"},
  };
  for (const Case& c : cases) {
    log.clear();
    c.cause();
    const Log saves = logged("save ");
    EXPECT_EQ(std::count(saves.begin(), saves.end(), "save DuvuZevad"), c.saves ? 1 : 0) << c.what;
    EXPECT_EQ(std::count(saves.begin(), saves.end(), "save ReziZovidaraz"), c.saves ? 1 : 0) << c.what;
  }
}

TEST_F(ExitTest, StatusListsTheUtilitiesOwnLines) {
  fake(UtilityKind::DuvuZevad)->status = {{"note", "0", "Com\tpra", "open"}, {"notebin", "2"}};
  const std::string report = app->mainWindow()->StatusReport();
  // A tab inside a field is escaped, so each record stays one line of fields.
  EXPECT_NE(report.find("note\t0\tCom\\tpra\topen\nnotebin\t2\n"), std::string::npos) << report;
}

TEST_F(ExitTest, ClosedMessagesDeleteTheirObjectsAndEmptyTheSlots) {
  const std::vector<std::pair<std::uint32_t, std::string>> rows{
      {msg::ConfigClosed, "delete Config"},      {msg::AboutClosed, "delete About"},
      {msg::SystemInfoClosed, "delete ZiviDuvaza"}, {msg::DiaryClosed, "delete Diary"},
      {msg::TipClosed, "delete Tip"},            {msg::AutoCloseClosed, "delete AutoClose"},
      {msg::UpdateClosed, "delete Update"},      {msg::AutoDialerClosed, "delete AutoDialer"}};
  for (const auto& [message, expected] : rows) {
    log.clear();
    desk.loop.post(main().handle(), message, 0, 0);
    desk.loop.deliverPosted();
    EXPECT_EQ(log, Log{expected}) << message;
  }
  log.clear();
  desk.loop.post(main().handle(), msg::Ignored1136, 0, 0);
  desk.loop.deliverPosted();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(app->window(WindowKind::Config), nullptr);
  EXPECT_EQ(app->utility(UtilityKind::ZiviDuvaza), nullptr);
}

class ControlTest : public ShellTest {};

TEST_F(ControlTest, StatusListsIconsWindowsAndTheOpenMenu) {
  ASSERT_TRUE(start().running);
  mouse(1, msg::LeftUp);
  SimSingleInstance ctl(world, 77);
  std::string reply, error;
  ASSERT_TRUE(ctl.send("status", reply, error)) << error;
  EXPECT_EQ(reply.rfind("ok\n", 0), 0u);
  EXPECT_NE(reply.find("icon\t1\tZelvor\tZelvor\tproduct:0\ttray\n"), std::string::npos) << reply;
  EXPECT_NE(reply.find("icon\t9\tDuvu Zevad\tDuvu Zevad\tutility:19\ttray\n"), std::string::npos);
  EXPECT_NE(reply.find("icon\t300\tDeve Revazoz\tDeve Revazoz\tutility:21\ttray\n"), std::string::npos);
  EXPECT_NE(reply.find("window\tCPrincipalDlg\tZelvor\thidden\n"), std::string::npos);
  EXPECT_NE(reply.find("menu\tZelvor\n"), std::string::npos);
  EXPECT_NE(reply.find("item\t0\t3001\t-\tAyuda...\n"), std::string::npos);
  EXPECT_NE(reply.find("item\t0\t0\tsubmenu\tUtilidades a mostrar\n"), std::string::npos);
  EXPECT_NE(reply.find("item\t1\t3059\tchecked\tDuvu Zevad\n"), std::string::npos);
  EXPECT_EQ(reply.find("icon\t2\t"), std::string::npos);  // the bar icon is not shown
}

TEST_F(ControlTest, StatusFieldsStayOnOneLine) {
  ASSERT_TRUE(start().running);
  main().icon(9)->SetText("a\tb\nc\\d");
  const std::string report = main().StatusReport();
  EXPECT_NE(report.find("icon\t9\tDuvu Zevad\tDuvu Zevad - a\\tb\\nc\\\\d\tutility:19\ttray\n"),
            std::string::npos)
      << report;
}

TEST_F(ControlTest, CommandRunsAsAHotkeyAndBadRequestsGetErrors) {
  factory.all();
  ASSERT_TRUE(start().running);
  log.clear();
  SimSingleInstance ctl(world, 77);
  std::string reply, error;
  ASSERT_TRUE(ctl.send("command 9 1", reply, error));
  EXPECT_EQ(reply, "ok\n");
  EXPECT_EQ(log, Log{"command DuvuZevad 1"});
  for (const char* bad : {"command 9", "command x 1", "command 9 256", "command 0 1", "command 9 -1",
                          "message 1124", "reboot", "", "status now"}) {
    ASSERT_TRUE(ctl.send(bad, reply, error));
    EXPECT_EQ(reply.rfind("error ", 0), 0u) << bad << ": " << reply;
  }
  EXPECT_EQ(log.size(), 1u);
}

}  // namespace
}  // namespace zelvor::testing
