#include "downloader/ftp_reply.h"

#include "downloader/http_reply.h"
#include "downloader/reply_limits.h"

namespace zelvor {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<int> replyCode(std::string_view line) {
  if (line.size() < 3 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2])) return std::nullopt;
  return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
}

bool endsReply(std::string_view line) {
  return replyCode(line).has_value() && (line.size() == 3 || line[3] == ' ');
}

// Reads the leading decimal digits of text, as atoi would (blanks first).
std::optional<long> leadingNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  long value = 0;
  std::size_t digits = 0;
  while (digits < text.size() && isDigit(text[digits]) && digits < 9) {
    value = value * 10 + (text[digits] - '0');
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

}  // namespace

FtpReadStatus readFtpReply(LineReader& reader, FtpReply& reply) {
  std::string line;
  for (int count = 0; count < kMaxReplyLines; ++count) {
    const LineStatus status = reader.readLine(line, kMaxReplyLine);
    if (status == LineStatus::Failed) return FtpReadStatus::Failed;
    if (status == LineStatus::TooLong) return FtpReadStatus::TooLong;
    if (status == LineStatus::Closed) return count == 0 ? FtpReadStatus::Closed : FtpReadStatus::Short;
    if (count == 0) {
      const auto code = replyCode(line);
      if (!code) {
        reply = FtpReply{0, line};
        return FtpReadStatus::Short;
      }
      reply.code = *code;
    }
    reply.line = line;
    if (status == LineStatus::Unterminated) return count == 0 ? FtpReadStatus::Ok : FtpReadStatus::Short;
    if (count == 0 ? !(line.size() > 3 && line[3] == '-') : endsReply(line)) return FtpReadStatus::Ok;
  }
  return FtpReadStatus::TooLong;
}

std::optional<std::uint16_t> parsePasvPort(std::string_view line) {
  std::size_t at = 0;
  std::size_t commas[5] = {};
  for (std::size_t found = 0; found < 5; ++found) {
    at = line.find(',', at);
    if (at == std::string_view::npos) return std::nullopt;
    commas[found] = at++;
  }
  const auto p1 = leadingNumber(line.substr(commas[3] + 1));
  const auto p2 = leadingNumber(line.substr(commas[4] + 1));
  if (!p1 || !p2 || *p1 > 255 || *p2 > 255) return std::nullopt;
  const long port = *p1 * 256 + *p2;
  if (port == 0) return std::nullopt;
  return static_cast<std::uint16_t>(port);
}

std::optional<std::uint16_t> parseEpsvPort(std::string_view line) {
  const auto open = line.find("(|||");
  if (open == std::string_view::npos) return std::nullopt;
  const std::string_view rest = line.substr(open + 4);
  const auto close = rest.find('|');
  if (close == std::string_view::npos) return std::nullopt;
  const auto port = parseDecimal(rest.substr(0, close));
  if (!port || *port == 0 || *port > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(*port);
}

std::optional<std::int64_t> parseSizeReply(std::string_view line) {
  if (line.size() < 5) return std::nullopt;
  std::string_view digits = line.substr(4);
  std::size_t n = 0;
  while (n < digits.size() && isDigit(digits[n])) ++n;
  return parseDecimal(digits.substr(0, n));
}

}  // namespace zelvor
