// The traffic meter on the kernel's own counters: two network namespaces
// made by the test, joined by a veth pair, with IPv6 off and static
// neighbours so that only the test's datagrams cross the link. The meter
// reads the counters of one end through a sysfs mounted inside its
// namespace; the machine's own interfaces are never touched.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "net/traffic/traffic_meter.h"
#include "platform/linux/sysfs_net_counters.h"
#include "tests/net/diary_sandbox.h"
#include "tests/support/process.h"

namespace zelvor::traffic {
namespace {

using testing::ProcessResult;

constexpr const char* kIp = "/usr/sbin/ip";
constexpr const char* kUnshare = "/usr/bin/unshare";
constexpr const char* kNsenter = "/usr/bin/nsenter";
constexpr const char* kPython = "/usr/bin/python3";
constexpr int kHeaders = 14 + 20 + 8;  // Ethernet, IPv4 and UDP around each payload

class NullOutside : public MeterOutside {
 public:
  void SetWindowVisible(bool) override {}
  bool WindowVisible() override { return false; }
  void Changed() override {}
  void ShowAlert(const std::string&) override {}
  void CloseAlert() override {}
  void SetIconBars(int, int) override {}
  void SetPlainIcon() override {}
};

class TrafficNamespaceTest : public testing::DiarySandbox {
 protected:
  void SetUp() override {
    for (const char* tool : {kIp, kUnshare, kNsenter, kPython}) {
      if (::access(tool, X_OK) != 0) GTEST_SKIP() << tool << " is not installed";
    }
    if (::geteuid() != 0) GTEST_SKIP() << "network namespaces need root";
    const std::string tag = std::to_string(::getpid());
    a_ = "zvt-a-" + tag;
    b_ = "zvt-b-" + tag;
    if (run({kIp, "netns", "add", a_}).exitCode != 0) GTEST_SKIP() << "network namespaces are unavailable here";
    made_ = true;
    ASSERT_EQ(run({kIp, "netns", "add", b_}).exitCode, 0);
    for (const std::string& ns : {a_, b_}) {
      ASSERT_EQ(run({kIp, "netns", "exec", ns, "/usr/sbin/sysctl", "-qw", "net.ipv6.conf.all.disable_ipv6=1",
                     "net.ipv6.conf.default.disable_ipv6=1"})
                    .exitCode,
                0);
    }
    ASSERT_EQ(run({kIp, "-n", a_, "link", "add", "va", "type", "veth", "peer", "name", "vb", "netns", b_}).exitCode, 0);
    ASSERT_EQ(run({kIp, "-n", a_, "addr", "add", "10.199.0.1/24", "dev", "va"}).exitCode, 0);
    ASSERT_EQ(run({kIp, "-n", b_, "addr", "add", "10.199.0.2/24", "dev", "vb"}).exitCode, 0);
    ASSERT_EQ(run({kIp, "-n", a_, "link", "set", "va", "up"}).exitCode, 0);
    ASSERT_EQ(run({kIp, "-n", b_, "link", "set", "vb", "up"}).exitCode, 0);
    // Static neighbours: no ARP on the link. Datagrams to .3 reach va and
    // are dropped there without an answer; those to .2's port 9 would be
    // answered by ICMP, so a goes to .4, which b drops the same way.
    ASSERT_EQ(run({kIp, "-n", a_, "neigh", "add", "10.199.0.4", "lladdr", mac(b_, "vb"), "dev", "va", "nud",
                   "permanent"})
                  .exitCode,
              0);
    ASSERT_EQ(run({kIp, "-n", b_, "neigh", "add", "10.199.0.3", "lladdr", mac(a_, "va"), "dev", "vb", "nud",
                   "permanent"})
                  .exitCode,
              0);
    ASSERT_EQ(run({kIp, "-n", a_, "route", "add", "10.199.0.4/32", "dev", "va"}).exitCode, 0);

    // A sysfs mounted inside a's namespace, in a mount namespace of its own,
    // reached through /proc/PID/root.
    sys_ = sandbox.root() + "sys";
    std::filesystem::create_directories(sys_);
    int out = -1;
    holder_ = testing::startProcessReading(
        {kUnshare, "--mount", "--propagation", "private", kNsenter, "--net=/run/netns/" + a_, "/bin/sh", "-c",
         "mount -t sysfs sysfs '" + sys_ + "' && echo ready && exec sleep 600"},
        out);
    ASSERT_GT(holder_, 0);
    std::string line;
    ASSERT_TRUE(testing::readLine(out, line));
    ::close(out);
    ASSERT_EQ(line, "ready");
  }
  void TearDown() override {
    if (holder_ > 0) {
      ::kill(holder_, SIGTERM);
      (void)testing::waitExitCode(holder_);
    }
    if (made_) {
      (void)run({kIp, "netns", "del", a_});
      (void)run({kIp, "netns", "del", b_});
    }
  }

