#include "platform/linux/termination_signals.h"

#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zelvor {
namespace {

sigset_t terminationSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  // The session's end hangs up on the programs of the session.
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

void TerminationSignals::blockInProcess() {
  const sigset_t set = terminationSet();
  (void)::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

TerminationSignals::~TerminationSignals() { stop(); }

bool TerminationSignals::start(EventLoop& loop, WindowHandle target, std::uint32_t message,
                               std::intptr_t wparam, std::string& error) {
  const sigset_t set = terminationSet();
  signalFd_ = ::signalfd(-1, &set, SFD_CLOEXEC);
  stopFd_ = ::eventfd(0, EFD_CLOEXEC);
  if (signalFd_ < 0 || stopFd_ < 0) {
    error = std::string("signalfd: ") + std::strerror(errno);
    stop();
    return false;
  }
  thread_ = std::thread([this, &loop, target, message, wparam] {
    for (;;) {
      pollfd fds[2] = {{signalFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
      if (::poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return;
      }
      if ((fds[1].revents & POLLIN) != 0) return;
      signalfd_siginfo info{};
      if (::read(signalFd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        loop.post(target, message, wparam, 0);
      }
    }
  });
  return true;
}

void TerminationSignals::stop() {
  if (thread_.joinable()) {
    const std::uint64_t one = 1;
    (void)!::write(stopFd_, &one, sizeof one);
    thread_.join();
  }
  if (signalFd_ >= 0) ::close(signalFd_);
  if (stopFd_ >= 0) ::close(stopFd_);
  signalFd_ = stopFd_ = -1;
}

}  // namespace zelvor
