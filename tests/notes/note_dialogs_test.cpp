// The note's properties and alarm dialogs on the simulated desktop: what
// they show of a record, what the user's edits make of it, and printing.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "notes/note_alarm.h"
#include "notes/note_dialogs_impl.h"
#include "platform/sim/sim_dialogs.h"
#include "platform/sim/sim_platform.h"
#include "tests/notes/recording_print_job.h"
#include "tests/support/sandbox.h"
#include "tests/support/sim_user.h"

namespace zelvor::notes {
namespace {

using zelvor::testing::RecordingPrintJob;
using zelvor::testing::Sandbox;
using zelvor::testing::SimUser;
using P = CNotePropertiesDlg;
using A = CNoteAlarm;

constexpr const char* kDefaultSound = "/usr/share/sounds/zelvor/alarma.wav";

// A user who answers the font dialog.
class AnsweringDialogs final : public SimDialogs {
 public:
  bool chooseFont(Canvas::Font& font, Colour& colour) override {
    asked = font;
    if (!answer) return false;
    font = answer->first;
    colour = answer->second;
    return true;
  }
  std::optional<std::pair<TextFont, Colour>> answer;
  std::optional<TextFont> asked;
};

class RecordedSounds final : public EventSoundPlayer {
 public:
  void PlayEventSound(std::string_view file, bool loop) override { played.emplace_back(file, loop); }
  std::vector<std::pair<std::string, bool>> played;
};

// Hands out jobs that draw into one recording, or none when the user cancels.
class RecordingPrinter final : public Printer {
 public:
  std::unique_ptr<PrintJob> begin(const std::string& name) override {
    documentName = name;
    if (cancel) return nullptr;
    return std::make_unique<Forward>(recording);
  }
  std::unique_ptr<PrintJob> beginPdf(const std::string&, const std::string&) override { return nullptr; }
  RecordingPrintJob recording;
  std::string documentName;
  bool cancel = false;

 private:
  class Forward final : public PrintJob {
   public:
    explicit Forward(RecordingPrintJob& to) : to_(to) {}
    int dpiX() override { return to_.dpiX(); }
    int dpiY() override { return to_.dpiY(); }
    Size pageSize() override { return to_.pageSize(); }
    bool newPage() override { return to_.newPage(); }
    Canvas& canvas() override { return to_.canvas(); }
    void penLine(Point a, Point b, Colour c, int w) override { to_.penLine(a, b, c, w); }
    bool finish() override { return to_.finish(); }

   private:
    RecordingPrintJob& to_;
  };
};

class NoteDialogsTest : public ::testing::Test {
 protected:
  NoteDialogsTest() {
    store.WriteConfigString("DuvuZevad", "SonidoDefecto", kDefaultSound);
    // Each modal window is answered by the user written for its class.
    dialogs.onModal = [this](WindowModel& m) {
      const auto it = users.find(m.className);
      if (it == users.end()) {
        ADD_FAILURE() << "no user for " << m.className;
        return 0;
      }
      SimUser user(m);
      it->second(m, user);
      return 0;
    };
  }
  NoteDialogServices services() { return {dialogs, printer, sounds, store, sim.clock}; }

