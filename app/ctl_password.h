#pragma once
// Where zelvorctl fetch takes a password from. An argument is visible to
// every user of the machine (ps, /proc), so a file, an environment variable
// and a prompt without echo are offered too.

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace zelvor::ctl {

// A password file's first line is read, and never more than this.
inline constexpr std::size_t kMaxPassword = 4096;
inline constexpr char kPasswordVariable[] = "ZELVOR_FETCH_PASSWORD";

// A password as text from outside: no control characters (a line break
// would end an FTP command early and start another).
[[nodiscard]] inline bool isPlainPassword(std::string_view password) {
  for (const char ch : password) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7f) return false;
  }
  return true;
}

// The password in the first bytes of a password file (at most kMaxPassword
// + 1 of them): its first line, without the line end. nullopt, with why in
// error, for an empty first line, one longer than kMaxPassword or one with
// control characters.
[[nodiscard]] inline std::optional<std::string> passwordFromFileText(std::string_view text, std::string& error) {
  const auto end = text.find('\n');
  std::string_view line = text.substr(0, end);
  if (line.size() > kMaxPassword || (end == std::string_view::npos && text.size() > kMaxPassword)) {
    error = "the first line is longer than " + std::to_string(kMaxPassword) + " bytes";
    return std::nullopt;
  }
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty()) {
    error = "the first line holds no password";
    return std::nullopt;
  }
  if (!isPlainPassword(line)) {
    error = "the password holds a control character";
    return std::nullopt;
  }
  return std::string(line);
}

// Reads the first line of path (bounded; a pipe works too).
[[nodiscard]] std::optional<std::string> readPasswordFile(const std::string& path, std::string& error);

// Asks on the terminal at stdin, with the prompt on err and echo off; the
// terminal is put back however the prompt ends (Ctrl-C included).
[[nodiscard]] std::optional<std::string> promptPassword(const std::string& prompt, std::FILE* err,
                                                        std::string& error);

}  // namespace zelvor::ctl
