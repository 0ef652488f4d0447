// A note window on the simulated desktop: its model (title bar, glyphs,
// edit), collapse and expand, transparency, growth with the text, the
// context menu's marks and states, the accelerators and the commands that
// reach the owner or the dialogs.

#include <gtest/gtest.h>

#include "notes/default_note_editor.h"
#include "notes/note.h"
#include "notes/note_font.h"
#include "platform/messages.h"
#include "platform/posix/posix_files.h"
#include "platform/sim/sim_desktop.h"
#include "shell/dialogs/input_box.h"
#include "tests/support/sandbox.h"
#include "tests/support/sim_user.h"

namespace zelvor::notes {
namespace {

using zelvor::testing::Sandbox;
using zelvor::testing::SimUser;

class FakeNoteDialogs : public NoteDialogs {
 public:
  std::optional<NoteRecord> properties(const NoteRecord& r) override {
    seen = r;
    return answer;
  }
  std::optional<NoteAlarmBlock> alarm(const NoteAlarmBlock&) override { return alarmAnswer; }
  void print(const NoteRecord& r, std::string_view text) override { printed.emplace_back(r.title, std::string(text)); }

  std::optional<NoteRecord> answer;
  std::optional<NoteAlarmBlock> alarmAnswer;
  std::optional<NoteRecord> seen;
  std::vector<std::pair<std::string, std::string>> printed;
};

class RecordingOwner : public NoteOwner {
 public:
  void NoteHidden(CNote&) override { calls.push_back("hidden"); }
  void NoteDeleteRequested(CNote&) override { calls.push_back("delete"); }
  void NoteChanged(CNote&) override { calls.push_back("changed"); }
  void NoteAlarmSet(CNote&) override { calls.push_back("alarm"); }
  void NoteHotkeyChanged(CNote&, std::uint32_t previous) override {
    calls.push_back("hotkey " + std::to_string(previous));
  }
  std::vector<std::string> calls;
};

class NoteWindowTest : public ::testing::Test {
 protected:
  NoteWindowTest() : desk(clock) {}

  NoteServices services() {
    return NoteServices{desk.dialogs, desk.menus, desk.loop, desk.screen, files, desk.messageBoxes,
                        clock,        dialogs};
  }
  std::unique_ptr<CNote> make(NoteRecord r, std::string text = {}) {
    return std::make_unique<CNote>(services(), &owner, NoteEntry{std::move(r), std::move(text)});
  }
  static NoteRecord record() {
    NoteRecord r = BuiltInNoteRecord();
    r.title = "Compra";
    r.rect = {100, 100, 300, 300};
    return r;
  }
  // A left click on a glyph: the canvas reports the button's press and release.
  static void clickGlyph(CNote& note, int id) {
    ControlEvent e;
    e.controlId = id;
    e.button = 1;
    e.kind = ControlEvent::Kind::MouseDown;
    note.onEvent(e);
    e.kind = ControlEvent::Kind::MouseUp;
    note.onEvent(e);
  }
  // Opens the note's menu and chooses an item, as the user would.
  void choose(CNote& note, int id) {
    note.OpenMenu({10, 10});
    ASSERT_TRUE(desk.menus.choose(id)) << id;
    desk.loop.deliverPosted();
  }

