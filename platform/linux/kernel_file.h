#pragma once
// Reading the kernel's own files (/proc, /sys). They report no size, so
// they are read to their end, but never past a cap: a longer file is
// handed over cut at the cap, which the parsers take as a last line cut
// short.

#include <cstddef>
#include <optional>
#include <string>

namespace zelvor {

// nullopt when the file cannot be opened or read.
[[nodiscard]] std::optional<std::string> ReadKernelFile(const std::string& path, std::size_t maxBytes);

// The target of a symbolic link such as /proc/PID/exe; nullopt when it
// cannot be read.
[[nodiscard]] std::optional<std::string> ReadLinkText(const std::string& path);

// The canonical path (symbolic links resolved); nullopt when it does not exist.
[[nodiscard]] std::optional<std::string> CanonicalPath(const std::string& path);

}  // namespace zelvor
