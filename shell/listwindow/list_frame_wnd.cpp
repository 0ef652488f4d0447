#include "shell/listwindow/list_frame_wnd.h"

#include <algorithm>
#include <array>

#include "platform/screen.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

constexpr int kToolBarId = 498;
constexpr int kStatusBarId = 499;
constexpr std::array<int, 5> kTransparencies{0, 20, 40, 60, 80};
constexpr std::array<const char*, 4> kViews{"Iconos grandes", "Iconos pequeños", "Lista", "Detalles"};

bool isTransparency(int v) { return std::find(kTransparencies.begin(), kTransparencies.end(), v) != kTransparencies.end(); }

MenuItem* findMenu(std::vector<MenuItem>& menus, std::string_view text) {
  for (MenuItem& m : menus) {
    if (m.kind == MenuItem::Kind::Submenu && m.text == text) return &m;
  }
  return nullptr;
}

}  // namespace

Control CListViewWnd::Make(std::vector<ListColumn> columns, ImageStrip images) {
  Control list = Control::make(ControlKind::ListView, kListId);
  list.columns = std::move(columns);
  list.multiSelect = true;
  list.listImages = images;
  return list;
}

CListFrameWnd::CListFrameWnd(CZelvorApp& app, Setup setup) : app_(app), setup_(std::move(setup)) {}

CListFrameWnd::~CListFrameWnd() {
  if (handle_ != kNoWindow) app_.dialogs().destroy(handle_);
}

void CListFrameWnd::ReadSettings() {
  CRegKeyEx key(app_.store().registry());
  const bool haveKey = key.Open(Hive::CurrentUser, ConfigStore::KeyPath(setup_.utilityKey)) == RegStatus::Ok;
  const Size screen = app_.desktop().screen.size();
  int width = 700, height = 300;
  int left = (screen.width - width) / 2, top = (screen.height - height) / 2;
  if (haveKey) {
    const auto dword = [&](std::string_view name, int& into) {
      if (const auto v = key.GetDword(name)) into = static_cast<int>(*v);
    };
    dword("Left", left);
    dword("Top", top);
    dword("Width", width);
    dword("Height", height);
  }
  geometry = {left, top, left + std::max(width, 0), top + std::max(height, 0)};
  style.topmost = haveKey && key.GetInt("SiempreVisible") == 1;
  transparency_ = haveKey ? key.GetInt("Transparencia") : 0;
  if (!isTransparency(transparency_) || !app_.helpers().CanUseOpacity()) transparency_ = 0;
  view_ = haveKey && setup_.hasViews ? key.GetInt("Vista") : 3;
  if (view_ < 0 || view_ > 3) view_ = 3;
  std::vector<ListColumn> columns;
  for (std::size_t i = 0; i < setup_.columns.size(); ++i) {
    ListColumn c{setup_.columns[i], 100, false};
    if (haveKey) {
      if (const auto w = key.GetDword("Columna" + std::to_string(i))) c.width = static_cast<int>(*w);
    }
    columns.push_back(std::move(c));
  }
  root = Control::make(ControlKind::Column);
  Control& tools = root.add(Control::make(ControlKind::Row, kToolBarId));
  for (const auto& [id, text] : ToolButtons()) tools.add(Control::make(ControlKind::Button, id, text));
  root.add(CListViewWnd::Make(std::move(columns), ImageStrip::Small));
  Control status = Control::make(ControlKind::StatusBar, kStatusBarId);
  status.items = {"", ""};
  root.add(std::move(status));
}

void CListFrameWnd::RebuildMenus() {
  menuBar.clear();
  if (!setup_.withMenu) return;
  menuBar = BuildMenus();
  if (MenuItem* view = findMenu(menuBar, "&Ver"); view != nullptr && setup_.hasViews) {
    for (int v = 0; v < 4; ++v) {
      MenuItem item = MenuItem::command(list_cmd::FirstView + v, kViews[static_cast<std::size_t>(v)]);
      item.checked = view_ == v;
      view->children.push_back(std::move(item));
    }
  }
  if (MenuItem* options = findMenu(menuBar, "&Opciones")) {
    MenuItem top = MenuItem::command(list_cmd::AlwaysOnTop, "Siempre visible\tF9");
    top.checked = style.topmost;
    options->children.push_back(std::move(top));
    std::vector<MenuItem> levels;
    for (std::size_t i = 0; i < kTransparencies.size(); ++i) {
      MenuItem level = MenuItem::command(list_cmd::FirstTransparency + static_cast<int>(i),
                                         std::to_string(kTransparencies[i]) + " %");
      level.checked = transparency_ == kTransparencies[i];
      level.grayed = !app_.helpers().CanUseOpacity();
      levels.push_back(std::move(level));
    }
    MenuItem sub = MenuItem::submenu("&Transparencia", std::move(levels));
    sub.grayed = !app_.helpers().CanUseOpacity();
    options->children.push_back(std::move(sub));
  }
}

