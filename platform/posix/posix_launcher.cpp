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

LaunchResult PosixLauncher::launch(const LaunchRequest& request) {
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
  result.ok = true;
  result.processId = pid;
  return result;
}

std::optional<int> PosixLauncher::wait(std::int64_t processId, int timeoutMs) {
  const auto pid = static_cast<pid_t>(processId);
  int waited = 0;
  while (true) {
    int status = 0;
    const pid_t r = ::waitpid(pid, &status, timeoutMs < 0 ? 0 : WNOHANG);
    if (r == pid) {
      if (WIFEXITED(status)) return WEXITSTATUS(status);
      return 128 + WTERMSIG(status);
    }
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
