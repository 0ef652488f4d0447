// zelvorctl fetch: one download in the terminal, through the same worker
// the downloader runs, with a progress line. An interrupted run leaves
// FILE.down behind, and the next run resumes from it. FILE itself is only
// ever made, never replaced, unless --force says so.

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "app/ctl_command.h"
#include "app/ctl_password.h"
#include "downloader/download_url.h"
#include "downloader/download_worker.h"
#include "shell/store/config_store.h"

namespace zelvor::ctl {
namespace {

struct FetchArgs {
  std::string url;
  std::string output;
  std::optional<ProxySetting> proxy;
  std::string user;
  std::optional<std::string> password;  // --password
  std::string passwordFile;             // --password-file
  bool force = false;
};

std::optional<ProxySetting> parseProxy(const std::string& text) {
  const auto colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return std::nullopt;
  unsigned port = 0;
  const char* begin = text.data() + colon + 1;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(begin, end, port);
  if (error != std::errc() || ptr != end || port == 0 || port > 65535) return std::nullopt;
  std::string host = text.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  return ProxySetting{host, port};
}

// The last part of the address's path, or "index.html" for a folder.
std::string defaultOutput(const std::string& url) {
  const auto split = splitUrl(url);
  if (!split) return {};
  std::string path = split->object.substr(0, split->object.find('?'));
  const auto slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty() || name == "." || name == "..") name = "index.html";
  return name;
}

std::string humanBytes(double bytes) {
  const char* units[] = {"B", "KiB", "MiB", "GiB", "TiB"};
  int unit = 0;
  while (bytes >= 1024 && unit < 4) {
    bytes /= 1024;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", bytes, units[unit]);
  return text;
}

// Draws the progress line from the worker's notices. It runs on the
// worker's thread, which is the only one that prints while it runs.
class TerminalProgress : public DownloadMonitor {
 public:
  explicit TerminalProgress(std::FILE* out) : out_(out), tty_(::isatty(::fileno(out)) != 0) {}

  void post(unsigned message, std::int64_t first, std::int64_t second) override {
    switch (message) {
      case download_notice::Started:
        position_ = first;
        total_ = second;
        if (first > 0) std::fprintf(out_, "resuming at %s\n", humanBytes(static_cast<double>(first)).c_str());
        break;
      case download_notice::Progress:
        position_ += first;
        if (second > 0) speed_ = static_cast<double>(first) * 1000.0 / static_cast<double>(second);
        draw(second == 0);
        break;
      default:
        break;
    }
  }

  void showError(const std::string& caption, const std::string& text) override {
    std::fprintf(stderr, "zelvorctl: %s\n%s\n", caption.c_str(), text.c_str());
  }

 private:
  void draw(bool final) {
    std::string line = humanBytes(static_cast<double>(position_));
    if (total_ > 0) {
      const double fraction = static_cast<double>(position_) / static_cast<double>(total_);
      char percent[16];
      std::snprintf(percent, sizeof percent, " %3.0f%% ", fraction * 100);
      std::string bar(30, ' ');
      for (std::size_t i = 0; i < bar.size() && static_cast<double>(i) < fraction * 30; ++i) bar[i] = '=';
      line += " / " + humanBytes(static_cast<double>(total_)) + percent + "[" + bar + "]";
    }
    if (!final && speed_ > 0) {
      line += "  " + humanBytes(speed_) + "/s";
      if (total_ > position_) {
        const auto left = static_cast<long>(static_cast<double>(total_ - position_) / speed_);
        char eta[64];
        std::snprintf(eta, sizeof eta, "  %ld:%02ld:%02ld left", left / 3600, left / 60 % 60, left % 60);
        line += eta;
      }
    }
    std::fprintf(out_, tty_ ? "\r%-100s" : "%s\n", line.c_str());
    if (final && tty_) std::fprintf(out_, "\n");
    std::fflush(out_);
  }

  std::FILE* out_;
  bool tty_;
  std::int64_t position_ = 0;
  std::int64_t total_ = 0;
  double speed_ = 0;
};

std::optional<FetchArgs> parseArgs(std::span<const std::string> args) {
  FetchArgs out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "-o" && hasValue) {
      out.output = args[++i];
    } else if (a == "--proxy" && hasValue) {
      out.proxy = parseProxy(args[++i]);
      if (!out.proxy) return std::nullopt;
    } else if (a == "--user" && hasValue) {
      out.user = args[++i];
    } else if (a == "--password" && hasValue && !out.password && out.passwordFile.empty()) {
      out.password = args[++i];
    } else if (a == "--password-file" && hasValue && !out.password && out.passwordFile.empty()) {
      out.passwordFile = args[++i];
    } else if (a == "--force") {
      out.force = true;
    } else if (out.url.empty() && !a.empty() && a[0] != '-') {
      out.url = a;
    } else {
      return std::nullopt;
    }
  }
  if (out.url.empty()) return std::nullopt;
  return out;
}

