// The built programs, run as a user runs them, with their settings and data
// folders in a sandbox.

#include <gtest/gtest.h>

#include "tests/support/process.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

using testing::ProcessResult;

class AppTest : public ::testing::Test {
 protected:
  testing::Environment env() const { return sandbox.environment(); }
  // One start of the resident program, up to the moment it runs, then "Salir".
  ProcessResult zelvor(std::vector<std::string> args) const {
    return testing::runZelvorOnce(ZELVOR_BIN, ZELVORCTL_BIN, args, env(), sandbox.root());
  }
  // A run that ends by itself (--version, --help).
  ProcessResult zelvorToEnd(std::vector<std::string> args) const {
    args.insert(args.begin(), ZELVOR_BIN);
    return testing::runProcess(args, env());
  }
  ProcessResult ctl(std::vector<std::string> args, const std::string& input = {}) const {
    args.insert(args.begin(), ZELVORCTL_BIN);
    return testing::runProcess(args, env(), input);
  }
  // Runs zelvorctl and expects success; returns its output.
  std::string ok(std::vector<std::string> args, const std::string& input = {}) const {
    const ProcessResult r = ctl(args, input);
    EXPECT_EQ(r.exitCode, 0) << args[0] << " " << (args.size() > 1 ? args[1] : "") << ": " << r.err;
    return r.out;
  }
  // The whole tree but MainHWnd, which every start rewrites with the
  // identity of the instance that runs.
  std::string exportAll() const {
    std::string text = ok({"reg", "export"});
    const auto at = text.find("\"MainHWnd\"=");
    if (at != std::string::npos) text.erase(at, text.find('\n', at) + 1 - at);
    return text;
  }

  testing::Sandbox sandbox;
};

// Every line form of the REGEDIT4 text, and what the export writes for it.
const std::string kEveryLineForm =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Prueba]\r\n"
    "@=\"1\"\r\n"
    "\"Ruta\"=\"C:\\\\Temp\"\r\n"
    "\"Comillas\"=\"dijo \\\"hola\\\"\"\r\n"
    "\"Acento\"=\"Configuración\"\r\n"
    "\"Color\"=dword:0000008C\r\n"
    "\"Bytes\"=hex:00,ff\r\n"
    "\"Largo\"=hex:01,02,03,\\\r\n"
    "  04,05\r\n"
    "\"Vacio\"=\"\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Prueba\\ 1]\r\n"
    "\"Dia\"=\"-1\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Prueba\\ 1\\Hondo]\r\n"
    "\r\n";

const std::string kEveryLineFormExported =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Prueba]\r\n"
    "@=\"1\"\r\n"
    "\"\"=\"1\"\r\n"
    "\"Ruta\"=\"C:\\\\Temp\"\r\n"
    "\"Comillas\"=\"dijo \\\"hola\\\"\"\r\n"
    "\"Acento\"=\"Configuración\"\r\n"
    "\"Color\"=dword:0000008C\r\n"
    "\"Bytes\"=hex:00,ff\r\n"
    "\"Largo\"=hex:01,02,03,04,05\r\n"
    "\"Vacio\"=\"\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Prueba\\ 1]\r\n"
    "\"Dia\"=\"-1\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Prueba\\ 1\\Hondo]\r\n"
    "\r\n";

TEST_F(AppTest, FirstStartInstallsTheDefaultsAndTheAutostartEntry) {
  const ProcessResult r = zelvor({});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(sandbox.exists("config/zelvor/settings.reg"));
  const std::string desktop = sandbox.read("config/autostart/zelvor.desktop");
  EXPECT_NE(desktop.find("\nExec=" + std::string(ZELVOR_BIN) + "\n"), std::string::npos) << desktop;
  EXPECT_EQ(ok({"reg", "get", "", "Instalado"}), "1\n");
  EXPECT_EQ(ok({"reg", "get", "RaroDarid", "@"}), "1\n");
  EXPECT_EQ(ok({"reg", "get", "HKLM/Software/Microsoft/Windows/CurrentVersion/Run", "Zelvor"}),
            std::string(ZELVOR_BIN) + "\n");

  // The next start finds the defaults in place and leaves them.
  ok({"reg", "set", "", "EstiloMenus", "--sz", "2"});
  const ProcessResult again = zelvor({});
  ASSERT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(ok({"reg", "get", "", "EstiloMenus"}), "2\n");
}

