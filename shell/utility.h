#pragma once
// How utilities and the shell's own windows plug into the shell. Each
// utility component supplies a Utility object through the program's
// assembly (app/assembly); until a component exists the assembly gives
// none, and then its icon still shows and its commands do nothing.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/utilities.h"

namespace zelvor {

class CZelvorApp;
class CTrayIcon;

// What the Dedo Vuv menu and hover text show.
struct DialUpFacts {
  std::vector<std::string> entries;  // dial-up entry names, in the platform's order
  bool connected = false;
  std::optional<std::int64_t> recordStart;  // start of the current diary record (seconds)
  // The traffic meter's download and upload figures while its window exists.
  std::optional<std::pair<std::string, std::string>> traffic;
};

// One row of the Rezi Zovidaraz list window.
struct ClipRow {
  std::string first, second;
  int image = -1;
};

struct NoteItem {
  std::string title;
  bool windowOpen = false;
};

struct DesktopItem {
  std::string name;
  bool current = false;
};

class Utility {
 public:
  virtual ~Utility() = default;

  // Called once, in the refresh pass that created the object, after the
  // icons are laid out: the object loads its files and starts its timers
  // and threads here.
  virtual void start() {}
  // Runs a command code (0 is the default view). text carries what a menu
  // item names (the dial-up entry of Dedo Vuv commands 20 and 40 and up).
  virtual void command(int code, std::string_view text) = 0;
  // Lets a launcher list run an entry: list (1-based shortcut or menu), item
  // (shortcut: 1 left program, 2 right program; menu: 0 opens it, n runs item n).
  virtual void runEntry(int list, int item) { (void)list, (void)item; }
  // Saves what the user would lose (notes, clipboards, window position).
  virtual void save() {}
  // Re-reads the settings a refresh applies to a living object.
  virtual void applySettings() {}
  // Creates the utility's own window when it has none.
  virtual void createWindow() {}
  // Deve Revazoz: shows its icons; false when the shell shows the single
  // icon 300 itself. hideIcons hides the per-desktop icons.
  virtual bool showIcons(bool barMode) { (void)barMode; return false; }
  virtual void hideIcons() {}
  // Icons the utility owns (Deve Revazoz per desktop), for dispatch and status.
  [[nodiscard]] virtual std::vector<CTrayIcon*> ownIcons() { return {}; }
  // Called when the session ends and may be refused (false refuses).
  [[nodiscard]] virtual bool queryEndSession() { return true; }

  // Facts the shell's menus and hover texts show.
  [[nodiscard]] virtual bool panelVisible() const { return false; }      // Vada VU
  [[nodiscard]] virtual bool shutdownBlocked() const { return false; }   // Dade Rive
  // Dade Rive: runs exit actions 1 … 7 with every step itself (its own
  // saves included), so the shell does not save ahead of it.
  [[nodiscard]] virtual bool runsExitActions() const { return false; }
  [[nodiscard]] virtual std::string iconText() const { return {}; }      // Zivi Duvaza
  [[nodiscard]] virtual DialUpFacts dialUp() const { return {}; }        // Dedo Vuv
  [[nodiscard]] virtual std::vector<NoteItem> notes() const { return {}; }  // Duvu Zevad
  [[nodiscard]] virtual std::vector<DesktopItem> desktops() const { return {}; }  // Deve Revazoz
  // What the user sees of the utility, for `zelvorctl status`: one record
  // of fields per line, the first naming the kind of line (the report
  // writes each field through StatusField).
  [[nodiscard]] virtual std::vector<std::vector<std::string>> statusRecords() const { return {}; }
};

// A field of a status line: a tab, line break or backslash inside it is
// written as \t, \n, \r or \\ so that each record stays one line.
[[nodiscard]] std::string StatusField(const std::string& text);

// A modeless window of the shell's directory (see ModelessWindow for the
// pattern every one follows).
class ShellWindow {
 public:
  virtual ~ShellWindow() = default;
  // Creates the window when it does not exist and shows it with the zoom.
  virtual void open() = 0;
  [[nodiscard]] virtual bool isVisible() const { return false; }
  // Automatic shutdown: whether a trigger is armed, and the remaining time in words.
  [[nodiscard]] virtual bool armed() const { return false; }
  [[nodiscard]] virtual std::string remainingText() const { return {}; }
  // Update window: the unattended run of "/a", and the silent check after a
  // new connection.
  virtual void runUnattended() {}
  virtual void checkSilently() {}
};

// Builds the objects the shell asks for; nullptr when that component does
// not exist (yet).
class UtilityFactory {
 public:
  virtual ~UtilityFactory() = default;
  [[nodiscard]] virtual std::unique_ptr<Utility> createUtility(UtilityKind kind, CZelvorApp& app) = 0;
  [[nodiscard]] virtual std::unique_ptr<ShellWindow> createWindow(WindowKind kind, CZelvorApp& app) = 0;
};

}  // namespace zelvor
