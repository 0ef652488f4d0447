#include "calendar/calendar_view.h"

#include <algorithm>

#include "calendar/calendar_font.h"
#include "calendar/calendar_print.h"
#include "calendar/calendar_toolbar.h"
#include "notes/note_font.h"
#include "notes/note_print.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "shell/listwindow/frame_placement.h"
#include "shell/printing/line_printer.h"
#include "shell/shell_helpers.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

namespace zelvor::calendar {
namespace {

constexpr std::string_view kKey = utility_key::RaviVarudide;
constexpr std::array<const char*, 7> kWeekdays = {"Domingo", "Lunes",  "Martes", "Miércoles",
                                                  "Jueves",  "Viernes", "Sábado"};
constexpr Colour kButtonFace = 0xF0F0F0;
// Room the frame takes around the surface (tool bar, menu, borders) before
// the binding has told the surface's real size.
constexpr int kChromeHeight = 80;
constexpr int kChromeWidth = 30;

MenuItem command(int id, const char* text, bool grayed = false) {
  MenuItem m = MenuItem::command(id, text);
  m.grayed = grayed;
  return m;
}

TextFont sheetFont(int pixelHeight) {
  TextFont f;
  f.family = "MS Sans Serif";
  f.pointSize = pixelHeight * 72 / 96;
  f.bold = true;
  f.weight = 1000;
  return f;
}

}  // namespace

CCalendarView::CCalendarView(CZelvorApp& app, CalendarStore& store, CalendarFiles& files)
    : app_(app), store_(store), files_(files) {}

CCalendarView::~CCalendarView() {
  if (handle_ != kNoWindow) app_.dialogs().destroy(handle_);
}

Clock& CCalendarView::clock() const { return app_.platform().clock; }

std::int64_t CCalendarView::SelectedValue() const { return DateValue(clock(), selected_); }

Control& CCalendarView::Edit(NoteKind kind) { return *root.find(editId(kind)); }

std::string CCalendarView::EditText(NoteKind kind) { return Edit(kind).text; }

void CCalendarView::ReadSettings() {
  CRegKeyEx key(app_.store().registry());
  const bool haveKey = key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) == RegStatus::Ok;
  const auto dword = [&](std::string_view name) -> std::optional<std::uint32_t> {
    return haveKey ? key.GetDword(name) : std::nullopt;
  };
  colours_ = GridColours{};
  if (const auto v = dword("ColorFondo")) colours_.background = *v;
  if (const auto v = dword("ColorTexto")) colours_.text = *v;
  if (const auto v = dword("ColorFondoTitulo")) colours_.titleBack = *v;
  if (const auto v = dword("ColorTextoTitulo")) colours_.titleText = *v;
  notesBack_ = dword("ColorFondoNotas").value_or(0xFFFFFF);
  notesText_ = dword("ColorTextoNotas").value_or(0);
  font_.reset();
  if (haveKey) {
    if (const auto bytes = key.GetBinary("Fuente")) {
      if (const auto lf = DecodeLogFont(*bytes)) font_ = notes::TextFontOf(*lf);
    }
  }
  // Both are REG_DWORD; a text a hand-edited file may hold reads as its number.
  const auto number = [&](std::string_view name) {
    if (!haveKey) return 0;
    if (const auto v = key.GetDword(name)) return static_cast<int>(*v);
    return key.GetInt(name);
  };
  const int tabs = number("Pestañas");
  tabMode_ = tabs == 1 ? TabMode::Months : tabs == 2 ? TabMode::Years : TabMode::None;
  weekNumbers_ = number("NumeracionSemanas") == 1;
}

