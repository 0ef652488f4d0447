#include "downloader/http_reply.h"

#include <algorithm>

#include "downloader/reply_limits.h"

namespace zelvor {
namespace {

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

bool containsNoCase(std::string_view text, std::string_view word) {
  if (word.size() > text.size()) return false;
  for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
    if (equalsNoCase(text.substr(i, word.size()), word)) return true;
  }
  return false;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::int64_t> parseDecimal(std::string_view text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (!isDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<HttpStatusLine> parseStatusLine(std::string_view line) {
  const auto space = line.find(' ');
  if (space == std::string_view::npos || line.size() < space + 4) return std::nullopt;
  const std::string_view digits = line.substr(space + 1, 3);
  if (!std::all_of(digits.begin(), digits.end(), isDigit)) return std::nullopt;
  HttpStatusLine out;
  out.code = (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0');
  out.rest = std::string(line.substr(space + 4));
  return out;
}

std::optional<ContentRange> parseContentRange(std::string_view value) {
  value = trim(value);
  if (value.size() < 6 || !equalsNoCase(value.substr(0, 6), "bytes ")) return std::nullopt;
  value = trim(value.substr(6));
  const auto slash = value.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view range = trim(value.substr(0, slash));
  const std::string_view complete = trim(value.substr(slash + 1));
  ContentRange out;
  if (complete != "*") {
    out.complete = parseDecimal(complete);
    if (!out.complete) return std::nullopt;
  }
  if (range != "*") {
    const auto dash = range.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    out.first = parseDecimal(trim(range.substr(0, dash)));
    out.last = parseDecimal(trim(range.substr(dash + 1)));
    if (!out.first || !out.last || *out.last < *out.first) return std::nullopt;
  }
  return out;
}

void applyHeaderLine(std::string_view line, HttpHeaders& headers) {
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) return;
  const std::string_view name = trim(line.substr(0, colon));
  const std::string_view value = trim(line.substr(colon + 1));
  if (equalsNoCase(name, "Accept-Ranges")) {
    headers.rangesSeen = true;
  } else if (equalsNoCase(name, "Content-Range")) {
    headers.rangesSeen = true;
    headers.contentRange = parseContentRange(value);
    if (!headers.contentRange && !headers.unreadableRange) headers.unreadableRange = std::string(line);
  } else if (equalsNoCase(name, "Content-length")) {
    const auto length = parseDecimal(value);
    const bool disagrees = length && headers.contentLength && *headers.contentLength != *length;
    if ((!length || disagrees) && !headers.unreadableLength) headers.unreadableLength = std::string(line);
    if (length && !headers.contentLength) headers.contentLength = length;
  } else if (equalsNoCase(name, "Location")) {
    headers.location = std::string(value);
  } else if (equalsNoCase(name, "Transfer-Encoding")) {
    headers.chunked = containsNoCase(value, "chunked");
  }
}

HeadStatus readStatusLine(LineReader& reader, HttpStatusLine& status, std::string& line) {
  switch (reader.readLine(line, kMaxReplyLine)) {
    case LineStatus::Line:
    case LineStatus::Unterminated:
      break;
    case LineStatus::Closed:
      return HeadStatus::Closed;
    case LineStatus::TooLong:
      return HeadStatus::TooLong;
    case LineStatus::Failed:
      return HeadStatus::Failed;
  }
  const auto parsed = parseStatusLine(line);
  if (!parsed) return HeadStatus::Invalid;
  status = *parsed;
  return HeadStatus::Ok;
}

HeadStatus readHeaders(LineReader& reader, HttpHeaders& headers) {
  std::string line;
  for (int count = 0;; ++count) {
    if (count == kMaxHeaderLines) return HeadStatus::TooMany;
    switch (reader.readLine(line, kMaxReplyLine)) {
      case LineStatus::Line:
        if (line.empty()) return HeadStatus::Ok;
        applyHeaderLine(line, headers);
        break;
      case LineStatus::Unterminated:
        applyHeaderLine(line, headers);
        return HeadStatus::Ok;
      case LineStatus::Closed:
        return HeadStatus::Ok;
      case LineStatus::TooLong:
        return HeadStatus::TooLong;
      case LineStatus::Failed:
        return HeadStatus::Failed;
    }
  }
}

}  // namespace zelvor
