#pragma once
// The sound events the suite plays, and their Linux defaults.

#include "platform/registry.h"

namespace zelvor {

// Fills in every event of the defaults text that has no sound file yet; a
// file the user chose is never replaced. Returns how many were written.
int InstallSoundDefaults(Registry& registry);

}  // namespace zelvor
