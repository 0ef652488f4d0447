#pragma once
// CScheduler: one time trigger of an owner (automatic shutdown, automatic
// connect and disconnect, a download's start and stop, a note's alarm).
// It keeps the record, stores it, answers whether it is time now and when
// it is next time, describes itself, and shows the countdown warning
// before the owner acts. It never acts by itself.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "exit/countdown.h"
#include "exit/scheduler_page.h"
#include "exit/scheduler_record.h"
#include "platform/clock.h"
#include "platform/registry.h"

namespace zelvor {

// What an owner fixes when it builds its trigger.
struct SchedulerSetup {
  std::optional<std::string> caption;  // the enable box's text; none hides the box
  std::optional<std::string> keyPath;  // below the configuration root; none: the owner stores it
  SchedulerLayout layout = SchedulerLayout::Normal;
};

// The owners' triggers.
namespace scheduler_setup {
[[nodiscard]] SchedulerSetup AutomaticShutdown();
[[nodiscard]] SchedulerSetup AutomaticConnect();
[[nodiscard]] SchedulerSetup AutomaticDisconnect();
// downloadKeyPath: the download's own key path below the root.
[[nodiscard]] SchedulerSetup DownloadStart(std::string_view downloadKeyPath);
[[nodiscard]] SchedulerSetup DownloadStop(std::string_view downloadKeyPath);
[[nodiscard]] SchedulerSetup NoteAlarm();
}  // namespace scheduler_setup

// The sound event played when a countdown warning opens.
inline constexpr std::string_view kWarningSoundEvent = "SystemExclamation";

class CScheduler {
 public:
  // What the trigger needs from outside. The presenter and the sound
  // player are needed only by ConfirmWithWarning; without a presenter the
  // warning cannot be shown and the action is not confirmed.
  struct Services {
    Registry& registry;
    Clock& clock;
    CountdownPresenter* countdown = nullptr;
    EventSoundPlayer* sound = nullptr;
  };

  // Starts from the defaults of the current local time; with a key path,
  // loads the stored record at once.
  CScheduler(Services services, SchedulerSetup setup);

  // Reads the stored record and refills the page when it is on screen. A
  // missing key (or none) keeps the record; a disarmed stored record
  // (Enable 0) is not read beyond Enable.
  void Load();
  // Writes all nine values (taking the page's values first when it is on
  // screen), all or nothing. Without a key path nothing is written.
  void Save();
  // When disarmed, starts again from the current date and time.
  void ResetIfDisabled();

  // Whether the trigger minute is running now. Enable is not looked at. A
  // once trigger that is due disarms itself, in memory and in the store.
  [[nodiscard]] bool IsDue();
  // The next trigger instant (seconds since 1970, UTC); see NextOccurrenceOf.
  [[nodiscard]] std::int64_t NextOccurrence(std::optional<std::int64_t> reference = std::nullopt);
  // NextOccurrence(now) - now, held within 32 bits.
  [[nodiscard]] std::int32_t SecondsToNextOccurrence();
  [[nodiscard]] std::string Describe() const { return DescribeRecord(record_); }
  // The day bound of a month index in the current local year.
  [[nodiscard]] int DaysInMonth(int monthIndex);

  // True when the owner may go on: at once without a warning; otherwise
  // after the countdown ran out (false when it was cancelled).
  [[nodiscard]] bool ConfirmWithWarning(std::string_view message, std::string_view caption,
                                        int iconIndex);

  // Enable of a stored record, 0 when the key or the value is missing.
  [[nodiscard]] static int IsEnabledInStore(Registry& registry, std::string_view keyPath);

  // The record, for owners that store it themselves.
  [[nodiscard]] const SchedulerRecord& Record() const { return record_; }
  void SetRecord(const SchedulerRecord& record);
  // Values an owner changes from its own controls.
  void SetEnable(bool enable);
  void SetShowWarning(bool show);
  void SetSeconds(int seconds);

  // The page. While it is on screen Load refills it and Save reads it.
  [[nodiscard]] CSchedulerPage& Page() { return page_; }
  [[nodiscard]] const CSchedulerPage& Page() const { return page_; }
  void ShowPage();
  void HidePage() { pageOnScreen_ = false; }
  [[nodiscard]] bool PageOnScreen() const { return pageOnScreen_; }
  void OnPageConfirm() { Save(); }
  void OnPageCancel() { Load(); }

  [[nodiscard]] const std::optional<std::string>& KeyPath() const { return setup_.keyPath; }

 private:
  [[nodiscard]] std::string FullKeyPath() const;
  void ReadRecord(const RegKeySnapshot& key);
  void FillPage();
  void WriteEnable();

  Services services_;
  SchedulerSetup setup_;
  SchedulerRecord record_;
  CSchedulerPage page_;
  bool pageOnScreen_ = false;
};

}  // namespace zelvor
