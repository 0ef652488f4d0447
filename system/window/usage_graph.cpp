#include "system/window/usage_graph.h"

#include <algorithm>

#include "shell/graph_grid.h"
#include "shell/principal_dlg.h"
#include "shell/shell_helpers.h"
#include "shell/store/config_store.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"
#include "system/capacity_bars.h"
#include "system/size_text.h"

namespace zelvor {
namespace {

constexpr std::string_view kKey = "ZiviDuvaza\\SysInfoGraph";
constexpr int kGraphId = 10;
constexpr int kMemoryValueId = 11;
constexpr int kCpuValueId = 12;
constexpr int kZiviIcon = 5;
constexpr std::uint32_t kIconBackground = 0xFF202830;
constexpr std::uint32_t kIconFrame = 0xFF90A0B0;
constexpr std::uint32_t kIconMemory = 0xFFE02020;
constexpr std::uint32_t kIconCpu = 0xFF20D020;

}  // namespace

int OpacityOf(int setting) { return setting >= 1 && setting <= 9 ? setting * 10 : 100; }

int IconBarHeight(int percent) {
  const int h = static_cast<int>(std::clamp(percent, 0, 100) * 12 / 100.0 + 0.4);
  return std::clamp(h, 0, 12);
}

Bitmap IconMiniature(int memoryHeight, int cpuHeight) {
  Bitmap b{16, 16, std::vector<std::uint32_t>(256, 0)};
  const auto at = [&](int x, int y) -> std::uint32_t& { return b.pixels[static_cast<std::size_t>(y * 16 + x)]; };
  for (int y = 1; y < 15; ++y) {
    for (int x = 1; x < 15; ++x) at(x, y) = (x == 1 || x == 14 || y == 1 || y == 14) ? kIconFrame : kIconBackground;
  }
  const auto bar = [&](int column, int height, std::uint32_t colour) {
    for (int y = 13; y > 13 - height; --y) {
      for (int x = column - 1; x <= column + 1; ++x) at(x, y) = colour;
    }
  };
  bar(4, std::clamp(memoryHeight, 0, 12), kIconMemory);
  bar(11, std::clamp(cpuHeight, 0, 12), kIconCpu);
  return b;
}

CSysInfoGraphDlg::CSysInfoGraphDlg(CZelvorApp& app)
    : app_(app), memory_(app.platform().system), cpu_(app.platform().system) {
  target_ = app_.desktop().loop.addTarget(*this);
  LoadSettings();
  Build();
  handle_ = app_.dialogs().create(*this);
  // The first figure measures from now, not since the system started.
  (void)cpu_.GetUsage();
  UpdateSampling();
}

CSysInfoGraphDlg::~CSysInfoGraphDlg() {
  if (handle_ != kNoWindow) {
    if (isVisible()) SaveRect();
    app_.dialogs().destroy(handle_);
  }
  app_.desktop().loop.removeTarget(target_);
}

void CSysInfoGraphDlg::LoadSettings() {
  CRegKeyEx key(app_.store().registry());
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) != RegStatus::Ok) return;
  GraphSettings s;
  const auto dword = [&](std::string_view name, auto& into) {
    if (const auto v = key.GetDword(name)) into = static_cast<std::remove_reference_t<decltype(into)>>(*v);
  };
  int left = 0, top = 0, width = 232, height = 140;
  dword("Left", left);
  dword("Top", top);
  dword("Width", width);
  dword("Height", height);
  // A zero size keeps the window's own.
  if (width <= 0 || height <= 0) {
    width = 232;
    height = 140;
  }
  s.rect = {left, top, left + width, top + height};
  s.iconMiniature = key.GetInt("MostrarGraficoEnIcono") == 1;
  s.verticalLines = VerticalGridLineCount(key.GetInt("VerticalGridLines"));
  dword("BackgroundColor", s.background);
  dword("GridLinesColor", s.gridLines);
  dword("MemoryColor", s.memory);
  dword("CPUColor", s.cpu);
  s.opacity = OpacityOf(key.GetInt("Semitransparent"));
  if (!app_.helpers().CanUseOpacity()) s.opacity = 100;
  settings_ = s;
}

void CSysInfoGraphDlg::Build() {
  title = "Gráfico del uso de memoria y de CPU";
  className = "CSysInfoGraphDlg";
  style.caption = false;
  style.toolWindow = true;
  style.opacity = settings_.opacity;
  geometry = settings_.rect;
  root = Control::make(ControlKind::Column);
  Control graph = Control::make(ControlKind::Canvas, kGraphId);
  graph.size = {settings_.rect.width() - 8, std::max(settings_.rect.height() - 44, 40)};
  graph.paint = [this](Canvas& canvas, Size size) { Paint(canvas, size); };
  root.add(std::move(graph));
  Control& memoryRow = root.add(Control::make(ControlKind::Row));
  Control memorySwatch = Control::make(ControlKind::Label, 0, "■");
  memorySwatch.textColour = settings_.memory;
  memoryRow.add(std::move(memorySwatch));
  memoryRow.add(Control::make(ControlKind::Label, 0, "Uso de memoria:"));
  memoryRow.add(Control::make(ControlKind::Label, kMemoryValueId, ""));
  Control& cpuRow = root.add(Control::make(ControlKind::Row));
  Control cpuSwatch = Control::make(ControlKind::Label, 0, "■");
  cpuSwatch.textColour = settings_.cpu;
  cpuRow.add(std::move(cpuSwatch));
  cpuRow.add(Control::make(ControlKind::Label, 0, "Uso de CPU:"));
  cpuRow.add(Control::make(ControlKind::Label, kCpuValueId, ""));
}

