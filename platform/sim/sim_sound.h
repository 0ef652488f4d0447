#pragma once
#include <string>
#include <vector>

#include "platform/sound.h"

namespace zelvor {

// Logs every sound instead of playing it.
class SimSound : public Sound {
 public:
  struct Play {
    std::string file;
    bool loop = false;
  };
  bool play(const std::string& file, bool loop) override {
    plays.push_back({file, loop});
    return true;
  }
  void stop() override { ++stops; }
  bool available() override { return present; }

  std::vector<Play> plays;
  int stops = 0;
  bool present = true;
};

}  // namespace zelvor
