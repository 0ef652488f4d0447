#pragma once
// FTP replies on the control connection.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "downloader/line_reader.h"

namespace zelvor {

struct FtpReply {
  int code = 0;      // the integer of the first three characters
  std::string line;  // the last line of the reply
};

enum class FtpReadStatus {
  Ok,
  Closed,   // the connection ended before any reply line
  Short,    // a line that does not begin with a three-digit code
  TooLong,  // a line or a multi-line reply past the bounds
  Failed,   // receive failed (time-out, cancel, error)
};

// Reads one reply. A line with "-" after its code opens a multi-line reply,
// which ends at the first line made of a three-digit code and a blank (or
// the code alone); the lines between may hold any text.
[[nodiscard]] FtpReadStatus readFtpReply(LineReader& reader, FtpReply& reply);

// The data port of a 227 reply: p1 after the fourth comma, p2 after the
// fifth, port p1 * 256 + p2. nullopt when missing, out of range or 0.
[[nodiscard]] std::optional<std::uint16_t> parsePasvPort(std::string_view line);

// The data port of a 229 reply, "(|||port|)".
[[nodiscard]] std::optional<std::uint16_t> parseEpsvPort(std::string_view line);

// The integer from the fifth character of a 213 reply to SIZE.
[[nodiscard]] std::optional<std::int64_t> parseSizeReply(std::string_view line);

}  // namespace zelvor
