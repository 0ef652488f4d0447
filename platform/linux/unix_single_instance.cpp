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

#include "platform/linux/linux_folders.h"
#include "platform/messages.h"

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

// Reads until end of file, or (stopAtNewline) the first line feed; at most max bytes.
bool readBounded(int fd, std::string& out, std::size_t max, bool stopAtNewline, Deadline deadline) {
  char buf[4096];
  for (;;) {
    if (stopAtNewline && out.find('\n') != std::string::npos) return true;
    if (!waitFor(fd, POLLIN, deadline)) return false;
    const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return false;
    }
    if (n == 0) return !out.empty() || !stopAtNewline;
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

bool UnixSingleInstance::makeFolder(std::string& error) {
  if (!LinuxFolders::makeFolders(folder_)) {
    error = systemError(folder_);
    return false;
  }
  struct stat st {};
  if (::stat(folder_.c_str(), &st) != 0 || st.st_uid != ::getuid()) {
    error = folder_ + ": the folder belongs to another user";
    return false;
  }
  // Nobody else may even reach the socket.
  if ((st.st_mode & 077) != 0) (void)::chmod(folder_.c_str(), 0700);
  return true;
}

SingleInstance::Claim UnixSingleInstance::claim(std::string& error) {
  if (lockFd_ >= 0) return Claim::First;
  if (!makeFolder(error)) return Claim::Failed;
  const int fd = ::open(lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
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
  // The lock file names the process that holds the lock; MainHWnd counts
  // only when it names that same process and the process is there.
  const int fd = ::open(lockPath().c_str(), O_RDONLY | O_CLOEXEC);
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
  const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kIoTimeoutMs);
  reply.clear();
  const bool ok = writeAll(fd, request + "\n", deadline) && ::shutdown(fd, SHUT_WR) == 0 &&
                  readBounded(fd, reply, kMaxReply, false, deadline);
  ::close(fd);
  if (!ok) {
    error = "the Zelvor instance did not answer";
    return false;
  }
  return true;
}

bool UnixSingleInstance::listen(EventLoop& loop, WindowHandle target, std::string& error) {
  if (listenFd_ >= 0) return true;
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
      ::chmod(socketPath().c_str(), 0600) != 0 || ::listen(fd, 8) != 0) {
    error = systemError(socketPath());
    ::close(fd);
    return false;
  }
  if (::pipe2(stopPipe_, O_CLOEXEC) != 0) {
    error = systemError("pipe");
    ::close(fd);
    return false;
  }
  listenFd_ = fd;
  loop_ = &loop;
  target_ = target;
  stopping_ = false;
  server_ = std::thread([this] { serve(); });
  return true;
}

void UnixSingleInstance::serve() {
  for (;;) {
    pollfd fds[2] = {{listenFd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    const int n = ::poll(fds, 2, -1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || (fds[1].revents & POLLIN) != 0) return;
    const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    ucred peer{};
    socklen_t len = sizeof peer;
    if (::getsockopt(client, SOL_SOCKET, SO_PEERCRED, &peer, &len) == 0 && peer.uid == ::getuid()) {
      serveOne(client);
    }
    ::close(client);
  }
}

void UnixSingleInstance::serveOne(int fd) {
  const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kIoTimeoutMs);
  std::string line;
  if (!readBounded(fd, line, kMaxRequest, true, deadline)) {
    (void)writeAll(fd, "error the request is too long or incomplete\n", deadline);
    return;
  }
  line.resize(line.find('\n') == std::string::npos ? line.size() : line.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::intptr_t number = 0;
  {
    std::lock_guard lock(mutex_);
    number = next_++;
    requests_[number] = line;
  }
  loop_->post(target_, msg::ControlRequest, number, 0);
  std::unique_lock lock(mutex_);
  const bool got = answered_.wait_until(lock, deadline, [&] { return stopping_ || replies_.contains(number); });
  std::string reply = "error the instance is shutting down\n";
  if (got && replies_.contains(number)) {
    reply = std::move(replies_[number]);
  } else if (!got) {
    reply = "error the instance is busy\n";
  }
  requests_.erase(number);
  replies_.erase(number);
  lock.unlock();
  (void)writeAll(fd, reply, deadline);
}

std::optional<std::string> UnixSingleInstance::request(std::intptr_t number) {
  std::lock_guard lock(mutex_);
  const auto it = requests_.find(number);
  if (it == requests_.end()) return std::nullopt;
  std::string text = std::move(it->second);
  requests_.erase(it);
  return text;
}

void UnixSingleInstance::answer(std::intptr_t number, const std::string& reply) {
  {
    std::lock_guard lock(mutex_);
    replies_[number] = reply;
  }
  answered_.notify_all();
}

void UnixSingleInstance::stopListening() {
  if (listenFd_ < 0) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  answered_.notify_all();
  const char byte = 1;
  (void)!::write(stopPipe_[1], &byte, 1);
  if (server_.joinable()) server_.join();
  ::close(listenFd_);
  ::close(stopPipe_[0]);
  ::close(stopPipe_[1]);
  listenFd_ = -1;
  stopPipe_[0] = stopPipe_[1] = -1;
  ::unlink(socketPath().c_str());
}

}  // namespace zelvor
