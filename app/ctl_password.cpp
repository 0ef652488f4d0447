#include "app/ctl_password.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

namespace zelvor::ctl {
namespace {

// Reads from fd until a line feed, the end, or max bytes.
bool readFirstLine(int fd, std::string& text, std::size_t max, std::string& error) {
  char buf[512];
  while (text.size() < max && text.find('\n') == std::string::npos) {
    const ssize_t n = ::read(fd, buf, std::min(sizeof buf, max - text.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = std::strerror(errno);
      return false;
    }
    if (n == 0) break;
    text.append(buf, static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

std::optional<std::string> readPasswordFile(const std::string& path, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error = path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  std::string text, why;
  const bool read = readFirstLine(fd, text, kMaxPassword + 1, why);
  ::close(fd);
  std::optional<std::string> password;
  if (read) password = passwordFromFileText(text, why);
  if (!password) error = path + ": " + why;
  return password;
}

std::optional<std::string> promptPassword(const std::string& prompt, std::FILE* err, std::string& error) {
  termios saved{};
  if (::tcgetattr(STDIN_FILENO, &saved) != 0) {
    error = std::string("the terminal: ") + std::strerror(errno);
    return std::nullopt;
  }
  // While echo is off, Ctrl-C and the like end the program through the
  // watcher below, which puts the terminal back first.
  sigset_t set, old;
  sigemptyset(&set);
  for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1}) sigaddset(&set, s);
  pthread_sigmask(SIG_BLOCK, &set, &old);
  std::thread watcher([&set, &saved, err] {
    int signal = 0;
    if (sigwait(&set, &signal) != 0 || signal == SIGUSR1) return;
    ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    std::fputs("\n", err);
    std::fflush(err);
    ::_exit(128 + signal);
  });

  termios quiet = saved;
  quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  quiet.c_lflag |= ECHONL;
  std::optional<std::string> password;
  if (::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) != 0) {
    error = std::string("the terminal: ") + std::strerror(errno);
  } else {
    std::fputs(prompt.c_str(), err);
    std::fflush(err);
    std::string text, why;
    if (readFirstLine(STDIN_FILENO, text, kMaxPassword + 1, why)) password = passwordFromFileText(text, why);
    if (!password) error = "the password typed: " + why;
    ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  }
  pthread_kill(watcher.native_handle(), SIGUSR1);
  watcher.join();
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  return password;
}

}  // namespace zelvor::ctl
