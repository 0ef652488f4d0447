#pragma once
// One icon of the suite: in the notification area, or a cell of the icon
// bar. Its title is fixed; the utility sets a text and an image to show its
// state, and can make it blink.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/image.h"
#include "platform/tray_host.h"
#include "shell/blink_worker.h"

namespace zelvor {

inline constexpr std::size_t kMaxTipBytes = 127;

// Title, or title + " - " + text, cut to 127 bytes at a character boundary.
[[nodiscard]] std::string TipText(const std::string& title, const std::string& text);

class CTrayIcon {
 public:
  CTrayIcon(TrayHost& tray, EventLoop& loop, WindowHandle owner);
  ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // iconFile: a file to take the icon from (index imageIndex inside it), or
  // empty to take image imageIndex of the utility strip.
  void Init(int id, std::string title, const std::string& iconFile, int imageIndex, bool separator);
  void Show();
  void Hide();
  void SetText(const std::string& text);
  void SetIconIndex(int index);
  void SetIconHandle(ImageRef image);
  void SetIconFromFile(const std::string& file, int index);
  // Takes an image of another strip (the product strip), keeping no index.
  void SetStripImage(ImageStrip strip, int index);
  void StartBlink();
  void StopBlink();
  // The UI thread's half of blinking: shows the blink or the normal image.
  void ApplyBlinkStep(bool blinkImage);

  // Tooltip style 1 lets the desktop show the tip text; the others do not.
  void SetDesktopTip(bool on);
  // Where the icon lives: the notification area, or the icon bar.
  void SetInTray(bool inTray);

  [[nodiscard]] int id() const { return id_; }
  [[nodiscard]] const std::string& title() const { return title_; }
  [[nodiscard]] const std::string& text() const { return text_; }
  [[nodiscard]] const std::string& tip() const { return tip_; }
  [[nodiscard]] int imageIndex() const { return imageIndex_; }
  [[nodiscard]] const ImageRef& image() const { return image_; }
  [[nodiscard]] bool inTray() const { return inTray_; }
  [[nodiscard]] bool shown() const { return shown_; }
  [[nodiscard]] bool separator() const { return separator_; }
  [[nodiscard]] bool blinking() const { return blink_ != nullptr; }

  // How long each blink image stays; tests shorten it.
  std::chrono::milliseconds blinkInterval{500};

 private:
  void modifyIfShown();
  [[nodiscard]] std::string desktopTip() const { return desktopTip_ ? tip_ : std::string{}; }

  TrayHost& tray_;
  EventLoop& loop_;
  WindowHandle owner_;
  int id_ = 0;
  std::string title_, text_, tip_;
  ImageRef image_;
  int imageIndex_ = -1;
  bool inTray_ = true;
  bool shown_ = false;
  bool added_ = false;  // the notification icon exists (shown once in the tray)
  bool separator_ = false;
  bool desktopTip_ = false;
  bool showingBlink_ = false;
  std::unique_ptr<BlinkWorker> blink_;
  // Stopped workers end on their own; they are joined when the icon goes.
  std::vector<std::unique_ptr<BlinkWorker>> stopped_;
};

}  // namespace zelvor
