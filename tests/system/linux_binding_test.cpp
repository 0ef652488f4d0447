// The Linux binding on this machine's own /proc and /sys. Nothing here
// changes the machine: the only process signalled or reprioritised is a
// child the test starts itself.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/linux/block_devices.h"
#include "platform/linux/linux_process_table.h"
#include "platform/linux/linux_system_probe.h"
#include "platform/priority_classes.h"
#include "platform/sim/sim_locale.h"
#include "system/cpu_info.h"
#include "system/cpu_usage.h"
#include "system/disk_space.h"
#include "system/memory_info.h"
#include "system/os_info.h"
#include "system/system_texts.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

// A child that sleeps until it is ended, reaped when the test is done.
class SleepingChild {
 public:
  SleepingChild() {
    pid_ = ::fork();
    if (pid_ == 0) {
      ::execlp("sleep", "sleep", "60", static_cast<char*>(nullptr));
      ::_exit(127);
    }
  }
  ~SleepingChild() {
    if (pid_ > 0 && !reaped_) {
      ::kill(pid_, SIGKILL);
      (void)waitStatus();
    }
  }
  [[nodiscard]] std::uint32_t pid() const { return static_cast<std::uint32_t>(pid_); }
  int waitStatus() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    reaped_ = true;
    return status;
  }

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
};

TEST(LinuxSystemProbe, FiguresOfThisMachineAreSane) {
  LinuxSystemProbe machine;
  CCPUUsage usage(machine);
  const int first = usage.GetUsage();
  EXPECT_GE(first, 0);
  EXPECT_LE(first, 100);
  const int second = usage.GetUsage();
  EXPECT_GE(second, 0);
  EXPECT_LE(second, 100);
  EXPECT_EQ(machine.processorCount(), static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)));

  CMemoryInfo memory(machine);
  memory.Refresh();
  EXPECT_GT(memory.physicalTotal, 0u);
  EXPECT_LE(memory.physicalFree, memory.physicalTotal);
  EXPECT_EQ(memory.virtualTotal, memory.physicalTotal + memory.swapTotal);

  const CCpuInfo cpu(machine);
  EXPECT_EQ(cpu.GetProcessorCount(), std::to_string(machine.processorCount()));
  EXPECT_FALSE(cpu.GetVendor().empty());

  const std::vector<FixedDisk> disks = machine.fixedDisks();
  ASSERT_FALSE(disks.empty());
  const bool hasRoot = std::any_of(disks.begin(), disks.end(), [](const FixedDisk& d) { return d.mountPoint == "/"; });
  EXPECT_TRUE(hasRoot);
  SimLocale locale;
  CDiskSpace space(machine, locale);
  space.Refresh("/");
  EXPECT_GT(space.total, 0u);
  EXPECT_LE(space.free, space.total);

  EXPECT_NE(COSInfo(machine).GetText().find(", Linux "), std::string::npos);
  EXPECT_FALSE(ComputerNameText(machine).empty());
  EXPECT_FALSE(UserNameText(machine).empty());
  EXPECT_EQ(WindowsFolderText(machine), "/usr");
  EXPECT_EQ(SystemFolderText(machine), "/usr/bin");
  EXPECT_TRUE(std::filesystem::is_directory(TemporaryFolderText(machine)));
}

// udev's label links and sysfs's block devices, laid out in a sandbox as
// the system lays them out: partitions are folders inside their disk's.
TEST(BlockDevices, LabelsAndRemovableDisks) {
  testing::Sandbox box;
  namespace fs = std::filesystem;
  box.write("dev/sda1", "");
  box.write("dev/sdb1", "");
  box.write("dev/sdc", "");
  fs::create_directories(box.path("dev/disk/by-label/"));
  fs::create_symlink("../../sda1", box.path("dev/disk/by-label/DATOS\\x20Viejos"));
  fs::create_symlink("../../sdb1", box.path("dev/disk/by-label/USB"));
  fs::create_symlink("../../gone", box.path("dev/disk/by-label/dangling"));

  box.write("sys/devices/pci0/ata1/block/sda/removable", "0\n");
  box.write("sys/devices/pci0/ata1/block/sda/sda1/partition", "1\n");
  box.write("sys/devices/pci0/usb1/block/sdb/removable", "1\n");
  box.write("sys/devices/pci0/usb1/block/sdb/sdb1/partition", "1\n");
  box.write("sys/devices/pci0/usb1/block/sdb/sdb1/removable", "");  // the kernel gives partitions none
  box.write("sys/devices/pci0/usb2/block/sdc/removable", "1\n");
  fs::create_directories(box.path("sys/class/block/"));
  fs::create_symlink("../../devices/pci0/ata1/block/sda/sda1", box.path("sys/class/block/sda1"));
  fs::create_symlink("../../devices/pci0/usb1/block/sdb/sdb1", box.path("sys/class/block/sdb1"));
  fs::create_symlink("../../devices/pci0/usb2/block/sdc", box.path("sys/class/block/sdc"));

  const auto labels = LabelsByDevice(box.path("dev/disk/by-label/"));
  const std::map<std::string, std::string> expected = {
      {fs::canonical(box.path("dev/sda1")).string(), "DATOS Viejos"},
      {fs::canonical(box.path("dev/sdb1")).string(), "USB"},
  };
  EXPECT_EQ(labels, expected);
  EXPECT_TRUE(LabelsByDevice(box.path("nowhere/")).empty());

  const std::string classFolder = box.path("sys/class/block/");
  EXPECT_FALSE(IsRemovableDevice("sda1", classFolder));
  EXPECT_TRUE(IsRemovableDevice("sdb1", classFolder));  // from its disk
  EXPECT_TRUE(IsRemovableDevice("sdc", classFolder));   // a disk without partitions
  EXPECT_FALSE(IsRemovableDevice("sdz9", classFolder));
  EXPECT_FALSE(IsRemovableDevice("../usb2/block/sdc", classFolder));
}

