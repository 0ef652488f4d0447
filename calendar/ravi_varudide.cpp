#include "calendar/ravi_varudide.h"

#include <algorithm>
#include <cstdio>

#include "platform/screen.h"
#include "shell/hover_tooltip.h"
#include "shell/principal_dlg.h"
#include "shell/tray_icon.h"
#include "shell/zelvor_app.h"

namespace zelvor::calendar {
namespace {

constexpr std::string_view kKey = utility_key::RaviVarudide;
constexpr int kIconId = 10;
constexpr int kStepSeconds = 3;
constexpr int kBusyWaitSeconds = 16;

const char* kindName(NoteKind k) { return k == NoteKind::Dated ? "dated" : "yearly"; }

std::string isoDay(const Day& d) {
  char out[16];
  std::snprintf(out, sizeof out, "%04d-%02d-%02d", d.year, d.month, d.day);
  return out;
}

}  // namespace

CRaviVarudide::CRaviVarudide(CZelvorApp& app, RaviVarudideOptions options)
    : app_(app),
      options_(options),
      store_(app.platform().clock),
      files_(app.platform().files, app.store().GetDataFolder()) {
  handle_ = app_.desktop().loop.addTarget(*this);
}

CRaviVarudide::~CRaviVarudide() {
  StopAnnouncer();
  // The program ends (or the utility is switched off) with text typed in
  // an edit: it goes to the files like any other commit.
  if (view_) view_->Commit();
  EventLoop& loop = app_.desktop().loop;
  loop.removeTarget(handle_);
  if (CPrincipalDlg* main = app_.mainWindow()) {
    if (!lastHtml_.empty() && main->tooltip().visible() && main->tooltip().html() == lastHtml_) main->tooltip().Hide();
  }
}

int CRaviVarudide::Setting(std::string_view name) const { return app_.store().ReadConfigInt(kKey, name); }

Day CRaviVarudide::Today() const {
  const LocalTime now = localNow(app_.platform().clock);
  return ClampDay({now.year, now.month, now.day});
}

void CRaviVarudide::createWindow() {
  if (!loaded_) {
    files_.LoadInto(store_);
    loaded_ = true;
  }
  if (!view_) view_ = std::make_unique<CCalendarView>(app_, store_, files_);
  view_->Create();
}

void CRaviVarudide::start() {
  createWindow();
  TodayCheck();
}

void CRaviVarudide::command(int code, std::string_view) {
  // The click on the icon (0) and the hotkey (1) both show the calendar.
  if (code != 0 && code != 1) return;
  createWindow();
  view_->Show();
}

void CRaviVarudide::save() {
  if (view_) view_->Commit();
}

void CRaviVarudide::applySettings() {
  if (view_) view_->ApplySettings();
}

void CRaviVarudide::TodayCheck() {
  Clock& clock = app_.platform().clock;
  const Day today = Today();
  const std::int64_t date = DateValue(clock, today);
  const bool any = store_.Find(date, NoteKind::Dated) != nullptr || store_.Find(date, NoteKind::Yearly) != nullptr;
  if (any) {
    if (view_) view_->Select(today);
    const TodayAction action = TodayActionOf(Setting("Accion"));
    CPrincipalDlg* main = app_.mainWindow();
    if (action == TodayAction::ShowCalendar) {
      if (view_ && !view_->IsVisible()) view_->Show();
    } else if (action == TodayAction::Blink || action == TodayAction::BlinkAndSound) {
      if (action == TodayAction::BlinkAndSound) {
        app_.helpers().PlayEventSound(app_.store().ReadConfigString(kKey, "Sonido"), false);
      }
      if (main != nullptr) {
        if (CTrayIcon* icon = main->icon(kIconId)) icon->StartBlink();
      }
      app_.desktop().loop.setTimer(handle_, kTimerBlink, kNoticeRetryMs);
    }
    pending_ = DayText(store_, date);
    ShowTodayNotice();
  }
  ArmDayCheck();
  StartAnnouncer(today);
}

void CRaviVarudide::ArmDayCheck() {
  Clock& clock = app_.platform().clock;
  const std::int64_t now = clock.now();
  const std::int64_t waitMs = MsUntilAfterMidnight(clock, now);
  dayCheckDue_ = now + waitMs / 1000;
  app_.desktop().loop.setTimer(handle_, kTimerDayCheck,
                               static_cast<std::uint32_t>(std::min<std::int64_t>(waitMs, kLongestDayCheckWaitMs)));
}

void CRaviVarudide::ShowNotice(const std::string& heading, const std::string& text) {
  CPrincipalDlg* main = app_.mainWindow();
  if (main == nullptr) return;
  const Rect area = app_.desktop().screen.workArea();
  const int seconds = Setting("TiempoAviso");
  if (seconds > 0) {
    app_.desktop().loop.setTimer(handle_, kTimerHideNotice, static_cast<std::uint32_t>(seconds) * 1000);
  }
  lastHtml_ = NoticeHtml(kNoticeImage, heading, NoticeBody(text));
  main->tooltip().ShowNotice(lastHtml_, {area.right - 20, area.bottom - 10});
  shown_.push_back(lastHtml_);
}

void CRaviVarudide::ShowTodayNotice() {
  CPrincipalDlg* main = app_.mainWindow();
  if (main == nullptr || pending_.empty()) return;
  if (main->tooltip().visible()) {
    // Another notice is up: this one waits its turn.
    app_.desktop().loop.setTimer(handle_, kTimerPendingNotice, kNoticeRetryMs);
    return;
  }
  const std::string text = std::move(pending_);
  pending_.clear();
  ShowNotice(std::string(kTodayHeading), text);
}

void CRaviVarudide::onTimer(int timerId) {
  EventLoop& loop = app_.desktop().loop;
  switch (timerId) {
    case kTimerDayCheck:
      if (app_.platform().clock.now() >= dayCheckDue_) {
        TodayCheck();
      } else {
        const std::int64_t left = (dayCheckDue_ - app_.platform().clock.now()) * 1000;
        loop.setTimer(handle_, kTimerDayCheck,
                      static_cast<std::uint32_t>(std::clamp<std::int64_t>(left, 1000, kLongestDayCheckWaitMs)));
      }
      return;
    case kTimerPendingNotice:
      loop.killTimer(handle_, kTimerPendingNotice);
      ShowTodayNotice();
      return;
    case kTimerBlink:
      loop.killTimer(handle_, kTimerBlink);
      if (CPrincipalDlg* main = app_.mainWindow()) {
        if (CTrayIcon* icon = main->icon(kIconId)) icon->StopBlink();
      }
      return;
    case kTimerHideNotice:
      loop.killTimer(handle_, kTimerHideNotice);
      if (CPrincipalDlg* main = app_.mainWindow()) {
        // Only the notice this utility put up; a hover since then stays.
        if (main->tooltip().html() == lastHtml_) main->tooltip().Hide();
      }
      return;
    default: return;
  }
}

// The announcer.

void CRaviVarudide::StopAnnouncer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
  std::lock_guard lock(mutex_);
  stopping_ = false;
  answer_.reset();
}

