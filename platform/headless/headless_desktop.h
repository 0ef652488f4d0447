#pragma once
// The headless desktop: the suite runs resident without a display. The
// loop is real; the tray keeps its icons (zelvorctl status lists them),
// menus are recorded as open, message boxes are printed on stderr and
// answered with the choice that changes nothing, windows are kept as
// models, hotkeys cannot be grabbed (zelvorctl command stands in for them),
// and sounds are not played.

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/clipboard.h"
#include "platform/dialer.h"
#include "platform/power.h"
#include "platform/dialog_host.h"
#include "platform/event_loop.h"
#include "platform/headless/headless_loop.h"
#include "platform/hotkeys.h"
#include "platform/menu_host.h"
#include "platform/printer.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "platform/tray_host.h"

namespace zelvor {

class HeadlessTray : public TrayHost {
 public:
  explicit HeadlessTray(std::FILE* log) : log_(log) {}
  bool available() override { return true; }
  void setCallbackTarget(WindowHandle) override {}
  bool add(int iconId, const ImageRef& image, const std::string& tip) override;
  bool modify(int iconId, const ImageRef& image, const std::string& tip) override;
  void remove(int iconId) override;
  Rect area() override { return {}; }
  [[nodiscard]] std::size_t count() const { return icons_.size(); }

 private:
  std::FILE* log_;  // nullptr: quiet
  std::map<int, std::string> icons_;
};

class HeadlessMenus : public MenuHost {
 public:
  explicit HeadlessMenus(EventLoop& loop) : loop_(loop) {}
  void popup(const Menu& menu, Point at, MenuStyle style, WindowHandle owner) override;
  void close() override;
  bool isOpen() override { return owner_ != kNoWindow; }

 private:
  EventLoop& loop_;
  WindowHandle owner_ = kNoWindow;
};

class HeadlessMessageBoxes : public MessageBoxes {
 public:
  MsgAnswer show(const MessageBoxRequest& request) override;
};

class HeadlessDialogs : public DialogHost {
 public:
  WindowHandle create(WindowModel& model) override;
  void destroy(WindowHandle window) override { windows_.erase(window); }
  void show(WindowHandle window) override { setVisible(window, true); }
  void hide(WindowHandle window) override { setVisible(window, false); }
  bool isVisible(WindowHandle window) override;
  void activate(WindowHandle) override {}
  void setEnabled(WindowHandle, bool) override {}
  void update(WindowHandle) override {}
  void repaint(WindowHandle) override {}
  Rect geometry(WindowHandle window) override;
  void editAction(WindowHandle, int, EditAction) override {}
  EditState editState(WindowHandle, int) override { return {}; }
  int textHeight(WindowHandle, int) override { return 0; }
  int runModal(WindowModel& model) override;
  void endModal(WindowModel&, int) override {}
  void zoom(const Rect&, const Rect&) override {}
  void showAnimated(WindowHandle window, Animation, bool, bool) override { show(window); }
  void hideAnimated(WindowHandle window, Animation, bool, bool) override { hide(window); }
  bool canUseOpacity() override { return false; }
  std::vector<std::string> chooseFiles(const FileDialog&) override { return {}; }
  std::string chooseFolder(const std::string&) override { return {}; }
  bool chooseColour(Colour&) override { return false; }
  bool chooseFont(Canvas::Font&, Colour&) override { return false; }

 private:
  void setVisible(WindowHandle window, bool visible);
  struct Kept {
    WindowModel* model;
    bool visible;
  };
  std::map<WindowHandle, Kept> windows_;
  WindowHandle next_ = 1;
};

class HeadlessScreen : public Screen {
 public:
  Point cursor() override { return {0, 0}; }
  Rect workArea() override { return {0, 0, 1024, 768}; }
  Size size() override { return {1024, 768}; }
  // No display: nothing to tell.
  int colourDepth() override { return 0; }
  int refreshRate() override { return 0; }
};

// Sound counts as there, so that Vada VU stays enabled, but nothing plays.
class HeadlessSound : public Sound {
 public:
  bool play(const std::string&, bool) override { return true; }
  void stop() override {}
  bool available() override { return true; }
};

class HeadlessHotkeys : public Hotkeys {
 public:
  bool registerHotkey(WindowHandle, int, std::uint32_t, std::uint32_t) override { return false; }
  void unregisterHotkey(WindowHandle, int) override {}
  bool canGrab() const override { return false; }
};

// Without a display there is no other program to share a clipboard with:
// it holds what the suite itself put there.
class HeadlessClipboard : public Clipboard {
 public:
  explicit HeadlessClipboard(EventLoop& loop) : loop_(loop) {}
  void watch(WindowHandle target) override { target_ = target; }
  ClipboardRead read() override { return {ClipboardRead::Status::Read, content_}; }
  bool write(const ClipboardContent& content, ChangeReport report) override {
    content_ = content;
    if (report == ChangeReport::Report && target_ != kNoWindow) loop_.post(target_, msg::ClipboardChanged, 0, 1);
    return true;
  }
  PasteResult pasteIntoActiveWindow() override { return PasteResult::Unavailable; }
  std::string formatName(std::uint32_t) override { return {}; }

