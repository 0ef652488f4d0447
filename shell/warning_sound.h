#pragma once
// The shell's event sounds for the countdown warning of the time trigger.
// The trigger (exit/) only knows it must play "SystemExclamation"; the
// shell knows how: a file, or the file the user's sound scheme names.
// The adapter lives here because the shell hosts the utilities, so the
// shell may know the trigger but not the other way round.

#include "exit/countdown.h"
#include "shell/shell_helpers.h"

namespace zelvor {

class ShellEventSoundPlayer final : public EventSoundPlayer {
 public:
  explicit ShellEventSoundPlayer(ShellHelpers& helpers) : helpers_(helpers) {}
  void PlayEventSound(std::string_view fileOrEvent, bool loop) override {
    helpers_.PlayEventSound(fileOrEvent, loop);
  }

 private:
  ShellHelpers& helpers_;
};

}  // namespace zelvor
