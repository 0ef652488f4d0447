#pragma once
// Duvu Zevad as the shell hosts it (CDuvuZevad): the live notes in their
// order, the recycle bin and its window, both notes files, note hotkeys,
// the alarm minute timer and the start-up check for late alarms.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "notes/duvu_zevad_bin.h"
#include "notes/new_note.h"
#include "notes/note.h"
#include "notes/note_dialogs.h"
#include "notes/note_index.h"
#include "notes/notes_files.h"
#include "notes/recycle_bin.h"
#include "shell/utility.h"

namespace zelvor {
class CZelvorApp;
}

namespace zelvor::notes {

// Timers of the utility's target.
inline constexpr int kTimerAlarms = 0;      // every 60 s while a live note has an alarm
inline constexpr int kTimerLateNotice = 1;  // the 16-second steps of the late-alarm notices
inline constexpr std::uint32_t kAlarmPeriodMs = 60'000;
inline constexpr std::uint32_t kLateNoticeMs = 16'000;
// Where a notes file that could not be read is kept: beside it, with this suffix.
inline constexpr std::string_view kUnreadableSuffix = ".ilegible";

// The services of a note in the running program, with the main window's
// menu style; also what the default-note editor is given.
[[nodiscard]] NoteServices MakeNoteServices(CZelvorApp& app, NoteDialogs& dialogs);

struct DuvuZevadOptions {
  // How long after the start the late-alarm check runs.
  std::chrono::milliseconds lateCheckDelay{5000};
};

class CDuvuZevad final : public Utility, public NoteOwner, public BinActions, public MessageTarget {
 public:
  CDuvuZevad(CZelvorApp& app, std::unique_ptr<NoteDialogs> dialogs, DuvuZevadOptions options = {});
  ~CDuvuZevad() override;
  CDuvuZevad(const CDuvuZevad&) = delete;
  CDuvuZevad& operator=(const CDuvuZevad&) = delete;

  // Utility.
  void start() override;
  void command(int code, std::string_view text) override;
  void save() override;
  [[nodiscard]] std::vector<NoteItem> notes() const override;
  [[nodiscard]] std::vector<std::vector<std::string>> statusRecords() const override;

  // The operations behind the command codes.
  void NewNote();
  void ShowAll();
  void HideAll();
  void ToggleNote(std::size_t index);
  void DeleteNote(std::size_t index);
  void DeleteAll();
  void OpenBin();

  // BinActions.
  void RestoreSelected(std::vector<std::size_t> rows) override;
  void RestoreAllNotes() override;
  void EmptyBin() override;
  void CloseBin() override;
  void BinShown() override;

  // NoteOwner.
  void NoteHidden(CNote& note) override;
  void NoteDeleteRequested(CNote& note) override;
  void NoteChanged(CNote& note) override;
  void NoteAlarmSet(CNote& note) override;
  void NoteHotkeyChanged(CNote& note, std::uint32_t previous) override;

  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override;
  void onTimer(int timerId) override;

  // What tests and the status report read.
  [[nodiscard]] const std::vector<std::unique_ptr<CNote>>& live() const { return live_; }
  [[nodiscard]] const RecycleBin& bin() const { return bin_; }
  [[nodiscard]] CNotesBinWindow& binWindow() { return binWindow_; }
  [[nodiscard]] WindowHandle binHandle() const { return binHandle_; }
  [[nodiscard]] WindowHandle handle() const { return handle_; }
  [[nodiscard]] const std::vector<std::string>& lateNotices() const { return shownNotices_; }

  // Messages of the utility's target.
  static constexpr std::uint32_t kMsgLateCheck = 0x0400 + 90;
  static constexpr std::uint32_t kMsgDeleteNote = 0x0400 + 91;

 private:
  [[nodiscard]] BinSettings ReadBinSettings() const;
  [[nodiscard]] NewNoteSettings ReadNewNoteSettings() const;
  [[nodiscard]] std::int64_t Now() const;
  std::unique_ptr<CNote> MakeNote(NoteEntry entry);
  void Append(std::unique_ptr<CNote> note);
  void ApplyHotkeyOps(const std::vector<HotkeyOp>& ops);
  void UnregisterAll();
  void RegisterAll();
  void StartAlarmTimer();
  void AlarmTick();
  void LateCheck();
  void NextLateNotice();
  void RefreshBinWindow();
  [[nodiscard]] std::size_t IndexOf(const CNote& note) const;
  // The note's window exists and is on screen.
  [[nodiscard]] bool IsShown(const CNote& note) const;
  void LateWorker(std::chrono::milliseconds delay);
  // Whether path may be written: true once an unreadable file there was renamed aside.
  [[nodiscard]] bool MayWrite(const std::string& path, bool& unreadable);

  CZelvorApp& app_;
  std::unique_ptr<NoteDialogs> dialogs_;
  DuvuZevadOptions options_;
  std::unique_ptr<NotesFiles> files_;
  std::vector<std::unique_ptr<CNote>> live_;
  RecycleBin bin_;
  CNotesBinWindow binWindow_;
  WindowHandle binHandle_ = kNoWindow;
  WindowHandle handle_ = kNoWindow;
  bool started_ = false;
  // A notes file that was there but could not be read is set aside before
  // the first save writes over its name, so that its notes are not lost.
  bool liveUnreadable_ = false;
  bool binUnreadable_ = false;
  bool alarmTimer_ = false;
  bool notifyLate_ = false;
  struct Notice {
    std::string title, text;
  };
  std::vector<Notice> pendingNotices_;
  std::vector<std::string> shownNotices_;
  bool noticeShowing_ = false;

  // The late-alarm worker only waits; every change happens on the UI thread.
  std::thread worker_;
  std::mutex workerMutex_;
  std::condition_variable workerWake_;
  bool stopping_ = false;
};

}  // namespace zelvor::notes