  Sandbox sandbox;
  SimClock clock;
  SimDesktop desk;
  PosixFiles files;
  FakeNoteDialogs dialogs;
  RecordingOwner owner;
};

TEST_F(NoteWindowTest, OpensCaptionlessWithTitleGlyphsAndTheRecordsLooks) {
  NoteRecord r = record();
  r.background = 0x80FF80;
  r.textColor = 0x000080;
  r.alignment = 2;
  r.transparency = 80;
  r.font.lfHeight = -16;
  r.font.lfWeight = 700;
  r.font.lfFaceName = "DejaVu Serif";
  auto note = make(r, "uno\r\ndos");
  note->Show();
  ASSERT_TRUE(note->isOpen());
  EXPECT_TRUE(desk.dialogs.isVisible(note->window()));
  EXPECT_FALSE(note->style.caption);
  EXPECT_TRUE(note->style.topmost);
  EXPECT_EQ(note->style.opacity, 20);  // transparency 80
  EXPECT_EQ(note->geometry, (Rect{100, 100, 300, 300}));
  EXPECT_EQ(note->minimumSize, (Size{60, kTitleBarHeight + 5}));
  EXPECT_EQ(note->find(note_control::Title)->text, "Compra");
  EXPECT_EQ(note->find(note_control::MenuGlyph)->tooltip, "Menú");
  EXPECT_EQ(note->find(note_control::CollapseGlyph)->tooltip, "Contraer/Expandir");
  EXPECT_EQ(note->find(note_control::CloseGlyph)->tooltip, "Cerrar");
  for (int g : {note_control::MenuGlyph, note_control::CollapseGlyph, note_control::CloseGlyph}) {
    EXPECT_EQ(note->find(g)->kind, ControlKind::Canvas);
    EXPECT_TRUE(note->find(g)->paint);
  }
  const Control* edit = note->find(note_control::Edit);
  EXPECT_TRUE(edit->multiLine);
  EXPECT_TRUE(edit->flat);
  EXPECT_EQ(edit->text, "uno\ndos");
  EXPECT_EQ(edit->backColour, 0x80FF80u);
  EXPECT_EQ(edit->textColour, 0x000080u);
  EXPECT_EQ(edit->align, TextAlign::Right);
  ASSERT_TRUE(edit->font);
  EXPECT_EQ(edit->font->family, "DejaVu Serif");
  EXPECT_EQ(edit->font->pointSize, 12);
  EXPECT_TRUE(edit->font->bold);
  // No alarm: the title's tip says so.
  EXPECT_NE(note->find(note_control::Title)->tooltip.find("Deshabilitada"), std::string::npos);
}

TEST_F(NoteWindowTest, CollapseMoveExpandKeepsTheNewPlaceAndTheOldSize) {
  auto note = make(record());
  note->Show();
  clickGlyph(*note, note_control::CollapseGlyph);
  EXPECT_EQ(note->record().collapsed, 1);
  EXPECT_EQ(note->record().rect, (NoteRect{100, 100, 300, 300}));
  EXPECT_EQ(note->geometry.height(), kTitleBarHeight + 5);
  EXPECT_FALSE(note->find(note_control::Edit)->visible);
  ASSERT_FALSE(desk.dialogs.animations.empty());
  EXPECT_FALSE(desk.dialogs.animations.back().show);
  EXPECT_TRUE(desk.dialogs.animations.back().left && desk.dialogs.animations.back().top);
  EXPECT_TRUE(desk.dialogs.isVisible(note->window()));
  // The user drags the collapsed note elsewhere.
  note->geometry = {400, 50, 400 + note->geometry.width(), 50 + note->geometry.height()};
  // Saving while collapsed keeps the expanded rectangle.
  EXPECT_EQ(note->Capture().record.rect, (NoteRect{100, 100, 300, 300}));
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note->window(), note_key::F8, 0));
  EXPECT_EQ(note->record().collapsed, 0);
  EXPECT_EQ(note->geometry, (Rect{400, 50, 600, 250}));
  EXPECT_TRUE(desk.dialogs.animations.back().show);
  EXPECT_EQ(note->Capture().record.rect, (NoteRect{400, 50, 600, 250}));
}

TEST_F(NoteWindowTest, ANoteStoredCollapsedOpensCollapsedAtItsPlace) {
  NoteRecord r = record();
  r.collapsed = 1;
  auto note = make(r);
  note->Show();
  EXPECT_EQ(note->geometry.left, 100);
  EXPECT_EQ(note->geometry.top, 100);
  EXPECT_EQ(note->geometry.height(), kTitleBarHeight + 5);
  EXPECT_EQ(note->geometry.width(), CollapsedSize("Compra").width);
}

