#pragma once
// The application object: the directory of live objects (one slot per
// utility object and per modeless window), the start sequence, and the two
// exit sequences ("Salir" in the main window, then the deletion of every
// object in a fixed order after the message loop).

#include <array>
#include <memory>
#include <span>
#include <string>

#include "platform/platform.h"
#include "platform/single_instance.h"
#include "shell/shell_helpers.h"
#include "shell/store/config_store.h"
#include "shell/store/install_defaults.h"
#include "shell/tracked_dialogs.h"
#include "shell/utility.h"

namespace zelvor {

class CPrincipalDlg;

struct AppOptions {
  // The Windows generation code the shell's rules ask for. A Linux desktop
  // is a current system: 8, "any later NT version".
  int osGeneration = 8;
  InstallOptions install;
  EnvironmentLookup environment = ProcessEnvironment();
};

class CZelvorApp : public MessageTarget {
 public:
  CZelvorApp(Platform platform, Desktop desktop, SingleInstance& instance, UtilityFactory& factory,
             AppOptions options = {});
  ~CZelvorApp() override;
  CZelvorApp(const CZelvorApp&) = delete;
  CZelvorApp& operator=(const CZelvorApp&) = delete;

  struct StartResult {
    bool running = false;  // the message loop must run now
    int exitCode = 0;      // when not running
  };
  // The start sequence. args: the command line without the program name.
  [[nodiscard]] StartResult InitInstance(std::span<const std::string> args);
  // The exit of the application object, after the message loop: deletes
  // every object in its fixed order and lets go of the instance.
  void ExitInstance();

  // Services.
  [[nodiscard]] Platform& platform() { return platform_; }
  [[nodiscard]] Desktop& desktop() { return desktop_; }
  [[nodiscard]] TrackedDialogs& dialogs() { return dialogs_; }
  [[nodiscard]] ConfigStore& store() { return store_; }
  [[nodiscard]] ShellHelpers& helpers() { return helpers_; }
  [[nodiscard]] SingleInstance& instance() { return instance_; }
  [[nodiscard]] const AppOptions& options() const { return options_; }
  [[nodiscard]] int osGeneration() const { return options_.osGeneration; }
  [[nodiscard]] bool ntFamily() const { return options_.osGeneration >= 4; }
  [[nodiscard]] bool audioAvailable() const { return audio_; }
  // The process environment as the application was given it.
  [[nodiscard]] const EnvironmentLookup& environment() const { return options_.environment; }
  // Where thread messages for the UI thread go (1225).
  [[nodiscard]] WindowHandle threadHandle() const { return threadHandle_; }

  // The directory.
  [[nodiscard]] CPrincipalDlg* mainWindow() { return main_.get(); }
  [[nodiscard]] Utility* utility(UtilityKind kind) { return utilities_[indexOf(kind)].get(); }
  [[nodiscard]] ShellWindow* window(WindowKind kind) { return windows_[indexOf(kind)].get(); }
  // Creates the object through the factory when its slot is empty; the
  // slot's object (possibly none, when the component does not exist).
  Utility* EnsureUtility(UtilityKind kind, bool* createdNow = nullptr);
  ShellWindow* EnsureWindow(WindowKind kind);
  void DeleteUtility(UtilityKind kind) { utilities_[indexOf(kind)].reset(); }
  void DeleteWindow(WindowKind kind) { windows_[indexOf(kind)].reset(); }
  // The modeless pattern's "open" for a window of the directory.
  void OpenWindow(WindowKind kind);

  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override;
  void onTimer(int) override {}

 private:
  Platform platform_;
  TrackedDialogs dialogs_;
  Desktop desktop_;
  ConfigStore store_;
  SingleInstance& instance_;
  UtilityFactory& factory_;
  AppOptions options_;
  ShellHelpers helpers_;
  WindowHandle threadHandle_ = kNoWindow;
  bool audio_ = false;
  bool instanceHeld_ = false;

  std::array<std::unique_ptr<Utility>, kUtilityCount> utilities_;
  std::array<std::unique_ptr<ShellWindow>, kWindowCount> windows_;
  std::unique_ptr<CPrincipalDlg> main_;
};

// Whether the command line asks for the unattended update ("/a" or
// "--update" as a whole argument).
[[nodiscard]] bool wantsUpdateOnly(std::span<const std::string> args);

}  // namespace zelvor
