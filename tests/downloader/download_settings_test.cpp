// The deadlines and the proxy come from the store, with defaults.

#include <gtest/gtest.h>

#include "downloader/download_settings.h"
#include "platform/sim/sim_platform.h"
#include "shell/store/install_defaults.h"
#include "tests/downloader/test_support.h"

namespace zelvor {
namespace {

class DownloadSettingsTest : public ::testing::Test {
 protected:
  test::TempFolder temp;
  SimPlatform sim{temp.path() + "/"};
  ConfigStore config{sim.registry, sim.folders, sim.files};
  void set(std::string_view name, std::string_view text) {
    config.WriteConfigString(utility_key::DivoZidezevuza, name, text);
  }
};

TEST_F(DownloadSettingsTest, InstalledDefaultsGiveTheDeadlines) {
  ASSERT_TRUE(InstallDefaults(config, {}).installed);
  EXPECT_EQ(config.ReadConfigString(utility_key::DivoZidezevuza, downloader_value::EsperaConexion), "30");
  EXPECT_EQ(config.ReadConfigString(utility_key::DivoZidezevuza, downloader_value::EsperaDatos), "60");
  const DownloadDeadlines d = readDeadlines(config);
  EXPECT_EQ(d.connectMs, 30000);
  EXPECT_EQ(d.receiveMs, 60000);
  EXPECT_EQ(readProxy(config).address, "");
}

TEST_F(DownloadSettingsTest, BadValuesFallBackOrAreCapped) {
  set(downloader_value::EsperaConexion, "-5");
  set(downloader_value::EsperaDatos, "999999");
  const DownloadDeadlines d = readDeadlines(config);
  EXPECT_EQ(d.connectMs, kDefaultConnectSeconds * 1000);
  EXPECT_EQ(d.receiveMs, kMaxDeadlineSeconds * 1000);
}

TEST_F(DownloadSettingsTest, ProxyOnlyWhenEnabled) {
  set(downloader_value::ProxyAddress, "proxy.local");
  set(downloader_value::ProxyPort, "3128");
  EXPECT_EQ(readProxy(config).address, "");
  set(downloader_value::Proxy, "1");
  EXPECT_EQ(readProxy(config).address, "proxy.local");
  EXPECT_EQ(readProxy(config).port, 3128u);
}

}  // namespace
}  // namespace zelvor
