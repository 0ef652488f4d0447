#include "notes/duvu_zevad_bin.h"

namespace zelvor::notes {
namespace {

// The room a vertical scroll bar takes beside the rows.
constexpr int kScrollBarWidth = 16;

}  // namespace

CNotesBinWindow::CNotesBinWindow(BinActions& actions) : actions_(actions) {
  title = "Papelera de notas";
  className = "CDuvuZevad";
  style.topmost = true;
  style.resizable = true;
  Control list = Control::make(ControlKind::ListView, bin_control::List);
  list.multiSelect = true;
  list.listImages = ImageStrip::Small;
  list.size = {kBinListWidth, 200};
  list.columns = {{"Título", kBinListWidth - kScrollBarWidth - 145, false},
                  {"Eliminado", 100, false},
                  {"Días", 40, false}};
  root.add(std::move(list));
  Control buttons = Control::make(ControlKind::Row);
  buttons.add(Control::make(ControlKind::Button, bin_control::Restore, "Restaurar"));
  buttons.add(Control::make(ControlKind::Button, bin_control::RestoreAll, "Restaurar todo"));
  buttons.add(Control::make(ControlKind::Button, bin_control::Empty, "Vaciar papelera"));
  root.add(std::move(buttons));
  Control status = Control::make(ControlKind::StatusBar, bin_control::Status);
  status.items = {BinCountText(0), ""};
  status.tooltip = "Número de notas";
  root.add(std::move(status));
}

void CNotesBinWindow::Refresh(const RecycleBin& bin, Clock& clock, std::int64_t now) {
  Control* list = find(bin_control::List);
  Control* status = find(bin_control::Status);
  if (list == nullptr || status == nullptr) return;
  list->rows.clear();
  texts_.clear();
  for (const NoteEntry& e : bin.rows()) {
    ListRow row;
    row.cells = {e.record.title, DeletionTimeText(clock, e.record.deletionTime),
                 DaysText(DaysInBin(e.record.deletionTime, now))};
    row.image = 0;
    list->rows.push_back(std::move(row));
    texts_.push_back(e.text);
  }
  list->value = -1;
  status->items = {BinCountText(bin.size()), ""};
}

std::vector<std::size_t> CNotesBinWindow::SelectedRows() const {
  std::vector<std::size_t> out;
  if (const Control* list = root.find(bin_control::List)) {
    for (std::size_t i = 0; i < list->rows.size(); ++i) {
      if (list->rows[i].selected) out.push_back(i);
    }
  }
  return out;
}

void CNotesBinWindow::onEvent(const ControlEvent& event) {
  if (event.kind == ControlEvent::Kind::Changed && event.controlId == bin_control::List) {
    Control* status = find(bin_control::Status);
    if (status != nullptr && status->items.size() == 2) {
      const bool valid = event.row >= 0 && static_cast<std::size_t>(event.row) < texts_.size();
      status->items[1] = valid ? texts_[static_cast<std::size_t>(event.row)] : std::string{};
      actions_.BinShown();
    }
    return;
  }
  if (event.kind != ControlEvent::Kind::Clicked) return;
  switch (event.controlId) {
    case bin_control::Restore: actions_.RestoreSelected(SelectedRows()); return;
    case bin_control::RestoreAll: actions_.RestoreAllNotes(); return;
    case bin_control::Empty: actions_.EmptyBin(); return;
    default: return;
  }
}

bool CNotesBinWindow::onCloseRequest() {
  actions_.CloseBin();
  return false;
}

}  // namespace zelvor::notes
