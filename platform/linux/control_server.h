#pragma once
// The server side of the control socket. One small thread multiplexes every
// connection with poll(): each has its own buffers and deadline, so a slow,
// idle or stuck peer holds only its own connection. A complete request is
// posted to the UI thread as msg::ControlRequest; the UI thread takes it and
// answers without ever waiting on a peer.

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/control_line.h"
#include "platform/event_loop.h"

namespace zelvor {

class ControlServer {
 public:
  // Bounds on what a peer may send, what it gets, and how long it may take.
  static constexpr std::size_t kMaxRequest = kMaxControlRequest;
  static constexpr std::size_t kMaxReply = 1 << 20;
  static constexpr int kIoTimeoutMs = 5000;
  // Past this many open connections a new one is answered "busy" at once.
  static constexpr std::size_t kMaxConnections = 32;

  ControlServer() = default;
  ~ControlServer();
  ControlServer(const ControlServer&) = delete;
  ControlServer& operator=(const ControlServer&) = delete;

  // Serves listenFd (a listening socket; taken over, closed by stop()).
  [[nodiscard]] bool start(int listenFd, EventLoop& loop, WindowHandle target, std::string& error);
  void stop();
  [[nodiscard]] bool running() const { return listenFd_ >= 0; }

  // UI thread: the text of request number, once; nullopt when unknown, taken
  // already or its peer is gone.
  [[nodiscard]] std::optional<std::string> request(std::intptr_t number);
  // Any thread; never blocks. An answer for a peer that is gone is dropped.
  void answer(std::intptr_t number, const std::string& reply);

 private:
  using Clock = std::chrono::steady_clock;
  enum class Stage { Reading, Waiting, Writing };
  struct Connection {
    int fd = -1;
    Stage stage = Stage::Reading;
    ControlLineReader reader{kMaxRequest};
    std::intptr_t number = 0;
    std::string out;
    std::size_t written = 0;
    Clock::time_point deadline;
  };

  void run();
  void acceptAll();
  void readFrom(Connection& c);
  void writeTo(Connection& c);
  void reply(Connection& c, std::string text);
  void takeAnswers();
  void expire(Connection& c, Clock::time_point now);
  void drop(Connection& c);
  void wake();

  int listenFd_ = -1;
  int wakePipe_[2] = {-1, -1};
  std::thread thread_;
  EventLoop* loop_ = nullptr;
  WindowHandle target_ = kNoWindow;
  std::vector<Connection> connections_;  // the server thread's own

  std::mutex mutex_;
  bool stopping_ = false;
  std::intptr_t next_ = 1;
  std::set<std::intptr_t> waiting_;  // requests whose peer waits for the answer
  std::map<std::intptr_t, std::string> requests_;
  std::map<std::intptr_t, std::string> replies_;
};

}  // namespace zelvor
