#include "shell/listwindow/list_frame_wnd.h"

#include <algorithm>
#include <array>

#include "platform/screen.h"
#include "shell/store/reg_key_ex.h"
#include "shell/listwindow/frame_placement.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

constexpr int kToolBarId = 498;
constexpr int kStatusBarId = 499;
constexpr std::array<const char*, 4> kViews{"Iconos grandes", "Iconos pequeños", "Lista", "Detalles"};

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
  const FramePlacement placement =
      ReadFramePlacement(haveKey ? &key : nullptr, app_.desktop().screen.size(), app_.helpers().CanUseOpacity());
  geometry = placement.geometry;
  style.topmost = placement.topmost;
  transparency_ = placement.transparency;
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
    options->children.push_back(
        TransparencyMenu(list_cmd::FirstTransparency, transparency_, app_.helpers().CanUseOpacity()));
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
  if (!IsFrameTransparency(percent) || !app_.helpers().CanUseOpacity()) return;
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
  WriteFramePlacement(key, {geometry, style.topmost, transparency_});
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
    SetTransparency(kFrameTransparencies[static_cast<std::size_t>(id - list_cmd::FirstTransparency)]);
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
