// The traffic meter's cost while it samples, against reading the kernel's
// interface counters alone: one tick of the meter (counters read every
// other tick, speeds, texts, alerts, icon bars) and one draw of its graph
// with 120 points, on this machine's /sys/class/net. The meter ticks once a
// second, so its time per tick over one second is its share of a core.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/wall_ratio_reporter.h"
#include "net/traffic/traffic_graph.h"
#include "net/traffic/traffic_meter.h"
#include "platform/linux/sysfs_net_counters.h"
#include "platform/posix/posix_files.h"
#include "platform/sim/sim_platform.h"
#include "shell/store/config_store.h"
#include "shell/store/install_defaults.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

class QuietOutside : public traffic::MeterOutside {
 public:
  void SetWindowVisible(bool) override {}
  bool WindowVisible() override { return true; }
  void Changed() override {}
  void ShowAlert(const std::string&) override {}
  void CloseAlert() override {}
  void SetIconBars(int d, int u) override { benchmark::DoNotOptimize(d + u); }
  void SetPlainIcon() override {}
};

// Draws nothing and costs little, so the graph's own work is what is timed.
class CountingCanvas : public Canvas {
 public:
  void fillRect(const Rect&, Colour) override { ++calls; }
  void frameRect(const Rect&, Colour) override { ++calls; }
  void line(Point, Point, Colour) override { ++calls; }
  void text(const Rect&, const std::string&, Colour, const Font&, Align, bool) override { ++calls; }
  void image(Point, const ImageRef&) override { ++calls; }
  Size textSize(const std::string&, const Font&) override { return {}; }
  long calls = 0;
};

struct World {
  testing::Sandbox sandbox;
  SimPlatform sim{sandbox.root()};
  ConfigStore store{sim.registry, sim.folders, sim.files};
  SysfsNetCounters counters;
  QuietOutside outside;
  World() { (void)InstallDefaults(store, {}); }
};

void BM_ReadCounters(benchmark::State& state) {
  SysfsNetCounters counters;
  for (auto _ : state) benchmark::DoNotOptimize(counters.read());
}

void BM_MeterTick(benchmark::State& state) {
  World w;
  traffic::TrafficMeter meter(w.store, w.counters, w.outside);
  meter.LoadSettings(true);
  for (auto _ : state) meter.Tick();
  benchmark::DoNotOptimize(meter.DownloadText());
}

void BM_MeterTickAndGraph(benchmark::State& state) {
  World w;
  traffic::TrafficMeter meter(w.store, w.counters, w.outside);
  meter.LoadSettings(true);
  for (int i = 0; i < traffic::kGraphPoints; ++i) meter.Tick();
  CountingCanvas canvas;
  traffic::GraphLook look;
  look.verticalLines = 11;
  for (auto _ : state) {
    meter.Tick();
    traffic::PaintTrafficGraph(canvas, {228, 100}, look, meter.Points(), meter.CurrentScale().max);
  }
  benchmark::DoNotOptimize(canvas.calls);
}

BENCHMARK(BM_ReadCounters)->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK(BM_MeterTick)->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK(BM_MeterTickAndGraph)->Unit(benchmark::kMillisecond)->MinTime(1);

}  // namespace
}  // namespace zelvor

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  zelvor::bench::WallRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("one meter tick / one read of the counters", "BM_MeterTick/min_time:1.000",
                      "BM_ReadCounters/min_time:1.000");
  reporter.printRatio("one tick and graph / one read of the counters", "BM_MeterTickAndGraph/min_time:1.000",
                      "BM_ReadCounters/min_time:1.000");
  const double tickMs = reporter.timeOf("BM_MeterTickAndGraph/min_time:1.000");
  if (tickMs > 0) {
    // One tick a second: its share of one core, in per cent, is ms per tick ÷ 1000 ms × 100.
    std::printf("%-58s %7.4f %%  (limit 0.5 %%)\n", "meter's share of one core at one tick a second", tickMs / 10.0);
  }
  benchmark::Shutdown();
  return 0;
}
