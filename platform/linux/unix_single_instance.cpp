#include "platform/linux/unix_single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/linux/private_folder.h"

namespace zelvor {
namespace {

std::string systemError(const std::string& what) { return what + ": " + std::strerror(errno); }

bool socketAddress(const std::string& path, sockaddr_un& addr, std::string& error) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) {
    error = path + ": the socket path is too long";
    return false;
  }
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  return true;
}

using Deadline = std::chrono::steady_clock::time_point;

int remainingMs(Deadline deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
  return left <= 0 ? 0 : static_cast<int>(left);
}

// Waits for fd to be ready for events until the deadline.
bool waitFor(int fd, short events, Deadline deadline) {
  for (;;) {
    pollfd p{fd, events, 0};
    const int n = ::poll(&p, 1, remainingMs(deadline));
    if (n > 0) return true;
    if (n == 0) return false;
    if (errno != EINTR) return false;
  }
}

bool writeAll(int fd, const std::string& data, Deadline deadline) {
  std::size_t done = 0;
  while (done < data.size()) {
    if (!waitFor(fd, POLLOUT, deadline)) return false;
    const ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Reads until end of file; at most max bytes.
bool readBounded(int fd, std::string& out, std::size_t max, Deadline deadline) {
  char buf[4096];
  for (;;) {
    if (!waitFor(fd, POLLIN, deadline)) return false;
    const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return false;
    }
    if (n == 0) return true;
    out.append(buf, static_cast<std::size_t>(n));
    if (out.size() > max) return false;
  }
}

}  // namespace

UnixSingleInstance::UnixSingleInstance(std::string folder) : folder_(std::move(folder)) {}

UnixSingleInstance::~UnixSingleInstance() { release(); }

std::string UnixSingleInstance::defaultFolder(const std::string& configFolder) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat st {};
  if (runtime != nullptr && runtime[0] == '/' && ::stat(runtime, &st) == 0 && S_ISDIR(st.st_mode)) {
    std::string f = runtime;
    if (f.back() != '/') f.push_back('/');
    return f + "zelvor/";
  }
  return configFolder;
}

SingleInstance::Claim UnixSingleInstance::claim(std::string& error) {
  if (lockFd_ >= 0) return Claim::First;
  if (makePrivateFolder(folder_, error) != FolderCheck::Private) return Claim::Failed;
  // A link planted in place of the lock would have us write our pid into
  // its target.
  const int fd = ::open(lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    error = systemError(lockPath());
    return Claim::Failed;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool taken = errno == EWOULDBLOCK;
    if (!taken) error = systemError(lockPath());
    ::close(fd);
    return taken ? Claim::AnotherRuns : Claim::Failed;
  }
  const std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
    error = systemError(lockPath());
    ::close(fd);
    return Claim::Failed;
  }
  lockFd_ = fd;
  return Claim::First;
}

void UnixSingleInstance::release() {
  stopListening();
  if (lockFd_ >= 0) {
    ::close(lockFd_);  // drops the lock; the file stays for the next one
    lockFd_ = -1;
  }
}

std::uint32_t UnixSingleInstance::instanceId() { return static_cast<std::uint32_t>(::getpid()); }

bool UnixSingleInstance::isLiveInstance(std::uint32_t id) {
  if (id == 0) return false;
  std::string ignored;
  if (checkPrivateFolder(folder_, ignored) != FolderCheck::Private) return false;
  // The lock file names the process that holds the lock; MainHWnd counts
  // only when it names that same process and the process is there.
  const int fd = ::open(lockPath().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  char buf[32] = {};
  const ssize_t n = ::read(fd, buf, sizeof buf - 1);
  const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  if (n <= 0 || !held) return false;
  const unsigned long holder = std::strtoul(buf, nullptr, 10);
  if (holder != id) return false;
  return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

bool UnixSingleInstance::send(const std::string& request, std::string& reply, std::string& error) {
  reply.clear();
  switch (checkPrivateFolder(folder_, error)) {
    case FolderCheck::Private:
      break;
    case FolderCheck::Missing:
      error = "no Zelvor instance is running";
      return false;
    case FolderCheck::Refused:
      return false;
  }
  sockaddr_un addr{};
  if (!socketAddress(socketPath(), addr, error)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = systemError("socket");
    return false;
  }
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
    error = (errno == ENOENT || errno == ECONNREFUSED) ? std::string("no Zelvor instance is running")
                                                        : systemError(socketPath());
    ::close(fd);
    return false;
  }
  // Whoever listens here must be this user: a server of anyone else is an
  // impostor, and nothing is sent to it or read from it.
  ucred peer{};
  socklen_t len = sizeof peer;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &len) != 0 || peer.uid != ::geteuid()) {
    error = socketPath() + ": the server belongs to another user (uid " + std::to_string(peer.uid) +
            "); its replies are not trusted";
    ::close(fd);
    return false;
  }
  const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kIoTimeoutMs);
  const bool ok = writeAll(fd, request + "\n", deadline) && ::shutdown(fd, SHUT_WR) == 0 &&
                  readBounded(fd, reply, kMaxReply, deadline);
  ::close(fd);
  if (!ok) {
    reply.clear();
    error = "the Zelvor instance did not answer";
    return false;
  }
  return true;
}

bool UnixSingleInstance::listen(EventLoop& loop, WindowHandle target, std::string& error) {
  if (server_.running()) return true;
  if (lockFd_ < 0) {
    error = "the instance lock is not held";
    return false;
  }
  sockaddr_un addr{};
  if (!socketAddress(socketPath(), addr, error)) return false;
  // The lock is ours, so a socket file left there belongs to an instance that ended.
  ::unlink(socketPath().c_str());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    error = systemError("socket");
    return false;
  }
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
      ::chmod(socketPath().c_str(), 0600) != 0 || ::listen(fd, 16) != 0) {
    error = systemError(socketPath());
    ::close(fd);
    return false;
  }
  if (!server_.start(fd, loop, target, error)) {
    ::close(fd);
    ::unlink(socketPath().c_str());
    return false;
  }
  return true;
}

std::optional<std::string> UnixSingleInstance::request(std::intptr_t number) { return server_.request(number); }

void UnixSingleInstance::answer(std::intptr_t number, const std::string& reply) { server_.answer(number, reply); }

void UnixSingleInstance::stopListening() {
  if (!server_.running()) return;
  server_.stop();
  ::unlink(socketPath().c_str());
}

}  // namespace zelvor
