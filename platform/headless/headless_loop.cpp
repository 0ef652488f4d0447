#include "platform/headless/headless_loop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace zelvor {

std::unique_ptr<HeadlessLoop> HeadlessLoop::create(std::string& error) {
  const int fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fd < 0) {
    error = std::string("eventfd: ") + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<HeadlessLoop>(new HeadlessLoop(fd));
}

HeadlessLoop::~HeadlessLoop() { ::close(eventFd_); }

WindowHandle HeadlessLoop::addTarget(MessageTarget& target) {
  const WindowHandle h = next_++;
  targets_[h] = &target;
  return h;
}

void HeadlessLoop::removeTarget(WindowHandle handle) {
  targets_.erase(handle);
  std::erase_if(timers_, [&](const auto& t) { return t.first.first == handle; });
  // Queued messages for it are dropped when they come up: handles are never reused.
}

void HeadlessLoop::post(WindowHandle target, std::uint32_t message, std::intptr_t wparam,
                        std::intptr_t lparam) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back({target, message, wparam, lparam});
  }
  const std::uint64_t one = 1;
  // A full counter still wakes the loop, so a failed write loses nothing.
  (void)!::write(eventFd_, &one, sizeof one);
}

void HeadlessLoop::setTimer(WindowHandle target, int timerId, std::uint32_t intervalMs) {
  const auto interval = std::chrono::milliseconds(std::max<std::uint32_t>(intervalMs, 1));
  timers_[{target, timerId}] = {interval, Clock::now() + interval};
}

void HeadlessLoop::killTimer(WindowHandle target, int timerId) { timers_.erase({target, timerId}); }

void HeadlessLoop::quit(int code) { quitCode_ = code; }

void HeadlessLoop::deliverPosted() {
  std::deque<Posted> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(queue_);
  }
  for (const Posted& p : batch) {
    const auto it = targets_.find(p.target);
    if (it != targets_.end()) it->second->onMessage(p.message, p.wparam, p.lparam);
  }
}

void HeadlessLoop::fireDueTimers() {
  const auto now = Clock::now();
  std::vector<std::pair<WindowHandle, int>> due;
  for (auto& [key, t] : timers_) {
    if (t.due > now) continue;
    due.push_back(key);
    // A late loop fires a timer once, not once per missed period.
    t.due = std::max(t.due + t.interval, now + std::chrono::milliseconds(1));
  }
  for (const auto& key : due) {
    // An earlier handler may have killed this timer or removed its target.
    if (!timers_.contains(key)) continue;
    const auto it = targets_.find(key.first);
    if (it != targets_.end()) it->second->onTimer(key.second);
  }
}

int HeadlessLoop::pollTimeoutMs() const {
  if (timers_.empty()) return -1;
  auto next = Clock::time_point::max();
  for (const auto& [key, t] : timers_) next = std::min(next, t.due);
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(wait, 0, 60'000));
}

void HeadlessLoop::processPending() {
  deliverPosted();
  fireDueTimers();
}

int HeadlessLoop::run() {
  quitCode_.reset();
  while (!quitCode_) {
    pollfd fd{eventFd_, POLLIN, 0};
    const int n = ::poll(&fd, 1, pollTimeoutMs());
    ++wakeups_;
    if (n < 0 && errno != EINTR) break;
    if (n > 0) {
      std::uint64_t count = 0;
      (void)!::read(eventFd_, &count, sizeof count);
    }
    deliverPosted();
    if (quitCode_) break;
    fireDueTimers();
  }
  return quitCode_.value_or(1);
}

}  // namespace zelvor
