#include "platform/posix/posix_files.h"
#include "platform/posix/owned_entries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace zelvor {

std::string systemErrorText(int error) {
  char buf[256];
  // GNU strerror_r returns the text, which may or may not be buf.
  const char* text = strerror_r(error, buf, sizeof buf);
  return text;
}

namespace {

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}


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

FileResult PosixFiles::replaceAtomically(const std::string& path, std::string_view bytes,
                                         Permissions permissions) {
  thread_local std::mt19937_64 rng{std::random_device{}()};
  const std::string temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(rng());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return FileResult::failure(temp + ": " + systemErrorText(errno));
  if (permissions == Permissions::OwnerOnly) {
    // Whatever the umask or the file this one replaces allowed.
    (void)::fchmod(fd, 0600);
  } else {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) (void)::fchmod(fd, old.st_mode & 07777);
  }
  if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
    const int e = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    return FileResult::failure(path + ": " + systemErrorText(e));
  }
  if (::close(fd) != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
    const int e = errno;
    ::unlink(temp.c_str());
    return FileResult::failure(path + ": " + systemErrorText(e));
  }
  // The rename is durable only once the folder itself is flushed.
  const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return FileResult::success();
}

std::optional<std::string> PosixFiles::readFile(const std::string& path, std::uint64_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string data;
  char buf[65536];
  while (true) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    if (data.size() + static_cast<std::size_t>(n) > maxBytes) {
      ::close(fd);
      return std::nullopt;
    }
    data.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return data;
}

FileResult PosixFiles::appendToFile(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return FileResult::failure(path + ": " + systemErrorText(errno));
  // O_APPEND puts every write at the end, even with another writer; a
  // record goes out in one write so it is never interleaved.
  if (!writeAll(fd, bytes) || (!bytes.empty() && ::fsync(fd) != 0)) {
    const int e = errno;
    ::close(fd);
    return FileResult::failure(path + ": " + systemErrorText(e));
  }
  if (::close(fd) != 0) return FileResult::failure(path + ": " + systemErrorText(errno));
  return FileResult::success();
}

std::optional<std::uint64_t> PosixFiles::fileSize(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

std::optional<std::string> PosixFiles::readRange(const std::string& path, std::uint64_t offset,
                                                 std::uint64_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  // The buffer is sized by what the file holds now, not by what was asked.
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  const std::uint64_t size = static_cast<std::uint64_t>(st.st_size);
  const std::uint64_t left = offset < size ? size - offset : 0;
  std::string data;
  data.resize(static_cast<std::size_t>(std::min(maxBytes, left)));
  std::size_t got = 0;
  while (got < data.size()) {
    const ssize_t n = ::pread(fd, data.data() + got, data.size() - got,
                              static_cast<off_t>(offset + got));
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  data.resize(got);
  return data;
}

FileResult PosixFiles::makeFolder(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  if (::mkdir(p.c_str(), 0700) == 0 || errno == EEXIST) return FileResult::success();
  return FileResult::failure(p + ": " + systemErrorText(errno));
}

FileResult PosixFiles::removeFile(const std::string& path) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return FileResult::success();
  return FileResult::failure(path + ": " + systemErrorText(errno));
}

bool PosixFiles::exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool PosixFiles::isFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::unique_ptr<AppendFile> PosixFiles::openForAppend(const std::string& path, AppendMode mode,
                                                      FileResult& failure) {
  int flags = O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC;
  if (mode == AppendMode::Truncate) flags |= O_TRUNC;
  const int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) {
    failure = FileResult::failure(systemErrorText(errno));
    return nullptr;
  }
  failure = FileResult::success();
  return std::make_unique<PosixAppendFile>(fd);
}

FileResult PosixFiles::makeParentFolders(const std::string& path) {
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

FileResult PosixFiles::renameFile(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return FileResult::failure(systemErrorText(errno));
  return FileResult::success();
}

FileResult PosixFiles::writeUnsynced(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return FileResult::failure(systemErrorText(errno));
  const bool ok = writeAll(fd, bytes);
  const int error = errno;
  ::close(fd);
  return ok ? FileResult::success() : FileResult::failure(systemErrorText(error));
}

FileResult PosixFiles::flushFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return FileResult::failure(systemErrorText(errno));
  // One flush of the whole file system instead of one fsync per file.
  const bool ok = ::syncfs(fd) == 0;
  const int error = errno;
  ::close(fd);
  return ok ? FileResult::success() : FileResult::failure(systemErrorText(error));
}

FileResult PosixFiles::removeTree(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
  if (ec) return FileResult::failure(ec.message());
  return FileResult::success();
}

FileResult PosixFiles::exchangeFolders(const std::string& from, const std::string& to) {
  std::string target = to;
  while (target.size() > 1 && target.back() == '/') target.pop_back();
  std::string source = from;
  while (source.size() > 1 && source.back() == '/') source.pop_back();
  int result = ::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE);
  if (result != 0 && errno == ENOENT && !isFolder(target)) result = std::rename(source.c_str(), target.c_str());
  if (result != 0) return FileResult::failure(systemErrorText(errno));
  const int dir = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return FileResult::success();
}

FolderEmptying PosixFiles::emptyOwnEntries(const std::string& folder) {
  return EmptyOwnedEntries(folder, ::geteuid());
}

}  // namespace zelvor
