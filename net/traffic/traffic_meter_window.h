#pragma once
// CTrafficMeterDlg: the caption-less, always-on-top window of the traffic
// meter. The graph fills its width; under it the download and the upload
// lines, each after a swatch of its colour. The body drags the window; its
// context menu chooses the interface measured.

#include <cstdint>

#include "net/traffic/traffic_meter.h"
#include "platform/dialog_host.h"
#include "platform/event_loop.h"
#include "platform/menu_host.h"
#include "platform/screen.h"

namespace zelvor::traffic {

namespace meter_id {
inline constexpr int Graph = 1;
inline constexpr int DownloadSwatch = 2;
inline constexpr int DownloadText = 3;
inline constexpr int UploadSwatch = 4;
inline constexpr int UploadText = 5;
}  // namespace meter_id

inline constexpr int kAllInterfacesCommand = 1;
inline constexpr int kFirstInterfaceCommand = 100;

class CTrafficMeterDlg final : public WindowModel, public MessageTarget {
 public:
  struct Services {
    DialogHost& host;
    EventLoop& loop;
    MenuHost& menus;
    Screen& screen;
    ConfigStore& store;
  };
  CTrafficMeterDlg(Services services, TrafficMeter& meter);
  ~CTrafficMeterDlg() override;
  CTrafficMeterDlg(const CTrafficMeterDlg&) = delete;
  CTrafficMeterDlg& operator=(const CTrafficMeterDlg&) = delete;

  // Shows the window without taking the focus, or hides it and saves its
  // placement.
  void SetVisible(bool visible);
  [[nodiscard]] bool Visible() const { return visible_; }
  // The meter's settings changed (colours, opacity, placement when first).
  void ApplySettings(bool first);
  // New points and texts.
  void Refresh();
  // The interfaces menu as it opens now: "Todos los adaptadores de red" and
  // one item per interface but the loopback, the measured one checked.
  [[nodiscard]] Menu InterfacesMenu();

  [[nodiscard]] WindowHandle window() const { return window_; }

  void onEvent(const ControlEvent& event) override;
  bool onCloseRequest() override;
  void onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t lparam) override;
  void onTimer(int) override {}

 private:
  void Build();

  Services s_;
  TrafficMeter& meter_;
  WindowHandle window_ = kNoWindow;
  WindowHandle self_ = kNoWindow;
  bool visible_ = false;
};

}  // namespace zelvor::traffic
