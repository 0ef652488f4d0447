#pragma once
// The traffic meter's sampling, without its window: every second it reads
// the interface counters (every other second it works out the speeds), keeps
// the graph's points and the two text lines, adapts the scale, hides and
// shows the window while the traffic is low, raises and clears the alerts
// and sizes the bars of the Dedo Vuv icon.

#include <cstdint>
#include <deque>
#include <string>
#include <utility>

#include "net/traffic/network_info.h"
#include "net/traffic/traffic_settings.h"
#include "shell/store/config_store.h"

namespace zelvor::traffic {

inline constexpr int kGraphPoints = 120;

// Alert bits, in the order their lines appear.
namespace alert_bit {
inline constexpr int DownloadBelow = 1;
inline constexpr int DownloadAbove = 2;
inline constexpr int UploadBelow = 4;
inline constexpr int UploadAbove = 8;
}  // namespace alert_bit

// What the meter asks of its window, the notice and the icon.
class MeterOutside {
 public:
  virtual ~MeterOutside() = default;
  // Hide-on-idle: shows the window without taking the focus, or hides it.
  virtual void SetWindowVisible(bool visible) = 0;
  [[nodiscard]] virtual bool WindowVisible() = 0;
  // New points or texts: the window redraws.
  virtual void Changed() = 0;
  // A new set of alerts (text without the last line feed), or none (empty).
  virtual void ShowAlert(const std::string& text) = 0;
  virtual void CloseAlert() = 0;
  // The icon with bars of these lengths, or the plain picture.
  virtual void SetIconBars(int downloadLength, int uploadLength) = 0;
  virtual void SetPlainIcon() = 0;
};

// The graph maximum and whether it adapts, from the stored settings.
struct Scale {
  int max = 1;           // M, KB/s
  bool adaptive = true;
  int connectionSpeed = 0;  // bits per second, M × 8192 when adaptive
};
[[nodiscard]] Scale ScaleOf(int connectionSpeed, int maxSpeed);

// A bar's length in the 16 × 16 icon: speed × 14 ÷ M + 0.4, cut, 0 … 14.
[[nodiscard]] int BarLength(double speed, int max);

// "%.1f KB/s - %.2f MB".
[[nodiscard]] std::string SpeedText(double speedKBs, double totalKB);

// The alerts in force that these speeds pass: the bit set and its text
// (each line ends with a line feed).
struct AlertCheck {
  int bits = 0;
  std::string text;
};
[[nodiscard]] AlertCheck CheckAlerts(const AlertSettings& alerts, double download, double upload);

class TrafficMeter {
 public:
  TrafficMeter(ConfigStore& store, NetCounters& counters, MeterOutside& outside);

  // Re-reads both keys; first: the start of Dedo Vuv (the window's choice
  // follows ShowOnInit). Forgets the active alerts.
  void LoadSettings(bool first);
  // One tick of the 1-second timer.
  void Tick();

  // Show(on) of the user (menu, mouse action).
  void SetUserShown(bool shown) { userShown_ = shown; }
  [[nodiscard]] bool UserShown() const { return userShown_; }
  [[nodiscard]] bool Available() const { return info_.Available(); }

  // The interface measured for this session (0: all).
  void SelectInterface(int index) { selected_ = index; }
  [[nodiscard]] int SelectedInterface() const { return selected_; }
  [[nodiscard]] CNetworkInfo& Info() { return info_; }

  [[nodiscard]] const std::string& DownloadText() const { return downloadText_; }
  [[nodiscard]] const std::string& UploadText() const { return uploadText_; }
  [[nodiscard]] double Download() const { return download_; }
  [[nodiscard]] double Upload() const { return upload_; }
  [[nodiscard]] const Scale& CurrentScale() const { return scale_; }
  [[nodiscard]] const MeterSettings& Settings() const { return settings_; }
  [[nodiscard]] int ActiveAlerts() const { return activeAlerts_; }
  // The graph's points, oldest first: (upload, download).
  [[nodiscard]] const std::deque<std::pair<double, double>>& Points() const { return points_; }
  [[nodiscard]] std::pair<int, int> Bars() const { return bars_; }

 private:
  struct Totals {
    double received = 0, sent = 0;
  };
  [[nodiscard]] Totals ReadTotals() const;
  void Sample();
  void Adapt(double speed);
  void HideOnIdle();
  void Alerts();
  void IconBars(bool force);

  ConfigStore& store_;
  CNetworkInfo info_;
  MeterOutside& outside_;
  MeterSettings settings_;
  AlertSettings alerts_;
  Scale scale_;
  int selected_ = 0;
  int measured_ = -1;  // the interface the previous totals belong to
  double prevReceived_ = -1, prevSent_ = -1;
  Totals totals_;
  double download_ = 0, upload_ = 0;
  bool userShown_ = false;
  int activeAlerts_ = 0;
  std::uint64_t ticks_ = 0;
  std::deque<std::pair<double, double>> points_;
  std::string downloadText_, uploadText_;
  std::pair<int, int> bars_{-1, -1};
};

}  // namespace zelvor::traffic
