#pragma once
// os-release: the installed system's name for itself.

#include <string>
#include <string_view>

namespace zelvor::procfs {

struct OsRelease {
  std::string prettyName;  // PRETTY_NAME
  std::string name;        // NAME
  std::string version;     // VERSION

  friend bool operator==(const OsRelease&, const OsRelease&) = default;
};

// Shell-style assignments, one per line; values may be quoted with '"' or
// '\'' and, within double quotes, \" \\ \$ and \` are escapes. Comments and
// lines that are no assignment are skipped.
[[nodiscard]] OsRelease ParseOsRelease(std::string_view text);

// PRETTY_NAME, else NAME and VERSION, else "Linux" (the default the format
// itself gives NAME).
[[nodiscard]] std::string DistributionName(const OsRelease& release);

}  // namespace zelvor::procfs