void CSysInfoGraphDlg::ApplySettings() {
  LoadSettings();
  const bool shown = isVisible();
  if (handle_ != kNoWindow) app_.dialogs().destroy(handle_);
  Build();
  handle_ = app_.dialogs().create(*this);
  if (shown) app_.dialogs().show(handle_);
  iconMemoryHeight_ = iconCpuHeight_ = -1;
  UpdateSampling();
}

void CSysInfoGraphDlg::Paint(Canvas& canvas, Size size) const {
  const Rect all{0, 0, size.width, size.height};
  canvas.fillRect(all, settings_.background);
  for (int i = 1; i <= settings_.verticalLines; ++i) {
    const int x = size.width * i / (settings_.verticalLines + 1);
    canvas.line({x, 0}, {x, size.height - 1}, settings_.gridLines);
  }
  for (int i = 1; i < 4; ++i) {
    const int y = size.height * i / 4;
    canvas.line({0, y}, {size.width - 1, y}, settings_.gridLines);
  }
  canvas.frameRect(all, settings_.gridLines);
  TextFont small;
  small.pointSize = 7;
  canvas.text({2, 1, 40, 12}, "100%", settings_.gridLines, small, TextAlign::Left, false);
  canvas.text({2, size.height - 12, 40, size.height - 1}, "0%", settings_.gridLines, small, TextAlign::Left, false);
  if (samples_.size() < 2) return;
  const auto point = [&](std::size_t i, int value) {
    // The newest sample at the right edge; 120 samples span the width.
    const int age = static_cast<int>(samples_.size() - 1 - i);
    const int x = size.width - 1 - age * (size.width - 1) / (kSamples - 1);
    const int y = size.height - 1 - value * (size.height - 1) / 100;
    return Point{x, y};
  };
  for (std::size_t i = 1; i < samples_.size(); ++i) {
    canvas.line(point(i - 1, samples_[i - 1].first), point(i, samples_[i].first), settings_.memory);
    canvas.line(point(i - 1, samples_[i - 1].second), point(i, samples_[i].second), settings_.cpu);
  }
}

void CSysInfoGraphDlg::open() {
  if (!isVisible()) ToggleVisible();
}

bool CSysInfoGraphDlg::isVisible() const { return handle_ != kNoWindow && app_.dialogs().isVisible(handle_); }

void CSysInfoGraphDlg::ToggleVisible() {
  if (isVisible()) {
    SaveRect();
    app_.dialogs().hide(handle_);
  } else {
    Sample();
    app_.dialogs().show(handle_);
  }
  UpdateSampling();
}

bool CSysInfoGraphDlg::onCloseRequest() {
  SaveRect();
  app_.dialogs().hide(handle_);
  UpdateSampling();
  return false;
}

void CSysInfoGraphDlg::SaveRect() {
  const Rect r = app_.dialogs().geometry(handle_);
  if (r.width() <= 0 || r.height() <= 0) return;
  CRegKeyEx key(app_.store().registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) != RegStatus::Ok) return;
  key.SetDword("Left", static_cast<std::uint32_t>(r.left));
  key.SetDword("Top", static_cast<std::uint32_t>(r.top));
  key.SetDword("Width", static_cast<std::uint32_t>(r.width()));
  key.SetDword("Height", static_cast<std::uint32_t>(r.height()));
}

void CSysInfoGraphDlg::UpdateSampling() {
  const bool wanted = isVisible() || settings_.iconMiniature;
  if (wanted == sampling_) return;
  sampling_ = wanted;
  if (wanted) {
    app_.desktop().loop.setTimer(target_, 0, 1000);
  } else {
    app_.desktop().loop.killTimer(target_, 0);
  }
}

void CSysInfoGraphDlg::onTimer(int) { Sample(); }

std::string CSysInfoGraphDlg::memoryLabel() const {
  return std::to_string(lastMemory_) + "% (" + FormatMegabytes(app_.platform().locale.numberFormat(), lastUsedMegabytes_) +
         ")";
}

std::string CSysInfoGraphDlg::cpuLabel() const { return std::to_string(lastCpu_) + "%"; }

void CSysInfoGraphDlg::Sample() {
  memory_.Refresh();
  lastMemory_ = UsedPercent(memory_.physicalUsed, memory_.physicalTotal);
  lastUsedMegabytes_ = memory_.physicalUsed;
  lastCpu_ = std::max(cpu_.GetUsage(), 0);
  samples_.emplace_back(lastMemory_, lastCpu_);
  while (samples_.size() > static_cast<std::size_t>(kSamples)) samples_.pop_front();
  if (isVisible()) {
    root.find(kMemoryValueId)->text = memoryLabel();
    root.find(kCpuValueId)->text = cpuLabel();
    app_.dialogs().update(handle_);
    app_.dialogs().repaint(handle_);
  }
  if (!settings_.iconMiniature) return;
  const int memoryHeight = IconBarHeight(lastMemory_);
  const int cpuHeight = IconBarHeight(lastCpu_);
  if (memoryHeight == iconMemoryHeight_ && cpuHeight == iconCpuHeight_) return;
  iconMemoryHeight_ = memoryHeight;
  iconCpuHeight_ = cpuHeight;
  if (CPrincipalDlg* main = app_.mainWindow()) {
    if (CTrayIcon* icon = main->icon(kZiviIcon)) {
      icon->SetIconHandle(ImageRef::fromPixels(std::make_shared<const Bitmap>(IconMiniature(memoryHeight, cpuHeight))));
    }
  }
}

}  // namespace zelvor
