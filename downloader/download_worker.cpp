#include "downloader/download_worker.h"

#include <memory>
#include <vector>

#include "downloader/download_messages.h"
#include "downloader/download_settings.h"
#include "downloader/file_download.h"

namespace zelvor {
namespace {

// Data is received straight into one large buffer that is written out in
// pieces of at least a megabyte.
constexpr std::size_t kBufferSize = 2u << 20;
constexpr std::size_t kFlushAt = 1u << 20;
constexpr std::uint64_t kProgressEveryMs = 900;
constexpr std::size_t kMaxFileErrorText = 255;

std::string fileErrorText(const std::string& text) { return text.substr(0, kMaxFileErrorText); }

class Transfer {
 public:
  Transfer(const DownloadJob& job, DownloadServices services, DownloadMonitor& monitor)
      : job_(job), services_(services), monitor_(monitor) {}

  DownloadOutcome run();

 private:
  [[nodiscard]] bool cancelled() const { return job_.cancel != nullptr && job_.cancel->cancelled(); }
  [[nodiscard]] bool flush();
  [[nodiscard]] bool receiveAll();
  [[nodiscard]] std::string dropMessage() const;
  DownloadOutcome finish(DownloadResult result, std::string message);

  const DownloadJob& job_;
  DownloadServices services_;
  DownloadMonitor& monitor_;
  std::unique_ptr<CFileDownload> engine_;
  std::unique_ptr<AppendFile> file_;
  std::vector<char> buffer_;
  std::size_t fill_ = 0;
  std::int64_t position_ = 0;
  std::int64_t total_ = 0;
  std::int64_t bytes_ = 0;  // received since the last progress report
  std::string failure_;
  bool wasCancelled_ = false;
};

bool Transfer::flush() {
  if (fill_ == 0) return true;
  const FileResult written = file_->write(buffer_.data(), fill_);
  fill_ = 0;
  if (!written.ok) failure_ = fileErrorText(written.error);
  return written.ok;
}

std::string Transfer::dropMessage() const {
  std::string text = total_ > 0 ? download_text::incomplete(engine_->url(), position_, total_)
                                : download_text::readError(engine_->url());
  if (engine_->lastNetStatus() == NetStatus::TimedOut) {
    text += "\n\n" + download_text::timedOut(engine_->server(), readDeadlines(services_.config).receiveMs / 1000);
  }
  return text;
}

// The receive loop; false with failure_ set (or wasCancelled_) when the
// file could not be completed.
bool Transfer::receiveAll() {
  buffer_.resize(kBufferSize);
  std::uint64_t mark = services_.clock.tickMs();
  bool justReopened = false;
  for (;;) {
    if (fill_ >= kFlushAt && !flush()) return false;
    const std::size_t n = engine_->Read(buffer_.data() + fill_, buffer_.size() - fill_);
    if (n > 0) {
      fill_ += n;
      position_ += static_cast<std::int64_t>(n);
      bytes_ += static_cast<std::int64_t>(n);
      justReopened = false;
      const std::uint64_t now = services_.clock.tickMs();
      if (now - mark > kProgressEveryMs) {
        monitor_.post(download_notice::Progress, bytes_, static_cast<std::int64_t>(now - mark));
        bytes_ = 0;
        mark = now;
      }
      continue;
    }
    if (!flush()) return false;
    if (cancelled()) {
      wasCancelled_ = true;
      return false;
    }
    // With a known size only the whole file is complete; with none, only an
    // orderly end of the data is.
    if (total_ > 0 ? position_ >= total_ : engine_->ok()) return true;
    if (justReopened || !engine_->resumeSupported()) {
      failure_ = dropMessage();
      return false;
    }
    // Reconnect at the current position; the server must start there and
    // still have the same file.
    engine_->Close();
    const std::int64_t knownTotal = total_;
    const bool reopened = engine_->Open(position_);
    if (cancelled()) {
      wasCancelled_ = true;
      return false;
    }
    if (!reopened || engine_->startOffset() != position_) {
      failure_ = dropMessage();
      return false;
    }
    if (knownTotal > 0 && engine_->totalSize() != knownTotal) {
      failure_ = download_text::fileChanged(engine_->url());
      return false;
    }
    total_ = engine_->totalSize();
    justReopened = true;
  }
}

DownloadOutcome Transfer::finish(DownloadResult result, std::string message) {
  DownloadOutcome out;
  out.result = result;
  out.message = std::move(message);
  out.url = engine_ ? engine_->url() : job_.url;
  out.position = position_;
  out.totalSize = total_;
  if (result == DownloadResult::Cancelled) return out;
  monitor_.post(download_notice::Finished, result == DownloadResult::Failed ? 1 : 0, 0);
  if (result == DownloadResult::Failed) monitor_.showError(out.url, out.message);
  return out;
}

DownloadOutcome Transfer::run() {
  const ProxySetting proxy = job_.proxy ? *job_.proxy : readProxy(services_.config);
  engine_ = std::make_unique<CFileDownload>(services_.network, readDeadlines(services_.config), job_.cancel,
                                            job_.url, proxy.address, proxy.port, job_.user, job_.password);
  if (!engine_->ok()) return finish(DownloadResult::Failed, engine_->errorMessage());
  const auto present = services_.files.fileSize(job_.partialPath);
  const std::int64_t resumeAt = static_cast<std::int64_t>(present.value_or(0));
  if (!engine_->Open(resumeAt)) {
    if (cancelled()) return finish(DownloadResult::Cancelled, engine_->errorMessage());
    return finish(DownloadResult::Failed, engine_->errorMessage());
  }

  // When the server starts at 0 the partial file starts afresh.
  FileResult opened = services_.files.makeParentFolders(job_.partialPath);
  if (opened.ok) {
    file_ = services_.files.openForAppend(job_.partialPath,
                                 engine_->startOffset() > 0 ? Files::AppendMode::Keep : Files::AppendMode::Truncate,
                                 opened);
  }
  if (!file_) {
    engine_->Close();
    return finish(DownloadResult::Failed, fileErrorText(opened.error));
  }
  position_ = engine_->startOffset();
  total_ = engine_->totalSize();
  monitor_.post(download_notice::Started, position_, total_);
  monitor_.post(download_notice::Resume, engine_->resumeSupported() ? 1 : 0, 0);

  const bool complete = receiveAll();
  const FileResult closed = file_->close();
  engine_->Close();
  if (wasCancelled_) return finish(DownloadResult::Cancelled, download_text::cancelled());
  monitor_.post(download_notice::Progress, bytes_, 0);
  if (!complete) return finish(DownloadResult::Failed, failure_);
  if (!closed.ok) return finish(DownloadResult::Failed, fileErrorText(closed.error));
  return finish(DownloadResult::Complete, {});
}

}  // namespace

DownloadOutcome RunDownloadWorker(const DownloadJob& job, DownloadServices services, DownloadMonitor& monitor) {
  Transfer transfer(job, services, monitor);
  return transfer.run();
}

}  // namespace zelvor
