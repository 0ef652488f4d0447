#pragma once
// Several processes of the suite in one test: each SimSingleInstance is one
// process; they share a SimInstanceWorld that stands in for the per-user
// lock and the channel between them.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/single_instance.h"

namespace zelvor {

class SimInstanceWorld {
 public:
  std::uint32_t holder = 0;  // id of the process holding the lock, 0 none
  bool lockBroken = false;   // claims fail, as when the lock file cannot be made

 private:
  friend class SimSingleInstance;
  EventLoop* serverLoop_ = nullptr;
  WindowHandle serverTarget_ = kNoWindow;
  std::uint32_t server_ = 0;
  std::intptr_t nextRequest_ = 1;
  std::map<std::intptr_t, std::string> requests_;
  std::map<std::intptr_t, std::string> replies_;
};

class SimSingleInstance : public SingleInstance {
 public:
  SimSingleInstance(SimInstanceWorld& world, std::uint32_t processId)
      : world_(world), id_(processId) {}

  Claim claim(std::string& error) override;
  void release() override;
  std::uint32_t instanceId() override { return id_; }
  bool isLiveInstance(std::uint32_t id) override { return id != 0 && id == world_.holder; }
  bool send(const std::string& request, std::string& reply, std::string& error) override;
  bool listen(EventLoop& loop, WindowHandle target, std::string& error) override;
  std::optional<std::string> request(std::intptr_t number) override;
  void answer(std::intptr_t number, const std::string& reply) override;
  void stopListening() override;

  std::vector<std::string> sent;  // every request this process sent

 private:
  SimInstanceWorld& world_;
  std::uint32_t id_;
};

}  // namespace zelvor
