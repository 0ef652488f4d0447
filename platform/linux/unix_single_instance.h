#pragma once
// One instance per user on Linux: an flock()ed lock file holding the pid,
// and a Unix-domain socket for requests, both in $XDG_RUNTIME_DIR/zelvor/
// (the configuration folder when there is no runtime folder). The socket
// is mode 0600 in a 0700 folder, and each peer's credentials are checked:
// only the same user is served.

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "platform/single_instance.h"

namespace zelvor {

class UnixSingleInstance : public SingleInstance {
 public:
  // folder: where the lock and the socket live (ends with '/').
  explicit UnixSingleInstance(std::string folder);
  ~UnixSingleInstance() override;
  UnixSingleInstance(const UnixSingleInstance&) = delete;
  UnixSingleInstance& operator=(const UnixSingleInstance&) = delete;

  // $XDG_RUNTIME_DIR/zelvor/ when that variable names a folder, else
  // configFolder (which ends with '/').
  [[nodiscard]] static std::string defaultFolder(const std::string& configFolder);

  Claim claim(std::string& error) override;
  void release() override;
  std::uint32_t instanceId() override;
  bool isLiveInstance(std::uint32_t id) override;
  bool send(const std::string& request, std::string& reply, std::string& error) override;
  bool listen(EventLoop& loop, WindowHandle target, std::string& error) override;
  std::optional<std::string> request(std::intptr_t number) override;
  void answer(std::intptr_t number, const std::string& reply) override;
  void stopListening() override;

  [[nodiscard]] std::string socketPath() const { return folder_ + "control.sock"; }
  [[nodiscard]] std::string lockPath() const { return folder_ + "instance.lock"; }

  // Bounds on what a peer may send and how long it may take.
  static constexpr std::size_t kMaxRequest = 4096;
  static constexpr std::size_t kMaxReply = 1 << 20;
  static constexpr int kIoTimeoutMs = 5000;

 private:
  void serve();
  void serveOne(int fd);
  [[nodiscard]] bool makeFolder(std::string& error);

  std::string folder_;
  int lockFd_ = -1;
  int listenFd_ = -1;
  int stopPipe_[2] = {-1, -1};
  std::thread server_;
  EventLoop* loop_ = nullptr;
  WindowHandle target_ = kNoWindow;

  std::mutex mutex_;
  std::condition_variable answered_;
  bool stopping_ = false;
  std::intptr_t next_ = 1;
  std::map<std::intptr_t, std::string> requests_;
  std::map<std::intptr_t, std::string> replies_;
};

}  // namespace zelvor
