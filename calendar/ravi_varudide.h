#pragma once
// Ravi Varudide as the shell hosts it (CRaviVarudide): the two note lists
// and their files, the calendar window, and the reminders: the check of
// today's notes at the start and 15 seconds after every local midnight,
// with its Accion, and the announcer of the coming days' notes on a worker.
//
// Timers of the utility's target: 0 the next day's check, 1 a today notice
// that waits for another notice to go, 2 the end of the icon's blinking, 3
// the end of a notice shown for TiempoAviso seconds.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "calendar/calendar_files.h"
#include "calendar/calendar_reminders.h"
#include "calendar/calendar_store.h"
#include "calendar/calendar_view.h"
#include "platform/event_loop.h"
#include "shell/utility.h"

namespace zelvor {
class CZelvorApp;
}

namespace zelvor::calendar {

inline constexpr int kTimerDayCheck = 0;
inline constexpr int kTimerPendingNotice = 1;
inline constexpr int kTimerBlink = 2;
inline constexpr int kTimerHideNotice = 3;
inline constexpr std::uint32_t kNoticeRetryMs = 16'000;
// The day's check is never more than this far away: a machine that slept
// through midnight (a timer does not run while it sleeps) checks within
// this time of waking instead of a whole day late.
inline constexpr std::uint32_t kLongestDayCheckWaitMs = 60'000;

struct RaviVarudideOptions {
  // One second of the announcer's waits (its 3-second steps, TiempoAviso
  // and the 16-second wait); tests shorten it.
  std::chrono::milliseconds second{1000};
};

class CRaviVarudide final : public Utility, public MessageTarget {
 public:
  explicit CRaviVarudide(CZelvorApp& app, RaviVarudideOptions options = {});
  ~CRaviVarudide() override;
  CRaviVarudide(const CRaviVarudide&) = delete;
  CRaviVarudide& operator=(const CRaviVarudide&) = delete;

  // Utility.
  void createWindow() override;
  void start() override;
  void command(int code, std::string_view text) override;
  void save() override;
  void applySettings() override;
  [[nodiscard]] std::vector<std::vector<std::string>> statusRecords() const override;

  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override;
  void onTimer(int timerId) override;

  // The check of today's notes.
  void TodayCheck();
  [[nodiscard]] CCalendarView& view() { return *view_; }
  [[nodiscard]] CalendarStore& store() { return store_; }
  [[nodiscard]] WindowHandle handle() const { return handle_; }
  // The notices shown so far (their HTML), oldest first.
  [[nodiscard]] const std::vector<std::string>& notices() const { return shown_; }
  [[nodiscard]] const std::string& pendingNotice() const { return pending_; }

  static constexpr std::uint32_t kMsgAnnounce = 0x0400 + 110;

 private:
  void ShowTodayNotice();
  void ShowNotice(const std::string& heading, const std::string& text);
  void ArmDayCheck();
  void StartAnnouncer(const Day& today);
  void StopAnnouncer();
  void Announcer(std::vector<ComingNote> notes, int tiempoAviso, std::uint64_t generation);
  // Worker side: false when the announcer is to stop.
  [[nodiscard]] bool Wait(std::chrono::milliseconds time);
  [[nodiscard]] std::optional<bool> AskToShow(std::size_t index, bool force, std::uint64_t generation);
  [[nodiscard]] int Setting(std::string_view name) const;
  [[nodiscard]] Day Today() const;

  CZelvorApp& app_;
  RaviVarudideOptions options_;
  CalendarStore store_;
  CalendarFiles files_;
  std::unique_ptr<CCalendarView> view_;
  WindowHandle handle_ = kNoWindow;
  bool loaded_ = false;
  std::int64_t dayCheckDue_ = 0;  // when the next check runs (seconds)
  std::string pending_;            // a today notice waiting for another to go
  std::string lastHtml_;           // the notice this utility put up last
  std::vector<std::string> shown_;

  // The announcer's texts are taken on the UI thread before it starts; the
  // worker only waits and asks the UI thread to show them.
  std::vector<ComingNote> coming_;
  std::thread worker_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::uint64_t generation_ = 0;
  std::optional<bool> answer_;
};

}  // namespace zelvor::calendar
