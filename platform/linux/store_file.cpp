#include "platform/linux/store_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/posix/posix_files.h"
#include "platform/regtext/regtext.h"
#include "platform/store_limits.h"

namespace zelvor {

StoreFileRead readStoreFile(const std::string& path) {
  StoreFileRead r;
  const auto unreadable = [&](std::string problem) {
    r.outcome = StoreFileRead::Outcome::Unreadable;
    r.problem = std::move(problem);
    r.text.clear();
    return r;
  };
  const auto tooLarge = [&] {
    r.outcome = StoreFileRead::Outcome::Malformed;
    r.problem = "larger than " + regtext::describeBytes(kMaxStoreBytes) + ", the limit of the store";
    r.text.clear();
    return r;
  };
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) return r;
    return unreadable(systemErrorText(errno));
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int e = errno;
    ::close(fd);
    return unreadable(systemErrorText(e));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return unreadable("not a regular file");
  }
  if (static_cast<std::uint64_t>(st.st_size) > kMaxStoreBytes) {
    ::close(fd);
    return tooLarge();
  }
  r.text.resize(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  while (true) {
    // The file may have grown since fstat: one byte past the bound is
    // enough to know it is too large.
    if (got == r.text.size()) r.text.resize(std::min(got + 65536, kMaxStoreBytes + 1));
    if (got == r.text.size()) break;
    const ssize_t n = ::read(fd, r.text.data() + got, r.text.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      ::close(fd);
      return unreadable(systemErrorText(e));
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  if (got > kMaxStoreBytes) return tooLarge();
  r.text.resize(got);
  r.outcome = StoreFileRead::Outcome::Read;
  return r;
}

MoveAside moveAsideWithoutReplacing(const std::string& path) {
  MoveAside m;
  constexpr int kMaxCopies = 1000;
  for (int i = 1; i <= kMaxCopies; ++i) {
    const std::string aside = path + ".broken" + (i == 1 ? std::string() : "." + std::to_string(i));
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) {
      m.movedTo = aside;
      return m;
    }
    int e = errno;
    if (e == EINVAL || e == ENOSYS) {
      // A file system without RENAME_NOREPLACE: link fails on an existing name too.
      if (::link(path.c_str(), aside.c_str()) == 0) {
        (void)::unlink(path.c_str());
        m.movedTo = aside;
        return m;
      }
      e = errno;
    }
    if (e == EEXIST) continue;
    if (e == ENOENT) {
      m.gone = true;
      return m;
    }
    m.error = systemErrorText(e);
    return m;
  }
  m.error = std::to_string(kMaxCopies) + " earlier copies are in the way";
  return m;
}

}  // namespace zelvor
