#pragma once
// One instance per user on Linux: an flock()ed lock file holding the pid,
// and a Unix-domain socket for requests, both in $XDG_RUNTIME_DIR/zelvor/
// (the configuration folder when there is no runtime folder). The folder
// must be a real folder of this user with mode 0700 (private_folder.h), the
// socket is mode 0600, and both ends check the other's credentials: the
// server serves only its own user, and a client trusts only a server of
// its own user.

#include <string>

#include "platform/linux/control_server.h"
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

  static constexpr std::size_t kMaxRequest = ControlServer::kMaxRequest;
  static constexpr std::size_t kMaxReply = ControlServer::kMaxReply;
  static constexpr int kIoTimeoutMs = ControlServer::kIoTimeoutMs;

 private:
  std::string folder_;
  int lockFd_ = -1;
  ControlServer server_;
};

}  // namespace zelvor
