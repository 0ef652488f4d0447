// The run-at-login value as the desktop's autostart entry.

#include <gtest/gtest.h>

#include "platform/linux/autostart_registry.h"
#include "platform/posix/posix_files.h"
#include "platform/tree_registry.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

constexpr Hive HKLM = Hive::LocalMachine;
constexpr std::string_view kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class AutostartRegistryTest : public ::testing::Test {
 protected:
  testing::Sandbox sandbox;
  TreeRegistry inner;
  PosixFiles files;
  std::string entry = sandbox.path("autostart/zelvor.desktop");
  AutostartRegistry reg{inner, files, entry};
};

TEST_F(AutostartRegistryTest, TheRunValueIsTheDesktopEntry) {
  ASSERT_EQ(reg.createKey(HKLM, kRun), RegStatus::Ok);
  EXPECT_FALSE(reg.queryValue(HKLM, kRun, "Zelvor"));
  ASSERT_EQ(reg.setValue(HKLM, kRun, "Zelvor", RegValue::text("/usr/bin/zelvor")), RegStatus::Ok);
  EXPECT_TRUE(sandbox.exists("autostart/zelvor.desktop"));
  const std::string desktop = sandbox.read("autostart/zelvor.desktop");
  EXPECT_EQ(desktop.rfind("[Desktop Entry]\n", 0), 0u) << desktop;
  EXPECT_NE(desktop.find("\nExec=/usr/bin/zelvor\n"), std::string::npos) << desktop;
  EXPECT_NE(desktop.find("\nType=Application\n"), std::string::npos) << desktop;
  // Names of the key and the value are case-insensitive here too.
  EXPECT_EQ(reg.queryValue(HKLM, "software\\microsoft\\windows\\currentversion\\run", "zelvor"),
            RegValue::text("/usr/bin/zelvor"));
  EXPECT_FALSE(inner.queryValue(HKLM, kRun, "Zelvor")) << "the value lives in the entry only";
  EXPECT_EQ(reg.valueNames(HKLM, kRun), std::vector<std::string>{"Zelvor"});

  ASSERT_EQ(reg.deleteValue(HKLM, kRun, "Zelvor"), RegStatus::Ok);
  EXPECT_FALSE(sandbox.exists("autostart/zelvor.desktop"));
  EXPECT_FALSE(reg.queryValue(HKLM, kRun, "Zelvor"));
  EXPECT_TRUE(reg.valueNames(HKLM, kRun).empty());
  EXPECT_EQ(reg.deleteValue(HKLM, kRun, "Zelvor"), RegStatus::NotFound);
}

TEST_F(AutostartRegistryTest, TheRunKeyMustExistAsForAnyValue) {
  EXPECT_EQ(reg.setValue(HKLM, kRun, "Zelvor", RegValue::text("/usr/bin/zelvor")), RegStatus::NotFound);
  EXPECT_FALSE(sandbox.exists("autostart/zelvor.desktop"));
}

TEST_F(AutostartRegistryTest, OtherValuesGoToTheStore) {
  ASSERT_EQ(reg.createKey(HKLM, kRun), RegStatus::Ok);
  ASSERT_EQ(reg.setValue(HKLM, kRun, "Other", RegValue::text("/bin/true")), RegStatus::Ok);
  ASSERT_EQ(reg.createKey(Hive::CurrentUser, "Run"), RegStatus::Ok);
  ASSERT_EQ(reg.setValue(Hive::CurrentUser, "Run", "Zelvor", RegValue::text("x")), RegStatus::Ok);
  EXPECT_EQ(inner.queryValue(HKLM, kRun, "Other"), RegValue::text("/bin/true"));
  EXPECT_EQ(inner.queryValue(Hive::CurrentUser, "Run", "Zelvor"), RegValue::text("x"));
  EXPECT_FALSE(sandbox.exists("autostart/zelvor.desktop"));
}

TEST_F(AutostartRegistryTest, BatchesAndSnapshotsSeeTheEntry) {
  ASSERT_EQ(reg.apply({{RegOp::Kind::SetValue, HKLM, std::string(kRun), "Zelvor", RegValue::text("/opt/z/zelvor")},
                       {RegOp::Kind::SetValue, HKLM, std::string(kRun), "Other", RegValue::text("o")}}),
            RegStatus::Ok);
  EXPECT_TRUE(inner.keyExists(HKLM, kRun));
  EXPECT_EQ(reg.valueNames(HKLM, kRun), (std::vector<std::string>{"Other", "Zelvor"}));
  const auto snap = reg.snapshot(HKLM, "Software\\Microsoft");
  ASSERT_TRUE(snap);
  ASSERT_EQ(snap->subkeys.size(), 1u);
  const auto& run = snap->subkeys[0].subkeys[0].subkeys[0];
  EXPECT_EQ(run.name, "Run");
  ASSERT_EQ(run.values.size(), 2u);
  EXPECT_EQ(run.values[1], (std::pair<std::string, RegValue>{"Zelvor", RegValue::text("/opt/z/zelvor")}));
  ASSERT_EQ(reg.apply({{RegOp::Kind::DeleteValue, HKLM, std::string(kRun), "zelvor", {}}}), RegStatus::Ok);
  EXPECT_FALSE(sandbox.exists("autostart/zelvor.desktop"));
}

TEST(AutostartEntry, ProgramPathsRoundTripThroughTheExecLine) {
  const char* paths[] = {
      "/usr/bin/zelvor",
      "/home/ana/Mis programas/zelvor",
      "/opt/comillas \"dobles\"/zelvor",
      "/opt/back\\slash/zelvor",
      "/opt/$HOME/`cmd`/zelvor",
      "/opt/100%/zelvor",
      "/opt/%f/zelvor",
      "/opt/it's/zelvor",
      "/opt/Añoñó/zelvor",
  };
  for (const char* path : paths) {
    const std::string entry = AutostartRegistry::desktopEntry(path);
    EXPECT_EQ(AutostartRegistry::programOf(entry), path) << entry;
    // A literal percent sign is written %%, so no launcher reads a field code.
    const auto exec = entry.find("\nExec=");
    ASSERT_NE(exec, std::string::npos);
    const std::string line = entry.substr(exec + 6, entry.find('\n', exec + 1) - exec - 6);
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] != '%') continue;
      EXPECT_TRUE(i + 1 < line.size() && line[i + 1] == '%') << line;
      ++i;
    }
  }
}

TEST(AutostartEntry, ProgramOfReadsOnlyTheMainGroup) {
  EXPECT_EQ(AutostartRegistry::programOf("[Desktop Entry]\r\nName=x\r\nExec=/a/b --flag\r\n"), "/a/b");
  EXPECT_EQ(AutostartRegistry::programOf("[Desktop Action x]\nExec=/wrong\n[Desktop Entry]\nExec=\"/r i/g\" %u\n"),
            "/r i/g");
  EXPECT_FALSE(AutostartRegistry::programOf("[Desktop Entry]\nName=x\n"));
  EXPECT_FALSE(AutostartRegistry::programOf("[Desktop Entry]\nExec=\"/unclosed\n"));
  EXPECT_FALSE(AutostartRegistry::programOf(""));
}

}  // namespace
}  // namespace zelvor
