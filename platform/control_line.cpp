#include "platform/control_line.h"

namespace zelvor {

ControlLineReader::State ControlLineReader::feed(std::string_view bytes) {
  if (state_ != State::Incomplete) return state_;
  const auto end = bytes.find('\n');
  const std::string_view part = bytes.substr(0, end);
  // The line feed needs a byte of the limit too.
  if (line_.size() + part.size() + 1 > max_) {
    state_ = State::TooLong;
    line_.clear();
    return state_;
  }
  line_.append(part);
  return end == std::string_view::npos ? state_ : complete();
}

ControlLineReader::State ControlLineReader::finish() {
  if (state_ != State::Incomplete || line_.empty()) return state_;
  return complete();
}

ControlLineReader::State ControlLineReader::complete() {
  if (!line_.empty() && line_.back() == '\r') line_.pop_back();
  state_ = State::Complete;
  return state_;
}

}  // namespace zelvor
