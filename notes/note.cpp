#include "notes/note.h"

#include <algorithm>

#include "exit/scheduler_record.h"
#include "notes/note_alarm.h"
#include "notes/note_font.h"
#include "notes/new_note.h"
#include "platform/messages.h"
#include "shell/dialogs/input_box.h"
#include "shell/hover_tooltip.h"

namespace zelvor::notes {
namespace {

// The window model measures no text; a title bar's characters are about
// six pixels wide in the desktop's small font.
constexpr int kTitleCharWidth = 6;

int characters(const std::string& text) {
  int n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u ? 1 : 0;
  return n;
}

TextAlign alignOf(std::int32_t alignment) {
  switch (alignment) {
    case 1: return TextAlign::Centre;
    case 2: return TextAlign::Right;
    default: return TextAlign::Left;
  }
}

Rect rectOf(const NoteRect& r) { return {r.left, r.top, r.right, r.bottom}; }
NoteRect noteRectOf(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Our own glyphs in place of the symbol font's: a menu arrow, a bar
// (collapse) or a box (expand), and a cross.
void paintMenuGlyph(Canvas& c, Size s, Colour back, Colour fore) {
  c.fillRect({0, 0, s.width, s.height}, back);
  const int cx = s.width / 2, cy = s.height / 2;
  for (int i = 0; i < 4; ++i) c.line({cx - 3 + i, cy - 1 + i}, {cx + 4 - i, cy - 1 + i}, fore);
}

void paintCollapseGlyph(Canvas& c, Size s, Colour back, Colour fore, bool collapsed) {
  c.fillRect({0, 0, s.width, s.height}, back);
  if (collapsed) {
    c.frameRect({2, 2, s.width - 2, s.height - 2}, fore);
    c.line({2, 3}, {s.width - 3, 3}, fore);
  } else {
    c.fillRect({3, s.height - 5, s.width - 3, s.height - 3}, fore);
  }
}

void paintCloseGlyph(Canvas& c, Size s, Colour back, Colour fore) {
  c.fillRect({0, 0, s.width, s.height}, back);
  for (int d = 0; d < 2; ++d) {
    c.line({3 + d, 3}, {s.width - 3 + d - 1, s.height - 3}, fore);
    c.line({s.width - 4 + d, 3}, {2 + d, s.height - 3}, fore);
  }
}

}  // namespace

Size CollapsedSize(const std::string& title) {
  return {std::max(kMinimumWidth, characters(title) * kTitleCharWidth + 65), kTitleBarHeight + 5};
}

std::string EditTextOf(const std::string& recordText) {
  std::string out;
  out.reserve(recordText.size());
  for (std::size_t i = 0; i < recordText.size(); ++i) {
    if (recordText[i] == '\r' && i + 1 < recordText.size() && recordText[i + 1] == '\n') continue;
    out.push_back(recordText[i]);
  }
  return out;
}

std::string RecordTextOf(const std::string& editText) {
  std::string out;
  out.reserve(editText.size() + editText.size() / 16);
  for (std::size_t i = 0; i < editText.size(); ++i) {
    if (editText[i] == '\n' && (i == 0 || editText[i - 1] != '\r')) out.push_back('\r');
    out.push_back(editText[i]);
  }
  return out;
}

CNote::CNote(NoteServices services, NoteOwner* owner, NoteEntry entry)
    : services_(services), owner_(owner), entry_(std::move(entry)) {
  handle_ = services_.loop.addTarget(*this);
  serial_ = handle_;
  className = "CNote";
  style.caption = false;
  style.toolWindow = true;
  style.resizable = true;
  style.margin = 0;
  minimumSize = {kMinimumWidth, kTitleBarHeight + 5};
  accelerators = NoteAccelerators(menuKind());
  BuildControls();
  ApplyLooks();
}

CNote::~CNote() {
  if (window_ != kNoWindow) services_.dialogs.destroy(window_);
  services_.loop.removeTarget(handle_);
}

void CNote::BuildControls() {
  root = Control::make(ControlKind::Column);
  Control& bar = root.add(Control::make(ControlKind::Row));
  Control label = Control::make(ControlKind::Label, note_control::Title);
  label.size = {0, kTitleBarHeight};
  bar.add(std::move(label));
  const auto glyph = [&](int id, const char* tip) {
    Control g = Control::make(ControlKind::Canvas, id);
    g.size = {kGlyphSize, kGlyphSize};
    g.tooltip = tip;
    bar.add(std::move(g));
  };
  glyph(note_control::MenuGlyph, "Menú");
  glyph(note_control::CollapseGlyph, "Contraer/Expandir");
  glyph(note_control::CloseGlyph, "Cerrar");
  Control edit = Control::make(ControlKind::Edit, note_control::Edit, EditTextOf(entry_.text));
  edit.multiLine = true;
  edit.flat = true;
  root.add(std::move(edit));
}

void CNote::ApplyLooks() {
  const NoteRecord& r = entry_.record;
  title = r.title;
  style.topmost = r.alwaysOnTop != 0;
  style.opacity = std::clamp(100 - r.transparency, 0, 100);
  const Colour back = r.background;
  const Colour fore = r.textColor;
  const bool collapsed = r.collapsed != 0;
  if (Control* t = find(note_control::Title)) {
    t->text = r.title;
    t->backColour = back;
    t->textColour = fore;
  }
  if (Control* g = find(note_control::MenuGlyph)) {
    g->paint = [back, fore](Canvas& c, Size s) { paintMenuGlyph(c, s, back, fore); };
  }
  if (Control* g = find(note_control::CollapseGlyph)) {
    g->paint = [back, fore, collapsed](Canvas& c, Size s) { paintCollapseGlyph(c, s, back, fore, collapsed); };
  }
  if (Control* g = find(note_control::CloseGlyph)) {
    g->paint = [back, fore](Canvas& c, Size s) { paintCloseGlyph(c, s, back, fore); };
  }
  if (Control* e = find(note_control::Edit)) {
    e->backColour = back;
    e->textColour = fore;
    e->font = TextFontOf(r.font);
    e->align = alignOf(r.alignment);
    e->visible = !collapsed;
  }
  ApplyTooltip();
  if (window_ != kNoWindow) services_.dialogs.update(window_);
}

void CNote::ApplyTooltip() {
  Control* t = find(note_control::Title);
  if (t == nullptr) return;
  const std::string description =
      entry_.record.hasAlarm() ? DescribeRecord(SchedulerRecordOf(entry_.record.alarm, services_.clock))
                               : std::string("Deshabilitada");
  t->tooltip = NoticeHtml(4, "Alarma", description);
}

void CNote::SetText(std::string text) {
  entry_.text = std::move(text);
  if (Control* e = find(note_control::Edit)) e->text = EditTextOf(entry_.text);
  if (window_ != kNoWindow) services_.dialogs.update(window_);
}

Rect CNote::CurrentRect() {
  return window_ != kNoWindow ? services_.dialogs.geometry(window_) : geometry;
}

NoteEntry CNote::Capture() {
  if (window_ != kNoWindow) {
    SyncText();
    if (entry_.record.collapsed == 0) entry_.record.rect = noteRectOf(services_.dialogs.geometry(window_));
    entry_.record.visible = 1;
  } else {
    entry_.record.visible = 0;
  }
  return entry_;
}

void CNote::SyncText() {
  if (const Control* e = find(note_control::Edit)) entry_.text = RecordTextOf(e->text);
}

void CNote::Show() {
  if (window_ == kNoWindow) {
    ApplyLooks();
    const NoteRect& r = entry_.record.rect;
    if (entry_.record.collapsed != 0) {
      const Size s = CollapsedSize(entry_.record.title);
      geometry = {r.left, r.top, r.left + s.width, r.top + s.height};
    } else {
      geometry = rectOf(r);
    }
    window_ = services_.dialogs.create(*this);
  }
  services_.dialogs.show(window_);
  services_.dialogs.activate(window_);
}

void CNote::Hide() {
  if (window_ == kNoWindow) return;
  (void)Capture();
  services_.dialogs.destroy(window_);
  window_ = kNoWindow;
}

void CNote::Collapse() {
  NoteRecord& r = entry_.record;
  if (r.collapsed != 0) return;
  if (window_ == kNoWindow) {
    r.collapsed = 1;
    return;
  }
  SyncText();
  const Rect now = services_.dialogs.geometry(window_);
  r.rect = noteRectOf(now);
  services_.dialogs.hideAnimated(window_, DialogHost::Animation::Roll, true, true);
  r.collapsed = 1;
  const Size s = CollapsedSize(r.title);
  geometry = {now.left, now.top, now.left + s.width, now.top + s.height};
  ApplyLooks();
  services_.dialogs.show(window_);
}

void CNote::Expand() {
  NoteRecord& r = entry_.record;
  if (r.collapsed == 0) return;
  r.collapsed = 0;
  if (window_ == kNoWindow) return;
  // The window keeps the place the user dragged it to and gets back the
  // size it had before collapsing.
  const Rect now = services_.dialogs.geometry(window_);
  services_.dialogs.hide(window_);
  geometry = {now.left, now.top, now.left + (r.rect.right - r.rect.left), now.top + (r.rect.bottom - r.rect.top)};
  r.rect = noteRectOf(geometry);
  ApplyLooks();
  services_.dialogs.showAnimated(window_, DialogHost::Animation::Roll, true, true);
  Grow();
}

void CNote::Grow() {
  if (window_ == kNoWindow || entry_.record.collapsed != 0) return;
  const int needed = services_.dialogs.textHeight(window_, note_control::Edit);
  if (needed <= 0) return;
  Rect g = services_.dialogs.geometry(window_);
  const int shown = g.height() - kTitleBarHeight;
  if (needed <= shown) return;
  const int steps = (needed - shown + kGrowStep - 1) / kGrowStep;
  g.bottom += steps * kGrowStep;
  geometry = g;
  services_.dialogs.update(window_);
}

void CNote::EditCommand(DialogHost::EditAction action) {
  if (window_ == kNoWindow) return;
  services_.dialogs.editAction(window_, note_control::Edit, action);
  SyncText();
  if (action != DialogHost::EditAction::Copy && action != DialogHost::EditAction::SelectAll) Grow();
}

Menu CNote::BuildMenu() {
  NoteMenuState s;
  s.alignment = entry_.record.alignment;
  s.transparency = entry_.record.transparency;
  s.alwaysOnTop = entry_.record.alwaysOnTop != 0;
  s.collapsed = entry_.record.collapsed != 0;
  if (window_ != kNoWindow) {
    const auto edit = services_.dialogs.editState(window_, note_control::Edit);
    s.hasSelection = edit.hasSelection;
    s.canUndo = edit.canUndo;
  }
  return BuildNoteMenu(menuKind(), s);
}

void CNote::OpenMenu(Point at) { services_.menus.popup(BuildMenu(), at, services_.menuStyle, handle_); }

void CNote::onMessage(std::uint32_t message, std::intptr_t wparam, std::intptr_t) {
  if (message == msg::Command) RunCommand(static_cast<int>(wparam));
}

void CNote::onEvent(const ControlEvent& event) {
  using K = ControlEvent::Kind;
  switch (event.kind) {
    case K::Accelerator: RunCommand(event.controlId); return;
    case K::ContextMenu: OpenMenu({event.x, event.y}); return;
    case K::Changed:
      if (event.controlId == note_control::Edit) {
        SyncText();
        Grow();
      }
      return;
    case K::MouseUp:
      // The glyphs act on the left button's release, as buttons do.
      if (event.button != 1) return;
      if (event.controlId == note_control::MenuGlyph) {
        const Rect g = CurrentRect();
        OpenMenu({g.right - 26, g.top + kTitleBarHeight});
      } else if (event.controlId == note_control::CollapseGlyph) {
        RunCommand(entry_.record.collapsed != 0 ? note_cmd::Expand : note_cmd::Collapse);
      } else if (event.controlId == note_control::CloseGlyph) {
        RunCommand(note_cmd::Hide);
      }
      return;
    default: return;
  }
}

bool CNote::onCloseRequest() {
  RunCommand(note_cmd::Hide);
  return false;
}

void CNote::RunCommand(int c) {
  if (!MenuOffers(menuKind(), c) && c != note_cmd::Hide) return;
  NoteRecord& r = entry_.record;
  using A = DialogHost::EditAction;
  if (c >= note_cmd::FirstColour && c < note_cmd::FirstColour + 12) {
    r.background = kNoteColours.at(static_cast<std::size_t>(c - note_cmd::FirstColour));
    ApplyLooks();
    return;
  }
  if (c >= note_cmd::AlignLeft && c < note_cmd::AlignLeft + 3) {
    SyncText();
    r.alignment = c - note_cmd::AlignLeft;
    ApplyLooks();
    return;
  }
  if (c >= note_cmd::FirstTransparency && c < note_cmd::FirstTransparency + 5) {
    r.transparency = 20 * (c - note_cmd::FirstTransparency);
    ApplyLooks();
    return;
  }
  switch (c) {
    case note_cmd::Properties: Properties(); return;
    case note_cmd::Font: ChooseFont(); return;
    case note_cmd::OtherColour: {
      Colour colour = r.background;
      if (services_.dialogs.chooseColour(colour)) {
        r.background = colour;
        ApplyLooks();
      }
      return;
    }
    case note_cmd::Undo: EditCommand(A::Undo); return;
    case note_cmd::Cut: EditCommand(A::Cut); return;
    case note_cmd::Copy: EditCommand(A::Copy); return;
    case note_cmd::Paste: EditCommand(A::Paste); return;
    case note_cmd::Clear: EditCommand(A::Clear); return;
    case note_cmd::SelectAll: EditCommand(A::SelectAll); return;
    case note_cmd::Hide:
      if (owner_ == nullptr) {
        services_.dialogs.endModal(*this, kModalAccepted);
        return;
      }
      Hide();
      owner_->NoteHidden(*this);
      return;
    case note_cmd::Collapse: Collapse(); return;
    case note_cmd::Expand: Expand(); return;
    case note_cmd::AlwaysOnTop:
      r.alwaysOnTop = r.alwaysOnTop != 0 ? 0 : 1;
      ApplyLooks();
      return;
    case note_cmd::Rename: Rename(); return;
    case note_cmd::Alarm: Alarm(); return;
    case note_cmd::Print:
      SyncText();
      services_.noteDialogs.print(r, entry_.text);
      return;
    case note_cmd::SaveToFile: SaveToFile(); return;
    case note_cmd::Delete:
      if (owner_ != nullptr) owner_->NoteDeleteRequested(*this);
      return;
    case note_cmd::Accept: services_.dialogs.endModal(*this, kModalAccepted); return;
    case note_cmd::Cancel: services_.dialogs.endModal(*this, kModalCancelled); return;
    default: return;
  }
}

void CNote::ChooseFont() {
  NoteRecord& r = entry_.record;
  TextFont font = TextFontOf(r.font).value_or(TextFont{});
  Colour colour = r.textColor;
  if (!services_.dialogs.chooseFont(font, colour)) return;
  r.font = LogFontOf(font);
  r.textColor = colour;
  ApplyLooks();
  Grow();
}

void CNote::Rename() {
  std::string text = entry_.record.title;
  CInputBox box(services_.dialogs, window_, "Introduzca el título de la nota:", "Cambiar el título de la nota",
                text, static_cast<int>(kTitleField));
  if (!box.DoModal()) return;
  entry_.record.title = CutTitle(text);
  ApplyLooks();
}

void CNote::Properties() {
  if (owner_ == nullptr) return;
  SyncText();
  const auto edited = services_.noteDialogs.properties(entry_.record);
  if (!edited) return;
  NoteRecord& r = entry_.record;
  const std::uint32_t previousHotkey = r.hotkey;
  r.alignment = edited->alignment;
  r.transparency = edited->transparency;
  r.title = CutTitle(edited->title);
  r.textColor = edited->textColor;
  r.font = edited->font;
  r.background = edited->background;
  r.alarm = edited->alarm;
  r.hotkey = edited->hotkey;
  if (!r.hasAlarm()) ClearAlarm(r);
  ApplyLooks();
  Grow();
  if (r.hotkey != previousHotkey) owner_->NoteHotkeyChanged(*this, previousHotkey);
  if (r.hasAlarm()) owner_->NoteAlarmSet(*this);
  owner_->NoteChanged(*this);
}

void CNote::Alarm() {
  if (owner_ == nullptr) return;
  const auto edited = services_.noteDialogs.alarm(entry_.record.alarm);
  if (!edited) return;
  entry_.record.alarm = *edited;
  if (!entry_.record.hasAlarm()) ClearAlarm(entry_.record);
  ApplyTooltip();
  if (window_ != kNoWindow) services_.dialogs.update(window_);
  if (entry_.record.hasAlarm()) owner_->NoteAlarmSet(*this);
  owner_->NoteChanged(*this);
}

void CNote::SaveToFile() {
  SyncText();
  DialogHost::FileDialog dialog;
  dialog.filter = "*.*|*.*||";
  dialog.initial = entry_.record.title;
  dialog.save = true;
  dialog.confirmOverwrite = true;
  const auto chosen = services_.dialogs.chooseFiles(dialog);
  if (chosen.empty()) return;
  const FileResult written = services_.files.replaceAtomically(chosen.front(), entry_.text);
  if (!written.ok) {
    (void)services_.messageBoxes.show({"No se puede escribir el archivo " + chosen.front() + ".\n" + written.error,
                                       "Duvu Zevad", MsgButtons::Ok, MsgIcon::Error});
  }
}

bool CNote::RunModalEditor() {
  Show();
  const int code = services_.dialogs.runModal(*this);
  if (code == kModalAccepted) (void)Capture();
  Hide();
  return code == kModalAccepted;
}

}  // namespace zelvor::notes
