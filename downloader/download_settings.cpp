#include "downloader/download_settings.h"

#include <algorithm>

namespace zelvor {
namespace {

int seconds(const ConfigStore& config, std::string_view name, int fallback) {
  const int value = config.ReadConfigInt(utility_key::DivoZidezevuza, name);
  if (value <= 0) return fallback;
  return std::min(value, kMaxDeadlineSeconds);
}

}  // namespace

DownloadDeadlines readDeadlines(const ConfigStore& config) {
  DownloadDeadlines d;
  d.connectMs = seconds(config, downloader_value::EsperaConexion, kDefaultConnectSeconds) * 1000;
  d.receiveMs = seconds(config, downloader_value::EsperaDatos, kDefaultReceiveSeconds) * 1000;
  return d;
}

ProxySetting readProxy(const ConfigStore& config) {
  ProxySetting p;
  if (config.ReadConfigInt(utility_key::DivoZidezevuza, downloader_value::Proxy) == 0) return p;
  p.address = config.ReadConfigString(utility_key::DivoZidezevuza, downloader_value::ProxyAddress);
  const int port = config.ReadConfigInt(utility_key::DivoZidezevuza, downloader_value::ProxyPort);
  p.port = port > 0 && port <= 65535 ? static_cast<unsigned>(port) : 0;
  return p;
}

}  // namespace zelvor
