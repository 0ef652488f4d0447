#pragma once
// The event loop over Qt's: posted two-integer messages travel as Qt events
// (QCoreApplication::postEvent is safe from any thread), timers are Qt
// timers keyed by (target, number).

#include <QObject>

#include <cstdint>
#include <map>
#include <utility>

#include "platform/event_loop.h"

namespace zelvor {

class QtEventLoop final : public QObject, public EventLoop {
 public:
  QtEventLoop();
  ~QtEventLoop() override;

  [[nodiscard]] WindowHandle addTarget(MessageTarget& target) override;
  void removeTarget(WindowHandle handle) override;
  void post(WindowHandle target, std::uint32_t message, std::intptr_t wparam,
            std::intptr_t lparam) override;
  void setTimer(WindowHandle target, int timerId, std::uint32_t intervalMs) override;
  void killTimer(WindowHandle target, int timerId) override;
  int run() override;
  void quit(int code) override;
  void processPending() override;

  // Whether the handle names a live target (for the other services).
  [[nodiscard]] bool isTarget(WindowHandle handle) const { return targets_.count(handle) != 0; }

 protected:
  bool event(QEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  // Handles are never reused, so a message queued for a removed target
  // cannot reach a newer one.
  WindowHandle nextHandle_ = 1;
  std::map<WindowHandle, MessageTarget*> targets_;
  std::map<std::pair<WindowHandle, int>, int> timers_;  // -> Qt timer id
  std::map<int, std::pair<WindowHandle, int>> byQtTimer_;
};

}  // namespace zelvor
