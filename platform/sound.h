#pragma once
#include <string>

namespace zelvor {

// Plays sound files asynchronously; one sound at a time.
class Sound {
 public:
  virtual ~Sound() = default;
  // False when the file cannot be played (missing, unknown format, no audio).
  virtual bool play(const std::string& file, bool loop) = 0;
  virtual void stop() = 0;
  // Whether sound can be played at all (the audio library is there).
  [[nodiscard]] virtual bool available() = 0;
};

}  // namespace zelvor
