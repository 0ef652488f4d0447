#include "shutdown/dade_rive.h"

#include "launchers/entry_lists.h"
#include "launchers/launch_plan.h"
#include "platform/message_box.h"
#include "platform/power.h"
#include "platform/screen.h"
#include "shell/hover_tooltip.h"
#include "shell/principal_dlg.h"
#include "shell/store/config_store.h"
#include "shell/zelvor_app.h"

namespace zelvor {

using namespace shutdown;

CDadeRive::CDadeRive(CZelvorApp& app) : app_(app), prompt_(app) {
  handle_ = app_.desktop().loop.addTarget(*this);
}

CDadeRive::~CDadeRive() {
  app_.desktop().loop.killTimer(handle_, kWaitTimerId);
  app_.desktop().loop.removeTarget(handle_);
  if (blocked_) (void)app_.desktop().power.setShutdownBlock(false);
  app_.desktop().power.watchSessionEnd(kNoWindow);
}

void CDadeRive::start() {
  // The system's announcement that the session ends reaches the main
  // window, which asks every utility (this one refuses while blocked).
  if (CPrincipalDlg* main = app_.mainWindow()) app_.desktop().power.watchSessionEnd(main->handle());
  ShowIconState();
}

int CDadeRive::ReadInt(std::string_view name) const { return app_.store().ReadConfigInt(utility_key::DadeRive, name); }

std::string CDadeRive::TemporaryFolder() const { return app_.platform().folders.temporaryFolder(); }

void CDadeRive::command(int code, std::string_view) { RunExitAction(code, Confirm::Ask, Force::No, Origin::User); }

void CDadeRive::ShowIconState() {
  CPrincipalDlg* main = app_.mainWindow();
  if (main == nullptr) return;
  CTrayIcon* icon = main->icon(info(UtilityKind::DadeRive).iconId);
  if (icon == nullptr) return;
  const ShellWindow* automatic = app_.window(WindowKind::AutoClose);
  icon->SetIconIndex(blocked_                                      ? kBlockedImage
                     : automatic != nullptr && automatic->armed() ? kAutomaticImage
                                                                  : kNormalImage);
}

void CDadeRive::SetBlock(bool on) {
  blocked_ = on;
  // The system's own lock makes other programs and the desktop see the
  // block too; without it the suite still refuses what reaches it.
  const PowerResult r = app_.desktop().power.setShutdownBlock(on);
  blockError_ = r.ok ? std::string() : r.error;
  ShowIconState();
}

void CDadeRive::ShowError(std::string_view title, const std::string& text) {
  (void)app_.desktop().messageBoxes.show({text, std::string(title), MsgButtons::Ok, MsgIcon::Error, true});
}

void CDadeRive::RunExitAction(int code, Confirm confirm, Force force, Origin origin) {
  switch (code) {
    case kOpenMenu:
      if (CPrincipalDlg* main = app_.mainWindow()) main->RunExitAction(kOpenMenu);
      return;
    case kAutomaticShutdown:
      if (!app_.helpers().CheckCommonControls()) return;
      app_.OpenWindow(WindowKind::AutoClose);
      return;
    case kToggleBlock:
      SetBlock(!blocked_);
      return;
    case kRemoteShutdown:
    case kRemoteRestart:
      if (app_.ntFamily()) app_.OpenWindow(WindowKind::RemoteShutdown);
      return;
    default:
      break;
  }
  const auto action = SystemActionOf(code);
  if (!action) return;
  MessageBoxes& boxes = app_.desktop().messageBoxes;
  // A second request while the first waits for its programs would run the
  // programs and the action twice: the first one goes on alone.
  if (pending_) return;
  // A restart into MS-DOS does not exist here: say so before anything else
  // runs (the temporary folder is not emptied for an action that cannot happen).
  if (!action->power) {
    (void)boxes.show({std::string(kNoMsDosText), std::string(kTitle), MsgButtons::Ok, MsgIcon::Warning, true});
    return;
  }
  if (blocked_) {
    if (boxes.show({std::string(kBlockedQuestion), std::string(kTitle), MsgButtons::YesNo, MsgIcon::Question,
                    true}) != MsgAnswer::Yes) {
      return;
    }
    SetBlock(false);
  }
  if (confirm == Confirm::Ask && ReadInt(std::string(kConfirmPrefix) + std::string(action->suffix)) == 1) {
    if (boxes.show({std::string(action->question), std::string(kTitle), MsgButtons::YesNo, MsgIcon::Question,
                    true}) != MsgAnswer::Yes) {
      return;
    }
  }
  Pending pending{*action, force, RunPrograms(code, origin), 0, app_.platform().clock.tickMs(),
                  ReadInt(kWaitSecondsValue)};
  if (WaitOver(pending)) {
    Finish(pending);
    return;
  }
  // The wait runs on the loop's timer: windows keep answering meanwhile.
  pending_ = std::move(pending);
  app_.desktop().loop.setTimer(handle_, kWaitTimerId, kWaitPollMs);
}

std::vector<std::int64_t> CDadeRive::RunPrograms(int code, Origin origin) {
  const std::uint32_t bit = ProgramBit(code, origin == Origin::Automatic);
  // Nobody is there to type arguments before an automatic shutdown: the
  // stored ones are used.
  LaunchServices services{app_.platform().launcher, app_.platform().files,
                          origin == Origin::User ? &prompt_ : nullptr, app_.environment()};
  std::vector<std::int64_t> started;
  for (const ListElement& e : LoadPrograms(app_.store().registry(), EntryList::ShutdownPrograms)) {
    if (e.separator || (e.entry.flags & bit) == 0) continue;
    const LaunchOutcome outcome = LaunchEntry(e.entry, services);
    // The wait covers the programs up to the first one that has no process
    // of its own to follow (it failed, or it was a document or folder).
    if (!outcome.ok || outcome.processId == 0) break;
    started.push_back(outcome.processId);
  }
  return started;
}

bool CDadeRive::WaitOver(Pending& pending) {
  Launcher& launcher = app_.platform().launcher;
  while (pending.next < pending.processes.size() && launcher.wait(pending.processes[pending.next], 0).has_value()) {
    ++pending.next;
  }
  if (pending.next >= pending.processes.size()) return true;
  const std::uint64_t elapsed = app_.platform().clock.tickMs() - pending.startMs;
  return pending.limitSeconds > 0 && elapsed >= static_cast<std::uint64_t>(pending.limitSeconds) * 1000;
}

void CDadeRive::onTimer(int timerId) {
  if (timerId != kWaitTimerId || !pending_) return;
  if (!WaitOver(*pending_)) return;
  app_.desktop().loop.killTimer(handle_, kWaitTimerId);
  const Pending pending = std::move(*pending_);
  pending_.reset();
  Finish(pending);
}

void CDadeRive::Finish(const Pending& pending) {
  const SystemAction& action = pending.action;
  CPrincipalDlg* main = app_.mainWindow();
  // The other utilities keep what the user would lose.
  if (main != nullptr) main->SaveUtilities();
  if (const std::string temporary = TemporaryFolder();
      !temporary.empty() && ReadInt(std::string(kEmptyTempPrefix) + std::string(action.suffix)) != 0) {
    (void)app_.platform().files.emptyOwnEntries(temporary);
  }
  // Logging off ends this program with the session: it closes first, the
  // way "Salir" does, so nothing is lost when the desktop ends it.
  if (*action.power == PowerAction::LogOff && main != nullptr) main->Exit();
  const PowerResult r = app_.desktop().power.perform(*action.power, pending.force == Force::Yes);
  if (!r.ok) ShowError(action.errorTitle, r.error);
}

bool CDadeRive::queryEndSession() {
  if (!blocked_) return true;
  ++refusedQueries_;
  app_.helpers().PlayEventSound("SystemExclamation");
  if (CPrincipalDlg* main = app_.mainWindow()) {
    const Rect area = app_.desktop().screen.workArea();
    main->tooltip().ShowNotice(NoticeHtml(1, std::string(kTitle), std::string(kRefusedText)),
                               Point{area.right - 20, area.bottom - 10});
  }
  return false;
}

std::vector<std::vector<std::string>> CDadeRive::statusRecords() const {
  std::vector<std::vector<std::string>> out;
  std::vector<std::string> block{"shutdownblock", blocked_ ? "on" : "off"};
  if (blocked_) block.push_back(app_.desktop().power.shutdownBlockHeld() ? "system-lock" : "no-system-lock");
  if (!blockError_.empty()) block.push_back(blockError_);
  out.push_back(std::move(block));
  out.push_back({"shutdownrefused", std::to_string(refusedQueries_)});
  // What the automatic shutdown window shows, whether or not it is on screen.
  const ShellWindow* automatic = app_.window(WindowKind::AutoClose);
  if (automatic != nullptr && automatic->armed()) {
    out.push_back({"autoshutdown", "running", automatic->remainingText()});
  } else {
    out.push_back({"autoshutdown", "stopped"});
  }
  if (pending_) {
    out.push_back({"exitwait", std::string(pending_->action.suffix),
                   std::to_string(pending_->processes.size() - pending_->next)});
  }
  return out;
}

}  // namespace zelvor
