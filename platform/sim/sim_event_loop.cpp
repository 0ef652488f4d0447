#include "platform/sim/sim_event_loop.h"

#include <algorithm>

namespace zelvor {

WindowHandle SimEventLoop::addTarget(MessageTarget& target) {
  std::lock_guard lock(mutex_);
  const WindowHandle h = next_++;
  targets_[h] = &target;
  return h;
}

void SimEventLoop::removeTarget(WindowHandle handle) {
  std::lock_guard lock(mutex_);
  targets_.erase(handle);
  std::erase_if(timers_, [&](const auto& t) { return t.first.first == handle; });
  std::erase_if(queue_, [&](const Posted& p) { return p.target == handle; });
}

void SimEventLoop::post(WindowHandle target, std::uint32_t message, std::intptr_t wparam,
                        std::intptr_t lparam) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back({target, message, wparam, lparam});
  }
  posted_.notify_all();
}

void SimEventLoop::setTimer(WindowHandle target, int timerId, std::uint32_t intervalMs) {
  std::lock_guard lock(mutex_);
  // A zero period would fire forever at one instant; the desktop's own
  // minimum stands in for it.
  const std::uint32_t interval = std::max<std::uint32_t>(intervalMs, 1);
  timers_[{target, timerId}] = {interval, clock_.nowMs() + interval, timerOrder_++};
}

void SimEventLoop::killTimer(WindowHandle target, int timerId) {
  std::lock_guard lock(mutex_);
  timers_.erase({target, timerId});
}

bool SimEventLoop::deliverOne() {
  Posted p;
  MessageTarget* target = nullptr;
  {
    std::lock_guard lock(mutex_);
    while (!queue_.empty()) {
      p = queue_.front();
      queue_.pop_front();
      const auto it = targets_.find(p.target);
      if (it != targets_.end()) {
        target = it->second;
        break;
      }
    }
  }
  if (target == nullptr) return false;
  target->onMessage(p.message, p.wparam, p.lparam);
  return true;
}

int SimEventLoop::deliverPosted() {
  int n = 0;
  while (deliverOne()) ++n;
  return n;
}

int SimEventLoop::run() {
  deliverPosted();
  return quitCode_.value_or(0);
}

void SimEventLoop::quit(int code) { quitCode_ = code; }

void SimEventLoop::advanceMs(std::int64_t ms) {
  const std::int64_t end = clock_.nowMs() + ms;
  deliverPosted();
  for (;;) {
    std::pair<WindowHandle, int> key{};
    MessageTarget* target = nullptr;
    {
      std::lock_guard lock(mutex_);
      auto best = timers_.end();
      for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due > end) continue;
        if (best == timers_.end() || it->second.due < best->second.due ||
            (it->second.due == best->second.due && it->second.order < best->second.order)) {
          best = it;
        }
      }
      if (best == timers_.end()) break;
      key = best->first;
      const std::int64_t due = best->second.due;
      if (due > clock_.nowMs()) clock_.advanceMs(due - clock_.nowMs());
      // Ticks missed while the clock jumped (a test setting the date, a machine waking)
      // fire once, as a desktop's timers do, not once per missed interval.
      best->second.due = std::max(due, clock_.nowMs()) + best->second.interval;
      const auto t = targets_.find(key.first);
      if (t != targets_.end()) target = t->second;
    }
    if (target != nullptr) target->onTimer(key.second);
    deliverPosted();
  }
  if (end > clock_.nowMs()) clock_.advanceMs(end - clock_.nowMs());
  deliverPosted();
}

bool SimEventLoop::waitForPost(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return posted_.wait_for(lock, timeout, [&] { return !queue_.empty(); });
}

bool SimEventLoop::hasTimer(WindowHandle target, int timerId) const {
  std::lock_guard lock(mutex_);
  return timers_.contains({target, timerId});
}

std::optional<std::uint32_t> SimEventLoop::timerInterval(WindowHandle target, int timerId) const {
  std::lock_guard lock(mutex_);
  const auto it = timers_.find({target, timerId});
  if (it == timers_.end()) return std::nullopt;
  return it->second.interval;
}

bool SimEventLoop::isTarget(WindowHandle handle) const {
  std::lock_guard lock(mutex_);
  return targets_.contains(handle);
}

std::size_t SimEventLoop::queued() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

}  // namespace zelvor
