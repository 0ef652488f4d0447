// First-run installation of the default settings.

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>

#include "platform/regtext/regtext.h"
#include "platform/sim/sim_platform.h"
#include "shell/store/config_store.h"
#include "shell/store/default_texts.h"
#include "shell/store/install_defaults.h"
#include "shell/store/reg_key_ex.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

constexpr Hive HKCU = Hive::CurrentUser;
using Args = std::vector<std::string>;

const std::string_view kUtilities[] = {"RaviVarudide", "VadaVU",  "ReziZovidaraz", "DeveRevazoz",
                                       "DivoZidezevuza", "DadeRive", "RaroDarid",     "DedoVuv",
                                       "DuvuZevad",      "VaziDuzidarud", "ZiviDuvaza"};

// The whole tree below the root as the store's own text: equal texts mean
// equal trees, types and bytes included.
std::string treeText(Registry& reg) {
  const auto snap = reg.snapshot(HKCU, kRootKey);
  if (!snap) return "(no root key)";
  return regtext::write(*snap, HKCU, kRootKey, regtext::Dialect::Store);
}

void forEachValue(const RegKeySnapshot& key, const std::string& path,
                  const std::function<void(const std::string&, const std::string&, const RegValue&)>& f) {
  for (const auto& [name, value] : key.values) f(path, name, value);
  for (const auto& sub : key.subkeys) forEachValue(sub, path + "\\" + sub.name, f);
}

class InstallDefaultsTest : public ::testing::Test {
 protected:
  InstallResult install(const Args& args, const InstallOptions& options = {}) {
    return InstallDefaults(store, args, options);
  }
  void customise() {
    store.WriteConfigString("DuvuZevad", "", "0");
    store.WriteConfigInt("", "EstiloMenus", 3);
    store.WriteConfigString("Mio\\Propio", "v", "x");
    store.WriteConfigString("Diario\\Festivos\\ 9", "Nombre", "extra");
    CRegKeyEx root(sim.registry);
    ASSERT_EQ(root.Open(HKCU, kRootKey), RegStatus::Ok);
    root.SetDword("HotKey", 0x0341);
    root.DeleteValue("SugerenciasAlInicio");
  }

  testing::Sandbox sandbox;
  SimPlatform sim{sandbox.root()};
  ConfigStore store{sim.registry, sim.folders, sim.files};
};

TEST_F(InstallDefaultsTest, AnEmptyStoreGetsTheDefaultsAndTheRunAtLoginEntry) {
  const InstallResult r = install({});
  EXPECT_TRUE(r.installed);
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(store.ReadConfigInt("", "Instalado"), 1);
  for (const auto key : kUtilities) EXPECT_TRUE(store.IsEnabled(key)) << key;
  EXPECT_EQ(sim.registry.queryValue(Hive::LocalMachine, kRunKey, kRunValue),
            RegValue::text(sim.folders.programFile()));
  // The root values of a first run.
  EXPECT_EQ(store.ReadConfigString("", "SugerenciasAlInicio"), "1");
  EXPECT_EQ(store.ReadConfigString("", "AutoActualizar"), "1");
  EXPECT_EQ(store.ReadConfigString("", "ConfigurarLeft"), "76");
  EXPECT_EQ(store.ReadConfigString("", "ConfigurarTop"), "54");
  EXPECT_TRUE(sim.registry.queryValue(HKCU, kRootKey, "MainHWnd").value_or(RegValue{}).type == RegType::Dword);
  EXPECT_FALSE(sim.registry.queryValue(HKCU, kRootKey, "EstiloMenus"));
  // Values that nothing reads are shipped too.
  EXPECT_EQ(store.ReadConfigString("DedoVuv", "Numero"), "0");
  EXPECT_EQ(store.ReadConfigString("DedoVuv", "CerrarTodoAlDesconectar"), "1");
  EXPECT_EQ(store.ReadConfigString("ZiviDuvaza", "RecursosLibres"), "50");
  EXPECT_EQ(store.ReadConfigString("DadeRive", "ConfirmarSuspenderSistema"), "0");
  for (const char* key : {"DadeRive\\Scheduler", "DedoVuv\\TrafficMeter", "ZiviDuvaza\\SysInfoGraph", "Diario"}) {
    EXPECT_TRUE(sim.registry.keyExists(HKCU, ConfigStore::KeyPath(key))) << key;
  }
}