  Sandbox box;
  SimPlatform sim{box.root()};
  ConfigStore store{sim.registry, sim.folders, sim.files};
  AnsweringDialogs dialogs;
  RecordedSounds sounds;
  RecordingPrinter printer;
  CNoteDialogs notes{services()};
  std::map<std::string, std::function<void(WindowModel&, SimUser&)>> users;
};

NoteRecord SampleRecord() {
  NoteRecord r = BuiltInNoteRecord();
  r.title = "Compras";
  r.hotkey = 'N' | (1 | 2) << 8;  // registration form: Alt + Ctrl
  r.alignment = 1;
  r.transparency = 40;
  r.background = 0x80FFFF;
  r.textColor = 0x000080;
  r.rect = {10, 20, 210, 220};
  return r;
}

TEST_F(NoteDialogsTest, PropertiesShowTheRecordAndWriteEveryEditBack) {
  const NoteRecord start = SampleRecord();
  users[P::kClassName] = [](WindowModel& m, SimUser& u) {
    EXPECT_EQ(m.title, "Propiedades de la nota");
    EXPECT_EQ(m.find(P::kTitleEdit)->text, "Compras");
    EXPECT_EQ(m.find(P::kTitleEdit)->maxLength, 59);
    EXPECT_EQ(m.find(P::kHotkey)->value, 'N' | (4 | 2) << 8);  // field form: Alt 4, Ctrl 2
    EXPECT_EQ(m.find(P::kAlignment)->value, 1);
    EXPECT_EQ(m.find(P::kTransparency)->value, 2);
    EXPECT_EQ(m.find(P::kBackground)->colour, 0x80FFFFu);
    EXPECT_EQ(m.find(P::kAlarmText)->text, "Deshabilitada");
    EXPECT_EQ(m.find(P::kSample)->textColour, std::optional<Colour>(0x000080));
    EXPECT_FALSE(m.find(P::kSample)->font.has_value());

    u.type(P::kTitleEdit, std::string(70, 'x'));
    u.setValue(P::kHotkey, 'K' | (1 | 2) << 8);  // Shift + Ctrl
    u.choose(P::kAlignment, 2);
    u.choose(P::kTransparency, 4);
    m.find(P::kBackground)->colour = 0xC0C0C0;
    m.onEvent({ControlEvent::Kind::Changed, P::kBackground});
    EXPECT_EQ(m.find(P::kSample)->backColour, std::optional<Colour>(0xC0C0C0));
    EXPECT_TRUE(u.press("Aceptar"));
  };
  const auto result = notes.properties(start);
  ASSERT_TRUE(result.has_value());
  NoteRecord expected = start;
  expected.title = std::string(59, 'x');
  expected.hotkey = 'K' | (2 | 4) << 8;  // registration form: Ctrl 2, Shift 4
  expected.alignment = 2;
  expected.transparency = 80;
  expected.background = 0xC0C0C0;
  EXPECT_EQ(*result, expected);
}

TEST_F(NoteDialogsTest, HotkeyModifiersTurnFromFieldToRegistrationForm) {
  struct Case {
    int fieldModifiers;
    std::uint32_t registrationModifiers;
  };
  // Field: Shift 1, Ctrl 2, Alt 4. Registration: Alt 1, Ctrl 2, Shift 4.
  const Case cases[] = {{0, 0}, {1, 4}, {2, 2}, {4, 1}, {1 | 4, 4 | 1}, {1 | 2 | 4, 7}};
  for (const Case& c : cases) {
    users[P::kClassName] = [&](WindowModel&, SimUser& u) {
      u.setValue(P::kHotkey, 0x75 | c.fieldModifiers << 8);
      EXPECT_TRUE(u.press("Aceptar"));
    };
    const auto result = notes.properties(SampleRecord());
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->hotkey, 0x75u | c.registrationModifiers << 8) << c.fieldModifiers;
  }
  // No key: no hotkey at all.
  users[P::kClassName] = [](WindowModel&, SimUser& u) {
    u.setValue(P::kHotkey, 0);
    EXPECT_TRUE(u.press("Aceptar"));
  };
  EXPECT_EQ(notes.properties(SampleRecord())->hotkey, 0u);
}

TEST_F(NoteDialogsTest, CancelOrClosingLeavesTheRecordAlone) {
  users[P::kClassName] = [](WindowModel&, SimUser& u) {
    u.type(P::kTitleEdit, "otro");
    EXPECT_TRUE(u.press("Cancelar"));
  };
  EXPECT_FALSE(notes.properties(SampleRecord()).has_value());
  // Closed by its title bar: no button pressed.
  users[P::kClassName] = [](WindowModel&, SimUser& u) { u.type(P::kTitleEdit, "otro"); };
  EXPECT_FALSE(notes.properties(SampleRecord()).has_value());
  users[A::kClassName] = [](WindowModel&, SimUser& u) { EXPECT_TRUE(u.press("Cancelar")); };
  EXPECT_FALSE(notes.alarm({}).has_value());
}

TEST_F(NoteDialogsTest, FontDialogStartsFromTheNotesFontAndSetsFontAndTextColour) {
  NoteRecord start = SampleRecord();
  start.font.lfHeight = -16;
  start.font.lfWeight = 400;
  start.font.lfFaceName = "DejaVu Sans";
  TextFont chosen;
  chosen.family = "DejaVu Serif";
  chosen.pointSize = 9;
  chosen.weight = 700;
  chosen.bold = true;
  chosen.italic = true;
  dialogs.answer = {{chosen, 0x0000FF}};
  users[P::kClassName] = [](WindowModel& m, SimUser& u) {
    EXPECT_TRUE(u.press("Cambiar fuente..."));
    ASSERT_TRUE(m.find(P::kSample)->font.has_value());
    EXPECT_EQ(m.find(P::kSample)->font->family, "DejaVu Serif");
    EXPECT_EQ(m.find(P::kSample)->textColour, std::optional<Colour>(0x0000FF));
    EXPECT_TRUE(u.press("Aceptar"));
  };
  const auto result = notes.properties(start);
  ASSERT_TRUE(dialogs.asked.has_value());
  EXPECT_EQ(dialogs.asked->family, "DejaVu Sans");
  EXPECT_EQ(dialogs.asked->pointSize, 12);  // 16 pixels at 96 per inch
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->font.lfFaceName, "DejaVu Serif");
  EXPECT_EQ(result->font.lfHeight, -12);
  EXPECT_EQ(result->font.lfWeight, 700);
  EXPECT_EQ(result->font.lfItalic, 1);
  EXPECT_EQ(result->textColor, 0x0000FFu);

