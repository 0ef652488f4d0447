#include "exit/scheduler.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/name_compare.h"
#include "shell/store/config_store.h"
#include "shell/store/reg_key_ex.h"

namespace zelvor {
namespace scheduler_setup {

SchedulerSetup AutomaticShutdown() { return {std::nullopt, "DadeRive\\Scheduler", SchedulerLayout::Compact}; }
SchedulerSetup AutomaticConnect() {
  return {"Conectar automáticamente:", "DedoVuv\\Scheduler1", SchedulerLayout::Normal};
}
SchedulerSetup AutomaticDisconnect() {
  return {"Desconectar automáticamente:", "DedoVuv\\Scheduler2", SchedulerLayout::Normal};
}
SchedulerSetup DownloadStart(std::string_view downloadKeyPath) {
  return {"Comenzar la descarga automáticamente:", std::string(downloadKeyPath) + "\\Scheduler1",
          SchedulerLayout::Normal};
}
SchedulerSetup DownloadStop(std::string_view downloadKeyPath) {
  return {"Detener la descarga automáticamente:", std::string(downloadKeyPath) + "\\Scheduler2",
          SchedulerLayout::Normal};
}
SchedulerSetup NoteAlarm() {
  return {"Mostrar la nota y reproducir un sonido:", std::nullopt, SchedulerLayout::Compact};
}

}  // namespace scheduler_setup

namespace {

// The stored DWORD as the record keeps it: the same 32 bits, so a value
// read and written back is unchanged whatever it held.
int AsInt(std::uint32_t v) { return static_cast<int>(static_cast<std::int32_t>(v)); }
std::uint32_t AsDword(int v) { return static_cast<std::uint32_t>(v); }

const RegValue* FindValue(const RegKeySnapshot& key, std::string_view name) {
  for (const auto& [n, v] : key.values) {
    if (namesEqual(n, name)) return &v;
  }
  return nullptr;
}

// Reads one DWORD into field; an absent value or one of another type
// keeps the field as it is.
void ReadInto(const RegKeySnapshot& key, std::string_view name, int& field) {
  const RegValue* v = FindValue(key, name);
  std::uint32_t d = 0;
  if (v != nullptr && v->readDword(d)) field = AsInt(d);
}

}  // namespace

CScheduler::CScheduler(Services services, SchedulerSetup setup)
    : services_(services),
      setup_(std::move(setup)),
      record_(DefaultRecordAt(localNow(services_.clock))),
      page_(setup_.caption, setup_.layout) {
  if (setup_.keyPath) Load();
}

std::string CScheduler::FullKeyPath() const { return ConfigStore::KeyPath(*setup_.keyPath); }

void CScheduler::Load() {
  if (setup_.keyPath) {
    // One consistent copy of the key, so a second process that saves the
    // record meanwhile cannot leave us half the old and half the new one.
    const auto key = services_.registry.snapshot(Hive::CurrentUser, FullKeyPath());
    if (key) ReadRecord(*key);
  }
  // Without a stored record the page is refilled all the same: Cancel on a
  // trigger never saved (or stored by its owner) drops the edits on screen.
  if (pageOnScreen_) FillPage();
}

void CScheduler::ReadRecord(const RegKeySnapshot& key) {
  ReadInto(key, scheduler_value::Enable, record_.Enable);
  if (record_.Enable != 0) {
    ReadInto(key, scheduler_value::ShowWarning, record_.ShowWarning);
    ReadInto(key, scheduler_value::Day, record_.Day);
    ReadInto(key, scheduler_value::Month, record_.Month);
    ReadInto(key, scheduler_value::Seconds, record_.Seconds);
    ReadInto(key, scheduler_value::Start, record_.Start);
    int hour = record_.Hour;
    int minute = record_.Minute;
    ReadInto(key, scheduler_value::Hour, hour);
    ReadInto(key, scheduler_value::Minute, minute);
    // A stored hour or minute out of range is carried as a clock would
    // carry it (24:10 is 00:10).
    NormaliseTimeOfDay(static_cast<std::uint32_t>(hour), static_cast<std::uint32_t>(minute),
                       record_.Hour, record_.Minute);
    ReadInto(key, scheduler_value::Weekday, record_.Weekday);
  }
}

void CScheduler::Save() {
  if (pageOnScreen_) page_.TakeInto(record_);
  if (!setup_.keyPath) return;
  const std::string path = FullKeyPath();
  const auto set = [&](std::string_view name, int value) {
    return RegOp{RegOp::Kind::SetValue, Hive::CurrentUser, path, std::string(name),
                 RegValue::dword(AsDword(value))};
  };
  const std::vector<RegOp> ops = {
      RegOp{RegOp::Kind::CreateKey, Hive::CurrentUser, path, {}, {}},
      set(scheduler_value::Enable, record_.Enable),
      set(scheduler_value::ShowWarning, record_.ShowWarning),
      set(scheduler_value::Day, record_.Day),
      set(scheduler_value::Month, record_.Month),
      set(scheduler_value::Seconds, record_.Seconds),
      set(scheduler_value::Start, record_.Start),
      set(scheduler_value::Hour, record_.Hour),
      set(scheduler_value::Minute, record_.Minute),
      set(scheduler_value::Weekday, record_.Weekday),
  };
  // Write failures are silent; the batch leaves the old record whole.
  (void)services_.registry.apply(ops);
}

void CScheduler::ResetIfDisabled() {
  if (record_.Enable == 0) record_ = DefaultRecordAt(localNow(services_.clock));
  if (pageOnScreen_) FillPage();
}

bool CScheduler::IsDue() {
  if (!IsDueAt(record_, services_.clock, services_.clock.now())) return false;
  if (record_.Start == static_cast<int>(TriggerKind::Once)) {
    record_.Enable = 0;
    WriteEnable();
    if (pageOnScreen_) page_.OnEnableBox(false);
  }
  return true;
}

void CScheduler::WriteEnable() {
  if (!setup_.keyPath) return;
  CRegKeyEx key(services_.registry);
  if (key.Create(Hive::CurrentUser, FullKeyPath()) == RegStatus::Ok) {
    key.SetDword(scheduler_value::Enable, 0);
  }
}

std::int64_t CScheduler::NextOccurrence(std::optional<std::int64_t> reference) {
  return NextOccurrenceOf(record_, services_.clock, services_.clock.now(), reference);
}

std::int32_t CScheduler::SecondsToNextOccurrence() {
  const std::int64_t now = services_.clock.now();
  const std::int64_t span = NextOccurrenceOf(record_, services_.clock, now, now) - now;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      span, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

int CScheduler::DaysInMonth(int monthIndex) {
  return DaysInMonthIndex(monthIndex, localNow(services_.clock).year);
}

bool CScheduler::ConfirmWithWarning(std::string_view message, std::string_view caption,
                                    int iconIndex) {
  if (record_.ShowWarning == 0) return true;
  // Without a window to count down in, the user cannot stop the action,
  // so it does not go ahead.
  if (services_.countdown == nullptr) return false;
  if (services_.sound != nullptr) services_.sound->PlayEventSound(kWarningSoundEvent, false);
  CAvisoDlg dialog(record_.Seconds, std::string(caption), std::string(message), iconIndex);
  services_.countdown->RunModal(dialog);
  return dialog.result() == CAvisoDlg::Result::Accepted;
}

int CScheduler::IsEnabledInStore(Registry& registry, std::string_view keyPath) {
  CRegKeyEx key(registry);
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(keyPath)) != RegStatus::Ok) return 0;
  return AsInt(key.GetDword(scheduler_value::Enable).value_or(0));
}

void CScheduler::SetRecord(const SchedulerRecord& record) {
  record_ = record;
  if (pageOnScreen_) FillPage();
}

void CScheduler::SetEnable(bool enable) {
  record_.Enable = enable ? 1 : 0;
  if (pageOnScreen_) page_.OnEnableBox(enable);
}

void CScheduler::SetShowWarning(bool show) {
  record_.ShowWarning = show ? 1 : 0;
  if (pageOnScreen_) page_.OnWarningBox(show);
}

void CScheduler::SetSeconds(int seconds) {
  record_.Seconds = std::clamp(seconds, 0, kMaxWarningSeconds);
  if (pageOnScreen_) page_.OnSeconds(record_.Seconds);
}

void CScheduler::ShowPage() {
  pageOnScreen_ = true;
  FillPage();
}

void CScheduler::FillPage() { page_.Fill(record_, localNow(services_.clock).year); }

}  // namespace zelvor