void CCalendarView::Create() {
  if (handle_ != kNoWindow) return;
  title = "Ravi Varudide";
  className = "CRaviVarudide";
  helpContext = help_context::RaviVarudide;
  style.resizable = true;
  style.caption = true;
  // The frame's placement and options, as list windows keep theirs.
  CRegKeyEx key(app_.store().registry());
  const bool haveKey = key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) == RegStatus::Ok;
  const FramePlacement placement =
      ReadFramePlacement(haveKey ? &key : nullptr, app_.desktop().screen.size(), app_.helpers().CanUseOpacity());
  geometry = placement.geometry;
  style.topmost = placement.topmost;
  transparency_ = placement.transparency;
  style.opacity = 100 - transparency_;
  surfaceSize_ = {std::max(geometry.width() - kRightColumnWidth - kChromeWidth, MinMonthSize(false).width),
                  std::max(geometry.height() - kChromeHeight, MinMonthSize(false).height)};
  ReadSettings();
  tabTitles_ = TabTitles(tabMode_, localNow(clock()).year);
  firstTabYear_ = localNow(clock()).year - 3;
  BuildModel();
  const LocalTime now = localNow(clock());
  selected_ = ClampDay({now.year, now.month, now.day});
  firstMonth_ = MonthIndex(selected_.year, selected_.month);
  LoadTexts();
  FollowSelection();
  RebuildMenus();
  handle_ = app_.dialogs().create(*this);
}

void CCalendarView::BuildModel() {
  root = Control::make(ControlKind::Column);
  Control tools = Control::make(ControlKind::Canvas, cal_ctl::ToolBar);
  tools.size = {0, kToolBarHeight};
  tools.paint = [this](Canvas& canvas, Size size) {
    PaintToolBar(canvas, size, {!Edit(activeKind_).text.empty(), style.topmost});
  };
  root.add(std::move(tools));
  Control& body = root.add(Control::make(ControlKind::Row));
  Control surface = Control::make(ControlKind::Canvas, cal_ctl::Surface);
  // The surface keeps the size the model gives it (the stored frame's, or
  // one of the two sizes); the notes column takes what the user adds.
  surface.size = surfaceSize_;
  surface.paint = [this](Canvas& canvas, Size size) {
    surfaceSize_ = size;
    SurfaceState s;
    s.tabTitles = tabTitles_;
    s.currentTab = currentTab_;
    s.mode = tabMode_;
    s.firstMonth = firstMonth_;
    s.selected = selected_;
    const LocalTime now = localNow(clock());
    s.today = {now.year, now.month, now.day};
    s.weekNumbers = weekNumbers_;
    s.colours = colours_;
    s.marks = Marks();
    canvas.fillRect({0, 0, size.width, size.height}, colours_.background);
    PaintSurface(canvas, Layout(), s);
  };
  body.add(std::move(surface));
  Control right = Control::make(ControlKind::Column);
  right.size = {kRightColumnWidth, 0};
  Control sheet = Control::make(ControlKind::Canvas, cal_ctl::DaySheet);
  sheet.size = {kRightColumnWidth, kDaySheetHeight};
  sheet.paint = [this](Canvas& canvas, Size size) { PaintDaySheet(canvas, size); };
  right.add(std::move(sheet));
  Control notes = Control::make(ControlKind::Tabs, cal_ctl::NoteTabs);
  notes.items = {"Este año", "Cualquier año"};
  for (NoteKind k : {NoteKind::Dated, NoteKind::Yearly}) {
    Control page = Control::make(ControlKind::Column);
    Control edit = Control::make(ControlKind::Edit, editId(k));
    edit.multiLine = true;
    edit.font = font_;
    edit.backColour = notesBack_;
    edit.textColour = notesText_;
    page.add(std::move(edit));
    notes.add(std::move(page));
  }
  notes.value = static_cast<int>(index(activeKind_));
  right.add(std::move(notes));
  body.add(std::move(right));
}

