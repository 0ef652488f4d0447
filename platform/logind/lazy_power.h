#pragma once
// A power service made on first use: the desktop hands one to every
// program, but only Dade Rive asks it anything; until then nothing talks
// to the system bus.

#include <functional>
#include <memory>

#include "platform/power.h"

namespace zelvor::logind {

class LazyPower final : public Power {
 public:
  explicit LazyPower(std::function<std::unique_ptr<Power>()> make) : make_(std::move(make)) {}

  PowerResult perform(PowerAction action, bool force) override { return get().perform(action, force); }
  PowerResult setShutdownBlock(bool on) override { return get().setShutdownBlock(on); }
  bool shutdownBlockHeld() const override { return made_ != nullptr && made_->shutdownBlockHeld(); }
  void watchSessionEnd(WindowHandle target) override {
    if (made_ == nullptr && target == kNoWindow) return;
    get().watchSessionEnd(target);
  }

  [[nodiscard]] bool made() const { return made_ != nullptr; }

 private:
  Power& get() {
    if (!made_) made_ = make_();
    return *made_;
  }
  std::function<std::unique_ptr<Power>()> make_;
  std::unique_ptr<Power> made_;
};

}  // namespace zelvor::logind
