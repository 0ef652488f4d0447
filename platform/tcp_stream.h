#pragma once
// TCP client connections: connect by host name, send, receive, close. Every
// call that waits has a deadline, and a cancel signal shared by the streams
// of one job wakes any blocked call at once from another thread.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zelvor {

enum class NetStatus {
  Ok,         // bytes moved (receive: at least one byte)
  Closed,     // the peer closed the connection in order (receive only)
  TimedOut,   // the deadline passed with nothing to do
  Cancelled,  // the stream's cancel signal was raised
  NotFound,   // the host name has no address (connect only)
  Failed,     // any other system error; error holds the system's text
};

struct NetResult {
  NetStatus status = NetStatus::Ok;
  std::size_t bytes = 0;
  std::string error;
  [[nodiscard]] bool ok() const { return status == NetStatus::Ok; }
};

// Raised once, never lowered. cancel() may be called from any thread and,
// in the POSIX binding, from a signal handler.
class CancelSignal {
 public:
  virtual ~CancelSignal() = default;
  virtual void cancel() = 0;
  [[nodiscard]] virtual bool cancelled() const = 0;
};

class TcpStream {
 public:
  virtual ~TcpStream() = default;
  // Sends every byte or fails; waits at most the receive time-out for room.
  [[nodiscard]] virtual NetResult send(std::string_view bytes) = 0;
  // One receive of at most capacity bytes; waits at most the receive time-out.
  [[nodiscard]] virtual NetResult receive(char* buffer, std::size_t capacity) = 0;
  // The numeric address of the peer ("127.0.0.1", "::1").
  [[nodiscard]] virtual std::string peerAddress() const = 0;
  virtual void close() = 0;
};

struct ConnectOptions {
  int connectTimeoutMs = 30000;  // for each address tried
  int receiveTimeoutMs = 60000;  // for every later send or receive
  CancelSignal* cancel = nullptr;  // made by the same Network; may be null
};

class Network {
 public:
  virtual ~Network() = default;
  [[nodiscard]] virtual std::unique_ptr<CancelSignal> makeCancelSignal() = 0;
  // Resolves host (IPv4 and IPv6) and tries every address in the order the
  // resolver gives them. On failure returns null and fills failure.
  [[nodiscard]] virtual std::unique_ptr<TcpStream> connect(const std::string& host,
                                                           std::uint16_t port,
                                                           const ConnectOptions& options,
                                                           NetResult& failure) = 0;
};

}  // namespace zelvor
