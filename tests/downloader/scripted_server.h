#pragma once
// A TCP server on 127.0.0.1 or ::1 that runs a test's script on every
// connection it accepts, one connection after another, to play a server
// that misbehaves in exactly one way.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace zelvor::test {

class ScriptedServer;

// A listening socket on 127.0.0.1 (FTP data ports of a script).
class Listener {
 public:
  explicit Listener(bool ipv6 = false);
  ~Listener();
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  [[nodiscard]] int port() const { return port_; }
  // The accepted socket, or -1 when nobody came in time.
  [[nodiscard]] int accept(int timeoutMs);

 private:
  int fd_ = -1;
  int port_ = 0;
};

class ScriptedConnection {
 public:
  ScriptedConnection(int fd, ScriptedServer& server);
  ~ScriptedConnection();
  ScriptedConnection(const ScriptedConnection&) = delete;
  ScriptedConnection& operator=(const ScriptedConnection&) = delete;

  // One line without CR LF; empty when the peer closed (or 5 s passed).
  std::string readLine();
  // An HTTP request head up to its empty line; recorded by the server.
  std::string readHead();
  bool send(std::string_view bytes);
  // Waits until the peer closes the connection or the server stops.
  void waitClosed();
  void close();
  [[nodiscard]] ScriptedServer& server() { return server_; }

 private:
  int fd_;
  ScriptedServer& server_;
  std::string buffered_;
};

class ScriptedServer {
 public:
  using Script = std::function<void(ScriptedConnection&, int index)>;
  explicit ScriptedServer(Script script, bool ipv6 = false);
  ~ScriptedServer();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  [[nodiscard]] int port() const { return listener_.port(); }
  [[nodiscard]] std::string url(const std::string& scheme, const std::string& path) const;
  [[nodiscard]] std::vector<std::string> requests() const;
  [[nodiscard]] int connections() const { return connections_.load(); }
  [[nodiscard]] bool stopping() const { return stop_.load(); }
  void record(std::string request);

 private:
  void serve();
  bool ipv6_;
  Listener listener_;
  Script script_;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// Sends bytes one at a time, gapMs apart, until the peer goes away (false
// then).
bool trickle(ScriptedConnection& c, std::string_view bytes, int gapMs);

}  // namespace zelvor::test
