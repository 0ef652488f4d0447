#include "net/diary/tariffs.h"

#include <gtest/gtest.h>

#include "tests/net/diary_sandbox.h"

namespace zelvor::diary {
namespace {

class TariffStoreTest : public zelvor::testing::DiarySandbox {
 protected:
  std::string stored(std::string_view path, std::string_view name) {
    return store.ReadConfigString(path, name);
  }
};

TEST_F(TariffStoreTest, DefaultTariffsAndHolidays) {
  const TariffSettings s = LoadTariffs(store);
  EXPECT_FALSE(s.quitarDecimales);
  const CItemTarifa normal{-1, true, 0, 0, 0, 0, 160, 4.64, 13.22};
  const CItemTarifa evening{-1, false, 18, 8, 0, 0, 160, 1.90, 13.22};
  const CItemTarifa holiday{0, true, 18, 8, 0, 0, 160, 1.90, 13.22};
  const CItemTarifa saturday{6, true, 18, 8, 0, 0, 160, 1.90, 13.22};
  const CItemTarifa sunday{7, true, 18, 8, 0, 0, 160, 1.90, 13.22};
  EXPECT_EQ(s.tariffs, (std::vector<CItemTarifa>{normal, evening, holiday, saturday, sunday}));
  EXPECT_EQ(LoadHolidays(store), (std::vector<CItemFestivo>{
                                     {1, 1}, {6, 1}, {1, 5}, {12, 10}, {1, 11}, {6, 12}, {8, 12}, {25, 12}}));
}

TEST_F(TariffStoreTest, SaveRewritesTheWholeKeyWithTwoDecimals) {
  TariffSettings s = LoadTariffs(store);
  s.tariffs.resize(2);
  s.tariffs[1].Coste = 2.5;
  s.tariffs[1].CosteConexion = 0.125;
  s.quitarDecimales = true;
  ASSERT_TRUE(SaveTariffs(store, s));
  EXPECT_EQ(stored(kTariffsKey, "Numero"), "2");
  EXPECT_EQ(stored(kTariffsKey, "QuitarDecimales"), "1");
  EXPECT_EQ(stored("Diario\\Tarifas\\ 2", "Coste"), "2.50");
  EXPECT_EQ(stored("Diario\\Tarifas\\ 2", "CosteConexion"), "0.12");  // a tie goes to even, as with printf
  EXPECT_EQ(stored("Diario\\Tarifas\\ 1", "Coste"), "4.64");
  EXPECT_EQ(stored("Diario\\Tarifas\\ 2", "HoraIni"), "18");
  EXPECT_FALSE(sim.registry.keyExists(Hive::CurrentUser, ConfigStore::KeyPath("Diario\\Tarifas\\ 3")));
  TariffSettings back = LoadTariffs(store);
  EXPECT_EQ(back.tariffs.size(), 2u);
  EXPECT_TRUE(back.quitarDecimales);
  EXPECT_DOUBLE_EQ(back.tariffs[1].Coste, 2.5);
}

TEST_F(TariffStoreTest, AFailedSaveLeavesTheOldList) {
  TariffSettings s = LoadTariffs(store);
  s.tariffs.resize(1);
  sim.registry.failWrites(true);
  EXPECT_FALSE(SaveTariffs(store, s));
  EXPECT_FALSE(SaveHolidays(store, {}));
  sim.registry.failWrites(false);
  EXPECT_EQ(LoadTariffs(store).tariffs.size(), 5u);
  EXPECT_EQ(LoadHolidays(store).size(), 8u);
}

TEST_F(TariffStoreTest, DamagedValuesAreBroughtIntoRange) {
  store.WriteConfigString("Diario\\Tarifas\\ 2", "HoraIni", "30");
  store.WriteConfigString("Diario\\Tarifas\\ 2", "MinutosFin", "-5");
  store.WriteConfigString("Diario\\Tarifas\\ 2", "Coste", "nan");
  const CItemTarifa t = LoadTariffs(store).tariffs[1];
  EXPECT_EQ(t.HoraIni, 23);
  EXPECT_EQ(t.MinutosFin, 0);
  EXPECT_EQ(t.Coste, 0.0);
}

TEST_F(TariffStoreTest, AHugeCountDoesNotReadForever) {
  store.WriteConfigString(kTariffsKey, "Numero", "2000000000");
  store.WriteConfigString(kHolidaysKey, "Numero", "2000000000");
  EXPECT_EQ(LoadTariffs(store).tariffs.size(), static_cast<std::size_t>(kMaxListEntries));
  EXPECT_EQ(LoadHolidays(store).size(), 8u);  // the missing ones read as 0/0 and are dropped
}

TEST_F(TariffStoreTest, HolidaysAreKeptSortedWithoutDuplicates) {
  ASSERT_TRUE(SaveHolidays(store, {{25, 12}, {6, 1}, {25, 12}, {31, 2}, {29, 2}, {0, 5}}));
  EXPECT_EQ(stored(kHolidaysKey, "Numero"), "3");
  EXPECT_EQ(stored("Diario\\Festivos\\ 1", "Dia"), "6");
  EXPECT_EQ(stored("Diario\\Festivos\\ 2", "Mes"), "2");
  EXPECT_EQ(LoadHolidays(store), (std::vector<CItemFestivo>{{6, 1}, {29, 2}, {25, 12}}));
  // A hand-edited store in any order reads sorted too.
  store.WriteConfigString("Diario\\Festivos\\ 1", "Mes", "11");
  EXPECT_EQ(LoadHolidays(store), (std::vector<CItemFestivo>{{29, 2}, {6, 11}, {25, 12}}));
}

TEST(StoredCostTest, ReadsAsAtofWithAPoint) {
  const std::vector<std::pair<std::string_view, double>> cases{
      {"4.64", 4.64}, {"  13.22", 13.22}, {"1.90x", 1.90}, {"-2.5", -2.5}, {"+3", 3},
      {".5", 0.5},    {"1e3", 1000},      {"", 0},         {"abc", 0},     {"4,64", 4},
      {",5", 0},      {"nan", 0},         {"inf", 0},      {"-inf", 0},    {"1e999", 0}};
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(ParseStoredCost(text), value) << text;
}

TEST(StoredCostTest, WritesTwoDecimalsWithAPoint) {
  EXPECT_EQ(FormatStoredCost(4.64), "4.64");
  EXPECT_EQ(FormatStoredCost(1.9), "1.90");
  EXPECT_EQ(FormatStoredCost(0), "0.00");
  EXPECT_EQ(FormatStoredCost(1234567.891), "1234567.89");
  EXPECT_EQ(FormatStoredCost(-0.5), "-0.50");
}

}  // namespace
}  // namespace zelvor::diary