  // A cancelled font dialog changes nothing.
  dialogs.answer.reset();
  users[P::kClassName] = [](WindowModel&, SimUser& u) {
    EXPECT_TRUE(u.press("Cambiar fuente..."));
    EXPECT_TRUE(u.press("Aceptar"));
  };
  const auto unchanged = notes.properties(start);
  ASSERT_TRUE(unchanged.has_value());
  EXPECT_EQ(*unchanged, start);
}

TEST_F(NoteDialogsTest, AlarmSetFromThePropertiesIsDescribedAndKeptOnlyOnAccept) {
  users[A::kClassName] = [](WindowModel& m, SimUser& u) {
    const auto& view = dynamic_cast<A&>(m).View();
    EXPECT_EQ(m.title, "Alarma");
    EXPECT_EQ(m.find(A::kSoundFile)->text, kDefaultSound);
    EXPECT_EQ(m.find(view.IdOf(SchedulerControl::EnableBox))->text, "Mostrar la nota y reproducir un sonido:");
    u.click(view.IdOf(SchedulerControl::EnableBox));
    u.choose(view.IdOf(SchedulerControl::KindList), 1);
    u.setValue(view.IdOf(SchedulerControl::TimePicker), 8 * 3600 + 30 * 60);
    EXPECT_TRUE(u.press("Aceptar"));
  };
  users[P::kClassName] = [](WindowModel& m, SimUser& u) {
    EXPECT_TRUE(u.press("Establecer..."));
    EXPECT_EQ(m.find(P::kAlarmText)->text, "Diariamente a las 08:30");
    EXPECT_TRUE(u.press("Aceptar"));
  };
  const auto result = notes.properties(SampleRecord());
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->alarm.Enable, 1);
  EXPECT_EQ(result->alarm.Start, 1);
  EXPECT_EQ(AlarmTimeOfDay(result->alarm.alarmTime, sim.clock), (TimeOfDay{8, 30}));
  EXPECT_EQ(result->alarm.soundFile, kDefaultSound);
  EXPECT_EQ(DescribeNoteAlarm(result->alarm, sim.clock), "Diariamente a las 08:30");
}

