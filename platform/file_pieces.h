#pragma once
// Reading a data file in pieces, so that a reader's memory follows the
// records really present rather than what the file's length fields claim,
// and a large file costs few reads.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace zelvor {

enum class PiecesRead {
  Read,        // every byte was handed over (the file may have shrunk meanwhile)
  Missing,     // there is no such file
  Unreadable,  // it is there but a read failed; the pieces before it were handed over
};

// Hands the file's bytes to feed in order, at most pieceBytes at a time.
[[nodiscard]] PiecesRead ReadInPieces(Files& files, const std::string& path,
                                      const std::function<void(std::string_view)>& feed,
                                      std::uint64_t pieceBytes = std::uint64_t{1} << 20);

}  // namespace zelvor
