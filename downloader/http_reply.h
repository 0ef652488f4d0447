#pragma once
// The head of an HTTP reply: status line and the headers the downloader
// acts on.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "downloader/line_reader.h"

namespace zelvor {

struct HttpStatusLine {
  int code = 0;
  std::string rest;  // from the character after the three-digit code (starts with the blank)
};

// The code is the three digits after the first blank; nullopt when there
// are no three digits there.
[[nodiscard]] std::optional<HttpStatusLine> parseStatusLine(std::string_view line);

struct ContentRange {
  std::optional<std::int64_t> first;  // absent for "bytes */N"
  std::optional<std::int64_t> last;
  std::optional<std::int64_t> complete;  // absent for ".../*"
};

[[nodiscard]] std::optional<ContentRange> parseContentRange(std::string_view value);

struct HttpHeaders {
  bool rangesSeen = false;  // Accept-Ranges or Content-Range came
  std::optional<std::int64_t> contentLength;
  std::optional<ContentRange> contentRange;
  std::optional<std::string> location;
  bool chunked = false;  // Transfer-Encoding names chunked
  // The first Content-Length or Content-Range line that could not be read
  // (or a second length that disagrees with the first). Taking such a reply
  // as one without a length would let a short body pass for a whole file.
  std::optional<std::string> unreadableLength;
  std::optional<std::string> unreadableRange;
};

// Takes one header line into headers; unknown names are ignored.
void applyHeaderLine(std::string_view line, HttpHeaders& headers);

enum class HeadStatus { Ok, Closed, TooLong, TooMany, Failed, Invalid };

[[nodiscard]] HeadStatus readStatusLine(LineReader& reader, HttpStatusLine& status, std::string& line);
// Header lines up to the empty line or the end of the connection.
[[nodiscard]] HeadStatus readHeaders(LineReader& reader, HttpHeaders& headers);

// Decimal digits only, at most 18 of them (no overflow); nullopt otherwise.
[[nodiscard]] std::optional<std::int64_t> parseDecimal(std::string_view text);

}  // namespace zelvor