TEST_F(NoteDialogsTest, AlarmStartsFromTheBlockAndTakesTheSoundFile) {
  NoteAlarmBlock start;
  start.Enable = 1;
  start.Start = 2;
  start.Weekday = 64 | 4;  // Monday and Friday
  start.alarmTime = 1'700'000'000 - 1'700'000'000 % 86400 + 21 * 3600 + 5 * 60;  // 21:05 UTC
  start.soundFile = "/tmp/a.wav";
  dialogs.fileAnswers.push_back({"/home/u/timbre.wav"});
  users[A::kClassName] = [](WindowModel& m, SimUser& u) {
    const auto& view = dynamic_cast<A&>(m).View();
    EXPECT_TRUE(m.find(view.IdOf(SchedulerControl::EnableBox))->checked);
    EXPECT_EQ(m.find(view.IdOf(SchedulerControl::KindList))->value, 2);
    EXPECT_EQ(m.find(view.IdOf(SchedulerControl::TimePicker))->value, 21 * 3600 + 5 * 60);
    EXPECT_EQ(m.find(A::kSoundFile)->text, "/tmp/a.wav");
    EXPECT_TRUE(u.press("Examinar..."));
    EXPECT_EQ(m.find(A::kSoundFile)->text, "/home/u/timbre.wav");
    EXPECT_TRUE(u.press("Reproducir"));
    EXPECT_TRUE(u.press("Aceptar"));
  };
  const auto result = notes.alarm(start);
  ASSERT_TRUE(result.has_value());
  NoteAlarmBlock expected = start;
  expected.soundFile = "/home/u/timbre.wav";
  EXPECT_EQ(*result, expected);
  ASSERT_EQ(sounds.played.size(), 1u);
  EXPECT_EQ(sounds.played[0], (std::pair<std::string, bool>{"/home/u/timbre.wav", false}));
}

TEST_F(NoteDialogsTest, NewAlarmStartsNowAndSwitchedOffGivesAZeroBlock) {
  // 1'700'000'000 is 22:13 UTC, the simulated zone.
  users[A::kClassName] = [](WindowModel& m, SimUser& u) {
    const auto& view = dynamic_cast<A&>(m).View();
    EXPECT_FALSE(m.find(view.IdOf(SchedulerControl::EnableBox))->checked);
    EXPECT_EQ(m.find(view.IdOf(SchedulerControl::KindList))->value, 0);
    EXPECT_EQ(m.find(view.IdOf(SchedulerControl::TimePicker))->value, 22 * 3600 + 13 * 60);
    EXPECT_EQ(m.find(A::kSoundFile)->text, kDefaultSound);
    EXPECT_TRUE(u.press("Aceptar"));
  };
  const auto off = notes.alarm({});
  ASSERT_TRUE(off.has_value());
  EXPECT_EQ(*off, NoteAlarmBlock{});

  NoteAlarmBlock armed;
  armed.Enable = 1;
  armed.soundFile = "/tmp/a.wav";
  users[A::kClassName] = [](WindowModel& m, SimUser& u) {
    u.click(dynamic_cast<A&>(m).View().IdOf(SchedulerControl::EnableBox));
    EXPECT_TRUE(u.press("Aceptar"));
  };
  EXPECT_EQ(notes.alarm(armed), std::optional<NoteAlarmBlock>(NoteAlarmBlock{}));
}

TEST_F(NoteDialogsTest, PrintRunsThePrinterUnderTheNotesTitleUnlessCancelled) {
  notes.print(SampleRecord(), "línea uno\r\nlínea dos");
  EXPECT_EQ(printer.documentName, "Zelvor");
  EXPECT_EQ(printer.recording.finished, 1);
  const auto page = printer.recording.onPage(1);
  ASSERT_EQ(page.size(), 4u);
  EXPECT_EQ(page[0].text, "Compras");
  EXPECT_EQ(page[3].text, "línea dos");
  EXPECT_EQ(page[3].colour, 0x000080u);

  printer.cancel = true;
  printer.recording.texts.clear();
  notes.print(SampleRecord(), "nada");
  EXPECT_TRUE(printer.recording.texts.empty());
}

}  // namespace
}  // namespace zelvor::notes