TEST_F(InstallDefaultsTest, DedoVuvKeysHoldTheirListedDefaults) {
  ASSERT_TRUE(install({}).installed);
  struct Case {
    const char* key;
    const char* name;
    const char* text;
  };
  const Case cases[] = {
      {"DedoVuv", "Conexion", ""},          {"DedoVuv", "AutoConectar", "0"},
      {"DedoVuv", "GuardarPassword", "0"},  {"DedoVuv", "Reintentos", "0"},
      {"DedoVuv", "AutoReconectar", "0"},   {"DedoVuv", "SonidoAlConectar", ""},
      {"DedoVuv", "SonidoAlDesconectar", ""}, {"DedoVuv", "EjecutarProgramas", "1"},
      {"DedoVuv", "CuandoEjecutarProgramas", "0"}, {"DedoVuv", "BotonIzquierdo", "10"},
      {"DedoVuv", "BotonDerecho", "0"},     {"DedoVuv", "BotonCentral", "13"},
      {"DedoVuv\\TrafficMeter", "MaxSpeed", "3"}, {"DedoVuv\\TrafficMeter", "HideOnIdleMax", "0.0"},
      {"DedoVuv\\TrafficMeter", "MostrarGraficoEnIcono", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " " + c.name);
    const auto value = sim.registry.queryValue(HKCU, ConfigStore::KeyPath(c.key), c.name);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, RegValue::text(c.text));
  }
  // The alerts have no defaults: their key is there, empty.
  EXPECT_TRUE(sim.registry.keyExists(HKCU, ConfigStore::KeyPath("DedoVuv\\TrafficAlerts")));
  EXPECT_FALSE(sim.registry.queryValue(HKCU, ConfigStore::KeyPath("DedoVuv\\TrafficAlerts"), "BajadaInferior"));
}

TEST_F(InstallDefaultsTest, ASecondStartChangesNothing) {
  ASSERT_TRUE(install({}).installed);
  customise();
  const std::string before = treeText(sim.registry);
  const int commits = sim.registry.commits();
  const InstallResult r = install({"/home/ina", "/index", "-/i", "/I", "i", "--reinstall"});
  EXPECT_FALSE(r.installed);
  EXPECT_EQ(treeText(sim.registry), before);
  EXPECT_EQ(sim.registry.commits(), commits);
}

TEST_F(InstallDefaultsTest, ReinstallLeavesExactlyTheDefaults) {
  ASSERT_TRUE(install({}).installed);
  const std::string fresh = treeText(sim.registry);
  for (const Args& args : {Args{"/i"}, Args{"--reinstall-defaults"}, Args{"/a", "/i"}}) {
    customise();
    ASSERT_NE(treeText(sim.registry), fresh);
    const InstallResult r = install(args);
    EXPECT_TRUE(r.installed) << args.back();
    EXPECT_EQ(treeText(sim.registry), fresh) << args.back();
  }
  EXPECT_FALSE(sim.registry.keyExists(HKCU, ConfigStore::KeyPath("Mio")));
}

TEST_F(InstallDefaultsTest, InstalladoZeroOrMissingTriggersTheInstallation) {
  for (const char* stored : {"0", "", "no"}) {
    store.WriteConfigString("", "Instalado", stored);
    store.WriteConfigString("Mio", "v", "x");
    EXPECT_TRUE(install({}).installed) << stored;
    EXPECT_FALSE(sim.registry.keyExists(HKCU, ConfigStore::KeyPath("Mio"))) << stored;
  }
  store.WriteConfigString("", "Instalado", " 1");
  EXPECT_FALSE(install({}).installed);
}

TEST_F(InstallDefaultsTest, WantsReinstallTakesWholeArgumentsOnly) {
  EXPECT_TRUE(wantsReinstall(Args{"/i"}));
  EXPECT_TRUE(wantsReinstall(Args{"x", "--reinstall-defaults"}));
  for (const char* a : {"/home/ina", "/i/", "x/i", "/I", "--reinstall-defaults=1", ""}) {
    EXPECT_FALSE(wantsReinstall(Args{a})) << a;
  }
}

