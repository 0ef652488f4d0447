#pragma once
// Dial-up connections: the service's entries (connection profiles), its
// devices, the connections that are up, dialing and hanging up.
//
// Nothing here waits for the service. A dial returns at once with a handle
// and reports its progress as msg::DialProgress posted to the target given
// (see DialReport); the lists are what the binding last learned from the
// service, refreshed in the background, so the UI thread never blocks on a
// slow or hung service.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/ui_types.h"

namespace zelvor {

// A connection as the suite knows it: a small number the binding hands out,
// never reused while the program runs. 0 is none.
using ConnectionHandle = std::int64_t;

// The steps a dial reports, numbered as the suite's progress table has them.
namespace dial_step {
inline constexpr int OpeningPort = 0;
inline constexpr int PortOpened = 1;
inline constexpr int ConnectingDevice = 2;
inline constexpr int DeviceConnected = 3;
inline constexpr int AllDevicesConnected = 4;
inline constexpr int Authenticating = 5;
inline constexpr int Authenticated = 14;
inline constexpr int Connected = 0x2000;
inline constexpr int Disconnected = 0x2001;
}  // namespace dial_step

// The error a report carries when the line was dropped at the user's
// request: the dial ends as a plain disconnection, not as a failure.
inline constexpr int kDisconnectedByUser = 631;

// One progress report: which dial, which step, and the error (0 = none).
// It travels as wParam = handle, lParam = error × 65536 + step.
struct DialReport {
  ConnectionHandle handle = 0;
  int step = 0;
  int error = 0;

  [[nodiscard]] std::intptr_t lparam() const {
    return static_cast<std::intptr_t>(error) * 65536 + static_cast<std::intptr_t>(step & 0xFFFF);
  }
  [[nodiscard]] static DialReport decode(std::intptr_t wparam, std::intptr_t lparam) {
    return DialReport{static_cast<ConnectionHandle>(wparam), static_cast<int>(lparam & 0xFFFF),
                      static_cast<int>(lparam >> 16)};
  }
  friend bool operator==(const DialReport&, const DialReport&) = default;
};

// What a connection that is up is made of.
struct ConnectionStatus {
  bool connected = false;    // fully up (not still dialing or going down)
  std::string entry;         // the entry's name
  std::string device;        // the device's name, as Modems() lists it
  std::string interfaceName; // the network interface carrying it ("" when unknown)
};

// The stored credentials of an entry.
struct DialParams {
  std::string userName;
  std::string password;
  bool passwordStored = false;  // the service had a password for it
};

struct DialStart {
  ConnectionHandle handle = 0;  // 0 when the dial could not start
  int error = 0;                // the reason when it could not
};

// Where the service's own editors could not be opened.
enum class EditorOutcome { Opened, NoEditor };

class Dialer {
 public:
  virtual ~Dialer() = default;

  // Whether the service is there. False means the connection control cannot
  // work at all on this machine; missingServiceText() says why.
  [[nodiscard]] virtual bool available() = 0;
  [[nodiscard]] virtual std::string missingServiceText() = 0;

  // The entries' names, in the service's order.
  [[nodiscard]] virtual std::vector<std::string> entries() = 0;
  // The names of the devices that can carry a connection.
  [[nodiscard]] virtual std::vector<std::string> modems() = 0;
  // The connections of the listed kinds that exist now (up or coming up).
  [[nodiscard]] virtual std::vector<ConnectionHandle> connections() = 0;
  // The state of a connection; nullopt when it is gone or unknown.
  [[nodiscard]] virtual std::optional<ConnectionStatus> status(ConnectionHandle handle) = 0;

  [[nodiscard]] virtual DialParams dialParams(const std::string& entry) = 0;
  // Stores the user name (and the password unless forgetPassword); false
  // when the service keeps credentials its own way.
  [[nodiscard]] virtual bool setDialParams(const std::string& entry, const DialParams& params,
                                           bool forgetPassword) = 0;

  // Starts dialing entry. Progress goes to target as msg::DialProgress until
  // the dial ends (Connected, Disconnected or an error); a hang-up ends the
  // reports of that handle at once.
  [[nodiscard]] virtual DialStart dial(const std::string& entry, const DialParams& params,
                                       WindowHandle target) = 0;
  // Hangs up a connection (one dialing too). 0 or an error code.
  [[nodiscard]] virtual int hangUp(ConnectionHandle handle) = 0;

  // The service's text for an error code; "" when it has none.
  [[nodiscard]] virtual std::string errorText(int code) = 0;

  // The service's editors: a new entry, an entry's properties, all entries.
  [[nodiscard]] virtual EditorOutcome newEntry() = 0;
  [[nodiscard]] virtual EditorOutcome editEntry(const std::string& entry) = 0;
  [[nodiscard]] virtual EditorOutcome openEntriesFolder() = 0;
};

}  // namespace zelvor
