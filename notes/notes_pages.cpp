#include "notes/notes_pages.h"

#include <algorithm>

#include "platform/menu_host.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "shell/modeless_window.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor::notes {
namespace {

constexpr const char* kKey = "DuvuZevad";
constexpr const char* kSoundFilter = "Archivo de audio (*.wav)|*.wav||";
constexpr int kColourChoices = 3;
constexpr int kTemplateHeight = 60;

Control Spin(int id) {
  Control spin = Control::make(ControlKind::Spin, id);
  spin.minimum = kSpinMinimum;
  spin.maximum = kSpinMaximum;
  spin.value = kSpinShownWhenOff;
  return spin;
}

// A stored count: its box and its number.
void ShowCount(Control* box, Control* spin, int stored) {
  const bool on = stored >= kSpinMinimum;
  if (box != nullptr) box->checked = on;
  if (spin != nullptr) spin->value = on ? std::min(stored, kSpinMaximum) : kSpinShownWhenOff;
}

int StoredCount(const Control* box, const Control* spin) {
  if (box == nullptr || spin == nullptr || !box->checked) return 0;
  return std::clamp(spin->value, kSpinMinimum, kSpinMaximum);
}

bool Checked(const Control* c) { return c != nullptr && c->checked; }

}  // namespace

// ------------------------------------------------------------- CDuvuZevadDlg2

CDuvuZevadDlg2::CDuvuZevadDlg2(CZelvorApp& app, int firstId) : CConfDialog(firstId), app_(app) {}

Control CDuvuZevadDlg2::Build() {
  Control page = Control::make(ControlKind::Column);
  page.add(Control::make(ControlKind::CheckBox, Id(kHideAtStart), "Ocultar todas las notas en el inicio."));
  page.add(Control::make(ControlKind::CheckBox, Id(kWarnLate), "Avisar las notas retrasadas."));
  page.add(Control::make(ControlKind::CheckBox, Id(kDisableBin),
                         "Deshabilitar la papelera de reciclaje (las notas eliminadas no podrán recuperarse)."));
  Control& capacity = page.add(Control::make(ControlKind::Row));
  capacity.add(Control::make(ControlKind::CheckBox, Id(kCapacityBox), "Capacidad máxima de la papelera:"));
  capacity.add(Spin(Id(kCapacity)));
  capacity.add(Control::make(ControlKind::Label, 0, "notas."));
  Control& days = page.add(Control::make(ControlKind::Row));
  days.add(Control::make(ControlKind::CheckBox, Id(kDaysBox), "Mantener las notas en la papelera:"));
  days.add(Spin(Id(kDays)));
  days.add(Control::make(ControlKind::Label, 0, "días."));
  page.add(Control::make(ControlKind::Label, 0, "Sonido por defecto para la alarma:"));
  Control& sound = page.add(Control::make(ControlKind::Row));
  sound.add(Control::make(ControlKind::Edit, Id(kSound)));
  sound.add(Control::make(ControlKind::Button, Id(kPlay), "Reproducir"));
  sound.add(Control::make(ControlKind::Button, Id(kBrowse), "Examinar..."));
  return page;
}

void CDuvuZevadDlg2::Load(const ConfigStore& store, Control& root) {
  const auto flag = [&](int local, const char* name) {
    if (Control* c = root.find(Id(local))) c->checked = store.ReadConfigInt(kKey, name) != 0;
  };
  flag(kHideAtStart, "OcultarNotasAlInicio");
  flag(kWarnLate, "AvisarNotasRetrasadas");
  flag(kDisableBin, "DeshabilitarPapelera");
  ShowCount(root.find(Id(kCapacityBox)), root.find(Id(kCapacity)), store.ReadConfigInt(kKey, "CapacidadPapelera"));
  ShowCount(root.find(Id(kDaysBox)), root.find(Id(kDays)), store.ReadConfigInt(kKey, "DiasEnPapelera"));
  if (Control* c = root.find(Id(kSound))) c->text = store.ReadConfigString(kKey, "SonidoDefecto");
  ApplyEnabling(root);
}

void CDuvuZevadDlg2::ApplyEnabling(Control& root) const {
  if (Control* c = root.find(Id(kCapacity))) c->enabled = Checked(root.find(Id(kCapacityBox)));
  if (Control* c = root.find(Id(kDays))) c->enabled = Checked(root.find(Id(kDaysBox)));
}