// The password from the first source given: --password, --password-file,
// $ZELVOR_FETCH_PASSWORD, else a prompt when a user is named and stdin is
// a terminal. Empty when there is none.
std::optional<std::string> choosePassword(const FetchArgs& args, Context& context, std::string& error) {
  if (args.password) {
    if (isPlainPassword(*args.password)) return args.password;
    error = "--password: the password holds a control character";
    return std::nullopt;
  }
  if (!args.passwordFile.empty()) return readPasswordFile(args.passwordFile, error);
  const char* variable = std::getenv(kPasswordVariable);
  if (variable != nullptr && variable[0] != '\0') {
    if (isPlainPassword(variable)) return std::string(variable);
    error = std::string(kPasswordVariable) + ": the password holds a control character";
    return std::nullopt;
  }
  if (!args.user.empty() && ::isatty(STDIN_FILENO) != 0) {
    return promptPassword("Password for " + args.user + ": ", context.err, error);
  }
  return std::string();
}

// Moves the finished download to its name. Without force an existing name,
// even one that appeared while the download ran, is left alone.
bool moveIntoPlace(const std::string& partial, const std::string& output, bool force, Platform& p,
                   std::string& error) {
  if (force) {
    const FileResult renamed = p.files.renameFile(partial, output);
    if (!renamed.ok) error = output + ": " + renamed.error;
    return renamed.ok;
  }
  if (::renameat2(AT_FDCWD, partial.c_str(), AT_FDCWD, output.c_str(), RENAME_NOREPLACE) == 0) return true;
  // A file system without the no-replace rename still refuses a link over
  // an existing name.
  if ((errno == EINVAL || errno == ENOSYS) && ::link(partial.c_str(), output.c_str()) == 0) {
    ::unlink(partial.c_str());
    return true;
  }
  error = errno == EEXIST ? output + " appeared during the download and is left alone; the download is in " +
                                partial + " (--force replaces " + output + ")"
                          : output + ": " + std::strerror(errno);
  return false;
}

}  // namespace

int runFetch(Context& context, std::span<const std::string> args) {
  auto parsed = parseArgs(args);
  if (!parsed) return usage(context, kFetchUsage);
  if (parsed->output.empty()) parsed->output = defaultOutput(parsed->url);
  if (parsed->output.empty()) return fail(context, "La URL '" + parsed->url + "' no es válida.");
  struct stat st {};
  if (!parsed->force && ::lstat(parsed->output.c_str(), &st) == 0) {
    return fail(context, parsed->output + " exists; zelvorctl fetch replaces a file only with --force");
  }
  std::string error;
  const auto password = choosePassword(*parsed, context, error);
  if (!password) return fail(context, error);

  Platform& p = context.platform;
  const ConfigStore config(p.registry, p.folders, p.files);
  const auto cancel = p.network.makeCancelSignal();
  DownloadJob job;
  job.partialPath = partialPathFor(parsed->output);
  job.url = parsed->url;
  job.user = parsed->user;
  job.password = *password;
  job.proxy = parsed->proxy;
  job.cancel = cancel.get();

  // Ctrl-C and SIGTERM stop the download cleanly: a watcher thread waits
  // for them and raises the cancel signal. SIGUSR1 only wakes it at the end.
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  std::thread watcher([&set, &cancel] {
    int signal = 0;
    if (sigwait(&set, &signal) == 0 && signal != SIGUSR1) cancel->cancel();
  });

  TerminalProgress progress(context.err);
  const DownloadOutcome outcome = RunDownloadWorker(job, DownloadServices{p.network, p.files, p.clock, config}, progress);
  pthread_kill(watcher.native_handle(), SIGUSR1);
  watcher.join();

  switch (outcome.result) {
    case DownloadResult::Complete: {
      if (!moveIntoPlace(job.partialPath, parsed->output, parsed->force, p, error)) return fail(context, error);
      std::fprintf(context.out, "%s\n", parsed->output.c_str());
      return kOk;
    }
    case DownloadResult::Cancelled:
      std::fprintf(context.err, "zelvorctl: interrupted; %s keeps %lld bytes, run again to resume\n",
                   job.partialPath.c_str(), static_cast<long long>(outcome.position));
      return kInterrupted;
    case DownloadResult::Failed:
      return kFailed;
  }
  return kFailed;
}

}  // namespace zelvor::ctl
