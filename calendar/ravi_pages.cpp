#include "calendar/ravi_pages.h"

#include <algorithm>

#include "calendar/calendar_font.h"
#include "notes/note_font.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor::calendar {
namespace {

constexpr std::string_view kKey = utility_key::RaviVarudide;
constexpr int kDaysShownWhileOff = 2;

void applyToCalendar(CZelvorApp& app) {
  if (Utility* u = app.utility(UtilityKind::RaviVarudide)) u->applySettings();
}

std::optional<std::uint32_t> dwordOf(const ConfigStore& store, std::string_view name) {
  CRegKeyEx key(store.registry());
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) != RegStatus::Ok) return std::nullopt;
  return key.GetDword(name);
}

void writeDword(ConfigStore& store, std::string_view name, std::uint32_t value) {
  CRegKeyEx key(store.registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) != RegStatus::Ok) return;
  key.SetDword(name, value);
}

Control labelled(int id, const char* text) {
  Control b = Control::make(ControlKind::ColourButton, id, text);
  return b;
}

}  // namespace

// Opciones.

Control CRaviVarudideDlg1::Build() {
  Control page = Control::make(ControlKind::Column);
  page.add(Control::make(ControlKind::Label, 0,
                         "Cuando el día actual contenga alguna nota mostrar un aviso emergente y además:"));
  Control& choices = page.add(Control::make(ControlKind::Column));
  choices.add(Control::make(ControlKind::Radio, Id(kNothing), "No hacer nada."));
  choices.add(Control::make(ControlKind::Radio, Id(kShowCalendar), "Mostrar el calendario."));
  choices.add(Control::make(ControlKind::Radio, Id(kBlink), "Parpadear el icono de Ravi Varudide."));
  choices.add(Control::make(ControlKind::Radio, Id(kBlinkAndSound),
                            "Parpadear el icono de Ravi Varudide y reproducir el siguiente archivo WAV:"));
  Control& wav = page.add(Control::make(ControlKind::Row));
  wav.add(Control::make(ControlKind::Edit, Id(kSound)));
  wav.add(Control::make(ControlKind::Button, Id(kBrowse), "..."));
  Control& seconds = page.add(Control::make(ControlKind::Row));
  seconds.add(Control::make(ControlKind::Label, 0, "Mostrar el aviso emergente durante"));
  Control spin = Control::make(ControlKind::Spin, Id(kSeconds));
  spin.minimum = 0;
  spin.maximum = 3600;
  seconds.add(std::move(spin));
  seconds.add(Control::make(ControlKind::Label, 0, "segundos."));
  Control& days = page.add(Control::make(ControlKind::Row));
  days.add(Control::make(ControlKind::CheckBox, Id(kAnnounce), "Dar un aviso para las notas con "));
  Control daySpin = Control::make(ControlKind::Spin, Id(kDays));
  daySpin.minimum = 1;
  daySpin.maximum = 365;
  days.add(std::move(daySpin));
  days.add(Control::make(ControlKind::Label, 0, "días de antelación."));
  return page;
}

void CRaviVarudideDlg1::Enable(Control& root) const {
  const bool sound = root.find(Id(kBlinkAndSound))->checked;
  root.find(Id(kSound))->enabled = sound;
  root.find(Id(kBrowse))->enabled = sound;
  root.find(Id(kDays))->enabled = root.find(Id(kAnnounce))->checked;
}

void CRaviVarudideDlg1::Load(const ConfigStore& store, Control& root) {
  int action = store.ReadConfigInt(kKey, "Accion");
  if (action < 0 || action > 3) action = 0;
  for (int i = 0; i < 4; ++i) root.find(Id(kNothing + i))->checked = action == i;
  root.find(Id(kSound))->text = store.ReadConfigString(kKey, "Sonido");
  root.find(Id(kSeconds))->value = std::clamp(store.ReadConfigInt(kKey, "TiempoAviso"), 0, 3600);
  const bool announce = store.ReadConfigInt(kKey, "AvisarProximasNotas") != 0;
  root.find(Id(kAnnounce))->checked = announce;
  root.find(Id(kDays))->value =
      announce ? std::clamp(store.ReadConfigInt(kKey, "DiasAntelacionAviso"), 1, 365) : kDaysShownWhileOff;
  Enable(root);
}

bool CRaviVarudideDlg1::OnEvent(const ControlEvent& event, Control& root) {
  SetModified();
  if (event.controlId == Id(kBrowse) && event.kind == ControlEvent::Kind::Clicked) {
    DialogHost::FileDialog dialog;
    dialog.filter = "Archivos WAV (*.wav)|*.wav||";
    dialog.mustExist = true;
    dialog.initial = root.find(Id(kSound))->text;
    const auto chosen = app_.dialogs().chooseFiles(dialog);
    if (!chosen.empty()) root.find(Id(kSound))->text = chosen.front();
    return true;
  }
  if (event.controlId >= Id(kNothing) && event.controlId <= Id(kBlinkAndSound)) {
    for (int i = kNothing; i <= kBlinkAndSound; ++i) root.find(Id(i))->checked = Id(i) == event.controlId;
  }
  Enable(root);
  return true;
}

void CRaviVarudideDlg1::Save(ConfigStore& store, Control& root) {
  int action = 0;
  for (int i = 0; i < 4; ++i) {
    if (root.find(Id(kNothing + i))->checked) action = i;
  }
  store.WriteConfigInt(kKey, "Accion", action);
  store.WriteConfigString(kKey, "Sonido", root.find(Id(kSound))->text);
  store.WriteConfigInt(kKey, "TiempoAviso", std::clamp(root.find(Id(kSeconds))->value, 0, 3600));
  const bool announce = root.find(Id(kAnnounce))->checked;
  store.WriteConfigInt(kKey, "AvisarProximasNotas", announce ? 1 : 0);
  store.WriteConfigInt(kKey, "DiasAntelacionAviso", std::clamp(root.find(Id(kDays))->value, 1, 365));
}

