#include "clipboard/rezi_zovidaraz.h"

#include <algorithm>

#include "clipboard/clip_files.h"
#include "clipboard/predefined_texts.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "shell/principal_dlg.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

constexpr std::string_view kKey = utility_key::ReziZovidaraz;
constexpr int kActiveImage = 17;
constexpr int kInactiveImage = 18;

}  // namespace

CReziZovidaraz::CReziZovidaraz(CZelvorApp& app) : app_(app), clipboard_(app.desktop().clipboard) {
  handle_ = app_.desktop().loop.addTarget(*this);
  CReziZovidarazWnd::Owner owner;
  owner.command = [this](int id) { OnWindowCommand(id); };
  owner.selectionChanged = [this] { UpdateStatusSelection(); };
  owner.closing = [this] {
    if (Setting("QuitarAlCerrar") == 1) DeleteAll();
  };
  owner.watching = [this] { return active_; };
  owner.rowMenu = [this] { OpenRowMenu(); };
  owner.saving = [this] { return Setting("SalvarPortapapeles") == 1; };
  window_ = std::make_unique<CReziZovidarazWnd>(app_, std::move(owner));
}

CReziZovidaraz::~CReziZovidaraz() {
  if (active_) clipboard_.watch(kNoWindow);
  window_.reset();
  app_.desktop().loop.removeTarget(handle_);
}

int CReziZovidaraz::Setting(std::string_view name) const { return app_.store().ReadConfigInt(kKey, name); }

clip::RowFacts CReziZovidaraz::Facts(const clip::ClipEntry& entry) const {
  return clip::DescribeEntry(entry, [this](std::uint32_t n) { return clipboard_.formatName(n); });
}

void CReziZovidaraz::createWindow() {
  window_->Create();
  LoadClips();
  ShowState();
}

void CReziZovidaraz::LoadClips() {
  if (loaded_) return;
  loaded_ = true;
  if (Setting("SalvarPortapapeles") != 1) return;
  const clip::ClipFiles files(app_.store().files(), app_.store().GetDataFolder());
  for (clip::ClipEntry& e : files.Load()) AddEntry(std::move(e));
}

void CReziZovidaraz::start() {
  createWindow();
  if (Setting("DesactivarAlInicio") != 1) {
    Activate();
  } else {
    Deactivate();
  }
}

void CReziZovidaraz::Activate() {
  active_ = true;
  clipboard_.watch(handle_);
  ShowState();
}

void CReziZovidaraz::Deactivate() {
  active_ = false;
  clipboard_.watch(kNoWindow);
  ShowState();
}

void CReziZovidaraz::ShowState() {
  window_->SetStatusText(0, active_ ? " Activado" : " Desactivado");
  window_->UpdateMenus();
  if (CPrincipalDlg* main = app_.mainWindow()) {
    if (CTrayIcon* icon = main->icon(info(UtilityKind::ReziZovidaraz).iconId)) {
      icon->SetIconIndex(active_ ? kActiveImage : kInactiveImage);
      icon->SetText(active_ ? "Activado" : "Desactivado");
    }
  }
}

void CReziZovidaraz::onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t) {
  if (message == msg::ClipboardChanged) {
    OnClipboardChange();
  } else if (message == msg::Command) {
    OnWindowCommand(static_cast<int>(wparam));
  }
}

void CReziZovidaraz::OnClipboardChange() {
  if (!active_) return;
  if (Setting("AgregarVisible") == 1 && !window_->IsVisible()) return;
  ClipboardRead read = clipboard_.read();
  // A content marked secret never enters the history, nor a clip file.
  if (read.status != ClipboardRead::Status::Read) return;
  AddEntry(std::move(read.formats));
}