TEST_F(InstallDefaultsTest, FolderPlaceholdersBecomeTheFoldersWithBackslashesDoubledOnce) {
  InstallOptions windows;
  windows.systemFolder = "C:\\WINDOWS\\";
  windows.systemProgramFolder = "C:\\WINDOWS\\System32\\";
  ASSERT_TRUE(install({}, windows).installed);
  EXPECT_EQ(store.ReadConfigString("RaroDarid\\Menu 1\\ 1", "Programa"), "C:\\WINDOWS\\System32\\xdg-open");
  EXPECT_EQ(store.ReadConfigString("RaroDarid\\Menu 1\\ 2", "Argumentos"), "C:\\WINDOWS\\");
  EXPECT_EQ(store.ReadConfigString("RaroDarid\\Menu 1\\ 2", "Icono"),
            "C:\\WINDOWS\\share/icons/Adwaita/48x48/places/folder.png");
  EXPECT_EQ(store.ReadConfigString("VaziDuzidarud\\ 2\\BotonIzquierdo", "Programa"),
            "C:\\WINDOWS\\System32\\gnome-text-editor");
  int placeholders = 0;
  forEachValue(*sim.registry.snapshot(HKCU, kRootKey), "", [&](const auto& path, const auto& name, const RegValue& v) {
    std::string text;
    if (v.readText(text) && (text.find("WINSYS") != std::string::npos || text.find("WIN\\") == 0)) {
      ++placeholders;
      ADD_FAILURE() << path << " " << name << " = " << text;
    }
  });
  EXPECT_EQ(placeholders, 0);
}

TEST_F(InstallDefaultsTest, LinuxFoldersByDefault) {
  ASSERT_TRUE(install({}).installed);
  EXPECT_EQ(store.ReadConfigString("RaroDarid\\Menu 1\\ 1", "Programa"), "/usr/bin/xdg-open");
  EXPECT_EQ(store.ReadConfigString("RaroDarid\\Menu 1\\ 2", "Argumentos"), "/usr/");
  EXPECT_EQ(store.ReadConfigString("RaroDarid\\Menu 1", ""), "Programas");
}

TEST_F(InstallDefaultsTest, DefaultEntriesNameProgramsThisMachineHas) {
  struct Case {
    std::vector<std::string> installed;
    const char* editor;    // what "Bloc de Notas" runs
    const char* terminal;  // what "Símbolo del sistema" runs
  };
  const Case cases[] = {
      // The default's own program wins when it is there.
      {{"/usr/bin/gnome-text-editor", "/usr/bin/gedit", "/usr/bin/konsole"}, "/usr/bin/gnome-text-editor",
       "/usr/bin/konsole"},
      // Otherwise the first installed alternative, in order of preference.
      {{"/usr/bin/mousepad", "/usr/bin/kate", "/usr/bin/xterm"}, "/usr/bin/kate", "/usr/bin/xterm"},
      // With nothing of the kind installed the entry keeps its program.
      {{}, "/usr/bin/gnome-text-editor", "/usr/bin/x-terminal-emulator"},
  };
  for (const Case& c : cases) {
    InstallOptions options;
    options.programInstalled = [&](const std::string& path) {
      return std::find(c.installed.begin(), c.installed.end(), path) != c.installed.end();
    };
    ASSERT_TRUE(install({"/i"}, options).installed);
    EXPECT_EQ(store.ReadConfigString("VaziDuzidarud\\ 2\\BotonIzquierdo", "Programa"), c.editor);
    EXPECT_EQ(store.ReadConfigString("RaroDarid\\Menu 1\\ 4", "Programa"), c.editor);
    EXPECT_EQ(store.ReadConfigString("RaroDarid\\Menu 1\\ 3", "Programa"), c.terminal);
    // Names that only begin like a program of the table are left alone.
    EXPECT_EQ(store.ReadConfigString("RaroDarid\\Menu 1\\ 1", "Programa"), "/usr/bin/xdg-open");
  }
}

