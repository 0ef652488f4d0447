#pragma once
// A sandbox with a simulated store for running the download worker, and a
// monitor that records what the worker posts.

#include <gtest/gtest.h>

#include <mutex>
#include <utility>
#include <string>
#include <vector>

#include "downloader/download_settings.h"
#include "downloader/download_worker.h"
#include "platform/sim/sim_platform.h"
#include "shell/store/config_store.h"
#include "tests/downloader/test_support.h"

namespace zelvor::test {

// An expected message written out in full, with {server} and {url} standing
// for the parts that vary with the test's port.
inline std::string filled(std::string text, const std::string& server, const std::string& url) {
  for (const auto& [mark, value] : {std::pair<std::string, const std::string&>{"{server}", server}, {"{url}", url}}) {
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size())) {
      text.replace(at, mark.size(), value);
    }
  }
  return text;
}

struct Notice {
  unsigned message = 0;
  std::int64_t first = 0;
  std::int64_t second = 0;
  friend bool operator==(const Notice&, const Notice&) = default;
};

class RecordingMonitor : public DownloadMonitor {
 public:
  void post(unsigned message, std::int64_t first, std::int64_t second) override {
    std::lock_guard lock(mutex_);
    notices_.push_back({message, first, second});
  }
  void showError(const std::string& caption, const std::string& text) override {
    std::lock_guard lock(mutex_);
    errors_.push_back(caption + "|" + text);
  }
  [[nodiscard]] std::vector<Notice> notices() const {
    std::lock_guard lock(mutex_);
    return notices_;
  }
  [[nodiscard]] std::vector<std::string> errors() const {
    std::lock_guard lock(mutex_);
    return errors_;
  }
  // The notices without the intermediate progress reports.
  [[nodiscard]] std::vector<unsigned> kinds() const {
    std::vector<unsigned> out;
    for (const auto& n : notices()) {
      if (n.message != download_notice::Progress || n.second == 0) out.push_back(n.message);
    }
    return out;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<Notice> notices_;
  std::vector<std::string> errors_;
};

class DownloadTest : public ::testing::Test {
 protected:
  TempFolder temp;
  SimPlatform sim{temp.path() + "/"};
  ConfigStore config{sim.registry, sim.folders, sim.files};
  RecordingMonitor monitor;
  std::string partial = temp.file("out.bin.down");

  void SetUp() override { ASSERT_FALSE(temp.path().empty()); }

  void setDeadlines(int connectSeconds, int receiveSeconds) {
    config.WriteConfigInt(utility_key::DivoZidezevuza, downloader_value::EsperaConexion, connectSeconds);
    config.WriteConfigInt(utility_key::DivoZidezevuza, downloader_value::EsperaDatos, receiveSeconds);
  }

  DownloadOutcome run(const std::string& url, CancelSignal* cancel = nullptr, const std::string& user = {},
                      const std::string& password = {}) {
    DownloadJob job;
    job.partialPath = partial;
    job.url = url;
    job.user = user;
    job.password = password;
    job.cancel = cancel;
    return RunDownloadWorker(job, DownloadServices{sim.network, sim.files, sim.clock, config}, monitor);
  }

  // Bytes the progress reports add up to.
  std::int64_t reportedBytes() const {
    std::int64_t sum = 0;
    for (const auto& n : monitor.notices()) {
      if (n.message == download_notice::Progress) sum += n.first;
    }
    return sum;
  }
};

}  // namespace zelvor::test