TEST_F(NoteWindowTest, GrowsInTwentyPixelStepsUntilTheTextFits) {
  desk.dialogs.textLineHeight = 16;
  auto note = make(record());  // 200 high: 187 for the text
  note->Show();
  struct Case {
    int lines;
    int height;
  };
  // 11 lines (176) fit; 12 (192) need one step; 14 (224) need two more.
  for (const Case& c : {Case{11, 200}, Case{12, 220}, Case{14, 240}, Case{3, 240}}) {
    std::string text = "x";
    for (int i = 1; i < c.lines; ++i) text += "\nx";
    SimUser(*note).type(note_control::Edit, text);
    EXPECT_EQ(note->geometry.height(), c.height) << c.lines;
    EXPECT_EQ(note->geometry.width(), 200);
  }
  EXPECT_EQ(note->text(), "x\r\nx\r\nx");
}

TEST_F(NoteWindowTest, MenuShowsMarksAndEnablesEditItemsByTheEditsState) {
  NoteRecord r = record();
  r.alignment = 1;
  r.transparency = 40;
  auto note = make(r, "hola");
  note->Show();
  note->OpenMenu({5, 5});
  const auto checked = [&](int id) { return desk.menus.item(id) != nullptr && desk.menus.item(id)->checked; };
  const auto grayed = [&](int id) { return desk.menus.item(id) != nullptr && desk.menus.item(id)->grayed; };
  EXPECT_TRUE(checked(note_cmd::AlignLeft + 1));
  EXPECT_FALSE(checked(note_cmd::AlignLeft));
  EXPECT_TRUE(checked(note_cmd::FirstTransparency + 2));
  EXPECT_TRUE(checked(note_cmd::AlwaysOnTop));
  EXPECT_FALSE(grayed(note_cmd::Collapse));
  EXPECT_TRUE(grayed(note_cmd::Expand));
  for (int id : {note_cmd::Undo, note_cmd::Cut, note_cmd::Copy, note_cmd::Clear}) EXPECT_TRUE(grayed(id)) << id;
  EXPECT_FALSE(grayed(note_cmd::Paste));
  // Select all: cut, copy and clear come on; clearing makes undo possible.
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note->window(), 'E', 2));
  note->OpenMenu({5, 5});
  for (int id : {note_cmd::Cut, note_cmd::Copy, note_cmd::Clear}) EXPECT_FALSE(grayed(id)) << id;
  ASSERT_TRUE(desk.menus.choose(note_cmd::Clear));
  desk.loop.deliverPosted();
  EXPECT_EQ(note->text(), "");
  note->OpenMenu({5, 5});
  EXPECT_FALSE(grayed(note_cmd::Undo));
  EXPECT_FALSE(desk.menus.itemByText("Aceptar"));
}

TEST_F(NoteWindowTest, TheMenuOpensFromItsGlyphAndFromARightClick) {
  auto note = make(record());
  note->Show();
  clickGlyph(*note, note_control::MenuGlyph);
  ASSERT_NE(desk.menus.openMenu(), nullptr);
  EXPECT_EQ(desk.menus.openedAt.y, 100 + kTitleBarHeight);  // under the title bar
  desk.menus.close();
  ControlEvent right;
  right.kind = ControlEvent::Kind::ContextMenu;
  right.controlId = note_control::Edit;
  right.x = 150, right.y = 222;
  note->onEvent(right);
  ASSERT_NE(desk.menus.openMenu(), nullptr);
  EXPECT_EQ(desk.menus.openedAt, (Point{150, 222}));
  ASSERT_TRUE(desk.menus.choose(note_cmd::Collapse));
  desk.loop.deliverPosted();
  EXPECT_EQ(note->record().collapsed, 1);
}

TEST_F(NoteWindowTest, MenuCommandsChangeTheRecordAndTheWindow) {
  auto note = make(record());
  note->Show();
  struct Case {
    int command;
    std::function<bool(CNote&)> holds;
    const char* what;
  };
  const Case cases[] = {
      {note_cmd::FirstColour + 3, [](CNote& n) { return n.record().background == 0xFF8080u; }, "azul oscuro"},
      {note_cmd::FirstColour + 10, [](CNote& n) { return n.find(note_control::Edit)->backColour == 0xC0C0C0u; }, "gris"},
      {note_cmd::AlignLeft + 2, [](CNote& n) { return n.find(note_control::Edit)->align == TextAlign::Right; }, "derecha"},
      {note_cmd::FirstTransparency + 4, [](CNote& n) { return n.style.opacity == 20; }, "80 %"},
      {note_cmd::FirstTransparency, [](CNote& n) { return n.style.opacity == 100; }, "0 %"},
      {note_cmd::AlwaysOnTop, [](CNote& n) { return !n.style.topmost && n.record().alwaysOnTop == 0; }, "siempre visible"},
  };
  for (const Case& c : cases) {
    choose(*note, c.command);
    EXPECT_TRUE(c.holds(*note)) << c.what;
  }
}

