#pragma once
// Power and session: ending the session or the machine's run, holding the
// shutdown block, and hearing that the system is about to end the session.
// The Linux binding speaks to systemd-logind (and, for logging off, to the
// desktop's session manager first); the simulated one records the calls.

#include <string>

#include "platform/ui_types.h"

namespace zelvor {

enum class PowerAction { PowerOff, Reboot, LogOff, Suspend, Hibernate, LockSession };

struct PowerResult {
  bool ok = true;
  std::string error;  // the system's own text when ok is false
};

class Power {
 public:
  virtual ~Power() = default;

  // Asks the system for the action. force: the request comes from nobody at
  // the screen (automatic shutdown): the binding must not wait for an
  // answer from the user and lets the system apply its own rules about
  // other programs' locks (see the binding's notes).
  [[nodiscard]] virtual PowerResult perform(PowerAction action, bool force) = 0;

  // Holds (on) or lets go of (off) a lock that makes the system refuse to
  // shut down or restart while it is held, visible to other programs.
  [[nodiscard]] virtual PowerResult setShutdownBlock(bool on) = 0;
  [[nodiscard]] virtual bool shutdownBlockHeld() const = 0;

  // From now on the system's announcement that the session or the machine
  // is about to end reaches target as msg::QueryEndSession, handled before
  // the system goes on. kNoWindow stops it.
  virtual void watchSessionEnd(WindowHandle target) = 0;
};

// Where nothing can reach the system's power service.
class UnavailablePower final : public Power {
 public:
  explicit UnavailablePower(std::string why) : why_(std::move(why)) {}
  PowerResult perform(PowerAction, bool) override { return {false, why_}; }
  PowerResult setShutdownBlock(bool on) override { return on ? PowerResult{false, why_} : PowerResult{}; }
  bool shutdownBlockHeld() const override { return false; }
  void watchSessionEnd(WindowHandle) override {}

 private:
  std::string why_;
};

}  // namespace zelvor
