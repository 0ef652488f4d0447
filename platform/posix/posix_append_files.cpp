#include "platform/posix/posix_append_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/posix/posix_files.h"

namespace zelvor {
namespace {

class PosixAppendFile : public AppendFile {
 public:
  explicit PosixAppendFile(int fd) : fd_(fd) {}
  ~PosixAppendFile() override {
    if (fd_ >= 0) ::close(fd_);
  }
  PosixAppendFile(const PosixAppendFile&) = delete;
  PosixAppendFile& operator=(const PosixAppendFile&) = delete;

  FileResult write(const char* data, std::size_t size) override {
    while (size > 0) {
      if (fd_ < 0) return FileResult::failure(systemErrorText(EBADF));
      const ssize_t n = ::write(fd_, data, size);
      if (n < 0) {
        if (errno == EINTR) continue;
        return FileResult::failure(systemErrorText(errno));
      }
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return FileResult::success();
  }

  FileResult close() override {
    if (fd_ < 0) return FileResult::success();
    const int status = ::close(fd_);
    fd_ = -1;
    if (status != 0 && errno != EINTR) return FileResult::failure(systemErrorText(errno));
    return FileResult::success();
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<AppendFile> PosixAppendFiles::open(const std::string& path, Mode mode,
                                                   FileResult& failure) {
  int flags = O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC;
  if (mode == Mode::Truncate) flags |= O_TRUNC;
  const int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) {
    failure = FileResult::failure(systemErrorText(errno));
    return nullptr;
  }
  failure = FileResult::success();
  return std::make_unique<PosixAppendFile>(fd);
}

std::optional<std::uint64_t> PosixAppendFiles::sizeOf(const std::string& path) {
  struct stat s {};
  if (::stat(path.c_str(), &s) != 0 || !S_ISREG(s.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(s.st_size);
}

FileResult PosixAppendFiles::makeParentFolders(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return FileResult::success();
  const std::string folder = path.substr(0, slash);
  for (std::size_t at = 1; at <= folder.size(); ++at) {
    if (at != folder.size() && folder[at] != '/') continue;
    const std::string part = folder.substr(0, at);
    if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
      return FileResult::failure(systemErrorText(errno));
    }
  }
  return FileResult::success();
}

FileResult PosixAppendFiles::rename(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return FileResult::failure(systemErrorText(errno));
  return FileResult::success();
}

}  // namespace zelvor
