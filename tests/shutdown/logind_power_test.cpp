// The power service over logind, against python3-dbusmock's logind on a
// private bus: the calls and their flags, the block and delay locks, the
// shutdown announcement, failures, and the desktop's session manager for
// logging off. Then the assembled program on that mock.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/logind/logind_power.h"
#include "platform/messages.h"
#include "platform/sim/sim_clock.h"
#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"
#include "shutdown/dade_rive.h"
#include "tests/support/logind_mock.h"
#include "tests/support/sim_suite.h"

namespace zelvor {
namespace {

using testing::Inhibitor;
using testing::LogindMock;

// Records the messages the power service posts.
class Recorder final : public MessageTarget {
 public:
  void onMessage(std::uint32_t message, std::intptr_t, std::intptr_t) override { messages.push_back(message); }
  void onTimer(int) override {}
  std::vector<std::uint32_t> messages;
};

class LogindPowerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::PrivateBus::toolsInstalled()) GTEST_SKIP() << "dbus-daemon or python3-dbusmock missing";
    ASSERT_TRUE(mock.start(loop));
    power = std::make_unique<logind::LogindPower>(
        loop, mock.connection(), mock.connection(), [this](std::string_view name) -> std::optional<std::string> {
          if (name == "XDG_SESSION_ID" && !sessionId.empty()) return sessionId;
          return std::nullopt;
        });
  }
  [[nodiscard]] bool inhibited(const std::string& mode) {
    for (const Inhibitor& i : mock.inhibitors()) {
      if (i.what == "shutdown" && i.who == "Zelvor" && i.mode == mode) return true;
    }
    return false;
  }

  testing::Sandbox sandbox;
  SimClock clock;
  SimEventLoop loop{clock};
  LogindMock mock{sandbox};
  std::string sessionId = "c7";
  std::unique_ptr<logind::LogindPower> power;
};

TEST_F(LogindPowerTest, ActionsReachLogindAndForceMeansNobodyIsAsked) {
  struct Case {
    PowerAction action;
    const char* method;
  };
  const Case cases[] = {{PowerAction::PowerOff, "PowerOff"},
                        {PowerAction::Reboot, "Reboot"},
                        {PowerAction::Suspend, "Suspend"},
                        {PowerAction::Hibernate, "Hibernate"}};
  for (const Case& c : cases) {
    for (const bool force : {false, true}) {
      const PowerResult r = power->perform(c.action, force);
      EXPECT_TRUE(r.ok) << c.method << r.error;
      const auto calls = mock.logindCalls(QString::fromLatin1(c.method));
      ASSERT_FALSE(calls.empty()) << c.method;
      ASSERT_EQ(calls.back().size(), 1) << c.method;
      // interactive: logind may ask the user for authorisation only when someone is there.
      EXPECT_EQ(calls.back().front().toBool(), !force) << c.method;
    }
  }
}

TEST_F(LogindPowerTest, LockAndLogOffActOnTheOwnSession) {
  ASSERT_TRUE(power->perform(PowerAction::LockSession, false).ok);
  auto locks = mock.logindCalls(QStringLiteral("LockSession"));
  ASSERT_EQ(locks.size(), 1u);
  EXPECT_EQ(locks[0].front().toString(), QStringLiteral("c7"));
  // No session manager on the session bus: logind ends the session.
  ASSERT_TRUE(power->perform(PowerAction::LogOff, false).ok);
  auto ends = mock.logindCalls(QStringLiteral("TerminateSession"));
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0].front().toString(), QStringLiteral("c7"));
  EXPECT_TRUE(mock.logindCalls(QStringLiteral("PowerOff")).empty());
}

TEST_F(LogindPowerTest, LogOffAsksTheDesktopsSessionManagerFirst) {
  const QString name = QStringLiteral("org.gnome.SessionManager");
  const QString path = QStringLiteral("/org/gnome/SessionManager");
  ASSERT_TRUE(mock.bus().startService(name.toStdString(), path.toStdString(), name.toStdString()));
  ASSERT_TRUE(mock.owned(name, &loop));
  (void)mock.mock(name, path, QStringLiteral("AddMethod"),
                  {name, QStringLiteral("Logout"), QStringLiteral("u"), QString(), QString()});
  ASSERT_TRUE(power->perform(PowerAction::LogOff, false).ok);
  ASSERT_TRUE(power->perform(PowerAction::LogOff, true).ok);
  const auto calls = mock.callsOf(name, path, QStringLiteral("Logout"));
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].front().toUInt(), 1u);  // without asking
  EXPECT_EQ(calls[1].front().toUInt(), 2u);  // even when a program objects
  EXPECT_TRUE(mock.logindCalls(QStringLiteral("TerminateSession")).empty());
}

