// Import and export of REGEDIT4 texts against the store.

#include <gtest/gtest.h>

#include "platform/sim/sim_registry.h"
#include "platform/store_limits.h"
#include "shell/store/config_store.h"
#include "shell/store/regedit4.h"

namespace zelvor {
namespace {

constexpr Hive HKCU = Hive::CurrentUser;

std::string storeText(Registry& reg) {
  std::string out;
  for (Hive h : {Hive::CurrentUser, Hive::LocalMachine, Hive::ClassesRoot}) {
    regtext::appendTree(out, reg.snapshot(h, "").value(), h, "", regtext::Dialect::Store);
  }
  return out;
}

class Regedit4Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(reg.createKey(HKCU, "Software\\Norvane\\Zelvor\\DuvuZevad"), RegStatus::Ok);
    ASSERT_EQ(reg.setValue(HKCU, "Software\\Norvane\\Zelvor\\DuvuZevad", "", RegValue::text("1")), RegStatus::Ok);
    ASSERT_EQ(reg.setValue(HKCU, "Software\\Norvane\\Zelvor", "Mio", RegValue::dword(3)), RegStatus::Ok);
  }
  SimRegistry reg;
};

TEST_F(Regedit4Test, ImportAddsAndOverwritesButKeepsWhatTheTextDoesNotMention) {
  const ImportResult r = importRegedit4(reg,
                                        "REGEDIT4\r\n\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\DuvuZevad]\r\n"
                                        "@=\"0\"\r\n"
                                        "\"Nuevo\"=\"C:\\\\Temp\"\r\n"
                                        "\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Diario\\Tarifas\\ 1]\r\n"
                                        "\"Coste\"=\"4.64\"\r\n");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.keys, 2u);
  EXPECT_EQ(r.values, 3u);
  EXPECT_EQ(reg.queryValue(HKCU, "Software\\Norvane\\Zelvor\\DuvuZevad", ""), RegValue::text("0"));
  EXPECT_EQ(reg.queryValue(HKCU, "Software\\Norvane\\Zelvor\\DuvuZevad", "Nuevo"), RegValue::text("C:\\Temp"));
  EXPECT_EQ(reg.queryValue(HKCU, "Software\\Norvane\\Zelvor", "Mio"), RegValue::dword(3));
  EXPECT_TRUE(reg.keyExists(HKCU, "Software\\Norvane\\Zelvor\\Diario\\Tarifas\\ 1"));
}

TEST_F(Regedit4Test, AMalformedTextChangesNothing) {
  const std::string before = storeText(reg);
  const int commits = reg.commits();
  const ImportResult r = importRegedit4(reg,
                                        "REGEDIT4\r\n\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\DuvuZevad]\r\n"
                                        "@=\"0\"\r\n"
                                        "\"Color\"=dword:00FFFFFFFF\r\n");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error.rfind("line 5: ", 0), 0u) << r.error;
  EXPECT_EQ(storeText(reg), before);
  EXPECT_EQ(reg.commits(), commits);
}

TEST_F(Regedit4Test, AFailedSaveIsReportedAndChangesNothing) {
  const std::string before = storeText(reg);
  reg.failWrites(true);
  const ImportResult r = importRegedit4(reg, "REGEDIT4\n[HKCU\\A]\n\"v\"=\"1\"\n");
  reg.failWrites(false);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
  EXPECT_EQ(storeText(reg), before);
}

TEST_F(Regedit4Test, ExportThenImportIntoAnEmptyStoreGivesTheSameTree) {
  const std::string path = "Software\\Norvane\\Zelvor";
  ASSERT_EQ(reg.setValue(HKCU, path, "Comillas", RegValue::text("\"x\" \\ y")), RegStatus::Ok);
  ASSERT_EQ(reg.setValue(HKCU, path, "Bytes", RegValue::binary({0, 255, 16})), RegStatus::Ok);
  ASSERT_EQ(reg.createKey(HKCU, path + "\\Vacio\\ 1"), RegStatus::Ok);
  const std::string text = exportRegedit4(reg, HKCU, path);
  SimRegistry other;
  const ImportResult r = importRegedit4(other, text);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(storeText(other), storeText(reg));
}

// Texts that once imported "successfully" and left a store no reader could
// load, or crashed the import; each is refused whole, naming the bound.
struct HostileText {
  const char* what;
  std::string text;
  const char* error;
};

std::string nestedKey(std::size_t levels, std::size_t nameLength) {
  std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor";
  for (std::size_t i = 0; i < levels; ++i) text += "\\" + std::string(nameLength, 'k');
  return text + "]\r\n\"v\"=\"1\"\r\n";
}

std::vector<HostileText> hostileTexts() {
  return {
      {"10,000 levels in 20 KB", nestedKey(10'000, 1), "line 3: key path deeper than 512 levels"},
      {"1,000,000 levels in 2 MB", nestedKey(1'000'000, 1), "line 3: key path deeper than 512 levels"},
      {"500 levels of long names in 128 KB", nestedKey(500, kMaxKeyNameLength),
       "the settings would be larger than 16 MiB, the limit of the store"},
  };
}

TEST_F(Regedit4Test, HostileTextsAreRefusedAndChangeNothing) {
  const std::string before = storeText(reg);
  const int commits = reg.commits();
  for (const HostileText& h : hostileTexts()) {
    const ImportResult r = importRegedit4(reg, h.text);
    EXPECT_FALSE(r.ok) << h.what;
    EXPECT_EQ(r.error, h.error) << h.what;
    // Compared as a whole: a failure would otherwise print megabytes.
    EXPECT_TRUE(storeText(reg) == before) << h.what;
    EXPECT_EQ(reg.commits(), commits) << h.what;
  }
}

// Two imports that each fit, but not together: the second is refused and
// the first stays whole.
TEST_F(Regedit4Test, AnImportThatWouldFillTheStoreBeyondItsLimitIsRefused) {
  const auto bigValues = [](std::string_view prefix, int count) {
    std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Grande]\r\n";
    const std::string data(kMaxValueDataBytes - 1, 'd');
    for (int i = 0; i < count; ++i) text += "\"" + std::string(prefix) + std::to_string(i) + "\"=\"" + data + "\"\r\n";
    return text;
  };
  const ImportResult first = importRegedit4(reg, bigValues("a", 9));
  ASSERT_TRUE(first.ok) << first.error;
  const std::string before = storeText(reg);
  const ImportResult second = importRegedit4(reg, bigValues("b", 8));
  EXPECT_FALSE(second.ok);
  EXPECT_EQ(second.error, "the settings would be larger than 16 MiB, the limit of the store");
  EXPECT_TRUE(storeText(reg) == before);
  EXPECT_EQ(reg.valueNames(HKCU, "Software\\Norvane\\Zelvor\\Grande").size(), 9u);
  EXPECT_EQ(reg.queryValue(HKCU, "Software\\Norvane\\Zelvor", "Mio"), RegValue::dword(3));
}

TEST_F(Regedit4Test, ExportOfAMissingKeyIsTheHeaderAlone) {
  EXPECT_EQ(exportRegedit4(reg, HKCU, "Software\\Nada"), "REGEDIT4\r\n\r\n");
}

}  // namespace
}  // namespace zelvor
