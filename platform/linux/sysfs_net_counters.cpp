#include "platform/linux/sysfs_net_counters.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/counter_text.h"

namespace zelvor {
namespace {

// Interface names are at most 15 bytes (IFNAMSIZ - 1).
constexpr std::size_t kMaxName = 15;
// More interfaces than any machine has; a table past it is cut.
constexpr std::size_t kMaxInterfaces = 4096;
// ARPHRD_LOOPBACK.
constexpr std::uint64_t kLoopbackType = 772;

// Reads at most one byte more than a counter text may have, so that a
// longer file is seen as such and refused.
std::optional<std::uint64_t> readNumber(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  char buffer[kMaxCounterText + 1];
  std::size_t got = 0;
  while (got < sizeof buffer) {
    const ssize_t n = ::read(fd, buffer + got, sizeof buffer - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return ParseCounterText(std::string_view(buffer, got));
}

bool plainName(std::string_view name) {
  return !name.empty() && name.size() <= kMaxName && name.front() != '.' && name.find('/') == std::string_view::npos;
}

}  // namespace

bool SysfsNetCounters::available() { return ::access(root_.c_str(), R_OK | X_OK) == 0; }

std::optional<NetInterface> SysfsNetCounters::interface(const std::string& name) {
  if (!plainName(name)) return std::nullopt;
  const std::string folder = root_ + name + "/";
  const auto index = readNumber(folder + "ifindex");
  const auto type = readNumber(folder + "type");
  const auto rx = readNumber(folder + "statistics/rx_bytes");
  const auto tx = readNumber(folder + "statistics/tx_bytes");
  if (!index || !type || !rx || !tx || *index == 0 || *index > 0x7FFFFFFF) return std::nullopt;
  return NetInterface{static_cast<int>(*index), name, *type == kLoopbackType, *rx, *tx};
}

std::optional<std::vector<NetInterface>> SysfsNetCounters::read() {
  DIR* dir = ::opendir(root_.c_str());
  if (dir == nullptr) return std::nullopt;
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    if (names.size() >= kMaxInterfaces) break;
    if (plainName(entry->d_name)) names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  std::vector<NetInterface> table;
  for (const std::string& name : names) {
    if (auto row = interface(name)) table.push_back(std::move(*row));
  }
  std::sort(table.begin(), table.end(), [](const NetInterface& a, const NetInterface& b) { return a.index < b.index; });
  return table;
}

}  // namespace zelvor
