#pragma once
// Reading the store file and putting a damaged one aside: the two file
// operations whose failures the store must tell apart (a file that is not a
// store is kept aside; one that cannot be read right now is left alone).

#include <optional>
#include <string>

namespace zelvor {

struct StoreFileRead {
  enum class Outcome {
    Read,        // text holds the whole file
    Missing,     // no file: an empty store
    Malformed,   // content no store of ours can have (larger than the store's bound)
    Unreadable,  // cannot be read right now: a permission, an I/O error, not a file
  };
  Outcome outcome = Outcome::Missing;
  std::string text;
  std::string problem;  // what went wrong, for a message
};

// Reads at most kMaxStoreBytes; a link is followed (dotfiles folders keep
// the store elsewhere), a FIFO or device is never opened for reading.
[[nodiscard]] StoreFileRead readStoreFile(const std::string& path);

struct MoveAside {
  std::optional<std::string> movedTo;  // the name the file now has
  bool gone = false;                   // another process moved it first
  std::string error;
};

// Renames path to path + ".broken", or ".broken.2", ".broken.3", … the
// first name that does not exist: an earlier copy is never replaced.
[[nodiscard]] MoveAside moveAsideWithoutReplacing(const std::string& path);

}  // namespace zelvor