void CReziZovidaraz::AddEntry(clip::ClipEntry entry) {
  // One row more and the evicted ones less, so that a long history does not
  // describe every entry again at each change.
  Control& list = window_->List();
  const clip::RowFacts f = Facts(entry);
  ListRow row;
  row.cells = {f.type, f.content};
  row.image = f.image;
  entries_.push_back(std::move(entry));
  list.rows.push_back(std::move(row));
  const std::size_t evicted = Excess();
  if (evicted > 0) {
    entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(evicted));
    list.rows.erase(list.rows.begin(), list.rows.begin() + static_cast<std::ptrdiff_t>(evicted));
    UpdateStatusSelection();
  }
  list.value = static_cast<int>(list.rows.size()) - 1;  // made visible
  window_->Refresh();
}

std::size_t CReziZovidaraz::Excess() const {
  const int limit = Setting("MaximoPortapapeles");
  if (limit <= 0 || entries_.size() <= static_cast<std::size_t>(limit)) return 0;
  return entries_.size() - static_cast<std::size_t>(limit);
}

void CReziZovidaraz::UpdateRows() {
  Control& list = window_->List();
  std::vector<ListRow> rows;
  rows.reserve(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const clip::RowFacts f = Facts(entries_[i]);
    ListRow r;
    r.cells = {f.type, f.content};
    r.image = f.image;
    // Selection follows the entries that stay where they were.
    if (i < list.rows.size() && list.rows.size() == entries_.size()) r.selected = list.rows[i].selected;
    rows.push_back(std::move(r));
  }
  list.rows = std::move(rows);
  if (list.value >= static_cast<int>(list.rows.size())) list.value = -1;
  UpdateStatusSelection();
}

void CReziZovidaraz::UpdateStatusSelection() {
  const std::vector<int> selected = window_->SelectedRows();
  window_->SetStatusText(1, selected.size() == 1 ? window_->List().rows[static_cast<std::size_t>(selected[0])].cells[1]
                                                 : std::string{});
}

bool CReziZovidaraz::PutBack(std::size_t row) {
  if (row >= entries_.size()) return false;
  return clipboard_.write(entries_[row], ChangeReport::Suppress);
}

void CReziZovidaraz::PasteIntoActiveWindow(std::size_t row) {
  if (!PutBack(row)) return;
  if (clipboard_.pasteIntoActiveWindow() == PasteResult::Unavailable) {
    (void)app_.desktop().messageBoxes.show(
        {"Este escritorio no permite que un programa escriba en la ventana de otro, así que no se puede pegar "
         "en la ventana activa.\nEl portapapeles ya tiene el contenido elegido: péguelo con Ctrl+V.",
         "Rezi Zovidaraz", MsgButtons::Ok, MsgIcon::Information, false});
  }
}

void CReziZovidaraz::Combine(const std::vector<int>& rows) {
  std::vector<const clip::ClipEntry*> picked;
  for (int r : rows) {
    if (r >= 0 && static_cast<std::size_t>(r) < entries_.size()) picked.push_back(&entries_[static_cast<std::size_t>(r)]);
  }
  auto combined = clip::CombineEntries(picked, [this](std::uint32_t n) { return clipboard_.formatName(n); });
  if (combined) AddEntry(std::move(*combined));
}

void CReziZovidaraz::DeleteRows(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    if (*it >= 0 && static_cast<std::size_t>(*it) < entries_.size()) entries_.erase(entries_.begin() + *it);
  }
  for (ListRow& r : window_->List().rows) r.selected = false;
  UpdateRows();
  window_->Refresh();
}

void CReziZovidaraz::DeleteAll() {
  entries_.clear();
  UpdateRows();
  window_->Refresh();
}

void CReziZovidaraz::PutPredefinedText(int k) {
  const auto text = clip::TextOf(app_.store(), k);
  if (!text) return;
  ClipboardFormat f{clip_format::Text, {text->begin(), text->end()}};
  f.data.push_back(0);
  // Recorded like any other change while watching.
  (void)clipboard_.write({f}, ChangeReport::Report);
}

