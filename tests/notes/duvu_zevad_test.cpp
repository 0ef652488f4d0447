// Duvu Zevad in the assembled suite on the simulated desktop: notes made
// from the icon, saved, reloaded, deleted into the bin, renumbered with
// their hotkeys; alarms on virtual time; the late-alarm check and its
// notices; the bin's window and rules; the status lines.

#include <gtest/gtest.h>

#include "notes/duvu_zevad.h"
#include "notes/note_index.h"
#include "notes/notes_files.h"
#include "platform/messages.h"
#include "shell/principal_dlg.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"
#include "tests/support/sim_suite.h"
#include "tests/support/sim_user.h"

namespace zelvor::notes {
namespace {

using zelvor::testing::SimUser;

constexpr std::int64_t kStart = 1'700'000'000;  // Tuesday 14 November 2023, 22:13:20 UTC
constexpr std::int64_t kMidnight = kStart - (22 * 3600 + 13 * 60 + 20);

class NoDialogs : public NoteDialogs {
 public:
  std::optional<NoteRecord> properties(const NoteRecord&) override { return std::nullopt; }
  std::optional<NoteAlarmBlock> alarm(const NoteAlarmBlock&) override { return std::nullopt; }
  void print(const NoteRecord&, std::string_view) override {}
};

class DuvuZevadTest : public zelvor::testing::SimSuiteTest {
 protected:
  CDuvuZevad& duvu() {
    auto* d = dynamic_cast<CDuvuZevad*>(app->utility(UtilityKind::DuvuZevad));
    EXPECT_NE(d, nullptr);
    return *d;
  }
  CNote& note(std::size_t i) { return *duvu().live().at(i); }
  void click(int icon, std::uint32_t m) {
    ASSERT_TRUE(desk.tray.mouse(icon, m));
    desk.loop.deliverPosted();
  }
  void setInt(std::string_view name, int value) {
    CRegKeyEx k(sim.registry);
    ASSERT_EQ(k.Create(Hive::CurrentUser, ConfigStore::KeyPath("DuvuZevad")), RegStatus::Ok);
    k.SetString(name, std::to_string(value));
  }
  NotesFiles files() { return NotesFiles(sim.files, sim.folders.userDataFolder() + "zelvor/"); }
  void writeNotes(const std::vector<NoteEntry>& live, const std::vector<NoteEntry>& bin = {}) {
    auto f = files();
    const SavedNotes saved = f.Save(live, bin);
    ASSERT_TRUE(saved.live.ok && saved.bin.ok);
  }
  // Ends the program (which saves) and starts it again; `meanwhile` runs
  // while it is not running, to leave files and settings for the next start.
  void restart(const std::function<void()>& meanwhile = {}) {
    app->mainWindow()->Exit();
    desk.loop.deliverPosted();
    app->ExitInstance();
    app.reset();
    if (meanwhile) meanwhile();
    app = std::make_unique<CZelvorApp>(sim.platform(), desk.desktop(), instance, components, options);
    ASSERT_TRUE(app->InitInstance({}).running);
    desk.loop.deliverPosted();
  }
  bool open(std::size_t i) { return note(i).isOpen() && desk.dialogs.isVisible(note(i).window()); }
  std::string status() { return app->mainWindow()->StatusReport(); }
  static NoteEntry entry(std::string title, std::uint32_t hotkey = 0) {
    NoteRecord r = BuiltInNoteRecord();
    r.title = std::move(title);
    r.hotkey = hotkey;
    return {r, "texto de " + r.title};
  }
};

TEST_F(DuvuZevadTest, ALeftClickMakesANoteThatIsSavedAndReopensWhereItWas) {
  click(9, msg::LeftUp);
  ASSERT_EQ(duvu().live().size(), 1u);
  EXPECT_EQ(note(0).record().title, "Nota 1");
  EXPECT_TRUE(open(0));
  // The shipped Defecto is 468 bytes: the built-in record applies, with the
  // default random colour among the light ones.
  const std::uint32_t bg = note(0).record().background;
  EXPECT_TRUE(bg == 0xC0C0FF || bg == 0xC0FFFF || bg == 0xC0FFC0 || bg == 0xFFC0C0 || bg == 0xFFC0FF ||
              bg == 0xC0C0C0 || bg == 0xFFFFFF)
      << std::hex << bg;
  const Rect work = desk.screen.work;
  EXPECT_GE(note(0).geometry.left, work.left);
  EXPECT_LE(note(0).geometry.left, work.right - 200 + 1);
  EXPECT_EQ(note(0).geometry.width(), 200);

  SimUser(note(0)).type(note_control::Edit, "leche\npan");
  note(0).geometry = {300, 200, 500, 400};
  ASSERT_TRUE(desk.dialogs.requestClose(note(0).window()) || !note(0).isOpen());
  EXPECT_FALSE(note(0).isOpen());
  // Closing a note saves.
  LoadedNotes saved = files().LoadLive();
  ASSERT_EQ(saved.notes.size(), 1u);
  EXPECT_EQ(saved.notes[0].text, "leche\r\npan");
  EXPECT_EQ(saved.notes[0].record.rect, (NoteRect{300, 200, 500, 400}));
  EXPECT_EQ(saved.notes[0].record.visible, 0);

  // Shown again from the menu's list (command 10), then the program ends.
  app->mainWindow()->RunUtilityCommand(UtilityKind::DuvuZevad, 10);
  EXPECT_TRUE(open(0));
  restart();
  ASSERT_EQ(duvu().live().size(), 1u);
  EXPECT_TRUE(open(0));
  EXPECT_EQ(note(0).geometry, (Rect{300, 200, 500, 400}));
  EXPECT_EQ(note(0).text(), "leche\r\npan");
  EXPECT_NE(status().find("note\t0\tNota 1\topen\n"), std::string::npos) << status();
}

TEST_F(DuvuZevadTest, HiddenAtStartWhenAskedAndTitlesFillTheGaps) {
  setInt("OcultarNotasAlInicio", 1);
  restart([&] {
    std::vector<NoteEntry> live{entry("Nota 1"), entry("Nota 3")};
    live[0].record.visible = 1;
    writeNotes(live);
  });
  ASSERT_EQ(duvu().live().size(), 2u);
  EXPECT_FALSE(open(0));
  app->mainWindow()->RunUtilityCommand(UtilityKind::DuvuZevad, 1);
  app->mainWindow()->RunUtilityCommand(UtilityKind::DuvuZevad, 1);
  ASSERT_EQ(duvu().live().size(), 4u);
  EXPECT_EQ(note(2).record().title, "Nota 2");
  EXPECT_EQ(note(3).record().title, "Nota 4");
  // The menu lists the notes by title, checked while open.
  app->mainWindow()->RunUtilityCommand(UtilityKind::DuvuZevad, 0);
  const Menu* m = desk.menus.openMenu();
  ASSERT_NE(m, nullptr);
  const MenuItem* item = desk.menus.item(menu_id::DuvuBase + 10 + 3);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text, "Nota 4");
  EXPECT_TRUE(item->checked);
  EXPECT_FALSE(desk.menus.item(menu_id::DuvuBase + 10)->checked);
}

TEST_F(DuvuZevadTest, DeletingMovesTheNoteToTheBinAndRenumbersHotkeys) {
  const std::uint32_t k0 = 0x0200 | 'A', k2 = 0x0600 | 'C';
  restart([&] { writeNotes({entry("uno", k0), entry("dos"), entry("tres", k2)}); });
  const int base = kUtilityNumber * 256 + kFirstNoteCommand;
  ASSERT_TRUE(desk.hotkeys.registered.contains(base + 2));
  note(1).Show();
  ASSERT_TRUE(desk.dialogs.pressAccelerator(note(1).window(), 0x2E, 2 | 1));
  desk.loop.deliverPosted();
  ASSERT_EQ(duvu().live().size(), 2u);
  EXPECT_EQ(note(1).record().title, "tres");
  EXPECT_EQ(note(1).index(), 1);
  EXPECT_TRUE(desk.hotkeys.registered.contains(base + 0));
  ASSERT_TRUE(desk.hotkeys.registered.contains(base + 1));
  EXPECT_EQ(desk.hotkeys.registered.at(base + 1).key, 'C');
  EXPECT_EQ(desk.hotkeys.registered.at(base + 1).modifiers, 6u);
  EXPECT_FALSE(desk.hotkeys.registered.contains(base + 2));
  // The moved hotkey shows and hides the note at its new index.
  ASSERT_TRUE(desk.hotkeys.press(base + 1));
  desk.loop.deliverPosted();
  EXPECT_TRUE(open(1));

  const LoadedNotes bin = files().LoadBin();
  ASSERT_EQ(bin.notes.size(), 1u);
  EXPECT_EQ(bin.notes[0].record.title, "dos");
  EXPECT_EQ(bin.notes[0].record.visible, 0);
  EXPECT_EQ(bin.notes[0].record.deletionTime, sim.clock.now());
  EXPECT_EQ(files().LoadLive().notes.size(), 2u);
  EXPECT_EQ(duvu().bin().size(), 1u);
  EXPECT_NE(status().find("notebin\t1\n"), std::string::npos);

  // The bin's window lists it; "Restaurar" brings it back at the end.
  app->mainWindow()->RunUtilityCommand(UtilityKind::DuvuZevad, 5);
  ASSERT_TRUE(desk.dialogs.isVisible(duvu().binHandle()));
  CNotesBinWindow& w = duvu().binWindow();
  EXPECT_EQ(w.title, "Papelera de notas");
  const Control* list = w.find(bin_control::List);
  ASSERT_EQ(list->rows.size(), 1u);
  EXPECT_EQ(list->rows[0].cells[0], "dos");
  EXPECT_EQ(list->rows[0].cells[2], "0");
  EXPECT_EQ(w.find(bin_control::Status)->items[0], " 1");
  SimUser(w).selectRow(bin_control::List, 0);
  EXPECT_EQ(w.find(bin_control::Status)->items[1], "texto de dos");
  ASSERT_TRUE(desk.dialogs.pressButton(duvu().binHandle(), "Restaurar"));
  ASSERT_EQ(duvu().live().size(), 3u);
  EXPECT_EQ(note(2).record().title, "dos");
  EXPECT_TRUE(open(2));
  EXPECT_EQ(duvu().bin().size(), 0u);
  EXPECT_EQ(files().LoadBin().notes.size(), 0u);
}

TEST_F(DuvuZevadTest, BinRules) {
  struct Case {
    const char* what;
    int capacity, disabled, days;
    std::int64_t laterSeconds;  // before the bin is opened
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"no limits", 0, 0, 0, 0, {"a", "b", "c"}},
      {"capacity 2 keeps the newest", 2, 0, 0, 0, {"b", "c"}},
      {"disabled keeps nothing", 0, 1, 0, 0, {}},
      {"3 days: exactly 3 days stay", 0, 0, 3, 3 * 86400, {"a", "b", "c"}},
      {"3 days: 4 days go", 0, 0, 3, 4 * 86400, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    setInt("CapacidadPapelera", c.capacity);
    setInt("DeshabilitarPapelera", c.disabled);
    setInt("DiasEnPapelera", c.days);
    restart([&] { writeNotes({entry("a"), entry("b"), entry("c")}, {}); });
    for (int i = 0; i < 3; ++i) duvu().DeleteNote(0);
    sim.clock.advanceMs(c.laterSeconds * 1000);
    app->mainWindow()->RunUtilityCommand(UtilityKind::DuvuZevad, 5);
    std::vector<std::string> rows;
    for (const NoteEntry& e : duvu().bin().rows()) rows.push_back(e.record.title);
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(duvu().binWindow().find(bin_control::List)->rows.size(), c.rows.size());
  }
}

TEST_F(DuvuZevadTest, EmptyingTheBinDeletesItsFileAndDeleteAllEmptiesTheLiveList) {
  restart([&] { writeNotes({entry("a"), entry("b")}); });
  app->mainWindow()->RunUtilityCommand(UtilityKind::DuvuZevad, 4);
  EXPECT_TRUE(duvu().live().empty());
  EXPECT_EQ(files().LoadBin().notes.size(), 2u);
  EXPECT_EQ(files().LoadLive().notes.size(), 0u);
  app->mainWindow()->RunUtilityCommand(UtilityKind::DuvuZevad, 5);
  ASSERT_TRUE(desk.dialogs.pressButton(duvu().binHandle(), "Vaciar papelera"));
  EXPECT_EQ(files().LoadBin().status, LoadedNotes::Status::Missing);
  EXPECT_EQ(duvu().binWindow().find(bin_control::Status)->items[0], " 0");
  // Closing the window only hides it.
  EXPECT_FALSE(desk.dialogs.requestClose(duvu().binHandle()));
  EXPECT_FALSE(desk.dialogs.isVisible(duvu().binHandle()));
  EXPECT_NE(desk.dialogs.model(duvu().binHandle()), nullptr);
}

NoteEntry alarmed(std::string title, int start, int day = 1, int month = 0, std::string sound = {}) {
  NoteEntry e{BuiltInNoteRecord(), "alarma"};
  e.record.title = std::move(title);
  e.record.alarm.Enable = 1;
  e.record.alarm.alarmTime = kMidnight + 8 * 3600 + 30 * 60;  // 08:30 UTC
  e.record.alarm.Start = start;
  e.record.alarm.Day = day;
  e.record.alarm.Month = month;
  e.record.alarm.Weekday = 127;
  e.record.alarm.soundFile = std::move(sound);
  return e;
}

TEST_F(DuvuZevadTest, ADailyAlarmFiresEveryDayAndAOnceAlarmOnceThenGoes) {
  // Once: 15 November (month 10) at 08:30, the morning after the start.
  const std::string wav = sandbox.root() + "alarma.wav";
  ASSERT_TRUE(sim.files.replaceAtomically(wav, "RIFF").ok);
  restart([&] { writeNotes({alarmed("diaria", 1, 1, 0, wav), alarmed("una vez", 0, 15, 10, wav)}); });
  ASSERT_TRUE(desk.loop.hasTimer(duvu().handle(), kTimerAlarms));
  EXPECT_EQ(desk.loop.timerInterval(duvu().handle(), kTimerAlarms), 60000u);
  std::vector<std::pair<std::size_t, std::int64_t>> fired;  // note, hour of the day
  for (int hour = 0; hour < 3 * 24; ++hour) {
    desk.loop.advanceMs(3600 * 1000);
    for (std::size_t i = 0; i < 2; ++i) {
      if (!open(i)) continue;
      fired.emplace_back(i, (sim.clock.now() - kMidnight) / 3600);
      duvu().ToggleNote(i);  // the user hides it again
    }
  }
  // Seen within the hour after 08:30 on 15, 16 and 17 November.
  const std::vector<std::pair<std::size_t, std::int64_t>> expected{
      {0, 24 + 9}, {1, 24 + 9}, {0, 48 + 9}, {0, 72 + 9}};
  EXPECT_EQ(fired, expected);
  // Each firing plays the note's sound once, without looping.
  ASSERT_EQ(desk.sound.plays.size(), 4u);
  for (const auto& p : desk.sound.plays) {
    EXPECT_EQ(p.file, wav);
    EXPECT_FALSE(p.loop);
  }
  EXPECT_TRUE(note(0).record().hasAlarm());
  EXPECT_EQ(note(1).record().alarm, NoteAlarmBlock{});
  const LoadedNotes saved = files().LoadLive();
  EXPECT_EQ(saved.notes[1].record.alarm, NoteAlarmBlock{});
  EXPECT_TRUE(saved.notes[0].record.hasAlarm());
}

TEST_F(DuvuZevadTest, TheAlarmTimerStopsWhenNoNoteHasAnAlarm) {
  restart([&] { writeNotes({alarmed("una vez", 0, 15, 10)}); });
  desk.loop.advanceMs(12 * 3600 * 1000);
  EXPECT_FALSE(note(0).record().hasAlarm());
  EXPECT_FALSE(desk.loop.hasTimer(duvu().handle(), kTimerAlarms));
}

TEST_F(DuvuZevadTest, LateOnceAlarmsAreRemovedAndAnnouncedAtStart) {
  // Our own utility, with the check right after the start.
  app->DeleteUtility(UtilityKind::DuvuZevad);
  writeNotes({alarmed("pasada", 0, 1, 0), alarmed("futura", 0, 20, 11), alarmed("diaria", 1, 1, 0)});
  setInt("AvisarNotasRetrasadas", 1);
  CDuvuZevad own(*app, std::make_unique<NoDialogs>(), DuvuZevadOptions{std::chrono::milliseconds(0)});
  own.start();
  ASSERT_TRUE(desk.loop.waitForPost(std::chrono::seconds(10)));
  desk.loop.deliverPosted();
  EXPECT_EQ(own.live()[0]->record().alarm, NoteAlarmBlock{});
  EXPECT_TRUE(own.live()[1]->record().hasAlarm());
  EXPECT_TRUE(own.live()[2]->record().hasAlarm());
  EXPECT_EQ(files().LoadLive().notes[0].record.alarm, NoteAlarmBlock{});
  ASSERT_EQ(own.lateNotices().size(), 1u);
  EXPECT_NE(own.lateNotices()[0].find("<b>Nota atrasada - pasada</b>"), std::string::npos);
  EXPECT_NE(own.lateNotices()[0].find("alarma"), std::string::npos);
  EXPECT_TRUE(app->mainWindow()->tooltip().visible());
  // 16 seconds later the notice goes.
  desk.loop.advanceMs(16'000);
  EXPECT_FALSE(app->mainWindow()->tooltip().visible());
}

TEST_F(DuvuZevadTest, ExitSavesOpenNotesAsVisibleWithTheirPlace) {
  click(9, msg::LeftUp);
  click(9, msg::LeftUp);
  note(1).geometry = {5, 6, 205, 206};
  duvu().ToggleNote(0);
  app->mainWindow()->Exit();
  desk.loop.deliverPosted();
  const LoadedNotes saved = files().LoadLive();
  ASSERT_EQ(saved.notes.size(), 2u);
  EXPECT_EQ(saved.notes[0].record.visible, 0);
  EXPECT_EQ(saved.notes[1].record.visible, 1);
  EXPECT_EQ(saved.notes[1].record.rect, (NoteRect{5, 6, 205, 206}));
  EXPECT_EQ(saved.notes[1].record.title, "Nota 2");
}

TEST_F(DuvuZevadTest, TheShippedDefectoIsTheDefaultNoteLessItsLastFourBytes) {
  CRegKeyEx k(sim.registry);
  ASSERT_EQ(k.Open(Hive::CurrentUser, ConfigStore::KeyPath("DuvuZevad")), RegStatus::Ok);
  const auto defecto = k.GetBinary("Defecto");
  ASSERT_TRUE(defecto);
  ASSERT_EQ(defecto->size(), 468u);
  std::vector<std::uint8_t> whole = *defecto;
  whole.resize(kNoteRecordSize, 0);
  const NoteRecord r = DecodeNoteRecord(std::span<const std::uint8_t, kNoteRecordSize>(whole.data(), kNoteRecordSize));
  NoteRecord expected = BuiltInNoteRecord();
  expected.title = "Nota por defecto";
  EXPECT_EQ(r, expected);
  EXPECT_EQ(k.GetString("BotonIzquierdo"), "1");
  EXPECT_EQ(k.GetString("BotonDerecho"), "0");
  EXPECT_EQ(k.GetString("ColorAleatorio"), "1");
  EXPECT_EQ(k.GetString("PosicionAleatoria"), "1");
}

TEST_F(DuvuZevadTest, AStoredDefaultNoteShapesNewNotes) {
  NoteRecord stored = BuiltInNoteRecord();
  stored.background = 0x224466;
  stored.transparency = 40;
  stored.rect = {10, 10, 160, 90};
  stored.title = "Nota por defecto";
  const NoteRecordBytes bytes = EncodeNoteRecord(stored);
  CRegKeyEx k(sim.registry);
  ASSERT_EQ(k.Open(Hive::CurrentUser, ConfigStore::KeyPath("DuvuZevad")), RegStatus::Ok);
  k.SetBinary("Defecto", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  setInt("ColorAleatorio", 0);
  setInt("PosicionAleatoria", 0);
  click(9, msg::LeftUp);
  EXPECT_EQ(note(0).record().background, 0x224466u);
  EXPECT_EQ(note(0).style.opacity, 60);
  EXPECT_EQ(note(0).geometry, (Rect{10, 10, 160, 90}));
  EXPECT_EQ(note(0).record().title, "Nota 1");
}

TEST_F(DuvuZevadTest, AnUnreadableNotesFileIsSetAsideNotOverwritten) {
  const std::string dat = sim.folders.userDataFolder() + "zelvor/notes.dat";
  // A folder where the file should be: there, but it cannot be read.
  restart([&] {
    ASSERT_TRUE(sim.files.removeFile(dat).ok);
    ASSERT_TRUE(sim.files.makeFolder(dat).ok);
  });
  ASSERT_TRUE(sim.files.isFolder(dat));
  EXPECT_TRUE(duvu().live().empty());
  click(9, msg::LeftUp);
  app->mainWindow()->Exit();
  desk.loop.deliverPosted();
  EXPECT_TRUE(sim.files.isFolder(dat + ".ilegible"));
  ASSERT_EQ(files().LoadLive().notes.size(), 1u);
}

TEST_F(DuvuZevadTest, ConfigurationTreeHasTheMouseAndHotkeyPages) {
  const ConfigTree tree = SuiteConfigTree();
  std::vector<std::string> titles;
  for (const ConfigNode& n : tree.nodes()) {
    if (n.utility != UtilityKind::DuvuZevad) continue;
    for (const ConfigPageSpec& p : n.pages) titles.push_back(p.title);
  }
  EXPECT_NE(std::find(titles.begin(), titles.end(), "Acciones del ratón"), titles.end());
  EXPECT_NE(std::find(titles.begin(), titles.end(), "Teclas de acceso rápido"), titles.end());
}

TEST_F(DuvuZevadTest, StatusLinesKeepATitleOnOneLine) {
  click(9, msg::LeftUp);
  click(9, msg::LeftUp);
  note(0).record().title = "a\tb\nc";
  duvu().ToggleNote(1);
  EXPECT_NE(status().find("note\t0\ta\\tb\\nc\topen\nnote\t1\tNota 2\thidden\nnotebin\t0\n"), std::string::npos)
      << status();
}

TEST_F(DuvuZevadTest, ShowAllHideAllAndToggleCommands) {
  restart([&] { writeNotes({entry("a"), entry("b"), entry("c")}); });
  struct Case {
    int command;
    std::vector<bool> open;
    bool saved;  // the file then holds these visible flags
  };
  const Case cases[] = {
      {2, {true, true, true}, false},
      {11, {true, false, true}, true},
      {11, {true, true, true}, false},
      {3, {false, false, false}, true},
      {12, {false, false, true}, false},
      {40, {false, false, true}, false},  // no note 30: nothing happens
  };
  for (const Case& c : cases) {
    app->mainWindow()->RunUtilityCommand(UtilityKind::DuvuZevad, c.command);
    std::vector<bool> open;
    for (std::size_t i = 0; i < 3; ++i) open.push_back(this->open(i));
    EXPECT_EQ(open, c.open) << c.command;
    if (c.saved) {
      std::vector<bool> visible;
      for (const NoteEntry& e : files().LoadLive().notes) visible.push_back(e.record.visible == 1);
      EXPECT_EQ(visible, c.open) << c.command;
    }
  }
}

TEST_F(DuvuZevadTest, TheNewNoteHotkeyMakesANote) {
  CRegKeyEx k(sim.registry);
  ASSERT_EQ(k.Open(Hive::CurrentUser, ConfigStore::KeyPath("DuvuZevad")), RegStatus::Ok);
  k.SetDword("HotKey1", 0x0600 | 'N');  // Ctrl+Shift+N
  restart();
  ASSERT_TRUE(desk.hotkeys.press(CommandHotkeyId(NotesCommand::NewNote)));
  desk.loop.deliverPosted();
  ASSERT_EQ(duvu().live().size(), 1u);
  EXPECT_EQ(note(0).record().title, "Nota 1");
}

TEST_F(DuvuZevadTest, SessionEndSaves) {
  click(9, msg::LeftUp);
  SimUser(note(0)).type(note_control::Edit, "sin guardar");
  app->mainWindow()->onMessage(msg::QueryEndSession, 0, 0);
  const LoadedNotes saved = files().LoadLive();
  ASSERT_EQ(saved.notes.size(), 1u);
  EXPECT_EQ(saved.notes[0].text, "sin guardar");
}

}  // namespace
}  // namespace zelvor::notes
