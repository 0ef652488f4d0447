#pragma once
// The worker thread that makes an icon blink: it asks the UI thread to show
// the blink image and the normal image in turn, every interval, until its
// stop message (1226) arrives; then it asks for the normal image once more
// and ends. It never touches the icon itself.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/event_loop.h"

namespace zelvor {

class BlinkWorker {
 public:
  BlinkWorker(EventLoop& loop, WindowHandle owner, int iconId, std::chrono::milliseconds interval);
  // Stops the thread (if still running) and waits for it; it ends at once.
  ~BlinkWorker();
  BlinkWorker(const BlinkWorker&) = delete;
  BlinkWorker& operator=(const BlinkWorker&) = delete;

  // The thread message of this worker; only msg::StopBlink means anything.
  void postThreadMessage(std::uint32_t message);

 private:
  void run();

  EventLoop& loop_;
  WindowHandle owner_;
  int iconId_;
  std::chrono::milliseconds interval_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace zelvor
