#pragma once
// The usage graph: a small window without a title bar that draws the
// physical memory in use and the processor usage of the last two minutes,
// with the current figures beside it; the same once-a-second sample can
// paint a two-bar miniature into the Zivi Duvaza icon. It samples only
// while the window shows or the miniature is on.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>

#include "platform/event_loop.h"
#include "platform/image.h"
#include "platform/window_model.h"
#include "shell/utility.h"
#include "system/cpu_usage.h"
#include "system/memory_info.h"

namespace zelvor {

class CZelvorApp;

struct GraphSettings {
  Rect rect{0, 0, 232, 140};
  bool iconMiniature = true;
  int verticalLines = 0;  // how many vertical lines the grid has
  Colour background = 0x00400000;
  Colour gridLines = 0x00ffc0c0;
  Colour memory = 0x000000ff;
  Colour cpu = 0x0000ff00;
  int opacity = 100;  // percent
};

// Semitransparent n (1..9) → n × 10 % visible; anything else opaque.
[[nodiscard]] int OpacityOf(int setting);
// The height of an icon bar: value × 12 ÷ 100 + 0.4, truncated, 0..12.
[[nodiscard]] int IconBarHeight(int percent);
// The 16 × 16 miniature: a memory bar at column 4 and a processor bar at
// column 11, each rising from row 13.
[[nodiscard]] Bitmap IconMiniature(int memoryHeight, int cpuHeight);

class CSysInfoGraphDlg final : public ShellWindow, public WindowModel, public MessageTarget {
 public:
  static constexpr int kSamples = 120;

  explicit CSysInfoGraphDlg(CZelvorApp& app);
  ~CSysInfoGraphDlg() override;
  CSysInfoGraphDlg(const CSysInfoGraphDlg&) = delete;
  CSysInfoGraphDlg& operator=(const CSysInfoGraphDlg&) = delete;

  // ShellWindow: open shows it.
  void open() override;
  [[nodiscard]] bool isVisible() const override;
  void ToggleVisible();

  // MessageTarget: the one-second sample.
  void onMessage(std::uint32_t, std::intptr_t, std::intptr_t) override {}
  void onTimer(int timerId) override;
  bool onCloseRequest() override;

  void Sample();
  [[nodiscard]] const std::deque<std::pair<int, int>>& samples() const { return samples_; }
  [[nodiscard]] const GraphSettings& settings() const { return settings_; }
  [[nodiscard]] std::string memoryLabel() const;
  [[nodiscard]] std::string cpuLabel() const;
  [[nodiscard]] bool sampling() const { return sampling_; }
  // Re-reads the settings (the configuration page changed them).
  void ApplySettings();

 private:
  void Build();
  void LoadSettings();
  void SaveRect();
  void UpdateSampling();
  void Paint(Canvas& canvas, Size size) const;

  CZelvorApp& app_;
  WindowHandle target_ = kNoWindow;
  WindowHandle handle_ = kNoWindow;
  GraphSettings settings_;
  CMemoryInfo memory_;
  CCPUUsage cpu_;
  std::deque<std::pair<int, int>> samples_;  // (memory %, CPU %), oldest first
  int lastCpu_ = 0;
  int lastMemory_ = 0;
  std::uint32_t lastUsedMegabytes_ = 0;
  int iconMemoryHeight_ = -1;
  int iconCpuHeight_ = -1;
  bool sampling_ = false;
};

}  // namespace zelvor
