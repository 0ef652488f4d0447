#include "net/traffic/traffic_meter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zelvor::traffic {

Scale ScaleOf(int connectionSpeed, int maxSpeed) {
  Scale s;
  if (connectionSpeed > 0) {
    s.max = std::max(connectionSpeed / 8192, 1);
    s.adaptive = false;
    s.connectionSpeed = connectionSpeed;
    return s;
  }
  s.max = maxSpeed <= 0 ? 1 : maxSpeed;
  s.adaptive = true;
  s.connectionSpeed = s.max * 8192;
  return s;
}

int BarLength(double speed, int max) {
  if (max <= 0 || !(speed > 0)) return speed > 0 ? 14 : 0;
  const double length = speed * 14.0 / max + 0.4;
  if (length >= 14.0) return 14;
  return static_cast<int>(length);
}

std::string SpeedText(double speedKBs, double totalKB) {
  char text[96];
  std::snprintf(text, sizeof text, "%.1f KB/s - %.2f MB", speedKBs, totalKB / 1024.0);
  return text;
}

AlertCheck CheckAlerts(const AlertSettings& a, double download, double upload) {
  AlertCheck check;
  const auto add = [&](const AlertLimit& l, bool passed, int bit, const char* format) {
    if (!l.inForce() || !passed) return;
    char line[96];
    std::snprintf(line, sizeof line, format, l.limit);
    check.text += line;
    check.bits |= bit;
  };
  add(a.downloadBelow, download < a.downloadBelow.limit, alert_bit::DownloadBelow,
      "La velocidad de descarga es inferior a %d KB/s\n");
  add(a.downloadAbove, download > a.downloadAbove.limit, alert_bit::DownloadAbove,
      "La velocidad de descarga es superior a %d KB/s\n");
  add(a.uploadBelow, upload < a.uploadBelow.limit, alert_bit::UploadBelow,
      "La velocidad de subida es inferior a %d KB/s\n");
  add(a.uploadAbove, upload > a.uploadAbove.limit, alert_bit::UploadAbove,
      "La velocidad de subida es superior a %d KB/s\n");
  return check;
}

TrafficMeter::TrafficMeter(ConfigStore& store, NetCounters& counters, MeterOutside& outside)
    : store_(store), info_(counters), outside_(outside) {}

void TrafficMeter::LoadSettings(bool first) {
  settings_ = LoadMeterSettings(store_);
  alerts_ = LoadAlertSettings(store_);
  scale_ = ScaleOf(settings_.connectionSpeed, settings_.maxSpeed);
  if (first) {
    selected_ = settings_.networkIf;
    userShown_ = settings_.showOnInit;
  }
  // Alerts still in force are announced again at the next tick.
  activeAlerts_ = 0;
  if (settings_.barsInIcon) {
    IconBars(true);
  } else {
    bars_ = {-1, -1};
    outside_.SetPlainIcon();
  }
}

TrafficMeter::Totals TrafficMeter::ReadTotals() const {
  if (selected_ == 0) return {info_.TotalReceivedKB(true), info_.TotalSentKB(true)};
  const auto row = info_.RowOfIndex(selected_);
  if (!row) return {};
  return {info_.ReceivedKB(*row), info_.SentKB(*row)};
}

void TrafficMeter::Tick() {
  if (!info_.Available()) return;
  ++ticks_;
  if (measured_ != selected_ || prevReceived_ < 0 || prevSent_ < 0) {
    (void)info_.Refresh();
    totals_ = ReadTotals();
    prevReceived_ = totals_.received;
    prevSent_ = totals_.sent;
    measured_ = selected_;
  }
  if (ticks_ % 2 == 0) Sample();
  points_.emplace_back(upload_, download_);
  while (points_.size() > static_cast<std::size_t>(kGraphPoints)) points_.pop_front();
  downloadText_ = SpeedText(download_, totals_.received);
  uploadText_ = SpeedText(upload_, totals_.sent);
  Alerts();
  if (settings_.barsInIcon) IconBars(false);
  outside_.Changed();
}

void TrafficMeter::Sample() {
  (void)info_.Refresh();
  totals_ = ReadTotals();
  // Counters that went down (an interface went away, or came back from
  // zero) say nothing about the traffic of this interval: it reads as none,
  // not as a negative speed.
  download_ = std::max(0.0, (totals_.received - prevReceived_) * 0.5);
  upload_ = std::max(0.0, (totals_.sent - prevSent_) * 0.5);
  prevReceived_ = totals_.received;
  prevSent_ = totals_.sent;
  if (scale_.adaptive) {
    const int before = scale_.max;
    Adapt(download_);
    Adapt(upload_);
    if (scale_.max != before) {
      scale_.connectionSpeed = scale_.max * 8192;
      store_.WriteConfigInt(kMeterKey, "MaxSpeed", scale_.max);
    }
  }
  HideOnIdle();
}

void TrafficMeter::Adapt(double speed) {
  const double whole = std::floor(speed);
  if (whole > scale_.max && whole < 2e9) scale_.max = static_cast<int>(whole) + 1;
}

void TrafficMeter::HideOnIdle() {
  if (!userShown_ || !settings_.hideOnIdle) return;
  const double limit = settings_.hideOnIdleMax;
  const bool visible = outside_.WindowVisible();
  if (visible && download_ <= limit && upload_ <= limit) {
    outside_.SetWindowVisible(false);
  } else if (!visible && (download_ > limit || upload_ > limit)) {
    outside_.SetWindowVisible(true);
  }
}

void TrafficMeter::Alerts() {
  AlertCheck check = CheckAlerts(alerts_, download_, upload_);
  if (check.text.empty()) {
    // Also after a settings load forgot the set: a notice still shown goes.
    outside_.CloseAlert();
    activeAlerts_ = 0;
    return;
  }
  if (check.bits == activeAlerts_) return;
  check.text.pop_back();
  activeAlerts_ = check.bits;
  outside_.ShowAlert(check.text);
}

void TrafficMeter::IconBars(bool force) {
  const std::pair<int, int> lengths = force ? std::pair<int, int>{0, 0}
                                            : std::pair<int, int>{BarLength(download_, scale_.max),
                                                                  BarLength(upload_, scale_.max)};
  if (!force && lengths == bars_) return;
  bars_ = lengths;
  outside_.SetIconBars(lengths.first, lengths.second);
}

}  // namespace zelvor::traffic
