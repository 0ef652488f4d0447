// The Linux instance lock and control socket.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

#include "platform/control_line.h"
#include "platform/headless/headless_loop.h"
#include "platform/linux/unix_single_instance.h"
#include "platform/messages.h"
#include "tests/support/foreign_folders.h"
#include "tests/support/raw_client.h"
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
  std::size_t padding = 0;  // extra reply bytes, to fill a peer's socket buffer
  bool stopAfterAnswer = false;  // as "quit" does: answer, then stop listening
  void onMessage(std::uint32_t m, std::intptr_t w, std::intptr_t) override {
    if (m == 99) {
      loop->quit(0);
      return;
    }
    if (m != msg::ControlRequest) return;
    const auto text = instance->request(w);
    instance->answer(w, "ok\n" + text.value_or("?") + "\n" + std::string(padding, '.'));
    if (stopAfterAnswer) instance->stopListening();
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

TEST(ControlLineReaderTest, OneLineOfBoundedSizeFromPiecesOfAnySize) {
  using State = ControlLineReader::State;
  struct Case {
    const char* name;
    std::vector<std::string> pieces;
    bool peerClosed;
    State state;
    std::string line;
  };
  const std::string longest(9, 'x');  // with its line feed, exactly the limit of 10
  const Case cases[] = {
      {"one piece", {"status\n"}, false, State::Complete, "status"},
      {"byte by byte", {"s", "t", "a", "t", "u", "s", "\r", "\n"}, false, State::Complete, "status"},
      {"what follows the line is not kept", {"quit\nstatus\n"}, false, State::Complete, "quit"},
      {"an unterminated line ends with the peer", {"quit"}, true, State::Complete, "quit"},
      {"a line still arriving", {"qu"}, false, State::Incomplete, ""},
      {"nothing at all", {}, true, State::Incomplete, ""},
      {"the longest line", {longest.substr(0, 4), longest.substr(4) + "\n"}, false, State::Complete, longest},
      {"one byte more", {longest + "x"}, false, State::TooLong, ""},
      {"one byte more, line feed later", {longest, "x", "\n"}, false, State::TooLong, ""},
      {"a late line feed does not rescue it", {longest + "xx\n"}, true, State::TooLong, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ControlLineReader reader(10);
    for (const auto& p : c.pieces) (void)reader.feed(p);
    if (c.peerClosed) (void)reader.finish();
    EXPECT_EQ(reader.state(), c.state);
    if (c.state == State::Complete) {
      EXPECT_EQ(reader.line(), c.line);
    }
  }
}

// A raw connection to the control socket, as a stuck or hostile client holds it.
// The server with a loop that runs on this thread until stop() is posted.
class RunningServer {
 public:
  RunningServer(const std::string& dir, std::string& error) : server(dir) {
    ok = server.claim(error) == SingleInstance::Claim::First;
    loop = HeadlessLoop::create(error);
    if (!ok || !loop) return;
    answerer.instance = &server;
    answerer.loop = loop.get();
    handle = loop->addTarget(answerer);
    ok = server.listen(*loop, handle, error);
  }
  void stop() { loop->post(handle, 99, 0, 0); }

  // The loop outlives the server, whose thread posts to it.
  std::unique_ptr<HeadlessLoop> loop;
  Answerer answerer;
  UnixSingleInstance server;
  WindowHandle handle = kNoWindow;
  bool ok = false;
};

TEST_F(UnixInstanceTest, IdleAndStuckClientsDelayNobody) {
  std::string error;
  RunningServer s(dir_, error);
  ASSERT_TRUE(s.ok) << error;
  // The reply is larger than a socket buffer, so a client that never reads
  // it would hold a server that writes until done.
  s.answerer.padding = 512 * 1024;
  std::vector<std::unique_ptr<testing::RawClient>> idle;
  for (int i = 0; i < 10; ++i) {
    idle.push_back(std::make_unique<testing::RawClient>(s.server.socketPath()));
    ASSERT_TRUE(idle.back()->connected());
    ASSERT_TRUE(idle.back()->send("sta"));
  }
  testing::RawClient neverReads(s.server.socketPath());
  ASSERT_TRUE(neverReads.send("status\n"));
  neverReads.endRequest();

  bool answered = false, idleStillWaiting = false;
  std::thread user([&] {
    UnixSingleInstance client(dir_);
    std::string reply, e;
    answered = client.send("status", reply, e) && reply.rfind("ok\nstatus\n", 0) == 0;
    // Every idle client is still connected and unanswered: the status
    // request did not wait for any of them to be dropped.
    idleStillWaiting = true;
    for (const auto& c : idle) idleStillWaiting = idleStillWaiting && !c->heardFromServer();
    s.stop();
  });
  (void)s.loop->run();
  user.join();
  EXPECT_TRUE(answered);
  EXPECT_TRUE(idleStillWaiting);
  EXPECT_EQ(s.answerer.served, 2);
}

TEST_F(UnixInstanceTest, AnAnswerGivenBeforeTheServerStopsStillGoesOut) {
  std::string error;
  RunningServer s(dir_, error);
  ASSERT_TRUE(s.ok) << error;
  s.answerer.stopAfterAnswer = true;
  bool answered = false;
  std::thread user([&] {
    UnixSingleInstance client(dir_);
    std::string reply, e;
    answered = client.send("quit", reply, e) && reply == "ok\nquit\n";
    s.stop();
  });
  (void)s.loop->run();
  user.join();
  EXPECT_TRUE(answered);
}

// The runtime folder is checked as it is, not through a link, and refused
// unless it is ours alone.
TEST_F(UnixInstanceTest, AFolderThatIsNotOursAloneIsRefused) {
  for (const auto& c : testing::ForeignFolders()) {
    SCOPED_TRACE(c.name);
    if (c.needsRoot && ::geteuid() != 0) continue;  // only root can give a folder away
    fs::create_directories(dir_);
    const std::string folder = dir_ + "zelvor", elsewhere = dir_ + "elsewhere";
    c.prepare(folder, elsewhere);
    UnixSingleInstance instance(folder + "/");
    std::string error;
    EXPECT_EQ(instance.claim(error), SingleInstance::Claim::Failed);
    EXPECT_NE(error.find(folder), std::string::npos) << error;
    std::string reply, sendError;
    EXPECT_FALSE(instance.send("status", reply, sendError));
    EXPECT_NE(sendError.find(folder), std::string::npos) << sendError;
    std::error_code ignored;
    EXPECT_FALSE(fs::exists(elsewhere + "/instance.lock", ignored));
    instance.release();
    fs::remove_all(dir_);
  }
}

TEST_F(UnixInstanceTest, APlantedLockLinkIsNotFollowed) {
  fs::create_directories(dir_ + "zelvor");
  ::chmod((dir_ + "zelvor").c_str(), 0700);
  std::ofstream(dir_ + "victim") << "keep";
  fs::create_symlink(dir_ + "victim", dir_ + "zelvor/instance.lock");
  UnixSingleInstance instance(dir_ + "zelvor/");
  std::string error;
  EXPECT_EQ(instance.claim(error), SingleInstance::Claim::Failed);
  std::ifstream in(dir_ + "victim");
  std::string text;
  in >> text;
  EXPECT_EQ(text, "keep");
}

// A server of another user on our socket path gets no word through.
TEST_F(UnixInstanceTest, RepliesOfAnotherUsersServerAreNotTrusted) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a server as another user";
  fs::create_directories(dir_);
  ::chmod(dir_.c_str(), 0700);
  UnixSingleInstance client(dir_);
  const std::string path = client.socketPath();
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    // Bound by root in our folder, listening as nobody: the credentials a
    // peer sees are those of listen().
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) ::_exit(2);
    if (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0) ::_exit(3);
    if (::listen(fd, 1) != 0) ::_exit(4);
    (void)!::write(ready[1], "r", 1);
    const int c = ::accept(fd, nullptr, nullptr);
    char buf[64];
    (void)!::read(c, buf, sizeof buf);
    const char reply[] = "ok\nicon\t1\tspoofed\n";
    (void)!::write(c, reply, sizeof reply - 1);
    ::close(c);
    ::_exit(0);
  }
  ::close(ready[1]);
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  ::close(ready[0]);
  std::string reply, error;
  EXPECT_FALSE(client.send("status", reply, error));
  EXPECT_EQ(reply.find("spoofed"), std::string::npos);
  EXPECT_NE(error.find("another user"), std::string::npos) << error;
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
}

}  // namespace
}  // namespace zelvor