void CCalendarView::RebuildMenus() {
  const bool activeHasText = !Edit(activeKind_).text.empty();
  MenuItem file = MenuItem::submenu("&Archivo", {command(cal_cmd::DeleteNote, "&Borrar &nota", !activeHasText),
                                                 command(cal_cmd::DeleteAll, "B&orrar todas las notas", store_.Empty()),
                                                 MenuItem::separator(),
                                                 command(cal_cmd::Export, "&Guardar a un archivo\tCtrl+S"),
                                                 command(cal_cmd::Print, "&Imprimir\tCtrl+P")});
  MenuItem edit = MenuItem::submenu("&Edición", {command(cal_cmd::Undo, "&Deshacer\tCtrl+Z"), MenuItem::separator(),
                                                 command(cal_cmd::Cut, "Cor&tar\tCtrl+X"), command(cal_cmd::Copy, "&Copiar\tCtrl+C"),
                                                 command(cal_cmd::Paste, "&Pegar\tCtrl+V"), command(cal_cmd::Clear, "&Borrar"),
                                                 MenuItem::separator(),
                                                 command(cal_cmd::SelectAll, "&Seleccionar todo\tCtrl+A")});
  MenuItem none = command(cal_cmd::TabsNone, "Sin &pestañas");
  MenuItem months = command(cal_cmd::TabsMonths, "Pestañas con &meses");
  MenuItem years = command(cal_cmd::TabsYears, "Pestañas con &años");
  none.checked = tabMode_ == TabMode::None;
  months.checked = tabMode_ == TabMode::Months;
  years.checked = tabMode_ == TabMode::Years;
  MenuItem weeks = command(cal_cmd::WeekNumbers, "&Numeración de las semanas");
  weeks.checked = weekNumbers_;
  MenuItem view = MenuItem::submenu("&Ver", {none, months, years, MenuItem::separator(),
                                             command(cal_cmd::OneMonth, "&Sólo un mes"), command(cal_cmd::WholeYear, "&Todo el año"),
                                             MenuItem::separator(), weeks});
  MenuItem top = command(cal_cmd::AlwaysOnTop, "&Siempre visible\tF9");
  top.checked = style.topmost;
  MenuItem transparency = TransparencyMenu(cal_cmd::FirstTransparency, transparency_, app_.helpers().CanUseOpacity());
  MenuItem options = MenuItem::submenu("&Opciones", {top, transparency});
  menuBar = {file, edit, view, options};
  deleteEnabled_ = activeHasText;
}

void CCalendarView::Show() {
  if (handle_ == kNoWindow) Create();
  app_.helpers().ShowAnimated(handle_);
}

void CCalendarView::Close() {
  Commit();
  SaveSettings();
  if (handle_ != kNoWindow) app_.helpers().HideAnimated(handle_, false);
}

bool CCalendarView::IsVisible() const { return handle_ != kNoWindow && app_.dialogs().isVisible(handle_); }

void CCalendarView::SaveSettings() {
  CRegKeyEx key(app_.store().registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) != RegStatus::Ok) return;
  if (handle_ != kNoWindow) {
    const Rect r = app_.dialogs().geometry(handle_);
    if (r.width() > 0 && r.height() > 0) geometry = r;
  }
  WriteFramePlacement(key, {geometry, style.topmost, transparency_});
}

void CCalendarView::ApplySettings() {
  ReadSettings();
  tabTitles_ = TabTitles(tabMode_, firstTabYear_ + 3);
  for (NoteKind k : {NoteKind::Dated, NoteKind::Yearly}) {
    Control& e = Edit(k);
    e.font = font_;
    e.backColour = notesBack_;
    e.textColour = notesText_;
  }
  FollowSelection();
  RebuildMenus();
  Refresh();
}

void CCalendarView::Refresh() {
  if (handle_ != kNoWindow) app_.dialogs().update(handle_);
}

SurfaceLayout CCalendarView::Layout() const {
  return LayoutSurface(surfaceSize_, static_cast<int>(tabTitles_.size()), tabMode_, weekNumbers_);
}

std::vector<std::uint32_t> CCalendarView::Marks() const {
  const SurfaceLayout l = Layout();
  return store_.DayMarks(firstMonth_ / 12, firstMonth_ % 12 + 1, l.count());
}

