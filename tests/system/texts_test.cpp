// The texts of amounts, names, folders, the display and process cells.

#include <gtest/gtest.h>

#include "platform/locale.h"
#include "platform/sim/sim_screen.h"
#include "platform/sim/sim_system_probe.h"
#include "system/capacity_bars.h"
#include "system/process_texts.h"
#include "system/size_text.h"
#include "system/system_texts.h"

namespace zelvor {
namespace {

const NumberFormat kSpanish{",", ".", {3}, 2};
const NumberFormat kEnglish{".", ",", {3}, 2};
const NumberFormat kIndian{".", ",", {3, 2}, 1};

TEST(SizeText, GroupedMegabytesAndGigabytesInTheUsersWay) {
  struct Case {
    const NumberFormat& format;
    std::uint64_t megabytes;
    const char* mb;
    const char* gb;
  };
  const Case cases[] = {
      {kSpanish, 0, "0 MB", "0,00 GB"},
      {kSpanish, 999, "999 MB", "0,98 GB"},
      {kSpanish, 1536, "1.536 MB", "1,50 GB"},
      {kSpanish, 4294967295u, "4.294.967.295 MB", "4.194.304,00 GB"},
      {kEnglish, 1234567, "1,234,567 MB", "1,205.63 GB"},
      {kIndian, 12345678, "1,23,45,678 MB", "12,056.3 GB"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatMegabytes(c.format, c.megabytes), c.mb);
    EXPECT_EQ(FormatGigabytes(c.format, c.megabytes), c.gb);
  }
  EXPECT_EQ(FormatKilobytes(kSpanish, 12345), "12.345 KB");
  EXPECT_EQ(MegabytesOf((std::uint64_t{1} << 20) - 1), 0u);
  EXPECT_EQ(MegabytesOf((std::uint64_t{1} << 52) - 1), UINT32_MAX);
  EXPECT_EQ(MegabytesOf(std::uint64_t{1} << 52), UINT32_MAX);  // held, not wrapped to 0
}

TEST(SystemTexts, NamesFoldersAndDisplay) {
  SimSystemProbe machine;
  machine.computer = std::string(300, 'x');
  machine.user = std::string(255, 'a') + "ñb";
  machine.system = "/usr/";
  machine.systemPrograms = "/usr/bin//";
  machine.temporary = "/";
  EXPECT_EQ(ComputerNameText(machine), std::string(256, 'x'));
  EXPECT_EQ(UserNameText(machine), std::string(255, 'a') + "ñ");  // a character is never cut
  EXPECT_EQ(WindowsFolderText(machine), "/usr");
  EXPECT_EQ(SystemFolderText(machine), "/usr/bin");
  EXPECT_EQ(TemporaryFolderText(machine), "/");

  SimScreen screen;
  EXPECT_EQ(ResolutionText(screen), "1920x1080");
  EXPECT_EQ(ColourDepthText(screen), "24");
  EXPECT_EQ(RefreshRateText(screen), "60 Hz");
  screen.depth = 0;
  screen.refresh = 0;
  screen.whole = {0, 0};
  EXPECT_EQ(ResolutionText(screen), "");
  EXPECT_EQ(ColourDepthText(screen), "");
  EXPECT_EQ(RefreshRateText(screen), "");
}

TEST(ProcessTexts, IdsTimesMemoryPrioritiesAndAddresses) {
  struct IdCase {
    std::uint32_t pid;
    const char* text;
  };
  for (const IdCase& c : {IdCase{1, "1"}, IdCase{4194304, "4194304"}, IdCase{0xFFFFFF, "16777215"},
                          IdCase{0x1000000, "0x01000000"}, IdCase{0xDEADBEEF, "0xDEADBEEF"}}) {
    EXPECT_EQ(ProcessIdText(c.pid), c.text);
  }
  struct TimeCase {
    std::uint64_t seconds;
    const char* text;
  };
  for (const TimeCase& c : {TimeCase{0, "00:00:00"}, TimeCase{59, "00:00:59"}, TimeCase{3661, "01:01:01"},
                            TimeCase{100 * 3600 + 5, "100:00:05"}}) {
    EXPECT_EQ(CpuTimeText(c.seconds * 10'000'000 + 9'999'999), c.text);  // whole seconds
  }
  EXPECT_EQ(CpuUsageText(7), "7%");
  EXPECT_EQ(ProcessMemoryText(kSpanish, 52'428'800 + 1023), "51.200 KB");
  EXPECT_EQ(PriorityColumnText(priority_class::RealTime), "Tiempo real");
  EXPECT_EQ(PriorityColumnText(priority_class::AboveNormal), "Normal+");
  EXPECT_EQ(PriorityColumnText(priority_class::BelowNormal), "Normal-");
  EXPECT_EQ(PriorityColumnText(priority_class::Idle), "Baja");
  EXPECT_EQ(PriorityColumnText(7), "");
  EXPECT_EQ(ModuleBaseText(0x400000), "0x00400000");
  EXPECT_EQ(ModuleBaseText(0x7f12ab000000), "0x7F12AB000000");
}

TEST(CapacityBars, PercentagesAndWarningColours) {
  EXPECT_EQ(UsedPercent(0, 0), 0);
  EXPECT_EQ(UsedPercent(2, 3), 66);
  EXPECT_EQ(UsedPercent(UINT32_MAX, UINT32_MAX), 100);  // no overflow on the way
  struct Case {
    std::uint32_t freeMegabytes;
    int usedPercent, threshold, unit;
    Colour colour;
  };
  const Case cases[] = {
      {300, 85, 20, 1, kBarWarningColour},  // 15 % free is below 20 %
      {300, 80, 20, 1, kBarNormalColour},   // 20 % is not below 20 %
      {511, 10, 512, 0, kBarWarningColour},
      {512, 99, 512, 0, kBarNormalColour},
      {511, 10, 512, 7, kBarWarningColour},  // an unknown unit reads as megabytes
      {0, 100, 0, 0, kBarNormalColour},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CapacityBarColour(c.freeMegabytes, c.usedPercent, c.threshold, c.unit), c.colour)
        << c.freeMegabytes << " " << c.usedPercent << " " << c.threshold << " " << c.unit;
  }
}

}  // namespace
}  // namespace zelvor