void CListFrameWnd::Create() {
  if (handle_ != kNoWindow) return;
  title = setup_.title;
  className = setup_.className;
  helpContext = setup_.helpContext;
  style.resizable = true;
  style.caption = true;
  ReadSettings();
  List().listView = view_;
  RebuildMenus();
  style.opacity = 100 - transparency_;
  handle_ = app_.dialogs().create(*this);
}

void CListFrameWnd::ShowWindow() {
  if (handle_ == kNoWindow) Create();
  app_.helpers().ShowAnimated(handle_);
}

void CListFrameWnd::CloseWindow() {
  SaveSettings();
  if (handle_ != kNoWindow) app_.helpers().HideAnimated(handle_, false);
}

bool CListFrameWnd::IsVisible() const { return handle_ != kNoWindow && app_.dialogs().isVisible(handle_); }

Control& CListFrameWnd::List() { return *root.find(CListViewWnd::kListId); }

std::vector<int> CListFrameWnd::SelectedRows() {
  std::vector<int> rows;
  const Control& list = List();
  for (std::size_t i = 0; i < list.rows.size(); ++i) {
    if (list.rows[i].selected) rows.push_back(static_cast<int>(i));
  }
  return rows;
}

void CListFrameWnd::SetStatusText(std::size_t part, std::string text) {
  Control* status = root.find(kStatusBarId);
  if (status == nullptr) return;
  if (status->items.size() <= part) status->items.resize(part + 1);
  status->items[part] = std::move(text);
}

std::string CListFrameWnd::StatusText(std::size_t part) {
  const Control* status = root.find(kStatusBarId);
  return status != nullptr && part < status->items.size() ? status->items[part] : std::string{};
}

void CListFrameWnd::SetTopmost(bool on) {
  style.topmost = on;
  RebuildMenus();
  Refresh();
  // Leaving the top still brings the window to the top of the others.
  if (!on && IsVisible()) app_.dialogs().activate(handle_);
}

void CListFrameWnd::SetTransparency(int percent) {
  if (!isTransparency(percent) || !app_.helpers().CanUseOpacity()) return;
  transparency_ = percent;
  RebuildMenus();
  Refresh();
  if (handle_ != kNoWindow) app_.helpers().SetWindowOpacity(handle_, 100 - percent);
}

void CListFrameWnd::SetView(int view) {
  if (view < 0 || view > 3) return;
  view_ = view;
  List().listView = view;
  RebuildMenus();
  Refresh();
}

void CListFrameWnd::SaveSettings() {
  CRegKeyEx key(app_.store().registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(setup_.utilityKey)) != RegStatus::Ok) return;
  if (handle_ != kNoWindow) {
    const Rect r = app_.dialogs().geometry(handle_);
    if (r.width() > 0 && r.height() > 0) geometry = r;
  }
  key.SetDword("Left", static_cast<std::uint32_t>(geometry.left));
  key.SetDword("Top", static_cast<std::uint32_t>(geometry.top));
  key.SetDword("Width", static_cast<std::uint32_t>(geometry.width()));
  key.SetDword("Height", static_cast<std::uint32_t>(geometry.height()));
  key.SetInt(style.topmost ? 1 : 0, "SiempreVisible");
  key.SetInt(transparency_, "Transparencia");
  if (setup_.hasViews) key.SetInt(view_, "Vista");
  const Control& list = List();
  if (!setup_.savesColumns) return;
  for (std::size_t i = 0; i < list.columns.size(); ++i) {
    key.SetDword("Columna" + std::to_string(i), static_cast<std::uint32_t>(list.columns[i].width));
  }
}

void CListFrameWnd::Refresh() {
  if (handle_ != kNoWindow) app_.dialogs().update(handle_);
}

void CListFrameWnd::ShowToolButton(int id, bool visible) {
  Control* tools = root.find(kToolBarId);
  if (tools == nullptr) return;
  for (Control& c : tools->children) {
    if (c.id == id) c.visible = visible;
  }
}

void CListFrameWnd::onEvent(const ControlEvent& event) {
  if (event.controlId == CListViewWnd::kListId) {
    OnListEvent(event);
    return;
  }
  if (event.kind == ControlEvent::Kind::KeyDown && event.key == 0x78) {  // F9
    SetTopmost(!style.topmost);
    return;
  }
  if (event.kind != ControlEvent::Kind::Clicked) return;
  const int id = event.controlId;
  if (id == list_cmd::AlwaysOnTop) {
    SetTopmost(!style.topmost);
  } else if (id >= list_cmd::FirstTransparency && id < list_cmd::FirstTransparency + 5) {
    SetTransparency(kTransparencies[static_cast<std::size_t>(id - list_cmd::FirstTransparency)]);
  } else if (id >= list_cmd::FirstView && id < list_cmd::FirstView + 4) {
    SetView(id - list_cmd::FirstView);
  } else {
    OnCommand(id);
  }
}

bool CListFrameWnd::onCloseRequest() {
  OnClose();
  // Hidden already; the binding has nothing more to do.
  return false;
}

}  // namespace zelvor
