#pragma once
// A service manager made on first use: the desktop hands one to every
// program, but only the service list asks it anything; until then nothing
// talks to the system bus.

#include <functional>
#include <memory>

#include "platform/service_manager.h"

namespace zelvor::systemd {

class LazyServiceManager : public ServiceManager {
 public:
  explicit LazyServiceManager(std::function<std::unique_ptr<ServiceManager>()> make) : make_(std::move(make)) {}

  bool available() override { return get().available(); }
  std::vector<ServiceRecord> services() override { return get().services(); }
  std::optional<int> state(const std::string& name) override { return get().state(name); }
  ServiceResult start(const std::string& name) override { return get().start(name); }
  ServiceResult stop(const std::string& name) override { return get().stop(name); }
  ServiceResult pause(const std::string& name) override { return get().pause(name); }
  ServiceResult resume(const std::string& name) override { return get().resume(name); }
  ServiceResult setStartType(const std::string& name, int startType) override {
    return get().setStartType(name, startType);
  }
  ServiceResult remove(const std::string& name) override { return get().remove(name); }

 private:
  ServiceManager& get() {
    if (!made_) made_ = make_();
    return *made_;
  }
  std::function<std::unique_ptr<ServiceManager>()> make_;
  std::unique_ptr<ServiceManager> made_;
};

}  // namespace zelvor::systemd
