// The traffic meter's sampling on counters a test sets: the speeds and
// texts, the scale, hide-on-idle, the alerts announced once per set, the
// icon bars and the graph's grid.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "net/traffic/icon_bars.h"
#include "net/traffic/traffic_graph.h"
#include "net/traffic/traffic_meter.h"
#include "platform/sim/sim_net_counters.h"
#include "shell/graph_grid.h"
#include "shell/store/reg_key_ex.h"
#include "tests/net/diary_sandbox.h"

namespace zelvor::traffic {
namespace {

using Events = std::vector<std::string>;

class RecordingMeterOutside : public MeterOutside {
 public:
  void SetWindowVisible(bool v) override {
    visible = v;
    events.push_back(v ? "show window" : "hide window");
  }
  bool WindowVisible() override { return visible; }
  void Changed() override { ++changes; }
  void ShowAlert(const std::string& text) override {
    alertShown = true;
    events.push_back("alert " + text);
  }
  void CloseAlert() override {
    // As the notice does: only a notice that is up can close.
    if (alertShown) events.push_back("close alert");
    alertShown = false;
  }
  void SetIconBars(int d, int u) override { events.push_back("bars " + std::to_string(d) + " " + std::to_string(u)); }
  void SetPlainIcon() override { events.push_back("plain icon"); }

  bool visible = false;
  bool alertShown = false;
  int changes = 0;
  Events events;
};

class TrafficMeterTest : public testing::DiarySandbox {
 protected:
  TrafficMeterTest() {
    counters.table = {{1, "lo", true, 0, 0}, {2, "eth0", false, 0, 0}, {3, "ppp0", false, 0, 0}};
  }
  TrafficMeter& meter() {
    if (!meter_) {
      meter_ = std::make_unique<TrafficMeter>(store, counters, outside);
      meter_->LoadSettings(true);
      outside.events.clear();
    }
    return *meter_;
  }
  NetInterface& row(const std::string& name) {
    for (NetInterface& i : counters.table) {
      if (i.name == name) return i;
    }
    throw std::logic_error(name);
  }
  void meterSetting(std::string_view name, std::string_view value) { store.WriteConfigString(kMeterKey, name, value); }
  void alert(std::string_view flag, std::string_view limit, std::uint32_t value) {
    CRegKeyEx key(store.registry());
    ASSERT_EQ(key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kAlertsKey)), RegStatus::Ok);
    key.SetDword(flag, 1);
    key.SetDword(limit, value);
  }
  // Two ticks with the download at this speed (KB/s) on eth0 in between
  // the samples: the meter samples every second tick.
  void twoSecondsAt(double downloadKBs, double uploadKBs = 0) {
    row("eth0").receivedBytes += static_cast<std::uint64_t>(downloadKBs * 2 * 1024);
    row("eth0").sentBytes += static_cast<std::uint64_t>(uploadKBs * 2 * 1024);
    meter().Tick();
    meter().Tick();
  }

  SimNetCounters counters;
  RecordingMeterOutside outside;
  std::unique_ptr<TrafficMeter> meter_;
};

TEST_F(TrafficMeterTest, TextsCountEveryInterfaceButTheLoopbackOrTheChosenOne) {
  meter().Tick();  // the totals so far are the base
  row("lo").receivedBytes += 1'000'000;
  row("eth0").receivedBytes += 4096;
  row("ppp0").receivedBytes += 2048;
  row("ppp0").sentBytes += 3 * 1024 * 1024;
  meter().Tick();
  EXPECT_EQ(meter().DownloadText(), "3.0 KB/s - 0.01 MB");
  EXPECT_EQ(meter().UploadText(), "1536.0 KB/s - 3.00 MB");

  meter().SelectInterface(3);  // ppp0 alone from now on
  meter().Tick();
  row("eth0").receivedBytes += 8192;
  row("ppp0").receivedBytes += 1024;
  meter().Tick();
  EXPECT_EQ(meter().DownloadText(), "0.5 KB/s - 0.00 MB");
  EXPECT_EQ(meter().Points().size(), 4u) << "one point per tick";
}

TEST_F(TrafficMeterTest, FallingCountersReadAsNoTrafficNotANegativeSpeed) {
  row("eth0").receivedBytes = 50'000;
  meter().Tick();
  counters.table.erase(counters.table.begin() + 1);  // eth0 went away
  meter().Tick();
  EXPECT_EQ(meter().Download(), 0.0);
  EXPECT_EQ(meter().DownloadText(), "0.0 KB/s - 0.00 MB");
}

