#include "net/diary/cost_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <set>
#include <string>

#include "tests/net/diary_sandbox.h"
#include "tests/net/cost_cases.h"

namespace zelvor::diary {
namespace {

using zelvor::testing::kCostCases;

class CostEngineTest : public zelvor::testing::DiarySandbox {
 protected:
  CostEngineTest() {
    // The C locale's conventions: '.', no grouping, no currency symbol.
    sim.locale.format = {".", "", {}, 2};
    sim.locale.currency = "";
  }
  std::int64_t parseLocal(std::string_view text) {
    auto num = [&](std::size_t at, std::size_t n) { return std::stoi(std::string(text.substr(at, n))); };
    return local(num(0, 4), num(5, 2), num(8, 2), num(11, 2), num(14, 2), num(17, 2));
  }
  CostEngine engine() { return CostEngine::Load(store, sim.clock, sim.locale); }
};

TEST_F(CostEngineTest, PricesTheTableWithTheDefaultTariffs) {
  const CostEngine e = engine();
  for (const auto& c : kCostCases) {
    SCOPED_TRACE(std::string(c.what));
    const CItemDiario call{"modem", "entry", parseLocal(c.start), c.duration};
    EXPECT_EQ(e.ChooseTariff(call.start), c.tariff);
    EXPECT_NEAR(e.Cost(call), std::stod(std::string(c.price)), 1e-9);
    EXPECT_EQ(e.FormatCost(e.Cost(call)), c.price);
  }
}

TEST_F(CostEngineTest, QuitarDecimalesCutsTowardsZero) {
  store.WriteConfigString("Diario\\Tarifas", "QuitarDecimales", "1");
  const CostEngine e = engine();
  for (const auto& c : kCostCases) {
    SCOPED_TRACE(std::string(c.what));
    const CItemDiario call{"modem", "entry", parseLocal(c.start), c.duration};
    EXPECT_EQ(e.FormatCost(e.Cost(call)), c.whole);
  }
}

TEST_F(CostEngineTest, FormatCostUsesTheUsersGroupingDecimalsAndCurrency) {
  sim.locale.format = {",", ".", {3}, 2};
  sim.locale.currency = "€";
  EXPECT_EQ(engine().FormatCost(2787.94), "2.787,94 €");
  EXPECT_EQ(engine().FormatCost(1234567.891), "1.234.567,89 €");
  sim.locale.format.decimals = 3;
  EXPECT_EQ(engine().FormatCost(20.82), "20,820 €");
  store.WriteConfigString("Diario\\Tarifas", "QuitarDecimales", "1");
  EXPECT_EQ(engine().FormatCost(2787.94), "2.787 €");
  EXPECT_EQ(engine().FormatCost(-3.99), "-3 €");
}

TEST_F(CostEngineTest, WorkedExampleOfTheTariffs) {
  // Tuesday 19:30 for 400 s: S = 1080, E = 1920, T = 1170; 4 steps.
  const CostEngine e = engine();
  EXPECT_DOUBLE_EQ(e.Cost({"", "", local(2024, 6, 4, 19, 30), 400}), 13.22 + 4 * 1.90);
  EXPECT_DOUBLE_EQ(e.Cost({"", "", local(2024, 6, 4, 10, 0), 400}), 13.22 + 4 * 4.64);
}

TEST_F(CostEngineTest, IsHolidayUsesTheLocalDate) {
  const CostEngine e = engine();
  // 00:30 on 25 December in Madrid is still 24 December in UTC.
  EXPECT_TRUE(e.IsHoliday(local(2024, 12, 25, 0, 30)));
  EXPECT_FALSE(e.IsHoliday(local(2024, 12, 24, 23, 59)));
  EXPECT_TRUE(e.IsHoliday(local(2023, 1, 6, 12, 0)));
  EXPECT_FALSE(e.IsHoliday(local(2023, 1, 7, 0, 0)));
}

TEST_F(CostEngineTest, NoStoredTariffsPriceEverythingAtZero) {
  ASSERT_EQ(store.registry().apply({{RegOp::Kind::DeleteTree, Hive::CurrentUser,
                                     ConfigStore::KeyPath("Diario\\Tarifas"), {}, {}}}),
            RegStatus::Ok);
  const CostEngine e = engine();
  ASSERT_EQ(e.tariffs().tariffs.size(), 1u);
  EXPECT_EQ(e.Cost({"", "", local(2024, 6, 4, 19, 30), 4000}), 0.0);
  const CostEngine none(sim.clock, sim.locale, {}, {});
  EXPECT_EQ(none.ChooseTariff(0), -1);
  EXPECT_EQ(none.Cost({"", "", 0, 4000}), 0.0);
}

TEST_F(CostEngineTest, NegativeDurationsAndFeeTimesCostOnlyTheFee) {
  CItemTarifa t;
  t.Tiempo = 160;
  t.Coste = 1;
  t.CosteConexion = 5;
  EXPECT_EQ(PriceWith(t, -400), 5.0);
  EXPECT_EQ(PriceWith(t, std::numeric_limits<std::int64_t>::min()), 5.0);
  t.Tiempo = -60;  // a damaged store: covers nothing rather than more
  EXPECT_EQ(PriceWith(t, 0), 5.0);
  EXPECT_EQ(PriceWith(t, 1), 6.0);
  EXPECT_EQ(PriceWith(t, 60), 6.0);
  EXPECT_EQ(PriceWith(t, 61), 7.0);
  EXPECT_GT(PriceWith(t, std::numeric_limits<std::int64_t>::max()), 1e15);
}

TEST_F(CostEngineTest, ExtremeStartsArePricedWithoutOverflow) {
  const CostEngine e = engine();
  for (const std::int64_t start : {std::numeric_limits<std::int64_t>::min(),
                                   std::numeric_limits<std::int64_t>::max(), std::int64_t{-1}}) {
    EXPECT_GE(e.Cost({"", "", start, 400}), 13.22);
  }
}

TEST(TariffTimeTest, RangesPastMidnightExcludeTheirEndMinute) {
  CItemTarifa night;
  night.TodoElDia = false;
  night.HoraIni = 18;
  night.HoraFin = 8;
  EXPECT_TRUE(TariffCoversMinute(night, 18 * 60));
  EXPECT_TRUE(TariffCoversMinute(night, 0));
  EXPECT_TRUE(TariffCoversMinute(night, 7 * 60 + 59));
  EXPECT_FALSE(TariffCoversMinute(night, 8 * 60));
  EXPECT_FALSE(TariffCoversMinute(night, 17 * 60 + 59));

  CItemTarifa day = night;  // 08:00-18:00 stays within one day
  day.HoraIni = 8;
  day.HoraFin = 18;
  EXPECT_TRUE(TariffCoversMinute(day, 18 * 60));
  EXPECT_FALSE(TariffCoversMinute(day, 18 * 60 + 1));
  EXPECT_FALSE(TariffCoversMinute(day, 7 * 60 + 59));

  CItemTarifa allDay = night;  // 00:00-00:00 without "all day" still covers it
  allDay.HoraIni = allDay.HoraFin = 0;
  for (int t = 0; t < 1440; ++t) EXPECT_TRUE(TariffCoversMinute(allDay, t)) << t;
}

// Every range on a quarter-hour grid against the plain meaning: minutes
// S..E within a day, or S..23:59 and 00:00..E-1 past midnight.
TEST(TariffTimeTest, MatchesTheRangeItDescribesForEveryStartAndEnd) {
  for (int s = 0; s < 1440; s += 15) {
    for (int e = 0; e < 1440; e += 15) {
      CItemTarifa t;
      t.TodoElDia = false;
      t.HoraIni = s / 60;
      t.MinutosIni = s % 60;
      t.HoraFin = e / 60;
      t.MinutosFin = e % 60;
      for (int m = 0; m < 1440; ++m) {
        const bool expected = s < e ? (m >= s && m <= e) : (m >= s || m < e);
        if (TariffCoversMinute(t, m) != expected) {
          FAIL() << "range " << s << "-" << e << " at minute " << m;
        }
      }
    }
  }
}

TEST(TariffDayTest, DayTests) {
  CItemTarifa t;
  t.Dia = kEveryDay;
  EXPECT_TRUE(TariffCoversDay(t, 3, false));
  t.Dia = kHoliday;
  EXPECT_TRUE(TariffCoversDay(t, 3, true));
  EXPECT_FALSE(TariffCoversDay(t, 3, false));
  t.Dia = 6;
  EXPECT_TRUE(TariffCoversDay(t, 6, false));
  EXPECT_TRUE(TariffCoversDay(t, 6, true));
  EXPECT_FALSE(TariffCoversDay(t, 7, false));
  t.Dia = 9;  // damaged: never
  for (int w = 1; w <= 7; ++w) EXPECT_FALSE(TariffCoversDay(t, w, true));
}

}  // namespace
}  // namespace zelvor::diary

