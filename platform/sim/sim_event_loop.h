#pragma once
// The event loop on virtual time. Nothing happens by itself: a test
// delivers posted messages and advances the clock, and the timers that fall
// due fire in time order, each followed by the messages it caused.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/event_loop.h"
#include "platform/sim/sim_clock.h"

namespace zelvor {

class SimEventLoop : public EventLoop {
 public:
  explicit SimEventLoop(SimClock& clock) : clock_(clock) {}

  WindowHandle addTarget(MessageTarget& target) override;
  void removeTarget(WindowHandle handle) override;
  void post(WindowHandle target, std::uint32_t message, std::intptr_t wparam,
            std::intptr_t lparam) override;
  void setTimer(WindowHandle target, int timerId, std::uint32_t intervalMs) override;
  void killTimer(WindowHandle target, int timerId) override;
  // Delivers what is queued (and what that causes) and returns the quit
  // code, or 0 when nobody asked to quit. It never waits.
  int run() override;
  void quit(int code) override;
  // Delivers what is queued; virtual time does not move.
  void processPending() override { deliverPosted(); }

  // Delivers queued messages, including those posted meanwhile; returns how many.
  int deliverPosted();
  // Moves virtual time forward by ms, firing due timers in order.
  void advanceMs(std::int64_t ms);
  // Waits in real time (bounded) until a message is queued by another thread.
  bool waitForPost(std::chrono::milliseconds timeout);

  [[nodiscard]] bool hasTimer(WindowHandle target, int timerId) const;
  [[nodiscard]] std::optional<std::uint32_t> timerInterval(WindowHandle target, int timerId) const;
  [[nodiscard]] bool quitRequested() const { return quitCode_.has_value(); }
  [[nodiscard]] std::optional<int> quitCode() const { return quitCode_; }
  [[nodiscard]] bool isTarget(WindowHandle handle) const;
  [[nodiscard]] std::size_t queued() const;

 private:
  struct Posted {
    WindowHandle target;
    std::uint32_t message;
    std::intptr_t wparam, lparam;
  };
  struct Timer {
    std::uint32_t interval;
    std::int64_t due;  // virtual ms
    std::uint64_t order;  // ties fire in the order they were set
  };
  bool deliverOne();

  SimClock& clock_;
  mutable std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<Posted> queue_;
  std::map<WindowHandle, MessageTarget*> targets_;
  std::map<std::pair<WindowHandle, int>, Timer> timers_;
  WindowHandle next_ = 1;
  std::uint64_t timerOrder_ = 0;
  std::optional<int> quitCode_;
};

}  // namespace zelvor
