// The Linux instance lock and control socket.

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/headless/headless_loop.h"
#include "platform/linux/unix_single_instance.h"
#include "platform/messages.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

namespace fs = std::filesystem;

class UnixInstanceTest : public ::testing::Test {
 protected:
  // The instance's folder does not exist yet: claiming makes it.
  UnixInstanceTest() : dir_(sandbox_.root() + "zelvor/") {}
  testing::Sandbox sandbox_;
  std::string dir_;
};

TEST_F(UnixInstanceTest, OneHolderAtATimeAndOnlyItsIdIsLive) {
  UnixSingleInstance first(dir_), second(dir_);
  std::string error;
  ASSERT_EQ(first.claim(error), SingleInstance::Claim::First) << error;
  EXPECT_EQ(fs::status(dir_).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_EQ(second.claim(error), SingleInstance::Claim::AnotherRuns);
  EXPECT_TRUE(second.isLiveInstance(first.instanceId()));
  EXPECT_FALSE(second.isLiveInstance(first.instanceId() + 1));
  EXPECT_FALSE(second.isLiveInstance(0));
  first.release();
  // The pid is still in the file, but nobody holds the lock: stale.
  EXPECT_FALSE(second.isLiveInstance(first.instanceId()));
  EXPECT_EQ(second.claim(error), SingleInstance::Claim::First);
}

struct Answerer : MessageTarget {
  SingleInstance* instance = nullptr;
  EventLoop* loop = nullptr;
  int served = 0;
  void onMessage(std::uint32_t m, std::intptr_t w, std::intptr_t) override {
    if (m == 99) {
      loop->quit(0);
      return;
    }
    if (m != msg::ControlRequest) return;
    const auto text = instance->request(w);
    instance->answer(w, "ok\n" + text.value_or("?") + "\n");
    ++served;
  }
  void onTimer(int) override {}
};

TEST_F(UnixInstanceTest, RequestsArriveOnTheLoopAndOversizedOnesAreRefused) {
  UnixSingleInstance server(dir_), client(dir_);
  std::string error, reply;
  EXPECT_FALSE(client.send("status", reply, error));
  EXPECT_EQ(error, "no Zelvor instance is running");
  ASSERT_EQ(server.claim(error), SingleInstance::Claim::First);
  auto loop = HeadlessLoop::create(error);
  ASSERT_TRUE(loop);
  Answerer a;
  a.instance = &server;
  a.loop = loop.get();
  const WindowHandle h = loop->addTarget(a);
  ASSERT_TRUE(server.listen(*loop, h, error)) << error;
  EXPECT_EQ(fs::status(server.socketPath()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);

  bool sent = false, refused = false;
  std::thread user([&] {
    std::string r, e;
    sent = client.send("status", r, e) && r == "ok\nstatus\n";
    std::string big(UnixSingleInstance::kMaxRequest + 10, 'x');
    refused = client.send(big, r, e) && r.rfind("error ", 0) == 0;
    loop->post(h, 99, 0, 0);
  });
  (void)loop->run();
  user.join();
  EXPECT_TRUE(sent);
  EXPECT_TRUE(refused);
  EXPECT_EQ(a.served, 1);
  server.release();
  EXPECT_FALSE(fs::exists(server.socketPath()));
}

}  // namespace
}  // namespace zelvor
