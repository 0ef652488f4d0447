#include <gtest/gtest.h>

#include "platform/counter_text.h"
#include "platform/linux/sysfs_net_counters.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

TEST(CounterTextTest, OnlyAPlainDecimalNumberIsACounter) {
  struct Case {
    std::string_view text;
    std::optional<std::uint64_t> value;
  };
  const std::vector<Case> cases = {
      {"0\n", 0},
      {"123456789\n", 123456789},
      {"42", 42},
      {"18446744073709551615\n", 18446744073709551615ULL},
      {"18446744073709551616\n", std::nullopt},  // one past 2^64 - 1
      {"99999999999999999999\n", std::nullopt},
      {"000000000000000000001\n", std::nullopt},  // longer than any counter
      {"", std::nullopt},
      {"\n", std::nullopt},
      {"-1\n", std::nullopt},
      {"12 34\n", std::nullopt},
      {"12\n\n", std::nullopt},
      {" 12\n", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(ParseCounterText(c.text), c.value);
  }
}

class SysfsCountersTest : public ::testing::Test {
 protected:
  void addInterface(const std::string& name, const std::string& index, const std::string& type,
                    const std::string& rx, const std::string& tx) {
    const std::string base = "net/" + name + "/";
    if (!index.empty()) sandbox.write(base + "ifindex", index);
    if (!type.empty()) sandbox.write(base + "type", type);
    if (!rx.empty()) sandbox.write(base + "statistics/rx_bytes", rx);
    if (!tx.empty()) sandbox.write(base + "statistics/tx_bytes", tx);
  }
  testing::Sandbox sandbox;
};

TEST_F(SysfsCountersTest, ReadsEveryWellFormedInterfaceSortedByIndex) {
  addInterface("ppp0", "7\n", "512\n", "1048576\n", "2048\n");
  addInterface("lo", "1\n", "772\n", "100\n", "100\n");
  addInterface("eth0", "2\n", "1\n", "5000000000\n", "4294967296\n");  // past 32 bits
  addInterface("broken", "3\n", "1\n", "12abc\n", "1\n");
  addInterface("huge", "4\n", "1\n", std::string(4096, '9'), "1\n");
  addInterface("nostats", "5\n", "1\n", "", "");
  SysfsNetCounters counters(sandbox.path("net/"));
  EXPECT_TRUE(counters.available());
  const auto table = counters.read();
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ(*table, (std::vector<NetInterface>{{1, "lo", true, 100, 100},
                                               {2, "eth0", false, 5000000000ULL, 4294967296ULL},
                                               {7, "ppp0", false, 1048576, 2048}}));
  EXPECT_EQ(counters.interface("ppp0"), (NetInterface{7, "ppp0", false, 1048576, 2048}));
  EXPECT_EQ(counters.interface("broken"), std::nullopt);
  EXPECT_EQ(counters.interface("../net/ppp0"), std::nullopt);  // a name never leaves the folder
  EXPECT_EQ(counters.interface("gone"), std::nullopt);
}

TEST_F(SysfsCountersTest, AMissingFolderIsNoTable) {
  SysfsNetCounters counters(sandbox.path("nowhere") + "/");
  EXPECT_FALSE(counters.available());
  EXPECT_EQ(counters.read(), std::nullopt);
}

}  // namespace
}  // namespace zelvor
