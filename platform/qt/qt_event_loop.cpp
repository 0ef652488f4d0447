#include "platform/qt/qt_event_loop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimerEvent>

#include <algorithm>

namespace zelvor {
namespace {

const QEvent::Type kMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class MessageEvent final : public QEvent {
 public:
  MessageEvent(WindowHandle target, std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam)
      : QEvent(kMessageEvent), target_(target), message_(message), wparam_(wparam), lparam_(lparam) {}
  WindowHandle target_;
  std::uint32_t message_;
  std::intptr_t wparam_;
  std::intptr_t lparam_;
};

}  // namespace

QtEventLoop::QtEventLoop() = default;

QtEventLoop::~QtEventLoop() {
  for (const auto& [qtId, key] : byQtTimer_) QObject::killTimer(qtId);
}

WindowHandle QtEventLoop::addTarget(MessageTarget& target) {
  const WindowHandle handle = nextHandle_++;
  targets_[handle] = &target;
  return handle;
}

void QtEventLoop::removeTarget(WindowHandle handle) {
  targets_.erase(handle);
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (it->first.first == handle) {
      QObject::killTimer(it->second);
      byQtTimer_.erase(it->second);
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
  // Queued messages for the handle are dropped when they arrive.
}

void QtEventLoop::post(WindowHandle target, std::uint32_t message, std::intptr_t wparam,
                       std::intptr_t lparam) {
  QCoreApplication::postEvent(this, new MessageEvent(target, message, wparam, lparam));
}

void QtEventLoop::setTimer(WindowHandle target, int timerId, std::uint32_t intervalMs) {
  if (!isTarget(target)) return;
  killTimer(target, timerId);
  const int interval = intervalMs == 0 ? 1 : static_cast<int>(std::min<std::uint32_t>(intervalMs, 0x7FFFFFFF));
  const int qtId = startTimer(interval, Qt::PreciseTimer);
  if (qtId == 0) return;
  timers_[{target, timerId}] = qtId;
  byQtTimer_[qtId] = {target, timerId};
}

void QtEventLoop::killTimer(WindowHandle target, int timerId) {
  const auto it = timers_.find({target, timerId});
  if (it == timers_.end()) return;
  QObject::killTimer(it->second);
  byQtTimer_.erase(it->second);
  timers_.erase(it);
}

int QtEventLoop::run() { return QCoreApplication::exec(); }

void QtEventLoop::quit(int code) { QCoreApplication::exit(code); }

void QtEventLoop::processPending() { QCoreApplication::processEvents(); }

bool QtEventLoop::event(QEvent* event) {
  if (event->type() != kMessageEvent) return QObject::event(event);
  const auto* m = static_cast<MessageEvent*>(event);
  const auto it = targets_.find(m->target_);
  if (it != targets_.end()) it->second->onMessage(m->message_, m->wparam_, m->lparam_);
  return true;
}

void QtEventLoop::timerEvent(QTimerEvent* event) {
  const auto it = byQtTimer_.find(event->timerId());
  if (it == byQtTimer_.end()) return;
  const auto [handle, timerId] = it->second;
  const auto target = targets_.find(handle);
  if (target != targets_.end()) target->second->onTimer(timerId);
}

}  // namespace zelvor