namespace zelvor::diary {
namespace {

// The per-day offset cache against the clock's own conversion, minute by
// minute over the days the clocks change, in order and jumping about.
TEST(LocalTimeCacheTest, AgreesWithTheClockAroundDaylightSavingChanges) {
  for (const char* rule : {"CET-1CEST,M3.5.0,M10.5.0/3", "NZST-12NZDT,M9.5.0,M4.1.0/3",
                           "<+0530>-5:30", "EST5EDT,M3.2.0,M11.1.0"}) {
    SCOPED_TRACE(rule);
    const auto zone = TimeZoneRule::parse(rule);
    ASSERT_TRUE(zone);
    SimClock clock(0, *zone);
    LocalTimeCache cache(clock);
    std::vector<std::int64_t> instants;
    for (const std::int64_t day : {daysFromCivil(2024, 3, 30), daysFromCivil(2024, 10, 26),
                                   daysFromCivil(2024, 4, 6), daysFromCivil(2024, 9, 28),
                                   daysFromCivil(2024, 11, 2)}) {
      for (std::int64_t t = day * 86400; t < (day + 3) * 86400; t += 60) instants.push_back(t);
    }
    for (const std::int64_t t : instants) ASSERT_EQ(cache.of(t), toLocal(clock, t)) << t;
    std::mt19937_64 rng(7);
    std::shuffle(instants.begin(), instants.end(), rng);
    for (const std::int64_t t : instants) ASSERT_EQ(cache.of(t), toLocal(clock, t)) << t;
  }
}

}  // namespace
}  // namespace zelvor::diary
