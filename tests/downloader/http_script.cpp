#include "tests/downloader/http_script.h"

#include <algorithm>

namespace zelvor::test {

std::int64_t requestedOffset(const std::string& head) {
  const auto at = head.find("RANGE: bytes=");
  if (at == std::string::npos) return -1;
  return std::stoll(head.substr(at + 13));
}

void serveFile(ScriptedConnection& c, const std::string& body, bool ranges, std::size_t dropAfter) {
  const std::string head = c.readHead();
  std::size_t from = 0;
  std::string reply;
  if (ranges && requestedOffset(head) > 0) {
    from = static_cast<std::size_t>(requestedOffset(head));
    reply = "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " + std::to_string(from) + "-" +
            std::to_string(body.size() - 1) + "/" + std::to_string(body.size()) + "\r\n";
  } else {
    reply = "HTTP/1.1 200 OK\r\n";
    if (ranges) reply += "Accept-Ranges: bytes\r\n";
  }
  reply += "Content-Length: " + std::to_string(body.size() - from) + "\r\n\r\n";
  const std::size_t to = std::min(body.size(), dropAfter);
  if (from < to) reply += body.substr(from, to - from);
  c.send(reply);
}

}  // namespace zelvor::test
