#include "platform/linux/control_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/messages.h"

namespace zelvor {
namespace {

constexpr char kBusy[] = "error the instance is busy\n";
constexpr char kShuttingDown[] = "error the instance is shutting down\n";

bool samePeerUser(int fd) {
  ucred peer{};
  socklen_t len = sizeof peer;
  return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &len) == 0 && peer.uid == ::geteuid();
}

}  // namespace

ControlServer::~ControlServer() { stop(); }

bool ControlServer::start(int listenFd, EventLoop& loop, WindowHandle target, std::string& error) {
  if (::pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
    error = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  listenFd_ = listenFd;
  loop_ = &loop;
  target_ = target;
  stopping_ = false;
  thread_ = std::thread([this] { run(); });
  return true;
}

void ControlServer::stop() {
  if (listenFd_ < 0) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake();
  if (thread_.joinable()) thread_.join();
  ::close(listenFd_);
  ::close(wakePipe_[0]);
  ::close(wakePipe_[1]);
  listenFd_ = -1;
  wakePipe_[0] = wakePipe_[1] = -1;
  std::lock_guard lock(mutex_);
  waiting_.clear();
  requests_.clear();
  replies_.clear();
}

std::optional<std::string> ControlServer::request(std::intptr_t number) {
  std::lock_guard lock(mutex_);
  const auto it = requests_.find(number);
  if (it == requests_.end()) return std::nullopt;
  std::string text = std::move(it->second);
  requests_.erase(it);
  return text;
}

void ControlServer::answer(std::intptr_t number, const std::string& reply) {
  // Under the lock, so that stop() cannot close the pipe in between.
  std::lock_guard lock(mutex_);
  if (stopping_ || !waiting_.contains(number)) return;
  replies_[number] = reply.size() > kMaxReply ? std::string("error the reply is too long\n") : reply;
  wake();
}

void ControlServer::wake() {
  // A full pipe already holds a wake-up; the byte is not needed then.
  const char byte = 1;
  (void)!::write(wakePipe_[1], &byte, 1);
}

void ControlServer::run() {
  std::vector<pollfd> fds;
  for (;;) {
    fds.clear();
    fds.push_back({wakePipe_[0], POLLIN, 0});
    fds.push_back({listenFd_, POLLIN, 0});
    auto next = Clock::time_point::max();
    for (const Connection& c : connections_) {
      // A waiting peer is not read (it may have shut its side, which would
      // wake poll at once); its hang-up still shows.
      const short events = c.stage == Stage::Reading ? POLLIN : c.stage == Stage::Writing ? POLLOUT : 0;
      fds.push_back({c.fd, events, 0});
      next = std::min(next, c.deadline);
    }
    int timeout = -1;
    if (next != Clock::time_point::max()) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
      timeout = static_cast<int>(std::clamp<long long>(left, 0, kIoTimeoutMs));
    }
    if (::poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) break;

    if ((fds[0].revents & POLLIN) != 0) {
      char drain[64];
      while (::read(wakePipe_[0], drain, sizeof drain) > 0) {
      }
    }
    {
      std::lock_guard lock(mutex_);
      if (stopping_) break;
    }
    takeAnswers();
    const auto now = Clock::now();
    // fds[i + 2] belongs to connections_[i]: acceptAll() only appends.
    for (std::size_t i = 0; i < connections_.size() && i + 2 < fds.size(); ++i) {
      Connection& c = connections_[i];
      const short revents = fds[i + 2].revents;
      if (c.stage == Stage::Reading && (revents & (POLLIN | POLLHUP | POLLERR)) != 0) readFrom(c);
      if (c.fd >= 0 && c.stage == Stage::Writing && (revents & (POLLOUT | POLLHUP | POLLERR)) != 0) writeTo(c);
      if (c.fd >= 0 && c.stage == Stage::Waiting && (revents & (POLLHUP | POLLERR)) != 0) drop(c);
      if (c.fd >= 0) expire(c, now);
    }
    if ((fds[1].revents & POLLIN) != 0) acceptAll();
    std::erase_if(connections_, [](const Connection& c) { return c.fd < 0; });
  }
  // Answers given before the stop still go out ("quit" is answered, then
  // stops the server), as far as the sockets take them now; peers still
  // waiting learn why no answer comes. Nobody is waited for.
  takeAnswers();
  for (Connection& c : connections_) {
    if (c.fd >= 0 && c.stage == Stage::Writing) writeTo(c);
    if (c.fd >= 0 && c.stage == Stage::Waiting) {
      (void)::send(c.fd, kShuttingDown, sizeof kShuttingDown - 1, MSG_NOSIGNAL);
    }
    drop(c);
  }
  connections_.clear();
}

