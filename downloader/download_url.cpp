#include "downloader/download_url.h"

#include <algorithm>
#include <charconv>

namespace zelvor {
namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool hasControl(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c == '\0' || c == '\r' || c == '\n'; });
}

bool validHost(std::string_view host) {
  if (host.empty()) return false;
  return std::all_of(host.begin(), host.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u > 0x20 && u != 0x7f && c != '/' && c != '\\' && c != '@' && c != '[' && c != ']' &&
           c != '?' && c != '#';
  });
}

std::uint16_t defaultPort(bool ftp) { return ftp ? 21 : 80; }

std::string origin(const SplitUrl& url) { return url.scheme + "://" + hostAndPort(url); }

}  // namespace

std::string percentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::optional<SplitUrl> splitUrl(std::string_view url) {
  url = trim(url);
  if (url.size() > kMaxUrlLength) return std::nullopt;
  if (const auto hash = url.find('#'); hash != std::string_view::npos) url = url.substr(0, hash);
  const auto schemeEnd = url.find("://");
  if (schemeEnd == std::string_view::npos) return std::nullopt;
  SplitUrl out;
  const std::string_view scheme = url.substr(0, schemeEnd);
  if (equalsNoCase(scheme, "http")) {
    out.scheme = "http";
  } else if (equalsNoCase(scheme, "ftp")) {
    out.scheme = "ftp";
    out.ftp = true;
  } else {
    return std::nullopt;
  }
  std::string_view rest = url.substr(schemeEnd + 3);
  const auto pathStart = rest.find_first_of("/?");
  std::string_view authority = rest.substr(0, pathStart);
  std::string_view path = pathStart == std::string_view::npos ? std::string_view() : rest.substr(pathStart);

  if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
    const std::string_view userInfo = authority.substr(0, at);
    authority = authority.substr(at + 1);
    const auto colon = userInfo.find(':');
    out.user = percentDecode(userInfo.substr(0, colon));
    if (colon != std::string_view::npos) out.password = percentDecode(userInfo.substr(colon + 1));
    if (hasControl(out.user) || hasControl(out.password)) return std::nullopt;
  }

  std::string_view portText;
  if (!authority.empty() && authority.front() == '[') {
    const auto close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    out.server = std::string(authority.substr(1, close - 1));
    const std::string_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after.front() != ':') return std::nullopt;
      portText = after.substr(1);
    }
    if (out.server.empty() || out.server.find_first_not_of("0123456789abcdefABCDEF:.") != std::string::npos) {
      return std::nullopt;
    }
  } else {
    const auto colon = authority.find(':');
    out.server = std::string(authority.substr(0, colon));
    if (colon != std::string_view::npos) portText = authority.substr(colon + 1);
    if (!validHost(out.server)) return std::nullopt;
  }
  out.port = defaultPort(out.ftp);
  if (!portText.empty()) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(portText.data(), portText.data() + portText.size(), value);
    if (error != std::errc() || end != portText.data() + portText.size() || value == 0 || value > 65535) {
      return std::nullopt;
    }
    out.port = static_cast<std::uint16_t>(value);
  }

  out.rawObject = path.empty() ? "/" : std::string(path);
  if (out.rawObject.front() == '?') out.rawObject.insert(0, "/");
  out.object = percentDecode(out.rawObject);
  if (hasControl(out.object) || hasControl(out.rawObject)) return std::nullopt;
  return out;
}

std::string httpRequestTarget(std::string_view rawObject) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(rawObject.size());
  for (const char c : rawObject) {
    const auto u = static_cast<unsigned char>(c);
    const bool unsafe = u <= 0x20 || u >= 0x7f || c == '"' || c == '<' || c == '>' || c == '\\' ||
                        c == '^' || c == '`' || c == '{' || c == '|' || c == '}';
    if (unsafe) {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string hostAndPort(const SplitUrl& url) {
  std::string out = url.server.find(':') != std::string::npos ? "[" + url.server + "]" : url.server;
  if (url.port != defaultPort(url.ftp)) out += ":" + std::to_string(url.port);
  return out;
}

std::string urlForProxy(const SplitUrl& url) { return origin(url) + url.rawObject; }

std::string resolveLocation(const SplitUrl& current, std::string_view location) {
  location = trim(location);
  std::string absolute;
  if (location.find("://") != std::string_view::npos) {
    absolute = std::string(location);
  } else if (location.substr(0, 2) == "//") {
    absolute = current.scheme + ":" + std::string(location);
  }
  if (!absolute.empty()) {
    // An address that names only a host keeps the old path.
    const auto authority = absolute.find("://") + 3;
    if (absolute.find('/', authority) == std::string::npos) absolute += current.rawObject;
    return absolute;
  }
  if (!location.empty() && location.front() == '/') return origin(current) + std::string(location);
  const std::string_view path = std::string_view(current.rawObject).substr(0, current.rawObject.find('?'));
  if (!location.empty() && location.front() == '?') return origin(current) + std::string(path) + std::string(location);
  const auto slash = path.rfind('/');
  const std::string_view folder = slash == std::string_view::npos ? std::string_view("/") : path.substr(0, slash + 1);
  return origin(current) + std::string(folder) + std::string(location);
}

std::string base64Encode(std::string_view bytes) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned v = (unsigned{static_cast<unsigned char>(bytes[i])} << 16) |
                       (unsigned{static_cast<unsigned char>(bytes[i + 1])} << 8) |
                       unsigned{static_cast<unsigned char>(bytes[i + 2])};
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  if (i < bytes.size()) {
    unsigned v = unsigned{static_cast<unsigned char>(bytes[i])} << 16;
    if (i + 1 < bytes.size()) v |= unsigned{static_cast<unsigned char>(bytes[i + 1])} << 8;
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

}  // namespace zelvor
