#pragma once
// Dade Rive: the exit actions with every step before them (the block
// question, the confirmation, the programs and the wait for them, the other
// utilities' saves, emptying the temporary folder), the shutdown block, and
// the answer to the system's end-of-session query.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launchers/launcher_utilities.h"
#include "platform/event_loop.h"
#include "shell/utility.h"
#include "shutdown/exit_actions.h"

namespace zelvor {

class CZelvorApp;

class CDadeRive final : public Utility, public MessageTarget {
 public:
  // The wait for the programs looks at them this often.
  static constexpr int kWaitTimerId = 1;
  static constexpr int kWaitPollMs = 100;

  explicit CDadeRive(CZelvorApp& app);
  ~CDadeRive() override;
  CDadeRive(const CDadeRive&) = delete;
  CDadeRive& operator=(const CDadeRive&) = delete;

  void start() override;
  // Codes 1 … 11 from the menu, the icon or a hotkey: RunExitAction(code, 0, 0, 0).
  void command(int code, std::string_view text) override;
  [[nodiscard]] bool queryEndSession() override;
  [[nodiscard]] bool shutdownBlocked() const override { return blocked_; }
  [[nodiscard]] bool runsExitActions() const override { return true; }
  [[nodiscard]] std::vector<std::vector<std::string>> statusRecords() const override;

  void onMessage(std::uint32_t, std::intptr_t, std::intptr_t) override {}
  void onTimer(int timerId) override;

  enum class Confirm { Ask, Skip };
  enum class Force { No, Yes };
  enum class Origin { User, Automatic };
  void RunExitAction(int code, Confirm confirm, Force force, Origin origin);

  // The block, with the icon's image and the system's lock following it.
  void SetBlock(bool on);
  // Brings the icon's image in line with the block and the automatic shutdown.
  void ShowIconState();

  // The user's temporary folder, as the platform names it.
  [[nodiscard]] std::string TemporaryFolder() const;
  // Whether a request is waiting for its programs to end.
  [[nodiscard]] bool Waiting() const { return pending_.has_value(); }

 private:
  struct Pending {
    shutdown::SystemAction action;
    Force force;
    std::vector<std::int64_t> processes;
    std::size_t next = 0;
    std::uint64_t startMs = 0;
    int limitSeconds = 0;  // 0: until every program has ended
  };

  [[nodiscard]] std::vector<std::int64_t> RunPrograms(int code, Origin origin);
  // True once the wait is over (every program ended, or the limit passed).
  [[nodiscard]] bool WaitOver(Pending& pending);
  void Finish(const Pending& pending);
  [[nodiscard]] int ReadInt(std::string_view name) const;
  void ShowError(std::string_view title, const std::string& text);

  CZelvorApp& app_;
  WindowHandle handle_ = kNoWindow;
  InputBoxPrompt prompt_;
  bool blocked_ = false;
  std::string blockError_;  // why the system's lock could not be taken
  std::optional<Pending> pending_;
  int refusedQueries_ = 0;
};

}  // namespace zelvor
