#pragma once
// What a download worker tells the monitor of its entry. The worker posts
// two-integer messages and never waits for them to be handled; the sink
// must be safe to call from the worker's thread and must not block.

#include <cstdint>
#include <string>

namespace zelvor {

namespace download_notice {
inline constexpr unsigned Started = 1228;   // start offset, total size (0 unknown)
inline constexpr unsigned Resume = 1229;    // resume supported (0/1), 0
inline constexpr unsigned Progress = 1230;  // bytes since the last report, ms since it (0: final report)
inline constexpr unsigned Finished = 1231;  // 1 failed, 0 complete; 0
}  // namespace download_notice

class DownloadMonitor {
 public:
  virtual ~DownloadMonitor() = default;
  virtual void post(unsigned message, std::int64_t first, std::int64_t second) = 0;
  // A failed download's message for the error box: caption is the address.
  virtual void showError(const std::string& caption, const std::string& text) = 0;
};

}  // namespace zelvor
