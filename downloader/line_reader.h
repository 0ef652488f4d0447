#pragma once
// Reads lines and raw bytes from a stream through one large buffer, so a
// reply is parsed from memory instead of one receive per byte, and the body
// bytes that arrived with the headers are handed on, not lost.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/tcp_stream.h"

namespace zelvor {

enum class LineStatus {
  Line,          // a line ended by a line feed
  Unterminated,  // the peer closed after some bytes without a line feed; they are in the line
  Closed,        // the peer closed before any byte of a new line
  TooLong,       // maxLength bytes came without a line feed; they are in the line
  Failed,        // receive failed (time-out, cancel, error): see lastResult()
};

class LineReader {
 public:
  explicit LineReader(std::size_t bufferSize = 16 * 1024);

  // Starts over on another stream (or none), dropping buffered bytes.
  void attach(TcpStream* stream);

  // One line without its line feed; carriage returns anywhere are dropped.
  [[nodiscard]] LineStatus readLine(std::string& line, std::size_t maxLength);

  // From now on every receive that begins after ms milliseconds fails as
  // TimedOut, until clearDeadline(). The stream's own time-out only bounds
  // silence; this bounds a whole reply head, so a server that sends one byte
  // now and then cannot keep the engine waiting without end. (A receive that
  // began before the deadline still ends at the stream's time-out.)
  void startDeadline(int ms);
  void clearDeadline() { deadline_.reset(); }

  // Buffered bytes first, then one receive from the stream.
  [[nodiscard]] NetResult readSome(char* buffer, std::size_t capacity);

  [[nodiscard]] const NetResult& lastResult() const { return last_; }

 private:
  [[nodiscard]] bool fill();

  TcpStream* stream_ = nullptr;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  NetResult last_;
  std::optional<std::chrono::steady_clock::time_point> deadline_;
};

}  // namespace zelvor