TEST_F(TrafficMeterTest, TheAdaptiveScaleRisesToTheWholeSpeedPlusOneAndIsStored) {
  struct Case {
    std::string connectionSpeed, maxSpeed;
    double download;
    int max;
    std::string stored;
  };
  const Case cases[] = {
      {"0", "3", 10.4, 11, "11"},     // raised
      {"0", "3", 2.9, 3, "3"},        // room enough
      {"0", "0", 0.5, 1, "0"},        // a missing maximum reads as 1
      {"81920", "3", 50.0, 10, "3"},  // fixed at 81920 ÷ 8192
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.connectionSpeed + " " + c.maxSpeed + " at " + std::to_string(c.download));
    meterSetting("ConnectionSpeed", c.connectionSpeed);
    meterSetting("MaxSpeed", c.maxSpeed);
    meter_.reset();
    meter().Tick();
    twoSecondsAt(c.download);
    EXPECT_EQ(meter().CurrentScale().max, c.max);
    EXPECT_EQ(store.ReadConfigString(kMeterKey, "MaxSpeed"), c.stored);
  }
}

TEST_F(TrafficMeterTest, AlertsAreAnnouncedOncePerSetAndCloseWhenNoneIsInForce) {
  struct Case {
    bool upperToo;
    std::vector<double> speeds;
    Events events;
  };
  const std::string below = "alert La velocidad de descarga es inferior a 5 KB/s";
  const std::string above = "alert La velocidad de descarga es superior a 5 KB/s";
  const Case cases[] = {
      {true, {4, 6, 6, 4, 4, 6}, {below, above, below, above}},
      {false, {4, 6, 6, 4}, {below, "close alert", below}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.upperToo ? "both limits" : "lower limit only");
    (void)store.registry().deleteKey(Hive::CurrentUser, ConfigStore::KeyPath(kAlertsKey));
    alert("AlertaBajadaInferior", "BajadaInferior", 5);
    if (c.upperToo) alert("AlertaBajadaSuperior", "BajadaSuperior", 5);
    meter_.reset();
    outside.alertShown = false;
    meter().SetUserShown(false);
    meter().Tick();
    meter().Tick();  // the first sample: no traffic, below 5
    outside.events.clear();
    for (double s : c.speeds) twoSecondsAt(s);
    Events alerts;
    for (const std::string& e : outside.events) {
      if (e.find("alert") != std::string::npos) alerts.push_back(e);
    }
    // The first 4 KB/s continues the alert of the idle start.
    Events expected(c.events.begin() + 1, c.events.end());
    EXPECT_EQ(alerts, expected);
  }
}

TEST_F(TrafficMeterTest, ABoundOfZeroOrAnUnsetFlagIsNotInForce) {
  AlertSettings a;
  a.downloadBelow = {true, 0};
  a.downloadAbove = {false, 5};
  a.uploadAbove = {true, 1};
  const AlertCheck check = CheckAlerts(a, 100, 2);
  EXPECT_EQ(check.bits, alert_bit::UploadAbove);
  EXPECT_EQ(check.text, "La velocidad de subida es superior a 1 KB/s\n");
}

TEST_F(TrafficMeterTest, HideOnIdleHidesWithoutTrafficAndShowsAtTheFirstByte) {
  meterSetting("HideOnIdle", "1");
  meterSetting("HideOnIdleMax", "0.0");
  meterSetting("MostrarGraficoEnIcono", "0");
  meter().SetUserShown(true);
  outside.visible = true;
  meter().Tick();
  twoSecondsAt(0);
  EXPECT_FALSE(outside.visible);
  row("eth0").receivedBytes += 1;
  meter().Tick();
  meter().Tick();
  EXPECT_TRUE(outside.visible);
  EXPECT_EQ(outside.events, (Events{"hide window", "show window"}));

  // A window the user hid stays hidden whatever the traffic.
  meter().SetUserShown(false);
  outside.visible = false;
  twoSecondsAt(50);
  EXPECT_FALSE(outside.visible);
}

TEST_F(TrafficMeterTest, IconBarsFollowTheSpeedsAndAreRedrawnOnlyWhenALengthChanges) {
  meter().Tick();
  twoSecondsAt(1.5, 0);  // M = 3: half of it draws 7 pixels
  twoSecondsAt(1.5, 0);
  twoSecondsAt(3, 0.1);
  EXPECT_EQ(outside.events, (Events{"bars 7 0", "bars 14 0"}));

  meterSetting("MostrarGraficoEnIcono", "0");
  meter().LoadSettings(false);
  twoSecondsAt(3);
  EXPECT_EQ(outside.events.back(), "plain icon");
}

