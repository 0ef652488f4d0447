// The trigger's page as a window on the simulated desktop: the controls
// each owner sees, the enabling rules carried into the model as the user
// edits, and what "Aceptar" and "Cancelar" leave in the store.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "exit/scheduler_page_window.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_platform.h"
#include "shell/store/config_store.h"
#include "shell/store/reg_key_ex.h"
#include "tests/exit/scheduler_test_support.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

using C = SchedulerControl;
using test::At;

// The controls of the model: the pairs (day field and spin, seconds field
// and spin) are one control each.
const std::vector<C> kModelControls = {C::EnableBox,   C::KindList,   C::TimeLabel,  C::TimePicker,
                                       C::WeekdayLabel, C::WeekdayList, C::DayLabel, C::DayField,
                                       C::MonthLabel,  C::MonthList,  C::WarningBox, C::SecondsField};

class SchedulerPageWindowTest : public ::testing::Test {
 protected:
  SchedulerPageWindowTest() {
    // Friday 10 February 2023, 09:30:15.
    sim.clock.setNow(At(sim.clock, 2023, 2, 10, 9, 30, 15));
  }

  void Open(SchedulerSetup setup = scheduler_setup::AutomaticConnect()) {
    window.reset();  // it refers to the scheduler replaced below
    keyPath = setup.keyPath.value_or("");
    scheduler = std::make_unique<CScheduler>(CScheduler::Services{sim.registry, sim.clock}, std::move(setup));
    window = std::make_unique<SchedulerPageWindow>(*scheduler, desk.dialogs, "Dedo Vuv - Configuración");
    window->Open();
    handle = desk.dialogs.findByClass(SchedulerPageWindow::kClassName);
    ASSERT_NE(handle, kNoWindow);
    ASSERT_TRUE(desk.dialogs.isVisible(handle));
  }

  WindowModel& Model() { return *desk.dialogs.model(handle); }
  Control& Ctl(C c) {
    Control* found = Model().find(window->View().IdOf(c));
    if (found == nullptr) throw std::runtime_error("control not in the model");
    return *found;
  }

  // The user edits a control the way a binding reports it: the control
  // changes first, then the window hears of it.
  void User(C c, const std::function<void(Control&)>& change) {
    Control& control = Ctl(c);
    change(control);
    ControlEvent e;
    e.kind = control.kind == ControlKind::CheckBox ? ControlEvent::Kind::Clicked : ControlEvent::Kind::Changed;
    e.controlId = control.id;
    Model().onEvent(e);
  }
  void Check(C c, bool on) {
    User(c, [on](Control& k) { k.checked = on; });
  }
  void Choose(C c, int value) {
    User(c, [value](Control& k) { k.value = value; });
  }
  void CheckWeekday(int position, bool on) {
    User(C::WeekdayList, [&](Control& k) { k.rows[static_cast<std::size_t>(position)].checked = on; });
  }

  std::map<C, bool> Enabled() {
    std::map<C, bool> on;
    for (C c : kModelControls) on[c] = Ctl(c).enabled;
    return on;
  }

  std::optional<std::uint32_t> Stored(std::string_view name) {
    CRegKeyEx key(sim.registry);
    if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath(keyPath)) != RegStatus::Ok) return std::nullopt;
    return key.GetDword(name);
  }

  zelvor::testing::Sandbox sandbox;
  SimPlatform sim{sandbox.root()};
  SimDesktop desk{sim.clock};
  std::string keyPath;
  std::unique_ptr<CScheduler> scheduler;
  std::unique_ptr<SchedulerPageWindow> window;
  WindowHandle handle = kNoWindow;
};

TEST_F(SchedulerPageWindowTest, ADisarmedTriggerOpensOnTodayWithEverythingButTheBoxDisabled) {
  Open();
  EXPECT_EQ(Model().title, "Dedo Vuv - Configuración");
  EXPECT_EQ(Ctl(C::EnableBox).text, "Conectar automáticamente:");
  EXPECT_FALSE(Ctl(C::EnableBox).checked);
  EXPECT_EQ(Ctl(C::KindList).items, (std::vector<std::string>{"Sólo una vez", "Diariamente", "Semanalmente",
                                                              "Mensualmente", "Anualmente"}));
  EXPECT_EQ(Ctl(C::KindList).value, 0);
  EXPECT_EQ(Ctl(C::TimePicker).value, 9 * 3600 + 30 * 60);
  EXPECT_EQ(Ctl(C::TimePicker).text, "HH:mm");
  EXPECT_EQ(Ctl(C::DayField).value, 10);
  EXPECT_EQ(Ctl(C::DayField).maximum, 28);  // February 2023
  EXPECT_EQ(Ctl(C::MonthList).value, 1);
  EXPECT_EQ(Ctl(C::MonthList).items.size(), 12u);
  ASSERT_EQ(Ctl(C::WeekdayList).rows.size(), 7u);
  EXPECT_EQ(Ctl(C::WeekdayList).rows[0].cells, std::vector<std::string>{"Lunes"});
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(Ctl(C::WeekdayList).rows[i].checked, i == 4) << i;  // Friday
  EXPECT_EQ(Ctl(C::SecondsField).value, 10);
  EXPECT_EQ(Ctl(C::SecondsField).maximum, 32000);
  EXPECT_EQ(Ctl(C::WarningBox).text, "Mostrar un aviso durante unos segundos:");
  EXPECT_EQ(Ctl(C::DayLabel).text, "Día:");
  for (const auto& [c, on] : Enabled()) EXPECT_EQ(on, c == C::EnableBox) << static_cast<int>(c);
}

