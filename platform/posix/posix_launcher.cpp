#include "platform/posix/posix_launcher.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/posix_files.h"

extern char** environ;

namespace zelvor {

namespace {

int exitCodeOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

}  // namespace

LaunchResult PosixLauncher::launch(const LaunchRequest& request) {
  reapEnded();
  LaunchResult result;
  if (request.argv.empty() || request.argv[0].empty()) {
    result.error = "no program given";
    return result;
  }
  std::vector<char*> argv;
  argv.reserve(request.argv.size() + 1);
  for (const auto& a : request.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!request.workingFolder.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, request.workingFolder.c_str());
  }
  // The suite blocks its termination signals to take them through a
  // descriptor; a started program must not inherit that mask (nor an
  // ignored SIGPIPE), or it could never be ended with SIGTERM.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGQUIT}) sigaddset(&defaults, signal);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  const int rc = ::posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    result.error = request.argv[0] + ": " + systemErrorText(rc);
    return result;
  }
  {
    std::lock_guard lock(mutex_);
    running_.insert(pid);
  }
  result.ok = true;
  result.processId = pid;
  return result;
}

void PosixLauncher::reapEnded() {
  std::lock_guard lock(mutex_);
  for (auto it = running_.begin(); it != running_.end();) {
    int status = 0;
    const pid_t r = ::waitpid(*it, &status, WNOHANG);
    if (r == *it) {
      ended_.emplace_back(*it, exitCodeOf(status));
      if (ended_.size() > kKeptExitCodes) ended_.pop_front();
      it = running_.erase(it);
    } else if (r < 0 && errno == ECHILD) {
      it = running_.erase(it);  // collected elsewhere
    } else {
      ++it;
    }
  }
}

std::optional<int> PosixLauncher::takeEnded(pid_t pid) {
  std::lock_guard lock(mutex_);
  for (auto it = ended_.begin(); it != ended_.end(); ++it) {
    if (it->first != pid) continue;
    const int code = it->second;
    ended_.erase(it);
    return code;
  }
  return std::nullopt;
}

std::optional<int> PosixLauncher::wait(std::int64_t processId, int timeoutMs) {
  const auto pid = static_cast<pid_t>(processId);
  if (const auto code = takeEnded(pid)) return code;
  int waited = 0;
  while (true) {
    int status = 0;
    const pid_t r = ::waitpid(pid, &status, timeoutMs < 0 ? 0 : WNOHANG);
    if (r == pid) {
      std::lock_guard lock(mutex_);
      running_.erase(pid);
      return exitCodeOf(status);
    }
    // Another thread's launch may have collected it meanwhile.
    if (r < 0 && errno == ECHILD) return takeEnded(pid);
    if (r < 0 && errno != EINTR) return std::nullopt;
    if (timeoutMs >= 0) {
      if (waited >= timeoutMs) return std::nullopt;
      const timespec ts{0, 10'000'000};
      ::nanosleep(&ts, nullptr);
      waited += 10;
    }
  }
}

}  // namespace zelvor