void CCalendarView::LoadTexts() {
  const std::int64_t date = SelectedValue();
  for (NoteKind k : {NoteKind::Dated, NoteKind::Yearly}) {
    const std::string* text = store_.Find(date, k);
    Edit(k).text = text != nullptr ? *text : std::string{};
    hasNote_[index(k)] = text != nullptr;
    modified_[index(k)] = false;
  }
  // The tab of the only note there is comes to the front.
  if (hasNote_[0] != hasNote_[1]) activeKind_ = hasNote_[0] ? NoteKind::Dated : NoteKind::Yearly;
  root.find(cal_ctl::NoteTabs)->value = static_cast<int>(index(activeKind_));
}

void CCalendarView::FollowSelection() {
  const int count = Layout().count();
  const int sel = MonthIndex(selected_.year, selected_.month);
  if (sel < firstMonth_) firstMonth_ = sel;
  if (sel >= firstMonth_ + count) firstMonth_ = sel - count + 1;
  firstMonth_ = std::clamp(firstMonth_, MonthIndex(kFirstYear, 1), MonthIndex(kLastYear, 12));
  if (tabMode_ == TabMode::Months) {
    currentTab_ = selected_.month - 1;
  } else if (tabMode_ == TabMode::Years) {
    const int t = selected_.year - firstTabYear_;
    currentTab_ = t >= 0 && t < static_cast<int>(tabTitles_.size()) ? t : -1;
  } else {
    currentTab_ = -1;
  }
}

void CCalendarView::Select(const Day& day) {
  Commit();
  // Through the local-time conversion, so that 31 February is 2 or 3 March.
  selected_ = ClampDay(DayOf(clock(), DateValue(clock(), day)));
  LoadTexts();
  FollowSelection();
  RebuildMenus();
  Refresh();
}

void CCalendarView::WriteFile(NoteKind kind) {
  // A list that cannot be written stays in memory; the next save tries again.
  (void)files_.Write(kind, store_);
  modified_[index(kind)] = false;
}

void CCalendarView::Commit() {
  const std::int64_t date = SelectedValue();
  bool added = false;
  for (NoteKind k : {NoteKind::Dated, NoteKind::Yearly}) {
    const std::string* note = store_.Find(date, k);
    const std::string text = Edit(k).text;
    if (note == nullptr && !text.empty()) {
      store_.Set(date, k, text);
      WriteFile(k);
      hasNote_[index(k)] = true;
      added = true;
    } else if (note != nullptr && modified_[index(k)]) {
      if (text.empty()) {
        Delete(date, k);
      } else {
        store_.Set(date, k, text);
        WriteFile(k);
      }
    }
  }
  modified_ = {false, false};
  if (added && handle_ != kNoWindow) app_.dialogs().repaint(handle_);
}

void CCalendarView::Delete(std::int64_t date, NoteKind kind) {
  (void)store_.Delete(date, kind);
  if (DayOf(clock(), date) == selected_) {
    Edit(kind).text.clear();
    hasNote_[index(kind)] = false;
  }
  WriteFile(NoteKind::Dated);
  WriteFile(NoteKind::Yearly);
  RebuildMenus();
  Refresh();
}

bool CCalendarView::DeleteAll() {
  const MsgAnswer a = app_.desktop().messageBoxes.show({"¿Seguro que desea eliminar las notas de todos los días?",
                                                        "Eliminar todas las notas", MsgButtons::YesNo,
                                                        MsgIcon::Question});
  if (a != MsgAnswer::Yes) return false;
  store_.DeleteAll();
  for (NoteKind k : {NoteKind::Dated, NoteKind::Yearly}) {
    Edit(k).text.clear();
    hasNote_[index(k)] = false;
  }
  WriteFile(NoteKind::Dated);
  WriteFile(NoteKind::Yearly);
  RebuildMenus();
  Refresh();
  return true;
}