 private:
  EventLoop& loop_;
  WindowHandle target_ = kNoWindow;
  ClipboardContent content_;
};

// Without a display there is no printer dialog to ask: every print is
// cancelled, as when the user closes that dialog.
class HeadlessPrinter : public Printer {
 public:
  std::unique_ptr<PrintJob> begin(const std::string&) override { return nullptr; }
  std::unique_ptr<PrintJob> beginPdf(const std::string&, const std::string&) override { return nullptr; }
};

// Without the desktop there is no Qt loop for NetworkManager's answers, so
// dial-up connections are not offered.
class HeadlessDialer : public Dialer {
 public:
  bool available() override { return false; }
  std::string missingServiceText() override {
    return "Dedo Vuv necesita NetworkManager, que Zelvor solo consulta cuando se ejecuta en el escritorio (sin "
           "--headless).";
  }
  std::vector<std::string> entries() override { return {}; }
  std::vector<std::string> modems() override { return {}; }
  std::vector<ConnectionHandle> connections() override { return {}; }
  std::optional<ConnectionStatus> status(ConnectionHandle) override { return std::nullopt; }
  DialParams dialParams(const std::string&) override { return {}; }
  bool setDialParams(const std::string&, const DialParams&, bool) override { return false; }
  DialStart dial(const std::string&, const DialParams&, WindowHandle) override { return {}; }
  int hangUp(ConnectionHandle) override { return 0; }
  std::string errorText(int) override { return ""; }
  EditorOutcome newEntry() override { return EditorOutcome::NoEditor; }
  EditorOutcome editEntry(const std::string&) override { return EditorOutcome::NoEditor; }
  EditorOutcome openEntriesFolder() override { return EditorOutcome::NoEditor; }
};

// Without the desktop the suite does not ask the system's service manager
// (its answers and the password agent need the desktop's loop).
class HeadlessServiceManager : public ServiceManager {
 public:
  bool available() override { return false; }
  std::vector<ServiceRecord> services() override { return {}; }
  std::optional<int> state(const std::string&) override { return std::nullopt; }
  ServiceResult start(const std::string&) override { return refused(); }
  ServiceResult stop(const std::string&) override { return refused(); }
  ServiceResult pause(const std::string&) override { return refused(); }
  ServiceResult resume(const std::string&) override { return refused(); }
  ServiceResult setStartType(const std::string&, int) override { return refused(); }
  ServiceResult remove(const std::string&) override { return refused(); }

 private:
  static ServiceResult refused() { return {false, "Los servicios solo se controlan en el escritorio (sin --headless)."}; }
};

class HeadlessDesktop {
 public:
  // log: where the tray reports what it shows (nullptr: nowhere).
  [[nodiscard]] static std::unique_ptr<HeadlessDesktop> create(std::FILE* log, std::string& error);

  [[nodiscard]] Desktop desktop() {
    return Desktop{*loop_, tray_,    menus_,     boxes_,  dialogs_, screen_,
                   sound_, hotkeys_, clipboard_, dialer_, printer_,
                   power_, services_};
  }
  [[nodiscard]] HeadlessLoop& loop() { return *loop_; }

 private:
  HeadlessDesktop(std::unique_ptr<HeadlessLoop> loop, std::FILE* log)
      : loop_(std::move(loop)), tray_(log), menus_(*loop_), clipboard_(*loop_) {}
  std::unique_ptr<HeadlessLoop> loop_;
  HeadlessTray tray_;
  HeadlessMenus menus_;
  HeadlessMessageBoxes boxes_;
  HeadlessDialogs dialogs_;
  HeadlessScreen screen_;
  HeadlessSound sound_;
  HeadlessHotkeys hotkeys_;
  HeadlessClipboard clipboard_;
  HeadlessDialer dialer_;
  // Without the desktop's loop logind's answers and signals cannot arrive.
  UnavailablePower power_{"Zelvor solo puede apagar o bloquear el sistema cuando se ejecuta en el escritorio (sin --headless)."};
  HeadlessPrinter printer_;
  HeadlessServiceManager services_;
};

}  // namespace zelvor
