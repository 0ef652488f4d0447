// The HTTP side of CFileDownload: one GET with a range from the offset,
// the status line and the headers, and 302 redirects.

#include "downloader/download_messages.h"
#include "downloader/file_download.h"
#include "downloader/http_reply.h"
#include "downloader/reply_limits.h"

namespace zelvor {
namespace {

std::string requestFor(const SplitUrl& url, bool viaProxy, const std::string& user, const std::string& password,
                       std::int64_t offset) {
  std::string r;
  r += "GET " + (viaProxy ? urlForProxy(url) : httpRequestTarget(url.rawObject)) + " HTTP/1.1\r\n";
  r += "HOST: " + hostAndPort(url) + "\r\n";
  r += "ACCEPT: */*\r\n";
  r += "User-Agent: Mozilla/4.0 (compatible; MSIE 4.01; Windows 98)\r\n";
  r += "RANGE: bytes=" + std::to_string(offset) + "-\r\n";
  r += "Pragma: no-cache\r\n";
  r += "Cache-Control: no-cache\r\n";
  r += "Connection: close\r\n";
  // Credentials travel as basic authentication, never inside the request line.
  if (!user.empty()) r += "Authorization: Basic " + base64Encode(user + ":" + password) + "\r\n";
  r += "\r\n";
  return r;
}

}  // namespace

bool CFileDownload::headFailed() {
  // Close() forgets the reader's last result: take it first.
  const NetResult result = dataReader_.lastResult();
  lastNet_ = result.status;
  Close();
  return fail(netFailureText(result));
}

bool CFileDownload::invalidHead(const std::string& line) {
  Close();
  return fail(download_text::invalidReply(server_, line));
}

bool CFileDownload::openHttp(std::int64_t offset, int redirectsLeft) {
  const bool viaProxy = !proxyAddress_.empty();
  NetResult failure;
  data_ = viaProxy ? connectTo(proxyAddress_, static_cast<std::uint16_t>(proxyPort_), failure)
                   : connectTo(server_, static_cast<std::uint16_t>(port_), failure);
  if (!data_) {
    return fail(failure.status == NetStatus::Cancelled ? download_text::cancelled()
                                                        : download_text::serverNotFound(server_));
  }
  dataReader_.attach(data_.get());
  // A failed send is remembered; the reply is read all the same, since the
  // server may have answered before it stopped reading.
  const NetResult sent = data_->send(requestFor(*split_, viaProxy, user_, password_, offset));
  if (!sent.ok()) {
    ok_ = false;
    lastNet_ = sent.status;
    if (sent.status == NetStatus::Cancelled) return fail(download_text::cancelled());
  }

  // The whole head must arrive within the data time-out, not only each
  // piece of it.
  dataReader_.startDeadline(deadlines_.receiveMs);
  HttpStatusLine status;
  std::string line;
  switch (readStatusLine(dataReader_, status, line)) {
    case HeadStatus::Ok:
      break;
    case HeadStatus::Closed:
      Close();
      return fail(download_text::closedWithoutReply(server_));
    case HeadStatus::TooLong:
      Close();
      return fail(download_text::lineTooLong(server_));
    case HeadStatus::Invalid:
      return invalidHead(line);
    case HeadStatus::TooMany:
    case HeadStatus::Failed:
      return headFailed();
  }
  statusCode_ = status.code;

  const bool redirect = status.code == 302;
  const bool success = status.code / 100 == 2;
  const bool unsatisfiable = status.code == 416;
  if (!redirect && !success && !unsatisfiable) {
    Close();
    if (status.code == 404) return fail(download_text::fileNotFound(url_));
    return fail(download_text::serverError(url_, status.rest));
  }

  HttpHeaders headers;
  switch (readHeaders(dataReader_, headers)) {
    case HeadStatus::Ok:
      break;
    case HeadStatus::TooLong:
      Close();
      return fail(download_text::lineTooLong(server_));
    case HeadStatus::TooMany:
      Close();
      return fail(download_text::tooManyHeaders(server_));
    default:
      return headFailed();
  }
  dataReader_.clearDeadline();

  if (redirect) {
    Close();
    if (!headers.location || headers.location->empty()) return fail(download_text::serverError(url_, status.rest));
    if (redirectsLeft <= 1) return fail(download_text::tooManyRedirects(url_));
    const std::string oldServer = server_;
    const std::string oldUser = user_;
    const std::string oldPassword = password_;
    url_ = resolveLocation(*split_, *headers.location);
    if (!ParseUrl()) {
      ok_ = false;
      errorMessage_ = download_text::invalidUrl(url_);
      return false;
    }
    // Credentials given for a server go on to that server only.
    if (user_.empty() && server_ == oldServer) {
      user_ = oldUser;
      password_ = oldPassword;
    }
    resetForOpen(offset);
    if (ftp_ && proxyAddress_.empty()) return openFtp(offset);
    return openHttp(offset, redirectsLeft - 1);
  }

  resumeSupported_ = headers.rangesSeen;
  if (unsatisfiable) {
    // Asked to start at the very end of the file: a partial file that is
    // already whole. Anything else is the server's error.
    const auto& range = headers.contentRange;
    if (offset > 0 && range && !range->first && range->complete && *range->complete == offset) {
      startOffset_ = offset;
      totalSize_ = offset;
      bodyLeft_ = 0;
      resumeSupported_ = true;
      ok_ = true;
      return true;
    }
    Close();
    return fail(download_text::serverError(url_, status.rest));
  }

  // Only a 206 answer starts at the offset; any other success is the whole
  // file, whatever range headers came with it.
  const bool partial = status.code == 206;
  if (headers.unreadableLength) return invalidHead(*headers.unreadableLength);
  if (partial && headers.unreadableRange) return invalidHead(*headers.unreadableRange);
  if (!resumeSupported_ || !partial) startOffset_ = 0;
  const auto& range = headers.contentRange;
  if (partial && range && range->first && *range->first != startOffset_) {
    Close();
    return fail(download_text::wrongRange(url_));
  }
  chunked_ = headers.chunked;
  // The body's own length: Content-Length, else the range the server sends.
  if (!chunked_) {
    if (headers.contentLength) {
      bodyLeft_ = headers.contentLength;
    } else if (partial && range && range->first) {
      bodyLeft_ = *range->last - *range->first + 1;
    }
  }
  // The size the file has once this body is written; 0 when the server
  // announced none, and then only the body's own framing can end it whole.
  if (partial && range && range->complete) {
    totalSize_ = *range->complete;
  } else if (partial && range && range->first) {
    totalSize_ = *range->last + 1;
  } else if (!chunked_ && headers.contentLength) {
    totalSize_ = startOffset_ + *headers.contentLength;
  } else {
    totalSize_ = 0;
  }
  ok_ = true;
  return true;
}

}  // namespace zelvor