// Color del calendario.

Control CRaviVarudideDlg2::Build() {
  Control page = Control::make(ControlKind::Row);
  Control& buttons = page.add(Control::make(ControlKind::Column));
  buttons.add(labelled(Id(kBackground), "Color de fondo:"));
  buttons.add(labelled(Id(kText), "Color del texto:"));
  buttons.add(labelled(Id(kTitleBack), "Color de fondo del título:"));
  buttons.add(labelled(Id(kTitleText), "Color del texto del título:"));
  Control preview = Control::make(ControlKind::Canvas, Id(kPreview));
  preview.size = MinMonthSize(false);
  preview.paint = [this](Canvas& canvas, Size size) {
    SurfaceState s;
    s.colours = colours_;
    // A fixed month keeps the preview the same whenever it is looked at.
    s.firstMonth = MonthIndex(2011, 5);
    s.selected = {2011, 5, 10};
    s.marks = {1u << 4 | 1u << 19};
    canvas.fillRect({0, 0, size.width, size.height}, colours_.background);
    PaintSurface(canvas, LayoutSurface(size, 0, TabMode::None, false), s);
  };
  page.add(std::move(preview));
  return page;
}

void CRaviVarudideDlg2::Load(const ConfigStore& store, Control& root) {
  colours_ = GridColours{};
  if (const auto v = dwordOf(store, "ColorFondo")) colours_.background = *v;
  if (const auto v = dwordOf(store, "ColorTexto")) colours_.text = *v;
  if (const auto v = dwordOf(store, "ColorFondoTitulo")) colours_.titleBack = *v;
  if (const auto v = dwordOf(store, "ColorTextoTitulo")) colours_.titleText = *v;
  root.find(Id(kBackground))->colour = colours_.background;
  root.find(Id(kText))->colour = colours_.text;
  root.find(Id(kTitleBack))->colour = colours_.titleBack;
  root.find(Id(kTitleText))->colour = colours_.titleText;
}

bool CRaviVarudideDlg2::OnEvent(const ControlEvent& event, Control& root) {
  SetModified();
  (void)event;
  colours_.background = root.find(Id(kBackground))->colour;
  colours_.text = root.find(Id(kText))->colour;
  colours_.titleBack = root.find(Id(kTitleBack))->colour;
  colours_.titleText = root.find(Id(kTitleText))->colour;
  return true;
}

void CRaviVarudideDlg2::Save(ConfigStore& store, Control&) {
  writeDword(store, "ColorFondo", colours_.background);
  writeDword(store, "ColorTexto", colours_.text);
  writeDword(store, "ColorFondoTitulo", colours_.titleBack);
  writeDword(store, "ColorTextoTitulo", colours_.titleText);
}

void CRaviVarudideDlg2::Saved(Control&) { applyToCalendar(app_); }

// Formato de las notas.

Control CRaviVarudideDlg3::Build() {
  Control page = Control::make(ControlKind::Column);
  Control& row = page.add(Control::make(ControlKind::Row));
  row.add(Control::make(ControlKind::Button, Id(kFont), "Fuente..."));
  row.add(labelled(Id(kBackground), "Color de fondo:"));
  Control preview = Control::make(ControlKind::Edit, Id(kPreview), "Esto es una nota de prueba");
  preview.multiLine = true;
  preview.readOnly = true;
  page.add(std::move(preview));
  return page;
}

void CRaviVarudideDlg3::ShowPreview(Control& root) const {
  Control& preview = *root.find(Id(kPreview));
  preview.font = font_ ? notes::TextFontOf(*font_) : std::nullopt;
  preview.backColour = root.find(Id(kBackground))->colour;
  preview.textColour = text_;
}

void CRaviVarudideDlg3::Load(const ConfigStore& store, Control& root) {
  font_.reset();
  CRegKeyEx key(store.registry());
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) == RegStatus::Ok) {
    if (const auto bytes = key.GetBinary("Fuente")) font_ = DecodeLogFont(*bytes);
  }
  root.find(Id(kBackground))->colour = dwordOf(store, "ColorFondoNotas").value_or(0xFFFFFF);
  text_ = dwordOf(store, "ColorTextoNotas").value_or(0);
  ShowPreview(root);
}

bool CRaviVarudideDlg3::OnEvent(const ControlEvent& event, Control& root) {
  if (event.controlId == Id(kFont) && event.kind == ControlEvent::Kind::Clicked) {
    TextFont font = font_ ? notes::TextFontOf(*font_).value_or(TextFont{}) : TextFont{};
    Colour colour = text_;
    if (!app_.dialogs().chooseFont(font, colour)) return false;
    font_ = notes::LogFontOf(font);
    text_ = colour;
  }
  SetModified();
  ShowPreview(root);
  return true;
}

void CRaviVarudideDlg3::Save(ConfigStore& store, Control& root) {
  CRegKeyEx key(store.registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) == RegStatus::Ok && font_) {
    key.SetBinary("Fuente", EncodeLogFont(*font_));
  }
  writeDword(store, "ColorFondoNotas", root.find(Id(kBackground))->colour);
  writeDword(store, "ColorTextoNotas", text_);
}

void CRaviVarudideDlg3::Saved(Control&) { applyToCalendar(app_); }

}  // namespace zelvor::calendar
