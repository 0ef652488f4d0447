// Feeds arbitrary bytes to the readers of what download servers send: the
// HTTP status line and headers, FTP replies, addresses and Location values,
// and the whole engine (chunked bodies included) over an in-memory stream.
// The first byte picks the reader, the second how the bytes are split
// into receives.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "downloader/download_url.h"
#include "downloader/file_download.h"
#include "downloader/ftp_reply.h"
#include "downloader/http_reply.h"
#include "downloader/reply_limits.h"
#include "fuzz/default_max_len.h"

namespace {

using namespace zelvor;

class MemoryStream : public TcpStream {
 public:
  MemoryStream(std::string bytes, std::size_t chunk) : bytes_(std::move(bytes)), chunk_(chunk ? chunk : 1) {}
  NetResult send(std::string_view text) override { return NetResult{NetStatus::Ok, text.size(), {}}; }
  NetResult receive(char* buffer, std::size_t capacity) override {
    if (at_ >= bytes_.size()) return NetResult{NetStatus::Closed, 0, {}};
    const std::size_t n = std::min({capacity, chunk_, bytes_.size() - at_});
    std::memcpy(buffer, bytes_.data() + at_, n);
    at_ += n;
    return NetResult{NetStatus::Ok, n, {}};
  }
  std::string peerAddress() const override { return "127.0.0.1"; }
  void close() override {}

 private:
  std::string bytes_;
  std::size_t chunk_;
  std::size_t at_ = 0;
};

// Every connection gets the same bytes (the FTP data connection none).
class MemoryNetwork : public Network {
 public:
  MemoryNetwork(std::string bytes, std::size_t chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
  std::unique_ptr<CancelSignal> makeCancelSignal() override { return nullptr; }
  std::unique_ptr<TcpStream> connect(const std::string&, std::uint16_t, const ConnectOptions&, NetResult&) override {
    ++connections_;
    if (connections_ > 3) return nullptr;
    return std::make_unique<MemoryStream>(connections_ == 1 ? bytes_ : std::string(), chunk_);
  }

 private:
  std::string bytes_;
  std::size_t chunk_;
  int connections_ = 0;
};

void readHttpHead(const std::string& bytes, std::size_t chunk) {
  MemoryStream stream(bytes, chunk);
  LineReader reader(64);
  reader.attach(&stream);
  HttpStatusLine status;
  std::string line;
  (void)readStatusLine(reader, status, line);
  HttpHeaders headers;
  (void)readHeaders(reader, headers);
}

void readFtpReplies(const std::string& bytes, std::size_t chunk) {
  MemoryStream stream(bytes, chunk);
  LineReader reader(64);
  reader.attach(&stream);
  FtpReply reply;
  for (int i = 0; i < 64 && readFtpReply(reader, reply) == FtpReadStatus::Ok; ++i) {
    (void)parsePasvPort(reply.line);
    (void)parseEpsvPort(reply.line);
    (void)parseSizeReply(reply.line);
  }
}

void splitAddresses(const std::string& bytes) {
  const auto split = splitUrl(bytes);
  const auto base = splitUrl("http://host:8080/dir/page.html?q=1");
  (void)resolveLocation(*base, bytes);
  (void)parseContentRange(bytes);
  if (split) {
    (void)httpRequestTarget(split->rawObject);
    (void)urlForProxy(*split);
    (void)resolveLocation(*split, "../x");
  }
}

void runEngine(const std::string& bytes, std::size_t chunk, const char* url, std::int64_t offset) {
  MemoryNetwork network(bytes, chunk);
  CFileDownload engine(network, DownloadDeadlines{}, nullptr, url, "", 0, "", "");
  if (!engine.Open(offset)) return;
  char buffer[512];
  std::string line;
  for (int i = 0; i < 4096; ++i) {
    if (i % 2 == 0 ? engine.Read(buffer, sizeof buffer) == 0 : !engine.ReadDataLine(line)) break;
  }
}

}  // namespace

// Room for several replies that each run into a bound: a reply line past
// kMaxReplyLine, kMaxHeaderLines headers, kMaxReplyLines FTP lines.
constexpr std::size_t kMaxInput = 16 * kMaxReplyLine;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  zelvor::fuzz::prependDefaultMaxLen(argc, argv, kMaxInput);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::size_t chunk = data[1] % 32 + 1;
  switch (data[0] % 5) {
    case 0:
      readHttpHead(bytes, chunk);
      break;
    case 1:
      readFtpReplies(bytes, chunk);
      break;
    case 2:
      splitAddresses(bytes);
      break;
    case 3:
      runEngine(bytes, chunk, "http://example.test/dir/f.bin", data[1] % 3 == 0 ? 0 : 100);
      break;
    default:
      runEngine(bytes, chunk, "ftp://example.test/f.bin", data[1] % 3 == 0 ? 0 : 100);
      break;
  }
  return 0;
}
