#include "downloader/line_reader.h"

#include <algorithm>
#include <cstring>

namespace zelvor {

LineReader::LineReader(std::size_t bufferSize) : buffer_(std::max<std::size_t>(bufferSize, 16)) {}

void LineReader::attach(TcpStream* stream) {
  stream_ = stream;
  begin_ = end_ = 0;
  last_ = {};
  deadline_.reset();
}

void LineReader::startDeadline(int ms) {
  deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
}

bool LineReader::fill() {
  if (stream_ == nullptr) {
    last_ = NetResult{NetStatus::Closed, 0, {}};
    return false;
  }
  begin_ = end_ = 0;
  if (deadline_ && std::chrono::steady_clock::now() >= *deadline_) {
    last_ = NetResult{NetStatus::TimedOut, 0, {}};
    return false;
  }
  last_ = stream_->receive(buffer_.data(), buffer_.size());
  if (!last_.ok()) return false;
  end_ = last_.bytes;
  return true;
}

LineStatus LineReader::readLine(std::string& line, std::size_t maxLength) {
  line.clear();
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !fill()) {
      if (last_.status != NetStatus::Closed) return LineStatus::Failed;
      return any ? LineStatus::Unterminated : LineStatus::Closed;
    }
    any = true;
    const char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const void* found = std::memchr(start, '\n', available);
    const std::size_t take = found ? static_cast<std::size_t>(static_cast<const char*>(found) - start) : available;
    for (std::size_t i = 0; i < take; ++i) {
      if (start[i] == '\r') continue;
      if (line.size() == maxLength) {
        begin_ += i;
        return LineStatus::TooLong;
      }
      line += start[i];
    }
    begin_ += take;
    if (found) {
      ++begin_;
      return LineStatus::Line;
    }
  }
}

NetResult LineReader::readSome(char* buffer, std::size_t capacity) {
  if (begin_ < end_) {
    const std::size_t n = std::min(capacity, end_ - begin_);
    std::memcpy(buffer, buffer_.data() + begin_, n);
    begin_ += n;
    return NetResult{NetStatus::Ok, n, {}};
  }
  if (stream_ == nullptr) return NetResult{NetStatus::Closed, 0, {}};
  last_ = stream_->receive(buffer, capacity);
  return last_;
}

}  // namespace zelvor
