#include "shell/blink_worker.h"

#include "platform/messages.h"

namespace zelvor {

BlinkWorker::BlinkWorker(EventLoop& loop, WindowHandle owner, int iconId,
                         std::chrono::milliseconds interval)
    : loop_(loop), owner_(owner), iconId_(iconId), interval_(interval), thread_([this] { run(); }) {}

BlinkWorker::~BlinkWorker() {
  postThreadMessage(msg::StopBlink);
  if (thread_.joinable()) thread_.join();
}

void BlinkWorker::postThreadMessage(std::uint32_t message) {
  if (message != msg::StopBlink) return;
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
}

void BlinkWorker::run() {
  bool blinkShown = false;
  std::unique_lock lock(mutex_);
  while (!stop_) {
    blinkShown = !blinkShown;
    loop_.post(owner_, msg::BlinkStep, iconId_, blinkShown ? 1 : 0);
    wake_.wait_for(lock, interval_, [this] { return stop_; });
  }
  loop_.post(owner_, msg::BlinkStep, iconId_, 0);
}

}  // namespace zelvor