  static ProcessResult run(std::vector<std::string> argv) {
    return testing::runProcess(std::move(argv), {{"PATH", "/usr/sbin:/usr/bin:/sbin:/bin"}});
  }
  std::string mac(const std::string& ns, const std::string& link) {
    const std::string text = run({kIp, "-n", ns, "-o", "link", "show", link}).out;
    const auto at = text.find("link/ether ");
    return at == std::string::npos ? std::string() : text.substr(at + 11, 17);
  }
  // count datagrams of size bytes from namespace ns to address.
  void send(const std::string& ns, const std::string& address, int count, int size) {
    const std::string script = "import socket\ns = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)\nfor i in range(" +
                               std::to_string(count) + "):\n    s.sendto(b'x' * " + std::to_string(size) +
                               ", ('" + address + "', 9))\n";
    ASSERT_EQ(run({kIp, "netns", "exec", ns, kPython, "-c", script}).exitCode, 0);
  }
  [[nodiscard]] std::string counterRoot() const {
    return "/proc/" + std::to_string(holder_) + "/root" + sys_ + "/class/net/";
  }

  std::string a_, b_, sys_;
  bool made_ = false;
  pid_t holder_ = -1;
};

std::string Expected(double bytesInTwoSeconds, double totalBytes) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f KB/s - %.2f MB", bytesInTwoSeconds / 1024 / 2, totalBytes / 1024 / 1024);
  return text;
}

TEST_F(TrafficNamespaceTest, BytesThroughTheLinkMoveTheTextsByWhatCrossedIt) {
  SysfsNetCounters counters(counterRoot());
  ASSERT_TRUE(counters.available());
  NullOutside outside;
  TrafficMeter meter(store, counters, outside);
  meter.LoadSettings(true);
  meter.Tick();
  meter.Tick();
  EXPECT_EQ(meter.DownloadText(), "0.0 KB/s - 0.00 MB");
  EXPECT_EQ(meter.UploadText(), "0.0 KB/s - 0.00 MB");

  struct Step {
    int sent, sentSize, received, receivedSize;
  };
  const Step steps[] = {{20, 1000, 10, 500}, {0, 0, 40, 1400}, {300, 1400, 0, 0}};
  double sentTotal = 0, receivedTotal = 0, fastest = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.sent);
    if (s.sent > 0) send(a_, "10.199.0.4", s.sent, s.sentSize);
    if (s.received > 0) send(b_, "10.199.0.3", s.received, s.receivedSize);
    const double sent = s.sent * (s.sentSize + kHeaders);
    const double received = s.received * (s.receivedSize + kHeaders);
    sentTotal += sent;
    fastest = std::max({fastest, sent / 2048, received / 2048});
    receivedTotal += received;
    meter.Tick();
    meter.Tick();
    EXPECT_EQ(meter.UploadText(), Expected(sent, sentTotal));
    EXPECT_EQ(meter.DownloadText(), Expected(received, receivedTotal));
  }
  EXPECT_EQ(meter.CurrentScale().max, static_cast<int>(fastest) + 1) << "the adaptive scale followed the fastest";
}

}  // namespace
}  // namespace zelvor::traffic