bool CDuvuZevadDlg2::OnEvent(const ControlEvent& event, Control& root) {
  Control* sound = root.find(Id(kSound));
  if (event.kind == ControlEvent::Kind::Clicked && event.controlId == Id(kPlay)) {
    if (sound != nullptr && !sound->text.empty()) app_.helpers().PlayEventSound(sound->text, false);
    return false;
  }
  if (event.kind == ControlEvent::Kind::Clicked && event.controlId == Id(kBrowse)) {
    DialogHost::FileDialog dialog;
    dialog.filter = kSoundFilter;
    dialog.initial = sound != nullptr ? sound->text : std::string();
    dialog.mustExist = true;
    const auto chosen = app_.dialogs().chooseFiles(dialog);
    if (chosen.empty() || sound == nullptr) return false;
    sound->text = chosen.front();
    SetModified();
    return true;
  }
  if (event.kind != ControlEvent::Kind::Clicked && event.kind != ControlEvent::Kind::Changed) return false;
  SetModified();
  ApplyEnabling(root);
  return true;
}

void CDuvuZevadDlg2::Save(ConfigStore& store, Control& root) {
  const auto flag = [&](int local, const char* name) {
    store.WriteConfigInt(kKey, name, Checked(root.find(Id(local))) ? 1 : 0);
  };
  flag(kHideAtStart, "OcultarNotasAlInicio");
  flag(kWarnLate, "AvisarNotasRetrasadas");
  flag(kDisableBin, "DeshabilitarPapelera");
  store.WriteConfigInt(kKey, "CapacidadPapelera", StoredCount(root.find(Id(kCapacityBox)), root.find(Id(kCapacity))));
  store.WriteConfigInt(kKey, "DiasEnPapelera", StoredCount(root.find(Id(kDaysBox)), root.find(Id(kDays))));
  if (const Control* c = root.find(Id(kSound))) store.WriteConfigString(kKey, "SonidoDefecto", c->text);
}

// ------------------------------------------------------------- CDuvuZevadDlg3

const std::array<CDuvuZevadDlg3::Macro, 9>& CDuvuZevadDlg3::MacroItems() {
  static constexpr std::array<Macro, 9> kItems{{
      {"Fecha larga", "%LONGDATE%"},
      {"Fecha corta", "%SHORTDATE%"},
      {"Hora - 12 horas", "%TIME12%"},
      {"Hora - 24 horas", "%TIME24%"},
      {"Nombre de usuario", "%USERNAME%"},
      {"Nombre del ordenador", "%HOSTNAME%"},
      {"Serie numérica", "%SEQNUM%"},
      {"Serie alfabética (minúsculas)", "%SEQALFALOWER%"},
      {"Serie alfabética (mayúsculas)", "%SEQALFAUPPER%"},
  }};
  return kItems;
}

CDuvuZevadDlg3::CDuvuZevadDlg3(CZelvorApp& app, int firstId, DefaultNoteEditor editDefault)
    : CConfDialog(firstId), app_(app), editDefault_(std::move(editDefault)) {
  menuTarget_ = app_.desktop().loop.addTarget(*this);
}

CDuvuZevadDlg3::~CDuvuZevadDlg3() { app_.desktop().loop.removeTarget(menuTarget_); }

Control CDuvuZevadDlg3::Build() {
  Control page = Control::make(ControlKind::Column);
  Control& colour = page.add(Control::make(ControlKind::Row));
  colour.add(Control::make(ControlKind::CheckBox, Id(kRandomColourBox), "Color aleatorio:"));
  Control list = Control::make(ControlKind::Combo, Id(kRandomColour));
  list.items = {"Entre colores claros", "Entre colores oscuros", "Entre colores claros y oscuros"};
  list.value = 0;
  colour.add(std::move(list));
  page.add(Control::make(ControlKind::CheckBox, Id(kRandomPosition), "Posición aleatoria en la pantalla."));
  page.add(Control::make(ControlKind::Label, 0, "Incluír el siguiente texto en el título de las nuevas notas:"));
  Control& titleRow = page.add(Control::make(ControlKind::Row));
  titleRow.add(Control::make(ControlKind::Edit, Id(kTitleTemplate)));
  titleRow.add(Control::make(ControlKind::Button, Id(kTitleMacros), ">"));
  page.add(Control::make(ControlKind::Label, 0, "Incluír el siguiente texto en las nuevas notas:"));
  Control& textRow = page.add(Control::make(ControlKind::Row));
  Control text = Control::make(ControlKind::Edit, Id(kTextTemplate));
  text.multiLine = true;
  text.size = {0, kTemplateHeight};
  textRow.add(std::move(text));
  textRow.add(Control::make(ControlKind::Button, Id(kTextMacros), ">"));
  page.add(Control::make(ControlKind::Button, Id(kEditDefault), "Establecer el formato, la posición y el tamaño"));
  return page;
}

