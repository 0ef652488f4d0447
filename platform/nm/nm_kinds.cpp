#include "platform/nm/nm_kinds.h"

#include <array>

namespace zelvor::nm {

bool IsDialUpKind(std::string_view connectionType, std::string_view bluetoothType) {
  static constexpr std::array<std::string_view, 6> kListed = {"gsm", "cdma", "pppoe", "adsl", "vpn", "wireguard"};
  for (std::string_view k : kListed) {
    if (connectionType == k) return true;
  }
  return connectionType == "bluetooth" && bluetoothType == "dun";
}

}  // namespace zelvor::nm
