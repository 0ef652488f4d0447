#pragma once
// The notification area as a test sees it: the icons with their images and
// tips, and a mouse to click them with.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/tray_host.h"

namespace zelvor {

class SimTray : public TrayHost {
 public:
  explicit SimTray(EventLoop& loop) : loop_(loop) {}

  struct Icon {
    ImageRef image;
    std::string tip;
  };

  bool available() override { return present; }
  void setCallbackTarget(WindowHandle target) override { target_ = target; }
  bool add(int iconId, const ImageRef& image, const std::string& tip) override;
  bool modify(int iconId, const ImageRef& image, const std::string& tip) override;
  void remove(int iconId) override;
  Rect area() override { return areaRect; }

  // Posts what the desktop reports for a mouse event on the icon (one of
  // the msg:: mouse messages). False when no such icon is shown.
  bool mouse(int iconId, std::uint32_t mouseMessage);
  [[nodiscard]] bool has(int iconId) const { return icons_.contains(iconId); }
  [[nodiscard]] const Icon* icon(int iconId) const;
  [[nodiscard]] const std::map<int, Icon>& icons() const { return icons_; }
  [[nodiscard]] std::vector<int> ids() const;

  bool present = true;
  Rect areaRect{1700, 1040, 1900, 1080};
  std::vector<std::string> log;  // "add 3", "modify 3", "remove 3"

 private:
  EventLoop& loop_;
  WindowHandle target_ = kNoWindow;
  std::map<int, Icon> icons_;
};

}  // namespace zelvor
