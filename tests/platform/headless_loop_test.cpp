// The headless event loop: messages from other threads, timers, quit.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/headless/headless_desktop.h"
#include "platform/messages.h"

namespace zelvor {
namespace {

struct Target : MessageTarget {
  EventLoop* loop = nullptr;
  WindowHandle self = kNoWindow;
  std::vector<std::uint32_t> messages;
  std::vector<int> timers;
  void onMessage(std::uint32_t m, std::intptr_t w, std::intptr_t) override {
    messages.push_back(m);
    if (m == 99) loop->quit(static_cast<int>(w));
  }
  void onTimer(int id) override {
    timers.push_back(id);
    if (id == 1) loop->killTimer(self, 1);  // one shot
    if (timers.size() >= 4) loop->post(self, 99, 7, 0);
  }
};

TEST(HeadlessLoopTest, DeliversMessagesFromOtherThreadsInOrderAndEndsWithTheQuitCode) {
  std::string error;
  auto loop = HeadlessLoop::create(error);
  ASSERT_TRUE(loop) << error;
  Target t;
  t.loop = loop.get();
  t.self = loop->addTarget(t);
  std::thread worker([&] {
    for (std::uint32_t i = 1; i <= 100; ++i) loop->post(t.self, i, 0, 0);
    loop->post(t.self, 99, 3, 0);
  });
  EXPECT_EQ(loop->run(), 3);
  worker.join();
  ASSERT_EQ(t.messages.size(), 101u);
  for (std::uint32_t i = 0; i < 100; ++i) EXPECT_EQ(t.messages[i], i + 1);
}

TEST(HeadlessLoopTest, TimersRepeatUntilKilledAndRemovedTargetsHearNothing) {
  std::string error;
  auto loop = HeadlessLoop::create(error);
  ASSERT_TRUE(loop);
  Target t, gone;
  t.loop = gone.loop = loop.get();
  t.self = loop->addTarget(t);
  gone.self = loop->addTarget(gone);
  loop->setTimer(t.self, 1, 1);
  loop->setTimer(t.self, 2, 2);
  loop->setTimer(gone.self, 5, 1);
  loop->post(gone.self, 42, 0, 0);
  loop->removeTarget(gone.self);
  EXPECT_EQ(loop->run(), 7);
  EXPECT_EQ(std::count(t.timers.begin(), t.timers.end(), 1), 1);
  EXPECT_GE(std::count(t.timers.begin(), t.timers.end(), 2), 3);
  EXPECT_TRUE(gone.messages.empty());
  EXPECT_TRUE(gone.timers.empty());
}

TEST(HeadlessDesktopTest, MessageBoxesAnswerWithTheChoiceThatChangesNothing) {
  HeadlessMessageBoxes boxes;
  EXPECT_EQ(boxes.show({"t", "c", MsgButtons::Ok, MsgIcon::None, false}), MsgAnswer::Ok);
  EXPECT_EQ(boxes.show({"t", "c", MsgButtons::YesNo, MsgIcon::None, false}), MsgAnswer::No);
  EXPECT_EQ(boxes.show({"t", "c", MsgButtons::OkCancel, MsgIcon::None, false}), MsgAnswer::Cancel);
  EXPECT_EQ(boxes.show({"t", "c", MsgButtons::YesNoCancel, MsgIcon::None, false}), MsgAnswer::Cancel);
}

}  // namespace
}  // namespace zelvor
