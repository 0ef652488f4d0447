#include "downloader/file_download.h"

#include <algorithm>

#include "downloader/download_messages.h"
#include "downloader/reply_limits.h"

namespace zelvor {

CFileDownload::CFileDownload(Network& network, DownloadDeadlines deadlines, CancelSignal* cancel,
                             std::string url, std::string proxyAddress, unsigned proxyPort,
                             std::string user, std::string password)
    : network_(network), deadlines_(deadlines), cancel_(cancel), url_(std::move(url)), dataReader_(256 * 1024) {
  if (!ParseUrl()) {
    ok_ = false;
    errorMessage_ = download_text::invalidUrl(url_);
    return;
  }
  errorMessage_.clear();
  if (!proxyAddress.empty()) {
    proxyAddress_ = std::move(proxyAddress);
    proxyPort_ = proxyPort;
  }
  if (!user.empty()) user_ = std::move(user);
  if (!password.empty()) password_ = std::move(password);
}

CFileDownload::~CFileDownload() { Close(); }

bool CFileDownload::ParseUrl() {
  split_ = splitUrl(url_);
  if (!split_) return false;
  server_ = split_->server;
  object_ = split_->object;
  port_ = split_->port;
  ftp_ = split_->ftp;
  user_ = split_->user;
  password_ = split_->password;
  return true;
}

bool CFileDownload::fail(std::string message) {
  ok_ = false;
  errorMessage_ = std::move(message);
  return false;
}

std::string CFileDownload::netFailureText(const NetResult& result) const {
  switch (result.status) {
    case NetStatus::Cancelled:
      return download_text::cancelled();
    case NetStatus::TimedOut:
      return download_text::timedOut(server_, deadlines_.receiveMs / 1000);
    case NetStatus::Closed:
      return download_text::closedWithoutReply(server_);
    default:
      return download_text::readError(url_);
  }
}

std::unique_ptr<TcpStream> CFileDownload::connectTo(const std::string& host, std::uint16_t port,
                                                    NetResult& failure) {
  ConnectOptions options;
  options.connectTimeoutMs = deadlines_.connectMs;
  options.receiveTimeoutMs = deadlines_.receiveMs;
  options.cancel = cancel_;
  auto stream = network_.connect(host, port, options, failure);
  if (!stream) lastNet_ = failure.status;
  return stream;
}

void CFileDownload::resetForOpen(std::int64_t offset) {
  Close();
  resumeSupported_ = false;
  statusCode_ = 0;
  totalSize_ = 0;
  startOffset_ = offset;
  errorMessage_.clear();
  ok_ = true;
  lastNet_ = NetStatus::Ok;
  bodyLeft_.reset();
  chunked_ = false;
  chunkLeft_ = 0;
  chunksDone_ = false;
}

bool CFileDownload::Open(std::int64_t offset) {
  if (!split_) return fail(download_text::invalidUrl(url_));
  resetForOpen(offset);
  if (!ftp_ || !proxyAddress_.empty()) return openHttp(offset, kMaxRedirects);
  return openFtp(offset);
}

std::size_t CFileDownload::dataFailed(const NetResult& result) {
  lastNet_ = result.status;
  ok_ = false;
  errorMessage_ = result.status == NetStatus::Cancelled ? download_text::cancelled()
                                                          : download_text::readError(url_);
  return 0;
}

std::size_t CFileDownload::Read(char* buffer, std::size_t capacity) {
  if (!data_) {
    ok_ = false;
    errorMessage_ = download_text::readError(url_);
    return 0;
  }
  ok_ = true;
  if (chunked_) return readChunked(buffer, capacity);
  if (bodyLeft_) {
    // The announced length ends the body even if the server keeps the
    // connection open or sends more.
    if (*bodyLeft_ == 0) return 0;
    capacity = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(capacity), *bodyLeft_));
  }
  const NetResult got = dataReader_.readSome(buffer, capacity);
  // A close ends a body without a length; one with a length is cut short.
  if (got.status == NetStatus::Closed && !bodyLeft_) return 0;
  if (!got.ok()) return dataFailed(got);
  if (bodyLeft_) *bodyLeft_ -= static_cast<std::int64_t>(got.bytes);
  return got.bytes;
}

std::size_t CFileDownload::readChunked(char* buffer, std::size_t capacity) {
  std::string line;
  while (chunkLeft_ == 0) {
    if (chunksDone_) return 0;
    const LineStatus status = dataReader_.readLine(line, kMaxReplyLine);
    if (status == LineStatus::Failed) return dataFailed(dataReader_.lastResult());
    if (status != LineStatus::Line) {
      // A chunked body that stops before its last chunk is cut short.
      return dataFailed(NetResult{NetStatus::Failed, 0, {}});
    }
    if (line.empty()) continue;  // the line end after a chunk's data
    std::int64_t size = 0;
    std::size_t digits = 0;
    for (; digits < line.size() && digits < 15; ++digits) {
      const char c = line[digits];
      const int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (v < 0) break;
      size = size * 16 + v;
    }
    if (digits == 0) return dataFailed(NetResult{NetStatus::Failed, 0, {}});
    if (size == 0) {
      // Trailer lines up to the empty line end the body.
      for (int count = 0; count < kMaxHeaderLines; ++count) {
        if (dataReader_.readLine(line, kMaxReplyLine) != LineStatus::Line || line.empty()) break;
      }
      chunksDone_ = true;
      return 0;
    }
    chunkLeft_ = size;
  }
  capacity = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(capacity), chunkLeft_));
  const NetResult got = dataReader_.readSome(buffer, capacity);
  if (!got.ok()) return dataFailed(got.status == NetStatus::Closed ? NetResult{NetStatus::Failed, 0, {}} : got);
  chunkLeft_ -= static_cast<std::int64_t>(got.bytes);
  return got.bytes;
}

bool CFileDownload::ReadDataLine(std::string& text) {
  // Lines are cut from the decoded body, so chunked pages read the same.
  text.clear();
  for (;;) {
    const auto feed = pending_.find('\n', pendingAt_);
    const std::size_t end = feed == std::string::npos ? pending_.size() : feed;
    const std::size_t length = end - pendingAt_;
    if (feed != std::string::npos || length >= kMaxDataLine) {
      const std::size_t take = std::min(length, kMaxDataLine);
      for (std::size_t i = pendingAt_; i < pendingAt_ + take; ++i) {
        if (pending_[i] != '\r') text += pending_[i];
      }
      pendingAt_ += take;
      if (feed != std::string::npos && pendingAt_ == feed) ++pendingAt_;
      return true;
    }
    pending_.erase(0, pendingAt_);
    pendingAt_ = 0;
    if (lineChunk_.empty()) lineChunk_.resize(64 * 1024);
    const std::size_t n = Read(lineChunk_.data(), lineChunk_.size());
    if (n == 0) {
      pending_.clear();
      return false;
    }
    pending_.append(lineChunk_.data(), n);
  }
}

void CFileDownload::Close() {
  pending_.clear();
  pendingAt_ = 0;
  dataReader_.attach(nullptr);
  controlReader_.attach(nullptr);
  if (data_) data_->close();
  if (control_) control_->close();
  data_.reset();
  control_.reset();
}

}  // namespace zelvor
