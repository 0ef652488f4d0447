#include "platform/nm/nm_progress.h"

#include <array>

#include "platform/dialer.h"
#include "platform/nm/nm_reasons.h"

namespace zelvor::nm {
namespace {

// The steps a dial passes, in order.
constexpr std::array<int, 7> kLadder = {dial_step::OpeningPort,       dial_step::PortOpened,
                                        dial_step::ConnectingDevice,  dial_step::DeviceConnected,
                                        dial_step::AllDevicesConnected, dial_step::Authenticating,
                                        dial_step::Authenticated};

// NMDeviceState and NMActiveConnectionState values.
constexpr std::uint32_t kDevUnavailable = 20, kDevDisconnected = 30, kDevPrepare = 40, kDevConfig = 50,
                        kDevNeedAuth = 60, kDevIpConfig = 70, kDevIpCheck = 80, kDevSecondaries = 90,
                        kDevActivated = 100, kDevDeactivating = 110, kDevFailed = 120;
constexpr std::uint32_t kActActivating = 1, kActActivated = 2, kActDeactivated = 4;

int ladderIndex(int step) {
  for (std::size_t i = 0; i < kLadder.size(); ++i) {
    if (kLadder[i] == step) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

void DialProgress::advanceTo(int step, std::vector<StepReport>& out) {
  const int target = ladderIndex(step);
  while (reached_ < target) {
    ++reached_;
    out.push_back({kLadder[static_cast<std::size_t>(reached_)], 0});
  }
}

void DialProgress::finish(int step, int error, std::vector<StepReport>& out) {
  out.push_back({step, error});
  ended_ = true;
}

std::vector<StepReport> DialProgress::onDeviceState(std::uint32_t state, std::uint32_t reason) {
  std::vector<StepReport> out;
  if (ended_) return out;
  switch (state) {
    case kDevPrepare: advanceTo(dial_step::OpeningPort, out); break;
    case kDevConfig: advanceTo(dial_step::ConnectingDevice, out); break;
    case kDevNeedAuth:
    case kDevIpConfig: advanceTo(dial_step::Authenticating, out); break;
    case kDevIpCheck:
    case kDevSecondaries:
    case kDevActivated: advanceTo(dial_step::Authenticated, out); break;
    case kDevFailed:
      deviceFailure_ = reason;
      finish(dial_step::Disconnected, DeviceReasonCode(reason), out);
      break;
    case kDevUnavailable:
    case kDevDisconnected:
    case kDevDeactivating:
      // Before the first step the device may still be leaving an earlier
      // connection; only a device that took part can end the dial.
      if (reached_ < 0) break;
      if (reason == kDeviceUserRequested) {
        finish(dial_step::Disconnected, kDisconnectedByUser, out);
      } else if (reason != 0) {
        deviceFailure_ = reason;
        finish(dial_step::Disconnected, DeviceReasonCode(reason), out);
      }
      break;
    default: break;
  }
  return out;
}

std::vector<StepReport> DialProgress::onActiveState(std::uint32_t state, std::uint32_t reason) {
  std::vector<StepReport> out;
  if (ended_) return out;
  if (state == kActActivating) {
    advanceTo(dial_step::OpeningPort, out);
  } else if (state == kActActivated) {
    advanceTo(dial_step::Authenticated, out);
    finish(dial_step::Connected, 0, out);
  } else if (state == kActDeactivated) {
    if (reason == kActiveUserDisconnected) {
      finish(dial_step::Disconnected, kDisconnectedByUser, out);
    } else if (deviceFailure_ != 0) {
      finish(dial_step::Disconnected, DeviceReasonCode(deviceFailure_), out);
    } else {
      finish(dial_step::Disconnected, ActiveReasonCode(reason), out);
    }
  }
  return out;
}

std::vector<StepReport> DialProgress::onGone() { return onActiveState(kActDeactivated, 0); }

}  // namespace zelvor::nm
