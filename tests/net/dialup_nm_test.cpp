// The connection control over the NetworkManager binding, against
// python3-dbusmock's NetworkManager on a bus of the test's own: a dial, a
// hang-up and a connection made by another program end up in the diary.

#include <gtest/gtest.h>

#include <QDBusObjectPath>

#include <functional>

#include "platform/nm/nm_dialer.h"
#include "platform/posix/posix_launcher.h"
#include "tests/net/dialup_fixture.h"
#include "tests/support/nm_mock.h"

namespace zelvor::dialup {
namespace {

using testing::kNmModem;
using testing::kNmPath;
using testing::kNmService;

class DialupOverNetworkManagerTest : public testing::DialupFixture {
 protected:
  void SetUp() override {
    if (!testing::PrivateBus::toolsInstalled()) GTEST_SKIP() << "dbus-daemon or python3-dbusmock is not installed";
    nm = std::make_unique<testing::NmMock>(sandbox);
    ASSERT_TRUE(nm->connected());
    ASSERT_TRUE(nm->start(desktop.loop));
    // Activations come up at once on the modem.
    nm->mock(kNmPath, QStringLiteral("AddMethod"),
             {kNmService, QStringLiteral("ActivateConnection"), QStringLiteral("ooo"), QStringLiteral("o"),
              QStringLiteral("import time\n"
                             "name = 'c%1' % time.monotonic_ns()\n"
                             "ret = dbus.ObjectPath(self.AddActiveConnection(['%2'], args[0], '/', name, dbus.UInt32(2)))")
                  .arg(QStringLiteral("%d"), kNmModem)});
    profile = nm->addProfile(QStringLiteral("Móvil"), QStringLiteral("gsm"));
    nmDialer = std::make_unique<nm::NmDialer>(desktop.loop, launcher, nm->connection());
    ASSERT_TRUE(waitFor([&] { return nmDialer->available() && nmDialer->settled(); }));
    nmControl = std::make_unique<DialupControl>(
        DialupServices{store, *nmDialer, desktop.loop, desktop.messageBoxes, recorder, view, outside});
  }
  void TearDown() override {
    nmControl.reset();
    nmDialer.reset();
    nm.reset();
  }

  bool waitFor(const std::function<bool()>& done) { return nm->waitFor(desktop.loop, done); }
  bool settle() {
    return waitFor([&] { return nmDialer->settled(); });
  }

  std::unique_ptr<testing::NmMock> nm;
  PosixLauncher launcher;
  QString profile;
  std::unique_ptr<nm::NmDialer> nmDialer;
  std::unique_ptr<DialupControl> nmControl;
};

TEST_F(DialupOverNetworkManagerTest, ADialAndAConnectionMadeElsewhereAreRecorded) {
  EXPECT_EQ(nmControl->Entries(), std::vector<std::string>{"Móvil"});
  EXPECT_EQ(nmControl->Modems(), std::vector<std::string>{"ttyUSB0"});

  const std::int64_t dialed = sim.clock.now();
  nmControl->Dial("Móvil", true);
  ASSERT_TRUE(waitFor([&] { return outside.count("connection up") == 1; }));
  EXPECT_FALSE(view.shown);
  EXPECT_EQ(view.log.back().text, "Conectado");
  ASSERT_TRUE(settle());
  EXPECT_TRUE(nmControl->IsConnected());
  advance(65'000);  // the watch keeps it
  ASSERT_TRUE(settle());
  EXPECT_NE(nmControl->Connection(), 0);
  EXPECT_TRUE(nmControl->HangUp());
  ASSERT_EQ(records().size(), 1u);
  EXPECT_EQ(records()[0], (diary::CItemDiario{"ttyUSB0", "Móvil", dialed, 65}));
  ASSERT_TRUE(waitFor([&] { return nmDialer->settled() && !nmControl->IsConnected(); }));
  advance(5'000);
  EXPECT_EQ(nmControl->Connection(), 0);  // a connection going down is not adopted

  // Another program brings the profile up; the watch adopts it.
  const QDBusMessage up = nm->expectCall(kNmPath, kNmService, QStringLiteral("ActivateConnection"),
                               {QVariant::fromValue(QDBusObjectPath(profile)),
                                QVariant::fromValue(QDBusObjectPath(kNmModem)),
                                QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")))});
  const QString active = up.arguments().value(0).value<QDBusObjectPath>().path();
  ASSERT_TRUE(waitFor([&] { return nmDialer->settled() && nmControl->IsConnected(); }));
  const std::int64_t adopted = sim.clock.now() + 5;
  advance(5'000);
  EXPECT_NE(nmControl->Connection(), 0);
  EXPECT_EQ(nmControl->Entry(), "Móvil");
  EXPECT_EQ(outside.count("connection up"), 2);
  advance(30'000);
  // It ends there too; the watch notices and the diary gets it.
  nm->expectCall(kNmPath, kNmService, QStringLiteral("DeactivateConnection"),
                 {QVariant::fromValue(QDBusObjectPath(active))});
  ASSERT_TRUE(waitFor([&] { return nmDialer->settled() && !nmControl->IsConnected(); }));
  advance(5'000);
  EXPECT_EQ(nmControl->Connection(), 0);
  ASSERT_EQ(records().size(), 2u);
  EXPECT_EQ(records()[1], (diary::CItemDiario{"ttyUSB0", "Móvil", adopted, 35}));
}

}  // namespace
}  // namespace zelvor::dialup