void CDuvuZevadDlg3::Load(const ConfigStore& store, Control& root) {
  root_ = &root;
  const int colour = store.ReadConfigInt(kKey, "ColorAleatorio");
  const bool random = colour >= 1 && colour <= kColourChoices;
  if (Control* c = root.find(Id(kRandomColourBox))) c->checked = random;
  if (Control* c = root.find(Id(kRandomColour))) c->value = random ? colour - 1 : 0;
  if (Control* c = root.find(Id(kRandomPosition))) c->checked = store.ReadConfigInt(kKey, "PosicionAleatoria") != 0;
  if (Control* c = root.find(Id(kTitleTemplate))) c->text = store.ReadConfigString(kKey, "TituloPorDefecto");
  if (Control* c = root.find(Id(kTextTemplate))) c->text = store.ReadConfigString(kKey, "TextoPorDefecto");
  // Defecto counts only as binary bytes, at most one record; the rest stays zero.
  defecto_.fill(0);
  CRegKeyEx key(store.registry());
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) == RegStatus::Ok) {
    const auto bytes = key.GetBinary("Defecto");
    if (bytes && bytes->size() <= kNoteRecordSize) std::copy(bytes->begin(), bytes->end(), defecto_.begin());
  }
  ApplyEnabling(root);
}

void CDuvuZevadDlg3::ApplyEnabling(Control& root) const {
  if (Control* c = root.find(Id(kRandomColour))) c->enabled = Checked(root.find(Id(kRandomColourBox)));
}

bool CDuvuZevadDlg3::OnEvent(const ControlEvent& event, Control& root) {
  root_ = &root;
  if (event.kind == ControlEvent::Kind::Clicked) {
    if (event.controlId == Id(kTitleMacros)) {
      OpenMacroMenu(kTitleTemplate, MacroItems().size());
      return false;
    }
    if (event.controlId == Id(kTextMacros)) {
      OpenMacroMenu(kTextTemplate, kTextMacroCount);
      return false;
    }
    if (event.controlId == Id(kEditDefault)) {
      EditDefault();
      return false;
    }
  }
  if (event.kind != ControlEvent::Kind::Clicked && event.kind != ControlEvent::Kind::Changed) return false;
  SetModified();
  ApplyEnabling(root);
  return true;
}

void CDuvuZevadDlg3::OpenMacroMenu(int editLocal, std::size_t count) {
  macroEdit_ = editLocal;
  Menu menu;
  for (std::size_t i = 0; i < count; ++i) {
    menu.items.push_back(MenuItem::command(kFirstMacroItem + static_cast<int>(i), MacroItems()[i].text));
  }
  Desktop& desktop = app_.desktop();
  const int style = std::clamp(app_.store().ReadConfigInt("", root_value::EstiloMenus), 0, 3);
  desktop.menus.popup(menu, desktop.screen.cursor(), static_cast<MenuStyle>(style), menuTarget_);
}

void CDuvuZevadDlg3::onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t) {
  if (message != msg::Command) return;
  const std::intptr_t index = wparam - kFirstMacroItem;
  if (index < 0 || static_cast<std::size_t>(index) >= MacroItems().size()) return;
  InsertMacro(static_cast<std::size_t>(index));
}

void CDuvuZevadDlg3::InsertMacro(std::size_t index) {
  if (root_ == nullptr) return;
  Control* edit = root_->find(Id(macroEdit_));
  if (edit == nullptr) return;
  // The window model keeps no caret: the macro goes at the end of the text.
  edit->text += MacroItems()[index].macro;
  SetModified();
  ShowAgain();
}

void CDuvuZevadDlg3::EditDefault() {
  if (!editDefault_) return;
  const NoteRecordBytes zero{};
  const NoteRecord start = defecto_ == zero ? BuiltInNoteRecord() : DecodeNoteRecord(defecto_);
  const auto edited = editDefault_(start);
  if (!edited) return;
  defecto_ = EncodeNoteRecord(*edited);
  SetModified();
  ShowAgain();
}

void CDuvuZevadDlg3::ShowAgain() {
  // The configuration window shows the page's controls; it is on screen while the page is.
  if (auto* window = dynamic_cast<ModelessWindow*>(app_.window(WindowKind::Config))) {
    if (window->handle() != kNoWindow) app_.dialogs().update(window->handle());
  }
}

void CDuvuZevadDlg3::Save(ConfigStore& store, Control& root) {
  if (const Control* c = root.find(Id(kTitleTemplate))) store.WriteConfigString(kKey, "TituloPorDefecto", c->text);
  if (const Control* c = root.find(Id(kTextTemplate))) store.WriteConfigString(kKey, "TextoPorDefecto", c->text);
  const Control* list = root.find(Id(kRandomColour));
  const int colour = Checked(root.find(Id(kRandomColourBox))) && list != nullptr
                         ? std::clamp(list->value, 0, kColourChoices - 1) + 1
                         : 0;
  store.WriteConfigInt(kKey, "ColorAleatorio", colour);
  store.WriteConfigInt(kKey, "PosicionAleatoria", Checked(root.find(Id(kRandomPosition))) ? 1 : 0);
  CRegKeyEx key(store.registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) == RegStatus::Ok) {
    key.SetBinary("Defecto", std::vector<std::uint8_t>(defecto_.begin(), defecto_.end()));
  }
}

}  // namespace zelvor::notes
