#pragma once
// Splitting of download addresses: scheme (http or ftp), user and password,
// host, port and the object path on the server.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvor {

// The longest address accepted, redirect targets included.
inline constexpr std::size_t kMaxUrlLength = 8192;

struct SplitUrl {
  bool ftp = false;
  std::string scheme;     // "http" or "ftp", lower case
  std::string server;     // host name or address; an IPv6 address without brackets
  std::uint16_t port = 0;  // the scheme's default when the address names none
  std::string object;     // the path from the first "/" after the host, %-escapes decoded
  std::string rawObject;  // the same path as written in the address
  std::string user;       // from "user:password@" before the host, decoded
  std::string password;
};

// Fails on any other scheme, an empty or malformed host or port, and on a
// path, user or password that decodes to a control character (CR, LF or
// NUL would let an address inject commands into the FTP dialogue).
[[nodiscard]] std::optional<SplitUrl> splitUrl(std::string_view url);

[[nodiscard]] std::string percentDecode(std::string_view text);

// The request target for an HTTP request line: the path as written, with
// the characters that may not appear there (blanks, controls, non-ASCII
// bytes, quotes, angle brackets...) %-encoded. Existing escapes stay.
[[nodiscard]] std::string httpRequestTarget(std::string_view rawObject);

// "host" or "[v6]", followed by ":port" when the port is not the scheme's
// default: the form used in the Host header and in rebuilt addresses.
[[nodiscard]] std::string hostAndPort(const SplitUrl& url);

// The address without its user and password, as sent to a proxy.
[[nodiscard]] std::string urlForProxy(const SplitUrl& url);

// The address a Location header points to, seen from the address that
// answered. An absolute address with a path is taken as it is; an absolute
// address without a path gets the old path appended; a path or a relative
// reference is resolved against the old address.
[[nodiscard]] std::string resolveLocation(const SplitUrl& current, std::string_view location);

[[nodiscard]] std::string base64Encode(std::string_view bytes);

}  // namespace zelvor