TEST_F(LogindPowerTest, ARefusalCarriesTheSystemsText) {
  (void)mock.logind(QStringLiteral("AddMethod"),
                    {testing::kLogindManager, QStringLiteral("PowerOff"), QStringLiteral("b"), QString(),
                     QStringLiteral("raise dbus.exceptions.DBusException('Operation denied by policy', "
                                    "name='org.freedesktop.login1.OperationInProgress')")});
  const PowerResult r = power->perform(PowerAction::PowerOff, false);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "Operation denied by policy");
}

TEST_F(LogindPowerTest, TheBlockIsALogindBlockLockHeldWhileOn) {
  EXPECT_FALSE(inhibited("block"));
  ASSERT_TRUE(power->setShutdownBlock(true).ok);
  EXPECT_TRUE(power->shutdownBlockHeld());
  EXPECT_TRUE(inhibited("block"));
  ASSERT_TRUE(power->setShutdownBlock(false).ok);
  EXPECT_FALSE(power->shutdownBlockHeld());
  // logind drops the lock once our end of it is closed.
  EXPECT_TRUE(mock.waitFor(loop, [&] { return !inhibited("block"); }));
}

TEST_F(LogindPowerTest, TheShutdownAnnouncementReachesTheWatcherThenTheDelayLockGoes) {
  Recorder recorder;
  const WindowHandle target = loop.addTarget(recorder);
  power->watchSessionEnd(target);
  EXPECT_TRUE(power->delayLockHeld());
  EXPECT_TRUE(inhibited("delay"));
  mock.announceShutdown(true);
  ASSERT_TRUE(mock.waitFor(loop, [&] { return !recorder.messages.empty(); }));
  EXPECT_EQ(recorder.messages, std::vector<std::uint32_t>{msg::QueryEndSession});
  EXPECT_FALSE(power->delayLockHeld());
  EXPECT_TRUE(mock.waitFor(loop, [&] { return !inhibited("delay"); }));
  // Called off: the lock is taken again for the next time.
  mock.announceShutdown(false);
  EXPECT_TRUE(mock.waitFor(loop, [&] { return power->delayLockHeld(); }));
  loop.removeTarget(target);
}

// The assembled program with logind's mock behind its power service.
class SuiteOnLogindTest : public testing::SimSuiteTest {
 protected:
  void SetUp() override {
    if (!testing::PrivateBus::toolsInstalled()) GTEST_SKIP() << "dbus-daemon or python3-dbusmock missing";
    ASSERT_TRUE(mock.start(desk.loop));
    power = std::make_unique<logind::LogindPower>(desk.loop, mock.connection(), mock.connection(),
                                                  [](std::string_view) { return std::optional<std::string>("c1"); });
    // The same program, its power service on the mock.
    app.reset();
    const Desktop d = desk.desktop();
    const Desktop onMock{d.loop,      d.tray,    d.menus,     d.messageBoxes, d.dialogs, d.screen,
                         d.sound,     d.hotkeys, d.clipboard, d.dialer,       d.printer, *power, d.services};
    app = std::make_unique<CZelvorApp>(sim.platform(), onMock, instance, components, options);
    ASSERT_TRUE(app->InitInstance({}).running);
    desk.loop.deliverPosted();
  }
  void TearDown() override { app.reset(); }
  void mouse(std::uint32_t m) {
    ASSERT_TRUE(desk.tray.mouse(4, m));
    desk.loop.deliverPosted();
  }

  LogindMock mock{sandbox};
  std::unique_ptr<logind::LogindPower> power;
};

TEST_F(SuiteOnLogindTest, DoubleClickPowersOffAndTheBlockIsSeenAndRefusesTheQuery) {
  sandbox.write("tmp/old.log", "x");
  mouse(msg::LeftDoubleClick);
  ASSERT_FALSE(desk.messageBoxes.shown.empty());
  EXPECT_EQ(desk.messageBoxes.shown[0].text, "¿Desea apagar el sistema?");
  EXPECT_FALSE(std::filesystem::exists(sandbox.path("tmp/old.log")));
  const auto offs = mock.logindCalls(QStringLiteral("PowerOff"));
  ASSERT_EQ(offs.size(), 1u);
  EXPECT_TRUE(offs[0].front().toBool());

  // "Bloquear apagado" from the menu: a block lock other programs see.
  mouse(msg::RightUp);
  ASSERT_TRUE(desk.menus.choose(309));
  desk.loop.deliverPosted();
  bool blockSeen = false;
  for (const Inhibitor& i : mock.inhibitors()) blockSeen |= i.mode == "block" && i.who == "Zelvor";
  EXPECT_TRUE(blockSeen);
  // logind announces a shutdown anyway (forced by someone allowed to): refused with the balloon.
  mock.announceShutdown(true);
  ASSERT_TRUE(mock.waitFor(desk.loop, [&] {
    return app->mainWindow()->tooltip().html().find("Cancelado el apagado del sistema.") != std::string::npos;
  }));
  EXPECT_NE(app->mainWindow()->StatusReport().find("shutdownrefused\t1\n"), std::string::npos);
}

}  // namespace
}  // namespace zelvor
