// The kernel's text files, read from fixtures.

#include <gtest/gtest.h>

#include "system/procfs/cpuinfo.h"
#include "system/procfs/meminfo.h"
#include "system/procfs/mountinfo.h"
#include "system/procfs/os_release.h"
#include "system/procfs/pid_files.h"
#include "system/procfs/proc_stat.h"
#include "tests/system/fixture_files.h"

namespace zelvor::procfs {
namespace {

using zelvor::testing::Fixture;

constexpr std::uint64_t KiB = 1024;

TEST(ProcStat, ReadsTheAggregateLineAndCountsProcessors) {
  struct Case {
    std::string text;
    std::optional<CpuTimes> all;
    int processors;
  };
  const Case cases[] = {
      // This machine: idle 361996 + iowait 6440; total of the eight columns.
      {Fixture("stat_two_cpus"), CpuTimes{361996 + 6440, 829654 + 486372 + 245399 + 361996 + 6440 + 0 + 1896 + 1815}, 2},
      // 96 processors and an interrupt line of 4000 counters.
      {Fixture("stat_96_cpus"), CpuTimes{938392106, 3787818299}, 96},
      // Guest time is inside user time already: not added again.
      {"cpu  10 0 10 70 10 0 0 0 99 99\ncpu0 10 0 10 70 10 0 0 0 99 99\n", CpuTimes{80, 100}, 1},
      // A 2.4 kernel's four columns.
      {"cpu  10 20 30 40\ncpu0 10 20 30 40\ncpu1 0 0 0 0\n", CpuTimes{40, 100}, 2},
      {"cpu  10 20 30\n", std::nullopt, 0},
      {"cpu  10 20 x 40\n", std::nullopt, 0},
      {"intr 1 2 3\ncpufreq 1\ncpux 1 2 3 4\n", std::nullopt, 0},
      {"", std::nullopt, 0},
      // Counters near the end of 64 bits add up without wrapping.
      {"cpu  18446744073709551615 1 1 1\n", CpuTimes{1, UINT64_MAX}, 0},
  };
  for (const Case& c : cases) {
    const ProcStat s = ParseProcStat(c.text);
    EXPECT_EQ(s.all, c.all) << c.text.substr(0, 60);
    EXPECT_EQ(s.processors, c.processors) << c.text.substr(0, 60);
  }
}

TEST(Meminfo, AvailableMemoryIsTheKernelsOrItsEstimate) {
  struct Case {
    const char* name;
    std::string meminfo;
    std::uint64_t lowWatermark;
    MemoryBytes expected;
  };
  const Case cases[] = {
      {"this machine", Fixture("meminfo_6_18"), 0,
       MemoryBytes{24683716 * KiB, 23301448 * KiB, 0, 0}},
      // 3.2 has no MemAvailable: free 81232 + file cache 659980 and
      // reclaimable slab 60148, each less min(half, low), less low once,
      // with low = the zones' 41 + 5356 pages of 4 KiB.
      {"3.2 kernel", Fixture("meminfo_3_2"), (41 + 5356) * 4 * KiB,
       MemoryBytes{2051912 * KiB, (81232 + (659980 - 21588) + (60148 - 21588) - 21588) * KiB, 1046524 * KiB,
                   900120 * KiB}},
      {"3.2 kernel without zone figures", Fixture("meminfo_3_2"), 0,
       MemoryBytes{2051912 * KiB, (81232 + 659980 + 60148) * KiB, 1046524 * KiB, 900120 * KiB}},
      // Free memory under the watermark and nothing cached: none available.
      {"exhausted", "MemTotal: 1000 kB\nMemFree: 10 kB\nActive(file): 0 kB\nInactive(file): 0 kB\n", 100 * KiB,
       MemoryBytes{1000 * KiB, 0, 0, 0}},
      // A reading that claims more available than there is, or more swap
      // free than swap, is held to the totals.
      {"inconsistent", "MemTotal: 100 kB\nMemFree: 50 kB\nMemAvailable: 900 kB\nSwapTotal: 10 kB\nSwapFree: 20 kB\n",
       0, MemoryBytes{100 * KiB, 100 * KiB, 10 * KiB, 10 * KiB}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MemoryBytesOf(ParseMeminfo(c.meminfo), c.lowWatermark), c.expected) << c.name;
  }
  EXPECT_EQ(ParseZoneLowWatermarkPages(Fixture("zoneinfo_3_2")), 41u + 5356u);
  EXPECT_EQ(ParseZoneLowWatermarkPages(Fixture("zoneinfo_6_18")), 23u + 4850u + 16245u + 32u + 0u);
  EXPECT_FALSE(MemoryBytesOf(ParseMeminfo("MemFree: 10 kB\n"), 0));
  EXPECT_FALSE(MemoryBytesOf(ParseMeminfo("MemTotal: 10 MB\nMemFree: 1 kB\n"), 0));
  EXPECT_FALSE(MemoryBytesOf(ParseMeminfo("MemTotal: -10 kB\nMemFree: 1 kB\n"), 0));
}

TEST(Cpuinfo, NamesTheProcessorEvenWithoutAModelName) {
  struct Case {
    const char* fixture;
    ProcessorDescription description;
    int mhz;
    int processors;
  };
  const Case cases[] = {
      {"cpuinfo_epyc", {"AuthenticAMD", "AMD EPYC"}, 2596, 2},
      {"cpuinfo_aarch64", {"ARM", "Cortex-A72"}, 0, 4},
      {"cpuinfo_armv7_old", {"ARM", "ARMv7 Processor rev 10 (v7l)"}, 0, 2},
      {"cpuinfo_aarch64_unknown_part", {"Apple", "CPU part 0x022"}, 0, 1},
  };
  for (const Case& c : cases) {
    const CpuinfoSummary s = ParseCpuinfo(Fixture(c.fixture));
    EXPECT_EQ(s.description, c.description) << c.fixture;
    EXPECT_EQ(s.mhz, c.mhz) << c.fixture;
    EXPECT_EQ(s.processors, c.processors) << c.fixture;
  }
  EXPECT_EQ(ParseCpuinfo("cpu\t\t: POWER9 (raw), altivec supported\nclock\t\t: 2166.000000MHz\n").description.name,
            "POWER9 (raw), altivec supported");
  EXPECT_EQ(ParseCpuinfo("uarch\t\t: sifive,u74-mc\n").description.name, "sifive,u74-mc");
  EXPECT_EQ(ParseCpuinfo("model name\t: bad\x01\xff name\n").description.name, "bad?? name");
}

TEST(PidStat, TakesTheNameBetweenTheFirstAndLastParenthesis) {
  const auto own = ParsePidStat(Fixture("pid_stat_cat"));
  ASSERT_TRUE(own);
  EXPECT_EQ(own->pid, 7567u);
  EXPECT_EQ(own->command, "cat");
  EXPECT_EQ(own->state, 'R');
  EXPECT_EQ(own->nice, 0);
  EXPECT_EQ(own->startTicks, 968425u);
  EXPECT_EQ(own->residentPages, 387u);

  const std::string tail = " S 1 2 3 4 5 2097152 7 8 9 10 1500 250 13 14 20 -5 1 0 4242 100 -1";
  const auto tricky = ParsePidStat("99 (a) b (c) d)" + tail);
  ASSERT_TRUE(tricky);
  EXPECT_EQ(tricky->command, "a) b (c) d");
  EXPECT_EQ(tricky->flags, kKernelThreadFlag);
  EXPECT_EQ(tricky->userTicks, 1500u);
  EXPECT_EQ(tricky->systemTicks, 250u);
  EXPECT_EQ(tricky->nice, -5);
  EXPECT_EQ(tricky->startTicks, 4242u);
  EXPECT_EQ(tricky->residentPages, 0u);  // a negative count reads as none

  for (const std::string& bad : {std::string("99 (x" + tail), std::string("99 x)" + tail), std::string(")99 (x"),
                                std::string("99 (x) S 1 2 3"), std::string("abc (x)" + tail),
                                std::string("99 (x) SS 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21")}) {
    EXPECT_FALSE(ParsePidStat(bad)) << bad;
  }
}

TEST(PidStatus, EffectiveUidIsTheSecondFigure) {
  EXPECT_EQ(ParseEffectiveUid(Fixture("pid_status_cat")), 0u);
  EXPECT_EQ(ParseEffectiveUid("Name:\tx\nUid:\t1000\t1001\t1000\t1000\nGid:\t5\t5\t5\t5\n"), 1001u);
  EXPECT_FALSE(ParseEffectiveUid("Uid:\t1000\n"));
  EXPECT_FALSE(ParseEffectiveUid("Name:\tUid: 1 2\n"));
}

TEST(PidMaps, ListsEachMappedFileOnceAtItsLowestAddress) {
  const std::string maps =
      "55d4c5a4b000-55d4c5a4d000 r--p 00000000 fe:00 1234    /usr/bin/cat\n"
      "55d4c5a4d000-55d4c5a51000 r-xp 00002000 fe:00 1234    /usr/bin/cat\n"
      "55d4c6000000-55d4c6021000 rw-p 00000000 00:00 0       [heap]\n"
      "7f0000000000-7f0000001000 r--p 00000000 fe:00 77      /usr/lib/x86_64-linux-gnu/libc.so.6\n"
      "7f0000100000-7f0000101000 rw-s 00000000 00:01 88      /memfd:shm (deleted)\n"
      "7f0000200000-7f0000201000 r--p 00000000 fe:00 99      /home/ana/my file.bin\n"
      "7f0000300000-7f0000301000 rw-p 00000000 00:00 0 \n"
      "7ffd00000000-7ffd00021000 rw-p 00000000 00:00 0       [stack]\n"
      "garbage line\n";
  const std::vector<ModuleRecord> expected = {
      {"/usr/bin/cat", 0x55d4c5a4b000},
      {"/usr/lib/x86_64-linux-gnu/libc.so.6", 0x7f0000000000},
      {"/memfd:shm (deleted)", 0x7f0000100000},
      {"/home/ana/my file.bin", 0x7f0000200000},
  };
  EXPECT_EQ(ParseMaps(maps), expected);
  const auto own = ParseMaps(Fixture("maps_cat"));
  ASSERT_FALSE(own.empty());
  EXPECT_EQ(own.front().path, "/usr/bin/cat");
}

BlockDeviceFacts DesktopDevices(const MountEntry& m) {
  BlockDeviceFacts f;
  if (m.source == "/dev/nvme0n1p2") f.label = "Sistema";
  if (m.source == "/dev/sdc1") f.label = "DATOS Viejos";
  if (m.source == "/dev/sdb1") {
    f.removable = true;
    f.label = "USB STICK";
  }
  if (m.source == "/dev/sdd1") f.removable = true;
  return f;
}

TEST(Mountinfo, FixedDisksAreTheMachinesOwnBlockDevices) {
  const std::vector<FixedDisk> expected = {
      {"/", "Sistema"},
      {"/boot/efi", ""},
      {"/home", ""},  // the snapshots subvolume of the same device is not listed again
      {"/mnt/datos viejos", "DATOS Viejos"},
  };
  EXPECT_EQ(SelectFixedDisks(ParseMountinfo(Fixture("mountinfo_desktop")), DesktopDevices), expected);
  // A container: the root disk once, whatever the bind mounts of it.
  const std::vector<FixedDisk> container = {{"/", ""}};
  EXPECT_EQ(SelectFixedDisks(ParseMountinfo(Fixture("mountinfo_container")), {}), container);
}

TEST(Mountinfo, ParsesEntriesAndSkipsBrokenLines) {
  const auto mounts = ParseMountinfo(Fixture("mountinfo_desktop"));
  ASSERT_EQ(mounts.size(), 21u);
  EXPECT_EQ(mounts[4], (MountEntry{259, 2, "/", "ext4", "/dev/nvme0n1p2"}));
  EXPECT_EQ(mounts[12].mountPoint, "/run/user/1000/gvfs");
  EXPECT_EQ(mounts[13].mountPoint, "/media/ana/USB STICK");

  EXPECT_EQ(DecodeOctalEscapes(R"(/a\040b\011c\134d\012e\777f\04)"), "/a b\tc\\d\ne\\777f\\04");
  EXPECT_EQ(DecodeUdevEscapes(R"(MY\x20DISK\x2fB\x2g\x4)"), "MY DISK/B\\x2g\\x4");
}

TEST(OsRelease, PrettyNameOrNameAndVersion) {
  struct Case {
    const char* fixture;
    const char* distribution;
  };
  const Case cases[] = {
      {"os_release_debian", "Debian GNU/Linux 12 (bookworm)"},
      {"os_release_fedora", "Fedora Linux 40 (Workstation Edition)"},
      {"os_release_no_pretty", "Alpine 3.19"},
      {"os_release_quoting", "Mi \\sistema 1 \"beta\" $HOME"},
  };
  for (const Case& c : cases) EXPECT_EQ(DistributionName(ParseOsRelease(Fixture(c.fixture))), c.distribution);
  EXPECT_EQ(DistributionName(ParseOsRelease("")), "Linux");
  EXPECT_EQ(ParseOsRelease("PRETTY_NAME=\"open\nNAME=x\n").prettyName, "");
}

}  // namespace
}  // namespace zelvor::procfs
