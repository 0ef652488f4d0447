#pragma once
// The traffic meter's settings (DedoVuv\TrafficMeter) and the alert limits
// (DedoVuv\TrafficAlerts).

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui_types.h"
#include "shell/store/config_store.h"

namespace zelvor::traffic {

inline constexpr std::string_view kMeterKey = "DedoVuv\\TrafficMeter";
inline constexpr std::string_view kAlertsKey = "DedoVuv\\TrafficAlerts";

struct MeterSettings {
  Rect placement{0, 0, 232, 140};  // left, top, right = left + width, bottom = top + height
  int maxSpeed = 3;                // KB/s
  int connectionType = 0;
  int connectionSpeed = 0;         // bits per second; 0: the graph adapts
  int networkIf = 0;               // 0: all interfaces but the loopback
  bool hideOnIdle = false;
  double hideOnIdleMax = 0.0;      // KB/s
  bool showOnInit = false;
  int verticalGridLines = 0;       // 0..4
  Colour background = 0x00400000;
  Colour gridLines = 0x00FFC0C0;
  Colour download = 0x000000FF;
  Colour upload = 0x0000FFFF;
  bool barsInIcon = true;
  int semitransparent = 0;         // n ≥ 1: opacity n × 10 %
};

struct AlertLimit {
  bool on = false;
  int limit = 0;  // KB/s
  // In force when both the flag and the limit are non-zero.
  [[nodiscard]] bool inForce() const { return on && limit != 0; }
};

struct AlertSettings {
  AlertLimit downloadBelow, downloadAbove, uploadBelow, uploadAbove;
  std::string soundFile;
  bool repeatSound = false;
};

[[nodiscard]] MeterSettings LoadMeterSettings(const ConfigStore& store);
void SavePlacement(ConfigStore& store, const Rect& placement);
[[nodiscard]] AlertSettings LoadAlertSettings(const ConfigStore& store);
void SaveAlertSettings(ConfigStore& store, const AlertSettings& alerts);

}  // namespace zelvor::traffic
