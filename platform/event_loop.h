#pragma once
// The UI thread's message loop: posted two-integer messages and numbered
// timers per window. post() is the only way another thread talks to the UI
// thread; everything else here is called on the UI thread.

#include <cstdint>

#include "platform/ui_types.h"

namespace zelvor {

// What a message target does with what arrives for it (on the UI thread).
class MessageTarget {
 public:
  virtual ~MessageTarget() = default;
  virtual void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) = 0;
  virtual void onTimer(int timerId) = 0;
};

class EventLoop {
 public:
  virtual ~EventLoop() = default;

  // Makes target reachable under the returned handle until removed. The
  // target must outlive its registration.
  [[nodiscard]] virtual WindowHandle addTarget(MessageTarget& target) = 0;
  // Drops the target, its timers and the messages still queued for it.
  virtual void removeTarget(WindowHandle handle) = 0;

  // Any thread; never blocks. A message for a target that is gone is dropped.
  virtual void post(WindowHandle target, std::uint32_t message, std::intptr_t wparam,
                    std::intptr_t lparam) = 0;

  // Starts or restarts timer id of target; it fires every intervalMs until killed.
  virtual void setTimer(WindowHandle target, int timerId, std::uint32_t intervalMs) = 0;
  virtual void killTimer(WindowHandle target, int timerId) = 0;

  // Runs until quit(); returns the code given to quit.
  virtual int run() = 0;
  virtual void quit(int code) = 0;
  // Delivers what is waiting now (posted messages, input, due timers) and
  // returns without waiting, so that a long loop on the UI thread keeps its
  // windows responsive.
  virtual void processPending() = 0;
};

}  // namespace zelvor
