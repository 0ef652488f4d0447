// The helpers every utility reads and writes its settings with, the enable
// flags and the data folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "shell/store/config_store.h"
#include "shell/store/reg_key_ex.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

constexpr Hive HKCU = Hive::CurrentUser;

class ConfigStoreTest : public ::testing::Test {
 protected:
  testing::Sandbox sandbox;
  SimPlatform sim{sandbox.root()};
  ConfigStore store{sim.registry, sim.folders, sim.files};
};

TEST_F(ConfigStoreTest, WritersCreateTheKeyAndReadersSeeTheValueAtOnce) {
  store.WriteConfigInt("DuvuZevad", "BotonIzquierdo", -5);
  EXPECT_TRUE(sim.registry.keyExists(HKCU, "Software\\Norvane\\Zelvor\\DuvuZevad"));
  EXPECT_EQ(store.ReadConfigInt("DuvuZevad", "BotonIzquierdo"), -5);
  EXPECT_EQ(store.ReadConfigString("DuvuZevad", "BotonIzquierdo"), "-5");
  EXPECT_EQ(store.ReadConfigString("duvuzevad", "botonizquierdo"), "-5");
  store.WriteConfigString("", "Texto", "C:\\Temp \"x\"");
  EXPECT_EQ(store.ReadConfigString("", "Texto"), "C:\\Temp \"x\"");
  store.WriteConfigString("DedoVuv\\TrafficMeter", "Conexion", "");
  EXPECT_TRUE(sim.registry.keyExists(HKCU, "Software\\Norvane\\Zelvor\\DedoVuv\\TrafficMeter"));
  // A value written anywhere is what the next reader sees, through any path spelling.
  CRegKeyEx key(sim.registry);
  ASSERT_EQ(key.Open(HKCU, "SOFTWARE\\NORVANE\\ZELVOR"), RegStatus::Ok);
  EXPECT_EQ(key.GetString("texto"), "C:\\Temp \"x\"");
}

TEST_F(ConfigStoreTest, ReadersOfMissingKeysCreateNothing) {
  EXPECT_EQ(store.ReadConfigString("Nada\\Mas", "v"), "");
  EXPECT_EQ(store.ReadConfigInt("Nada\\Mas", "v"), 0);
  EXPECT_FALSE(sim.registry.keyExists(HKCU, "Software\\Norvane\\Zelvor\\Nada"));
  EXPECT_FALSE(sim.registry.keyExists(HKCU, "Software\\Norvane\\Zelvor"));
  EXPECT_EQ(sim.registry.commits(), 0);
}

TEST_F(ConfigStoreTest, EnableFlagIsTheDefaultValueReadAsOne) {
  struct Case {
    std::optional<std::string> stored;
    bool enabled;
  };
  const Case cases[] = {{"1", true}, {" 1", true}, {"0", false}, {"2", false}, {"", false}, {std::nullopt, false}};
  for (const auto& c : cases) {
    if (c.stored) {
      store.WriteConfigString("VadaVU", "", *c.stored);
    } else {
      ASSERT_EQ(sim.registry.apply({{RegOp::Kind::DeleteTree, HKCU, ConfigStore::KeyPath("VadaVU"), "", {}}}),
                RegStatus::Ok);
    }
    EXPECT_EQ(store.IsEnabled("VadaVU"), c.enabled) << c.stored.value_or("(absent)");
  }
  store.SetEnabled("VadaVU", true);
  EXPECT_EQ(sim.registry.queryValue(HKCU, ConfigStore::KeyPath("VadaVU"), ""), RegValue::text("1"));
  store.SetEnabled("VadaVU", false);
  EXPECT_EQ(sim.registry.queryValue(HKCU, ConfigStore::KeyPath("VadaVU"), ""), RegValue::text("0"));
}

TEST_F(ConfigStoreTest, KeyPaths) {
  EXPECT_EQ(ConfigStore::KeyPath(""), "Software\\Norvane\\Zelvor");
  EXPECT_EQ(ConfigStore::KeyPath("DedoVuv\\TrafficMeter"), "Software\\Norvane\\Zelvor\\DedoVuv\\TrafficMeter");
  EXPECT_EQ(ConfigStore::KeyPath("\\DedoVuv"), "Software\\Norvane\\Zelvor\\DedoVuv");
}

TEST_F(ConfigStoreTest, DataFolderIsCreatedBelowTheUserFolderAndEndsWithASlash) {
  sim.folders.userData_ = sandbox.path("home/ana/.local/share/");
  const std::string folder = store.GetDataFolder();
  EXPECT_EQ(folder, sandbox.root() + "home/ana/.local/share/zelvor/");
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(sandbox.exists("home/ana/.local/share/zelvor"));
  // Asking again finds it there.
  EXPECT_EQ(store.GetDataFolder(), folder);
}

TEST_F(ConfigStoreTest, DataFolderIsTheProgramFolderWithoutAUserFolder) {
  sim.folders.userData_ = "";
  EXPECT_EQ(store.GetDataFolder(), sim.folders.programFolder());
  EXPECT_EQ(store.GetDataFolder().back(), '/');
  EXPECT_EQ(store.ProgramFolder(), sandbox.root() + "bin/");
  EXPECT_EQ(store.ProgramFile(), sandbox.root() + "bin/zelvor");
}

TEST_F(ConfigStoreTest, ExportKeyWritesTheTextAndAnswersOne) {
  store.WriteConfigString("DedoVuv", "Carpeta", "C:\\Temp");
  CRegKeyEx root(sim.registry);
  ASSERT_EQ(root.Open(HKCU, "Software\\Norvane"), RegStatus::Ok);
  const std::string file = sandbox.path("export.reg");
  EXPECT_EQ(root.ExportKey("Zelvor", sim.files, file), 1);
  EXPECT_EQ(sandbox.read("export.reg"),
            "REGEDIT4\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\DedoVuv]\r\n"
            "\"Carpeta\"=\"C:\\\\Temp\"\r\n\r\n");
}

// The export answers 1 whatever happens (callers never look), so what a
// failed one must get right is to leave everything as it was: no folder
// made on the way, and whatever stood at the target still there.
TEST_F(ConfigStoreTest, AFailedExportLeavesTheFolderAsItWas) {
  store.WriteConfigString("DedoVuv", "Carpeta", "C:\\Temp");
  CRegKeyEx root(sim.registry);
  ASSERT_EQ(root.Open(HKCU, "Software\\Norvane"), RegStatus::Ok);
  const std::string inFolder = sandbox.path("out/");
  sandbox.write("out/keep.txt", "mine");
  (void)sandbox.path("out/taken.reg/");
  const auto listing = [&] {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::recursive_directory_iterator(sandbox.root())) {
      names.push_back(e.path().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  const auto before = listing();
  (void)root.ExportKey("Zelvor", sim.files, sandbox.root() + "no/such/folder/x.reg");
  (void)root.ExportKey("Zelvor", sim.files, inFolder + "taken.reg");
  EXPECT_EQ(listing(), before);
  EXPECT_TRUE(std::filesystem::is_directory(inFolder + "taken.reg"));
  EXPECT_EQ(sandbox.read("out/keep.txt"), "mine");
}

}  // namespace
}  // namespace zelvor
