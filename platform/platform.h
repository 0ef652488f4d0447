#pragma once
// The services a binding hands to the application object. Each utility gets
// only what it needs from here.

#include "platform/append_file.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/launcher.h"
#include "platform/registry.h"
#include "platform/tcp_stream.h"

namespace zelvor {

struct Platform {
  Registry& registry;
  Clock& clock;
  Folders& folders;
  Files& files;
  Launcher& launcher;
  Network& network;
  AppendFiles& appendFiles;
};

}  // namespace zelvor
