// The automatic shutdown's quiet-network condition on the kernel's own
// interface counters, in a network namespace made for the test
// (in_network_namespace.sh): traffic sent through a veth pair keeps it from
// firing; once the link is quiet for the span it fires, once.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/linux/sysfs_net_counters.h"
#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"
#include "shutdown/auto_close_dlg.h"
#include "tests/support/sim_suite.h"
#include "tests/support/sim_user.h"

namespace zelvor {
namespace {

class QuietNetworkTest : public testing::SimSuiteTest {
 protected:
  void SetUp() override {
    if (std::getenv("ZELVOR_TEST_NETNS") == nullptr) GTEST_SKIP() << "runs inside in_network_namespace.sh only";
    // The same program with the kernel's counters of this namespace.
    app.reset();
    Platform p = sim.platform();
    const Platform withKernelCounters{p.registry, p.clock,   p.folders,   p.files,  p.launcher,
                                      p.locale,   p.network, p.system,    p.processes, counters};
    app = std::make_unique<CZelvorApp>(withKernelCounters, desk.desktop(), instance, components, options);
    ASSERT_TRUE(app->InitInstance({}).running);
    desk.loop.deliverPosted();
    sock = ::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(sock, 0);
  }
  void TearDown() override {
    app.reset();
    if (sock >= 0) ::close(sock);
  }
  // One second of virtual time, with kb kilobytes sent through the veth pair first.
  void second(int kb) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(9);
    ASSERT_EQ(::inet_pton(AF_INET, "10.9.0.2", &to.sin_addr), 1);
    const std::string datagram(1024, 'z');
    for (int i = 0; i < kb; ++i) {
      ASSERT_EQ(::sendto(sock, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to),
                static_cast<ssize_t>(datagram.size()));
    }
    desk.loop.advanceMs(1000);
  }

  SysfsNetCounters counters;
  int sock = -1;
};

TEST_F(QuietNetworkTest, TrafficHoldsItOffAndAQuietSpanFiresOnce) {
  app->mainWindow()->RunExitAction(8);
  auto* w = dynamic_cast<CAutoCloseDlg*>(app->window(WindowKind::AutoClose));
  ASSERT_NE(w, nullptr);
  w->SelectTab(CAutoCloseDlg::kNetTab);
  ASSERT_EQ(w->SelectedTab(), CAutoCloseDlg::kNetTab);
  testing::SimUser user(*w);
  user.setValue(CAutoCloseDlg::kNetSeconds, 6);
  user.click(CAutoCloseDlg::kStart);
  for (int i = 0; i < 12; ++i) second(20);
  EXPECT_TRUE(desk.power.performed.empty());
  EXPECT_GT(w->traffic.DownloadRate(), 5.0);  // v1 received what v0 sent
  EXPECT_GT(w->traffic.UploadRate(), 5.0);
  int quietSeconds = 0;
  while (desk.power.performed.empty() && quietSeconds < 30) {
    second(0);
    ++quietSeconds;
  }
  ASSERT_EQ(desk.power.performed.size(), 1u);
  // The six quiet seconds count from the first measurement (every third second) that saw no traffic.
  EXPECT_GE(quietSeconds, 6);
  EXPECT_LE(quietSeconds, 6 + shutdown::TrafficQuietCondition::kMeasureSeconds);
  EXPECT_FALSE(w->armed());
}

}  // namespace
}  // namespace zelvor
