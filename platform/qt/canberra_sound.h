#pragma once
// Sounds through libcanberra, which speaks to PulseAudio or PipeWire (or
// ALSA) and knows the freedesktop sound theme: a name that is not a file is
// played as a theme event ("message-new-instant", "bell", ...).

#include <QObject>

#include <atomic>
#include <string>

#include "platform/sound.h"

struct ca_context;

namespace zelvor {

class CanberraSound final : public QObject, public Sound {
 public:
  CanberraSound();
  ~CanberraSound() override;

  bool play(const std::string& file, bool loop) override;
  void stop() override;
  [[nodiscard]] bool available() override { return context_ != nullptr; }

  // Whether a sound is playing now (for tests and the looping logic).
  [[nodiscard]] bool playing() const { return playing_; }

 private:
  static void finished(ca_context* context, std::uint32_t id, int errorCode, void* self);
  [[nodiscard]] bool start();

  ca_context* context_ = nullptr;
  std::string name_;
  bool isFile_ = false;
  bool loop_ = false;
  bool playing_ = false;
  // Each play gets a new id; the news of an old sound's end is ignored.
  std::atomic<std::uint32_t> currentId_{0};
  std::uint32_t nextId_ = 1;
};

}  // namespace zelvor