TEST_F(NoteWindowTest, AcceleratorsRunTheirCommands) {
  auto note = make(record(), "texto");
  note->Show();
  struct Case {
    int key, modifiers;
    std::string expected;
  };
  // F7 collapses, F8 expands; Ctrl+P prints; Ctrl+Shift+Del asks the owner to delete.
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note->window(), note_key::F7, 0));
  EXPECT_EQ(note->record().collapsed, 1);
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note->window(), note_key::F8, 0));
  EXPECT_EQ(note->record().collapsed, 0);
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note->window(), 'P', 2));
  ASSERT_EQ(dialogs.printed.size(), 1u);
  EXPECT_EQ(dialogs.printed[0], (std::pair<std::string, std::string>{"Compra", "texto"}));
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note->window(), note_key::Delete, 2 | 1));
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note->window(), note_key::F6, 0));
  EXPECT_EQ(owner.calls, (std::vector<std::string>{"delete", "hidden"}));
  EXPECT_FALSE(note->isOpen());
  EXPECT_EQ(note->Capture().record.visible, 0);
}

TEST_F(NoteWindowTest, CloseGlyphHidesAndCapturesTextAndPlace) {
  auto note = make(record());
  note->Show();
  SimUser(*note).type(note_control::Edit, "a\nb");
  note->geometry = {10, 20, 250, 260};
  clickGlyph(*note, note_control::CloseGlyph);
  EXPECT_FALSE(note->isOpen());
  EXPECT_EQ(owner.calls, (std::vector<std::string>{"hidden"}));
  EXPECT_EQ(note->text(), "a\r\nb");
  EXPECT_EQ(note->record().rect, (NoteRect{10, 20, 250, 260}));
}

TEST_F(NoteWindowTest, RenameThroughTheInputBoxCutsToFiftyNineBytes) {
  auto note = make(record());
  note->Show();
  std::string prompt;
  desk.dialogs.onModal = [&](WindowModel& m) {
    prompt = m.find(input_control::Prompt)->text + "|" + m.title;
    SimUser(m).type(input_control::Text, std::string(70, 't'));
    SimUser(m).click(input_control::Ok);
    return CInputBox::kAccepted;
  };
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note->window(), 'T', 2));
  EXPECT_EQ(prompt, "Introduzca el título de la nota:|Cambiar el título de la nota");
  EXPECT_EQ(note->record().title, std::string(59, 't'));
  EXPECT_EQ(note->find(note_control::Title)->text, std::string(59, 't'));
}

TEST_F(NoteWindowTest, PropertiesApplyTheirFieldsAndTellTheOwner) {
  auto note = make(record());
  note->Show();
  NoteRecord edited = note->record();
  edited.title = "Nuevo";
  edited.transparency = 60;
  edited.background = 0xFFC0FF;
  edited.hotkey = 0x0200 | 'K';
  edited.alarm.Enable = 1;
  edited.alarm.Start = 1;
  edited.rect = {0, 0, 1, 1};  // not a field of the dialog: ignored
  dialogs.answer = edited;
  choose(*note, note_cmd::Properties);
  EXPECT_EQ(note->record().title, "Nuevo");
  EXPECT_EQ(note->style.opacity, 40);
  EXPECT_EQ(note->record().background, 0xFFC0FFu);
  EXPECT_EQ(note->record().rect, (NoteRect{100, 100, 300, 300}));
  EXPECT_EQ(owner.calls, (std::vector<std::string>{"hotkey 0", "alarm", "changed"}));
  EXPECT_EQ(note->find(note_control::Title)->tooltip.find("Deshabilitada"), std::string::npos);
  // A cancelled dialog changes nothing.
  dialogs.answer.reset();
  owner.calls.clear();
  choose(*note, note_cmd::Properties);
  EXPECT_TRUE(owner.calls.empty());
}