void CRaviVarudide::StartAnnouncer(const Day& today) {
  StopAnnouncer();
  const int days = Setting("DiasAntelacionAviso");
  if (Setting("AvisarProximasNotas") == 0 || days <= 0) return;
  coming_ = ComingNotes(store_, app_.platform().clock, today, days);
  const std::uint64_t generation = ++generation_;
  worker_ = std::thread(&CRaviVarudide::Announcer, this, coming_, Setting("TiempoAviso"), generation);
}

bool CRaviVarudide::Wait(std::chrono::milliseconds time) {
  std::unique_lock lock(mutex_);
  return !wake_.wait_for(lock, time, [this] { return stopping_; });
}

std::optional<bool> CRaviVarudide::AskToShow(std::size_t index, bool force, std::uint64_t generation) {
  {
    std::lock_guard lock(mutex_);
    answer_.reset();
  }
  app_.desktop().loop.post(handle_, kMsgAnnounce, static_cast<std::intptr_t>(index),
                           static_cast<std::intptr_t>(generation * 2 + (force ? 1 : 0)));
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return stopping_ || answer_.has_value(); });
  if (stopping_) return std::nullopt;
  return answer_;
}

void CRaviVarudide::Announcer(std::vector<ComingNote> notes, int tiempoAviso, std::uint64_t generation) {
  for (std::size_t i = 0; i < notes.size(); ++i) {
    if (!Wait(kStepSeconds * options_.second)) return;
    if (notes[i].text.empty()) continue;
    bool force = false;
    bool waited = false;
    while (true) {
      const std::optional<bool> shown = AskToShow(i, force, generation);
      if (!shown) return;
      if (*shown) break;
      // Another notice is up, or today's waits: give it time.
      if (tiempoAviso > 0) {
        if (!Wait(tiempoAviso * options_.second)) return;
      } else if (!waited) {
        if (!Wait(kBusyWaitSeconds * options_.second)) return;
        waited = true;
      } else {
        force = true;
      }
    }
  }
}

void CRaviVarudide::onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) {
  if (message != kMsgAnnounce) return;
  const auto generation = static_cast<std::uint64_t>(lparam) / 2;
  const bool force = (lparam & 1) != 0;
  if (generation != generation_) return;  // from an announcer that has ended
  const auto index = static_cast<std::size_t>(wparam);
  bool shown = false;
  CPrincipalDlg* main = app_.mainWindow();
  if (index < coming_.size() && main != nullptr) {
    const bool busy = main->tooltip().visible() || !pending_.empty();
    if (!busy || force) {
      ShowNotice(ComingHeading(coming_[index].days), coming_[index].text);
      shown = true;
    }
  } else {
    shown = true;  // nothing to show here: the worker goes on
  }
  {
    std::lock_guard lock(mutex_);
    answer_ = shown;
  }
  wake_.notify_all();
}

std::vector<std::vector<std::string>> CRaviVarudide::statusRecords() const {
  std::vector<std::vector<std::string>> out;
  Clock& clock = app_.platform().clock;
  const Day today = Today();
  const std::int64_t todayValue = DateValue(clock, today);
  for (NoteKind k : {NoteKind::Dated, NoteKind::Yearly}) {
    if (const std::string* t = store_.Find(todayValue, k)) out.push_back({"calnote", "today", kindName(k), *t});
  }
  if (view_) {
    const Day sel = view_->Selected();
    out.push_back({"calendar", "selected", isoDay(sel)});
    const std::int64_t selValue = DateValue(clock, sel);
    for (NoteKind k : {NoteKind::Dated, NoteKind::Yearly}) {
      if (const std::string* t = store_.Find(selValue, k)) out.push_back({"calnote", "selected", kindName(k), *t});
    }
  }
  return out;
}

}  // namespace zelvor::calendar