TEST_F(SchedulerPageWindowTest, TheEnableBoxTurnsThePageOnAndOff) {
  Open();
  desk.dialogs.log.clear();
  Check(C::EnableBox, true);
  EXPECT_EQ(desk.dialogs.log, std::vector<std::string>{"update CSchedulerPage"});
  std::map<C, bool> expected;
  for (C c : kModelControls) expected[c] = c != C::WeekdayLabel && c != C::WeekdayList;  // kind 0
  EXPECT_EQ(Enabled(), expected);
  Check(C::EnableBox, false);
  for (const auto& [c, on] : Enabled()) EXPECT_EQ(on, c == C::EnableBox) << static_cast<int>(c);
}

TEST_F(SchedulerPageWindowTest, EachKindEnablesItsFieldsAndBoundsTheDay) {
  struct Case {
    int kind;
    bool weekdays, day, month;
    int dayMax;
  };
  const std::vector<Case> cases = {
      {0, false, true, true, 28},  {1, false, false, false, 31}, {2, true, false, false, 31},
      {3, false, true, false, 31}, {4, false, true, true, 28},
  };
  Open();
  Check(C::EnableBox, true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    Choose(C::KindList, c.kind);
    EXPECT_EQ(Ctl(C::KindList).value, c.kind);
    for (C always : {C::KindList, C::TimeLabel, C::TimePicker, C::WarningBox, C::SecondsField}) {
      EXPECT_TRUE(Ctl(always).enabled) << static_cast<int>(always);
    }
    EXPECT_EQ(Ctl(C::WeekdayLabel).enabled, c.weekdays);
    EXPECT_EQ(Ctl(C::WeekdayList).enabled, c.weekdays);
    EXPECT_EQ(Ctl(C::DayLabel).enabled, c.day);
    EXPECT_EQ(Ctl(C::DayField).enabled, c.day);
    EXPECT_EQ(Ctl(C::MonthLabel).enabled, c.month);
    EXPECT_EQ(Ctl(C::MonthList).enabled, c.month);
    EXPECT_EQ(Ctl(C::DayField).maximum, c.dayMax);
    // Enabling never hides: every control of the normal page stays shown.
    for (C shown : kModelControls) EXPECT_TRUE(Ctl(shown).visible) << static_cast<int>(shown);
  }
}

TEST_F(SchedulerPageWindowTest, TheDayKeepsToTheChosenMonth) {
  Open();
  Check(C::EnableBox, true);
  Choose(C::MonthList, 0);
  Choose(C::DayField, 31);
  EXPECT_EQ(Ctl(C::DayField).value, 31);
  Choose(C::MonthList, 3);  // April
  EXPECT_EQ(Ctl(C::DayField).value, 30);
  EXPECT_EQ(Ctl(C::DayField).maximum, 30);
  Choose(C::DayField, 45);  // typed beyond the bound
  EXPECT_EQ(Ctl(C::DayField).value, 30);
  Choose(C::SecondsField, 40000);
  EXPECT_EQ(Ctl(C::SecondsField).value, 32000);
}

