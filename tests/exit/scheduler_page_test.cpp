// The trigger's page: which controls are enabled for each kind, the enable
// box of each owner, the normal and compact layouts and the day bound.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "exit/scheduler.h"
#include "exit/scheduler_page.h"
#include "tests/exit/scheduler_test_support.h"

namespace zelvor {
namespace {

using C = SchedulerControl;
using K = TriggerKind;
using test::Trigger;

const std::vector<C> kAllControls = {
    C::EnableBox,  C::KindList, C::TimeLabel, C::TimePicker, C::WeekdayLabel,
    C::WeekdayList, C::DayLabel, C::DayField,  C::DaySpin,    C::MonthLabel,
    C::MonthList,  C::WarningBox, C::SecondsField, C::SecondsSpin};

std::set<C> EnabledControls(const CSchedulerPage& page) {
  std::set<C> on;
  for (C c : kAllControls) {
    if (page.IsEnabled(c)) on.insert(c);
  }
  return on;
}

const std::set<C> kAlways = {C::KindList,   C::TimeLabel,    C::TimePicker,
                             C::WarningBox, C::SecondsField, C::SecondsSpin};
const std::set<C> kWeekdays = {C::WeekdayLabel, C::WeekdayList};
const std::set<C> kDay = {C::DayLabel, C::DayField, C::DaySpin};
const std::set<C> kMonth = {C::MonthLabel, C::MonthList};

std::set<C> Join(std::initializer_list<std::set<C>> sets) {
  std::set<C> all;
  for (const auto& s : sets) all.insert(s.begin(), s.end());
  return all;
}

TEST(SchedulerPage, EachKindEnablesItsOwnFields) {
  struct Case {
    int kind;
    std::set<C> fields;
  };
  const std::vector<Case> cases = {
      {0, Join({kDay, kMonth})}, {1, {}}, {2, kWeekdays}, {3, kDay}, {4, Join({kDay, kMonth})},
      {7, {}}};
  for (const Case& c : cases) {
    CSchedulerPage page("Conectar automáticamente:", SchedulerLayout::Normal);
    SchedulerRecord r = Trigger(K::Daily, 8, 0);
    r.Start = c.kind;
    page.Fill(r, 2024);
    EXPECT_EQ(EnabledControls(page), Join({{C::EnableBox}, kAlways, c.fields})) << c.kind;

    // Without a caption there is no box, and every control counts as enabled.
    CSchedulerPage boxless(std::nullopt, SchedulerLayout::Normal);
    r.Enable = 0;
    boxless.Fill(r, 2024);
    EXPECT_EQ(EnabledControls(boxless), Join({kAlways, c.fields})) << c.kind;
  }
}

TEST(SchedulerPage, AClearedEnableBoxDisablesEverythingElse) {
  CSchedulerPage page("Desconectar automáticamente:", SchedulerLayout::Normal);
  page.Fill(Trigger(K::Once, 8, 0, 3, 3), 2024);
  page.OnEnableBox(false);
  EXPECT_EQ(EnabledControls(page), std::set<C>{C::EnableBox});
  page.OnEnableBox(true);
  EXPECT_EQ(EnabledControls(page), Join({{C::EnableBox}, kAlways, kDay, kMonth}));
  page.OnKind(static_cast<int>(K::Weekly));
  EXPECT_EQ(EnabledControls(page), Join({{C::EnableBox}, kAlways, kWeekdays}));
}

TEST(SchedulerPage, EveryOwnerGetsItsCaptionKeyAndLayout) {
  struct Case {
    SchedulerSetup setup;
    const char* boxText;
    bool boxShown;
    std::optional<std::string> keyPath;
    SchedulerLayout layout;
  };
  const std::vector<Case> cases = {
      {scheduler_setup::AutomaticShutdown(), "Habilitar", false, "DadeRive\\Scheduler", SchedulerLayout::Compact},
      {scheduler_setup::AutomaticConnect(), "Conectar automáticamente:", true, "DedoVuv\\Scheduler1", SchedulerLayout::Normal},
      {scheduler_setup::AutomaticDisconnect(), "Desconectar automáticamente:", true, "DedoVuv\\Scheduler2", SchedulerLayout::Normal},
      {scheduler_setup::DownloadStart("DivoZidezevuza\\http://a/b"), "Comenzar la descarga automáticamente:", true,
       "DivoZidezevuza\\http://a/b\\Scheduler1", SchedulerLayout::Normal},
      {scheduler_setup::DownloadStop("DivoZidezevuza\\http://a/b"), "Detener la descarga automáticamente:", true,
       "DivoZidezevuza\\http://a/b\\Scheduler2", SchedulerLayout::Normal},
      {scheduler_setup::NoteAlarm(), "Mostrar la nota y reproducir un sonido:", true, std::nullopt, SchedulerLayout::Compact},
  };
  for (const Case& c : cases) {
    const CSchedulerPage page(c.setup.caption, c.setup.layout);
    EXPECT_EQ(page.Text(C::EnableBox), c.boxText);
    EXPECT_EQ(page.IsVisible(C::EnableBox), c.boxShown) << c.boxText;
    EXPECT_EQ(c.setup.keyPath, c.keyPath) << c.boxText;
    EXPECT_EQ(page.Layout(), c.layout) << c.boxText;
  }
}

TEST(SchedulerPage, TheCompactLayoutEndsAboveTheWarningRow) {
  const CSchedulerPage normal("Conectar automáticamente:", SchedulerLayout::Normal);
  const CSchedulerPage compact("Mostrar la nota y reproducir un sonido:", SchedulerLayout::Compact);
  const auto placed = [](const CSchedulerPage& p) {
    std::set<C> ids;
    for (const ControlPlace& place : p.Places()) ids.insert(place.id);
    return ids;
  };
  const std::set<C> warning = {C::WarningBox, C::SecondsField, C::SecondsSpin};
  EXPECT_EQ(placed(normal), std::set<C>(kAllControls.begin(), kAllControls.end()));
  std::set<C> compactIds = placed(compact);
  for (C c : warning) {
    EXPECT_FALSE(compact.IsVisible(c));
    EXPECT_EQ(compactIds.count(c), 0u);
  }
  EXPECT_EQ(compactIds.size(), kAllControls.size() - warning.size());
  // Every placed control lies inside its page, and the compact page is
  // cut above the first warning control.
  int warningTop = 1 << 30;
  for (const ControlPlace& p : normal.Places()) {
    if (warning.count(p.id) != 0) warningTop = std::min(warningTop, p.y);
  }
  EXPECT_LE(compact.Size().height, warningTop);
  EXPECT_LT(compact.Size().height, normal.Size().height);
  for (const CSchedulerPage* page : {&normal, &compact}) {
    for (const ControlPlace& p : page->Places()) {
      if (p.id == C::KindList || p.id == C::MonthList) continue;  // drop-down lists may overhang
      EXPECT_LE(p.y + p.height, page->Size().height) << static_cast<int>(p.id);
      EXPECT_LE(p.x + p.width, page->Size().width) << static_cast<int>(p.id);
    }
  }
  EXPECT_EQ(CSchedulerPage::EnableBoxWidthPx(120), 138);
}

TEST(SchedulerPage, TextsAndListItems) {
  const CSchedulerPage page("Conectar automáticamente:", SchedulerLayout::Normal);
  EXPECT_EQ(page.Text(C::TimeLabel), "Hora:");
  EXPECT_EQ(page.Text(C::WeekdayLabel), "Días de la semana:");
  EXPECT_EQ(page.Text(C::DayLabel), "Día:");
  EXPECT_EQ(page.Text(C::MonthLabel), "Mes:");
  EXPECT_EQ(page.Text(C::WarningBox), "Mostrar un aviso durante unos segundos:");
  EXPECT_EQ(CSchedulerPage::kTimeFormat, "HH:mm");
  EXPECT_EQ(CSchedulerPage::KindItems(),
            (std::vector<std::string_view>{"Sólo una vez", "Diariamente", "Semanalmente",
                                           "Mensualmente", "Anualmente"}));
  EXPECT_EQ(CSchedulerPage::WeekdayItems(),
            (std::vector<std::string_view>{"Lunes", "Martes", "Miércoles", "Jueves", "Viernes",
                                           "Sábado", "Domingo"}));
  const auto months = CSchedulerPage::MonthItems();
  ASSERT_EQ(months.size(), 12u);
  EXPECT_EQ(months.front(), "Enero");
  EXPECT_EQ(months[8], "Septiembre");
  EXPECT_EQ(months.back(), "Diciembre");
}

TEST(SchedulerPage, TheDayBoundFollowsKindAndMonth) {
  CSchedulerPage page("Conectar automáticamente:", SchedulerLayout::Normal);
  page.Fill(Trigger(K::Once, 8, 0, 31, 0), 2023);
  EXPECT_EQ(page.DaySpinMax(), 31);
  page.OnMonth(1);  // February of a common year
  EXPECT_EQ(page.DaySpinMax(), 28);
  EXPECT_EQ(page.Day(), 28);  // a day February does not have would never come
  page.OnMonth(3);
  EXPECT_EQ(page.DaySpinMax(), 30);
  page.OnKind(static_cast<int>(K::Monthly));
  EXPECT_EQ(page.DaySpinMax(), 31);
  page.OnDay(31);
  EXPECT_EQ(page.Day(), 31);
  page.OnKind(static_cast<int>(K::Yearly));  // April again
  EXPECT_EQ(page.DaySpinMax(), 30);
  EXPECT_EQ(page.Day(), 30);
  page.OnDay(0);
  EXPECT_EQ(page.Day(), 1);
  page.OnSeconds(40000);
  EXPECT_EQ(page.Seconds(), 32000);
  page.OnSeconds(-3);
  EXPECT_EQ(page.Seconds(), 0);
}

TEST(SchedulerPage, AStoredLeapDayOpenedInACommonYearSurvivesASave) {
  CSchedulerPage page("Conectar automáticamente:", SchedulerLayout::Normal);
  const SchedulerRecord leap = Trigger(K::Yearly, 8, 0, 29, 1);
  page.Fill(leap, 2023);
  EXPECT_EQ(page.DaySpinMax(), 28);
  SchedulerRecord back;
  page.TakeInto(back);
  EXPECT_EQ(back, leap);
}

TEST(SchedulerPage, TheWeekdayChecksMapToTheMask) {
  CSchedulerPage page("Conectar automáticamente:", SchedulerLayout::Normal);
  page.Fill(Trigger(K::Weekly, 8, 0, 1, 0, 0), 2024);
  page.OnWeekday(0, true);  // Lunes
  page.OnWeekday(4, true);  // Viernes
  page.OnWeekday(6, true);  // Domingo
  page.OnWeekday(6, false);
  SchedulerRecord r;
  page.TakeInto(r);
  EXPECT_EQ(r.Weekday, weekday_bit::Monday | weekday_bit::Friday);
  EXPECT_TRUE(page.WeekdayChecked(0));
  EXPECT_FALSE(page.WeekdayChecked(1));
}

}  // namespace
}  // namespace zelvor