void CCalendarView::DeleteActiveNote() {
  if (Edit(activeKind_).text.empty()) return;
  const std::int64_t date = SelectedValue();
  if (store_.Find(date, activeKind_) != nullptr) {
    Delete(date, activeKind_);
  } else {
    // Typed and not yet committed: there is only the edit to clear.
    Edit(activeKind_).text.clear();
    modified_[index(activeKind_)] = false;
    RebuildMenus();
    Refresh();
  }
}

void CCalendarView::Export() {
  Commit();
  DialogHost::FileDialog dialog;
  dialog.filter = "*.*|*.*||";
  dialog.save = true;
  dialog.confirmOverwrite = true;
  const auto chosen = app_.dialogs().chooseFiles(dialog);
  if (chosen.empty()) return;
  const FileResult written = app_.platform().files.replaceAtomically(chosen.front(), store_.ExportText());
  if (!written.ok) {
    (void)app_.desktop().messageBoxes.show({"No se puede escribir el archivo " + chosen.front() + ".\n" + written.error,
                                            "Ravi Varudide", MsgButtons::Ok, MsgIcon::Error});
  }
}

std::optional<TextFont> CCalendarView::NoteFont() const {
  CRegKeyEx key(app_.store().registry());
  if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) != RegStatus::Ok) return std::nullopt;
  const auto bytes = key.GetBinary("Fuente");
  if (!bytes) return std::nullopt;
  const auto lf = DecodeLogFont(*bytes);
  if (!lf) return std::nullopt;
  notes::NoteRecord r;
  r.font = *lf;
  return notes::PrinterFontOf(r);
}

void CCalendarView::Print() {
  Commit();
  // An empty calendar has nothing to print: no dialog, no page.
  if (store_.Empty()) return;
  auto job = app_.desktop().printer.begin(std::string(kPrintDocumentName));
  if (!job) return;
  if (!PrintCalendar(*job, store_, clock(), NoteFont())) {
    (void)app_.desktop().messageBoxes.show({"No se pudo imprimir.", "Ravi Varudide", MsgButtons::Ok, MsgIcon::Error});
  }
}

void CCalendarView::Step(NoteStep step) {
  Commit();
  if (const auto day = StepToNote(store_, clock(), selected_, step)) Select(*day);
}

void CCalendarView::SetTabMode(TabMode mode) {
  tabMode_ = mode;
  tabTitles_ = TabTitles(mode, firstTabYear_ + 3);
  WriteDword("Pestañas", static_cast<std::uint32_t>(mode));
  FollowSelection();
  RebuildMenus();
  Refresh();
}

void CCalendarView::WriteDword(std::string_view name, std::uint32_t value) {
  CRegKeyEx key(app_.store().registry());
  if (key.Create(Hive::CurrentUser, ConfigStore::KeyPath(kKey)) == RegStatus::Ok) key.SetDword(name, value);
}

void CCalendarView::ToggleWeekNumbers() {
  weekNumbers_ = !weekNumbers_;
  WriteDword("NumeracionSemanas", weekNumbers_ ? 1 : 0);
  FollowSelection();
  RebuildMenus();
  Refresh();
}

void CCalendarView::SizeTo(FrameSize size) {
  const Size month = MinMonthSize(weekNumbers_);
  Size calendar = size == FrameSize::OneMonth ? Size{month.width + 40, month.height + 40}
                                              : Size{4 * month.width + 28, 3 * month.height};
  const SurfaceLayout current = Layout();
  if (!current.tabs.empty()) calendar.height += current.months.top;
  if (handle_ != kNoWindow) {
    const Rect r = app_.dialogs().geometry(handle_);
    if (r.width() > 0 && r.height() > 0) geometry = r;
  }
  // The right-hand column and the frame's own borders stay as they are.
  const int chromeWidth = std::max(geometry.width() - surfaceSize_.width, kRightColumnWidth);
  const int chromeHeight = std::max(geometry.height() - surfaceSize_.height, 0);
  geometry.right = geometry.left + calendar.width + chromeWidth;
  geometry.bottom = geometry.top + calendar.height + chromeHeight;
  surfaceSize_ = calendar;
  root.find(cal_ctl::Surface)->size = calendar;
  FollowSelection();
  Refresh();
}