void ControlServer::acceptAll() {
  for (;;) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;  // EAGAIN: none left; anything else: try at the next wake-up
    if (!samePeerUser(fd)) {
      ::close(fd);
      continue;
    }
    if (connections_.size() >= kMaxConnections) {
      (void)::send(fd, kBusy, sizeof kBusy - 1, MSG_NOSIGNAL);
      ::close(fd);
      continue;
    }
    Connection c;
    c.fd = fd;
    c.deadline = Clock::now() + std::chrono::milliseconds(kIoTimeoutMs);
    connections_.push_back(std::move(c));
  }
}

void ControlServer::readFrom(Connection& c) {
  char buf[4096];
  ControlLineReader::State state = c.reader.state();
  while (state == ControlLineReader::State::Incomplete) {
    const ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) return;
      drop(c);
      return;
    }
    if (n == 0) {
      state = c.reader.finish();
      if (state == ControlLineReader::State::Incomplete) {
        drop(c);  // connected and left without a word
        return;
      }
      break;
    }
    state = c.reader.feed(std::string_view(buf, static_cast<std::size_t>(n)));
  }
  if (state == ControlLineReader::State::TooLong) {
    // Unread bytes left at close would reset the connection before the peer
    // reads the refusal; what has arrived by now is read and dropped.
    for (std::size_t drained = 0; drained < kMaxReply;) {
      const ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
      if (n <= 0) break;
      drained += static_cast<std::size_t>(n);
    }
    reply(c, "error the request is too long\n");
    return;
  }
  std::lock_guard lock(mutex_);
  c.number = next_++;
  c.stage = Stage::Waiting;
  c.deadline = Clock::now() + std::chrono::milliseconds(kIoTimeoutMs);
  waiting_.insert(c.number);
  requests_[c.number] = c.reader.line();
  loop_->post(target_, msg::ControlRequest, c.number, 0);
}

void ControlServer::takeAnswers() {
  std::lock_guard lock(mutex_);
  if (replies_.empty()) return;
  for (Connection& c : connections_) {
    if (c.stage != Stage::Waiting) continue;
    const auto it = replies_.find(c.number);
    if (it == replies_.end()) continue;
    c.out = std::move(it->second);
    replies_.erase(it);
    waiting_.erase(c.number);
    c.stage = Stage::Writing;
    c.written = 0;
    c.deadline = Clock::now() + std::chrono::milliseconds(kIoTimeoutMs);
  }
}

void ControlServer::reply(Connection& c, std::string text) {
  if (c.stage == Stage::Waiting) {
    std::lock_guard lock(mutex_);
    waiting_.erase(c.number);
    requests_.erase(c.number);
    replies_.erase(c.number);
  }
  c.out = std::move(text);
  c.written = 0;
  c.stage = Stage::Writing;
  c.deadline = Clock::now() + std::chrono::milliseconds(kIoTimeoutMs);
  writeTo(c);
}

void ControlServer::writeTo(Connection& c) {
  while (c.written < c.out.size()) {
    const ssize_t n = ::send(c.fd, c.out.data() + c.written, c.out.size() - c.written, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) return;
      drop(c);
      return;
    }
    c.written += static_cast<std::size_t>(n);
  }
  drop(c);  // the reply ends with the connection
}

void ControlServer::expire(Connection& c, Clock::time_point now) {
  if (now < c.deadline) return;
  switch (c.stage) {
    case Stage::Reading:
      reply(c, "error the request is incomplete\n");
      break;
    case Stage::Waiting:
      reply(c, kBusy);
      break;
    case Stage::Writing:
      drop(c);
      break;
  }
}

void ControlServer::drop(Connection& c) {
  if (c.fd < 0) return;
  if (c.stage == Stage::Waiting) {
    std::lock_guard lock(mutex_);
    waiting_.erase(c.number);
    requests_.erase(c.number);
    replies_.erase(c.number);
  }
  ::close(c.fd);
  c.fd = -1;
}

}  // namespace zelvor
