#pragma once
// SIGTERM, SIGINT and SIGHUP end the suite through its own exit sequence,
// so that nothing is lost: a watcher thread turns each signal into a posted
// message.

#include <cstdint>
#include <string>
#include <thread>

#include "platform/event_loop.h"

namespace zelvor {

class TerminationSignals {
 public:
  // Blocks those signals in the calling thread and in every thread it
  // starts later; call first thing in main().
  static void blockInProcess();

  ~TerminationSignals();
  // Starts the watcher: each signal posts (message, wparam) to target.
  [[nodiscard]] bool start(EventLoop& loop, WindowHandle target, std::uint32_t message,
                           std::intptr_t wparam, std::string& error);
  void stop();

 private:
  int signalFd_ = -1;
  int stopFd_ = -1;
  std::thread thread_;
};

}  // namespace zelvor
