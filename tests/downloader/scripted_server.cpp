#include "tests/downloader/scripted_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace zelvor::test {

Listener::Listener(bool ipv6) {
  fd_ = ::socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int on = 1;
  ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (ipv6) {
    ::setsockopt(fd_, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
    sockaddr_in6 a{};
    a.sin6_family = AF_INET6;
    a.sin6_addr = in6addr_loopback;
    socklen_t length = sizeof a;
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && ::listen(fd_, 16) == 0 &&
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &length) == 0) {
      port_ = ntohs(a.sin6_port);
    }
  } else {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && ::listen(fd_, 16) == 0 &&
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &length) == 0) {
      port_ = ntohs(a.sin_port);
    }
  }
}

Listener::~Listener() {
  if (fd_ >= 0) ::close(fd_);
}

int Listener::accept(int timeoutMs) {
  pollfd p{fd_, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0) return -1;
  return ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
}

ScriptedConnection::ScriptedConnection(int fd, ScriptedServer& server) : fd_(fd), server_(server) {}

ScriptedConnection::~ScriptedConnection() { close(); }

std::string ScriptedConnection::readLine() {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    const auto lf = buffered_.find('\n');
    if (lf != std::string::npos) {
      std::string line = buffered_.substr(0, lf);
      buffered_.erase(0, lf + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    if (fd_ < 0 || std::chrono::steady_clock::now() > until || server_.stopping()) return {};
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    char chunk[4096];
    const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
    if (n <= 0) return {};
    buffered_.append(chunk, static_cast<std::size_t>(n));
  }
}

std::string ScriptedConnection::readHead() {
  std::string head;
  for (;;) {
    const std::string line = readLine();
    if (line.empty()) break;
    head += line + "\n";
  }
  server_.record(head);
  return head;
}

bool ScriptedConnection::send(std::string_view bytes) {
  while (!bytes.empty()) {
    if (fd_ < 0) return false;
    const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void ScriptedConnection::waitClosed() {
  while (fd_ >= 0 && !server_.stopping()) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    char chunk[4096];
    if (::recv(fd_, chunk, sizeof chunk, 0) <= 0) return;
  }
}

void ScriptedConnection::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

ScriptedServer::ScriptedServer(Script script, bool ipv6)
    : ipv6_(ipv6), listener_(ipv6), script_(std::move(script)), thread_([this] { serve(); }) {}

ScriptedServer::~ScriptedServer() {
  stop_.store(true);
  thread_.join();
}

std::string ScriptedServer::url(const std::string& scheme, const std::string& path) const {
  return scheme + "://" + (ipv6_ ? "[::1]" : "127.0.0.1") + ":" + std::to_string(port()) + path;
}

std::vector<std::string> ScriptedServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void ScriptedServer::record(std::string request) {
  std::lock_guard lock(mutex_);
  requests_.push_back(std::move(request));
}

void ScriptedServer::serve() {
  while (!stop_.load()) {
    const int fd = listener_.accept(50);
    if (fd < 0) continue;
    ScriptedConnection connection(fd, *this);
    script_(connection, connections_.fetch_add(1));
  }
}

bool trickle(ScriptedConnection& c, std::string_view bytes, int gapMs) {
  for (const char byte : bytes) {
    if (c.server().stopping() || !c.send(std::string_view(&byte, 1))) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
  }
  return true;
}

}  // namespace zelvor::test
