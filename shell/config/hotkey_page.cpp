#include "shell/config/hotkey_page.h"

#include "platform/hotkeys.h"
#include "shell/hotkey_names.h"
#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor {
namespace {

std::string valueName(std::size_t row) { return "HotKey" + std::to_string(row + 1); }

}  // namespace

CHotKeyConfig::CHotKeyConfig(CZelvorApp& app, int firstId, std::string ownerKey, int iconId,
                             std::span<const std::string_view> rows)
    : CConfDialog(firstId), app_(app), ownerKey_(std::move(ownerKey)), iconId_(iconId),
      rows_(rows.begin(), rows.end()), values_(rows.size(), 0) {}

Control CHotKeyConfig::Build() {
  Control page = Control::make(ControlKind::Column);
  page.add(Control::make(ControlKind::Label, 0, "Establezca las teclas de acceso rápido para cada acción:"));
  Control list = Control::make(ControlKind::ListView, Id(kList));
  // Wide enough for the longest action and combination in a desktop font.
  list.columns = {{"", 330}, {"", 180}};
  list.value = -1;
  for (const std::string& text : rows_) list.rows.push_back({{text, ""}});
  list.size = {0, 160};
  page.add(std::move(list));
  Control row = Control::make(ControlKind::Row);
  row.add(Control::make(ControlKind::HotkeyField, Id(kField)));
  row.add(Control::make(ControlKind::Button, Id(kSet), "Establecer"));
  page.add(std::move(row));
  page.add(Control::make(ControlKind::Label, 0,
                         "NOTA: algunas combinaciones de teclas pueden no funcionar por estar reservadas por el "
                         "sistema o por estar registradas por otra aplicación."));
  Control notice = Control::make(ControlKind::Label, Id(kNotice));
  notice.visible = false;
  page.add(std::move(notice));
  return page;
}

void CHotKeyConfig::Load(const ConfigStore& store, Control& root) {
  CRegKeyEx key(store.registry());
  const bool open = key.Open(Hive::CurrentUser, ConfigStore::KeyPath(ownerKey_)) == RegStatus::Ok;
  Control* list = root.find(Id(kList));
  if (list == nullptr) return;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    values_[i] = open ? key.GetDword(valueName(i)).value_or(0) : 0;
    list->rows[i].cells[1] = KeyName(values_[i]);
  }
  ShowRow(root, rows_.empty() ? -1 : 0);
}

void CHotKeyConfig::ShowRow(Control& root, int row) {
  Control* list = root.find(Id(kList));
  Control* field = root.find(Id(kField));
  if (list == nullptr || field == nullptr) return;
  list->value = row;
  for (std::size_t i = 0; i < list->rows.size(); ++i) list->rows[i].selected = static_cast<int>(i) == row;
  const bool valid = row >= 0 && static_cast<std::size_t>(row) < values_.size();
  field->value = valid ? static_cast<int>(RegistrationToField(values_[static_cast<std::size_t>(row)])) : 0;
  if (Control* notice = root.find(Id(kNotice)); notice != nullptr && !app_.desktop().hotkeys.canGrab()) {
    notice->text = DesktopShortcutLine(valid ? row : 0);
    notice->visible = true;
  }
}

std::string CHotKeyConfig::DesktopShortcutLine(int row) const {
  // Where no program may grab keys, the desktop's own shortcut settings run
  // the command instead.
  return "Este escritorio no permite capturar teclas: asigne la combinación en los atajos de teclado del "
         "escritorio con la orden: zelvorctl command " +
         std::to_string(iconId_) + " " + std::to_string(row + 1);
}

bool CHotKeyConfig::OnEvent(const ControlEvent& event, Control& root) {
  if (event.controlId == Id(kList) && event.kind == ControlEvent::Kind::Changed) {
    const Control* list = root.find(Id(kList));
    ShowRow(root, list != nullptr ? list->value : -1);
    return true;
  }
  if (event.controlId == Id(kSet) && event.kind == ControlEvent::Kind::Clicked) {
    const Control* list = root.find(Id(kList));
    const Control* field = root.find(Id(kField));
    if (list == nullptr || field == nullptr || list->value < 0 ||
        static_cast<std::size_t>(list->value) >= values_.size()) {
      return false;
    }
    const auto row = static_cast<std::size_t>(list->value);
    const std::uint32_t binding = FieldToRegistration(static_cast<std::uint32_t>(field->value));
    const std::string name = KeyName(binding);
    // A key without a name cannot be shown, so the row is left unbound.
    values_[row] = name.empty() ? 0 : binding;
    root.find(Id(kList))->rows[row].cells[1] = name;
    SetModified();
    return true;
  }
  return false;
}

void CHotKeyConfig::Save(ConfigStore& store, Control& root) {
  (void)root;
  CRegKeyEx key(store.registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(ownerKey_)) != RegStatus::Ok) return;
  for (std::size_t i = 0; i < values_.size(); ++i) key.SetDword(valueName(i), values_[i]);
}

void CHotKeyConfig::Saved(Control& root) {
  CPrincipalDlg* main = app_.mainWindow();
  if (main == nullptr) return;
  std::string refused;
  for (std::size_t i = 0; i < values_.size(); ++i) {
    const int id = HotkeyId(iconId_, static_cast<int>(i) + 1);
    if (values_[i] == 0) {
      main->UnregisterHotkey(id);
    } else if (!main->RegisterHotkey(id, values_[i])) {
      refused += (refused.empty() ? "" : ", ") + KeyName(values_[i]);
    }
  }
  Control* notice = root.find(Id(kNotice));
  if (notice == nullptr) return;
  if (!app_.desktop().hotkeys.canGrab()) return;  // the line about the desktop's shortcuts stays
  notice->visible = !refused.empty();
  notice->text = refused.empty() ? std::string{}
                                 : "No se pudo registrar " + refused +
                                       ": la combinación está reservada o la usa otra aplicación.";
}

}  // namespace zelvor