TEST_F(InstallDefaultsTest, BothLauncherSetsImportAndTheOtherFamilyHasMoreEntries) {
  InstallOptions other;
  other.ntPlatform = false;
  ASSERT_TRUE(install({}, other).installed);
  EXPECT_TRUE(store.IsEnabled("RaroDarid"));
  EXPECT_TRUE(store.IsEnabled("VaziDuzidarud"));
  const int otherEntries = store.ReadConfigInt("RaroDarid\\Menu 1", "Numero");
  ASSERT_TRUE(install({"/i"}).installed);
  EXPECT_GT(otherEntries, store.ReadConfigInt("RaroDarid\\Menu 1", "Numero"));
}

TEST_F(InstallDefaultsTest, AStoreThatCannotBeWrittenKeepsWhatItHad) {
  ASSERT_TRUE(install({}).installed);
  customise();
  const std::string before = treeText(sim.registry);
  sim.registry.failWrites(true);
  const InstallResult r = install({"/i"});
  EXPECT_FALSE(r.installed);
  EXPECT_FALSE(r.error.empty());
  sim.registry.failWrites(false);
  EXPECT_EQ(treeText(sim.registry), before);
}

TEST(DefaultTexts, AreREGEDIT4WithCrLfLinesAndNoNul) {
  for (const int id : {268, 395, 398}) {
    const auto text = defaultText(id);
    ASSERT_TRUE(text) << id;
    EXPECT_EQ(text->find('\0'), std::string_view::npos) << id;
    EXPECT_EQ(text->size() >= 2 && text->substr(text->size() - 2) == "\r\n", true) << id;
    for (std::size_t i = text->find('\n'); i != std::string_view::npos; i = text->find('\n', i + 1)) {
      ASSERT_TRUE(i > 0 && (*text)[i - 1] == '\r') << id << ": a line without CR before byte " << i;
    }
  }
  EXPECT_EQ(defaultText(268)->substr(0, 12), "REGEDIT4\r\n\r\n");
  EXPECT_NE(defaultText(395)->substr(0, 8), "REGEDIT4");
  EXPECT_NE(defaultText(398)->substr(0, 8), "REGEDIT4");
  EXPECT_FALSE(defaultText(1));
}

TEST(DefaultTexts, BothCombinationsParseAndTheirListsAreWhole) {
  for (const bool nt : {true, false}) {
    InstallOptions options;
    options.ntPlatform = nt;
    const std::string text = defaultsText(options);
    const auto parsed = regtext::parse(text);
    ASSERT_FALSE(parsed.error) << (nt ? "268+395: " : "268+398: ") << regtext::formatError(*parsed.error);
    TreeRegistry reg;
    ASSERT_EQ(reg.apply(regtext::toOps(parsed.entries)), RegStatus::Ok);
    for (const auto& e : parsed.entries) {
      EXPECT_EQ(e.hive, HKCU);
      EXPECT_EQ(e.path.rfind(std::string(kRootKey), 0), 0u) << e.path;
    }
    // Every "Numero" that counts subkeys (" 1", " 2", ... or "Menu 1", ...)
    // matches the subkeys that are there.
    std::function<void(const std::string&, const RegKeySnapshot&)> check = [&](const std::string& path,
                                                                                const RegKeySnapshot& key) {
      for (const auto& sub : key.subkeys) check(path + "\\" + sub.name, sub);
      std::string count;
      for (const auto& [name, value] : key.values) {
        if (name == "Numero") (void)value.readText(count);
      }
      std::vector<std::string> elements;
      for (const auto& sub : key.subkeys) {
        if (sub.name.rfind(" ", 0) == 0 || sub.name.rfind("Menu ", 0) == 0) elements.push_back(sub.name);
      }
      if (elements.empty()) return;
      const std::string prefix = elements[0].rfind("Menu ", 0) == 0 ? "Menu " : " ";
      ASSERT_FALSE(count.empty()) << path << " has list elements but no Numero";
      const int n = std::stoi(count);
      EXPECT_EQ(static_cast<int>(elements.size()), n) << path;
      for (int i = 1; i <= n; ++i) {
        EXPECT_TRUE(reg.keyExists(HKCU, path + "\\" + prefix + std::to_string(i))) << path << " element " << i;
      }
    };
    check(std::string(kRootKey), *reg.snapshot(HKCU, kRootKey));
  }
}

}  // namespace
}  // namespace zelvor
