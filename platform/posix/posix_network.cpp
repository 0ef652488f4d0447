#include "platform/posix/posix_network.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>
#include <arpa/inet.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <thread>

#include "platform/posix/posix_files.h"

namespace zelvor {
namespace {

class PosixCancelSignal : public CancelSignal {
 public:
  PosixCancelSignal() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
  ~PosixCancelSignal() override {
    if (fd_ >= 0) ::close(fd_);
  }
  PosixCancelSignal(const PosixCancelSignal&) = delete;
  PosixCancelSignal& operator=(const PosixCancelSignal&) = delete;

  // Only an atomic store and write(2): safe in a signal handler. The eventfd
  // stays readable once written, so every later poll wakes too.
  void cancel() override {
    raised_.store(true);
    if (fd_ >= 0) {
      const std::uint64_t one = 1;
      [[maybe_unused]] const ssize_t n = ::write(fd_, &one, sizeof one);
    }
  }
  bool cancelled() const override { return raised_.load(); }
  [[nodiscard]] int fd() const { return fd_; }

 private:
  int fd_;
  std::atomic<bool> raised_{false};
};

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(left);
}

NetResult failed(NetStatus status, std::string text = {}) { return NetResult{status, 0, std::move(text)}; }

// Waits until fd is ready for events, the cancel fd is readable, or the
// deadline passes.
NetResult waitFor(int fd, short events, int cancelFd, Clock::time_point deadline) {
  for (;;) {
    pollfd fds[2] = {{fd, events, 0}, {cancelFd, POLLIN, 0}};
    const nfds_t count = cancelFd >= 0 ? 2 : 1;
    const int n = ::poll(fds, count, remainingMs(deadline));
    if (n < 0) {
      if (errno == EINTR) continue;
      return failed(NetStatus::Failed, systemErrorText(errno));
    }
    if (count == 2 && fds[1].revents != 0) return failed(NetStatus::Cancelled);
    if (n == 0) return failed(NetStatus::TimedOut);
    return {};
  }
}

// The resolver's answer, shared with its helper thread, which may outlive
// the caller when the caller gives up first.
struct Resolution {
  std::mutex mutex;
  int doneFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  int status = 0;
  addrinfo* list = nullptr;
  ~Resolution() {
    if (list) ::freeaddrinfo(list);
    if (doneFd >= 0) ::close(doneFd);
  }
};

NetResult resolve(const std::string& host, std::uint16_t port, int cancelFd,
                  Clock::time_point deadline, std::shared_ptr<Resolution>& out) {
  auto job = std::make_shared<Resolution>();
  if (job->doneFd < 0) return failed(NetStatus::Failed, systemErrorText(errno));
  std::string name = host;
  if (name.size() > 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
  std::thread([job, name, port] {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* list = nullptr;
    const int status = ::getaddrinfo(name.c_str(), std::to_string(port).c_str(), &hints, &list);
    std::lock_guard lock(job->mutex);
    job->status = status;
    job->list = list;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(job->doneFd, &one, sizeof one);
  }).detach();
  const NetResult waited = waitFor(job->doneFd, POLLIN, cancelFd, deadline);
  if (!waited.ok()) return waited;
  std::lock_guard lock(job->mutex);
  if (job->status != 0 || job->list == nullptr) {
    if (job->status == EAI_SYSTEM) return failed(NetStatus::Failed, systemErrorText(errno));
    return failed(NetStatus::NotFound, ::gai_strerror(job->status));
  }
  out = job;
  return {};
}

std::string numericAddress(const sockaddr* address, socklen_t length) {
  char host[NI_MAXHOST];
  if (::getnameinfo(address, length, host, sizeof host, nullptr, 0, NI_NUMERICHOST) != 0) return {};
  return host;
}

class PosixTcpStream : public TcpStream {
 public:
  PosixTcpStream(int fd, int cancelFd, int receiveTimeoutMs, std::string peer)
      : fd_(fd), cancelFd_(cancelFd), timeoutMs_(receiveTimeoutMs), peer_(std::move(peer)) {}
  ~PosixTcpStream() override { close(); }
  PosixTcpStream(const PosixTcpStream&) = delete;
  PosixTcpStream& operator=(const PosixTcpStream&) = delete;

  NetResult send(std::string_view bytes) override {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
      if (fd_ < 0) return failed(NetStatus::Failed, systemErrorText(EBADF));
      const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n >= 0) {
        sent += static_cast<std::size_t>(n);
        continue;
      }
      if (errno == EINTR) continue;
      if (errno != EAGAIN && errno != EWOULDBLOCK) return failed(NetStatus::Failed, systemErrorText(errno));
      NetResult waited = waitFor(fd_, POLLOUT, cancelFd_, deadline());
      if (!waited.ok()) return waited;
    }
    return NetResult{NetStatus::Ok, sent, {}};
  }

