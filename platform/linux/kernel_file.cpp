#include "platform/linux/kernel_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace zelvor {

std::optional<std::string> ReadKernelFile(const std::string& path, std::size_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::string data;
  char buffer[16384];
  while (data.size() < maxBytes) {
    const std::size_t want = std::min(sizeof buffer, maxBytes - data.size());
    const ssize_t n = ::read(fd, buffer, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    data.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return data;
}

std::optional<std::string> ReadLinkText(const std::string& path) {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
  // A target as long as the buffer may have been cut.
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(n));
}

std::optional<std::string> CanonicalPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
  if (!resolved) return std::nullopt;
  return std::string(resolved.get());
}

}  // namespace zelvor
