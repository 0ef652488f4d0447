#include "net/traffic/traffic_meter_window.h"

#include <algorithm>
#include <functional>

#include "net/traffic/traffic_graph.h"
#include "platform/messages.h"
#include "shell/graph_grid.h"

namespace zelvor::traffic {
namespace {

// A small square in the colour of a series, drawn so that it keeps its size.
Control Swatch(int id, std::function<Colour()> colour) {
  Control c = Control::make(ControlKind::Canvas, id);
  c.size = {12, 12};
  c.paint = [colour = std::move(colour)](Canvas& canvas, Size size) {
    const int side = std::min({size.width, size.height, 12});
    const int top = (size.height - side) / 2;
    canvas.fillRect({0, top, side, top + side}, colour());
    canvas.frameRect({0, top, side, top + side}, 0x00000000);
  };
  return c;
}

}  // namespace

CTrafficMeterDlg::CTrafficMeterDlg(Services services, TrafficMeter& meter) : s_(services), meter_(meter) {
  Build();
  self_ = s_.loop.addTarget(*this);
  window_ = s_.host.create(*this);
}

CTrafficMeterDlg::~CTrafficMeterDlg() {
  if (visible_) SavePlacement(s_.store, s_.host.geometry(window_));
  s_.loop.removeTarget(self_);
  s_.host.destroy(window_);
}

void CTrafficMeterDlg::Build() {
  title = "Medidor del tráfico en la red";
  className = "CTrafficMeterDlg";
  style.caption = false;
  style.topmost = true;
  style.toolWindow = true;
  style.resizable = true;
  style.margin = 2;
  minimumSize = {120, 80};
  root = Control::make(ControlKind::Column);
  Control graph = Control::make(ControlKind::Canvas, meter_id::Graph);
  graph.size = {228, 100};
  graph.paint = [this](Canvas& canvas, Size size) {
    const MeterSettings& s = meter_.Settings();
    GraphLook look{s.background, s.gridLines, s.download, s.upload, VerticalGridLineCount(s.verticalGridLines)};
    PaintTrafficGraph(canvas, size, look, meter_.Points(), meter_.CurrentScale().max);
  };
  root.add(std::move(graph));
  Control& down = root.add(Control::make(ControlKind::Row));
  down.add(Swatch(meter_id::DownloadSwatch, [this] { return meter_.Settings().download; }));
  down.add(Control::make(ControlKind::Label, meter_id::DownloadText));
  Control& up = root.add(Control::make(ControlKind::Row));
  up.add(Swatch(meter_id::UploadSwatch, [this] { return meter_.Settings().upload; }));
  up.add(Control::make(ControlKind::Label, meter_id::UploadText));
}

void CTrafficMeterDlg::ApplySettings(bool first) {
  const MeterSettings& s = meter_.Settings();
  style.opacity = s.semitransparent >= 1 ? std::clamp(s.semitransparent * 10, 10, 100) : 100;
  if (first) geometry = s.placement;
  s_.host.update(window_);
}

void CTrafficMeterDlg::Refresh() {
  find(meter_id::DownloadText)->text = meter_.DownloadText();
  find(meter_id::UploadText)->text = meter_.UploadText();
  if (!visible_) return;
  s_.host.update(window_);
  s_.host.repaint(window_);
}

void CTrafficMeterDlg::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (visible) {
    Refresh();
    // Shown without taking the keyboard from the window in front.
    s_.host.show(window_);
  } else {
    geometry = s_.host.geometry(window_);
    SavePlacement(s_.store, geometry);
    s_.host.hide(window_);
  }
}

Menu CTrafficMeterDlg::InterfacesMenu() {
  Menu menu;
  MenuItem all = MenuItem::command(kAllInterfacesCommand, "Todos los adaptadores de red");
  all.checked = meter_.SelectedInterface() == 0;
  menu.items.push_back(all);
  CNetworkInfo& info = meter_.Info();
  (void)info.Refresh();
  for (int i = 0; i < info.Count(); ++i) {
    if (info.Loopback(i)) continue;
    MenuItem item = MenuItem::command(kFirstInterfaceCommand + info.Index(i), info.Description(i));
    item.checked = meter_.SelectedInterface() == info.Index(i);
    menu.items.push_back(item);
  }
  return menu;
}

void CTrafficMeterDlg::onEvent(const ControlEvent& event) {
  if (event.kind == ControlEvent::Kind::ContextMenu ||
      (event.kind == ControlEvent::Kind::MouseUp && event.button == 2)) {
    s_.menus.popup(InterfacesMenu(), s_.screen.cursor(), MenuStyle::Classic, self_);
  }
}

bool CTrafficMeterDlg::onCloseRequest() {
  meter_.SetUserShown(false);
  SetVisible(false);
  return false;
}

void CTrafficMeterDlg::onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t) {
  if (message != msg::Command) return;
  const int id = static_cast<int>(wparam);
  if (id == kAllInterfacesCommand) meter_.SelectInterface(0);
  if (id >= kFirstInterfaceCommand) meter_.SelectInterface(id - kFirstInterfaceCommand);
}

}  // namespace zelvor::traffic