  NetResult receive(char* buffer, std::size_t capacity) override {
    const auto until = deadline();
    for (;;) {
      if (fd_ < 0) return failed(NetStatus::Failed, systemErrorText(EBADF));
      // A raised cancel wins even over data that is waiting.
      if (cancelFd_ >= 0) {
        pollfd c{cancelFd_, POLLIN, 0};
        if (::poll(&c, 1, 0) > 0) return failed(NetStatus::Cancelled);
      }
      const ssize_t n = ::recv(fd_, buffer, capacity, 0);
      if (n > 0) return NetResult{NetStatus::Ok, static_cast<std::size_t>(n), {}};
      if (n == 0) return failed(NetStatus::Closed);
      if (errno == EINTR) continue;
      if (errno != EAGAIN && errno != EWOULDBLOCK) return failed(NetStatus::Failed, systemErrorText(errno));
      NetResult waited = waitFor(fd_, POLLIN, cancelFd_, until);
      if (!waited.ok()) return waited;
    }
  }

  std::string peerAddress() const override { return peer_; }

  void close() override {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  [[nodiscard]] Clock::time_point deadline() const {
    return Clock::now() + std::chrono::milliseconds(timeoutMs_);
  }
  int fd_;
  int cancelFd_;
  int timeoutMs_;
  std::string peer_;
};

// One non-blocking connect with its own deadline.
NetResult connectOne(const addrinfo& a, int cancelFd, int timeoutMs, int& fdOut) {
  const int fd = ::socket(a.ai_family, a.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a.ai_protocol);
  if (fd < 0) return failed(NetStatus::Failed, systemErrorText(errno));
  if (::connect(fd, a.ai_addr, a.ai_addrlen) != 0 && errno != EINPROGRESS) {
    const int e = errno;
    ::close(fd);
    return failed(NetStatus::Failed, systemErrorText(e));
  }
  const NetResult waited = waitFor(fd, POLLOUT, cancelFd, Clock::now() + std::chrono::milliseconds(timeoutMs));
  if (!waited.ok()) {
    ::close(fd);
    return waited;
  }
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
  if (error != 0) {
    ::close(fd);
    return failed(NetStatus::Failed, systemErrorText(error));
  }
  const int on = 1;
  (void)::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  fdOut = fd;
  return {};
}

}  // namespace

std::unique_ptr<CancelSignal> PosixNetwork::makeCancelSignal() {
  return std::make_unique<PosixCancelSignal>();
}

std::unique_ptr<TcpStream> PosixNetwork::connect(const std::string& host, std::uint16_t port,
                                                 const ConnectOptions& options, NetResult& failure) {
  const auto* signal = dynamic_cast<const PosixCancelSignal*>(options.cancel);
  const int cancelFd = signal ? signal->fd() : -1;
  if (signal && signal->cancelled()) {
    failure = failed(NetStatus::Cancelled);
    return nullptr;
  }
  std::shared_ptr<Resolution> resolution;
  failure = resolve(host, port, cancelFd,
                    Clock::now() + std::chrono::milliseconds(options.connectTimeoutMs), resolution);
  if (!failure.ok()) return nullptr;
  failure = failed(NetStatus::NotFound, "no address");
  for (const addrinfo* a = resolution->list; a != nullptr; a = a->ai_next) {
    int fd = -1;
    failure = connectOne(*a, cancelFd, options.connectTimeoutMs, fd);
    if (failure.ok()) {
      return std::make_unique<PosixTcpStream>(fd, cancelFd, options.receiveTimeoutMs,
                                              numericAddress(a->ai_addr, a->ai_addrlen));
    }
    if (failure.status == NetStatus::Cancelled) break;
  }
  return nullptr;
}

}  // namespace zelvor
