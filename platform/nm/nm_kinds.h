#pragma once
// Which NetworkManager profiles are dial-up entries. The suite's entries
// were the dial-up service's phonebook: modem, ISDN, DSL and VPN
// connections, each dialed on demand and billed by the minute. Their
// counterparts are mobile broadband (gsm, cdma), PPP over Ethernet and ADSL
// (pppoe, adsl), Bluetooth dial-up networking (bluetooth of type dun) and
// VPNs (vpn, wireguard). Wired and wireless networks are left out: they
// are up whenever the machine is, so counting them would make the suite
// "connected" all day and fill the diary with one endless call.

#include <string_view>

namespace zelvor::nm {

[[nodiscard]] bool IsDialUpKind(std::string_view connectionType, std::string_view bluetoothType);

}  // namespace zelvor::nm