void CCalendarView::SetTopmost(bool on) {
  style.topmost = on;
  RebuildMenus();
  Refresh();
  if (!on && IsVisible()) app_.dialogs().activate(handle_);
}

void CCalendarView::SetTransparency(int percent) {
  if (!IsFrameTransparency(percent) || !app_.helpers().CanUseOpacity()) return;
  transparency_ = percent;
  style.opacity = 100 - percent;
  RebuildMenus();
  Refresh();
  if (handle_ != kNoWindow) app_.helpers().SetWindowOpacity(handle_, 100 - percent);
}

void CCalendarView::EditCommand(int id) {
  using A = DialogHost::EditAction;
  A action = A::Undo;
  switch (id) {
    case cal_cmd::Undo: action = A::Undo; break;
    case cal_cmd::Cut: action = A::Cut; break;
    case cal_cmd::Copy: action = A::Copy; break;
    case cal_cmd::Paste: action = A::Paste; break;
    case cal_cmd::Clear: action = A::Clear; break;
    default: action = A::SelectAll; break;
  }
  const int edit = editId(activeKind_);
  if (handle_ == kNoWindow) return;
  const DialogHost::EditState state = app_.dialogs().editState(handle_, edit);
  // Cut, copy and clear need a selection; undo needs something to undo.
  if ((action == A::Cut || action == A::Copy || action == A::Clear) && !state.hasSelection) return;
  if (action == A::Undo && !state.canUndo) return;
  app_.dialogs().editAction(handle_, edit, action);
}

void CCalendarView::OnCommand(int id) {
  switch (id) {
    case cal_cmd::FirstNote: Step(NoteStep::First); return;
    case cal_cmd::PreviousNote: Step(NoteStep::Previous); return;
    case cal_cmd::NextNote: Step(NoteStep::Next); return;
    case cal_cmd::LastNote: Step(NoteStep::Last); return;
    case cal_cmd::Export: Export(); return;
    case cal_cmd::Print: Print(); return;
    case cal_cmd::DeleteNote: DeleteActiveNote(); return;
    case cal_cmd::DeleteAll: (void)DeleteAll(); return;
    case cal_cmd::Undo:
    case cal_cmd::Cut:
    case cal_cmd::Copy:
    case cal_cmd::Paste:
    case cal_cmd::Clear:
    case cal_cmd::SelectAll: EditCommand(id); return;
    case cal_cmd::TabsNone: SetTabMode(TabMode::None); return;
    case cal_cmd::TabsMonths: SetTabMode(TabMode::Months); return;
    case cal_cmd::TabsYears: SetTabMode(TabMode::Years); return;
    case cal_cmd::OneMonth: SizeTo(FrameSize::OneMonth); return;
    case cal_cmd::WholeYear: SizeTo(FrameSize::WholeYear); return;
    case cal_cmd::WeekNumbers: ToggleWeekNumbers(); return;
    case cal_cmd::AlwaysOnTop: SetTopmost(!style.topmost); return;
    default:
      if (id >= cal_cmd::FirstTransparency && id < cal_cmd::FirstTransparency + 5) {
        SetTransparency(kFrameTransparencies[static_cast<std::size_t>(id - cal_cmd::FirstTransparency)]);
      }
      return;
  }
}

void CCalendarView::OnTab(int tab) {
  if (tabMode_ == TabMode::Months) {
    Select({selected_.year, tab + 1, selected_.day});
  } else if (tabMode_ == TabMode::Years) {
    Select({firstTabYear_ + tab, selected_.month, selected_.day});
  }
}