TEST_F(AppTest, ReinstallLeavesExactlyTheDefaults) {
  ASSERT_EQ(zelvor({}).exitCode, 0);
  const std::string fresh = exportAll();
  ok({"reg", "set", "DuvuZevad", "@", "--sz", "0"});
  ok({"reg", "set", "Mio/Propio", "v", "--dword", "7"});
  ok({"reg", "delete", "Diario/Tarifas"});
  ASSERT_NE(exportAll(), fresh);
  const ProcessResult r = zelvor({"/i"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(exportAll(), fresh);
  ok({"reg", "set", "Mio", "v", "--dword", "7"});
  ASSERT_EQ(zelvor({"--reinstall-defaults"}).exitCode, 0);
  EXPECT_EQ(exportAll(), fresh);
}

TEST_F(AppTest, ArgumentsThatAreNoOptionsChangeNothing) {
  ASSERT_EQ(zelvor({}).exitCode, 0);
  ok({"reg", "set", "Mio", "v", "--sz", "x"});
  const std::string before = exportAll();
  const ProcessResult r = zelvor({"/home/ina"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("/home/ina"), std::string::npos) << r.err;
  EXPECT_EQ(exportAll(), before);
  EXPECT_EQ(zelvorToEnd({"--version"}).exitCode, 0);
  const ProcessResult help = zelvorToEnd({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("/i"), std::string::npos);
}

TEST_F(AppTest, ImportThenExportRoundTripsEveryLineForm) {
  sandbox.write("every.reg", kEveryLineForm);
  const std::string imported = ok({"reg", "import", sandbox.path("every.reg")});
  EXPECT_NE(imported.find("3 keys and 9 values"), std::string::npos) << imported;
  const std::string exported = ok({"reg", "export", "Prueba"});
  EXPECT_EQ(exported, kEveryLineFormExported);
  EXPECT_EQ(ok({"reg", "get", "Prueba", "Largo"}), "hex:01,02,03,04,05\n");
  EXPECT_EQ(ok({"reg", "get", "Prueba", "Color"}), "140\n");
  EXPECT_EQ(ok({"reg", "get", "Prueba", "Comillas"}), "dijo \"hola\"\n");

  // The export imports back to the same tree, through a file and through stdin.
  ok({"reg", "export", "Prueba", "-o", sandbox.path("out.reg")});
  EXPECT_EQ(sandbox.read("out.reg"), exported);
  ok({"reg", "delete", "Prueba"});
  ok({"reg", "import", sandbox.path("out.reg")});
  EXPECT_EQ(ok({"reg", "export", "Prueba"}), exported);
  ok({"reg", "delete", "Prueba"});
  ok({"reg", "import", "-"}, exported);
  EXPECT_EQ(ok({"reg", "export", "Prueba"}), exported);
}

TEST_F(AppTest, AMalformedImportNamesTheLineAndChangesNothing) {
  sandbox.write("every.reg", kEveryLineForm);
  ok({"reg", "import", sandbox.path("every.reg")});
  const std::string before = exportAll();
  sandbox.write("bad.reg",
                "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Prueba]\r\n"
                "\"Ruta\"=\"D:\\\\\"\r\n\"Color\"=dword:0000008X\r\n");
  const ProcessResult r = ctl({"reg", "import", sandbox.path("bad.reg")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("line 5"), std::string::npos) << r.err;
  EXPECT_EQ(exportAll(), before);
  const ProcessResult missing = ctl({"reg", "import", sandbox.path("missing.reg")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("missing.reg"), std::string::npos) << missing.err;
}

TEST_F(AppTest, GetSetAndDelete) {
  ok({"reg", "set", "Prueba", "Texto", "--sz", "C:\\Temp \"x\""});
  EXPECT_EQ(ok({"reg", "get", "Prueba", "Texto"}), "C:\\Temp \"x\"\n");
  ok({"reg", "set", "Prueba", "Decimal", "--dword", "140"});
  ok({"reg", "set", "Prueba", "Hexa", "--dword", "0x8C"});
  ok({"reg", "set", "Prueba", "Max", "--dword", "4294967295"});
  EXPECT_EQ(ok({"reg", "get", "Prueba", "Decimal"}), "140\n");
  EXPECT_EQ(ok({"reg", "get", "Prueba", "Hexa"}), "140\n");
  EXPECT_EQ(ok({"reg", "get", "Prueba", "Max"}), "4294967295\n");
  ok({"reg", "set", "Prueba", "Bytes", "--hex", "00,ff"});
  EXPECT_EQ(ok({"reg", "get", "Prueba", "Bytes"}), "hex:00,ff\n");
  ok({"reg", "set", "Prueba/Sub", "@", "--sz", "1"});
  EXPECT_EQ(ok({"reg", "get", "HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Prueba\\Sub", "@"}), "1\n");
  EXPECT_EQ(ok({"reg", "get", "Prueba"}),
            "\"Texto\"=\"C:\\\\Temp \\\"x\\\"\"\n\"Decimal\"=dword:0000008C\n\"Hexa\"=dword:0000008C\n"
            "\"Max\"=dword:FFFFFFFF\n\"Bytes\"=hex:00,ff\n");

  ok({"reg", "delete", "Prueba", "Texto"});
  const ProcessResult gone = ctl({"reg", "get", "Prueba", "Texto"});
  EXPECT_EQ(gone.exitCode, 1);
  EXPECT_NE(gone.err.find("no such value"), std::string::npos) << gone.err;
  ok({"reg", "delete", "Prueba/Sub"});
  const ProcessResult noKey = ctl({"reg", "get", "Prueba/Sub"});
  EXPECT_EQ(noKey.exitCode, 1);
  EXPECT_NE(noKey.err.find("no such key"), std::string::npos) << noKey.err;
  EXPECT_EQ(ok({"reg", "get", "Prueba", "Decimal"}), "140\n");
}

TEST_F(AppTest, BadCommandsFailOnStderrWithAnExitCode) {
  ok({"reg", "set", "Prueba", "v", "--sz", "keep"});
  const std::string before = exportAll();
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string inError;
  };
  const Case cases[] = {
      {{"reg", "set", "Prueba", "v", "--dword", "12x"}, 1, "--dword"},
      {{"reg", "set", "Prueba", "v", "--dword", "-1"}, 1, "--dword"},
      {{"reg", "set", "Prueba", "v", "--dword", "0x"}, 1, "--dword"},
      {{"reg", "set", "Prueba", "v", "--dword", "4294967296"}, 1, "--dword"},
      {{"reg", "set", "Prueba", "v", "--dword", ""}, 1, "--dword"},
      {{"reg", "set", "Prueba", "v", "--hex", "0"}, 1, "--hex"},
      {{"reg", "set", "Prueba", "v", "--hex", "zz"}, 1, "--hex"},
      {{"reg", "set", "Prueba", "v", "--hex", "00,"}, 1, "--hex"},
      {{"reg", "set", "Prueba", "v", "--hex", "00\n[HKCU\\X]"}, 1, "--hex"},
      {{"reg", "set", "Prueba", "v", "--qword", "1"}, 2, "usage"},
      {{"reg", "set", "Prueba", "v"}, 2, "usage"},
      {{"reg", "get"}, 2, "usage"},
      {{"reg", "get", "Nada"}, 1, "no such key"},
      {{"reg", "delete", "Prueba", "nada"}, 1, "no such value"},
      {{"reg", "delete", "Nada"}, 1, "no such key"},
      {{"reg", "delete", "HKCU"}, 1, "hive"},
      {{"reg", "export", "Nada"}, 1, "no such key"},
      {{"reg", "export", "-o"}, 2, "usage"},
      {{"reg", "frobnicate"}, 2, "usage"},
      {{"reg"}, 2, "usage"},
      {{"nada"}, 2, "unknown command"},
      {{}, 2, "usage"},
  };
  for (const auto& c : cases) {
    const ProcessResult r = ctl(c.args);
    std::string cmd;
    for (const auto& a : c.args) cmd += a + " ";
    EXPECT_EQ(r.exitCode, c.code) << cmd;
    EXPECT_NE(r.err.find(c.inError), std::string::npos) << cmd << ": " << r.err;
    EXPECT_EQ(r.out, "") << cmd;
  }
  EXPECT_EQ(exportAll(), before);
  EXPECT_FALSE(sandbox.exists("config/zelvor/settings.reg.broken"));
}

TEST_F(AppTest, TheRunValueIsTheAutostartFile) {
  ok({"reg", "set", "HKLM/Software/Microsoft/Windows/CurrentVersion/Run", "Zelvor", "--sz",
      "/opt/Mis programas/zelvor"});
  EXPECT_NE(sandbox.read("config/autostart/zelvor.desktop").find("Exec=\"/opt/Mis programas/zelvor\""),
            std::string::npos);
  EXPECT_EQ(ok({"reg", "get", "HKLM/Software/Microsoft/Windows/CurrentVersion/Run", "Zelvor"}),
            "/opt/Mis programas/zelvor\n");
  ok({"reg", "delete", "HKLM/Software/Microsoft/Windows/CurrentVersion/Run", "Zelvor"});
  EXPECT_FALSE(sandbox.exists("config/autostart/zelvor.desktop"));
}

}  // namespace
}  // namespace zelvor