void CReziZovidaraz::command(int code, std::string_view) {
  if (code == rezi_code::Menu) {
    if (CPrincipalDlg* main = app_.mainWindow()) main->OpenMenu(BuildReziMenu(watchOff(), clipRows(), app_.store()));
  } else if (code == rezi_code::ShowWindow) {
    window_->ShowWindow();
  } else if (code == rezi_code::DeleteAll) {
    DeleteAll();
  } else if (code == rezi_code::ToggleWatch) {
    active_ ? Deactivate() : Activate();
  } else if (code >= rezi_code::FirstText && code < rezi_code::FirstText + clip::kMaxTextCommands) {
    PutPredefinedText(code - 9);
  } else if (code >= rezi_code::FirstSelect && code < rezi_code::FirstPaste) {
    (void)PutBack(static_cast<std::size_t>(code - rezi_code::FirstSelect));
  } else if (code >= rezi_code::FirstPaste) {
    PasteIntoActiveWindow(static_cast<std::size_t>(code - rezi_code::FirstPaste));
  }
}

void CReziZovidaraz::OnWindowCommand(int id) {
  const std::vector<int> selected = window_->SelectedRows();
  switch (id) {
    case rezi_cmd::Copy:
      if (!selected.empty()) (void)PutBack(static_cast<std::size_t>(selected.front()));
      break;
    case rezi_cmd::Cut:
      if (!selected.empty() && PutBack(static_cast<std::size_t>(selected.front()))) DeleteRows({selected.front()});
      break;
    case rezi_cmd::Paste:
      if (!selected.empty()) PasteIntoActiveWindow(static_cast<std::size_t>(selected.front()));
      break;
    case rezi_cmd::CombineAll: {
      std::vector<int> all(entries_.size());
      for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
      Combine(all);
      break;
    }
    case rezi_cmd::CombineSelected: Combine(selected); break;
    case rezi_cmd::DeleteAll: DeleteAll(); break;
    case rezi_cmd::DeleteSelected: DeleteRows(selected); break;
    case rezi_cmd::ToggleWatch: active_ ? Deactivate() : Activate(); break;
    case rezi_cmd::ToggleSave:
      app_.store().WriteConfigInt(kKey, "SalvarPortapapeles", Setting("SalvarPortapapeles") == 1 ? 0 : 1);
      window_->UpdateMenus();
      break;
    default: break;
  }
}

void CReziZovidaraz::OpenRowMenu() {
  Menu menu;
  if (!window_->RowMenu(menu)) return;
  const int style = app_.store().ReadConfigInt("", root_value::EstiloMenus);
  // The choice comes back as msg::Command to this object.
  app_.desktop().menus.popup(menu, app_.desktop().screen.cursor(), static_cast<MenuStyle>(std::clamp(style, 0, 3)),
                             handle_);
}

void CReziZovidaraz::save() {
  // A window still open at exit keeps its place; a hidden one wrote it when it closed.
  if (window_->IsVisible()) window_->SaveSettings();
  if (Setting("SalvarPortapapeles") != 1) return;
  clip::ClipFiles files(app_.store().files(), app_.store().GetDataFolder());
  (void)files.Save(entries_);
}

bool CReziZovidaraz::queryEndSession() {
  // The session ends without the suite's own exit: the history is saved now.
  save();
  return true;
}

std::vector<ClipRow> CReziZovidaraz::clipRows() const {
  std::vector<ClipRow> rows;
  for (const clip::ClipEntry& e : entries_) {
    const clip::RowFacts f = Facts(e);
    rows.push_back({f.type, f.content, f.image});
  }
  return rows;
}

std::vector<std::vector<std::string>> CReziZovidaraz::statusRecords() const {
  std::vector<std::vector<std::string>> out;
  out.push_back({"clipwatch", active_ ? "on" : "off"});
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const clip::RowFacts f = Facts(entries_[i]);
    out.push_back({"clip", std::to_string(i), f.type, f.content});
  }
  return out;
}

}  // namespace zelvor
