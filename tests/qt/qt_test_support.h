#pragma once
// Shared by the binding's tests: a desktop on Qt, a target that records
// what arrives, and waiting on Qt's event loop with a deadline.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/qt/qt_desktop.h"

namespace zelvor::testing {

struct Received {
  std::uint32_t message;
  std::intptr_t wparam;
  std::intptr_t lparam;
  friend bool operator==(const Received&, const Received&) = default;
};

class RecordingTarget final : public MessageTarget {
 public:
  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override {
    messages.push_back({message, wparam, lparam});
  }
  void onTimer(int timerId) override { timers.push_back(timerId); }
  [[nodiscard]] bool has(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) const {
    for (const auto& m : messages) {
      if (m == Received{message, wparam, lparam}) return true;
    }
    return false;
  }
  std::vector<Received> messages;
  std::vector<int> timers;
};

// Runs Qt's event loop until done() holds or the deadline passes; says which.
inline bool waitUntil(const std::function<bool()>& done, int deadlineMs = 5000) {
  QDeadlineTimer deadline(deadlineMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  return true;
}

// One desktop for the whole test process (Qt allows one application). It
// is never destroyed: at exit Qt's test input devices are already gone, and
// tearing the application down after them crashes inside Qt.
inline QtDesktop& sharedDesktop() {
  static int argc = 1;
  static char name[] = "zelvor-qt-test";
  static char* argv[] = {name, nullptr};
  static QtDesktop* desktop = [] {
    std::string error;
    QtDesktop::Options options;
    options.announceMissingTray = false;
    auto d = QtDesktop::create(argc, argv, error, options);
    if (!d) ADD_FAILURE() << error;
    return d.release();
  }();
  return *desktop;
}

}  // namespace zelvor::testing
