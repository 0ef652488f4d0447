#pragma once
// What the connection control needs from the rest of the suite, handed to
// it by the assembly: sounds, the programs run around a connection, and the
// news that a connection came up or that the service is missing.

#include <string_view>

namespace zelvor::dialup {

class DialupOutside {
 public:
  virtual ~DialupOutside() = default;
  // A sound file or the name of a sound event ("SystemHand").
  virtual void PlayEventSound(std::string_view fileOrEvent) = 0;
  // Starts the programs of DedoVuv\Programas that the dial window has
  // checked, unless programs are already held for this connection.
  virtual void StartPrograms() = 0;
  // Ends the held programs marked to close on disconnect and forgets them all.
  virtual void ClosePrograms() = 0;
  // Forgets the held programs, leaving them running (a new dial starts afresh).
  virtual void ForgetPrograms() = 0;
  // A connection has just been established: downloads that wait for one
  // start, and the main thread gets message 1225.
  virtual void ConnectionUp() = 0;
  // The service is missing and the utility was disabled: the icon goes.
  virtual void DropIcon() = 0;
};

}  // namespace zelvor::dialup
