#pragma once
// CFileDownload fetches one file over HTTP (directly or through an HTTP
// proxy) or FTP (passive mode) from a given byte offset. It speaks both
// protocols itself over the platform's TCP streams. Every operation leaves
// its result in ok() and, on failure, the text to show in errorMessage().

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "downloader/download_url.h"
#include "downloader/line_reader.h"
#include "platform/tcp_stream.h"

namespace zelvor {

// How long a peer may keep the engine waiting.
struct DownloadDeadlines {
  int connectMs = 30000;  // to resolve the name and connect to each address
  int receiveMs = 60000;  // for every receive (and for room to send)
};

class CFileDownload {
 public:
  // Splits url; a user name or password given here replaces the address's.
  // cancel (may be null) wakes every wait of the engine when raised.
  CFileDownload(Network& network, DownloadDeadlines deadlines, CancelSignal* cancel, std::string url,
                std::string proxyAddress, unsigned proxyPort, std::string user, std::string password);
  ~CFileDownload();
  CFileDownload(const CFileDownload&) = delete;
  CFileDownload& operator=(const CFileDownload&) = delete;

  // Splits the current address again (after setUrl or a redirect).
  [[nodiscard]] bool ParseUrl();
  // Connects, sends the request and reads the reply up to the first data
  // byte. Afterwards startOffset(), totalSize() and resumeSupported() hold.
  [[nodiscard]] bool Open(std::int64_t offset);
  // Data bytes; 0 when the data ended (ok() true) or failed (ok() false).
  [[nodiscard]] std::size_t Read(char* buffer, std::size_t capacity);
  // One line of the data (carriage returns dropped); false at the end of
  // the data, where an unterminated rest is not a line. A line longer than
  // a megabyte comes in pieces of a megabyte.
  [[nodiscard]] bool ReadDataLine(std::string& text);
  void Close();

  [[nodiscard]] bool ok() const { return ok_; }
  [[nodiscard]] const std::string& errorMessage() const { return errorMessage_; }
  [[nodiscard]] const std::string& url() const { return url_; }
  void setUrl(std::string url) { url_ = std::move(url); }
  [[nodiscard]] std::int64_t startOffset() const { return startOffset_; }
  [[nodiscard]] std::int64_t totalSize() const { return totalSize_; }
  [[nodiscard]] bool resumeSupported() const { return resumeSupported_; }
  [[nodiscard]] int statusCode() const { return statusCode_; }
  [[nodiscard]] bool isFtp() const { return ftp_; }
  [[nodiscard]] const std::string& server() const { return server_; }
  // Why the last network wait ended when it failed (time-out, cancel...).
  [[nodiscard]] NetStatus lastNetStatus() const { return lastNet_; }

 private:
  [[nodiscard]] bool openHttp(std::int64_t offset, int redirectsLeft);
  [[nodiscard]] bool openFtp(std::int64_t offset);
  // A reply head that stopped coming (time-out, cancel, receive error).
  [[nodiscard]] bool headFailed();
  [[nodiscard]] bool invalidHead(const std::string& line);
  [[nodiscard]] std::unique_ptr<TcpStream> connectTo(const std::string& host, std::uint16_t port,
                                                     NetResult& failure);
  [[nodiscard]] bool fail(std::string message);
  // The message for a failed network wait on the control or data stream.
  [[nodiscard]] std::string netFailureText(const NetResult& result) const;
  void resetForOpen(std::int64_t offset);
  [[nodiscard]] std::size_t readChunked(char* buffer, std::size_t capacity);
  [[nodiscard]] std::size_t dataFailed(const NetResult& result);

  // FTP steps.
  [[nodiscard]] bool ftpCommand(const std::string& command);
  [[nodiscard]] bool ftpReply(int& code, std::string& line);

  Network& network_;
  DownloadDeadlines deadlines_;
  CancelSignal* cancel_;

  bool resumeSupported_ = false;
  std::string url_;
  std::string server_;
  std::string object_;
  std::optional<SplitUrl> split_;
  unsigned port_ = 0;
  bool ftp_ = false;
  std::string proxyAddress_;
  unsigned proxyPort_ = 0;
  std::string user_;
  std::string password_;
  std::int64_t startOffset_ = 0;
  std::int64_t totalSize_ = 0;
  bool ok_ = true;
  std::string errorMessage_;
  std::unique_ptr<TcpStream> data_;
  std::unique_ptr<TcpStream> control_;
  int statusCode_ = 0;

  LineReader dataReader_;
  LineReader controlReader_{4096};
  NetStatus lastNet_ = NetStatus::Ok;
  // HTTP body framing.
  std::optional<std::int64_t> bodyLeft_;  // known length still due
  bool chunked_ = false;
  std::int64_t chunkLeft_ = 0;
  bool chunksDone_ = false;
  // Bytes read for ReadDataLine and not yet handed out as a line.
  std::string pending_;
  std::size_t pendingAt_ = 0;
  std::vector<char> lineChunk_;
};

}  // namespace zelvor
