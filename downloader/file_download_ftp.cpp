// The FTP side of CFileDownload: the command dialogue on the control
// connection up to the start of the transfer on a passive data connection.

#include "downloader/download_messages.h"
#include "downloader/file_download.h"
#include "downloader/ftp_reply.h"

namespace zelvor {
namespace {

constexpr const char* kAnonymousPassword = "zelvor@descargas.invalid";

}  // namespace

bool CFileDownload::ftpCommand(const std::string& command) {
  const NetResult sent = control_->send(command + "\r\n");
  if (sent.ok()) return true;
  lastNet_ = sent.status;
  return fail(sent.status == NetStatus::Cancelled ? download_text::cancelled() : download_text::readError(url_));
}

// Reads one reply. The message becomes the reply line, so a failing step
// reports the server's own words; a reply that cannot be read fails.
bool CFileDownload::ftpReply(int& code, std::string& line) {
  FtpReply reply;
  // Every line of the reply must arrive within the data time-out.
  controlReader_.startDeadline(deadlines_.receiveMs);
  const FtpReadStatus status = readFtpReply(controlReader_, reply);
  controlReader_.clearDeadline();
  switch (status) {
    case FtpReadStatus::Ok:
      code = reply.code;
      line = reply.line;
      statusCode_ = code;
      errorMessage_ = line;
      return true;
    case FtpReadStatus::Closed:
      return fail(download_text::closedWithoutReply(server_));
    case FtpReadStatus::Short:
      return fail(download_text::invalidReply(server_, reply.line));
    case FtpReadStatus::TooLong:
      return fail(download_text::lineTooLong(server_));
    case FtpReadStatus::Failed:
      lastNet_ = controlReader_.lastResult().status;
      return fail(netFailureText(controlReader_.lastResult()));
  }
  return false;
}

bool CFileDownload::openFtp(std::int64_t offset) {
  NetResult failure;
  control_ = connectTo(server_, static_cast<std::uint16_t>(port_), failure);
  if (!control_) {
    return fail(failure.status == NetStatus::Cancelled ? download_text::cancelled()
                                                        : download_text::ftpConnectError(server_, port_));
  }
  controlReader_.attach(control_.get());
  std::string user = user_;
  std::string password = password_;
  if (user.empty()) {
    user = "anonymous";
    password = kAnonymousPassword;
  }
  errorMessage_ = download_text::ftpDownloadError(url_);

  int code = 0;
  std::string line;
  auto failed = [this] {
    ok_ = false;
    Close();
    return false;
  };
  if (!ftpReply(code, line)) return failed();
  if (code != 220) return failed();

  if (!ftpCommand("USER " + user) || !ftpReply(code, line)) return failed();
  // A server that needs no password answers 230 at once.
  if (code == 331) {
    if (!ftpCommand("PASS " + password) || !ftpReply(code, line)) return failed();
    if (code / 100 != 2 && code / 100 != 3) {
      errorMessage_ = download_text::accessDenied();
      return failed();
    }
  } else if (code != 230) {
    errorMessage_ = download_text::accessDenied();
    return failed();
  }

  if (!ftpCommand("REST 100") || !ftpReply(code, line)) return failed();
  resumeSupported_ = code == 350;
  if (!resumeSupported_) startOffset_ = 0;
  if (!ftpCommand("REST 0") || !ftpReply(code, line)) return failed();

  if (!ftpCommand("SIZE " + object_) || !ftpReply(code, line)) return failed();
  if (code == 213) totalSize_ = parseSizeReply(line).value_or(0);

  if (!ftpCommand("TYPE I") || !ftpReply(code, line)) return failed();
  if (code != 200) return failed();

  if (!ftpCommand("PASV") || !ftpReply(code, line)) return failed();
  std::optional<std::uint16_t> dataPort;
  if (code == 227) {
    dataPort = parsePasvPort(line);
  } else {
    // Servers on IPv6 offer only the extended form.
    if (!ftpCommand("EPSV") || !ftpReply(code, line)) return failed();
    if (code == 229) dataPort = parseEpsvPort(line);
  }
  if (!dataPort) {
    errorMessage_ = download_text::noDataPort();
    return failed();
  }

  // The host part of the reply is ignored: the data connection goes to the
  // address the control connection reached.
  const std::string peer = control_->peerAddress();
  data_ = connectTo(peer.empty() ? server_ : peer, *dataPort, failure);
  if (!data_) {
    errorMessage_ = failure.status == NetStatus::Cancelled ? download_text::cancelled()
                                                            : download_text::dataConnectError(*dataPort);
    return failed();
  }
  dataReader_.attach(data_.get());

  if (startOffset_ > 0) {
    if (!ftpCommand("REST " + std::to_string(startOffset_)) || !ftpReply(code, line)) return failed();
    if (code != 350) startOffset_ = 0;
  }

  if (!ftpCommand("RETR " + object_) || !ftpReply(code, line)) return failed();
  if (code < 100 || code >= 200) return failed();
  (void)offset;
  ok_ = true;
  errorMessage_.clear();
  return true;
}

}  // namespace zelvor
