#pragma once
// The downloader's settings under Software\Norvane\Zelvor\DivoZidezevuza
// that the engine and its worker read.

#include <string>
#include <string_view>

#include "downloader/file_download.h"
#include "shell/store/config_store.h"

namespace zelvor {

namespace downloader_value {
inline constexpr std::string_view Proxy = "Proxy";                // non-zero: use the proxy below
inline constexpr std::string_view ProxyAddress = "ProxyAddress";  // host of the HTTP proxy
inline constexpr std::string_view ProxyPort = "ProxyPort";
// Seconds to resolve and connect to each address of a server (default 30).
inline constexpr std::string_view EsperaConexion = "EsperaConexion";
// Seconds a server may stay silent during a reply or a transfer (default 60).
inline constexpr std::string_view EsperaDatos = "EsperaDatos";
}  // namespace downloader_value

inline constexpr int kDefaultConnectSeconds = 30;
inline constexpr int kDefaultReceiveSeconds = 60;
inline constexpr int kMaxDeadlineSeconds = 3600;

struct ProxySetting {
  std::string address;  // empty: no proxy
  unsigned port = 0;
};

// A missing, zero or negative value gives the default; values are capped
// at an hour.
[[nodiscard]] DownloadDeadlines readDeadlines(const ConfigStore& config);
[[nodiscard]] ProxySetting readProxy(const ConfigStore& config);

}  // namespace zelvor
