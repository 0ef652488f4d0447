// Shows the note's dialogs and a note-shaped window on the Qt desktop so
// that a person (or a screenshot) can look at them. The store is in memory
// and the clock fixed, so every run shows the same thing. Used by
// notes_screenshots.sh.
//
//   zelvor_notes_demo properties|alarm|note [SECONDS]

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "notes/note_dialogs_impl.h"
#include "platform/posix/posix_files.h"
#include "platform/qt/qt_desktop.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_registry.h"
#include "platform/time_zone.h"
#include "tests/qt/note_like_model.h"

namespace {

class SilentSounds final : public zelvor::EventSoundPlayer {
 public:
  void PlayEventSound(std::string_view, bool) override {}
};

}  // namespace

int main(int argc, char** argv) {
  using namespace zelvor;
  const std::string what = argc > 1 ? argv[1] : "properties";
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  std::string error;
  auto desktop = QtDesktop::create(argc, argv, error);
  if (!desktop) {
    std::fprintf(stderr, "zelvor_notes_demo: %s\n", error.c_str());
    return 1;
  }
  QTimer::singleShot(seconds * 1000, [] { QCoreApplication::exit(0); });

  if (what == "note") {
    testing::NoteLikeModel model;
    model.find(testing::note_like::kText)->text = "Comprar pan\nLlamar a Marta a las 18:00";
    const WindowHandle h = desktop->dialogs().create(model);
    desktop->dialogs().show(h);
    return desktop->loop().run();
  }

  // Monday 15 April 2024, 18:20 in Madrid.
  SimClock clock(1'713'198'000, *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3"));
  SimRegistry registry;
  SimFolders folders;
  PosixFiles files;
  ConfigStore store(registry, folders, files);
  store.WriteConfigString("DuvuZevad", "SonidoDefecto", "/usr/share/sounds/freedesktop/stereo/bell.oga");
  SilentSounds sounds;
  notes::CNoteDialogs dialogs({desktop->dialogs(), desktop->printer(), sounds, store, clock});

  notes::NoteRecord record = notes::BuiltInNoteRecord();
  record.title = "Lista de la compra";
  record.hotkey = 'L' | (2 | 1) << 8;
  record.alignment = 1;
  record.transparency = 20;
  record.font.lfHeight = -16;
  record.font.lfWeight = 700;
  record.font.lfFaceName = "DejaVu Serif";
  record.textColor = 0x800000;
  record.alarm.Enable = 1;
  record.alarm.Start = 1;
  record.alarm.alarmTime = 1'713'198'000 + 3600;
  record.alarm.soundFile = "/usr/share/sounds/freedesktop/stereo/alarm-clock-elapsed.oga";
  if (what == "alarm") {
    (void)dialogs.alarm(record.alarm);
  } else {
    (void)dialogs.properties(record);
  }
  return 0;
}
