#pragma once
// How the states NetworkManager reports for an activation become the steps
// of a dial. The device's states give the steps on the way (NetworkManager
// has fewer than a modem line had, so a jump reports the skipped steps too,
// in order); the active connection's state says when the dial is up or over.

#include <cstdint>
#include <vector>

namespace zelvor::nm {

struct StepReport {
  int step = 0;
  int error = 0;
  friend bool operator==(const StepReport&, const StepReport&) = default;
};

class DialProgress {
 public:
  [[nodiscard]] std::vector<StepReport> onDeviceState(std::uint32_t state, std::uint32_t reason);
  [[nodiscard]] std::vector<StepReport> onActiveState(std::uint32_t state, std::uint32_t reason);
  // The active connection vanished from NetworkManager's list.
  [[nodiscard]] std::vector<StepReport> onGone();
  // Connected, disconnected or failed: nothing more is reported.
  [[nodiscard]] bool ended() const { return ended_; }

 private:
  void advanceTo(int step, std::vector<StepReport>& out);
  void finish(int step, int error, std::vector<StepReport>& out);

  int reached_ = -1;  // index into the ladder of steps, -1 before the first
  bool ended_ = false;
  std::uint32_t deviceFailure_ = 0;  // the device's reason when it failed
};

}  // namespace zelvor::nm
