#include "shutdown/shutdown_programs_page.h"

#include <algorithm>
#include <utility>

#include "launchers/entry_list_page.h"

namespace zelvor {
namespace {

Control field(int id, const char* label) {
  Control row = Control::make(ControlKind::Row);
  row.add(Control::make(ControlKind::Label, 0, label));
  row.add(Control::make(ControlKind::Edit, id));
  return row;
}

}  // namespace

Control CShutdownProgramsPage::Build() {
  Control page = Control::make(ControlKind::Column);
  Control list = Control::make(ControlKind::ListView, Id(kList));
  list.columns = {{"Programa", 320}};
  list.value = -1;
  page.add(std::move(list));
  Control& buttons = page.add(Control::make(ControlKind::Row));
  buttons.add(Control::make(ControlKind::Button, Id(kAdd), "Añadir"));
  buttons.add(Control::make(ControlKind::Button, Id(kDelete), "Eliminar"));
  buttons.add(Control::make(ControlKind::Button, Id(kUp), "Subir"));
  buttons.add(Control::make(ControlKind::Button, Id(kDown), "Bajar"));
  Control fields = Control::make(ControlKind::Column, Id(kFields));
  fields.add(field(Id(kDescription), "Descripción:"));
  fields.add(field(Id(kProgram), "Programa:"));
  fields.add(field(Id(kArguments), "Argumentos:"));
  fields.add(field(Id(kFolder), "Directorio:"));
  for (std::size_t i = 0; i < kShutdownKindTexts.size(); ++i) {
    fields.add(Control::make(ControlKind::CheckBox, Id(kFirstKind + static_cast<int>(i)),
                             std::string(kShutdownKindTexts[i])));
  }
  page.add(std::move(fields));
  page.add(wait_.Build());
  return page;
}

void CShutdownProgramsPage::Load(const ConfigStore& store, Control& root) {
  programs_ = LoadPrograms(store.registry(), EntryList::ShutdownPrograms);
  selected_ = programs_.empty() ? -1 : 0;
  ShowList(root);
  ShowSelected(root);
  wait_.Load(store, root);
}

ListElement* CShutdownProgramsPage::SelectedProgram() {
  if (selected_ < 0 || selected_ >= static_cast<int>(programs_.size())) return nullptr;
  return &programs_[static_cast<std::size_t>(selected_)];
}

void CShutdownProgramsPage::ShowList(Control& root) const {
  Control& list = *root.find(Id(kList));
  list.rows.clear();
  for (const ListElement& e : programs_) {
    ListRow row;
    row.cells = {e.separator ? std::string(kSeparatorLabel)
                 : e.entry.description.empty() ? e.entry.program
                                               : e.entry.description};
    list.rows.push_back(std::move(row));
  }
  list.value = selected_;
  for (std::size_t i = 0; i < list.rows.size(); ++i) list.rows[i].selected = static_cast<int>(i) == selected_;
}

void CShutdownProgramsPage::ShowSelected(Control& root) const {
  const bool entry = selected_ >= 0 && selected_ < static_cast<int>(programs_.size()) &&
                     !programs_[static_cast<std::size_t>(selected_)].separator;
  root.find(Id(kFields))->visible = entry;
  root.find(Id(kDelete))->enabled = selected_ >= 0;
  root.find(Id(kUp))->enabled = selected_ > 0;
  root.find(Id(kDown))->enabled = selected_ >= 0 && selected_ + 1 < static_cast<int>(programs_.size());
  if (!entry) return;
  const ProgramEntry& e = programs_[static_cast<std::size_t>(selected_)].entry;
  root.find(Id(kDescription))->text = e.description;
  root.find(Id(kProgram))->text = e.program;
  root.find(Id(kArguments))->text = e.arguments;
  root.find(Id(kFolder))->text = e.startingFolder;
  for (std::size_t i = 0; i < kShutdownKindTexts.size(); ++i) {
    root.find(Id(kFirstKind + static_cast<int>(i)))->checked = (e.flags >> i & 1U) != 0;
  }
}

void CShutdownProgramsPage::TakeField(int local, Control& root) {
  ListElement* p = SelectedProgram();
  if (p == nullptr || p->separator) return;
  ProgramEntry& e = p->entry;
  const std::string& text = root.find(Id(local))->text;
  switch (local) {
    case kDescription: e.description = text; break;
    case kProgram: e.program = text; break;
    case kArguments: e.arguments = text; break;
    case kFolder: e.startingFolder = text; break;
    default:
      if (local >= kFirstKind && local < kFirstKind + static_cast<int>(kShutdownKindTexts.size())) {
        const std::uint32_t bit = std::uint32_t{1} << (local - kFirstKind);
        e.flags = root.find(Id(local))->checked ? e.flags | bit : e.flags & ~bit;
      }
      break;
  }
}

bool CShutdownProgramsPage::OnEvent(const ControlEvent& event, Control& root) {
  if (wait_.Owns(event.controlId)) {
    SetModified();
    return wait_.OnEvent(event, root);
  }
  const int local = event.controlId - Id(0);
  const auto size = static_cast<int>(programs_.size());
  switch (local) {
    case kList:
      if (event.kind != ControlEvent::Kind::Changed) return false;
      selected_ = root.find(Id(kList))->value;
      ShowSelected(root);
      return true;
    case kAdd: {
      ListElement e;
      e.entry = NewEntryFor(EntryList::ShutdownPrograms);
      programs_.insert(programs_.begin() + (selected_ + 1), std::move(e));
      ++selected_;
      break;
    }
    case kDelete:
      if (selected_ < 0 || selected_ >= size) return false;
      programs_.erase(programs_.begin() + selected_);
      selected_ = std::min(selected_, static_cast<int>(programs_.size()) - 1);
      break;
    case kUp:
    case kDown: {
      const int to = selected_ + (local == kUp ? -1 : 1);
      if (selected_ < 0 || to < 0 || to >= size) return false;
      std::swap(programs_[static_cast<std::size_t>(selected_)], programs_[static_cast<std::size_t>(to)]);
      selected_ = to;
      break;
    }
    default:
      TakeField(local, root);
      SetModified();
      if (local == kDescription || local == kProgram) {
        ShowList(root);
        return true;
      }
      return false;
  }
  SetModified();
  ShowList(root);
  ShowSelected(root);
  return true;
}

void CShutdownProgramsPage::Save(ConfigStore& store, Control& root) {
  (void)SavePrograms(store.registry(), EntryList::ShutdownPrograms, programs_);
  wait_.Save(store, root);
}

}  // namespace zelvor
