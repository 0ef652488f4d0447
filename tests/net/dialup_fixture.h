#pragma once
// The connection control on the simulated binding: a dial window that
// records what it is asked, the suite's side recorded too, and the diary
// file in the sandbox.

#include <string>
#include <vector>

#include "net/diary/connection_file.h"
#include "net/diary/diary_recorder.h"
#include "net/dialup/dialup_control.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_dialer.h"
#include "tests/net/diary_sandbox.h"

namespace zelvor::testing {

class RecordingDialView : public dialup::DialView {
 public:
  struct Line {
    std::string text;
    dialup::LogIcon icon;
    friend bool operator==(const Line&, const Line&) = default;
  };
  bool visible() override { return shown; }
  void show() override {
    shown = true;
    ++shows;
  }
  void hide() override { shown = false; }
  void setTitle(const std::string& t) override { title = t; }
  void setStatus(const std::string& s) override { status = s; }
  void setFieldsEnabled(bool e) override { fieldsEnabled = e; }
  void showTab(dialup::DialTab t) override { tab = t; }
  void setFields(const dialup::DialFields& f) override {
    current = f;
    current.edited = false;
  }
  dialup::DialFields fields() override { return current; }
  void loadPrograms(bool load) override { programsLoaded = load; }
  void clearLog() override { log.clear(); }
  void addLogLine(const std::string& text, dialup::LogIcon icon) override { log.push_back({text, icon}); }
  void markLastLineDone() override {
    if (!log.empty() && log.back().icon == dialup::LogIcon::Arrow) log.back().icon = dialup::LogIcon::Done;
  }

  bool shown = false;
  int shows = 0;
  std::string title, status;
  bool fieldsEnabled = false;
  dialup::DialTab tab = dialup::DialTab::Authentication;
  dialup::DialFields current;
  bool programsLoaded = false;
  std::vector<Line> log;
};

class RecordingOutside : public dialup::DialupOutside {
 public:
  void PlayEventSound(std::string_view s) override { sounds.emplace_back(s); }
  void StartPrograms() override { events.push_back("start programs"); }
  void ClosePrograms() override { events.push_back("close programs"); }
  void ForgetPrograms() override { events.push_back("forget programs"); }
  void ConnectionUp() override { events.push_back("connection up"); }
  void DropIcon() override { events.push_back("drop icon"); }
  std::vector<std::string> sounds;
  std::vector<std::string> events;
  [[nodiscard]] int count(const std::string& e) const {
    int n = 0;
    for (const auto& x : events) n += x == e ? 1 : 0;
    return n;
  }
};

class DialupFixture : public DiarySandbox {
 protected:
  DialupFixture()
      : desktop(sim.clock),
        dialer(desktop.loop),
        recorder(store, sim.clock, [](const diary::DiaryMessage&) {}),
        control(dialup::DialupServices{store, dialer, desktop.loop, desktop.messageBoxes, recorder, view,
                                       outside}) {
    dialer.entryNames = {"Proveedor", "Trabajo"};
    dialer.modemNames = {"ttyUSB0"};
    dialer.deviceOf = {{"Proveedor", "ttyUSB0"}, {"Trabajo", "ttyACM0"}};
    dialer.errorTexts = {{676, "La línea está ocupada."}};
  }

  void deliver() { desktop.loop.deliverPosted(); }
  // Moves virtual time; the watch and every due timer fire on the way.
  void advance(std::int64_t ms) { desktop.loop.advanceMs(ms); }
  std::vector<diary::CItemDiario> records() {
    std::vector<diary::CItemDiario> got;
    (void)diary::ConnectionFile(sim.files, sim.folders.userData_ + "zelvor/conexion.dat")
        .ReadRecords([&](std::uint64_t, const diary::CItemDiario& r) {
          got.push_back(r);
          return true;
        });
    return got;
  }
  [[nodiscard]] int separators() const {
    int n = 0;
    for (const auto& l : view.log) n += l.text == "-------------------" ? 1 : 0;
    return n;
  }

  SimDesktop desktop;
  SimDialer dialer;
  RecordingDialView view;
  RecordingOutside outside;
  diary::DiaryRecorder recorder;
  dialup::DialupControl control;
};

}  // namespace zelvor::testing