TEST(LinuxProcessTable, ListsThisTestWithItsNameAndFigures) {
  LinuxProcessTable table;
  const std::vector<ProcessRecord> list = table.processes();
  const auto own = std::find_if(list.begin(), list.end(),
                                [](const ProcessRecord& p) { return p.pid == static_cast<std::uint32_t>(::getpid()); });
  ASSERT_NE(own, list.end());
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
  EXPECT_EQ(own->executablePath, exe.string());
  EXPECT_EQ(own->name, exe.filename().string());
  EXPECT_GT(own->residentBytes, 0u);
  EXPECT_EQ(own->ownerId, static_cast<std::uint32_t>(::geteuid()));
  EXPECT_FALSE(own->kernelThread);
  EXPECT_TRUE(std::is_sorted(list.begin(), list.end(),
                             [](const ProcessRecord& a, const ProcessRecord& b) { return a.pid < b.pid; }));

  const auto modules = table.modules(static_cast<std::uint32_t>(::getpid()));
  ASSERT_TRUE(modules);
  const bool listsItself = std::any_of(modules->begin(), modules->end(),
                                       [&](const ModuleRecord& m) { return m.path == exe.string(); });
  EXPECT_TRUE(listsItself);
}

TEST(LinuxProcessTable, EndsAndReprioritisesItsOwnChild) {
  LinuxProcessTable table;
  SleepingChild child;
  ASSERT_TRUE(IsSingleProcessId(child.pid()));

  ASSERT_TRUE(table.setPriority(child.pid(), priority_class::Idle).ok());
  auto find = [&] {
    for (const ProcessRecord& p : table.processes()) {
      if (p.pid == child.pid()) return p;
    }
    return ProcessRecord{};
  };
  EXPECT_EQ(find().nice, 19);
  // Back to a lower niceness: refused without the privilege to raise a priority.
  const ProcessActionResult raise = table.setPriority(child.pid(), priority_class::Normal);
  if (::geteuid() == 0) {
    EXPECT_TRUE(raise.ok());
  } else {
    EXPECT_EQ(raise.refusal, ProcessRefusal::NeedsPrivilege);
    EXPECT_FALSE(raise.systemText.empty());
  }
  EXPECT_EQ(table.setPriority(child.pid(), 0x1234).refusal, ProcessRefusal::Invalid);

  ASSERT_TRUE(table.terminate(child.pid()).ok());
  const int status = child.waitStatus();
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(table.terminate(child.pid()).refusal, ProcessRefusal::Gone);
  EXPECT_EQ(table.setPriority(child.pid(), priority_class::Idle).refusal, ProcessRefusal::Gone);
  EXPECT_FALSE(table.modules(child.pid()));
}

TEST(LinuxProcessTable, NeverSignalsAGroupOrEveryone) {
  LinuxProcessTable table;
  for (const std::uint32_t pid : {0u, 0xFFFFFFFFu, 0x80000000u}) {
    EXPECT_EQ(table.terminate(pid).refusal, ProcessRefusal::Invalid);
    EXPECT_EQ(table.setPriority(pid, priority_class::Idle).refusal, ProcessRefusal::Invalid);
  }
}

TEST(LinuxProcessTable, SystemErrorsAsRefusals) {
  EXPECT_EQ(RefusalOfError(EPERM).refusal, ProcessRefusal::OtherUser);
  EXPECT_EQ(RefusalOfError(EACCES).refusal, ProcessRefusal::NeedsPrivilege);
  EXPECT_EQ(RefusalOfError(ESRCH).refusal, ProcessRefusal::Gone);
  EXPECT_EQ(RefusalOfError(EIO).refusal, ProcessRefusal::Failed);
  EXPECT_FALSE(RefusalOfError(EIO).systemText.empty());
}

}  // namespace
}  // namespace zelvor
