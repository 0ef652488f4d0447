#pragma once
// Bounds on what a server may send before the data starts. A reply past
// them is refused with a message instead of growing without end.

#include <cstddef>

namespace zelvor {

inline constexpr std::size_t kMaxReplyLine = 8192;      // status, header or FTP reply line
inline constexpr int kMaxHeaderLines = 200;             // header lines of one HTTP reply
inline constexpr int kMaxReplyLines = 1000;             // lines of one multi-line FTP reply
inline constexpr int kMaxRedirects = 20;                // successive 302 answers
inline constexpr std::size_t kMaxDataLine = 1u << 20;   // a longer line of a page comes in pieces

}  // namespace zelvor
