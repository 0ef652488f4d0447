#pragma once
// The helpers every window of the suite uses: the zoom effect between a
// window and the notification area, pop-up panels at the pointer, event
// sounds, opacity, the list-view gate and help.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/launcher.h"
#include "platform/platform.h"
#include "shell/store/config_store.h"
#include "shell/tracked_dialogs.h"

namespace zelvor {

// Help contexts of the F1 key, by the window in front.
namespace help_context {
inline constexpr int Default = 1000;
inline constexpr int VadaVU = 1030;
inline constexpr int AutoShutdown = 1040;  // also the remote-shutdown window
inline constexpr int ZiviDuvaza = 1050;
inline constexpr int DedoVuv = 1060;       // also automatic dialling and traffic alerts
inline constexpr int DivoZidezevuza = 1070;
inline constexpr int ReziZovidaraz = 1080;
inline constexpr int DuvuZevad = 1090;
inline constexpr int RaviVarudide = 1100;
inline constexpr int DeveRevazoz = 1110;
}  // namespace help_context

// The key of a sound event below HKEY_CURRENT_USER.
[[nodiscard]] std::string SoundEventKey(std::string_view event);

// Replaces each %NAME% whose variable is set; anything else stays as written.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view)>;
[[nodiscard]] std::string ExpandEnvironment(std::string_view text, const EnvironmentLookup& lookup);
[[nodiscard]] EnvironmentLookup ProcessEnvironment();

class ShellHelpers {
 public:
  ShellHelpers(TrackedDialogs& dialogs, Desktop desktop, ConfigStore& store, Files& files,
               Launcher& launcher, int osGeneration, EnvironmentLookup environment);

  // Where the zoom effect ends when the icon bar is in use: the bar window.
  void SetBarWindow(WindowHandle bar) { bar_ = bar; }

  void ShowAnimated(WindowHandle window);
  void HideAnimated(WindowHandle window, bool destroy);
  // width and height -1 keep the window's size.
  void ShowPanelAtCursor(WindowHandle window, int width, int height);
  void HidePanel(WindowHandle window);
  // A file, or a sound event name; empty stops the sound that plays.
  void PlayEventSound(std::string_view fileOrEvent, bool loop = false);
  [[nodiscard]] bool CanUseOpacity();
  void SetWindowOpacity(WindowHandle window, int percent);
  // Every Linux toolkit the suite runs on has list and tree views, so the
  // gate always opens; the call stays so that callers keep their order.
  [[nodiscard]] bool CheckCommonControls() { return true; }
  // The help of the suite at a context (the help file is "Zelvor.chm" in the
  // program folder; the desktop's viewer for it opens it, when there is one).
  void OpenHelp(int context);
  // F1 in a window: the window's own context, else the default one.
  [[nodiscard]] static int HelpContextOf(const WindowModel* foreground);

  // The rectangle the zoom runs to or from.
  [[nodiscard]] Rect ZoomEnd();
  // The sound file an event name or path resolves to; empty: nothing plays.
  [[nodiscard]] std::string ResolveSound(std::string_view fileOrEvent);

  [[nodiscard]] std::string HelpFile() const { return store_.ProgramFolder() + "Zelvor.chm"; }

 private:
  [[nodiscard]] DialogHost::Animation PanelAnimation() const;

  TrackedDialogs& dialogs_;
  Desktop desktop_;
  ConfigStore& store_;
  Files& files_;
  Launcher& launcher_;
  int osGeneration_;
  EnvironmentLookup environment_;
  WindowHandle bar_ = kNoWindow;
  std::optional<bool> canUseOpacity_;
};

}  // namespace zelvor
