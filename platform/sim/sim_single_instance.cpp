#include "platform/sim/sim_single_instance.h"

#include "platform/messages.h"
#include "platform/sim/sim_event_loop.h"

namespace zelvor {

SingleInstance::Claim SimSingleInstance::claim(std::string& error) {
  if (world_.lockBroken) {
    error = "the instance lock cannot be made";
    return Claim::Failed;
  }
  if (world_.holder != 0 && world_.holder != id_) return Claim::AnotherRuns;
  world_.holder = id_;
  return Claim::First;
}

void SimSingleInstance::release() {
  stopListening();
  if (world_.holder == id_) world_.holder = 0;
}

bool SimSingleInstance::send(const std::string& request, std::string& reply, std::string& error) {
  sent.push_back(request);
  if (world_.serverLoop_ == nullptr) {
    error = "no instance is running";
    return false;
  }
  const std::intptr_t n = world_.nextRequest_++;
  world_.requests_[n] = request;
  world_.serverLoop_->post(world_.serverTarget_, msg::ControlRequest, n, 0);
  // One desktop, one thread: the running instance answers when its loop
  // delivers the request, which a simulated loop does right here.
  if (auto* sim = dynamic_cast<SimEventLoop*>(world_.serverLoop_)) sim->deliverPosted();
  const auto it = world_.replies_.find(n);
  if (it == world_.replies_.end()) {
    error = "the instance did not answer";
    return false;
  }
  reply = it->second;
  world_.replies_.erase(it);
  return true;
}

bool SimSingleInstance::listen(EventLoop& loop, WindowHandle target, std::string&) {
  world_.serverLoop_ = &loop;
  world_.serverTarget_ = target;
  world_.server_ = id_;
  return true;
}

std::optional<std::string> SimSingleInstance::request(std::intptr_t number) {
  const auto it = world_.requests_.find(number);
  if (it == world_.requests_.end()) return std::nullopt;
  std::string text = std::move(it->second);
  world_.requests_.erase(it);
  return text;
}

void SimSingleInstance::answer(std::intptr_t number, const std::string& reply) {
  world_.replies_[number] = reply;
}

void SimSingleInstance::stopListening() {
  if (world_.server_ != id_) return;
  world_.serverLoop_ = nullptr;
  world_.serverTarget_ = kNoWindow;
  world_.server_ = 0;
}

}  // namespace zelvor
