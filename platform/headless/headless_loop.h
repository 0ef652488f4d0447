#pragma once
// The event loop of the headless desktop: poll() on an eventfd that post()
// signals from any thread, and timers on the monotonic clock.

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/event_loop.h"

namespace zelvor {

class HeadlessLoop : public EventLoop {
 public:
  // Fails (nullptr, error) when the eventfd cannot be made.
  [[nodiscard]] static std::unique_ptr<HeadlessLoop> create(std::string& error);
  ~HeadlessLoop() override;
  HeadlessLoop(const HeadlessLoop&) = delete;
  HeadlessLoop& operator=(const HeadlessLoop&) = delete;

  WindowHandle addTarget(MessageTarget& target) override;
  void removeTarget(WindowHandle handle) override;
  void post(WindowHandle target, std::uint32_t message, std::intptr_t wparam,
            std::intptr_t lparam) override;
  void setTimer(WindowHandle target, int timerId, std::uint32_t intervalMs) override;
  void killTimer(WindowHandle target, int timerId) override;
  int run() override;
  void quit(int code) override;
  void processPending() override;

  // How many times poll() returned: the loop's wake-ups, for measuring.
  [[nodiscard]] std::uint64_t wakeups() const { return wakeups_; }

 private:
  using Clock = std::chrono::steady_clock;
  struct Posted {
    WindowHandle target;
    std::uint32_t message;
    std::intptr_t wparam, lparam;
  };
  struct Timer {
    std::chrono::milliseconds interval;
    Clock::time_point due;
  };
  explicit HeadlessLoop(int eventFd) : eventFd_(eventFd) {}
  void deliverPosted();
  void fireDueTimers();
  [[nodiscard]] int pollTimeoutMs() const;

  int eventFd_;
  std::mutex mutex_;  // guards queue_ only: post() comes from any thread
  std::deque<Posted> queue_;
  std::map<WindowHandle, MessageTarget*> targets_;
  std::map<std::pair<WindowHandle, int>, Timer> timers_;
  WindowHandle next_ = 1;
  std::optional<int> quitCode_;
  std::uint64_t wakeups_ = 0;
};

}  // namespace zelvor
