#pragma once
// NetworkManager's reasons as the suite's error codes, and their texts.
// Device reasons (NMDeviceStateReason) are 1000 + reason; reasons of an
// active connection (NMActiveConnectionStateReason) are 2000 + reason;
// errors of a D-Bus call are 3000 and up (their texts are kept as they came).

#include <cstdint>
#include <string>

namespace zelvor::nm {

inline constexpr int kDeviceReasonBase = 1000;
inline constexpr int kActiveReasonBase = 2000;
inline constexpr int kCallErrorBase = 3000;

// Reasons that mean the user asked for it: the dial ends without an error.
inline constexpr std::uint32_t kDeviceUserRequested = 39;
inline constexpr std::uint32_t kActiveUserDisconnected = 2;

[[nodiscard]] inline int DeviceReasonCode(std::uint32_t reason) {
  return kDeviceReasonBase + static_cast<int>(reason % 1000);
}
[[nodiscard]] inline int ActiveReasonCode(std::uint32_t reason) {
  return kActiveReasonBase + static_cast<int>(reason % 1000);
}

// The text of a device or active-connection reason code; "" for other codes.
[[nodiscard]] std::string ReasonText(int code);

}  // namespace zelvor::nm
