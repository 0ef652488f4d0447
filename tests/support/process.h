#pragma once
// Runs the suite's programs from tests: an argument vector (no shell), the
// whole environment given by the test (empty unless it gives one; see
// Sandbox::environment()), stdin from a string, stdout and stderr captured.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "tests/support/sandbox.h"

namespace zelvor::testing {

struct ProcessResult {
  int exitCode = -1;  // 128 + signal number when killed by a signal
  std::string out;
  std::string err;
};

// NAME=value entries, as a new process takes them.
inline std::vector<std::string> entriesOf(const Environment& env) {
  std::vector<std::string> entries;
  for (const auto& [name, value] : env) entries.push_back(name + "=" + value);
  return entries;
}

inline std::vector<char*> pointersTo(std::vector<std::string>& strings) {
  std::vector<char*> p;
  for (auto& s : strings) p.push_back(s.data());
  p.push_back(nullptr);
  return p;
}

// Starts argv[0] (a path) and returns its process id, or -1.
inline pid_t startProcess(std::vector<std::string> argv, const Environment& env = {},
                          posix_spawn_file_actions_t* actions = nullptr) {
  auto environment = entriesOf(env);
  auto args = pointersTo(argv);
  auto envp = pointersTo(environment);
  pid_t pid = -1;
  if (::posix_spawn(&pid, args[0], actions, nullptr, args.data(), envp.data()) != 0) return -1;
  return pid;
}

// Starts argv[0] with its stdout on a pipe; outFd gets the reading end.
inline pid_t startProcessReading(std::vector<std::string> argv, int& outFd,
                                 const Environment& env = {}) {
  int out[2];
  outFd = -1;
  if (::pipe2(out, O_CLOEXEC) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  const pid_t pid = startProcess(std::move(argv), env, &actions);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  if (pid < 0) {
    ::close(out[0]);
    return -1;
  }
  outFd = out[0];
  return pid;
}

// Reads from fd up to and including the first line end; false at the end.
inline bool readLine(int fd, std::string& line) {
  line.clear();
  char c = 0;
  while (true) {
    const ssize_t n = ::read(fd, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    if (c == '\n') return true;
    line.push_back(c);
  }
}

inline int waitExitCode(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs a program to its end.
inline ProcessResult runProcess(std::vector<std::string> argv,
                                const Environment& env = {},
                                const std::string& input = {}) {
  int in[2], out[2], err[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  const pid_t pid = startProcess(std::move(argv), env, &actions);
  posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  ProcessResult result;
  if (pid < 0) {
    ::close(in[1]);
    ::close(out[0]);
    ::close(err[0]);
    return result;
  }
  // Feed stdin and drain both outputs together so no pipe fills up.
  std::size_t written = 0;
  int inFd = in[1];
  if (input.empty()) {
    ::close(inFd);
    inFd = -1;
  }
  bool outOpen = true, errOpen = true;
  ::signal(SIGPIPE, SIG_IGN);
  while (outOpen || errOpen) {
    pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {inFd, POLLOUT, 0}};
    if (::poll(fds, inFd >= 0 ? 3 : 2, -1) < 0 && errno != EINTR) break;
    char buf[4096];
    for (int i = 0; i < 2; ++i) {
      bool& open = i == 0 ? outOpen : errOpen;
      if (!open || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        (i == 0 ? result.out : result.err).append(buf, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        open = false;
      }
    }
    if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
      const ssize_t n = ::write(inFd, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      if (n < 0 || written == input.size()) {
        ::close(inFd);
        inFd = -1;
      }
    }
  }
  if (inFd >= 0) ::close(inFd);
  ::close(out[0]);
  ::close(err[0]);
  result.exitCode = waitExitCode(pid);
  return result;
}

// One start of the resident program as a user sees it: zelvor runs headless
// until it answers zelvorctl, then is asked to quit. A start that ends by
// itself (a bad option, a second instance) is reported as it ended. Its
// output goes through files in scratchFolder, so nothing blocks on a pipe.
inline ProcessResult runZelvorOnce(const std::string& zelvor, const std::string& zelvorctl,
                                   const std::vector<std::string>& args,
                                   const Environment& env,
                                   const std::string& scratchFolder) {
  std::vector<std::string> argv{zelvor, "--headless"};
  argv.insert(argv.end(), args.begin(), args.end());
  const std::string outPath = scratchFolder + "/zelvor.out", errPath = scratchFolder + "/zelvor.err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const pid_t pid = startProcess(argv, env, &actions);
  posix_spawn_file_actions_destroy(&actions);
  ProcessResult result;
  if (pid < 0) return result;

  auto exitedBy = [&](int waitMs) {
    for (int waited = 0;; waited += 20) {
      int status = 0;
      const pid_t r = ::waitpid(pid, &status, WNOHANG);
      if (r == pid) {
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
      }
      if (waited >= waitMs) return false;
      ::usleep(20'000);
    }
  };
  bool ended = false;
  for (int tries = 0; tries < 600 && !ended; ++tries) {
    if (exitedBy(0)) {
      ended = true;
      break;
    }
    if (runProcess({zelvorctl, "status"}, env).exitCode == 0) break;
    ::usleep(50'000);
  }
  if (!ended) {
    (void)runProcess({zelvorctl, "quit"}, env);
    if (!exitedBy(30'000)) {
      ::kill(pid, SIGKILL);
      (void)waitExitCode(pid);
      result.exitCode = -1;
    }
  }
  auto slurp = [](const std::string& path) {
    std::string data;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return data;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) data.append(buf, static_cast<std::size_t>(n));
    ::close(fd);
    return data;
  };
  result.out = slurp(outPath);
  result.err = slurp(errPath);
  return result;
}

}  // namespace zelvor::testing
