#pragma once
// A service manager a test fills: requests change the listed services at
// once and are recorded; a test can make the next request fail.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/service_manager.h"

namespace zelvor {

class SimServiceManager : public ServiceManager {
 public:
  bool available() override { return present; }
  std::vector<ServiceRecord> services() override { return present ? list : std::vector<ServiceRecord>{}; }
  std::optional<int> state(const std::string& name) override {
    const ServiceRecord* s = find(name);
    if (s == nullptr) return std::nullopt;
    return s->state;
  }
  ServiceResult start(const std::string& name) override { return act("start", name, service_state::Running); }
  ServiceResult stop(const std::string& name) override { return act("stop", name, service_state::Stopped); }
  ServiceResult pause(const std::string& name) override { return act("pause", name, service_state::Paused); }
  ServiceResult resume(const std::string& name) override { return act("resume", name, service_state::Running); }
  ServiceResult setStartType(const std::string& name, int startType) override {
    ServiceResult r = act("start-type " + std::to_string(startType), name, -1);
    if (r.ok) find(name)->startType = startType;
    return r;
  }
  ServiceResult remove(const std::string& name) override {
    ServiceResult r = act("remove", name, -1);
    if (r.ok) std::erase_if(list, [&](const ServiceRecord& s) { return s.name == name; });
    return r;
  }

  bool present = true;
  std::vector<ServiceRecord> list;
  std::vector<std::string> calls;  // "stop ssh.service"
  std::string refusal;             // when set, the next request fails with this text

 private:
  ServiceRecord* find(const std::string& name) {
    const auto it = std::find_if(list.begin(), list.end(), [&](const ServiceRecord& s) { return s.name == name; });
    return it == list.end() ? nullptr : &*it;
  }
  ServiceResult act(const std::string& what, const std::string& name, int newState) {
    calls.push_back(what + " " + name);
    if (!refusal.empty()) {
      ServiceResult r{false, refusal};
      refusal.clear();
      return r;
    }
    ServiceRecord* s = find(name);
    if (s == nullptr) return {false, "El servicio no existe."};
    if (newState >= 0) s->state = newState;
    return {};
  }
};

}  // namespace zelvor
