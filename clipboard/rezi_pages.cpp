#include "clipboard/rezi_pages.h"

#include <algorithm>

namespace zelvor {
namespace {

constexpr std::string_view kKey = utility_key::ReziZovidaraz;
constexpr std::string_view kSeparatorRow = "---------------";

struct Flag {
  int local;
  std::string_view text;
  std::string_view value;
};
constexpr Flag kFlags[] = {
    {CReziZovidarazDlg2::kStartOff, "Desactivar Rezi Zovidaraz en el inicio.", "DesactivarAlInicio"},
    {CReziZovidarazDlg2::kOnlyVisible, "Añadir nuevos portapapeles sólo cuando la ventana esté visible.",
     "AgregarVisible"},
    {CReziZovidarazDlg2::kClearOnClose, "Quitar todos los portapapeles cuando se cierre la ventana.",
     "QuitarAlCerrar"},
    {CReziZovidarazDlg2::kSave, "Guardar los portapapeles en disco al salir.", "SalvarPortapapeles"},
};

}  // namespace

Control CReziZovidarazDlg2::Build() {
  Control page = Control::make(ControlKind::Column);
  for (const Flag& f : kFlags) page.add(Control::make(ControlKind::CheckBox, Id(f.local), std::string(f.text)));
  Control& row = page.add(Control::make(ControlKind::Row));
  row.add(Control::make(ControlKind::CheckBox, Id(kLimitOn), "Máximo número de portapapeles:"));
  Control spin = Control::make(ControlKind::Spin, Id(kLimit));
  spin.minimum = 1;
  spin.maximum = 32000;
  spin.value = 15;
  row.add(std::move(spin));
  return page;
}

void CReziZovidarazDlg2::Load(const ConfigStore& store, Control& root) {
  for (const Flag& f : kFlags) {
    if (Control* c = root.find(Id(f.local))) c->checked = store.ReadConfigInt(kKey, f.value) == 1;
  }
  const int limit = store.ReadConfigInt(kKey, "MaximoPortapapeles");
  root.find(Id(kLimitOn))->checked = limit > 0;
  Control& spin = *root.find(Id(kLimit));
  spin.value = std::clamp(limit > 0 ? limit : 15, 1, 32000);
  spin.enabled = limit > 0;
}

bool CReziZovidarazDlg2::OnEvent(const ControlEvent& event, Control& root) {
  SetModified();
  if (event.controlId == Id(kLimitOn)) {
    root.find(Id(kLimit))->enabled = root.find(Id(kLimitOn))->checked;
    return true;
  }
  return false;
}

void CReziZovidarazDlg2::Save(ConfigStore& store, Control& root) {
  for (const Flag& f : kFlags) store.WriteConfigInt(kKey, f.value, root.find(Id(f.local))->checked ? 1 : 0);
  const Control& spin = *root.find(Id(kLimit));
  store.WriteConfigInt(kKey, "MaximoPortapapeles",
                       root.find(Id(kLimitOn))->checked ? std::clamp(spin.value, 1, 32000) : 0);
}

Control CReziZovidarazDlg3::Build() {
  Control page = Control::make(ControlKind::Column);
  Control& tools = page.add(Control::make(ControlKind::Row));
  tools.add(Control::make(ControlKind::Button, Id(kAdd), "Agregar texto"));
  tools.add(Control::make(ControlKind::Button, Id(kAddSeparator), "Agregar separador"));
  tools.add(Control::make(ControlKind::Button, Id(kDelete), "Eliminar"));
  tools.add(Control::make(ControlKind::Button, Id(kUp), "Subir"));
  tools.add(Control::make(ControlKind::Button, Id(kDown), "Bajar"));
  Control list = Control::make(ControlKind::ListView, Id(kList));
  list.columns = {{"Textos predefinidos", 300, false}};
  list.value = -1;
  page.add(std::move(list));
  Control fields = Control::make(ControlKind::Column, Id(kFields));
  fields.add(Control::make(ControlKind::Label, 0, "Descripción:"));
  fields.add(Control::make(ControlKind::Edit, Id(kDescription)));
  fields.add(Control::make(ControlKind::Label, 0, "Texto:"));
  Control text = Control::make(ControlKind::Edit, Id(kText));
  text.multiLine = true;
  fields.add(std::move(text));
  page.add(std::move(fields));
  return page;
}

void CReziZovidarazDlg3::Load(const ConfigStore& store, Control& root) {
  items_ = clip::LoadTexts(store);
  selected_ = items_.empty() ? -1 : 0;
  Show(root);
}

int CReziZovidarazDlg3::Selected(const Control& root) const {
  const Control* list = root.find(Id(kList));
  if (list == nullptr) return -1;
  for (std::size_t i = 0; i < list->rows.size(); ++i) {
    if (list->rows[i].selected) return static_cast<int>(i);
  }
  return list->value >= 0 && static_cast<std::size_t>(list->value) < items_.size() ? list->value : -1;
}

void CReziZovidarazDlg3::Show(Control& root) {
  Control& list = *root.find(Id(kList));
  list.rows.clear();
  for (std::size_t i = 0; i < items_.size(); ++i) {
    ListRow r;
    r.cells = {items_[i].separator ? std::string(kSeparatorRow) : items_[i].description};
    r.selected = static_cast<int>(i) == selected_;
    list.rows.push_back(std::move(r));
  }
  list.value = selected_;
  const bool text = selected_ >= 0 && !items_[static_cast<std::size_t>(selected_)].separator;
  Control& fields = *root.find(Id(kFields));
  fields.visible = text;
  root.find(Id(kDescription))->text = text ? items_[static_cast<std::size_t>(selected_)].description : "";
  root.find(Id(kText))->text = text ? items_[static_cast<std::size_t>(selected_)].text : "";
  root.find(Id(kDelete))->enabled = selected_ >= 0;
  root.find(Id(kUp))->enabled = selected_ > 0;
  root.find(Id(kDown))->enabled = selected_ >= 0 && static_cast<std::size_t>(selected_) + 1 < items_.size();
}

bool CReziZovidarazDlg3::OnEvent(const ControlEvent& event, Control& root) {
  const int id = event.controlId;
  const auto at = [&](int i) { return items_.begin() + i; };
  if (id == Id(kList)) {
    selected_ = Selected(root);
  } else if (id == Id(kDescription) || id == Id(kText)) {
    if (selected_ < 0 || items_[static_cast<std::size_t>(selected_)].separator) return false;
    clip::TextItem& item = items_[static_cast<std::size_t>(selected_)];
    if (id == Id(kText)) {
      item.text = root.find(Id(kText))->text;
      SetModified();
      return false;
    }
    // Renaming shows at once in the list.
    item.description = root.find(Id(kDescription))->text;
    // A description that reads "Separador" would come back as a separator: the
    // store cannot tell them apart.
    SetModified();
  } else if (event.kind != ControlEvent::Kind::Clicked) {
    return false;
  } else if (id == Id(kAdd) || id == Id(kAddSeparator)) {
    clip::TextItem item;
    item.separator = id == Id(kAddSeparator);
    if (!item.separator) item.description = "Nuevo texto";
    const int where = selected_ < 0 ? static_cast<int>(items_.size()) : selected_ + 1;
    items_.insert(at(where), std::move(item));
    selected_ = where;
    SetModified();
  } else if (id == Id(kDelete) && selected_ >= 0) {
    items_.erase(at(selected_));
    selected_ = std::min(selected_, static_cast<int>(items_.size()) - 1);
    SetModified();
  } else if (id == Id(kUp) && selected_ > 0) {
    std::iter_swap(at(selected_), at(selected_ - 1));
    --selected_;
    SetModified();
  } else if (id == Id(kDown) && selected_ >= 0 && static_cast<std::size_t>(selected_) + 1 < items_.size()) {
    std::iter_swap(at(selected_), at(selected_ + 1));
    ++selected_;
    SetModified();
  } else {
    return false;
  }
  Show(root);
  return true;
}

void CReziZovidarazDlg3::Save(ConfigStore& store, Control& root) {
  (void)root;
  clip::SaveTexts(store, items_);
}

}  // namespace zelvor
