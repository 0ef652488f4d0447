#pragma once
// /proc/self/mountinfo and the choice of the fixed disks among the mounts.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_probe.h"

namespace zelvor::procfs {

struct MountEntry {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::string mountPoint;  // escapes decoded
  std::string type;        // "ext4", "nfs4", "fuse.sshfs", ...
  std::string source;      // "/dev/sda2", "server:/export", "tmpfs", ...

  friend bool operator==(const MountEntry&, const MountEntry&) = default;
};

// Lines that are not mountinfo lines are skipped. The kernel writes a
// blank, tab, newline or backslash in a path as \040, \011, \012 or \134.
[[nodiscard]] std::vector<MountEntry> ParseMountinfo(std::string_view text);

// The undoing of the kernel's octal escapes.
[[nodiscard]] std::string DecodeOctalEscapes(std::string_view text);
// The undoing of udev's escapes in /dev/disk/by-label names ("\x20").
[[nodiscard]] std::string DecodeUdevEscapes(std::string_view text);

// What the system knows about the device a mount comes from.
struct BlockDeviceFacts {
  bool removable = false;  // the device, or the disk it is a partition of, says so
  std::string label;       // its file system label; "" when none
};
using BlockDeviceLookup = std::function<BlockDeviceFacts(const MountEntry&)>;

// The fixed disks among the mounts, in mount order: file systems on a
// block device of this machine ("/dev/..."), except loop devices (images
// of files), optical and floppy drives, RAM disks, network block devices,
// network and FUSE file systems, and removable devices. A file system
// mounted at several places (bind mounts, subvolumes of one device) is
// listed once, at its first mount point.
[[nodiscard]] std::vector<FixedDisk> SelectFixedDisks(const std::vector<MountEntry>& mounts,
                                                      const BlockDeviceLookup& lookup);

}  // namespace zelvor::procfs