TEST_F(SchedulerPageWindowTest, EveryOwnerGetsItsCaptionAndLayout) {
  struct Case {
    const char* owner;
    SchedulerSetup setup;
    std::optional<std::string> caption;
    bool warningRow;
  };
  const std::vector<Case> cases = {
      {"shutdown", scheduler_setup::AutomaticShutdown(), std::nullopt, false},
      {"connect", scheduler_setup::AutomaticConnect(), "Conectar automáticamente:", true},
      {"disconnect", scheduler_setup::AutomaticDisconnect(), "Desconectar automáticamente:", true},
      {"download start", scheduler_setup::DownloadStart("DivoZidezevuza\\Descargas\\ 1"),
       "Comenzar la descarga automáticamente:", true},
      {"download stop", scheduler_setup::DownloadStop("DivoZidezevuza\\Descargas\\ 1"),
       "Detener la descarga automáticamente:", true},
      {"note alarm", scheduler_setup::NoteAlarm(), "Mostrar la nota y reproducir un sonido:", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.owner);
    window.reset();
    Open(c.setup);
    EXPECT_EQ(Ctl(C::EnableBox).visible, c.caption.has_value());
    if (c.caption) {
      EXPECT_EQ(Ctl(C::EnableBox).text, *c.caption);
      EXPECT_FALSE(Ctl(C::KindList).enabled);
    } else {
      // Without the box the page counts as enabled, armed or not.
      EXPECT_TRUE(Ctl(C::KindList).enabled);
      EXPECT_TRUE(Ctl(C::TimePicker).enabled);
      EXPECT_TRUE(Ctl(C::DayField).enabled);
    }
    for (C c2 : {C::WarningBox, C::SecondsField}) EXPECT_EQ(Ctl(c2).visible, c.warningRow);
    for (C c2 : {C::KindList, C::TimePicker, C::WeekdayList, C::DayField, C::MonthList}) {
      EXPECT_TRUE(Ctl(c2).visible);
    }
  }
}

TEST_F(SchedulerPageWindowTest, AceptarWritesTheEditedRecord) {
  Open();
  Check(C::EnableBox, true);
  Choose(C::KindList, 2);
  Choose(C::TimePicker, 7 * 3600 + 45 * 60);
  CheckWeekday(4, false);  // Friday off
  CheckWeekday(0, true);   // Monday
  CheckWeekday(2, true);   // Wednesday
  Check(C::WarningBox, true);
  Choose(C::SecondsField, 30);
  EXPECT_EQ(Stored("Enable"), std::nullopt) << "nothing is written before Aceptar";
  ASSERT_TRUE(desk.dialogs.pressButton(handle, "Aceptar"));

  EXPECT_FALSE(window->IsOpen());
  EXPECT_TRUE(desk.dialogs.windows().empty());
  EXPECT_EQ(Stored("Enable"), 1u);
  EXPECT_EQ(Stored("Start"), 2u);
  EXPECT_EQ(Stored("Hour"), 7u);
  EXPECT_EQ(Stored("Minute"), 45u);
  EXPECT_EQ(Stored("Weekday"), 64u + 16u);
  EXPECT_EQ(Stored("ShowWarning"), 1u);
  EXPECT_EQ(Stored("Seconds"), 30u);
  EXPECT_EQ(Stored("Day"), 10u);
  EXPECT_EQ(Stored("Month"), 1u);
  EXPECT_EQ(scheduler->Describe(), "Los Lunes, Miércoles a las 07:45");

  // Opened again, the window shows what was stored.
  window->Open();
  handle = window->Handle();
  EXPECT_TRUE(Ctl(C::EnableBox).checked);
  EXPECT_EQ(Ctl(C::KindList).value, 2);
  EXPECT_EQ(Ctl(C::TimePicker).value, 7 * 3600 + 45 * 60);
  EXPECT_TRUE(Ctl(C::WeekdayList).enabled);
  EXPECT_TRUE(Ctl(C::WeekdayList).rows[2].checked);
  EXPECT_FALSE(Ctl(C::WeekdayList).rows[4].checked);
}

TEST_F(SchedulerPageWindowTest, CancelarAndClosingDropTheEdits) {
  struct Case {
    const char* how;
    std::function<bool(SimDialogs&, WindowHandle)> leave;
  };
  const std::vector<Case> cases = {
      {"Cancelar", [](SimDialogs& d, WindowHandle w) { return d.pressButton(w, "Cancelar"); }},
      {"title bar or Escape", [](SimDialogs& d, WindowHandle w) { return d.requestClose(w); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    window.reset();
    Open();
    Check(C::EnableBox, true);
    Choose(C::KindList, 1);
    Choose(C::TimePicker, 6 * 3600);
    ASSERT_TRUE(c.leave(desk.dialogs, handle));
    EXPECT_FALSE(window->IsOpen());
    EXPECT_TRUE(desk.dialogs.windows().empty());
    EXPECT_EQ(Stored("Enable"), std::nullopt);
    EXPECT_EQ(scheduler->Record().Enable, 0);
    EXPECT_EQ(scheduler->Describe(), "deshabilitada");
    EXPECT_FALSE(scheduler->PageOnScreen());
  }
}

}  // namespace
}  // namespace zelvor