void CCalendarView::OnSurfaceClick(Point p) {
  const SurfaceHit hit = HitTest(Layout(), firstMonth_, p);
  const int count = Layout().count();
  switch (hit.kind) {
    case SurfaceHit::Kind::Tab: OnTab(hit.tab); return;
    case SurfaceHit::Kind::Day: Select(hit.day); return;
    case SurfaceHit::Kind::Previous:
    case SurfaceHit::Kind::Next: {
      // The grids scroll by as many months as they show; the selection
      // keeps its day in the month that takes its place.
      const int delta = hit.kind == SurfaceHit::Kind::Next ? count : -count;
      const int month = MonthIndex(selected_.year, selected_.month) + delta;
      const int first = std::clamp(firstMonth_ + delta, MonthIndex(kFirstYear, 1), MonthIndex(kLastYear, 12));
      const int day = std::min(selected_.day, daysInMonth(month / 12, month % 12 + 1));
      firstMonth_ = first;
      Select({month / 12, month % 12 + 1, day});
      return;
    }
    case SurfaceHit::Kind::None: return;
  }
}

void CCalendarView::PaintDaySheet(Canvas& canvas, Size size) const {
  canvas.fillRect({0, 0, size.width, size.height}, kButtonFace);
  const Rect sheet{50, 3, 150, 75};
  canvas.fillRect(sheet, kButtonFace);
  // An etched edge: a dark line with a light one inside it.
  canvas.frameRect(sheet, 0x808080);
  canvas.frameRect({sheet.left + 1, sheet.top + 1, sheet.right - 1, sheet.bottom - 1}, 0xFFFFFF);
  const std::int64_t days = daysFromCivil(selected_.year, selected_.month, selected_.day);
  const auto weekday = static_cast<std::size_t>(((days % 7) + 11) % 7);
  int y = sheet.top + 23 - 22;
  canvas.text({sheet.left, y, sheet.right, y + 24}, std::to_string(selected_.day), 0x0000FF, sheetFont(22),
              TextAlign::Centre, false);
  y += 26;
  canvas.text({sheet.left, y, sheet.right, y + 18}, MonthName(selected_.month), 0xFF0000, sheetFont(16),
              TextAlign::Centre, false);
  y += 20;
  canvas.text({sheet.left, y, sheet.right, y + 16}, kWeekdays[weekday], 0x000000, sheetFont(14), TextAlign::Centre,
              false);
}

void CCalendarView::onEvent(const ControlEvent& event) {
  using K = ControlEvent::Kind;
  if (event.kind == K::KeyDown && event.key == 0x78) {  // F9
    SetTopmost(!style.topmost);
    return;
  }
  switch (event.controlId) {
    case cal_ctl::Surface:
      if (event.kind == K::MouseDown && event.button == 1) OnSurfaceClick({event.x, event.y});
      return;
    case cal_ctl::ToolBar:
      if (event.kind == K::MouseDown && event.button == 1) {
        if (const auto command = ToolAt({event.x, event.y})) OnCommand(*command);
      }
      return;
    case cal_ctl::DatedEdit:
    case cal_ctl::YearlyEdit:
      if (event.kind == K::Changed) {
        const NoteKind k = event.controlId == cal_ctl::DatedEdit ? NoteKind::Dated : NoteKind::Yearly;
        modified_[index(k)] = true;
        if (deleteEnabled_ != !Edit(activeKind_).text.empty()) {
          RebuildMenus();
          Refresh();
        }
      }
      return;
    case cal_ctl::NoteTabs:
      if (event.kind == K::Changed) {
        activeKind_ = root.find(cal_ctl::NoteTabs)->value == 1 ? NoteKind::Yearly : NoteKind::Dated;
        RebuildMenus();
        Refresh();
      }
      return;
    default: break;
  }
  if (event.kind == K::Clicked || event.kind == K::Accelerator) OnCommand(event.controlId);
}

bool CCalendarView::onCloseRequest() {
  Close();
  // Hidden already; the binding has nothing more to do.
  return false;
}

}  // namespace zelvor::calendar