TEST_F(NoteWindowTest, AnAlarmSwitchedOffLeavesTheWholeBlockZero) {
  NoteRecord r = record();
  r.alarm.Enable = 1;
  r.alarm.Day = 3;
  auto note = make(r);
  note->Show();
  NoteAlarmBlock off;
  off.Day = 9;  // Enable 0 with leftovers
  off.soundFile = "x.wav";
  dialogs.alarmAnswer = off;
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note->window(), 'A', 2));
  EXPECT_EQ(note->record().alarm, NoteAlarmBlock{});
  EXPECT_EQ(owner.calls, (std::vector<std::string>{"changed"}));
}

TEST_F(NoteWindowTest, SaveToFileWritesTheTextOrReportsTheFileError) {
  auto note = make(record(), "línea 1\r\nlínea 2");
  note->Show();
  const std::string path = sandbox.root() + "nota.txt";
  desk.dialogs.fileAnswers.push_back(std::vector<std::string>{path});
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note->window(), 'G', 2));
  EXPECT_EQ(files.readFile(path, 1000), "línea 1\r\nlínea 2");
  EXPECT_TRUE(desk.messageBoxes.shown.empty());
  desk.dialogs.fileAnswers.push_back(std::vector<std::string>{sandbox.root() + "no/such/folder/nota.txt"});
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note->window(), 'G', 2));
  ASSERT_EQ(desk.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(desk.messageBoxes.shown[0].icon, MsgIcon::Error);
}

TEST(NoteText, LineEndsBetweenRecordAndEdit) {
  struct Case {
    std::string record, edit;
  };
  for (const Case& c : {Case{"a\r\nb", "a\nb"}, Case{"", ""}, Case{"\r\n\r\n", "\n\n"}, Case{"x\ry", "x\ry"}}) {
    EXPECT_EQ(EditTextOf(c.record), c.edit);
    EXPECT_EQ(RecordTextOf(c.edit), c.record);
  }
}

TEST_F(NoteWindowTest, DefaultNoteEditorOffersOnlyFormatAndAcceptsOnClose) {
  NoteRecord start{};  // all zero: the built-in record
  std::vector<std::string> items;
  bool editDisabled = false;
  desk.dialogs.onModal = [&](WindowModel& m) {
    auto& note = dynamic_cast<CNote&>(m);
    note.OpenMenu({0, 0});
    for (const auto& i : desk.menus.openMenu()->items) items.push_back(i.text);
    // The editor runs no command outside its menu.
    editDisabled = !desk.dialogs.pressAccelerator(note.window(), 'T', 2);
    EXPECT_TRUE(desk.menus.choose(note_cmd::FirstColour + 2));
    desk.loop.deliverPosted();
    note.geometry = {33, 44, 333, 244};
    EXPECT_TRUE(desk.dialogs.pressAccelerator(note.window(), note_key::F6, 0));
    return CNote::kModalAccepted;
  };
  const auto edited = EditDefaultNote(start, services());
  ASSERT_TRUE(edited);
  EXPECT_EQ(edited->background, 0x80FF80u);
  EXPECT_EQ(edited->rect, (NoteRect{33, 44, 333, 244}));
  EXPECT_EQ(edited->title, "Nota por defecto");
  EXPECT_TRUE(editDisabled);
  EXPECT_EQ(items.front(), "Aceptar");
  EXPECT_EQ(std::count(items.begin(), items.end(), "Propiedades"), 0);
  EXPECT_EQ(std::count(items.begin(), items.end(), "Cancelar"), 1);

  desk.dialogs.onModal = [&](WindowModel&) { return CNote::kModalCancelled; };
  EXPECT_FALSE(EditDefaultNote(start, services()));
}

}  // namespace
}  // namespace zelvor::notes