TEST(IconBarsTest, LengthsAreCutAndBoundedToTheIcon) {
  struct Case {
    double speed;
    int max;
    int length;
  };
  const Case cases[] = {{1.5, 3, 7}, {0, 3, 0}, {3, 3, 14}, {30, 3, 14}, {0.05, 3, 0}, {0.08, 3, 0}, {0.1, 3, 0},
                        {0.13, 3, 1}, {-2, 3, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.speed);
    EXPECT_EQ(BarLength(c.speed, c.max), c.length);
  }
}

TEST(IconBarsTest, RampsColourEachColumnAndFlatBarsUseOneColour) {
  const auto ramp = DrawIconBars(7, 3, BarStyle::Ramp);
  const auto at = [](const Bitmap& b, int x, int y) { return b.pixels[static_cast<std::size_t>(y * 16 + x)]; };
  EXPECT_EQ(at(*ramp, 1, 8), 0xFFBA3C00u);   // (186, 60, 0)
  EXPECT_EQ(at(*ramp, 3, 10), 0xFFD94600u);  // (217, 70, 0)
  EXPECT_EQ(at(*ramp, 7, 9), 0xFFFF6D4Cu);   // pixel 7: (255, 109, 76)
  EXPECT_EQ(at(*ramp, 8, 9), 0u);
  EXPECT_EQ(at(*ramp, 0, 9), 0u);
  EXPECT_EQ(at(*ramp, 2, 12), 0xFF3CB000u);  // (60, 176, 0)
  EXPECT_EQ(at(*ramp, 4, 14), 0u);
  EXPECT_EQ(at(*ramp, 1, 11), 0u);  // the row between the bars
  const auto flat = DrawIconBars(14, 14, BarStyle::Flat);
  EXPECT_EQ(at(*flat, 14, 10), 0xFFFF0000u);
  EXPECT_EQ(at(*flat, 14, 13), 0xFF00FF00u);
  EXPECT_EQ(BarStyleFor(0, 8), BarStyle::Ramp);
  EXPECT_EQ(BarStyleFor(0, 5), BarStyle::Flat);
  EXPECT_EQ(BarStyleFor(1, 5), BarStyle::Ramp);
}

// Records the single pixels of the dotted lines.
class DotCanvas : public Canvas {
 public:
  void fillRect(const Rect& r, Colour c) override {
    if (r.right - r.left == 1 && r.bottom - r.top == 1 && c == grid) dots.insert({r.left, r.top});
  }
  void frameRect(const Rect&, Colour) override {}
  void line(Point, Point, Colour) override {}
  void text(const Rect&, const std::string&, Colour, const Font&, Align, bool) override {}
  void image(Point, const ImageRef&) override {}
  Size textSize(const std::string&, const Font&) override { return {}; }
  Colour grid = 0x00FFC0C0;
  std::set<std::pair<int, int>> dots;
};

TEST(TrafficGraphTest, VerticalGridLinesDivideTheWidthEvenly) {
  struct Case {
    int setting;
    int lines;
  };
  const Case cases[] = {{0, 0}, {1, 11}, {2, 5}, {3, 3}, {4, 1}};
  const Size size{232, 100};
  const Rect plot = PlotArea(size);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting);
    DotCanvas canvas;
    GraphLook look;
    look.verticalLines = VerticalGridLineCount(c.setting);
    PaintTrafficGraph(canvas, size, look, {}, 3);
    // The three horizontal lines put at most three dots in any column; a
    // vertical line puts one every fourth pixel down the plot.
    std::map<int, int> perColumn;
    for (const auto& d : canvas.dots) ++perColumn[d.first];
    std::set<int> vertical;
    for (const auto& [x, count] : perColumn) {
      if (count > 3) vertical.insert(x);
    }
    EXPECT_EQ(static_cast<int>(vertical.size()), c.lines);
    if (c.lines == 1) {
      EXPECT_EQ(*vertical.begin(), (plot.left + plot.right) / 2);
    }
  }
}

TEST(TrafficGraphTest, ValuesBeyondTheRangeSitOnItsEdges) {
  const Rect plot{34, 2, 229, 86};
  EXPECT_EQ(RowOfValue(plot, 100, 3), plot.top);
  EXPECT_EQ(RowOfValue(plot, -5, 3), plot.bottom);
  EXPECT_LT(RowOfValue(plot, 0, 3), plot.bottom) << "0 sits 3 % above the bottom";
  EXPECT_GT(RowOfValue(plot, 3, 3), plot.top) << "M sits 3 % below the top";
}

}  // namespace
}  // namespace zelvor::traffic
