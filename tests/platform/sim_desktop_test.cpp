// The simulated desktop must behave like a desktop where tests rely on it:
// timers in time order, posted messages delivered once, menus and hotkeys
// reporting to their owner.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/messages.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_single_instance.h"

namespace zelvor {
namespace {

struct Recorder : MessageTarget {
  std::vector<std::string> seen;
  std::function<void(int)> whenTimer;
  void onMessage(std::uint32_t m, std::intptr_t w, std::intptr_t l) override {
    seen.push_back("msg " + std::to_string(m) + " " + std::to_string(w) + " " + std::to_string(l));
  }
  void onTimer(int id) override {
    seen.push_back("timer " + std::to_string(id));
    if (whenTimer) whenTimer(id);
  }
};

struct SimDesktopTest : ::testing::Test {
  SimClock clock;
  SimDesktop desk{clock};
  Recorder r;
  WindowHandle h = desk.loop.addTarget(r);
};

TEST_F(SimDesktopTest, TimersFireInTimeOrderAndRepeat) {
  const auto start = clock.nowMs();
  desk.loop.setTimer(h, 1, 300);
  desk.loop.setTimer(h, 2, 200);
  desk.loop.advanceMs(650);
  // At 600 both are due; the one set first fires first.
  EXPECT_EQ(r.seen, (std::vector<std::string>{"timer 2", "timer 1", "timer 2", "timer 1",
                                              "timer 2"}));
  EXPECT_EQ(clock.nowMs() - start, 650);
}

TEST_F(SimDesktopTest, KillingATimerInsideItsHandlerMakesItOneShot) {
  r.whenTimer = [&](int id) { desk.loop.killTimer(h, id); };
  desk.loop.setTimer(h, 7, 100);
  desk.loop.advanceMs(1000);
  EXPECT_EQ(r.seen, std::vector<std::string>{"timer 7"});
  EXPECT_FALSE(desk.loop.hasTimer(h, 7));
}

TEST_F(SimDesktopTest, MessagesPostedFromAnotherThreadAreDeliveredOnce) {
  std::thread worker([&] { desk.loop.post(h, 1226, 3, 4); });
  worker.join();
  EXPECT_EQ(desk.loop.deliverPosted(), 1);
  EXPECT_EQ(desk.loop.deliverPosted(), 0);
  EXPECT_EQ(r.seen, std::vector<std::string>{"msg 1226 3 4"});
}

TEST_F(SimDesktopTest, RemovedTargetLosesItsTimersAndQueuedMessages) {
  desk.loop.setTimer(h, 1, 10);
  desk.loop.post(h, 5, 0, 0);
  desk.loop.removeTarget(h);
  desk.loop.advanceMs(100);
  EXPECT_TRUE(r.seen.empty());
}

TEST_F(SimDesktopTest, ChosenMenuItemArrivesAsCommandThenClose) {
  Menu m{"Zelvor", {MenuItem::command(3001, "Ayuda..."), MenuItem::separator(),
                    MenuItem::submenu("Sub", {MenuItem::command(3051, "Vazi")})}};
  m.items[0].grayed = false;
  desk.menus.popup(m, {5, 6}, MenuStyle::OfficeXp, h);
  ASSERT_NE(desk.menus.openMenu(), nullptr);
  EXPECT_FALSE(desk.menus.choose(9999));
  EXPECT_TRUE(desk.menus.choose(3051));
  EXPECT_EQ(desk.menus.openMenu(), nullptr);
  desk.loop.deliverPosted();
  EXPECT_EQ(r.seen, (std::vector<std::string>{"msg " + std::to_string(msg::Command) + " 3051 0",
                                              "msg " + std::to_string(msg::MenuClosed) + " 1 0"}));
}

TEST_F(SimDesktopTest, GrayedItemsCannotBeChosenAndAReplacedMenuReportsItsClose) {
  Menu m{"X", {MenuItem::command(1, "a")}};
  m.items[0].grayed = true;
  desk.menus.popup(m, {}, MenuStyle::Classic, h);
  EXPECT_FALSE(desk.menus.choose(1));
  desk.menus.popup(Menu{"Y", {}}, {}, MenuStyle::Classic, h);
  desk.loop.deliverPosted();
  EXPECT_EQ(r.seen, std::vector<std::string>{"msg " + std::to_string(msg::MenuClosed) + " 0 0"});
}

TEST_F(SimDesktopTest, TrayClicksAndHotkeysReachTheirTargets) {
  desk.tray.setCallbackTarget(h);
  ASSERT_TRUE(desk.tray.add(9, ImageRef::fromStrip(ImageStrip::Utility, 19), "Duvu Zevad"));
  EXPECT_FALSE(desk.tray.add(9, {}, ""));  // already there
  EXPECT_FALSE(desk.tray.mouse(4, msg::LeftUp));
  EXPECT_TRUE(desk.tray.mouse(9, msg::LeftDoubleClick));
  ASSERT_TRUE(desk.hotkeys.registerHotkey(h, 0x305, 2, 'A'));
  desk.hotkeys.taken.insert({2u, static_cast<std::uint32_t>('B')});
  EXPECT_FALSE(desk.hotkeys.registerHotkey(h, 0x306, 2, 'B'));
  EXPECT_TRUE(desk.hotkeys.press(0x305));
  desk.loop.deliverPosted();
  EXPECT_EQ(r.seen, (std::vector<std::string>{"msg 1124 9 515", "msg 786 773 0"}));
}

TEST(SimSingleInstanceTest, SecondProcessSeesTheFirstAndReachesIt) {
  SimClock clock;
  SimDesktop desk(clock);
  SimInstanceWorld world;
  SimSingleInstance first(world, 100), second(world, 200);
  std::string error, reply;
  ASSERT_EQ(first.claim(error), SingleInstance::Claim::First);
  EXPECT_EQ(second.claim(error), SingleInstance::Claim::AnotherRuns);
  EXPECT_TRUE(second.isLiveInstance(100));
  EXPECT_FALSE(second.isLiveInstance(200));
  EXPECT_FALSE(second.send("status", reply, error));  // nobody listens yet

  struct Server : MessageTarget {
    SingleInstance* inst = nullptr;
    void onMessage(std::uint32_t m, std::intptr_t w, std::intptr_t) override {
      if (m == msg::ControlRequest) inst->answer(w, "ok " + inst->request(w).value_or("?"));
    }
    void onTimer(int) override {}
  } server;
  server.inst = &first;
  ASSERT_TRUE(first.listen(desk.loop, desk.loop.addTarget(server), error));
  ASSERT_TRUE(second.send("status", reply, error)) << error;
  EXPECT_EQ(reply, "ok status");
  first.release();
  EXPECT_FALSE(second.isLiveInstance(100));  // a value left behind is stale
  EXPECT_EQ(second.claim(error), SingleInstance::Claim::First);
}

}  // namespace
}  // namespace zelvor
