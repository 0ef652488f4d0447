// The probes over a simulated machine: processor usage and identification,
// the system's text, memory and disks.

#include <gtest/gtest.h>

#include "platform/sim/sim_locale.h"
#include "platform/sim/sim_system_probe.h"
#include "system/cpu_info.h"
#include "system/cpu_usage.h"
#include "system/disk_space.h"
#include "system/memory_info.h"
#include "system/os_info.h"

namespace zelvor {
namespace {

constexpr std::uint64_t MiB = 1024 * 1024;

TEST(CpuUsage, EachConsumerMeasuresSinceItsOwnPreviousCall) {
  SimSystemProbe machine;
  machine.times = CpuTimes{600, 1000};  // 40 % busy since the start
  CCPUUsage window(machine);
  CCPUUsage graph(machine);
  EXPECT_EQ(window.GetUsage(), 40);  // the first call: the average since the start
  EXPECT_EQ(graph.GetUsage(), 40);

  machine.times = CpuTimes{650, 1100};  // 50 % over this step
  EXPECT_EQ(graph.GetUsage(), 50);
  machine.times = CpuTimes{660, 1200};  // 90 % over this one
  EXPECT_EQ(graph.GetUsage(), 90);
  // The window has not asked since the start: 140 of 200 busy.
  EXPECT_EQ(window.GetUsage(), 70);
  // No time passed for it: the same figure again, not a division by zero.
  EXPECT_EQ(window.GetUsage(), 70);
}

TEST(CpuUsage, UnreadableCountersAndTheLimits) {
  SimSystemProbe machine;
  machine.times.reset();
  CCPUUsage usage(machine);
  EXPECT_EQ(usage.GetUsage(), -1);
  EXPECT_EQ(usage.GetUsage(), -1);  // tries again each time
  machine.times = CpuTimes{0, 100};
  EXPECT_EQ(usage.GetUsage(), 100);
  machine.times.reset();
  EXPECT_EQ(usage.GetUsage(), 0);  // once working, a failed reading is 0

  struct Case {
    CpuTimes before, after;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {{0, 0}, {1, 3}, 66},          // truncated, not rounded
      {{10, 100}, {5, 200}, 100},    // idle stepping back counts as none
      {{10, 100}, {500, 200}, 0},    // idle past the total is held at 0
      {{10, 100}, {10, 100}, std::nullopt},
      {{10, 100}, {10, 50}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(UsageBetween(c.before, c.after), c.expected);
}

CpuidRegisters VendorLeaf(std::uint32_t highest, const char (&vendor)[13]) {
  auto reg = [&](int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(vendor[at + i]);
    return v;
  };
  return CpuidRegisters{highest, reg(0), reg(8), reg(4)};
}

// Three leaves of brand text from a string of up to 48 characters.
void SetBrand(SimSystemProbe& machine, const std::string& brand) {
  std::string bytes = brand;
  bytes.resize(48, '\0');
  for (std::uint32_t leaf = 0; leaf < 3; ++leaf) {
    std::uint32_t r[4] = {};
    for (std::uint32_t i = 0; i < 16; ++i) {
      r[i / 4] |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[leaf * 16 + i])) << (8 * (i % 4));
    }
    machine.leaves[0x80000002 + leaf] = CpuidRegisters{r[0], r[1], r[2], r[3]};
  }
}

std::uint32_t Signature(int family, int model, int stepping) {
  return static_cast<std::uint32_t>(family << 8 | model << 4 | stepping);
}

TEST(CpuInfo, IntelTableWhenThereIsNoBrandText) {
  struct Case {
    int family, model;
    std::uint32_t brandIndex;
    std::uint32_t descriptorsEax;  // leaf 2; bytes 1..3 are descriptors
    bool mmx;
    const char* name;
    const char* speed;
  };
  const Case cases[] = {
      {4, 1, 0, 0, false, "Intel486(TM) DX processor", "0"},  // no clock for a 486
      {4, 7, 0, 0, false, "Writeback Enhanced IntelDX2(TM) processor", "0"},
      {4, 9, 0, 0, false, "Intel 486 processor", "0"},
      {5, 4, 0, 0, true, "Intel Pentium(R) processor with MMX", "233 MHz"},
      {6, 5, 0, 0x00404001, true, "Intel Celeron(TM) processor, model 5 with MMX", "233 MHz"},
      {6, 5, 0, 0x00440001, true, "Intel Pentium(R) II Xeon(TM) processor with MMX", "233 MHz"},
      {6, 5, 0, 0x00430001, false, "Intel Pentium(R) II processor, model 5", "233 MHz"},
      {6, 7, 0, 0x45000001, false, "Intel Pentium(R) III Xeon(TM) processor", "233 MHz"},
      // No level-2 cache wins over a large one named in the same leaf.
      {6, 7, 0, 0x45400001, false, "Intel Celeron(TM) processor, model 5", "233 MHz"},
      // A first byte other than 1 asks for more calls: the descriptors are not kept.
      {6, 7, 0, 0x00400002, false, "Intel Pentium(R) III processor", "233 MHz"},
      {6, 11, 3, 0, false, "Genuine Intel Pentium(R) III Xeon(TM) processor", "233 MHz"},
      {6, 11, 9, 0, false, "Unknown Genuine Intel processor", "233 MHz"},
      {15, 1, 8, 0, true, "", "233 MHz"},  // no name rather than " with MMX"
  };
  for (const Case& c : cases) {
    SimSystemProbe machine;
    machine.clock = 233;
    machine.leaves[0] = VendorLeaf(2, "GenuineIntel");
    machine.leaves[1] = CpuidRegisters{Signature(c.family, c.model, 1), c.brandIndex, 0, c.mmx ? kMmxFeature : 0};
    machine.leaves[2] = CpuidRegisters{c.descriptorsEax, 0, 0, 0};
    machine.leaves[0x80000000] = CpuidRegisters{0x80000001, 0, 0, 0};
    const CCpuInfo info(machine);
    EXPECT_EQ(info.GetVendor(), "GenuineIntel");
    EXPECT_EQ(info.vendorCode(), cpu_vendor::Intel);
    EXPECT_EQ(info.GetName(), c.name) << c.family << "/" << c.model;
    EXPECT_EQ(info.GetSpeed(), c.speed) << c.family << "/" << c.model;
  }
}

TEST(CpuInfo, BrandTextVendorsAndProcessorsWithoutTheInstruction) {
  {
    // Above 0x80000006 the brand text names it, whatever the table says.
    SimSystemProbe machine;
    machine.processors = 8;
    machine.clock = 2600;
    machine.leaves[0] = VendorLeaf(0x16, "GenuineIntel");
    machine.leaves[1] = CpuidRegisters{Signature(6, 14, 10), 0, 0, kMmxFeature};
    machine.leaves[0x80000000] = CpuidRegisters{0x80000008, 0, 0, 0};
    machine.leaves[0x80000001] = CpuidRegisters{0, 0, 0, 0x2C100800};
    machine.leaves[0x80000006] = CpuidRegisters{0, 0, 0x01006040, 0};
    SetBrand(machine, "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz");
    const CCpuInfo info(machine);
    EXPECT_EQ(info.GetName(), "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz");
    EXPECT_EQ(info.GetProcessorCount(), "8");
    EXPECT_EQ(info.GetSpeed(), "2600 MHz");
    EXPECT_EQ(info.stats().extendedFeatures, 0x2C100800u);
    EXPECT_EQ(info.stats().level2Cache.ecx, 0x01006040u);
  }
  {
    // AMD: the brand text even without the extended leaves counted, and
    // the clock from family 6 on only.
    SimSystemProbe machine;
    machine.clock = 500;
    machine.leaves[0] = VendorLeaf(1, "AuthenticAMD");
    machine.leaves[1] = CpuidRegisters{Signature(5, 8, 0), 0, 0, 0};
    SetBrand(machine, "AMD-K6(tm) 3D processor");
    const CCpuInfo k6(machine);
    EXPECT_EQ(k6.vendorCode(), cpu_vendor::Amd);
    EXPECT_EQ(k6.GetName(), "AMD-K6(tm) 3D processor");
    EXPECT_EQ(k6.GetSpeed(), "0");
    machine.leaves[1] = CpuidRegisters{Signature(15, 1, 0), 0, 0, 0};
    EXPECT_EQ(CCpuInfo(machine).GetSpeed(), "500 MHz");
    machine.clock = 0;
    EXPECT_EQ(CCpuInfo(machine).GetSpeed(), "0");  // a clock nobody could tell
  }
  {
    SimSystemProbe machine;
    machine.leaves[0] = VendorLeaf(1, "CyrixInstead");
    EXPECT_EQ(CCpuInfo(machine).vendorCode(), cpu_vendor::Cyrix);
    machine.leaves[0] = VendorLeaf(1, "HygonGenuine");
    EXPECT_EQ(CCpuInfo(machine).vendorCode(), cpu_vendor::Unknown);
    EXPECT_EQ(CCpuInfo(machine).GetVendor(), "HygonGenuine");
    machine.leaves[0] = VendorLeaf(0, "GenuineIntel");  // no basic leaves: nothing known
    EXPECT_EQ(CCpuInfo(machine).GetVendor(), "Unknown");
  }
  {
    // No identification instruction: what the system says.
    SimSystemProbe machine;
    machine.description = {"ARM", "Cortex-A72"};
    machine.clock = 1500;
    machine.processors = 4;
    const CCpuInfo arm(machine);
    EXPECT_EQ(arm.GetVendor(), "ARM");
    EXPECT_EQ(arm.vendorCode(), cpu_vendor::Unknown);
    EXPECT_EQ(arm.GetName(), "Cortex-A72");
    EXPECT_EQ(arm.GetSpeed(), "1500 MHz");
    EXPECT_EQ(arm.GetProcessorCount(), "4");
    machine.description = {};
    machine.clock = 0;
    EXPECT_EQ(CCpuInfo(machine).GetVendor(), "Unknown");
    EXPECT_EQ(CCpuInfo(machine).GetSpeed(), "0");
  }
}

TEST(OsInfo, DistributionAndKernelWithTheLatestGenerationCode) {
  SimSystemProbe machine;
  const COSInfo info(machine);
  EXPECT_EQ(info.GetCode(), 8);
  EXPECT_EQ(info.GetText(), "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64");
  EXPECT_EQ(SystemText({"", ""}), "Linux");
  EXPECT_EQ(SystemText({"Alpine 3.19", ""}), "Alpine 3.19");
}

TEST(MemoryInfo, NineFiguresFromTheBytes) {
  SimSystemProbe machine;
  // 3 GB of memory, 1.5 MB less than 1 GB available; 2 GB of swap, half used.
  machine.memoryBytes = MemoryBytes{3072 * MiB, 1024 * MiB - 1536 * 1024, 2048 * MiB, 1024 * MiB};
  CMemoryInfo m(machine);
  m.Refresh();
  EXPECT_EQ(m.physicalTotal, 3072u);
  EXPECT_EQ(m.physicalFree, 1022u);  // 1022.5 MB, truncated
  EXPECT_EQ(m.physicalUsed, 2049u);  // 2049.5 MB from the bytes, not 3072 - 1022
  EXPECT_EQ(m.swapTotal, 2048u);
  EXPECT_EQ(m.swapFree, 1024u);
  EXPECT_EQ(m.swapUsed, 1024u);
  EXPECT_EQ(m.virtualTotal, 5120u);
  EXPECT_EQ(m.virtualFree, 2046u);  // 2046.5
  EXPECT_EQ(m.virtualUsed, 3073u);  // 3073.5

  machine.memoryBytes.reset();
  m.Refresh();
  EXPECT_EQ(m.physicalTotal, 0u);
  EXPECT_EQ(m.virtualUsed, 0u);

  // More than 32 bits of megabytes stays at the largest figure.
  machine.memoryBytes = MemoryBytes{UINT64_MAX, 0, UINT64_MAX, 0};
  m.Refresh();
  EXPECT_EQ(m.physicalTotal, UINT32_MAX);
  EXPECT_EQ(m.virtualTotal, UINT32_MAX);
}

TEST(DiskSpace, MegabytesAndGigabyteTexts) {
  SimSystemProbe machine;
  SimLocale locale;  // Spanish: "," decimals, "." groups
  machine.space["/home"] = DiskBytes{1536 * 1024 * MiB, 512 * 1024 * MiB + 3 * MiB / 2};
  CDiskSpace disk(machine, locale);
  disk.Refresh("/home");
  EXPECT_EQ(disk.total, 1572864u);
  EXPECT_EQ(disk.free, 524289u);
  EXPECT_EQ(disk.used, 1048574u);  // from the bytes: 1048574.5
  EXPECT_EQ(disk.TotalText(), "1.536,00 GB");
  EXPECT_EQ(disk.FreeText(), "512,00 GB");
  EXPECT_EQ(disk.UsedText(), "1.024,00 GB");
  disk.Refresh("/nowhere");
  EXPECT_EQ(disk.total, 0u);
  EXPECT_EQ(disk.TotalText(), "0,00 GB");
  // A file system that reports more free than total space.
  machine.space["/odd"] = DiskBytes{10 * MiB, 20 * MiB};
  disk.Refresh("/odd");
  EXPECT_EQ(disk.free, 10u);
  EXPECT_EQ(disk.used, 0u);

  EXPECT_EQ(FixedDiskRowName({"/", ""}), "      /");
  EXPECT_EQ(FixedDiskRowName({"/mnt/datos", "DATOS Viejos"}), "      /mnt/datos [datos viejos]");
  EXPECT_EQ(FixedDiskRowName({"/media/x", "ÁGUILA"}), "      /media/x [Águila]");
}

}  // namespace
}  // namespace zelvor
