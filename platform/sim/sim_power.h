#pragma once
// Records every power request instead of acting on it.

#include <string>
#include <utility>
#include <vector>

#include "platform/power.h"

namespace zelvor {

class SimPower final : public Power {
 public:
  PowerResult perform(PowerAction action, bool force) override {
    performed.emplace_back(action, force);
    if (!failWith.empty()) return {false, failWith};
    return {};
  }
  PowerResult setShutdownBlock(bool on) override {
    blockCalls.push_back(on);
    held_ = on;
    return {};
  }
  bool shutdownBlockHeld() const override { return held_; }
  void watchSessionEnd(WindowHandle target) override { watcher = target; }

  std::vector<std::pair<PowerAction, bool>> performed;  // action, force
  std::vector<bool> blockCalls;
  std::string failWith;  // non-empty: every action fails with this text
  WindowHandle watcher = kNoWindow;

 private:
  bool held_ = false;
};

}  // namespace zelvor
