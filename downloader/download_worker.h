#pragma once
// The download worker: drives one CFileDownload for one entry, appends what
// arrives to the partial file "<destination>.down", reconnects at the
// current position when the connection drops and the server can resume,
// and reports to the entry's monitor.

#include <cstdint>
#include <optional>
#include <string>

#include "downloader/download_monitor.h"
#include "downloader/download_settings.h"
#include "platform/files.h"
#include "platform/clock.h"
#include "platform/tcp_stream.h"
#include "shell/store/config_store.h"

namespace zelvor {

inline constexpr const char* kPartialSuffix = ".down";
[[nodiscard]] inline std::string partialPathFor(const std::string& destination) {
  return destination + kPartialSuffix;
}

struct DownloadJob {
  std::string partialPath;  // the destination with ".down" appended
  std::string url;
  std::string user;      // empty: the address's own, or anonymous FTP
  std::string password;
  // Unset: the proxy of the settings.
  std::optional<ProxySetting> proxy;
  // Raised by the monitor to stop the worker. The worker then stops at
  // once, leaves every byte it wrote in the partial file and posts nothing
  // more. May be null.
  CancelSignal* cancel = nullptr;
};

struct DownloadServices {
  Network& network;
  Files& files;
  Clock& clock;
  const ConfigStore& config;
};

enum class DownloadResult { Complete, Failed, Cancelled };

struct DownloadOutcome {
  DownloadResult result = DownloadResult::Failed;
  std::string message;  // the text of the error box when failed
  std::string url;      // the engine's address at the end (after redirects)
  std::int64_t position = 0;  // bytes of the file present in the partial file
  std::int64_t totalSize = 0;  // 0 when unknown
};

// Runs on the worker's own thread until the download completes, fails or
// is cancelled. A complete download leaves the whole file in the partial
// file; renaming it is the caller's.
[[nodiscard]] DownloadOutcome RunDownloadWorker(const DownloadJob& job, DownloadServices services,
                                                DownloadMonitor& monitor);

}  // namespace zelvor
