#pragma once
// One control request as it arrives from a peer, in pieces of any size: a
// single line of at most maxBytes bytes, line feed included. What follows
// the line feed is not part of the request and is never kept.

#include <cstddef>
#include <string>
#include <string_view>

namespace zelvor {

// The longest control request, line feed included.
inline constexpr std::size_t kMaxControlRequest = 4096;

class ControlLineReader {
 public:
  enum class State {
    Incomplete,  // more bytes are needed
    Complete,    // line() holds the request
    TooLong,     // the line cannot fit; the request is refused
  };

  explicit ControlLineReader(std::size_t maxBytes) : max_(maxBytes) {}

  // Adds bytes that arrived. Once the state is Complete or TooLong it stays so.
  State feed(std::string_view bytes);
  // The peer has sent all it will: an unterminated line is the request, and
  // nothing at all stays Incomplete.
  State finish();

  [[nodiscard]] State state() const { return state_; }
  // Once Complete: the request without its line end (a carriage return
  // before the line feed is dropped too).
  [[nodiscard]] const std::string& line() const { return line_; }

 private:
  State complete();

  std::size_t max_;
  State state_ = State::Incomplete;
  std::string line_;
};

}  // namespace zelvor
